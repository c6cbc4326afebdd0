#pragma once

#include "EditingFixture.h"

#include <QPoint>

class QWidget;

namespace editing {

// A wheel turn by `angle` in the middle of `widget`. The zoomed canvas's
// own helpers went to tests/zoom; the editing tests still turn wheels.
void wheel(QWidget* widget, QPoint angle, Qt::KeyboardModifiers modifiers = {});

} // namespace editing
