// The warm-up thread loads the X11 plugin's libraries only where Qt will
// take that plugin, and nothing else of the program waits for it.
#include "tools/StartUpWarmUp.h"

#include <QFile>
#include <QTest>

namespace {

bool mapped(const char* library)
{
    QFile maps(QStringLiteral("/proc/self/maps"));
    return maps.open(QIODevice::ReadOnly) && maps.readAll().contains(library);
}

// Runs a warm-up to its end under the given platform and session type.
void warmUp(const char* platform, const char* session)
{
    qputenv("QT_QPA_PLATFORM", platform);
    qputenv("XDG_SESSION_TYPE", session);
    qputenv("DISPLAY", ":0");
    const tools::StartUpWarmUp finished;
}

} // namespace

class TestStartUpWarmUp : public QObject {
    Q_OBJECT
private slots:
    // The cases that must not load it come first: a library once loaded
    // stays for the rest of the process.
    void loadsTheX11LibrariesOnlyForX11()
    {
        if (!QFile::exists(QStringLiteral("/proc/self/maps")))
            QSKIP("needs /proc to see the loaded libraries");
        const char* x11 = "libQt6XcbQpa.so";
        QVERIFY(!mapped(x11));
        warmUp("offscreen", "x11");
        QVERIFY(!mapped(x11));
        warmUp("", "wayland");
        QVERIFY(!mapped(x11));
        warmUp("wayland", "");
        QVERIFY(!mapped(x11));
        warmUp("xcb", "wayland");
        QVERIFY(mapped(x11));
        QVERIFY(mapped("libXcursor.so"));
    }
};

QTEST_APPLESS_MAIN(TestStartUpWarmUp)
#include "TestStartUpWarmUp.moc"
