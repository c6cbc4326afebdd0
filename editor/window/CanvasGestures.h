#pragma once

#include "model/animation/FrameRecord.h"

#include <QObject>
#include <QPointF>

#include <optional>

namespace animbox {

class FrmMain;

// The mouse and key gestures on the canvas PicEdit: anchor drag (Ctrl),
// colour pick (Alt), rubber-band box drag (anything else), the release that
// writes the drawn box, the pointer read-out, and the keys that step through
// the frames (W, S) and nudge the anchor (arrows). Holds the drag state
// between press and release; each release is one undo step, anchor move
// and drawn box together.
class CanvasGestures : public QObject {
    Q_OBJECT
public:
    explicit CanvasGestures(FrmMain& window);

    // The modifier sum the gestures compare: 1 Shift, 2 Ctrl, 4 Alt.
    static int shiftValue(Qt::KeyboardModifiers modifiers);
    // The read-out of the pointer's distance from the anchor cross.
    static QString readOut(QPointF point, QPoint origin);

    bool isDragging() const { return m_dragging; }

    void mouseDown(Qt::MouseButton button, Qt::KeyboardModifiers modifiers, QPointF point);
    void mouseMove(Qt::KeyboardModifiers modifiers, QPointF point);
    void mouseUp(Qt::MouseButton button, Qt::KeyboardModifiers modifiers);
    void keyDown(int key);

private:
    void pickColor(QPointF point);
    void startBand(Qt::MouseButton button, QPointF point);
    void dragAnchor(QPointF point);
    void growBand(QPointF point);
    std::optional<model::Box> bandBox() const;
    void endDrag(Qt::MouseButton button, bool writesBand);
    bool canGesture() const;

    FrmMain& m_window;
    bool m_dragging = false;
    QPointF m_press;
    qint16 m_pressOffsetX = 0;
    qint16 m_pressOffsetY = 0;
    // The pressed row and its record at the press, before a drag moved it.
    int m_pressRow = -1;
    model::FrameRecord m_pressRecord;
};

} // namespace animbox
