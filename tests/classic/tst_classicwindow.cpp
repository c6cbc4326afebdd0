#include "ScriptLines.h"
#include "classic/Form1.h"
#include "classic/Form2.h"
#include "editor/browser/DirList.h"
#include "editor/browser/FileList.h"
#include "tools/GifWriter.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QSettings>
#include <QTemporaryDir>
#include <QTextBlock>
#include <QTest>
#include <QTimer>

#include <memory>

using namespace classic;

namespace {

// Sends a mouse event with an explicit button state to a point of the
// canvas's drawing area.
void sendMouse(Canvas* canvas, QEvent::Type type, QPoint at, Qt::MouseButton button, Qt::MouseButtons buttons)
{
    const QPointF local = at + canvas->contentsRect().topLeft();
    QMouseEvent event(type, local, canvas->mapToGlobal(local), button, buttons, Qt::NoModifier);
    QApplication::sendEvent(canvas, &event);
}

// Runs `handler` on the next modal window as soon as one is shown.
void onNextModal(std::function<void(QWidget*)> handler)
{
    auto* timer = new QTimer;
    auto remaining = std::make_shared<int>(500);
    QObject::connect(timer, &QTimer::timeout, [timer, remaining, handler] {
        QWidget* modal = QApplication::activeModalWidget();
        if (modal || --*remaining == 0) {
            timer->deleteLater();
            timer->stop();
            if (modal)
                handler(modal);
        }
    });
    timer->start(10);
}

// Answers the next message box with OK; its text lands in `text`.
void answerMessage(QString* text)
{
    onNextModal([text](QWidget* modal) {
        auto* box = qobject_cast<QMessageBox*>(modal);
        *text = box ? box->text() : QStringLiteral("<not a message box>");
        modal->close();
    });
}

} // namespace

// Drives the classic editor's main window and picture window as a user would.
class TestClassicWindow : public QObject {
    Q_OBJECT

private slots:
    void init();
    void cleanup();
    void dragWritesABoxLine_data();
    void dragWritesABoxLine();
    void rightReleaseReappliesTheLineBox();
    void arrowKeysWriteAnOffsetLine_data();
    void arrowKeysWriteAnOffsetLine();
    void pictureWindowReturnsTheCross_data();
    void pictureWindowReturnsTheCross();
    void statusBarTexts();
    void unloadableImagesAreReported_data();
    void unloadableImagesAreReported();
    void guardMessages_data();
    void guardMessages();
    void panelCommandsEditTheText();
    void playbackWaitsEachFrameItsDelay();
    void listCommandsAndStepping();
    void writingBackKeepsTheAuthorsPlace();
    void settingsAreSavedAndRestored();
    void pinkBackgroundToggles();

private:
    std::unique_ptr<Form1> makeWindow();
    // Puts the frames in the list and the text in the box; selects `row`.
    void load(const QStringList& frames, const QString& text, int row);

    std::unique_ptr<QTemporaryDir> m_dir;
    QString m_hero;
    std::unique_ptr<QSettings> m_settings;
    std::unique_ptr<Form1> m_window;
    QList<int> m_waits;
};

void TestClassicWindow::init()
{
    m_dir = std::make_unique<QTemporaryDir>();
    QVERIFY(m_dir->isValid());
    m_hero = m_dir->filePath(QStringLiteral("game/data/chars/hero"));
    QVERIFY(QDir().mkpath(m_hero));
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

void TestClassicWindow::cleanup()
{
    m_window.reset();
    m_settings.reset();
    m_dir.reset();
    m_waits.clear();
}

std::unique_ptr<Form1> TestClassicWindow::makeWindow()
{
    auto window = std::make_unique<Form1>(m_settings.get());
    window->setWaitFunction([this](int ms) { m_waits.append(ms); });
    window->show();
    return window;
}

void TestClassicWindow::load(const QStringList& frames, const QString& text, int row)
{
    m_window->ui().List1->addItems(frames);
    m_window->setScriptText(text);
    m_window->ui().List1->setCurrentRow(row);
}

void TestClassicWindow::dragWritesABoxLine_data()
{
    QTest::addColumn<bool>("body");
    QTest::addColumn<QPoint>("to");
    QTest::addColumn<QString>("line");

    QTest::newRow("body box") << true << QPoint(40, 60) << "\tbbox\t10 20 30 40";
    QTest::newRow("attack box") << false << QPoint(40, 60) << "\tAttack\t10 20 30 40 20 0 0 0 20";
    QTest::newRow("up-left keeps the size") << true << QPoint(5, 5) << "\tbbox\t10 20 17 17";
}

void TestClassicWindow::dragWritesABoxLine()
{
    QFETCH(bool, body);
    QFETCH(QPoint, to);
    QFETCH(QString, line);
    const Form1Ui& ui = m_window->ui();
    load({"a0.gif"}, lines({"\toffset\t32 78", "\tframe\tdata/chars/hero/a0.gif"}), 0);
    (body ? ui.Option2 : ui.Option1)->setChecked(true);
    const QPoint sprite = m_window->spritePosition();
    QCOMPARE(sprite, m_window->anchor() - QPoint(32, 78));

    sendMouse(ui.PicEdit, QEvent::MouseButtonPress, sprite + QPoint(10, 20), Qt::LeftButton, Qt::LeftButton);
    sendMouse(ui.PicEdit, QEvent::MouseMove, sprite + to, Qt::NoButton, Qt::LeftButton);
    sendMouse(ui.PicEdit, QEvent::MouseButtonRelease, sprite + to, Qt::LeftButton, Qt::NoButton);

    QCOMPARE(m_window->scriptText(), lines({"\toffset\t32 78", line, "\tframe\tdata/chars/hero/a0.gif"}));
    QVERIFY(ui.PicEdit->isShapeVisible(body ? Canvas::Shape::Body : Canvas::Shape::Attack));
    QVERIFY(!ui.PicEdit->isShapeVisible(body ? Canvas::Shape::Attack : Canvas::Shape::Body));

    // The box lines stay, but unchecking the switch hides every outline.
    ui.Check2->setChecked(false);
    QVERIFY(!ui.PicEdit->isShapeVisible(Canvas::Shape::Body));
    QVERIFY(!ui.PicEdit->isShapeVisible(Canvas::Shape::Attack));
    ui.Check2->setChecked(true);
    QVERIFY(ui.PicEdit->isShapeVisible(body ? Canvas::Shape::Body : Canvas::Shape::Attack));
}

void TestClassicWindow::rightReleaseReappliesTheLineBox()
{
    const Form1Ui& ui = m_window->ui();
    load({"a0.gif"}, lines({"\tbbox\t1 2 3 4", "\tframe\tdata/chars/hero/a0.gif"}), 0);
    ui.Text5->setText(QStringLiteral("bbox\t5 6 7 8"));
    sendMouse(ui.PicEdit, QEvent::MouseButtonPress, QPoint(50, 50), Qt::RightButton, Qt::RightButton);
    sendMouse(ui.PicEdit, QEvent::MouseButtonRelease, QPoint(90, 90), Qt::RightButton, Qt::NoButton);
    QCOMPARE(m_window->scriptText(), lines({"\tbbox\t5 6 7 8", "\tframe\tdata/chars/hero/a0.gif"}));
    QCOMPARE(ui.Text5->text(), QStringLiteral("bbox\t5 6 7 8"));
}

void TestClassicWindow::arrowKeysWriteAnOffsetLine_data()
{
    QTest::addColumn<int>("key");
    QTest::addColumn<QString>("line");

    QTest::newRow("right") << int(Qt::Key_Right) << "\toffset\t33 78";
    QTest::newRow("up") << int(Qt::Key_Up) << "\toffset\t32 77";
    QTest::newRow("any other key") << int(Qt::Key_X) << "\toffset\t32 78";
}

void TestClassicWindow::arrowKeysWriteAnOffsetLine()
{
    QFETCH(int, key);
    QFETCH(QString, line);
    const QStringList first = {"\toffset\t32 78", "\tframe\tdata/chars/hero/a0.gif", ""};
    load({"a0.gif", "a1.gif"}, lines(first + QStringList{"\tframe\tdata/chars/hero/a1.gif"}), 1);
    // The author clicks into the box first, as its text asks.
    QVERIFY(QTest::qWaitForWindowActive(m_window.get()));
    QTest::mouseClick(m_window->ui().Text3->viewport(), Qt::LeftButton);
    QCOMPARE(QApplication::focusWidget(), m_window->ui().Text3);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key(key));
    QCOMPARE(m_window->scriptText(), lines(first + QStringList{line, "\tframe\tdata/chars/hero/a1.gif"}));
    QCOMPARE(m_window->ui().Text5->text(), line.mid(1));
}

void TestClassicWindow::pictureWindowReturnsTheCross_data()
{
    QTest::addColumn<bool>("byEnter");
    QTest::newRow("Enter") << true;
    QTest::newRow("closed") << false;
}

void TestClassicWindow::pictureWindowReturnsTheCross()
{
    QFETCH(bool, byEnter);
    load({"a0.gif"}, lines({"\toffset\t32 78", "\tframe\tdata/chars/hero/a0.gif"}), 0);
    QString title;
    bool pictureWindow = false;
    onNextModal([&](QWidget* modal) {
        title = modal->windowTitle();
        auto* picture = modal->findChild<QWidget*>(QStringLiteral("Picture1"));
        pictureWindow = qobject_cast<Form2*>(modal) && picture;
        if (!pictureWindow) {
            modal->close();
            return;
        }
        QTest::mouseClick(picture, Qt::LeftButton, {}, QPoint(10, 12));
        QTest::keyClick(picture, Qt::Key_Right);
        QTest::keyClick(picture, Qt::Key_Down);
        if (byEnter)
            QTest::keyClick(picture, Qt::Key_Return);
        else
            modal->close();
    });
    QTest::mouseClick(m_window->ui().Command7, Qt::LeftButton);
    QCOMPARE(title, QStringLiteral("Form2"));
    QVERIFY(pictureWindow);
    QCOMPARE(m_window->scriptText(), lines({"\toffset\t11 13", "\tframe\tdata/chars/hero/a0.gif"}));
    QCOMPARE(m_window->currentOffset(), (Offset{11, 13}));
}

void TestClassicWindow::statusBarTexts()
{
    const Form1Ui& ui = m_window->ui();
    load({"a0.gif", "a2.gif"}, lines({"\toffset\t32 78", "\tframe\tdata/chars/hero/a0.gif"}), 0);
    QCOMPARE(ui.panel1->text(), QStringLiteral("Frame:1  64 x 80"));
    sendMouse(ui.PicEdit, QEvent::MouseMove, m_window->anchor() + QPoint(3, -4), Qt::NoButton, Qt::NoButton);
    QCOMPARE(ui.panel2->text(), QStringLiteral("3,4"));

    ui.List1->setCurrentRow(1);
    QCOMPARE(ui.panel1->text(), QStringLiteral("Frame:2  64 x 100"));
    QCOMPARE(ui.panel2->text(), QStringLiteral("This frame is not defined yet"));
    QCOMPARE(m_window->spritePosition(), QPoint(0, 0));
}

void TestClassicWindow::unloadableImagesAreReported_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("ending");
    QTest::newRow("missing") << "gone.gif" << " does not exist.";
    QTest::newRow("not an image") << "bad.gif" << " is not an image that can be loaded.";
}

void TestClassicWindow::unloadableImagesAreReported()
{
    QFETCH(QString, name);
    QFETCH(QString, ending);
    QFile bad(m_hero + QStringLiteral("/bad.gif"));
    QVERIFY(bad.open(QIODevice::WriteOnly));
    bad.write("not a picture");
    bad.close();
    const QString expected = QStringLiteral("File ") + QDir::toNativeSeparators(m_hero + u'/' + name) + ending;
    const QString text = lines({"\tframe\tdata/chars/hero/a0.gif"});

    QString shown;
    answerMessage(&shown);
    load({"a0.gif", name}, text, 1);
    QCOMPARE(shown, expected);

    shown.clear();
    answerMessage(&shown);
    m_window->ui().Initial->trigger();
    QCOMPARE(shown, expected);
    QCOMPARE(m_window->scriptText(), text);

    // Playback stops at the frame after its one message.
    shown.clear();
    answerMessage(&shown);
    m_window->play(3);
    QCOMPARE(shown, expected);
    QCOMPARE(m_waits, QList<int>{0});
}

void TestClassicWindow::guardMessages_data()
{
    QTest::addColumn<QString>("command");
    QTest::addColumn<bool>("withFrames");
    QTest::addColumn<QString>("expected");
    QTest::newRow("initial text, empty list") << "Initial" << false << "没有选择帧";
    QTest::newRow("global offset, empty list") << "Command10" << false << "No Frames.";
    QTest::newRow("empty box, nothing selected") << "Command8" << true << "请选择帧";
    QTest::newRow("definition, nothing selected") << "Command9" << true << "请选择帧";
}

void TestClassicWindow::guardMessages()
{
    QFETCH(QString, command);
    QFETCH(bool, withFrames);
    QFETCH(QString, expected);
    if (withFrames)
        m_window->ui().List1->addItems({"a0.gif"});
    QString shown;
    answerMessage(&shown);
    if (auto* action = m_window->findChild<QAction*>(command))
        action->trigger();
    else
        QTest::mouseClick(m_window->findChild<QPushButton*>(command), Qt::LeftButton);
    QCOMPARE(shown, expected);
}

void TestClassicWindow::panelCommandsEditTheText()
{
    const Form1Ui& ui = m_window->ui();
    load({"a0.gif", "a1.gif"}, lines({"\toffset\t3 4", "# a0.gif", "# a1.gif"}), 0);
    ui.Command9->click();
    QCOMPARE(m_window->scriptText(),
             lines({"\toffset\t3 4", "\tframe\tdata/chars/hero/a0.gif", "", "", "# a0.gif", "# a1.gif"}));
    ui.Option2->setChecked(true);
    ui.Command8->click();
    ui.Text2->setText(QStringLiteral("-2"));
    ui.Text6->setText(QStringLiteral("2.5"));
    ui.Command10->click();
    QCOMPARE(m_window->scriptText(),
             lines({"\toffset\t1 6", "\tBbox\t0", "\tframe\tdata/chars/hero/a0.gif", "", "", "# a0.gif",
                    "\toffset\t1 6", "# a1.gif"}));
    QCOMPARE(ui.List1->currentRow(), 1);
}

void TestClassicWindow::playbackWaitsEachFrameItsDelay()
{
    load({"a0.gif", "a1.gif", "a2.gif"},
         lines({"\tdelay\t7", "\toffset\t1 1", "\tframe\tdata/chars/hero/a0.gif", "\tdelay\t3.5",
                "\tframe\tdata/chars/hero/a1.gif"}),
         -1);
    m_window->ui().Play->trigger();
    QCOMPARE(m_waits, (QList<int>{70, 35}));
    QCOMPARE(m_window->ui().List1->currentRow(), 2);
    m_waits.clear();
    m_window->ui().PlayLoop->trigger();
    QCOMPARE(m_waits, (QList<int>{70, 35, 70, 35, 70, 35}));
}

void TestClassicWindow::listCommandsAndStepping()
{
    const Form1Ui& ui = m_window->ui();
    ui.Command5->click();
    QCOMPARE(ui.List1->count(), 3);
    ui.NextFrame->trigger();
    QCOMPARE(ui.List1->currentRow(), 0);
    ui.Command3->click();
    QCOMPARE(ui.List1->item(0)->text(), QStringLiteral("a0.gif"));
    ui.Command4->click();
    QCOMPARE(ui.List1->currentItem()->text(), QStringLiteral("a0.gif"));
    QCOMPARE(ui.List1->currentRow(), 1);
    ui.NextFrame->trigger();
    ui.Command4->click();
    QCOMPARE(ui.List1->currentRow(), 2);
    ui.Command1->click();
    QCOMPARE(ui.List1->count(), 2);
    ui.PreviousFrame->trigger();
    QCOMPARE(ui.List1->currentRow(), -1);
    ui.Command6->click();
    QCOMPARE(ui.List1->count(), 0);
}

void TestClassicWindow::writingBackKeepsTheAuthorsPlace()
{
    QStringList text;
    for (int i = 0; i < 80; ++i)
        text << QStringLiteral("# line %1").arg(i);
    text << "\tframe\tdata/chars/hero/a0.gif";
    load({"a0.gif"}, lines(text), 0);
    QPlainTextEdit* box = m_window->ui().Text1;
    QTextCursor caret(box->document()->findBlockByNumber(40));
    box->setTextCursor(caret);
    box->verticalScrollBar()->setValue(30);
    m_window->ui().Command8->click();
    QVERIFY(m_window->scriptText().contains(QStringLiteral("\tAttack\t0\r\n\tframe")));
    QCOMPARE(box->textCursor().blockNumber(), 40);
    QCOMPARE(box->verticalScrollBar()->value(), 30);
    box->undo();
    QCOMPARE(m_window->scriptText(), lines(text));
}

void TestClassicWindow::settingsAreSavedAndRestored()
{
    const Form1Ui& ui = m_window->ui();
    QVERIFY(ui.Text4->text().isEmpty());
    QCOMPARE(ui.File1->pattern(), QStringLiteral("*.gif"));
    QVERIFY(ui.Dir1->setPath(m_hero + QStringLiteral("/sub")));
    QCOMPARE(m_window->currentFolder(), QDir::toNativeSeparators(m_hero + QStringLiteral("/sub")));
    ui.Text4->setText(QStringLiteral("a?"));
    QVERIFY(m_window->close());
    QCOMPARE(m_settings->value(QStringLiteral("set/pat")).toString(), QStringLiteral("a?"));

    m_window = makeWindow();
    QCOMPARE(m_window->ui().Dir1->path(), QDir::toNativeSeparators(m_hero + QStringLiteral("/sub")));
    QCOMPARE(m_window->currentFolder(), QDir::toNativeSeparators(m_hero + QStringLiteral("/sub")));
    QCOMPARE(m_window->ui().Text4->text(), QStringLiteral("a?"));
    QCOMPARE(m_window->ui().File1->pattern(), QStringLiteral("a?.gif"));
    QCOMPARE(m_window->windowTitle(), QStringLiteral("Kestrum Frame Editor 1.7.0"));

    // A folder that is gone is skipped; the pattern is still restored.
    m_settings->setValue(QStringLiteral("set/dir"), m_hero + QStringLiteral("/gone"));
    m_window = makeWindow();
    QCOMPARE(m_window->ui().File1->pattern(), QStringLiteral("a?.gif"));
    QVERIFY(m_window->currentFolder() != QDir::toNativeSeparators(m_hero + QStringLiteral("/gone")));
}

void TestClassicWindow::pinkBackgroundToggles()
{
    Canvas* canvas = m_window->ui().PicEdit;
    const QColor original = canvas->background();
    m_window->ui().mBackColor->trigger();
    QCOMPARE(canvas->background(), QColor(255, 0, 253));
    QCOMPARE(canvas->picture().pixelColor(1, 1), QColor(255, 0, 253));
    m_window->ui().mBackColor->trigger();
    QCOMPARE(canvas->background(), original);
}

QTEST_MAIN(TestClassicWindow)
#include "tst_classicwindow.moc"
