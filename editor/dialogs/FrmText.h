#pragma once

#include <QDialog>

class QPlainTextEdit;

namespace animbox {

class PendingText;

// Shows generated script text; "拷贝到剪贴板" puts the (possibly edited)
// text on the clipboard with CR LF line ends.
class FrmText : public QDialog {
    Q_OBJECT
public:
    explicit FrmText(PendingText& pending, QWidget* parent = nullptr);

    void Command1_Click();

private:
    QPlainTextEdit* m_text;
};

} // namespace animbox
