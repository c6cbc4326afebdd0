#pragma once

#include <QGroupBox>

class QCheckBox;
class QLineEdit;
class QPushButton;

namespace model {
struct FrameRecord;
}

namespace animbox {

class ChoiceCombo;

// The attack property group FmAbox: attack kind, damage, the three flags,
// the attack pause, and the buttons that empty or clear the attack or body
// box, on patches coloured like the canvas rectangles.
class AttackPanel : public QGroupBox {
    Q_OBJECT
public:
    static constexpr int kWidth = 257;
    static constexpr int kHeight = 101;

    explicit AttackPanel(QWidget* parent = nullptr);

    // kWidth × kHeight, wider where the captions need more room.
    QSize sizeHint() const override;

    ChoiceCombo* txtAtType() const { return m_kind; }
    QLineEdit* txtPow() const { return m_damage; }
    QCheckBox* txtDown() const { return m_knockdown; }
    QCheckBox* txtBlock() const { return m_unblockable; }
    QCheckBox* txtFlash() const { return m_noFlash; }
    ChoiceCombo* txtPause() const { return m_pause; }
    QPushButton* Command1() const { return m_emptyAttack; }
    QPushButton* CmdClearAt() const { return m_clearAttack; }
    QPushButton* Command8() const { return m_emptyBody; }
    QPushButton* Command2() const { return m_clearBody; }

    // Shows the attack fields of `record`. The controls' own change signals
    // are held back meanwhile: showing a record never writes into it.
    void load(const model::FrameRecord& record);

private:
    ChoiceCombo* m_kind;
    QLineEdit* m_damage;
    QCheckBox* m_knockdown;
    QCheckBox* m_unblockable;
    QCheckBox* m_noFlash;
    ChoiceCombo* m_pause;
    QPushButton* m_emptyAttack;
    QPushButton* m_clearAttack;
    QPushButton* m_emptyBody;
    QPushButton* m_clearBody;
    int m_width = kWidth;
};

} // namespace animbox
