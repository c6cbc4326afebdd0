
#include "EditorTests.h"

#include <QApplication>
#include <QTest>

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    int status = 0;
    const auto run = [&](QObject&& test) { status |= QTest::qExec(&test, argc, argv); };
    run(SettingsTest());
    run(BrowserTest());
    run(FrameListTest());
    run(CanvasTest());
    run(SchemeTest());
    run(TextDialogsTest());
    run(GifDecoderTest());
    return status;
}
