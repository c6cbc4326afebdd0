// The zoomed canvas and picture window of the classic editor: a box drag
// writes the same line at every level, the status bar reads sprite pixels,
// the level is kept, and the picture window zooms with the same keys.

#include "ScriptLines.h"
#include "classic/window/Form1.h"
#include "language/Translators.h"
#include "classic/canvas/Form2.h"
#include "demo/GifWriter.h"
#include "zoom/ZoomControl.h"

#include <QtTest>
#include <QtWidgets>

using namespace classic;

namespace {

const QString Frame = QStringLiteral("\tframe\tdata/chars/hero/a0.gif");

// Steps the level up with Ctrl+= until it is `level`; false when it never is.
bool zoomTo(QWidget* window, Canvas* canvas, int level)
{
    for (int step = 0; step < 6 && canvas->zoom()->level() < level; ++step)
        QTest::keyClick(window, Qt::Key_Equal, Qt::ControlModifier);
    return canvas->zoom()->level() == level;
}

QPoint onPixel(Canvas* canvas, QPoint drawing)
{
    return canvas->zoom()->mapping().toView(QPointF(drawing)).toPoint();
}

// Scrolls up with the wheel until drawing-area point `drawing` shows.
bool scrollTo(Canvas* canvas, QPoint drawing)
{
    for (int notch = 0; notch < 100 && onPixel(canvas, drawing).y() < 0; ++notch) {
        QWheelEvent event(QPointF(10, 10), canvas->mapToGlobal(QPointF(10, 10)), QPoint(), QPoint(0, 120),
                          Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
        QApplication::sendEvent(canvas, &event);
    }
    return QRect(QPoint(), canvas->drawingSize()).contains(onPixel(canvas, drawing));
}

void sendMouse(Canvas* canvas, QEvent::Type type, QPoint view, Qt::MouseButton button, Qt::MouseButtons buttons)
{
    const QPointF local = view + canvas->contentsRect().topLeft();
    QMouseEvent event(type, local, canvas->mapToGlobal(local), button, buttons, Qt::NoModifier);
    QApplication::sendEvent(canvas, &event);
}

} // namespace

class TestClassicZoom : public QObject {
    Q_OBJECT

    std::unique_ptr<QTemporaryDir> m_dir;
    std::unique_ptr<QSettings> m_settings;
    std::unique_ptr<Form1> m_window;

    const Form1Ui& ui() const { return m_window->ui(); }

    // A shown window on a folder holding one 64 × 80 sprite, listed and
    // defined with its anchor at (32, 78), and selected.
    void openWindow()
    {
        m_window = std::make_unique<Form1>(m_settings.get());
        m_window->show();
        QVERIFY(QTest::qWaitForWindowActive(m_window.get()));
        ui().List1->addItem(QStringLiteral("a0.gif"));
        m_window->setScriptText(lines("\toffset\t32 78|" + Frame));
        ui().List1->setCurrentRow(0);
    }

private slots:
    // The window's texts are compared in Chinese whatever the machine's locale.
    void initTestCase() { QVERIFY(language::installLanguage(language::Language::Chinese, Form1::catalogs())); }

    void init()
    {
        m_window.reset();
        m_dir = std::make_unique<QTemporaryDir>();
        QVERIFY(m_dir->isValid());
        const QString hero = m_dir->filePath(QStringLiteral("game/data/chars/hero"));
        QVERIFY(QDir().mkpath(hero));
        QVERIFY(tools::writeGif(hero + QStringLiteral("/a0.gif"),
                                tools::makeSprite(QSize(64, 80), qRgb(0, 128, 128), qRgb(200, 40, 40))));
        m_settings = std::make_unique<QSettings>(m_dir->filePath(QStringLiteral("settings.ini")), QSettings::IniFormat);
        m_settings->setValue(QStringLiteral("set/dir"), hero);
        openWindow();
    }

    void boxDragAtEveryLevel_data()
    {
        QTest::addColumn<int>("level");
        QTest::newRow("1") << 1;
        QTest::newRow("3") << 3;
        QTest::newRow("8") << 8;
    }

    // From sprite pixel (10, 20) to (40, 60): the line of a 1:1 drag, the
    // read-out in sprite pixels from the anchor; the level shows in the
    // status bar and a new window starts with it.
    void boxDragAtEveryLevel()
    {
        QFETCH(int, level);
        Canvas* canvas = ui().PicEdit;
        QVERIFY(zoomTo(m_window.get(), canvas, level));
        ui().Option2->setChecked(true);
        const QPoint sprite = m_window->spritePosition();
        QVERIFY(scrollTo(canvas, sprite + QPoint(10, 20)));
        sendMouse(canvas, QEvent::MouseButtonPress, onPixel(canvas, sprite + QPoint(10, 20)), Qt::LeftButton,
                  Qt::LeftButton);
        const QPoint end = onPixel(canvas, sprite + QPoint(40, 60)) + QPoint(level - 1, level - 1);
        sendMouse(canvas, QEvent::MouseMove, end, Qt::NoButton, Qt::LeftButton);
        sendMouse(canvas, QEvent::MouseButtonRelease, end, Qt::LeftButton, Qt::NoButton);
        QCOMPARE(m_window->scriptText(), lines("\toffset\t32 78|\tbbox\t10 20 30 40|" + Frame));
        QCOMPARE(ui().panel2->text(), QStringLiteral("8,18"));
        QCOMPARE(m_window->findChild<QLabel*>(QStringLiteral("panelZoom"))->text(),
                 QStringLiteral("缩放 %1x").arg(level));
        openWindow();
        QCOMPARE(ui().PicEdit->zoom()->level(), level);
    }

    // What was drawn stays through a resize, which adds background; a
    // cleared canvas is background, in its picture and on screen.
    void pictureKeptThroughResizeAndClear()
    {
        const QRgb background = qRgb(10, 20, 30);
        const QRgb red = qRgb(200, 40, 40);
        Canvas canvas;
        canvas.resize(100, 80);
        canvas.show();
        QVERIFY(QTest::qWaitForWindowExposed(&canvas));
        canvas.setBackground(QColor(background));
        QImage sprite(4, 4, QImage::Format_RGB32);
        sprite.fill(red);
        canvas.drawImage(QPoint(5, 6), sprite);
        canvas.resize(140, 120);
        QImage picture = canvas.picture();
        QCOMPARE(picture.size(), canvas.drawingSize());
        QCOMPARE(picture.pixel(8, 9), red);
        QCOMPARE(picture.pixel(picture.width() - 1, picture.height() - 1), background);
        canvas.clear();
        canvas.resize(120, 100);
        picture = canvas.picture();
        QCOMPARE(picture.size(), canvas.drawingSize());
        QCOMPARE(picture.pixel(8, 9), background);
        const QImage shown = canvas.grab(canvas.contentsRect()).toImage();
        QCOMPARE(shown.pixel(8, 9), background);
        QCOMPARE(shown.pixel(shown.width() - 1, shown.height() - 1), background);
    }

    // The picture window opens at the canvas's level; a click means the
    // sprite pixel under it at any level, Ctrl+= zooms the window too.
    void pictureWindowZooms()
    {
        QVERIFY(zoomTo(m_window.get(), ui().PicEdit, 2));
        QSize sizes[2];
        QString firstCross;
        bool answered = false;
        QTimer::singleShot(0, this, [&] {
            auto* form = qobject_cast<Form2*>(QApplication::activeModalWidget());
            auto* picture = form ? form->findChild<QWidget*>(QStringLiteral("Picture1")) : nullptr;
            // The offscreen platform does not activate a modal window by itself.
            if (picture)
                form->activateWindow();
            if (!picture || !QTest::qWaitFor([form] { return QApplication::activeWindow() == form; }))
                return void(QApplication::activeModalWidget()->close());
            answered = true;
            sizes[0] = picture->size();
            QTest::mouseClick(picture, Qt::LeftButton, {}, QPoint(21, 25));
            firstCross = form->offsetExchange();
            QTest::keyClick(picture, Qt::Key_Equal, Qt::ControlModifier);
            sizes[1] = picture->size();
            QTest::mouseClick(picture, Qt::LeftButton, {}, QPoint(3 * 20 + 2, 3 * 30 + 2));
            QTest::keyClick(picture, Qt::Key_Right);
            QTest::keyClick(picture, Qt::Key_Return);
        });
        ui().Command7->click();
        QVERIFY(answered);
        QCOMPARE(sizes[0], QSize(128, 160));
        QCOMPARE(firstCross, QStringLiteral("10|12"));
        QCOMPARE(sizes[1], QSize(192, 240));
        QCOMPARE(m_window->scriptText(), lines("\toffset\t21 30|" + Frame));
    }
};

QTEST_MAIN(TestClassicZoom)
#include "tst_classiczoom.moc"
