#pragma once

#include <QStringList>

class QWidget;

namespace languagetests {

// What a user reads in a window and its menus: captions, labels, titles,
// tool tips and the items of choice boxes, each as "objectName: text".
// Lists and text boxes hold the user's data and are left out, as are the
// texts of the language menu, which read the same in every language.
QStringList interfaceTexts(const QWidget* window);

// Whether `text` holds a Chinese character or punctuation mark.
bool hasChinese(const QString& text);

// The texts of `window` that contain a Chinese character.
QStringList chineseTexts(const QWidget* window);

// The captions that do not fit the control that shows them: a label, button,
// check box, radio button, group title or choice-box item whose text is
// wider than the room it has.
QStringList cutTexts(const QWidget* window);

} // namespace languagetests
