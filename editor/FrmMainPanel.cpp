// The frame property panel of the main window: the attack fields, the delay
// with its forward propagation, and the buttons that empty or clear the
// attack or body box of the current frame.

#include "editor/FrmMain.h"

#include "editor/AttackPanel.h"
#include "editor/ChoiceCombo.h"
#include "editor/DisplayGroup.h"
#include "editor/Messages.h"
#include "editor/FrameEdits.h"
#include "model/Numbers.h"
#include "model/Propagation.h"

#include <QCheckBox>
#include <QLineEdit>

#include <optional>

namespace animbox {

namespace {

model::FrameRecord* selectedRecord(FrmMain& window)
{
    const int row = window.selectedRow();
    return window.animation().isValidRow(row) ? &window.animation().frames[row] : nullptr;
}

// Reads a number typed into `edit`; a value outside the 16-bit range is
// refused with a message and the text goes back to `current`.
std::optional<qint16> typedNumber(FrmMain& window, QLineEdit* edit, qint16 current)
{
    const model::Int16Result number = model::lenientInt16(edit->text());
    if (number.ok())
        return number.value;
    showMessage(&window, msg::valueOutOfRange);
    const QSignalBlocker blocker(edit);
    edit->setText(QString::number(current));
    return std::nullopt;
}

// The guard of the four box buttons: rows exist and one is selected.
int boxButtonRow(FrmMain& window)
{
    if (!window.HasFrames())
        return -1;
    const int row = window.selectedRow();
    return window.animation().isValidRow(row) ? row : -1;
}

void editSide(FrmMain& window, BoxSide side, void (*edit)(model::Animation&, int, BoxSide))
{
    const int row = boxButtonRow(window);
    if (row < 0)
        return;
    edit(window.animation(), row, side);
    window.DrawFrame(row, false);
}

} // namespace

void FrmMain::txtAtType_Click()
{
    if (model::FrameRecord* record = selectedRecord(*this))
        record->attackKind = m_attack->txtAtType()->currentText();
}

void FrmMain::txtPow_Change()
{
    model::FrameRecord* record = selectedRecord(*this);
    if (!record)
        return;
    if (const auto damage = typedNumber(*this, m_attack->txtPow(), record->damage))
        record->damage = *damage;
}

// The check boxes write only when clicked, so a value other than 0 and 1 read
// from script text survives until the user changes it.
void FrmMain::txtDown_Click()
{
    if (model::FrameRecord* record = selectedRecord(*this))
        record->knockdown = m_attack->txtDown()->isChecked() ? 1 : 0;
}

void FrmMain::txtBlock_Click()
{
    if (model::FrameRecord* record = selectedRecord(*this))
        record->unblockable = m_attack->txtBlock()->isChecked() ? 1 : 0;
}

void FrmMain::txtFlash_Click()
{
    if (model::FrameRecord* record = selectedRecord(*this))
        record->noFlash = m_attack->txtFlash()->isChecked() ? 1 : 0;
}

void FrmMain::txtPause_Click()
{
    model::FrameRecord* record = selectedRecord(*this);
    if (!record)
        return;
    const model::Int16Result pause = model::lenientInt16(m_attack->txtPause()->currentText());
    if (pause.ok())
        record->pause = pause.value;
}

// Every keystroke stores the delay and carries it over the run of following
// frames that held the old one, so intermediate values pass along the run.
void FrmMain::txtDelay_Change()
{
    model::FrameRecord* record = selectedRecord(*this);
    if (!record)
        return;
    const qint16 old = record->frameDelay;
    const auto delay = typedNumber(*this, m_display->txtDelay(), old);
    if (!delay)
        return;
    record->frameDelay = *delay;
    model::PropagateDelay(m_animation, selectedRow(), old);
}

void FrmMain::Command1_Click()
{
    editSide(*this, BoxSide::Attack, &FrameEdits::emptySide);
}

void FrmMain::Command8_Click()
{
    editSide(*this, BoxSide::Body, &FrameEdits::emptySide);
}

void FrmMain::CmdClearAt_Click()
{
    editSide(*this, BoxSide::Attack, &FrameEdits::clearSide);
}

void FrmMain::Command2_Click()
{
    editSide(*this, BoxSide::Body, &FrameEdits::clearSide);
}

} // namespace animbox
