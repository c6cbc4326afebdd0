// The frame property panel of the main window: the attack fields, the delay
// with its forward propagation, and the buttons that empty or clear the
// attack or body box of the current frame.

#include "editor/window/FrmMain.h"

#include "editor/panels/AttackPanel.h"
#include "editor/controls/ChoiceCombo.h"
#include "editor/panels/DisplayGroup.h"
#include "editor/window/Messages.h"
#include "editor/document/FrameEdits.h"
#include "editor/document/RecordEditCommand.h"
#include "model/text/Numbers.h"
#include "model/animation/Propagation.h"

#include <QCheckBox>
#include <QLineEdit>

#include <functional>
#include <optional>

namespace animbox {

namespace {

// Pushes a step that edits the selected frame only and shows nothing more:
// the control that made the change shows it.
void editSelected(FrmMain& window, const QString& text, std::function<void(model::FrameRecord&)> edit,
                  MergeKey::Kind merge = MergeKey::None)
{
    const int row = window.selectedRow();
    if (!window.animation().isValidRow(row))
        return;
    AnimationDocument& document = window.document();
    document.push(new RecordEditCommand(
        document, text, row, row + 1, [row, edit](model::Animation& animation) { edit(animation.frames[row]); },
        Refresh::Nothing, {merge, row}));
}

// Reads a number typed into `edit`; a value outside the 16-bit range is
// refused with a message and the text goes back to `current`.
std::optional<qint16> typedNumber(FrmMain& window, QLineEdit* edit, qint16 current)
{
    const model::Int16Result number = model::lenientInt16(edit->text());
    if (number.ok())
        return number.value;
    showMessage(&window, msg::valueOutOfRange());
    const QSignalBlocker blocker(edit);
    edit->setText(QString::number(current));
    return std::nullopt;
}

// A check box stores 0 or 1.
void editFlag(FrmMain& window, QCheckBox* box, qint16 model::FrameRecord::*field)
{
    const qint16 value = box->isChecked() ? 1 : 0;
    editSelected(window, box->text(), [field, value](model::FrameRecord& record) { record.*field = value; });
}

// The four box buttons, guarded by rows existing and one being selected;
// the step, named `text`, reaches as far as the edit carries the side forward.
void editSide(FrmMain& window, const QString& text, BoxSide side,
              int (*reach)(const model::Animation&, int, BoxSide), void (*edit)(model::Animation&, int, BoxSide))
{
    if (!window.HasFrames())
        return;
    const int row = window.selectedRow();
    if (!window.animation().isValidRow(row))
        return;
    AnimationDocument& document = window.document();
    document.push(new RecordEditCommand(
        document, text, row, reach(window.animation(), row, side),
        [row, side, edit](model::Animation& animation) { edit(animation, row, side); }, Refresh::Canvas));
}

} // namespace

void FrmMain::txtAtType_Click()
{
    const QString kind = m_attack->txtAtType()->currentText();
    editSelected(*this, tr("攻击类型"), [kind](model::FrameRecord& r) { r.attackKind = kind; });
}

void FrmMain::txtPow_Change()
{
    const int row = selectedRow();
    if (!animation().isValidRow(row))
        return;
    if (const auto damage = typedNumber(*this, m_attack->txtPow(), animation().frames[row].damage)) {
        editSelected(
            *this, tr("攻击力"), [value = *damage](model::FrameRecord& r) { r.damage = value; },
            MergeKey::Damage);
    }
}

// The check boxes write only when clicked, so a value other than 0 and 1 read
// from script text survives until the user changes it.
void FrmMain::txtDown_Click()
{
    editFlag(*this, m_attack->txtDown(), &model::FrameRecord::knockdown);
}

void FrmMain::txtBlock_Click()
{
    editFlag(*this, m_attack->txtBlock(), &model::FrameRecord::unblockable);
}

void FrmMain::txtFlash_Click()
{
    editFlag(*this, m_attack->txtFlash(), &model::FrameRecord::noFlash);
}

void FrmMain::txtPause_Click()
{
    const model::Int16Result pause = model::lenientInt16(m_attack->txtPause()->currentText());
    if (pause.ok()) {
        editSelected(*this, tr("攻击延迟"),
                     [value = pause.value](model::FrameRecord& record) { record.pause = value; });
    }
}

// Every keystroke stores the delay and carries it over the run of following
// frames that held the old one, so intermediate values pass along the run.
void FrmMain::txtDelay_Change()
{
    const int row = selectedRow();
    if (!animation().isValidRow(row))
        return;
    const qint16 old = animation().frames[row].frameDelay;
    const auto delay = typedNumber(*this, m_display->txtDelay(), old);
    if (!delay)
        return;
    const int end
        = model::forwardRunEnd(animation(), row, [old](const model::FrameRecord& r) { return r.frameDelay == old; });
    m_document->push(new RecordEditCommand(
        *m_document, tr("延迟"), row, end,
        [row, old, value = *delay](model::Animation& animation) {
            animation.frames[row].frameDelay = value;
            model::PropagateDelay(animation, row, old);
        },
        Refresh::Nothing, {MergeKey::Delay, row}));
}

void FrmMain::Command1_Click()
{
    editSide(*this, tr("空攻击框"), BoxSide::Attack, &FrameEdits::emptySideReach, &FrameEdits::emptySide);
}

void FrmMain::Command8_Click()
{
    editSide(*this, tr("空受击框"), BoxSide::Body, &FrameEdits::emptySideReach, &FrameEdits::emptySide);
}

void FrmMain::CmdClearAt_Click()
{
    editSide(*this, tr("清除攻框"), BoxSide::Attack, &FrameEdits::clearSideReach, &FrameEdits::clearSide);
}

void FrmMain::Command2_Click()
{
    editSide(*this, tr("清除受框"), BoxSide::Body, &FrameEdits::clearSideReach, &FrameEdits::clearSide);
}

} // namespace animbox
