#pragma once

#include <QDialog>

class QLineEdit;

namespace animbox {

class FrmMain;

// The dialog "全局调整": an amount in pixels and four direction buttons. Each
// press hands a "x=..,y=.." command to the main window and has it move every
// anchor at once; the dialog stays open until "关闭".
class FrmAdjust : public QDialog {
    Q_OBJECT
public:
    explicit FrmAdjust(FrmMain& window);

    // The command text of a move by the amount's leading number, signed
    // by direction (-1 up or left, +1 down or right).
    static QString moveCommand(const QString& amount, int xSign, int ySign);

    void Command1_Click();
    void Command3_Click();
    void Command4_Click();
    void Command5_Click();

private:
    void move(int xSign, int ySign);

    FrmMain& m_window;
    QLineEdit* m_amount;
};

} // namespace animbox
