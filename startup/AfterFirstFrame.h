#pragma once

#include <functional>

class QWidget;

namespace tools {

// Runs `work` once, from the event loop, right after the first frame of
// `window` (already shown) has been painted and put on screen. Programs use it
// for start-up work that the first frame does not need, so the window shows
// before that work is done.
void runAfterFirstFrame(QWidget& window, std::function<void()> work);

} // namespace tools
