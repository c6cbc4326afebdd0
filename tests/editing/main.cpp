#include "tst_Gestures.h"
#include "tst_Panel.h"
#include "tst_View.h"

#include <QApplication>
#include <QTest>

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    int status = 0;
    const auto run = [&](QObject&& test) { status |= QTest::qExec(&test, argc, argv); };
    run(GesturesTest());
    run(PanelTest());
    run(ViewTest());
    return status;
}
