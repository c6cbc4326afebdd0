#include "tools/StartUpWarmUp.h"

#include <QtGlobal>

#ifdef KES_HAVE_FONTCONFIG
#include <fontconfig/fontconfig.h>
#endif

#ifdef Q_OS_LINUX
#include <dlfcn.h>

#include <cstdlib>
#include <cstring>
#endif

namespace tools {

namespace {

#ifdef Q_OS_LINUX
// Whether Qt will choose its X11 plugin: asked for it, or asked for nothing
// on a display outside a Wayland session, where Qt takes X11 by default.
bool x11Expected()
{
    const char* platform = std::getenv("QT_QPA_PLATFORM");
    if (platform && *platform)
        return std::strncmp(platform, "xcb", 3) == 0;
    const char* display = std::getenv("DISPLAY");
    const char* session = std::getenv("XDG_SESSION_TYPE");
    return display && *display && !(session && std::strcmp(session, "wayland") == 0);
}
#endif

// Loads what Qt's X11 plugin links and what it loads itself for the mouse
// cursor, as Qt loads them (local symbols). The handles are kept: unloading
// would undo the work, and Qt holds the libraries for the whole run anyway.
// A library that is missing is Qt's to report, if it needs it at all.
void loadWindowSystemLibraries()
{
#ifdef Q_OS_LINUX
    if (!x11Expected())
        return;
    for (const char* library : {"libQt6XcbQpa.so.6", "libXcursor.so.1"})
        dlopen(library, RTLD_LAZY | RTLD_LOCAL);
#endif
}

} // namespace

StartUpWarmUp::StartUpWarmUp()
    : m_thread([] {
        loadWindowSystemLibraries();
#ifdef KES_HAVE_FONTCONFIG
        // Safe beside Qt's own first call: fontconfig keeps one
        // configuration, and of two threads reading it at once the later
        // one drops its copy.
        FcInit();
#endif
    })
{
}

} // namespace tools
