#include "editor/window/CanvasGestures.h"

#include "editor/canvas/CanvasView.h"
#include "editor/panels/DisplayGroup.h"
#include "editor/window/Messages.h"
#include "editor/document/FrameEdits.h"
#include "editor/window/FrmMain.h"
#include "editor/document/RecordEditCommand.h"
#include "editor/panels/ReferenceBar.h"
#include "model/animation/Adjustment.h"
#include "model/text/Numbers.h"

#include <QCheckBox>
#include <QLabel>
#include <QListWidget>

namespace animbox {

namespace {

constexpr int kShift = 1;
constexpr int kCtrl = 2;
constexpr int kAlt = 4;

// A pointer coordinate as a whole canvas pixel.
int pixel(double coordinate)
{
    return int(model::roundHalfEven(coordinate));
}

// The anchor move of an arrow key: the anchor moves within the sprite in the
// arrow's direction, so the sprite shifts the other way under the cross.
QPoint nudgeStep(int key)
{
    switch (key) {
    case Qt::Key_Up:
        return {0, -1};
    case Qt::Key_Down:
        return {0, 1};
    case Qt::Key_Left:
        return {-1, 0};
    case Qt::Key_Right:
        return {1, 0};
    default:
        return {};
    }
}

// A read-out distance; empty for a pointer beyond the 16-bit range.
QString signedNumber(double value)
{
    const auto number = model::toInt16(value);
    return number ? QString::number(*number) : QString();
}

} // namespace

CanvasGestures::CanvasGestures(FrmMain& window)
    : QObject(&window)
    , m_window(window)
{
    // A step taken, undone or redone while the button is held, or another
    // animation shown, ends the drag: what the press kept no longer stands
    // before the next step.
    connect(&window, &FrmMain::documentHistoryMoved, this, [this] {
        m_dragging = false;
        m_pressRow = -1;
    });
}

int CanvasGestures::shiftValue(Qt::KeyboardModifiers modifiers)
{
    return (modifiers.testFlag(Qt::ShiftModifier) ? kShift : 0) + (modifiers.testFlag(Qt::ControlModifier) ? kCtrl : 0)
        + (modifiers.testFlag(Qt::AltModifier) ? kAlt : 0);
}

QString CanvasGestures::readOut(QPointF point, QPoint origin)
{
    return tr("X边距:") + signedNumber(point.x() - origin.x()) + tr("\r\nY边距")
        + signedNumber(origin.y() - point.y());
}

// Presses and releases need a selected row; an empty list has none.
bool CanvasGestures::canGesture() const
{
    return m_window.FrameSelected() && m_window.animation().isValidRow(m_window.selectedRow());
}

void CanvasGestures::mouseDown(Qt::MouseButton button, Qt::KeyboardModifiers modifiers, QPointF point)
{
    if (!canGesture())
        return;
    m_dragging = true;
    // Every press keeps its point and the anchor, so holding Ctrl only after
    // the press drags from this press rather than from an older one.
    m_pressRow = m_window.selectedRow();
    m_pressRecord = m_window.animation().frames[m_pressRow];
    m_press = point;
    m_pressOffsetX = m_pressRecord.offsetX;
    m_pressOffsetY = m_pressRecord.offsetY;
    switch (shiftValue(modifiers)) {
    case kCtrl:
        return;
    case kShift:
        m_dragging = false;
        return;
    case kAlt:
        pickColor(point);
        return;
    default:
        startBand(button, point);
        return;
    }
}

// Takes the colour under the pointer from the canvas picture as the new key
// colour; it applies from the next redraw.
void CanvasGestures::pickColor(QPointF point)
{
    const QRgb rgb = m_window.PicEdit()->pixelAt(QPoint(pixel(point.x()), pixel(point.y())));
    const qint32 value = CanvasView::colorValueFromRgb(rgb);
    m_window.setTransparentColor(value);
    m_window.settings().WriteSetting(QStringLiteral("transparentcolor"), IniSettings::numberText(value));
}

void CanvasGestures::startBand(Qt::MouseButton button, QPointF point)
{
    CanvasView* canvas = m_window.PicEdit();
    canvas->shape2()->hide();
    canvas->shape2a()->hide();
    canvas->shape1a()->hide();
    BoxShape* band = canvas->shape1();
    band->setBorderColor(button == Qt::LeftButton ? QColor(0, 0, 255) : QColor(255, 0, 0));
    QRect rect = band->canvasRect();
    rect.moveTopLeft(QPoint(pixel(point.x()), pixel(point.y())));
    band->setCanvasRect(rect);
    band->show();
}

void CanvasGestures::mouseMove(Qt::KeyboardModifiers modifiers, QPointF point)
{
    if (!m_window.FrameSelected())
        return;
    m_window.Frame3()->Label1()->setText(
        readOut(point, QPoint(m_window.canvasOriginX(), m_window.canvasOriginY())));
    if (!m_dragging || !canGesture())
        return;
    if (shiftValue(modifiers) == kCtrl)
        dragAnchor(point);
    else
        growBand(point);
}

// The sprite follows the pointer under the fixed cross. A position whose
// anchor would leave the 16-bit range keeps the last anchor.
void CanvasGestures::dragAnchor(QPointF point)
{
    const int row = m_window.selectedRow();
    const auto x = model::draggedOffset(m_press.x(), point.x(), m_pressOffsetX);
    const auto y = model::draggedOffset(m_press.y(), point.y(), m_pressOffsetY);
    if (!x || !y)
        return;
    model::FrameRecord& record = m_window.animation().frames[row];
    record.offsetX = *x;
    record.offsetY = *y;
    m_window.DrawFrame(row, false);
}

// The band grows only to the right and downward from the press point.
void CanvasGestures::growBand(QPointF point)
{
    BoxShape* band = m_window.PicEdit()->shape1();
    QRect rect = band->canvasRect();
    const auto width = model::toInt16(point.x() - rect.x());
    const auto height = model::toInt16(point.y() - rect.y());
    if (width && *width > 0)
        rect.setWidth(*width);
    if (height && *height > 0)
        rect.setHeight(*height);
    band->setCanvasRect(rect);
}

void CanvasGestures::mouseUp(Qt::MouseButton button, Qt::KeyboardModifiers modifiers)
{
    if (!canGesture())
        return;
    m_dragging = false;
    endDrag(button, shiftValue(modifiers) == 0);
    m_pressRow = -1;
}

namespace {

QString dragName(BoxTarget target)
{
    switch (target) {
    case BoxTarget::Attack:
        return CanvasGestures::tr("拖动攻击框");
    case BoxTarget::ExtAttack:
        return CanvasGestures::tr("拖动扩展攻击框");
    case BoxTarget::Body:
        return CanvasGestures::tr("拖动受击框");
    case BoxTarget::ExtBody:
        return CanvasGestures::tr("拖动扩展受击框");
    }
    return {};
}

} // namespace

// The band as a box of the selected frame; nothing, after a message, when a
// number leaves the 16-bit range.
std::optional<model::Box> CanvasGestures::bandBox() const
{
    const model::FrameRecord& record = m_window.animation().frames[m_window.selectedRow()];
    const auto box = model::boxFromBand(m_window.PicEdit()->shape1()->canvasRect(), m_window.spriteCorner(record));
    if (!box)
        showMessage(&m_window, msg::boxOutOfRange());
    return box;
}

// Pushes the gesture from press to release as one step: the anchor a Ctrl
// drag moved, and, with no modifier held at release, the band written as the
// box chosen by the button and Check1. The canvas is not redrawn: the band
// stays where it was drawn until the next redraw.
void CanvasGestures::endDrag(Qt::MouseButton button, bool writesBand)
{
    const int row = m_window.selectedRow();
    AnimationDocument& document = m_window.document();
    QCheckBox* extended = m_window.referenceBar()->Check1();
    const BoxTarget target = FrameEdits::releaseTarget(button, extended->isChecked());
    const std::optional<model::Box> box = writesBand ? bandBox() : std::nullopt;
    RecordEditCommand* step = nullptr;
    if (box) {
        const int end = FrameEdits::drawnBoxReach(document.animation(), row, target);
        const bool attackSide = target == BoxTarget::Attack || target == BoxTarget::ExtAttack;
        step = new RecordEditCommand(
            document, dragName(target), row, end,
            [row, target, box = *box](model::Animation& a) { FrameEdits::writeDrawnBox(a, row, target, box); },
            attackSide ? Refresh::AttackPanel : Refresh::Nothing);
    } else {
        step = new RecordEditCommand(document, tr("拖动锚点"), row, row + 1, {}, Refresh::Nothing);
    }
    if (row == m_pressRow)
        step->setStartingRecord(m_pressRecord);
    document.push(step);
    if (box)
        extended->setChecked(false);
}

void CanvasGestures::keyDown(int key)
{
    if (!m_window.HasFrames())
        return;
    QListWidget* list = m_window.List1();
    const int row = m_window.selectedRow();
    if (key == Qt::Key_W && row > 0)
        list->setCurrentRow(row - 1);
    else if (key == Qt::Key_S && row < list->count() - 1)
        list->setCurrentRow(row + 1);

    const int current = m_window.selectedRow();
    const QPoint step = nudgeStep(key);
    if (!step.isNull() && m_window.animation().isValidRow(current)) {
        AnimationDocument& document = m_window.document();
        // A nudge past the end of the 16-bit range keeps the anchor.
        document.push(new RecordEditCommand(
            document, tr("移动锚点"), current, current + 1,
            [current, step](model::Animation& animation) {
                model::FrameRecord& record = animation.frames[current];
                record.offsetX = model::addInt16(record.offsetX, step.x()).value_or(record.offsetX);
                record.offsetY = model::addInt16(record.offsetY, step.y()).value_or(record.offsetY);
            },
            Refresh::Nothing, {MergeKey::Nudge, current}));
    }
    m_window.DrawFrame(current, true);
}

} // namespace animbox
