#include "tools/FontConfigWarmUp.h"

#ifdef KES_HAVE_FONTCONFIG
#include <fontconfig/fontconfig.h>
#endif

namespace tools {

FontConfigWarmUp::FontConfigWarmUp()
{
#ifdef KES_HAVE_FONTCONFIG
    // Safe beside Qt's own first call: fontconfig keeps one configuration,
    // and of two threads reading it at once the later one drops its copy.
    m_thread = std::jthread([] { FcInit(); });
#endif
}

} // namespace tools
