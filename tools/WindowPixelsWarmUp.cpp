#include "tools/WindowPixelsWarmUp.h"

#include <QBackingStore>
#include <QImage>
#include <QWidget>

#ifdef Q_OS_LINUX
#include <sys/mman.h>
#include <unistd.h>

#include <cstdint>
#endif

namespace tools {

WindowPixelsWarmUp::WindowPixelsWarmUp(QWidget& window)
{
#if defined(Q_OS_LINUX) && defined(MADV_POPULATE_WRITE)
    QBackingStore* store = window.backingStore();
    if (!store || !window.isVisible())
        return;
    // The size the first paint asks for, so that the paint keeps this memory.
    store->resize(window.size());
    const QPaintDevice* device = store->paintDevice();
    if (!device || device->devType() != QInternal::Image)
        return;
    const auto* image = static_cast<const QImage*>(device);
    const auto page = std::uintptr_t(sysconf(_SC_PAGESIZE));
    const auto start = reinterpret_cast<std::uintptr_t>(image->constBits()) & ~(page - 1);
    const auto end = reinterpret_cast<std::uintptr_t>(image->constBits()) + std::uintptr_t(image->sizeInBytes());
    // Fails harmlessly (an older kernel, memory that is no longer mapped);
    // the paint then maps the pages in itself.
    m_thread = std::jthread([start, end] { madvise(reinterpret_cast<void*>(start), end - start, MADV_POPULATE_WRITE); });
#else
    Q_UNUSED(window);
#endif
}

} // namespace tools
