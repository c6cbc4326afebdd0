#include "startup/AfterFirstFrame.h"

#include <QTest>
#include <QWidget>

namespace {

// A window that counts its paints.
class PaintCounter : public QWidget {
public:
    int paints = 0;

protected:
    void paintEvent(QPaintEvent*) override { ++paints; }
};

} // namespace

class TestAfterFirstFrame : public QObject {
    Q_OBJECT
private slots:
    // The work waits for the first frame, even past the events already
    // queued when it is asked for, and runs only once.
    void runsOnceAfterFirstPaint()
    {
        PaintCounter window;
        window.resize(120, 80);
        window.show();
        int runs = 0;
        int paintsBefore = -1;
        tools::runAfterFirstFrame(window, [&] {
            ++runs;
            paintsBefore = window.paints;
        });
        QTRY_COMPARE(runs, 1);
        QVERIFY(paintsBefore > 0);
        window.hide();
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        QCoreApplication::processEvents();
        QCOMPARE(runs, 1);
    }
};

QTEST_MAIN(TestAfterFirstFrame)
#include "TestAfterFirstFrame.moc"
