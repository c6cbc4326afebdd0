#pragma once

#include <QObject>

// Canvas rendering: sprites at the anchor with the key colour left out, the
// previous frame beneath, the cross, and the box outlines.
class CanvasTest : public QObject {
    Q_OBJECT
private slots:
    void drawsSpriteAtAnchor();
    void previousFrameUnderCurrent();
    void newKeyColourRedrawsSprites();
    void boxOutlines_data();
    void boxOutlines();
    void frameWithoutPictureDrawsCross();
};
