#pragma once

#include <QDialog>

class QLineEdit;
class QRadioButton;

namespace animbox {

class PendingText;

// The dialog "初始化帧": per axis centred or a fixed edge with its side and
// margin. "确定" leaves the scheme text in the hand-over buffer; closing it
// any other way leaves nothing.
class frmScheme : public QDialog {
    Q_OBJECT
public:
    explicit frmScheme(PendingText& pending, QWidget* parent = nullptr);

    void Command1_Click();

    // The controls of one axis.
    struct Axis {
        QRadioButton* centred;
        QRadioButton* fixed;
        QRadioButton* nearSide;
        QRadioButton* farSide;
        QLineEdit* margin;
    };

private:
    PendingText& m_pending;
    Axis m_x;
    Axis m_y;
};

} // namespace animbox
