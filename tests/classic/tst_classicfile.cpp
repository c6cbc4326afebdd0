// The classic editor's file commands on real files in temporary folders:
// open, edit and save, which changes only the edited lines, with the .bak
// copy; a save that fails or is refused; the questions before replacing a
// file and on close; the recent files; the recovery of the text.

#include "../FileBytes.h"
#include "ModalDriver.h"
#include "ScriptLines.h"
#include "classic/window/Form1.h"
#include "language/Translators.h"
#include "classic/script/LinePreservingFile.h"
#include "classic/script/ScriptBox.h"
#include "model/files/TextFileEncoding.h"

#include <QtTest>
#include <QtWidgets>

#include <algorithm>
#include <memory>
#include <numeric>

using namespace classic;

using testfiles::fileBytes;
using testfiles::writeFile;

namespace {

const QByteArray kScript = "anim\tidle\r\n\tdelay\t5\r\n\tframe\tdata/chars/hero/a0\r\n";

// Runs `action` and answers what it opens: a file dialog with `path`, a
// question with `button`, a message with OK. Returns the texts of the
// messages, then of the questions.
QStringList answering(const std::function<void()>& action, QMessageBox::StandardButton button,
                      const QString& path = QString())
{
    testing::ModalDriver driver;
    QStringList questions;
    // No command here opens more than a file dialog and two questions.
    for (int i = 0; i < 3; ++i) {
        driver.onDialog([&](QDialog* dialog) {
            auto* box = qobject_cast<QMessageBox*>(dialog);
            if (!box) {
                dialog->findChild<QLineEdit*>(QStringLiteral("fileNameEdit"))->setText(path);
                return dialog->accept();
            }
            questions << box->text();
            box->button(button)->click();
        });
    }
    action();
    return driver.messages + questions;
}

// A file's lines, each with its line end; the last one, after the last
// line end, has none and may be empty.
QList<QByteArray> fileLines(const QByteArray& bytes)
{
    QList<QByteArray> lines = bytes.split('\n');
    for (qsizetype i = 0; i + 1 < lines.size(); ++i)
        lines[i] += '\n';
    return lines;
}

// Replaces line `row` of the box by `text` (CR LF between lines) as typing
// would; a null text deletes the line with its line break.
void replaceLine(ScriptBox* box, int row, const QString& text)
{
    QTextCursor cursor(box->document()->findBlockByNumber(row));
    const bool last = !cursor.block().next().isValid();
    // The last line goes with the line break before it.
    if (text.isNull() && last)
        cursor.movePosition(QTextCursor::PreviousCharacter);
    const auto to = !text.isNull() ? QTextCursor::EndOfBlock : last ? QTextCursor::End : QTextCursor::NextBlock;
    cursor.movePosition(to, QTextCursor::KeepAnchor);
    cursor.insertText(QString(text).replace(QStringLiteral("\r\n"), QStringLiteral("\n")));
}

} // namespace

class TestClassicFile : public QObject {
    Q_OBJECT

    std::unique_ptr<QTemporaryDir> m_dir;
    std::unique_ptr<QSettings> m_settings;
    std::unique_ptr<Form1> m_window;
    QString m_path;

private slots:
    // The window's texts are compared in Chinese whatever the machine's locale.
    void initTestCase() { QVERIFY(language::installLanguage(language::Language::Chinese, Form1::catalogs())); }

    void init()
    {
        m_window.reset(); // before the settings and the folder it uses
        m_dir = std::make_unique<QTemporaryDir>();
        QVERIFY(m_dir->isValid());
        m_settings = std::make_unique<QSettings>(m_dir->filePath(QStringLiteral("settings.ini")), QSettings::IniFormat);
        m_window = std::make_unique<Form1>(m_settings.get());
        m_path = m_dir->filePath(QStringLiteral("hero.txt"));
    }

    void failedSaveLeavesFile()
    {
        QVERIFY(writeFile(m_path, kScript) && QDir().mkpath(m_path + ".bak"));
        QVERIFY(m_window->scriptFile().open(m_path));
        m_window->setScriptText(QStringLiteral("\tdelay\t9\r\n"));
        bool saved = true;
        const QStringList texts = answering([&] { saved = m_window->scriptFile().save(); }, QMessageBox::Ok);
        QVERIFY(!saved);
        QCOMPARE(texts.size(), 1);
        QVERIFY(texts[0].contains(QStringLiteral("无法写入文件")));
        QCOMPARE(fileBytes(m_path), kScript);
        QVERIFY(m_window->isWindowModified());
    }

    void closeAsksAndRecoveryGoes()
    {
        const auto recoveryFiles = [&] {
            return QDir(m_dir->filePath(QStringLiteral("data/recovery")), QStringLiteral("*.json")).entryList();
        };
        m_window->scriptFile().keepRecovery(m_dir->filePath(QStringLiteral("data")));
        QVERIFY(writeFile(m_path, kScript) && m_window->scriptFile().open(m_path));
        m_window->show();
        m_window->setScriptText(QStringLiteral("\tdelay\t9\r\n"));
        QTRY_COMPARE(recoveryFiles().size(), 1);
        QVERIFY(answering([&] { QVERIFY(!m_window->close()); }, QMessageBox::Cancel).size() == 1);
        QVERIFY(m_window->isVisible());
        QVERIFY(answering([&] { QVERIFY(m_window->close()); }, QMessageBox::Discard).size() == 1);
        QCOMPARE(fileBytes(m_path), kScript);
        QCOMPARE(recoveryFiles(), QStringList());
    }

    // A damaged recovery file is set aside and said so; the text stays empty.
    void damagedRecoveryIsSetAside()
    {
        const QString path = m_dir->filePath(QStringLiteral("recovery.json"));
        QVERIFY(writeFile(path, "{\"format\":"));
        m_window->scriptFile().keepRecovery(m_dir->path());
        const QStringList texts = answering([&] { m_window->scriptFile().offerRecovery(); }, QMessageBox::Yes);
        QCOMPARE(texts.size(), 1);
        QVERIFY2(texts[0].contains(QStringLiteral("恢复文件已损坏")), qPrintable(texts[0]));
        QCOMPARE(m_window->scriptText(), QString());
        QVERIFY(QFile::exists(path + ".damaged"));
    }

    // One edit through the box, then "保存": the file is the file as it was
    // but for the bytes of the edited line.
    void saveChangesOnlyTheEditedLine_data()
    {
        QTest::addColumn<QByteArray>("original");
        QTest::addColumn<int>("row");
        QTest::addColumn<QString>("text"); // the line's new text; null: deleted
        QTest::addColumn<QByteArray>("written");
        for (const Case& c : readCases(QStringLiteral("edited_line_saved.txt"))) {
            QTest::newRow(c["case"].constData()) << c["original"] << c["row"].toInt()
                                                 << (c.contains("text") ? QString::fromUtf8(c["text"]) : QString())
                                                 << c["written"];
        }
    }

    void saveChangesOnlyTheEditedLine()
    {
        QFETCH(QByteArray, original);
        QFETCH(int, row);
        QFETCH(QString, text);
        QFETCH(QByteArray, written);
        QVERIFY(writeFile(m_path, original) && m_window->scriptFile().open(m_path));
        QVERIFY(m_window->scriptFile().save()); // unchanged: nothing is written
        QVERIFY(!QFile::exists(m_path + ".bak"));
        replaceLine(m_window->ui().Text1, row, text);
        QVERIFY(m_window->isWindowModified());
        QVERIFY(m_window->scriptFile().save());
        QVERIFY(!m_window->isWindowModified());
        QList<QByteArray> expected = fileLines(original);
        expected[row] = written;
        QCOMPARE(fileBytes(m_path), expected.join());
        QCOMPARE(fileBytes(m_path + ".bak"), original);
    }

    // Random files (line ends, encodings, byte-order mark, no-break spaces,
    // lone CRs, line separators, unreadable bytes), random edits through the
    // box, "保存": the file reads as the box's text, and every line that no
    // edit touched keeps its bytes.
    void randomEditsKeepUntouchedLines()
    {
        const quint32 seed = qEnvironmentVariableIsSet("SEED") ? qEnvironmentVariable("SEED").toUInt() : 20261207;
        const QByteArray where = "seed " + QByteArray::number(seed);
        QRandomGenerator random(seed);
        const auto pick = [&random](const auto& choices) { return choices[random.bounded(int(std::size(choices)))]; };
        const QByteArray pieces[2][4] = {{"\toffset\t3 4", " # \xE8\xB7\x91", "\xC2\xA0\rtail", "\xE2\x80\xA8y"},
                                         {"\toffset\t3 4", " # \xC5\xDC", "\rtail", "\x81 unreadable"}};
        const QByteArray common[] = {"", "\tdelay\t5"};
        const QByteArray ends[] = {"\r\n", "\n"};
        const QString newPieces[] = {QStringLiteral("\toffset\t5 6"), QStringLiteral(" # 新"), QStringLiteral("\u21B5cr")};
        const auto content = [](const QByteArray& line) {
            return line.chopped(line.endsWith("\r\n") ? 2 : int(line.endsWith('\n')));
        };
        int serial = 0;
        for (int round = 0; round < 60; ++round) {
            const int gbk = random.bounded(2);
            // Lines start with a number of their own, but for some that
            // occur many times, as blank and delay lines do in scripts.
            QByteArray original = gbk || random.bounded(3) ? QByteArray() : QByteArray("\xEF\xBB\xBF");
            for (int line = 0, count = 1 + random.bounded(12); line < count; ++line) {
                if (random.bounded(4) == 0) {
                    original += pick(common);
                } else {
                    original += 'L' + QByteArray::number(serial++);
                    for (int piece = random.bounded(4); piece > 0; --piece)
                        original += pick(pieces[gbk]);
                }
                if (line < count - 1 || random.bounded(2))
                    original += pick(ends);
            }
            QVERIFY(writeFile(m_path, original) && m_window->scriptFile().open(m_path));
            ScriptBox* box = m_window->ui().Text1;
            QList<int> origin(box->document()->blockCount()); // per line of the box: its line in the file, or -1
            std::iota(origin.begin(), origin.end(), 0);
            for (int edit = 1 + random.bounded(4); edit > 0; --edit) {
                const int row = random.bounded(int(origin.size()));
                const QString text = QStringLiteral("N%1").arg(serial++) + pick(newPieces);
                const QString old = box->document()->findBlockByNumber(row).text();
                const int kind = random.bounded(4);
                // Lines with bytes that were never read cannot change.
                if (kind == 0 || (kind == 1 && !old.contains(QChar::ReplacementCharacter))) {
                    replaceLine(box, row, kind == 0 ? text : old + text);
                    origin[row] = -1;
                } else if (kind == 2) {
                    replaceLine(box, row, text + QStringLiteral("\r\n") + old);
                    origin.insert(row, -1);
                } else if (kind == 3 && origin.size() > 1) {
                    replaceLine(box, row, QString());
                    origin.remove(row);
                }
            }
            if (!box->document()->isModified())
                continue;
            QVERIFY2(m_window->scriptFile().save(), where);
            const QByteArray saved = fileBytes(m_path);
            const model::TextEncoding encoding = LinePreservingFile(original).encoding();
            QVERIFY2(LinePreservingFile(saved, encoding).text() == box->scriptText(), where);
            const qsizetype mark = model::byteOrderMarkLength(original);
            QVERIFY2(model::byteOrderMarkLength(saved) == mark, where);
            const QList<QByteArray> before = fileLines(original.sliced(mark));
            const QList<QByteArray> after = fileLines(saved.sliced(mark));
            QVERIFY2(after.size() == origin.size(), where);
            for (int row = 0; row < origin.size(); ++row) {
                const int line = origin[row];
                // A line that moved to or from the end gained or lost its line
                // end; of lines alike, any may be the one kept, with its end.
                const auto alike = [&](const QByteArray& other) { return content(other) == content(before[line]); };
                const bool ended = line >= 0 && row + 1 < after.size() && line + 1 < before.size()
                                && std::count_if(before.begin(), before.end(), alike) == 1;
                QVERIFY2(line < 0 || (ended ? after[row] == before[line] : content(after[row]) == content(before[line])),
                         where + " line " + QByteArray::number(row + 1));
            }
        }
    }

    // "另存为…" of a GBK file: the title tells the encoding; a line edited
    // is written in GBK, a line of bytes that are no text keeps them; an
    // edit of that line, or a character GBK lacks, is refused by line.
    void saveAsGbkFile_data()
    {
        QTest::addColumn<int>("row");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("refusal"); // empty: saved

        QTest::newRow("another line edited") << 1 << "\tdelay\t6 # 跑" << QString();
        QTest::newRow("the unreadable line edited") << 2 << "# \uFFFD bad, edited" << "第 3 行有文件中无法识别的字节";
        QTest::newRow("a character outside GBK") << 1 << "\tdelay\t6 # 😀" << "第 2 行有 GBK 编码无法写出的字符";
    }

    void saveAsGbkFile()
    {
        QFETCH(int, row);
        QFETCH(QString, text);
        QFETCH(QString, refusal);
        const QByteArray original = "anim\t\xC5\xDC\r\n\tdelay\t5\r\n# \x81 bad\r\n";
        QVERIFY(writeFile(m_path, original) && m_window->scriptFile().open(m_path));
        QVERIFY(m_window->windowTitle().startsWith(QStringLiteral("hero.txt[*] (GBK)")));
        replaceLine(m_window->ui().Text1, row, text);
        const QString copy = m_dir->filePath(QStringLiteral("copy.txt"));
        const QStringList texts = answering([&] { m_window->findChild<QAction*>("mSaveAs")->trigger(); },
                                            QMessageBox::Ok, copy);
        QCOMPARE(texts.size(), refusal.isEmpty() ? 0 : 1);
        if (!refusal.isEmpty()) {
            QVERIFY2(texts[0].startsWith(refusal) && texts[0].endsWith(text), qPrintable(texts[0]));
            QVERIFY(!QFile::exists(copy));
            return;
        }
        QList<QByteArray> expected = fileLines(original);
        expected[row] = "\tdelay\t6 # \xC5\xDC\r\n";
        QCOMPARE(fileBytes(copy), expected.join());
        QVERIFY(m_window->windowTitle().startsWith(QStringLiteral("copy.txt[*] (GBK)")));
    }

    // An untitled text saved over a file takes that file's encoding.
    void untitledTextSavedOverAGbkFile()
    {
        QVERIFY(writeFile(m_path, "# \xC5\xDC\r\n"));
        m_window->setScriptText(QStringLiteral("# 跑\r\n\tdelay\t5"));
        answering([&] { QVERIFY(m_window->scriptFile().saveAs()); }, QMessageBox::Yes, m_path);
        QCOMPARE(fileBytes(m_path), QByteArray("# \xC5\xDC\r\n\tdelay\t5"));
    }

    // Shift+Enter starts a line as Enter does, never a line separator inside one.
    void shiftEnterStartsALine()
    {
        QVERIFY(writeFile(m_path, "a\r\nb\r\n") && m_window->scriptFile().open(m_path));
        ScriptBox* box = m_window->ui().Text1;
        box->moveCursor(QTextCursor::EndOfLine);
        QTest::keyClick(box, Qt::Key_Return, Qt::ShiftModifier);
        QTest::keyClick(box, Qt::Key_X);
        QVERIFY(m_window->scriptFile().save());
        QCOMPARE(fileBytes(m_path), QByteArray("a\r\nx\r\nb\r\n"));
    }

    // Before "保存" replaces a file that another program changed or removed
    // since it was read, it asks, saying which; also after a crash and a
    // restore of the work (the window built anew from the recovery file).
    // "是" writes the whole text.
    void askedBeforeReplacingAFile_data()
    {
        QTest::addColumn<bool>("crash");
        QTest::addColumn<bool>("removed");
        QTest::addColumn<bool>("yes");
        QTest::newRow("changed, no") << false << false << false;
        QTest::newRow("changed, yes") << false << false << true;
        QTest::newRow("removed, yes") << false << true << true;
        QTest::newRow("changed after a crash, yes") << true << false << true;
        QTest::newRow("removed after a crash, yes") << true << true << true;
    }

    void askedBeforeReplacingAFile()
    {
        QFETCH(bool, crash);
        QFETCH(bool, removed);
        QFETCH(bool, yes);
        const QString data = m_dir->filePath(QStringLiteral("share"));
        m_window->scriptFile().keepRecovery(data);
        const QByteArray original = "# \xC5\xDC\n\tdelay\t5\n";
        QVERIFY(writeFile(m_path, original) && m_window->scriptFile().open(m_path));
        replaceLine(m_window->ui().Text1, 1, QStringLiteral("\tdelay\t7"));
        if (crash) {
            QTRY_VERIFY(!QDir(data + QStringLiteral("/recovery")).entryList({QStringLiteral("*.json")}).isEmpty());
            m_window = std::make_unique<Form1>(m_settings.get());
            m_window->scriptFile().keepRecovery(data);
        }
        const QByteArray other = "\tdelay\t9\n";
        QVERIFY(removed ? QFile::remove(m_path) : writeFile(m_path, other));
        if (crash) {
            QCOMPARE(answering([&] { m_window->scriptFile().offerRecovery(); }, QMessageBox::Yes).size(), 1);
            QVERIFY(m_window->windowTitle().startsWith(QStringLiteral("hero.txt[*] (GBK)")));
        }
        const QStringList texts = answering([&] { QCOMPARE(m_window->scriptFile().save(), yes); },
                                            yes ? QMessageBox::Yes : QMessageBox::No);
        QCOMPARE(texts.size(), 1);
        QVERIFY2(texts[0].contains(removed ? QStringLiteral("被删除或移走了") : QStringLiteral("被其他程序修改过")),
                 qPrintable(texts[0]));
        const QByteArray left = removed ? QByteArray("<missing>") : other;
        QCOMPARE(fileBytes(m_path), yes ? QByteArray("# \xC5\xDC\n\tdelay\t7\n") : left);
    }

    // "打开…" lists a file first in the recent files, the newest eight of
    // them, kept for the next window; choosing one opens it.
    void recentFiles()
    {
        const auto recent = [this](int i) { return m_window->findChild<QAction*>(QStringLiteral("mRecent%1").arg(i)); };
        for (int i = 0; i <= ScriptFile::kMaxRecent; ++i) {
            const QString path = m_dir->filePath(QStringLiteral("f%1.txt").arg(i));
            QVERIFY(writeFile(path, QByteArray::number(i)) && m_window->scriptFile().open(path));
        }
        m_window = std::make_unique<Form1>(m_settings.get());
        QVERIFY(recent(0)->text().endsWith(QStringLiteral("f8.txt")));
        QVERIFY(recent(ScriptFile::kMaxRecent - 1)->text().endsWith(QStringLiteral("f1.txt")));
        recent(3)->trigger();
        QCOMPARE(m_window->scriptText(), QStringLiteral("5"));
        QVERIFY(recent(0)->text().endsWith(QStringLiteral("f5.txt")));
        QVERIFY(recent(1)->text().endsWith(QStringLiteral("f8.txt")));
    }

    // An untitled text shows the unsaved mark as a file does.
    void untitledTextShowsTheUnsavedMark()
    {
        QTest::failOnWarning(QRegularExpression(QStringLiteral("\\[\\*\\]")));
        m_window->show();
        QVERIFY(QTest::qWaitForWindowExposed(m_window.get()));
        QTest::keyClick(m_window->ui().Text1, Qt::Key_A);
        QVERIFY(m_window->isWindowModified());
        QCOMPARE(m_window->windowHandle()->title(), QStringLiteral("Kestrum Frame Editor 1.7.0*"));
    }
};

QTEST_MAIN(TestClassicFile)
#include "tst_classicfile.moc"
