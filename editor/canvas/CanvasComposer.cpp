#include "editor/canvas/CanvasComposer.h"

#include <QPainter>

#include <utility>

namespace animbox {

QRect CanvasComposer::Step::rect() const
{
    if (!sprite.image.isNull())
        return sprite.visible.translated(point);
    // A pixel of margin around the arms, whatever the rasteriser rounds.
    const QPoint reach(arm + 1, arm + 1);
    return QRect(point - reach, point + reach);
}

bool CanvasComposer::Step::operator==(const Step& other) const
{
    return sprite.image.cacheKey() == other.sprite.image.cacheKey() && point == other.point && arm == other.arm
        && colour == other.colour;
}

void CanvasComposer::Step::draw(QPainter& painter) const
{
    if (!sprite.image.isNull()) {
        painter.drawImage(point + sprite.visible.topLeft(), sprite.image, sprite.visible);
        return;
    }
    painter.setPen(QPen(QColor::fromRgb(colour), 1));
    painter.drawLine(point.x() - arm, point.y(), point.x() + arm, point.y());
    painter.drawLine(point.x(), point.y() - arm, point.x(), point.y() + arm);
}

CanvasComposer::CanvasComposer(QRgb background)
    : m_background(background)
{
}

void CanvasComposer::begin()
{
    m_next.clear();
}

void CanvasComposer::addSprite(const KeyedSprite& sprite, QPoint topLeft)
{
    m_next.append({sprite, topLeft});
}

void CanvasComposer::addCross(QPoint origin, int arm, QColor colour)
{
    m_next.append({KeyedSprite(), origin, arm, colour.rgba()});
}

void CanvasComposer::invalidate()
{
    m_invalid = true;
}

// The pixels under every step that differs from the step in the same place
// of the previous redraw; outside them the two redraws compose the same.
QRegion CanvasComposer::changedArea(qsizetype* firstChanged) const
{
    QRegion area;
    const qsizetype count = qMax(m_shown.size(), m_next.size());
    *firstChanged = count;
    for (qsizetype i = 0; i < count; ++i) {
        const bool shown = i < m_shown.size();
        const bool next = i < m_next.size();
        if (shown && next && m_shown[i] == m_next[i])
            continue;
        *firstChanged = qMin(*firstChanged, i);
        if (shown)
            area += m_shown[i].rect();
        if (next)
            area += m_next[i].rect();
    }
    return area;
}

// The background with the first `count` new steps drawn on it, made again
// only when those steps or the picture size changed; null for no steps, where
// the background colour alone lies beneath.
const QImage* CanvasComposer::layerBeneath(qsizetype count, QSize size)
{
    if (count == 0)
        return nullptr;
    const QList<Step> steps = m_next.first(count);
    if (m_layer.size() != size || m_layerSteps != steps) {
        m_layer = QImage(size, QImage::Format_RGB32);
        m_layer.fill(m_background);
        QPainter painter(&m_layer);
        for (const Step& step : steps)
            step.draw(painter);
        m_layerSteps = steps;
    }
    return &m_layer;
}

QRegion CanvasComposer::compose(QImage& picture)
{
    qsizetype first = 0;
    QRegion changed = m_invalid ? QRegion(picture.rect()) : changedArea(&first) & picture.rect();
    if (!changed.isEmpty()) {
        const QImage* layer = layerBeneath(first, picture.size());
        // hiddenFrom[k]: what the opaque steps from step first + k up hide.
        // A step is drawn only where no opaque step above it covers it, the
        // layer only where no new opaque step does.
        const qsizetype count = m_next.size() - first;
        QList<QRegion> hiddenFrom(count + 1);
        for (qsizetype k = count - 1; k >= 0; --k) {
            const Step& step = m_next[first + k];
            hiddenFrom[k] = step.sprite.isOpaque() ? hiddenFrom[k + 1] + step.rect() : hiddenFrom[k + 1];
        }
        QPainter painter(&picture);
        for (const QRect& rect : changed) {
            painter.setClipping(false);
            painter.setCompositionMode(QPainter::CompositionMode_Source);
            for (const QRect& beneath : QRegion(rect) - hiddenFrom[0]) {
                if (layer)
                    painter.drawImage(beneath.topLeft(), *layer, beneath);
                else
                    painter.fillRect(beneath, QColor::fromRgb(m_background));
            }
            painter.setCompositionMode(QPainter::CompositionMode_SourceOver);
            for (qsizetype k = 0; k < count; ++k) {
                const Step& step = m_next[first + k];
                for (const QRect& part : (QRegion(rect) & step.rect()) - hiddenFrom[k + 1]) {
                    painter.setClipRect(part);
                    step.draw(painter);
                }
            }
        }
    }
    m_shown = std::exchange(m_next, {});
    m_invalid = false;
    return changed;
}

} // namespace animbox
