#pragma once

#include <QString>

#include <functional>

class QWidget;

namespace browser {

// The question both editors ask before unsaved work is left behind, with
// the buttons "保存", "不保存" and "取消". "保存" runs `save`. True when the
// caller may go on: the work was saved or is to be discarded.
bool askToSave(QWidget* parent, const QString& title, const QString& text, const std::function<bool()>& save);

} // namespace browser
