#pragma once

#include <QStringList>

class QWidget;

namespace languagetests {

// Whether `text` holds a Chinese character or punctuation mark.
bool hasChinese(const QString& text);

// What a user of the English interface should not read in `window` and its
// menus, each as "objectName: text": captions, labels, titles, tool tips and
// choice-box items that hold Chinese (lists and text boxes hold the user's
// data and are left out, as is the language menu, the same in every
// language), and captions wider than the control that shows them.
QStringList englishFaults(const QWidget* window);

} // namespace languagetests
