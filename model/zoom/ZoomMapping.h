#pragma once

#include <QPoint>
#include <QPointF>
#include <QRect>
#include <QRectF>
#include <QSize>

#include <array>

namespace model {

// How a canvas shows its picture magnified: an integer zoom level that grows
// the picture around a fixed canvas point (the anchor cross), and a pan in
// view pixels that scrolls over the magnified picture. Canvas coordinates are
// the picture's own pixels; view coordinates are the pixels of the widget's
// drawing area. At level 1 the two are the same and there is nothing to pan.
class ZoomMapping {
public:
    static constexpr std::array<int, 6> kLevels{1, 2, 3, 4, 6, 8};

    int level() const { return m_level; }
    // Takes the nearest level not above `level` (1 below the smallest).
    void setLevel(int level);
    // The level one step up (+1) or down (-1), staying at either end.
    static int steppedLevel(int level, int direction);

    QPoint origin() const { return m_origin; }
    void setOrigin(QPoint origin);
    QSize viewSize() const { return m_view; }
    void setViewSize(QSize size);

    QPoint pan() const { return m_pan; }
    // Keeps the pan within the magnified picture: the view never shows
    // anything beyond what the picture at level 1 covers.
    void setPan(QPoint pan);
    bool canPan() const { return m_level > 1; }

    QPointF toView(QPointF canvas) const;
    QRect toView(const QRect& canvas) const;
    QRectF toView(const QRectF& canvas) const;
    // The canvas point under a view point: at level 1 the point itself, above
    // it the top-left corner of the canvas pixel that the point lies on, so a
    // pointer anywhere on a magnified pixel means that pixel.
    QPointF toCanvas(QPointF view) const;
    // The canvas pixels that cover `view` (a rectangle of view pixels).
    QRect canvasPixelsUnder(const QRect& view) const;

private:
    int m_level = 1;
    QPoint m_origin;
    QSize m_view;
    QPoint m_pan;
};

} // namespace model
