#pragma once

#include <QImage>
#include <QWidget>

namespace zoom {
class ZoomControl;
}

namespace classic {

// The picture box of the picture window (`Picture1`): a sprite with the
// anchor cross drawn over it, at its natural size times the zoom level. It
// reports presses in sprite pixels, and keys; the window decides what they do.
class CrossPicture : public QWidget {
    Q_OBJECT
public:
    explicit CrossPicture(QWidget* parent = nullptr);

    const QImage& image() const { return m_image; }
    void setImage(const QImage& image);
    QPoint cross() const { return m_cross; }
    void setCross(QPoint cross);
    zoom::ZoomControl* zoom() const { return m_zoom; }

signals:
    void pressed(QPoint at);
    void keyPressed(int key);

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    void fitToZoom();

    zoom::ZoomControl* m_zoom;
    QImage m_image;
    QPoint m_cross;
};

} // namespace classic
