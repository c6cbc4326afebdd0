// pakunpack: the path from the command line, finding kespak and starting it
// on the path as typed, names shown as plain text, the outcome of real runs.
#include "../FileBytes.h"
#include "../kespak/PakBuilder.h"
#include "ModalDriver.h"
#include "language/Translators.h"
#include "pakunpack/Form1.h"
#include "pakunpack/UnpackRun.h"
#include "pakunpack/UnpackWindow.h"

#include <QtTest>
#include <QtWidgets>

namespace {

// Whether `widget`, a label or a message box, shows its text as it is
// rather than as rich text.
bool showsLiterally(const QWidget* widget)
{
    const auto format = widget->property("textFormat").value<Qt::TextFormat>();
    return format == Qt::PlainText
           || (format == Qt::AutoText && !Qt::mightBeRichText(widget->property("text").toString()));
}

// Clicks Unpack and returns "title|text" of the message box it shows, if any.
QString unpack(pakunpack::Form1& window)
{
    testing::ModalDriver modal;
    QTest::mouseClick(window.findChild<QPushButton*>("Command2"), Qt::LeftButton);
    return modal.messages.isEmpty() ? QString() : modal.messageTitles[0] + '|' + modal.messages[0];
}

} // namespace

class TestPakunpack : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase()
    {
        QVERIFY(language::installLanguage(language::Language::Chinese, pakunpack::Form1::catalogs()));
    }

    // The path from the command line, blanks kept, and the whole instruction
    // readable inside the label's fixed box.
    void textsAndArguments()
    {
        pakunpack::Form1 window(pakunpack::Form1::archiveFromArguments({"pakunpack", "  /tmp/my", "paks/x.pak "}));
        QCOMPARE(window.findChild<QLineEdit*>("Text1")->text(), QStringLiteral("  /tmp/my paks/x.pak "));
        const QLabel* label = window.findChild<QLabel*>("Label1");
        QVERIFY(label->text().contains(u'\n'));
        QVERIFY(QFontMetrics(label->font()).boundingRect(label->contentsRect(), Qt::TextWordWrap, label->text()).height()
                <= label->height());
    }

    void unpack_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("tool"); // the recording stand-in, or a path that cannot start
        QTest::addColumn<QString>("message"); // a line of the message box text, "" for none
        QTest::addColumn<QString>("shown"); // the archive's file name, also the entry the stand-in plays, as shown
        const QString recorder = QStringLiteral(KESPAK_STAND_IN);
        QTest::newRow("empty path") << "" << recorder << "请选择pak文件" << "";
        QTest::newRow("blanks only") << "   " << recorder << "" << "   ";
        QTest::newRow("blanks and Chinese") << " /tmp/my paks/游戏 名.pak " << recorder << "" << "游戏 名.pak ";
        // A shell, quoting or not, would change or split this.
        const QString shell = "x'.pak; touch m $(touch m) `touch m`";
        QTest::newRow("shell characters") << shell << recorder << "" << shell;
        // Shown as the text they are: no tag is rendered, no direction control reorders what follows it.
        const QString tags = "<h1>全部完成 写入了100个文件<\\h1><!--.pak";
        QTest::newRow("HTML tags") << tags << recorder << "" << tags;
        QTest::newRow("right-to-left override") << "gpj\u202Eexe.txt" << recorder << "" << "gpj\\u202eexe.txt";
        // The default tool, Dlls/kespak in the program's folder, is not built beside the tests.
        const QString missing = QCoreApplication::applicationDirPath() + "/Dlls/kespak";
        QTest::newRow("missing tool") << "x.pak" << "" << QDir::toNativeSeparators(missing) << "";
        QTest::newRow("tool is a folder") << "x.pak" << QDir::tempPath() << QDir::toNativeSeparators(QDir::tempPath())
                                          << "";
    }

    // The path goes to the tool as typed, as the third argument, and no shell
    // ever sees it; names show as plain text; a tool that cannot start is
    // named in the message.
    void unpack()
    {
        QFETCH(QString, typed);
        QFETCH(QString, tool);
        QFETCH(QString, message);
        QFETCH(QString, shown);
        QTemporaryDir dir;
        QVERIFY(dir.isValid());
        const QString record = dir.filePath("record");
        qputenv("KES_ARGUMENT_RECORD", QFile::encodeName(record));
        qputenv("KES_STAND_IN_RECORDS", ("start\t1\t5\nentry\t1\t5\t" + QFileInfo(typed).fileName() + "\n").toUtf8());
        qputenv("KES_STAND_IN_WAIT", "20000");
        pakunpack::Form1 window(typed, tool);
        const QString box = ::unpack(window);
        QVERIFY2(message.isEmpty() ? box.isEmpty() : box.startsWith("pakunpack|") && box.section('|', 1).split('\n').contains(message),
                 qPrintable(box));
        if (message.isEmpty()) {
            QTRY_VERIFY_WITH_TIMEOUT(QFile::exists(record), 10000);
            const QStringList arguments = QString::fromUtf8(testfiles::fileBytes(record)).split(u'\n');
            QCOMPARE(arguments, (QStringList{"--progress", "kes", "-i", typed}));
            auto* run = window.findChild<pakunpack::UnpackWindow*>();
            QVERIFY(run);
            const auto* status = run->findChild<QLabel*>("status");
            QTRY_COMPARE_WITH_TIMEOUT(status->text(), "正在解压: " + shown, 10000);
            QVERIFY(showsLiterally(status));
            QCOMPARE(run->windowTitle(), "pakunpack - " + shown);
        } else {
            QTest::qWait(500);
            QVERIFY(!QFile::exists(record));
        }
    }

    void findTool_data()
    {
        QTest::addColumn<QStringList>("present"); // the places below the prefix that hold kespak
        QTest::addColumn<QString>("found");
        QTest::newRow("beside first") << QStringList{"bin/Dlls/kespak", "libexec/kestrum/kespak"} << "bin/Dlls/kespak";
        QTest::newRow("installed") << QStringList{"libexec/kestrum/kespak"} << "bin/../libexec/kestrum/kespak";
        QTest::newRow("neither") << QStringList{} << "bin/Dlls/kespak";
    }

    // Dlls/kespak beside the program comes first, then the installed layout.
    void findTool()
    {
        QFETCH(QStringList, present);
        QFETCH(QString, found);
        QTemporaryDir prefix;
        QVERIFY(prefix.isValid() && QDir(prefix.path()).mkpath("bin"));
        for (const QString& place : present)
            QVERIFY(testfiles::writeFile(prefix.filePath(place), {})
                    && QFile::setPermissions(prefix.filePath(place), QFile::ReadOwner | QFile::ExeOwner));
        QCOMPARE(pakunpack::Form1::findTool(prefix.filePath("bin")), prefix.filePath(found));
    }

    void outcome_data()
    {
        QTest::addColumn<QByteArray>("archive");
        QTest::addColumn<QString>("status");
        QTest::addColumn<QString>("details"); // what the details must hold, "" for no details shown
        QTest::addColumn<bool>("opens"); // whether the data folder can be opened
        const auto pak = [](const QByteArray& first, const QByteArray& second) {
            PakBuilder builder;
            builder.addFile(first, QByteArray(3000, 'k'));
            builder.addFile(second, QByteArray(3000, 'k'));
            return builder.build();
        };
        QTest::newRow("good archive") << pak("data/a.txt", "data/zz/b.txt") << "解压完成: 写入了2个文件." << "" << true;
        QTest::newRow("refused entry") << pak("data/a.txt", "data/../b.txt")
                                       << "解压完成: 写入了1个文件. 有1个条目被拒绝, 原因如下:"
                                       << "data/../b.txt: the name has a \"..\" component" << true;
        QTest::newRow("every entry refused") << pak("../a/a.txt", "data/../b.txt")
                                             << "解压失败: 没有解压出任何文件. 有2个条目被拒绝, 原因如下:"
                                             << "../a/a.txt: the name has a \"..\" component" << false;
        QTest::newRow("not an archive") << QByteArray("just some text\n") << "解压失败 (退出码 1), 没有写入文件:"
                                        << "not a pak archive" << false;
    }

    // The real kespak on a path with blanks and tags: progress, the outcome in
    // plain words, and (offscreen, with no opener) the data folder's path.
    void outcome()
    {
        QFETCH(QByteArray, archive);
        QFETCH(QString, status);
        QFETCH(QString, details);
        QFETCH(bool, opens);
        QTemporaryDir dir;
        const QString folder = dir.filePath("<b>big<\\b><!--");
        QVERIFY(dir.isValid() && testfiles::writeFile(folder + "/my paks/x y.pak", archive));

        pakunpack::Form1 window(folder + "/my paks/x y.pak", KESPAK);
        QVERIFY(::unpack(window).isEmpty());
        auto* shown = window.findChild<pakunpack::UnpackWindow*>();
        QVERIFY(shown && shown->isVisible());
        QTRY_COMPARE_WITH_TIMEOUT(shown->findChild<QLabel*>("status")->text(), status, 20000);
        const auto* text = shown->findChild<QPlainTextEdit*>("details");
        QCOMPARE(text->isVisible(), !details.isEmpty());
        QVERIFY2(text->toPlainText().contains(details), qPrintable(text->toPlainText()));
        auto* openData = shown->findChild<QPushButton*>("openData");
        QCOMPARE(openData->isEnabled(), opens);
        const auto* progress = shown->findChild<QProgressBar*>("progress");
        QCOMPARE(progress->isVisible() && progress->value() == progress->maximum(), opens);
        QCOMPARE(QFile::exists(folder + "/my paks/data/zz/b.txt"), details.isEmpty());
        if (opens) {
            QCOMPARE(QGuiApplication::platformName(), "offscreen");
            QTest::mouseClick(openData, Qt::LeftButton);
            const auto* failure = shown->findChild<QLabel*>("openFailure");
            QVERIFY(failure && failure->isVisible() && showsLiterally(failure));
            QVERIFY2(failure->text().contains(QDir::toNativeSeparators(folder + "/my paks/data")), qPrintable(failure->text()));
        }
    }
};

QTEST_MAIN(TestPakunpack)
#include "TestPakunpack.moc"
