// pakunpack: the window's texts, the path from the command line, and starting
// kespak on the path exactly as typed (a stand-in records its arguments).
#include "pakunpack/Form1.h"

#include <QtTest>
#include <QtWidgets>

namespace {

// Clicks Unpack and returns "title|text" of the message box it shows, if any.
// The timer dies with this call, so it never fires into a later test.
QString unpack(pakunpack::Form1& window)
{
    QString seen;
    QTimer timer;
    QObject::connect(&timer, &QTimer::timeout, [&] {
        if (QWidget* box = QApplication::activeModalWidget()) {
            seen = box->windowTitle() + '|' + box->property("text").toString();
            box->close();
        }
    });
    timer.start(0);
    QTest::mouseClick(window.findChild<QPushButton*>("Command2"), Qt::LeftButton);
    return seen;
}

} // namespace

class TestPakunpack : public QObject
{
    Q_OBJECT

private slots:
    void textsAndArguments()
    {
        pakunpack::Form1 window(pakunpack::Form1::archiveFromArguments({"pakunpack", "  /tmp/my", "paks/x.pak "}));
        QCOMPARE(window.windowTitle(), QStringLiteral("pakunpack 版本1.0"));
        QCOMPARE(window.findChild<QGroupBox*>("Frame1")->title(), QStringLiteral("选择pak"));
        QCOMPARE(window.findChild<QPushButton*>("Command1")->text(), QStringLiteral("选取pak"));
        QCOMPARE(window.findChild<QPushButton*>("Command2")->text(), QStringLiteral("解压pak"));
        QCOMPARE(window.findChild<QLineEdit*>("Text1")->text(), QStringLiteral("  /tmp/my paks/x.pak "));
        const QLabel* label = window.findChild<QLabel*>("Label1");
        QVERIFY(label->text().startsWith(
            QStringLiteral("1.选择一个pak文件\r\n2.点击解压按钮\r\n然后会在pak目录下生成data文件夹,将这个文件夹拷贝到Kestrum目录下即"
                           "可.注意,如果要运行解包的MOD需要在paks文件夹至少有一个.pak文件 \u3000注意：不支持长文件名如果文件名"
                           "较长超过８位请重命名．\r\n")
            + QString(50, ' ')));
        // All of it must be readable inside the label's fixed box.
        QVERIFY(QFontMetrics(label->font()).boundingRect(label->contentsRect(), Qt::TextWordWrap, label->text()).height()
                <= label->height());
    }

    void unpack_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("tool"); // the recording stand-in, or a path that cannot start
        QTest::addColumn<QString>("message"); // how the message box text ends, "" for none
        const QString recorder = QStringLiteral(ARGUMENT_RECORDER);
        QTest::newRow("empty path") << "" << recorder << "请选择pak文件";
        QTest::newRow("blanks only") << "   " << recorder << "";
        QTest::newRow("blanks and Chinese") << " /tmp/my paks/游戏 名.pak " << recorder << "";
        // A shell, quoting or not, would change or split this.
        QTest::newRow("shell characters") << "x'.pak; touch m $(touch m) `touch m`" << recorder << "";
        // The default tool, Dlls/kespak in the program's folder, is not built beside the tests.
        const QString missing = QCoreApplication::applicationDirPath() + "/Dlls/kespak";
        QTest::newRow("missing tool") << "x.pak" << "" << QDir::toNativeSeparators(missing);
        QTest::newRow("tool is a folder") << "x.pak" << QDir::tempPath() << QDir::toNativeSeparators(QDir::tempPath());
    }

    // The path goes to the tool as typed, as the third argument, and no shell
    // ever sees it; a tool that cannot start is named in the message.
    void unpack()
    {
        QFETCH(QString, typed);
        QFETCH(QString, tool);
        QFETCH(QString, message);
        QTemporaryDir dir;
        QVERIFY(dir.isValid());
        const QString record = dir.filePath("record");
        qputenv("KES_ARGUMENT_RECORD", QFile::encodeName(record));
        pakunpack::Form1 window(typed, tool);
        const QString shown = ::unpack(window);
        QVERIFY2(message.isEmpty() ? shown.isEmpty() : shown.startsWith("pakunpack|") && shown.endsWith(message),
                 qPrintable(shown));
        if (message.isEmpty()) {
            QTRY_VERIFY_WITH_TIMEOUT(QFile::exists(record), 10000);
            QFile file(record);
            QVERIFY(file.open(QIODevice::ReadOnly));
            QCOMPARE(QString::fromUtf8(file.readAll()).split(u'\n'), (QStringList{"kes", "-i", typed}));
        } else {
            QTest::qWait(500);
            QVERIFY(!QFile::exists(record));
        }
    }
};

QTEST_MAIN(TestPakunpack)
#include "TestPakunpack.moc"
