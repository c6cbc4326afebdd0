#include "model/zoom/ZoomMapping.h"

#include <algorithm>
#include <cmath>

namespace model {

namespace {

// The pan range on one axis: the magnified picture reaches (level − 1) times
// the distance from the origin to either edge beyond the view.
int boundedPan(int pan, int origin, int extent, int level)
{
    const int low = -origin * (level - 1);
    const int high = (extent - origin) * (level - 1);
    return std::max(std::min(pan, high), low);
}

} // namespace

void ZoomMapping::setLevel(int level)
{
    int chosen = kLevels.front();
    for (const int candidate : kLevels) {
        if (candidate <= level)
            chosen = candidate;
    }
    m_level = chosen;
    setPan(m_pan);
}

int ZoomMapping::steppedLevel(int level, int direction)
{
    const auto at = std::find(kLevels.begin(), kLevels.end(), level);
    const auto index = std::clamp<qsizetype>((at - kLevels.begin()) + direction, 0, qsizetype(kLevels.size()) - 1);
    return kLevels[size_t(index)];
}

void ZoomMapping::setOrigin(QPoint origin)
{
    m_origin = origin;
    setPan(m_pan);
}

void ZoomMapping::setViewSize(QSize size)
{
    m_view = size;
    setPan(m_pan);
}

void ZoomMapping::setPan(QPoint pan)
{
    m_pan = QPoint(boundedPan(pan.x(), m_origin.x(), m_view.width(), m_level),
                   boundedPan(pan.y(), m_origin.y(), m_view.height(), m_level));
}

QPointF ZoomMapping::toView(QPointF canvas) const
{
    return QPointF(m_origin) + (canvas - QPointF(m_origin)) * m_level - QPointF(m_pan);
}

QRect ZoomMapping::toView(const QRect& canvas) const
{
    return QRect(toView(QPointF(canvas.topLeft())).toPoint(), canvas.size() * m_level);
}

QRectF ZoomMapping::toView(const QRectF& canvas) const
{
    return QRectF(toView(canvas.topLeft()), canvas.size() * m_level);
}

QPointF ZoomMapping::toCanvas(QPointF view) const
{
    const QPointF canvas = QPointF(m_origin) + (view + QPointF(m_pan) - QPointF(m_origin)) / m_level;
    if (m_level == 1)
        return canvas;
    return QPointF(std::floor(canvas.x()), std::floor(canvas.y()));
}

QRect ZoomMapping::canvasPixelsUnder(const QRect& view) const
{
    const QPointF first = toCanvas(QPointF(view.topLeft()));
    const QPointF last = toCanvas(QPointF(view.bottomRight()));
    return QRect(QPoint(int(std::floor(first.x())), int(std::floor(first.y()))),
                 QPoint(int(std::floor(last.x())), int(std::floor(last.y()))));
}

} // namespace model
