#pragma once

#include "editor/canvas/KeyedSprite.h"

#include <QColor>
#include <QImage>
#include <QList>
#include <QRegion>

namespace animbox {

// The drawing steps of the canvas's latest redraw (sprites converted with
// the key colour transparent, then the cross) and the composing of them into
// the canvas picture. A redraw recomposes only the pixels under the steps
// that differ from the previous redraw's, a sprite counting by its visible
// pixels. The unchanged steps before the first changed one (the previous
// frame while the current one is dragged) are kept composed over the
// background in a layer, so they are copied, not drawn again, under the
// changed ones; nothing is copied or drawn where an opaque sprite above
// covers it.
class CanvasComposer {
public:
    explicit CanvasComposer(QRgb background);

    // Starts the steps of a new redraw.
    void begin();
    void addSprite(const KeyedSprite& sprite, QPoint topLeft);
    void addCross(QPoint origin, int arm, QColor colour);
    // Composes the new steps into `picture` and returns the canvas pixels
    // that changed.
    QRegion compose(QImage& picture);
    // The next compose() recomposes the whole picture (it was resized).
    void invalidate();

private:
    struct Step {
        KeyedSprite sprite; // a null image for the cross
        QPoint point;       // a sprite's top-left corner or the cross's centre
        int arm = 0;
        QRgb colour = 0;

        QRect rect() const;
        bool operator==(const Step& other) const;
        void draw(QPainter& painter) const;
    };

    QRegion changedArea(qsizetype* firstChanged) const;
    const QImage* layerBeneath(qsizetype count, QSize size);

    QRgb m_background;
    QList<Step> m_shown;
    QList<Step> m_next;
    bool m_invalid = true;
    // The background with the first m_layerSteps of m_shown drawn on it.
    QImage m_layer;
    QList<Step> m_layerSteps;
};

} // namespace animbox
