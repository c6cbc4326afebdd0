// pakunpack: the window's texts and layout, the command-line path, the file
// dialog, and starting kespak (a stand-in that records its arguments).
#include "pakunpack/Form1.h"

#include "PakBuilder.h"

#include <QApplication>
#include <QFileDialog>
#include <QGroupBox>
#include <QJsonArray>
#include <QJsonDocument>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTimer>
#include <QtTest>

#include <functional>

namespace {

const QString kRecorder = QStringLiteral(ARGUMENT_RECORDER);
const QString kKespak = QStringLiteral(KESPAK_TOOL);

// Clicks `button` and hands the modal dialog it opens to `answer`. The timer
// dies with this call, so it never fires later when no dialog came up.
bool clickIntoModal(QPushButton* button, const std::function<void(QWidget*)>& answer)
{
    bool answered = false;
    QTimer timer;
    timer.setSingleShot(true);
    QObject::connect(&timer, &QTimer::timeout, [&] {
        if (QWidget* modal = QApplication::activeModalWidget()) {
            answered = true;
            answer(modal);
        }
    });
    timer.start(0);
    QTest::mouseClick(button, Qt::LeftButton);
    return answered;
}

// Clicks `button` and returns "title|text|buttons" of the message box it shows.
QString clickForMessage(QPushButton* button)
{
    QString seen;
    clickIntoModal(button, [&](QWidget* modal) {
        if (auto* box = qobject_cast<QMessageBox*>(modal)) {
            seen = box->windowTitle() + '|' + box->text() + '|' + QString::number(box->buttons().size());
            box->accept();
        }
    });
    return seen;
}

template<typename T>
T* control(QWidget& window, const char* name)
{
    return window.findChild<T*>(QString::fromLatin1(name));
}

} // namespace

class TestPakunpack : public QObject
{
    Q_OBJECT

private slots:
    void layout_data();
    void layout();
    void captionAndLabel();
    void archiveFromArguments_data();
    void archiveFromArguments();
    void pickWithDialog_data();
    void pickWithDialog();
    void emptyPathStartsNothing();
    void startsToolWithThreeArguments_data();
    void startsToolWithThreeArguments();
    void missingToolIsReported_data();
    void missingToolIsReported();
    void unpacksNextToArchive();
};

void TestPakunpack::layout_data()
{
    QTest::addColumn<QString>("parentName");
    QTest::addColumn<QRect>("geometry");
    QTest::addColumn<QString>("caption");
    QTest::newRow("Frame1") << "" << QRect(8, 8, 465, 57) << "选择pak";
    QTest::newRow("Text1") << "Frame1" << QRect(8, 16, 393, 25) << "";
    QTest::newRow("Command1") << "Frame1" << QRect(400, 16, 57, 25) << "选取pak";
    QTest::newRow("Command2") << "" << QRect(408, 72, 57, 25) << "解压pak";
    QTest::newRow("Label1") << "" << QRect(16, 72, 377, 97) << QString();
}

void TestPakunpack::layout()
{
    QFETCH(QString, parentName);
    QFETCH(QRect, geometry);
    QFETCH(QString, caption);
    pakunpack::Form1 window;
    QCOMPARE(window.size(), QSize(493, 173));
    auto* widget = window.findChild<QWidget*>(QTest::currentDataTag());
    QVERIFY(widget);
    QCOMPARE(widget->parentWidget()->objectName(), parentName);
    QCOMPARE(widget->geometry(), geometry);
    if (auto* frame = qobject_cast<QGroupBox*>(widget))
        QCOMPARE(frame->title(), caption);
    if (auto* button = qobject_cast<QPushButton*>(widget))
        QCOMPARE(button->text(), caption);
}

void TestPakunpack::captionAndLabel()
{
    pakunpack::Form1 window;
    QCOMPARE(window.windowTitle(), QStringLiteral("pakunpack 版本1.0"));
    const QString instructions =
        QStringLiteral("1.选择一个pak文件\r\n2.点击解压按钮\r\n然后会在pak目录下生成data文件夹,将这个文件夹拷贝到"
                       "Kestrum目录下即可.注意,如果要运行解包的MOD需要在paks文件夹至少有一个.pak文件 "
                       "\u3000注意：不支持长文件名如果文件名较长超过８位请重命名．\r\n")
        + QString(50, ' ');
    auto* label = control<QLabel>(window, "Label1");
    QVERIFY(label);
    QVERIFY2(label->text().startsWith(instructions), qPrintable(label->text()));
    QVERIFY(!label->text().mid(instructions.size()).contains('\n'));
    // All of it must be readable inside the label's fixed box.
    const QRect needed = QFontMetrics(label->font()).boundingRect(label->contentsRect(), Qt::TextWordWrap,
                                                                   label->text());
    QVERIFY2(needed.height() <= label->height(), qPrintable(QString::number(needed.height())));
}

void TestPakunpack::archiveFromArguments_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<QString>("archive");
    QTest::newRow("none") << QStringList{"pakunpack"} << "";
    QTest::newRow("one") << QStringList{"pakunpack", "C:\\game\\paks\\x.pak"} << "C:\\game\\paks\\x.pak";
    QTest::newRow("split at blanks") << QStringList{"pakunpack", "/tmp/my", "paks/x.pak"} << "/tmp/my paks/x.pak";
    QTest::newRow("blanks kept") << QStringList{"pakunpack", "  x.pak "} << "  x.pak ";
}

void TestPakunpack::archiveFromArguments()
{
    QFETCH(QStringList, arguments);
    QFETCH(QString, archive);
    QCOMPARE(pakunpack::Form1::archiveFromArguments(arguments), archive);
    pakunpack::Form1 window(pakunpack::Form1::archiveFromArguments(arguments));
    QCOMPARE(control<QLineEdit>(window, "Text1")->text(), archive);
}

void TestPakunpack::pickWithDialog_data()
{
    QTest::addColumn<bool>("accept");
    QTest::newRow("chosen") << true;
    QTest::newRow("cancelled") << false;
}

void TestPakunpack::pickWithDialog()
{
    QFETCH(bool, accept);
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    const QString archive = dir.filePath("game.pak");
    QFile file(archive);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.close();

    pakunpack::Form1 window(QStringLiteral("typed before"));
    QStringList filters;
    const bool answered = clickIntoModal(control<QPushButton>(window, "Command1"), [&](QWidget* modal) {
        auto* cd = qobject_cast<QFileDialog*>(modal);
        if (!cd)
            return;
        filters = cd->nameFilters() << cd->objectName();
        cd->selectFile(archive);
        QDialog* dialog = cd; // accept() is public on QDialog and checks the choice in QFileDialog
        accept ? dialog->accept() : dialog->reject();
    });
    QVERIFY(answered);
    QCOMPARE(filters, (QStringList{"pak文件 (*.pak)", "cd"}));
    QCOMPARE(control<QLineEdit>(window, "Text1")->text(),
             accept ? QDir::toNativeSeparators(archive) : QStringLiteral("typed before"));
}

void TestPakunpack::emptyPathStartsNothing()
{
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    const QString record = dir.filePath("record.json");
    qputenv("KES_ARGUMENT_RECORD", QFile::encodeName(record));
    pakunpack::Form1 window(QString(), kRecorder);
    auto* unpack = control<QPushButton>(window, "Command2");

    QCOMPARE(clickForMessage(unpack), QStringLiteral("pakunpack|请选择pak文件|1"));
    QTest::qWait(500);
    QVERIFY(!QFile::exists(record));
    // The same set-up does start the tool once there is a path.
    control<QLineEdit>(window, "Text1")->setText("x.pak");
    QTest::mouseClick(unpack, Qt::LeftButton);
    QTRY_VERIFY_WITH_TIMEOUT(QFile::exists(record), 10000);
}

void TestPakunpack::startsToolWithThreeArguments_data()
{
    QTest::addColumn<QString>("typed");
    QTest::newRow("blanks only") << "   ";
    QTest::newRow("blanks in path") << " /tmp/my paks/x y.pak ";
    QTest::newRow("windows path") << "C:\\game\\paks\\x.pak";
    QTest::newRow("chinese") << "游戏/中文 名.pak";
    QTest::newRow("command separator") << "x.pak; touch @MARK@";
    QTest::newRow("command substitution") << "$(touch @MARK@) `touch @MARK@`";
}

// The path goes to the tool exactly as typed, as the third argument, and
// no shell ever sees it.
void TestPakunpack::startsToolWithThreeArguments()
{
    QFETCH(QString, typed);
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    const QString record = dir.filePath("record.json");
    const QString marker = dir.filePath("marker");
    typed.replace("@MARK@", marker);
    qputenv("KES_ARGUMENT_RECORD", QFile::encodeName(record));

    pakunpack::Form1 window(QString(), kRecorder);
    auto* text1 = control<QLineEdit>(window, "Text1");
    text1->insert(typed);
    QCOMPARE(text1->text(), typed);
    QCOMPARE(clickForMessage(control<QPushButton>(window, "Command2")), QString());

    QTRY_VERIFY_WITH_TIMEOUT(QFile::exists(record), 10000);
    QFile file(record);
    QVERIFY(file.open(QIODevice::ReadOnly));
    const QJsonArray arguments = QJsonDocument::fromJson(file.readAll()).array();
    QCOMPARE(arguments, QJsonArray::fromStringList({"kes", "-i", typed}));
    QVERIFY(!QFile::exists(marker));
}

void TestPakunpack::missingToolIsReported_data()
{
    QTest::addColumn<bool>("fileExists");
    QTest::newRow("missing") << false;
    QTest::newRow("not executable") << true;
}

void TestPakunpack::missingToolIsReported()
{
    QFETCH(bool, fileExists);
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    const QString tool = dir.filePath("Dlls/kespak");
    if (fileExists) {
        QVERIFY(QDir().mkpath(dir.filePath("Dlls")));
        QFile file(tool);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write("not a program");
    }
    pakunpack::Form1 window(QStringLiteral("x.pak"), tool);
    QCOMPARE(window.toolPath(), tool);
    const QString message = clickForMessage(control<QPushButton>(window, "Command2"));
    QVERIFY2(message.startsWith("pakunpack|") && message.endsWith("|1"), qPrintable(message));
    QVERIFY2(message.contains(QDir::toNativeSeparators(tool)), qPrintable(message));
}

// The whole road: the real kespak extracts the archive whose path has blanks
// into a data folder beside it.
void TestPakunpack::unpacksNextToArchive()
{
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    QVERIFY(QDir().mkpath(dir.filePath("my paks")));
    PakBuilder pak;
    pak.addFile("data/chars/hero/idle01.gif", "GIF89a frame");
    QFile archive(dir.filePath("my paks/game.pak"));
    QVERIFY(archive.open(QIODevice::WriteOnly));
    QVERIFY(archive.write(pak.build()) > 0);
    archive.close();

    pakunpack::Form1 window(archive.fileName(), kKespak);
    QCOMPARE(clickForMessage(control<QPushButton>(window, "Command2")), QString());
    QFile extracted(dir.filePath("my paks/data/chars/hero/idle01.gif"));
    QTRY_VERIFY_WITH_TIMEOUT(extracted.exists(), 10000);
    QVERIFY(extracted.open(QIODevice::ReadOnly));
    QCOMPARE(extracted.readAll(), QByteArray("GIF89a frame"));
}

QTEST_MAIN(TestPakunpack)
#include "TestPakunpack.moc"
