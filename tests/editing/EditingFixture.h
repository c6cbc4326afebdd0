#pragma once

#include "TestHelpers.h"

// The window's parts that the window tests drive.
#include "editor/canvas/CanvasView.h"
#include "editor/panels/AttackPanel.h"
#include "editor/panels/BrowserPanel.h"
#include "editor/panels/DisplayGroup.h"
#include "editor/panels/FrameListGroup.h"

#include <QEvent>
#include <QListWidget>

#include <memory>

namespace editing {

// The window tests' fixture: a game folder, a modal-dialog driver and a shown main window on it, with mouse
// events sent to its canvas in canvas pixels. Both return null when any step of the setup failed.
class EditingFixture {
public:
    // The window with its browser on `folder` (the sprite folder by default).
    animbox::FrmMain* show(const QString& folder = QString());
    // The window with `count` frames of the 40 × 60 frame.gif; the first row selected when `select`.
    animbox::FrmMain* open(int count, bool select = true);
    animbox::FrmMain* window() const { return m_window.get(); }
    model::FrameRecord& frame(int row) const { return m_window->animation().frames[row]; }

    // The anchor cross on the canvas, a row's anchor in its sprite, and the top-left corner of that sprite on it.
    QPoint origin() const { return {m_window->canvasOriginX(), m_window->canvasOriginY()}; }
    QPoint anchor(int row) const { return {frame(row).offsetX, frame(row).offsetY}; }
    QPoint corner(int row) const { return origin() - anchor(row); }

    // A press, move (with `button` held) or release at `p`.
    void mouse(QEvent::Type type, QPointF p, Qt::MouseButton button, Qt::KeyboardModifiers mods = {});
    void drag(QPointF from, QPointF to, Qt::MouseButton button, Qt::KeyboardModifiers mods = {});
    // A wheel turn by `angle` in the middle of `widget`, with `modifiers` held.
    static void wheel(QWidget* widget, QPoint angle, Qt::KeyboardModifiers modifiers = {});

    testing::Fixture files;
    testing::ModalDriver modal;

private:
    std::unique_ptr<animbox::FrmMain> m_window;
};

} // namespace editing
