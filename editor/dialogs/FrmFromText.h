#pragma once

#include <QDialog>

class QLineEdit;
class QPlainTextEdit;

namespace animbox {

class IniSettings;
class PendingText;

// Takes script text to read into frames and the folder that contains the
// game's data folder. "确定", or Ctrl+Enter in the text box (where Enter
// starts a new line), hands the text over (CR LF line ends) and remembers
// the folder; "取消" hands over nothing.
class FrmFromText : public QDialog {
    Q_OBJECT
public:
    FrmFromText(PendingText& pending, const IniSettings& settings, QWidget* parent = nullptr);

    void Command1_Click();
    void Command2_Click();
    void Command3_Click();
    void Command4_Click();

private:
    PendingText& m_pending;
    const IniSettings& m_settings;
    QLineEdit* m_folder;
    QPlainTextEdit* m_text;
};

} // namespace animbox
