#include "tst_Browser.h"
#include "tst_Canvas.h"
#include "tst_FrameList.h"
#include "tst_GifDecoder.h"
#include "tst_Scheme.h"
#include "tst_Settings.h"
#include "tst_TextDialogs.h"

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
