#pragma once

#include <thread>

namespace tools {

// Reads the system's font configuration on a thread of its own while the
// program connects to the window system, so that the window's first text
// finds it read. The configuration is what Qt's font database asks for
// first on a desktop that uses fontconfig; reading it (the configuration
// files and the font caches) takes a few milliseconds of every start.
// Without fontconfig it does nothing. The thread is joined on destruction.
class FontConfigWarmUp {
public:
    FontConfigWarmUp();

private:
    std::jthread m_thread;
};

} // namespace tools
