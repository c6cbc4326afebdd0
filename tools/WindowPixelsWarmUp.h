#pragma once

#include <thread>

class QWidget;

namespace tools {

// Has the memory of a shown window's pixels mapped in on a thread of its own
// while the main thread goes on to the window's first paint. On X11 that
// memory is shared with the display server and is mapped in page by page as
// the first paint writes it, which is a large part of that paint for a big
// window. The pages are mapped in without being written, so the thread never
// touches what the paint draws. Does nothing where the window's pixels are
// not an image in memory, where Qt scales for a high-density screen (the
// pixels are then reachable only while painting), or where the system
// cannot map memory in ahead.
class WindowPixelsWarmUp {
public:
    explicit WindowPixelsWarmUp(QWidget& window);

private:
    std::jthread m_thread;
};

} // namespace tools
