#include "zoom/ZoomControl.h"

#include <QKeySequence>
#include <QLabel>
#include <QMouseEvent>
#include <QShortcut>
#include <QWheelEvent>
#include <QWidget>

namespace zoom {

namespace {

// One notch of a wheel, in the units of QWheelEvent::angleDelta.
constexpr int kNotch = 120;
// How far one notch scrolls the view, in view pixels.
constexpr int kPixelsPerNotch = 48;

} // namespace

ZoomControl::ZoomControl(QWidget* view, Panning panning)
    : QObject(view)
    , m_panning(panning)
{
    view->installEventFilter(this);
}

void ZoomControl::setLevel(int level)
{
    const int before = m_mapping.level();
    // The pan stays, so the cross keeps its place on the view unless the
    // smaller picture no longer reaches that far.
    m_mapping.setLevel(level);
    if (m_mapping.level() == before)
        return;
    emit mappingChanged();
    emit levelChanged(m_mapping.level());
}

void ZoomControl::setOrigin(QPoint origin)
{
    m_mapping.setOrigin(origin);
    emit mappingChanged();
}

void ZoomControl::setViewSize(QSize size)
{
    m_mapping.setViewSize(size);
    emit mappingChanged();
}

void ZoomControl::addShortcuts(QWidget* window)
{
    const auto add = [this, window](QKeyCombination keys, void (ZoomControl::*slot)()) {
        connect(new QShortcut(QKeySequence(keys), window), &QShortcut::activated, this, slot);
    };
    add(Qt::CTRL | Qt::Key_Equal, &ZoomControl::zoomIn);
    // Ctrl++ is the same key with Shift on most layouts, and the keypad's plus.
    add(Qt::CTRL | Qt::Key_Plus, &ZoomControl::zoomIn);
    add(Qt::CTRL | Qt::Key_Minus, &ZoomControl::zoomOut);
    add(Qt::CTRL | Qt::Key_0, &ZoomControl::resetZoom);
}

QLabel* ZoomControl::createLabel(QWidget* parent)
{
    auto* label = new QLabel(parent);
    const auto show = [label](int level) { label->setText(tr("缩放 %1x").arg(level)); };
    show(level());
    connect(this, &ZoomControl::levelChanged, label, show);
    return label;
}

void ZoomControl::zoomIn()
{
    setLevel(model::ZoomMapping::steppedLevel(level(), 1));
}

void ZoomControl::zoomOut()
{
    setLevel(model::ZoomMapping::steppedLevel(level(), -1));
}

void ZoomControl::resetZoom()
{
    setLevel(1);
}

void ZoomControl::setPan(QPoint pan)
{
    const QPoint before = m_mapping.pan();
    m_mapping.setPan(pan);
    if (m_mapping.pan() != before)
        emit mappingChanged();
}

bool ZoomControl::eventFilter(QObject* watched, QEvent* event)
{
    switch (event->type()) {
    case QEvent::Wheel:
        return wheel(static_cast<const QWheelEvent&>(*event));
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonDblClick:
    case QEvent::MouseMove:
    case QEvent::MouseButtonRelease:
        return middleDrag(static_cast<const QMouseEvent&>(*event));
    default:
        return QObject::eventFilter(watched, event);
    }
}

bool ZoomControl::wheel(const QWheelEvent& event)
{
    const QPoint delta = event.angleDelta();
    if (event.modifiers() == Qt::ControlModifier) {
        // Fine-grained wheels send parts of a notch; a level step takes a whole one.
        m_wheelZoom += delta.y();
        while (m_wheelZoom >= kNotch) {
            m_wheelZoom -= kNotch;
            zoomIn();
        }
        while (m_wheelZoom <= -kNotch) {
            m_wheelZoom += kNotch;
            zoomOut();
        }
        return true;
    }
    if (m_panning == Panning::Off || !m_mapping.canPan())
        return false;
    // Some platforms turn a Shift+wheel into a horizontal one themselves.
    const QPoint scroll = event.modifiers() == Qt::ShiftModifier ? QPoint(delta.y() ? delta.y() : delta.x(), 0) : delta;
    setPan(m_mapping.pan() - scroll * kPixelsPerNotch / kNotch);
    return true;
}

bool ZoomControl::middleDrag(const QMouseEvent& event)
{
    if (m_panning == Panning::Off)
        return false;
    switch (event.type()) {
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonDblClick:
        if (event.button() != Qt::MiddleButton || !m_mapping.canPan())
            return m_dragging;
        m_dragging = true;
        m_dragStart = event.position();
        m_dragPan = m_mapping.pan();
        return true;
    case QEvent::MouseMove:
        if (m_dragging)
            setPan(m_dragPan - (event.position() - m_dragStart).toPoint());
        return m_dragging;
    default:
        if (!m_dragging || event.button() != Qt::MiddleButton)
            return m_dragging;
        m_dragging = false;
        return true;
    }
}

} // namespace zoom
