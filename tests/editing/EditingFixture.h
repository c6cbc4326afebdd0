#pragma once

#include "TestHelpers.h"

#include <QEvent>

#include <memory>

namespace editing {

// A shown main window on a game folder whose frame list holds frames of one
// 40 × 60 sprite, with mouse events sent to its canvas in canvas pixels.
class EditingFixture {
public:
    // Adds `count` frames of frame.gif; selects the first row when `select`.
    // Returns null when any step of the setup failed.
    animbox::FrmMain* open(int count, bool select = true);
    animbox::FrmMain* window() const { return m_window.get(); }
    model::FrameRecord& frame(int row) const { return m_window->animation().frames[row]; }

    // The anchor cross on the canvas, a row's anchor in its sprite, and the
    // top-left corner of that sprite on the canvas.
    QPoint origin() const { return {m_window->canvasOriginX(), m_window->canvasOriginY()}; }
    QPoint anchor(int row) const { return {frame(row).offsetX, frame(row).offsetY}; }
    QPoint corner(int row) const { return origin() - anchor(row); }

    // A press, move (with `button` held) or release at `p`.
    void mouse(QEvent::Type type, QPointF p, Qt::MouseButton button, Qt::KeyboardModifiers mods = {});
    void drag(QPointF from, QPointF to, Qt::MouseButton button, Qt::KeyboardModifiers mods = {});

    testing::Fixture files;
    testing::ModalDriver modal;

private:
    std::unique_ptr<animbox::FrmMain> m_window;
};

} // namespace editing
