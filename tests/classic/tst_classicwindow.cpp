#include "ModalDriver.h"
#include "ScriptLines.h"
#include "classic/window/Form1.h"
#include "language/Translators.h"
#include "classic/canvas/Form2.h"
#include "classic/canvas/Playback.h"
#include "classic/script/ScriptBox.h"
#include "browser/DirList.h"
#include "browser/FileList.h"
#include "demo/GifWriter.h"

#include <QtTest>
#include <QtWidgets>

using namespace classic;

namespace {

const QString a0 = QStringLiteral("\tframe\tdata/chars/hero/a0.gif");

// Sends a mouse event with an explicit button state to a point of the canvas's drawing area.
void sendMouse(Canvas* canvas, QEvent::Type type, QPoint at, Qt::MouseButton button, Qt::MouseButtons buttons)
{
    const QPointF local = at + canvas->contentsRect().topLeft();
    QMouseEvent event(type, local, canvas->mapToGlobal(local), button, buttons, Qt::NoModifier);
    QApplication::sendEvent(canvas, &event);
}

} // namespace

class TestClassicWindow;
// A way of stopping playback.
using Stop = std::function<void(TestClassicWindow&)>;
Q_DECLARE_METATYPE(Stop)

// Drives the classic editor's main window and picture window as a user would.
class TestClassicWindow : public QObject {
    Q_OBJECT

    std::unique_ptr<QTemporaryDir> m_dir;
    QString m_hero;
    std::unique_ptr<QSettings> m_settings;
    std::unique_ptr<Form1> m_window;
    QList<int> m_waits;

    const Form1Ui& ui() const { return m_window->ui(); }

    // The canvas shows the selected frame as selecting it anew shows it.
    void verifyCanvasShowsTheSelectedFrame()
    {
        const Canvas* canvas = ui().PicEdit;
        const QImage shown = canvas->picture();
        const bool body = canvas->isShapeVisible(Canvas::Shape::Body);
        const QRectF bodyRect = canvas->shapeRect(Canvas::Shape::Body);
        const int row = ui().List1->currentRow();
        ui().List1->setCurrentRow(row == 0 ? 1 : 0);
        ui().List1->setCurrentRow(row);
        QCOMPARE(canvas->picture(), shown);
        QCOMPARE(canvas->isShapeVisible(Canvas::Shape::Body), body);
        QCOMPARE(canvas->shapeRect(Canvas::Shape::Body), bodyRect);
    }

    std::unique_ptr<Form1> makeWindow()
    {
        auto window = std::make_unique<Form1>(m_settings.get());
        connect(&window->playback(), &Playback::frameShown, this, [this](int, int pause) { m_waits.append(pause); });
        window->show();
        return window;
    }

    // Plays as the menu item `action` does, to the end.
    void play(QAction* action)
    {
        action->trigger();
        QTRY_VERIFY_WITH_TIMEOUT(!m_window->playback().isPlaying(), 10000);
    }

    // Puts the frames in the list and the text in the box; selects `row`.
    void load(const QStringList& frames, const QString& text, int row)
    {
        ui().List1->addItems(frames);
        m_window->setScriptText(text);
        ui().List1->setCurrentRow(row);
    }

private slots:
    // The window's texts are compared in Chinese whatever the machine's locale.
    void initTestCase() { QVERIFY(language::installLanguage(language::Language::Chinese, Form1::catalogs())); }

    void init()
    {
        m_window.reset();
        m_settings.reset();
        m_waits.clear();
        m_dir = std::make_unique<QTemporaryDir>();
        QVERIFY(m_dir->isValid());
        m_hero = m_dir->filePath(QStringLiteral("game/data/chars/hero"));
        QVERIFY(QDir().mkpath(m_hero + QStringLiteral("/sub")));
        for (int i = 0; i < 3; ++i) {
            const QImage sprite = tools::makeSprite(QSize(64, 80 + 10 * i), qRgb(0, 128, 128), qRgb(200, 40, 40));
            QVERIFY(tools::writeGif(m_hero + QStringLiteral("/a%1.gif").arg(i), sprite));
        }
        m_settings = std::make_unique<QSettings>(m_dir->filePath(QStringLiteral("settings.ini")), QSettings::IniFormat);
        m_settings->setValue(QStringLiteral("set/dir"), m_hero);
        m_window = makeWindow();
        QCOMPARE(m_window->currentFolder(), QDir::toNativeSeparators(m_hero));
    }

    // A left drag sizes a box from its pressed corner and writes its line;
    // a right-button release applies the line in Text5 as it is, in either
    // mode. The status bar tells the frame, its size and the point under the mouse.
    void boxGestures()
    {
        load({"a0.gif", "a2.gif"}, lines("\toffset\t32 78|" + a0), 0);
        QCOMPARE(ui().panel1->text(), QStringLiteral("Frame:1  64 x 80"));
        const QPoint sprite = m_window->spritePosition();
        QCOMPARE(sprite, m_window->anchor() - QPoint(32, 78));
        const auto drag = [&](Qt::MouseButton button, QPoint to) {
            sendMouse(ui().PicEdit, QEvent::MouseButtonPress, sprite + QPoint(10, 20), button, button);
            sendMouse(ui().PicEdit, QEvent::MouseMove, sprite + to, Qt::NoButton, button);
            sendMouse(ui().PicEdit, QEvent::MouseButtonRelease, sprite + to, button, Qt::NoButton);
            return ui().panel2->text();
        };
        const QString attack = QStringLiteral("\toffset\t32 78|\tAttack\t10 20 30 40 20 0 0 0 20|");
        ui().Option1->setChecked(true);
        QCOMPARE(drag(Qt::LeftButton, {40, 60}), QStringLiteral("8,18"));
        QCOMPARE(m_window->scriptText(), lines(attack + a0));
        QVERIFY(ui().PicEdit->isShapeVisible(Canvas::Shape::Attack));
        ui().Option2->setChecked(true);
        QCOMPARE(drag(Qt::LeftButton, {5, 5}), QStringLiteral("-27,73"));
        QCOMPARE(m_window->scriptText(), lines(attack + "\tbbox\t10 20 17 17|" + a0));
        QCOMPARE(ui().Text5->text(), QStringLiteral("bbox\t10 20 17 17"));
        QVERIFY(ui().PicEdit->isShapeVisible(Canvas::Shape::Body));
        ui().Option1->setChecked(true);
        ui().Text5->setText(QStringLiteral("bbox\t5 6 7 8"));
        QCOMPARE(drag(Qt::RightButton, {80, 70}), QStringLiteral("48,8"));
        QCOMPARE(m_window->scriptText(), lines(attack + "\tbbox\t5 6 7 8|" + a0));
        // The box lines stay, but unchecking the switch hides every outline.
        ui().Check2->setChecked(false);
        QVERIFY(!ui().PicEdit->isShapeVisible(Canvas::Shape::Body));
        QVERIFY(!ui().PicEdit->isShapeVisible(Canvas::Shape::Attack));
        ui().List1->setCurrentRow(1);
        QCOMPARE(ui().panel1->text(), QStringLiteral("Frame:2  64 x 100"));
        QCOMPARE(ui().panel2->text(), QStringLiteral("This frame is not defined yet"));
    }

    // An arrow key in the offset box moves the frame's offset by a pixel,
    // writing a line of its own for a frame that had none; other keys do nothing.
    void arrowKeysWriteAnOffsetLine()
    {
        const QString first = "\toffset\t32 78|" + a0 + "||";
        load({"a0.gif", "a1.gif"}, lines(first + "\tframe\tdata/chars/hero/a1.gif"), 1);
        // The author clicks into the box first, as its text asks.
        QVERIFY(QTest::qWaitForWindowActive(m_window.get()));
        QTest::mouseClick(ui().Text3->viewport(), Qt::LeftButton);
        QCOMPARE(QApplication::focusWidget(), ui().Text3);
        const std::pair<Qt::Key, QString> steps[] = {
            {Qt::Key_Right, "\toffset\t33 78"}, {Qt::Key_Up, "\toffset\t33 77"}, {Qt::Key_X, "\toffset\t33 77"}};
        for (const auto& [key, line] : steps) {
            QTest::keyClick(QApplication::focusWidget(), key);
            QCOMPARE(m_window->scriptText(), lines(first + line + "|\tframe\tdata/chars/hero/a1.gif"));
            QCOMPARE(ui().Text5->text(), line.mid(1));
        }
    }

    void unloadableImagesAreReported_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("ending");
        QTest::newRow("missing") << "gone.gif" << " does not exist.";
        QTest::newRow("not an image") << "bad.gif" << " is not an image that can be loaded.";
    }

    // Selecting, the initial text and playback each report the file once and change nothing.
    void unloadableImagesAreReported()
    {
        QFETCH(QString, name);
        QFETCH(QString, ending);
        QFile bad(m_hero + QStringLiteral("/bad.gif"));
        QVERIFY(bad.open(QIODevice::WriteOnly) && bad.write("not a picture") > 0 && bad.flush());
        const QString expected = "File " + QDir::toNativeSeparators(m_hero + u'/' + name) + ending;
        load({"a0.gif", name}, lines(a0), -1);
        testing::ModalDriver driver;
        ui().List1->setCurrentRow(1);
        ui().Initial->trigger();
        QCOMPARE(m_window->scriptText(), lines(a0));
        play(ui().PlayLoop);
        QCOMPARE(driver.messages, QStringList(3, expected));
        QCOMPARE(m_waits, QList<int>{0});
    }

    // The list and the text may spell a file in another letter case than the
    // disk. The picture window, closed, hands back the cross that a click
    // set and the arrow keys moved.
    void imagesAreFoundIgnoringCase()
    {
        load({"A1.GIF"}, lines("\tframe\tdata/chars/hero/A1.GIF"), -1);
        testing::ModalDriver driver;
        ui().List1->setCurrentRow(0);
        QCOMPARE(ui().panel1->text(), QStringLiteral("Frame:1  64 x 90"));
        play(ui().Play);
        QCOMPARE(m_waits, QList<int>{0});
        ui().Initial->trigger();
        QCOMPARE(m_window->scriptText(), lines("\tdelay\t10|\toffset\t32 88|\tframe\tdata/chars/hero/A1.GIF|"));
        QSize picture;
        driver.onDialog([&](QDialog* modal) {
            if (QWidget* box = qobject_cast<Form2*>(modal) ? modal->findChild<QWidget*>("Picture1") : nullptr) {
                picture = box->size();
                QTest::mouseClick(box, Qt::LeftButton, {}, QPoint(10, 12));
                QTest::keyClick(box, Qt::Key_Right);
                QTest::keyClick(box, Qt::Key_Down);
            }
            modal->close();
        });
        ui().Command7->click();
        QCOMPARE(picture, QSize(64, 90));
        QCOMPARE(driver.messages, QStringList());
        QCOMPARE(m_window->scriptText(), lines("\tdelay\t10|\toffset\t11 13|\tframe\tdata/chars/hero/A1.GIF|"));
    }

    // Transparent pixels show the canvas background, defined frame or not;
    // the status bar's first panel holds a long frame text in full.
    void transparentPixelsAndFrameInformation()
    {
        QImage sprite(160, 140, QImage::Format_ARGB32);
        sprite.fill(Qt::transparent);
        sprite.setPixel(20, 20, qRgb(200, 40, 40));
        QVERIFY(sprite.save(m_hero + QStringLiteral("/t.png")));
        ui().mBackColor->trigger();
        const QStringList names = QStringList(9, QStringLiteral("a0.gif")) << QStringLiteral("t.png");
        for (const QString& text : {lines("\toffset\t10 10|\tframe\tx/t.png"), QString()}) {
            load(names, text, 9);
            const QPoint at = m_window->spritePosition();
            QCOMPARE(ui().PicEdit->picture().pixel(at + QPoint(20, 20)), qRgb(200, 40, 40));
            QCOMPARE(ui().PicEdit->picture().pixel(at + QPoint(30, 40)), qRgb(255, 0, 253));
            ui().List1->clear();
        }
        const QLabel* panel = ui().panel1;
        QCOMPARE(panel->text(), QStringLiteral("Frame:10  160 x 140"));
        QVERIFY(panel->fontMetrics().horizontalAdvance(panel->text()) <= panel->contentsRect().width());
    }

    // The panel's commands write their lines where the author left the
    // cursor and the view, each one step of the box's history.
    void panelCommandsEditTheText()
    {
        const QString notes = QStringLiteral("# line\r\n").repeated(80);
        load({"a0.gif", "a1.gif"}, notes + lines("\toffset\t3 4|# a0.gif|# a1.gif"), 0);
        QPlainTextEdit* box = ui().Text1;
        box->setTextCursor(QTextCursor(box->document()->findBlockByNumber(40)));
        box->verticalScrollBar()->setValue(30);
        ui().Command9->click();
        const QString defined = notes + lines("\toffset\t3 4|" + a0 + "|||# a0.gif|# a1.gif");
        QCOMPARE(m_window->scriptText(), defined);
        ui().Option2->setChecked(true);
        ui().Command8->click();
        QCOMPARE(box->textCursor().blockNumber(), 40);
        QCOMPARE(box->verticalScrollBar()->value(), 30);
        box->undo();
        QCOMPARE(m_window->scriptText(), defined);
        box->redo();
        ui().Text2->setText(QStringLiteral("-2"));
        ui().Text6->setText(QStringLiteral("2.5"));
        ui().Command10->click();
        QCOMPARE(m_window->scriptText(),
                 notes + lines("\toffset\t1 6|\tBbox\t0|" + a0 + "|||# a0.gif|\toffset\t1 6|# a1.gif"));
        QCOMPARE(ui().Text5->text(), QStringLiteral("offset\t1 6"));
    }

    void listCommandsPlaybackAndGuards()
    {
        testing::ModalDriver driver;
        ui().Initial->trigger();
        ui().Command10->click();
        ui().Command5->click();
        QCOMPARE(ui().List1->count(), 3);
        ui().Command9->click();
        QCOMPARE(driver.messages, (QStringList{"没有选择帧", "No Frames.", "请选择帧"}));

        m_window->setScriptText(lines("\tdelay\t7|" + a0 + "|\tdelay\t3.5|\tframe\tdata/chars/hero/a1.gif"));
        play(ui().PlayLoop);
        QCOMPARE(m_waits, (QList<int>{70, 35, 0, 70, 35, 0, 70, 35, 0}));
        QCOMPARE(ui().List1->currentRow(), 2);
        ui().Clip->trigger();
        QCOMPARE(QGuiApplication::clipboard()->text(), m_window->scriptText());

        ui().PreviousFrame->trigger();
        ui().Command4->click();
        QCOMPARE(ui().List1->item(2)->text(), QStringLiteral("a1.gif"));
        QCOMPARE(ui().List1->currentRow(), 2);
        ui().Command3->click();
        QCOMPARE(ui().List1->item(1)->text(), QStringLiteral("a1.gif"));
        QCOMPARE(ui().List1->currentRow(), 1);
        ui().List1->setCurrentRow(0);
        ui().Command3->click();
        QCOMPARE(ui().List1->item(0)->text(), QStringLiteral("a0.gif"));
        QCOMPARE(ui().List1->currentRow(), 0);
        ui().Command1->click();
        QCOMPARE(ui().List1->count(), 2);
        ui().Command6->click();
        QCOMPARE(ui().List1->count(), 0);
    }

    // Playback runs on a timer while the window takes input; F5 again,
    // Escape, an edit of the text or of the list and closing each stop it.
    void playbackStops_data()
    {
        QTest::addColumn<Stop>("stop");
        QTest::newRow("F5 again") << Stop([](TestClassicWindow& t) { QTest::keyClick(t.m_window.get(), Qt::Key_F5); });
        QTest::newRow("Escape") << Stop([](TestClassicWindow& t) { QTest::keyClick(t.m_window.get(), Qt::Key_Escape); });
        QTest::newRow("typing") << Stop([](TestClassicWindow& t) { QTest::keyClick(t.ui().Text1, Qt::Key_A); });
        QTest::newRow("a frame deleted") << Stop([](TestClassicWindow& t) { t.ui().Command1->click(); });
        QTest::newRow("closing") << Stop([](TestClassicWindow& t) { QVERIFY(t.m_window->close()); });
    }

    void playbackStops()
    {
        QFETCH(Stop, stop);
        load({"a0.gif", "a1.gif"}, lines("	delay	3000|" + a0 + "|	frame	data/chars/hero/a1.gif"), -1);
        ui().Text1->document()->setModified(false);
        QVERIFY(QTest::qWaitForWindowActive(m_window.get()));
        QTest::keyClick(m_window.get(), Qt::Key_F5);
        QVERIFY(m_window->playback().isPlaying());
        QCOMPARE(m_waits, QList<int>{30000});
        stop(*this);
        QVERIFY(!m_window->playback().isPlaying());
        QCOMPARE(m_waits, QList<int>{30000});
    }

    // A mouse box line, the global shift and the initial text are each one
    // step of the text box's history, undone and redone by the keys in the
    // box, by the menu's shortcuts elsewhere or by the menu itself.
    void commandsAreUndoneAsOneStep_data()
    {
        QTest::addColumn<int>("command");
        QTest::addColumn<QString>("keysTo"); // the widget with the focus; empty: the menu items
        QTest::addColumn<QKeySequence>("redoKey");

        QTest::newRow("mouse box line, keys in the box") << 0 << "Text1" << QKeySequence(Qt::CTRL | Qt::Key_Y);
        QTest::newRow("mouse box line, menu") << 0 << "" << QKeySequence();
        QTest::newRow("global shift, shortcuts in the frame list") << 1 << "List1"
                                                                   << QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z);
        QTest::newRow("global shift, keys in the box") << 1 << "Text1" << QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z);
        QTest::newRow("initial text, menu") << 2 << "" << QKeySequence();
        QTest::newRow("initial text, shortcuts in the frame list") << 2 << "List1" << QKeySequence(Qt::CTRL | Qt::Key_Y);
        QTest::newRow("arrow key, keys in the offset box") << 3 << "Text3" << QKeySequence(Qt::CTRL | Qt::Key_Y);
    }

    void commandsAreUndoneAsOneStep()
    {
        QFETCH(int, command);
        QFETCH(QString, keysTo);
        QFETCH(QKeySequence, redoKey);
        QVERIFY(!ui().mUndo->isEnabled());
        load({"a0.gif", "a1.gif"}, lines("\toffset\t32 78|\tbbox\t1 2 3 4|" + a0 + "||\tframe\tdata/chars/hero/a1.gif"), 0);
        const QString before = m_window->scriptText();
        QVERIFY(!ui().mRedo->isEnabled());
        if (command == 0) {
            ui().Option2->setChecked(true);
            const QPoint sprite = m_window->spritePosition();
            sendMouse(ui().PicEdit, QEvent::MouseButtonPress, sprite + QPoint(10, 20), Qt::LeftButton, Qt::LeftButton);
            sendMouse(ui().PicEdit, QEvent::MouseMove, sprite + QPoint(40, 60), Qt::NoButton, Qt::LeftButton);
            sendMouse(ui().PicEdit, QEvent::MouseButtonRelease, sprite + QPoint(40, 60), Qt::LeftButton, Qt::NoButton);
        } else if (command == 1) {
            ui().Text2->setText(QStringLiteral("3"));
            ui().Command10->click();
        } else if (command == 2) {
            ui().Initial->trigger();
        } else {
            QTest::keyClick(ui().Text3, Qt::Key_Left);
        }
        const QString after = m_window->scriptText();
        QVERIFY(after != before);

        QWidget* focus = keysTo.isEmpty() ? nullptr : m_window->findChild<QWidget*>(keysTo);
        if (focus) {
            QVERIFY(QTest::qWaitForWindowActive(m_window.get()));
            focus->setFocus();
            QCOMPARE(QApplication::focusWidget(), focus);
        }
        QVERIFY(ui().mUndo->isEnabled());
        focus ? QTest::keySequence(focus, QKeySequence(Qt::CTRL | Qt::Key_Z)) : ui().mUndo->trigger();
        QCOMPARE(m_window->scriptText(), before);
        verifyCanvasShowsTheSelectedFrame();
        QVERIFY(ui().mRedo->isEnabled());
        focus ? QTest::keySequence(focus, redoKey) : ui().mRedo->trigger();
        QCOMPARE(m_window->scriptText(), after);
        verifyCanvasShowsTheSelectedFrame();
        QVERIFY(!ui().mRedo->isEnabled());
    }

    // The folder and the pattern are kept for the next window.
    void settingsAreSavedAndRestored()
    {
        const QString sub = QDir::toNativeSeparators(m_hero + QStringLiteral("/sub"));
        QVERIFY(ui().Dir1->setPath(sub));
        ui().Text4->setText(QStringLiteral("a?"));
        QVERIFY(m_window->close());
        m_window = makeWindow();
        QCOMPARE(m_window->currentFolder(), sub);
        QCOMPARE(ui().Text4->text(), QStringLiteral("a?"));
        QCOMPARE(ui().File1->pattern(), QStringLiteral("a?.gif"));
        // The restored folder is listed through the restored pattern.
        m_settings->setValue(QStringLiteral("set/dir"), m_hero);
        m_settings->setValue(QStringLiteral("set/pat"), QStringLiteral("a1"));
        m_window = makeWindow();
        QCOMPARE(ui().File1->fileNames(), QStringList{QStringLiteral("a1.gif")});
        // A folder that is gone is skipped; the pattern is still restored.
        m_settings->setValue(QStringLiteral("set/dir"), m_hero + QStringLiteral("/gone"));
        m_window = makeWindow();
        QVERIFY(m_window->currentFolder() != QDir::toNativeSeparators(m_hero + QStringLiteral("/gone")));
        QCOMPARE(ui().Text4->text(), QStringLiteral("a1"));
    }
};

QTEST_MAIN(TestClassicWindow)
#include "tst_classicwindow.moc"
