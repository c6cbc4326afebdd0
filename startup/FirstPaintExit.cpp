#include "startup/FirstPaintExit.h"

#include "startup/AfterFirstFrame.h"

#include <QtGlobal>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <ctime>

#ifdef Q_OS_UNIX
#include <unistd.h>
#endif

namespace tools {

namespace {

// Writes the moment of the first frame and the processor time used so far
// to the descriptor the benchmark named, if it named one.
void reportFirstFrame()
{
#ifdef Q_OS_UNIX
    bool named = false;
    const int fd = qEnvironmentVariableIntValue(kFirstFrameReportFd, &named);
    if (!named || fd < 0)
        return;
    const auto now = std::chrono::steady_clock::now().time_since_epoch();
    const long long moment = std::chrono::duration_cast<std::chrono::nanoseconds>(now).count();
    const long long processor = static_cast<long long>(std::clock()) * (1000000000LL / CLOCKS_PER_SEC);
    char line[64];
    const int length = std::snprintf(line, sizeof line, "%lld %lld\n", moment, processor);
    if (length > 0 && write(fd, line, size_t(length)) != length)
        std::perror("first-frame report");
#endif
}

} // namespace

void exitAfterFirstPaintWhenAsked(QWidget& window)
{
    if (qEnvironmentVariableIsEmpty(kExitAfterFirstPaint))
        return;
    // Ends at once: the benchmark times the start, not the teardown.
    runAfterFirstFrame(window, [] {
        reportFirstFrame();
        std::_Exit(0);
    });
}

} // namespace tools
