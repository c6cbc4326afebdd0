#include "editor/CanvasGestures.h"

#include "editor/CanvasView.h"
#include "editor/DisplayGroup.h"
#include "editor/Messages.h"
#include "editor/FrameEdits.h"
#include "editor/FrmMain.h"
#include "editor/ReferenceBar.h"
#include "model/Adjustment.h"
#include "model/Numbers.h"

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
}

int CanvasGestures::shiftValue(Qt::KeyboardModifiers modifiers)
{
    return (modifiers.testFlag(Qt::ShiftModifier) ? kShift : 0) + (modifiers.testFlag(Qt::ControlModifier) ? kCtrl : 0)
        + (modifiers.testFlag(Qt::AltModifier) ? kAlt : 0);
}

QString CanvasGestures::readOut(QPointF point, QPoint origin)
{
    return QStringLiteral("X边距:") + signedNumber(point.x() - origin.x()) + QStringLiteral("\r\nY边距")
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
    const model::FrameRecord& record = m_window.animation().frames[m_window.selectedRow()];
    m_press = point;
    m_pressOffsetX = record.offsetX;
    m_pressOffsetY = record.offsetY;
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
    if (shiftValue(modifiers) == 0)
        writeBand(button);
}

// Writes the band as the box chosen by the button and Check1. The canvas is
// not redrawn: the band stays where it was drawn until the next redraw.
void CanvasGestures::writeBand(Qt::MouseButton button)
{
    const int row = m_window.selectedRow();
    const model::FrameRecord& record = m_window.animation().frames[row];
    const auto box = model::boxFromBand(m_window.PicEdit()->shape1()->canvasRect(), m_window.spriteCorner(record));
    if (!box) {
        showMessage(&m_window, msg::boxOutOfRange);
        return;
    }
    QCheckBox* extended = m_window.referenceBar()->Check1();
    const BoxTarget target = FrameEdits::releaseTarget(button, extended->isChecked());
    FrameEdits::writeDrawnBox(m_window.animation(), row, target, *box);
    if (target == BoxTarget::Attack || target == BoxTarget::ExtAttack)
        m_window.LoadAttackPanel(row);
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
        model::FrameRecord& record = m_window.animation().frames[current];
        // A nudge past the end of the 16-bit range keeps the anchor.
        record.offsetX = model::addInt16(record.offsetX, step.x()).value_or(record.offsetX);
        record.offsetY = model::addInt16(record.offsetY, step.y()).value_or(record.offsetY);
    }
    m_window.DrawFrame(current, true);
}

} // namespace animbox
