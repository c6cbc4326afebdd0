#pragma once

#include <QColor>
#include <QRect>
#include <QWidget>

namespace animbox {

// A rectangle outline over the canvas: a 1-pixel border in one colour with a
// see-through interior that lets mouse events pass to the canvas. It keeps
// its rectangle in canvas pixels as set, negative sizes included, and shows
// it normalised.
class BoxShape : public QWidget {
    Q_OBJECT
public:
    BoxShape(const QString& name, QColor border, QWidget* canvas);

    QColor borderColor() const { return m_border; }
    void setBorderColor(QColor color);

    // Left, Top, Width and Height in canvas pixels.
    QRect canvasRect() const { return m_rect; }
    void setCanvasRect(const QRect& rect);

    // Where canvas pixel (0, 0) lies inside the parent widget.
    void setCanvasOffset(QPoint offset);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    void place();

    QColor m_border;
    QRect m_rect;
    QPoint m_offset;
};

} // namespace animbox
