#pragma once

#include "editor/canvas/BoxShape.h"
#include "editor/canvas/CanvasComposer.h"
#include "editor/canvas/KeyedSprite.h"

#include <QCache>
#include <QFrame>
#include <QImage>

namespace zoom {
class ZoomControl;
}

namespace animbox {

// The editing canvas PicEdit: a persistent picture that redraws paint into
// and that the widget shows, the four box outlines over it, and a cache of
// sprites converted once with the key colour made transparent. The picture
// stays in canvas pixels; the widget shows it magnified by its zoom control
// and lays the outlines over it to match. Mouse and key events leave it as
// signals in canvas pixels (origin at the inner top-left of the picture).
// A redraw lists its drawing steps; present() composes only where they
// differ from the previous redraw's, and the widget repaints only those
// canvas pixels.
class CanvasView : public QFrame {
    Q_OBJECT
public:
    static constexpr QRgb kBackground = 0xffc0c0ff; // RGB(192, 192, 255)

    explicit CanvasView(QWidget* parent = nullptr);

    // Colour values of the settings are 0x00BBGGRR.
    static QRgb rgbFromColorValue(qint32 value);
    static qint32 colorValueFromRgb(QRgb rgb);

    // The persistent picture, null until the first redraw; a colour pick
    // reads its pixels.
    const QImage& picture() const { return m_picture; }
    QRgb pixelAt(QPoint canvasPoint) const;
    // Inner drawing area in pixels (inside the border).
    QSize innerSize() const { return contentsRect().size(); }

    // Sprite pixels of this colour are left out when drawing.
    QRgb keyColor() const { return m_keyColor; }
    void setKeyColor(QRgb color);

    // Drawing steps of a redraw, in order from the bottom; present() composes
    // them into the picture and has the changed pixels painted.
    void clearPicture();
    void drawSprite(const QImage& sprite, QPoint topLeft);
    void drawCross(QPoint origin);
    void present();

    BoxShape* shape1() const { return m_shape1; }   // body box, also the rubber band
    BoxShape* shape1a() const { return m_shape1a; } // extended body box
    BoxShape* shape2() const { return m_shape2; }   // attack box
    BoxShape* shape2a() const { return m_shape2a; } // extended attack box

    // Zoom and pan of the view; the window sets the fixed point (the cross).
    zoom::ZoomControl* zoom() const { return m_zoom; }
    // The canvas point under a widget point, at the view's zoom and pan.
    QPointF toCanvas(QPointF widgetPoint) const;

signals:
    void mousePressed(Qt::MouseButton button, Qt::KeyboardModifiers modifiers, QPointF point);
    void mouseMoved(Qt::MouseButtons buttons, Qt::KeyboardModifiers modifiers, QPointF point);
    void mouseReleased(Qt::MouseButton button, Qt::KeyboardModifiers modifiers, QPointF point);
    void keyPressed(int key, Qt::KeyboardModifiers modifiers);

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    const KeyedSprite& transparentSprite(const QImage& sprite);
    void fitPicture();
    void followZoom();

    zoom::ZoomControl* m_zoom;
    QImage m_picture;
    QSize m_pictureSize;
    CanvasComposer m_composer;
    QRgb m_keyColor = 0xff000000;
    QCache<qint64, KeyedSprite> m_sprites;
    KeyedSprite m_uncached;
    BoxShape* m_shape1;
    BoxShape* m_shape1a;
    BoxShape* m_shape2;
    BoxShape* m_shape2a;
};

} // namespace animbox
