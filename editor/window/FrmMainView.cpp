// The main window's viewing aids and batch move: the reference frame toggle,
// playback, frame stepping and the global anchor adjustment.

#include "editor/window/FrmMain.h"

#include "editor/panels/AttackPanel.h"
#include "editor/window/CanvasGestures.h"
#include "editor/canvas/CanvasView.h"
#include "editor/window/Messages.h"
#include "editor/controls/FocusSelector.h"
#include "editor/window/FrmAdjust.h"
#include "editor/images/ImageLoading.h"
#include "editor/window/Playback.h"
#include "editor/panels/ReferenceBar.h"
#include "editor/document/ReplacementStep.h"
#include "model/animation/Adjustment.h"
#include "model/files/FileLookup.h"
#include "model/text/Numbers.h"
#include "zoom/ZoomControl.h"

#include <QAction>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>

namespace animbox {

namespace {

// Moves the selection one row up (-1) or down (+1) and shows that frame;
// nothing at either end of the list. No selection counts as row -1.
void stepFrame(FrmMain& window, int direction)
{
    window.PicEdit()->setFocus();
    if (!window.HasFrames())
        return;
    const int row = window.selectedRow();
    const int target = row + direction;
    if (target < 0 || target >= window.List1()->count())
        return;
    window.List1()->setCurrentRow(target);
    window.DrawFrame(window.selectedRow(), true);
    window.PicEdit()->setFocus();
}

// Runs a playback with its menu item disabled meanwhile.
void playFromMenu(FrmMain& window, const char* actionName, int runs)
{
    QAction* action = window.menuAction(QLatin1String(actionName));
    action->setEnabled(false);
    window.playback().play(runs);
    action->setEnabled(true);
}

} // namespace

void FrmMain::setUpEditing()
{
    m_gestures = new CanvasGestures(*this);
    m_playback = new Playback(*this);
    new FocusSelector(m_reference->txtX(), 0, 999);
    new FocusSelector(m_reference->txtY(), 0, 999);
    // Typing replaces the number after "idle".
    new FocusSelector(m_reference->txtBase(), 4, 999);
    setUpZoom();
}

// The canvas zoom: its keys work anywhere in the window, its level shows
// above the canvas's right end and is kept under "zoom" in the settings.
void FrmMain::setUpZoom()
{
    zoom::ZoomControl* control = m_canvas->zoom();
    control->addShortcuts(this);
    const double stored = model::leadingNumber(m_settings.ReadSetting(QStringLiteral("zoom")));
    control->setLevel(model::toInt32(model::roundHalfEven(stored)).value_or(1));
    m_zoomLabel = control->createLabel(centralWidget());
    m_zoomLabel->setObjectName(QStringLiteral("lblZoom"));
    m_zoomLabel->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    connect(control, &zoom::ZoomControl::levelChanged, this,
            [this](int level) { m_settings.WriteSetting(QStringLiteral("zoom"), QString::number(level)); });
}

void FrmMain::Command3_Click()
{
    if (m_reference->toggle() != ReferenceBar::Toggle::OffersReference) {
        if (animation().hasFrames())
            DrawFrame(selectedRow(), true);
        m_reference->setToggle(ReferenceBar::Toggle::OffersReference);
        return;
    }
    m_canvas->clearPicture();
    m_canvas->present();
    const model::Int16Result x = model::strictInt16(m_reference->txtX()->text());
    const model::Int16Result y = model::strictInt16(m_reference->txtY()->text());
    if (!x.ok() || !y.ok()) {
        showMessage(this, msg::referenceNotNumeric());
        return;
    }
    const QString path = model::findFileIgnoringCase(browserFolder(), m_reference->txtBase()->text() + ".gif");
    if (path.isEmpty()) {
        showMessage(this, msg::invalidPath());
        return;
    }
    QString error;
    const QImage image = loadImage(path, &error);
    if (image.isNull()) {
        showMessage(this, error);
        return;
    }
    m_referenceImage = image;
    m_referenceAnchor = QPoint(x.value, y.value);
    drawReference();
    m_reference->setToggle(ReferenceBar::Toggle::OffersListFrame);
}

// Only the reference image, with its anchor on the cross, and the cross.
void FrmMain::drawReference()
{
    const QPoint origin(m_canvasOriginX, m_canvasOriginY);
    m_canvas->clearPicture();
    m_canvas->drawSprite(m_referenceImage, origin - m_referenceAnchor);
    m_canvas->drawCross(origin);
    m_canvas->present();
}

void FrmMain::mplay_Click()
{
    playFromMenu(*this, "mplay", 1);
}

void FrmMain::mploop_Click()
{
    playFromMenu(*this, "mploop", 3);
}

void FrmMain::pframe_Click()
{
    stepFrame(*this, -1);
}

void FrmMain::Nframe_Click()
{
    stepFrame(*this, 1);
}

void FrmMain::moa_Click()
{
    if (!HasFrames())
        return;
    FrmAdjust dialog(*this);
    dialog.exec();
}

void FrmMain::offsetadjust()
{
    const QString command = m_pending.TakePendingText();
    if (command.isEmpty())
        return;
    const std::optional<model::OffsetStep> step = model::parseOffsetStep(command);
    if (!step) {
        showMessage(this, msg::stepOutOfRange());
        return;
    }
    {
        const ReplacementStep adjusting(*m_document, tr("坐标统一调整"));
        const int failedRow = model::adjustOffsets(animation(), *step);
        if (failedRow >= 0) {
            showMessage(this, msg::adjustOutOfRange() + animation().rows.value(failedRow));
            return;
        }
    }
    // Also a step of 0 redraws.
    DrawFrame(selectedRow(), true);
}

} // namespace animbox
