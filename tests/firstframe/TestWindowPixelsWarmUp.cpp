// The pixels of a shown window are mapped in before its first paint, and
// that paint draws into the very memory mapped in.
#include "tools/WindowPixelsWarmUp.h"

#include <QBackingStore>
#include <QImage>
#include <QTest>
#include <QWidget>

#include <sys/mman.h>
#include <unistd.h>

#include <cstdint>
#include <vector>

namespace {

const QImage* windowPixels(QWidget& window)
{
    const QPaintDevice* device = window.backingStore()->paintDevice();
    return device && device->devType() == QInternal::Image ? static_cast<const QImage*>(device) : nullptr;
}

// How many of the pages under `image` are in memory, and how many there are.
std::pair<int, int> residentPages(const QImage& image)
{
    const auto page = std::uintptr_t(sysconf(_SC_PAGESIZE));
    const auto start = reinterpret_cast<std::uintptr_t>(image.constBits()) & ~(page - 1);
    const auto end = reinterpret_cast<std::uintptr_t>(image.constBits()) + std::uintptr_t(image.sizeInBytes());
    std::vector<unsigned char> states((end - start + page - 1) / page);
    if (mincore(reinterpret_cast<void*>(start), end - start, states.data()) != 0)
        return {-1, int(states.size())};
    int resident = 0;
    for (const unsigned char state : states)
        resident += state & 1;
    return {resident, int(states.size())};
}

} // namespace

class TestWindowPixelsWarmUp : public QObject {
    Q_OBJECT
private slots:
    void pixelsMappedInBeforeTheFirstPaint()
    {
#ifndef MADV_POPULATE_WRITE
        QSKIP("the system cannot map memory in ahead");
#endif
        QWidget window;
        window.resize(900, 700);
        window.show();
        if (window.devicePixelRatio() != 1)
            QSKIP("scaled for a high-density screen, the pixels are reachable only while painting");
        // Shown but not painted yet: the exposure is still in the queue.
        {
            const tools::WindowPixelsWarmUp pixels(window);
        }
        const QImage* image = windowPixels(window);
        QVERIFY(image);
        QCOMPARE(image->size(), window.size());
        const auto [resident, pages] = residentPages(*image);
        QVERIFY2(resident == pages, qPrintable(QStringLiteral("%1 of %2 pages").arg(resident).arg(pages)));
        const uchar* mappedIn = image->constBits();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        QCOMPARE(window.grab().toImage().pixel(450, 350), window.palette().color(QPalette::Window).rgb());
        QCOMPARE(windowPixels(window)->constBits(), mappedIn);
    }
};

QTEST_MAIN(TestWindowPixelsWarmUp)
#include "TestWindowPixelsWarmUp.moc"
