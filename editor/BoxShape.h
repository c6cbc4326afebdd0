#pragma once

#include <QColor>
#include <QRect>
#include <QWidget>

namespace model {
class ZoomMapping;
}

namespace animbox {

// A rectangle outline over the canvas: a border one device pixel wide in one
// colour with a see-through interior that lets mouse events pass to the
// canvas. It keeps its rectangle in canvas pixels as set, negative sizes
// included, and shows it normalised and magnified as the canvas view is.
class BoxShape : public QWidget {
    Q_OBJECT
public:
    // `mapping` is the canvas view's and outlives the shape.
    BoxShape(const QString& name, QColor border, const model::ZoomMapping& mapping, QWidget* canvas);

    QColor borderColor() const { return m_border; }
    void setBorderColor(QColor color);

    // Left, Top, Width and Height in canvas pixels.
    QRect canvasRect() const { return m_rect; }
    void setCanvasRect(const QRect& rect);

    // Where view pixel (0, 0) of the canvas lies inside the parent widget.
    void setCanvasOffset(QPoint offset);
    // Lays the shape over the canvas again, after the view's mapping changed.
    void place();

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QColor m_border;
    QRect m_rect;
    const model::ZoomMapping& m_mapping;
    QPoint m_offset;
};

} // namespace animbox
