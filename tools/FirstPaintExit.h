#pragma once

class QWidget;

namespace tools {

// Name of the environment variable that makes a program end right after its
// main window has been painted and put on screen for the first time. Start-up
// benchmarks set it to time a whole process, from exec to the first frame.
inline constexpr char kExitAfterFirstPaint[] = "KES_EXIT_AFTER_FIRST_PAINT";

// When the variable is set, watches `window` (already shown) and ends the
// process without tearing anything down once its first exposure has been
// painted and flushed. Does nothing otherwise.
void exitAfterFirstPaintWhenAsked(QWidget& window);

} // namespace tools
