#pragma once

class QWidget;

namespace tools {

// Name of the environment variable that makes a program end right after its
// main window has been painted and put on screen for the first time. Start-up
// benchmarks set it to time a whole process, from exec to the first frame.
inline constexpr char kExitAfterFirstPaint[] = "KES_EXIT_AFTER_FIRST_PAINT";

// Name of the environment variable that, beside the one above, names an open
// file descriptor. Right before it ends, the program writes one line there:
// the moment of its first frame on the steady clock and the processor time
// it had used by then, both in nanoseconds. A benchmark that reads it leaves
// out the teardown of the process, which no user waits for.
inline constexpr char kFirstFrameReportFd[] = "KES_FIRST_FRAME_FD";

// When the first variable is set, watches `window` (already shown) and ends
// the process without tearing anything down once its first exposure has
// been painted and flushed, after the report the second one asks for. Does
// nothing otherwise.
void exitAfterFirstPaintWhenAsked(QWidget& window);

} // namespace tools
