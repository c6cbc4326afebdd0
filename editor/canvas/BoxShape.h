#pragma once

#include <QColor>
#include <QObject>
#include <QRect>

class QPainter;
class QWidget;

namespace model {
class ZoomMapping;
}

namespace animbox {

// A rectangle outline over the canvas: a border one device pixel wide in one
// colour around a see-through interior. It keeps its rectangle in canvas
// pixels as set, negative sizes included, and shows it normalised and
// magnified as the canvas view is. The canvas paints it over its picture; a
// change repaints only the old and the new border, never the interior, so a
// growing rubber band costs its outline and not its area.
class BoxShape : public QObject {
    Q_OBJECT
public:
    // `mapping` is the canvas view's and outlives the shape.
    BoxShape(const QString& name, QColor border, const model::ZoomMapping& mapping, QWidget* canvas);

    QColor borderColor() const { return m_border; }
    void setBorderColor(QColor color);

    // Left, Top, Width and Height in canvas pixels.
    QRect canvasRect() const { return m_rect; }
    void setCanvasRect(const QRect& rect);

    bool isVisible() const { return m_visible; }
    void setVisible(bool visible);
    void show() { setVisible(true); }
    void hide() { setVisible(false); }

    // Where the outline lies on the canvas widget.
    QRect geometry() const { return m_geometry; }
    QSize size() const { return m_geometry.size(); }

    // Where view pixel (0, 0) of the canvas lies inside the canvas widget.
    void setCanvasOffset(QPoint offset);
    // Lays the shape over the canvas again, after the view's mapping changed.
    void place();

    // Draws the outline when shown; the painter's origin is the canvas widget's.
    void paint(QPainter& painter) const;

private:
    void repaintBorder() const;

    QWidget* m_canvas;
    QColor m_border;
    QRect m_rect;
    const model::ZoomMapping& m_mapping;
    QPoint m_offset;
    QRect m_geometry;
    bool m_visible = false;
};

} // namespace animbox
