// Start-up work that waits for a window's first frame, and the style that
// keeps image decoding out of that frame.
#include "startup/AfterFirstFrame.h"
#include "startup/ImageFreeStyle.h"

#include <QApplication>
#include <QFile>
#include <QGroupBox>
#include <QMainWindow>
#include <QMenuBar>
#include <QStyleFactory>
#include <QTest>
#include <QVBoxLayout>
#include <QWindow>

#include <algorithm>
#include <cstdlib>

namespace {

// The largest difference of any colour channel between two RGB32 pictures
// of the same size.
int largestDifference(const QImage& a, const QImage& b)
{
    int largest = 0;
    for (qsizetype i = 0; i < a.sizeInBytes(); ++i)
        largest = std::max(largest, std::abs(a.constBits()[i] - b.constBits()[i]));
    return largest;
}

// A window that counts its paints.
class PaintCounter : public QWidget {
public:
    int paints = 0;

protected:
    void paintEvent(QPaintEvent*) override { ++paints; }
};

} // namespace

class TestStartup : public QObject {
    Q_OBJECT
private slots:
    // Runs first, before any other test has decoded an image: a window with
    // group boxes and a menu bar paints without an image-format plugin.
    void windowPaintsWithoutImagePlugins()
    {
#ifndef Q_OS_LINUX
        QSKIP("reads the loaded libraries from /proc/self/maps");
#endif
        tools::useImageFreeStyle();
        QVERIFY(qobject_cast<tools::ImageFreeStyle*>(QApplication::style()));
        QMainWindow window;
        window.menuBar()->addMenu(QStringLiteral("File"));
        window.setCentralWidget(new QWidget);
        auto* layout = new QVBoxLayout(window.centralWidget());
        layout->addWidget(new QGroupBox(QStringLiteral("Frames")));
        layout->addWidget(new QGroupBox);
        window.resize(300, 200);
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        QVERIFY(!window.grab().isNull());
        QFile maps(QStringLiteral("/proc/self/maps"));
        QVERIFY(maps.open(QIODevice::ReadOnly));
        QVERIFY(!maps.readAll().contains("imageformats"));
    }

    // The work waits for the first frame, even past the events already
    // queued when it is asked for, and runs only once.
    void runsOnceAfterFirstPaint()
    {
        PaintCounter window;
        window.resize(120, 80);
        window.show();
        QList<int> paintsAtRuns;
        tools::runAfterFirstFrame(window, [&] { paintsAtRuns << window.paints; });
        QTRY_COMPARE(paintsAtRuns.size(), 1);
        QVERIFY(paintsAtRuns[0] > 0);
        window.hide();
        // Hidden for the window system too, before it is shown again.
        QTRY_VERIFY(!window.windowHandle()->isExposed());
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        QCoreApplication::processEvents();
        QCOMPARE(paintsAtRuns.size(), 1);
    }

    void groupBoxFrameAsTheBaseStyle_data()
    {
        QTest::addColumn<QString>("title");
        QTest::addColumn<bool>("checkable");
        QTest::addColumn<QSize>("size");
        QTest::newRow("titled") << QStringLiteral("Frames") << false << QSize(180, 60);
        QTest::newRow("untitled") << QString() << false << QSize(180, 50);
        QTest::newRow("checkable") << QString() << true << QSize(120, 90);
        QTest::newRow("small") << QStringLiteral("X") << false << QSize(12, 30);
    }

    // The frame lies where the base style puts it, below the title or near
    // the top, and looks all but the same: only the shading of its rounded
    // corners differs, by less than the frame line differs from the inside.
    void groupBoxFrameAsTheBaseStyle()
    {
        QFETCH(QString, title);
        QFETCH(bool, checkable);
        QFETCH(QSize, size);
        QGroupBox group(title);
        group.setCheckable(checkable);
        group.resize(size);
        QScopedPointer<QStyle> base(QStyleFactory::create(tools::ImageFreeStyle::baseName()));
        QVERIFY(base);
        tools::ImageFreeStyle drawn;
        group.setStyle(base.get());
        const QImage expected = group.grab().toImage().convertToFormat(QImage::Format_RGB32);
        group.setStyle(&drawn);
        const QImage actual = group.grab().toImage().convertToFormat(QImage::Format_RGB32);
        QCOMPARE(actual.size(), expected.size());
        QVERIFY2(largestDifference(actual, expected) <= 12,
                 qPrintable(QString::number(largestDifference(actual, expected))));
    }
};

QTEST_MAIN(TestStartup)
#include "TestStartup.moc"
