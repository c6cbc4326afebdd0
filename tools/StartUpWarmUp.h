#pragma once

#include <thread>

namespace tools {

// Does on a thread of its own, while the program's main thread sets up the
// application, two pieces of start-up work that Qt would otherwise do on the
// main thread, one after the other, before the first frame:
// - on X11 it loads the libraries of Qt's window-system plugin (about twenty
//   of them, a few milliseconds of mapping and relocation), so that Qt's own
//   loading of the plugin finds them loaded;
// - it reads the font configuration, which Qt's font database asks for first
//   on a desktop that uses fontconfig (the configuration files and the font
//   caches).
// Where neither applies it does nothing. The thread is joined on destruction.
class StartUpWarmUp {
public:
    StartUpWarmUp();

private:
    std::jthread m_thread;
};

} // namespace tools
