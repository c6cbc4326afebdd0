#pragma once

#include <QColor>
#include <QFrame>
#include <QImage>
#include <QRectF>

#include <array>

namespace zoom {
class ZoomControl;
}

namespace classic {

// The editing canvas of the classic editor (`PicEdit`): a persistent picture
// that showFrame draws into, and the two box outlines (`Shape1` for the body
// box, `Shape2` for the attack box) laid over it. A canvas nothing has been
// drawn on since it was cleared keeps no picture: it is all background, and
// the window's first frame need not allocate and fill one. The picture stays in
// drawing-area pixels and is shown magnified around the anchor point by the
// zoom control. Mouse events are reported in drawing-area coordinates; the
// window turns them into box lines.
class Canvas : public QFrame {
    Q_OBJECT
public:
    enum class Shape { Body = 0, Attack = 1 };

    explicit Canvas(QWidget* parent = nullptr);

    // Size of the drawing area inside the border.
    QSize drawingSize() const;
    // The anchor cross of a frame with an offset: the horizontal middle, one
    // third of the height above the bottom edge. The view zooms around it.
    QPoint anchorPoint() const;
    zoom::ZoomControl* zoom() const { return m_zoom; }
    // The picture as shown, in drawing-area pixels.
    QImage picture() const;

    QColor background() const { return m_background; }
    // Takes the colour and clears the picture to it.
    void setBackground(const QColor& colour);
    void clear();
    // Copies `image` (no key colour) with its top-left at `at`; its
    // transparent pixels take the background colour.
    void drawImage(QPoint at, const QImage& image);
    // The black anchor cross, 5 pixels to each side of `at`.
    void drawCross(QPoint at);

    QRectF shapeRect(Shape shape) const { return m_shapes[index(shape)]; }
    void setShapeRect(Shape shape, const QRectF& rect);
    bool isShapeVisible(Shape shape) const { return m_shapeVisible[index(shape)]; }
    void setShapeVisible(Shape shape, bool visible);

signals:
    void pressed(QPoint at, Qt::MouseButton button);
    void moved(QPoint at, Qt::MouseButtons buttons);
    void released(QPoint at, Qt::MouseButton button);

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    static int index(Shape shape) { return static_cast<int>(shape); }
    QPoint toDrawing(QPointF widgetPoint) const;
    // The picture to draw on, made from the background when there is none.
    QImage& drawnPicture();

    zoom::ZoomControl* m_zoom;
    // Null while the canvas is all background.
    QImage m_picture;
    QColor m_background;
    std::array<QRectF, 2> m_shapes;
    std::array<bool, 2> m_shapeVisible{false, false};
};

} // namespace classic
