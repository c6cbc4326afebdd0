#include "tools/FirstPaintExit.h"

#include "tools/AfterFirstFrame.h"

#include <QtGlobal>

#include <cstdlib>

namespace tools {

void exitAfterFirstPaintWhenAsked(QWidget& window)
{
    if (qEnvironmentVariableIsEmpty(kExitAfterFirstPaint))
        return;
    // Ends at once: the benchmark times the start, not the teardown.
    runAfterFirstFrame(window, [] { std::_Exit(0); });
}

} // namespace tools
