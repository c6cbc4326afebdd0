// The character file: its encoding, its "anim" blocks, one block replaced
// or added byte-exactly, the recovery file; and the character check below
// the window (line numbers, each image decoded once, a stopped check).

#include "../FileBytes.h"
#include "model/character/CharacterCheck.h"
#include "model/character/CharacterScript.h"
#include "model/files/RecoveryFile.h"
#include "model/files/TextFileEncoding.h"

#include <QDir>
#include <QMutex>
#include <QTemporaryDir>
#include <QTest>

using testfiles::fileBytes;
using testfiles::writeFile;

namespace {

const QByteArray kHero = "name\thero\r\n# anim fake: a comment\r\nhealth 100\r\n"
                         "anim\tidle # standing\r\n\tloop\t1\r\n\tdelay\t10\r\n\tframe\tdata/chars/hero/idle01\r\n"
                         "\tframe\tdata/chars/hero/idle02\r\n\t# after the frames\r\n\r\n"
                         "  ANIM  Walk\r\n\tFrame\tdata/chars/hero/walk01\r\n"
                         "anim attack1\r\n";

} // namespace

class TestCharacterFile : public QObject {
    Q_OBJECT

private slots:
    void findsBlocks_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QStringList>("blocks"); // "NAME FRAMES" each
        QTest::addColumn<QByteArray>("lineEnd");

        QTest::newRow("header, comments, any case")
            << kHero << QStringList{"idle 2", "Walk 1", "attack1 0"} << QByteArray("\r\n");
        QTest::newRow("no animation") << QByteArray("name hero\nanimation x\n") << QStringList{} << QByteArray("\n");
        QTest::newRow("one line without end") << QByteArray("anim idle") << QStringList{"idle 0"} << QByteArray("\r\n");
        // A mark before the first and GBK names are found in the character save's cases.
    }

    void findsBlocks()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(QStringList, blocks);
        QFETCH(QByteArray, lineEnd);
        const model::CharacterScript script(bytes);
        QStringList found;
        for (const model::AnimBlock& block : script.blocks())
            found << QStringLiteral("%1 %2").arg(block.name).arg(block.frameCount);
        QCOMPARE(found, blocks);
        QCOMPARE(script.lineEnd(), lineEnd);
        if (!found.isEmpty())
            QCOMPARE(script.find(script.blocks()[0].name.toUpper()), &script.blocks()[0]);
    }

    void textEncodings_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QString>("encoding");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("refused"); // a text the file's encoding cannot write

        QTest::newRow("ASCII") << QByteArray("anim idle\r\n") << "UTF-8" << "anim idle\r\n" << QString(QChar(0xD800));
        QTest::newRow("UTF-8 with mark") << QByteArray("\xEF\xBB\xBF\xE8\xB7\x91\n") << "UTF-8" << "跑\n"
                                         << QString(QChar(0xDC00));
        QTest::newRow("GBK") << QByteArray("anim \xC5\xDC\r\n") << "GBK" << "anim 跑\r\n" << "😀";
        QTest::newRow("GB18030, four-byte character")
            << QByteArray("\xC5\xDC \x95\x32\x82\x36") << "GB18030" << "跑 𠀀" << QString(QChar(0xD800));
    }

    // Files are UTF-8 when they are valid UTF-8, else GBK or GB18030; writing
    // back gives the same bytes, and a character outside the encoding is refused.
    void textEncodings()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(QString, encoding);
        QFETCH(QString, text);
        QFETCH(QString, refused);
        const model::TextEncoding detected = model::detectEncoding(bytes);
        QCOMPARE(model::encodingName(detected), encoding);
        bool lossless = false;
        QCOMPARE(model::decodeText(bytes, detected, &lossless), text);
        QVERIFY(lossless);
        QCOMPARE(model::encodeText(text, detected).value_or("?"), bytes.mid(model::byteOrderMarkLength(bytes)));
        QVERIFY(!model::encodeText(refused, detected));
        QCOMPARE(model::firstUnencodableLine(QStringLiteral("ok\r\n") + refused, detected), 2);
    }

    // A character cut off at the end of the bytes is no text: it shows as
    // U+FFFD and counts as a loss, never as bytes dropped without a word.
    void cutOffCharacters()
    {
        QCOMPARE(model::detectEncoding("run \xE8\xB7"), model::TextEncoding::Gbk);
        for (const model::TextEncoding encoding : {model::TextEncoding::Utf8, model::TextEncoding::Gbk}) {
            bool lossless = true;
            QCOMPARE(model::decodeText("run \xE8", encoding, &lossless), QStringLiteral("run \uFFFD"));
            QVERIFY(!lossless);
        }
    }

    void replacesOneBlock_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QString>("name");
        QTest::addColumn<QByteArray>("expected");

        QByteArray lf = QByteArray(kHero).replace("\r\n", "\n");
        QTest::newRow("first block, LF stays LF")
            << lf << "idle" << QByteArray("name\thero\n# anim fake: a comment\nhealth 100\nanim\tidle # standing\n"
                                          "\tframe\tx\n  ANIM  Walk\n\tFrame\tdata/chars/hero/walk01\nanim attack1\n");
        QTest::newRow("last block without a line end") << QByteArray("h\nanim a\nold") << "a"
                                                       << QByteArray("h\nanim a\n\tframe\tx\n");
        QTest::newRow("added at the end") << QByteArray("h\nanim a\nold") << "b"
                                          << QByteArray("h\nanim a\nold\nanim\tb\n\tframe\tx\n");
        QTest::newRow("added to an empty file") << QByteArray() << "b" << QByteArray("anim\tb\r\n\tframe\tx\r\n");
    }

    void replacesOneBlock()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(QString, name);
        QFETCH(QByteArray, expected);
        const model::CharacterScript script(bytes);
        const model::AnimBlock* block = script.find(name);
        const QByteArray text = "\tframe\tx" + script.lineEnd();
        const std::optional<model::CharacterScript> written
            = block ? script.withBlockReplaced(*block, text) : script.withBlockAdded(name, text, script.encoding());
        QVERIFY(written);
        QCOMPARE(written->bytes(), expected);
        // The blocks of the new file are known without reading it again.
        const model::CharacterScript reread(written->bytes());
        QCOMPARE(written->blocks().size(), reread.blocks().size());
        for (qsizetype i = 0; i < reread.blocks().size(); ++i) {
            const model::AnimBlock &a = written->blocks()[i], &b = reread.blocks()[i];
            QCOMPARE(QList<qsizetype>({a.lineStart, a.blockStart, a.blockEnd, a.frameCount}),
                     QList<qsizetype>({b.lineStart, b.blockStart, b.blockEnd, b.frameCount}));
        }
    }

    void recoveryRoundTrip()
    {
        QTemporaryDir dir;
        const model::RecoveryFile file(dir.filePath(QStringLiteral("sub/recovery.json")));
        model::RecoveryData data{QStringLiteral("\tframe\tdata\\a.gif\r\n"), QStringLiteral("/g"),
                                 QStringLiteral("/g/data"), QStringLiteral("/g/data/hero.txt"),
                                 QStringLiteral("idle"), {QStringLiteral("a.gif")}};
        QVERIFY(file.write(data));
        QString error;
        QCOMPARE(file.read(&error), std::optional(data));
        // The file's own bytes, which need not be text, come back as they were.
        data.fileBytes = QByteArray("\xEF\xBB\xBF\xC5\xDC\r\n\0\xFF", 9);
        data.fileEncoding = QStringLiteral("GBK");
        QVERIFY(file.write(data));
        QCOMPARE(file.read(&error), std::optional(data));
        file.remove();
        QVERIFY(!file.exists());
    }

    // Each recovery file in cases/damaged_recovery/ is set aside whole and named, never half read.
    void damagedRecovery_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        const QFileInfoList cases = QDir(QStringLiteral(KES_RECOVERY_CASES_DIR)).entryInfoList(QDir::Files);
        QVERIFY(!cases.isEmpty());
        for (const QFileInfo& file : cases)
            QTest::newRow(qPrintable(file.completeBaseName())) << fileBytes(file.filePath());
    }

    void damagedRecovery()
    {
        QFETCH(QByteArray, bytes);
        QTemporaryDir dir;
        const model::RecoveryFile file(dir.filePath(QStringLiteral("recovery.json")));
        QVERIFY(writeFile(file.path(), bytes));
        QString error;
        QVERIFY(!file.readOrSetAside(&error));
        QVERIFY(error.contains(file.path() + ".damaged"));
        QVERIFY(!file.exists());
        QCOMPARE(fileBytes(file.path() + ".damaged"), bytes);
    }

    void checkLinesDecodingAndStop_data()
    {
        QTest::addColumn<QByteArray>("lineEnd");
        QTest::addColumn<int>("stopAt");      // animations done when goOn first says no; -1 never
        QTest::addColumn<QList<int>>("lines"); // of the findings
        QTest::addColumn<QStringList>("decoded"); // at least these, each once

        QTest::newRow("LF") << QByteArray("\n") << -1 << QList<int>{4, 7} << QStringList{"one", "bad", "two"};
        QTest::newRow("CR LF") << QByteArray("\r\n") << -1 << QList<int>{4, 7} << QStringList{"one", "bad", "two"};
        QTest::newRow("stopped") << QByteArray("\n") << 1 << QList<int>{4} << QStringList{"one", "bad"};
    }

    void checkLinesDecodingAndStop()
    {
        QFETCH(QByteArray, lineEnd);
        QFETCH(int, stopAt);
        QFETCH(QList<int>, lines);
        QFETCH(QStringList, decoded);

        QTemporaryDir game;
        for (const char* name : {"one.gif", "two.gif", "bad.gif"})
            QVERIFY(writeFile(QDir(game.path()).filePath(QStringLiteral("data/x/") + QLatin1String(name)), "GIF"));
        QByteArray text = "# header\nanim\ta\n\tframe\tdata/x/one\n\tframe\tdata/x/bad\n\tframe\tdata/x/one\n"
                          "anim\tb\n\tframe\tdata/x/bad\n\tframe\tdata/x/two\n";
        text.replace("\n", lineEnd);

        // Images are decoded on the check's pool threads, ahead of the reading.
        QStringList loaded;
        QMutex loadedMutex;
        const model::CharacterCheck check(text, game.path(), [&](const QString& path, QString* error) {
            {
                const QMutexLocker lock(&loadedMutex);
                loaded.append(QFileInfo(path).baseName());
            }
            if (path.endsWith(QStringLiteral("bad.gif"))) {
                *error = QStringLiteral("undecodable");
                return QImage();
            }
            return QImage(40, 50, QImage::Format_Indexed8);
        });
        const model::CheckReport report = check.run([stopAt](int done, int total) {
            return total == 2 && done != stopAt;
        });

        QList<int> found;
        for (const model::CheckFinding& finding : report.findings) {
            QCOMPARE(finding.kind, model::CheckFinding::Kind::Image);
            QCOMPARE(finding.text, QStringLiteral("undecodable"));
            found.append(finding.line);
        }
        QCOMPARE(found, lines);
        QCOMPARE(QSet<QString>(loaded.begin(), loaded.end()).size(), loaded.size());
        for (const QString& name : decoded)
            QVERIFY2(loaded.contains(name), qPrintable(name));
        QCOMPARE(report.checked, stopAt < 0 ? 2 : stopAt);
    }
};

QTEST_GUILESS_MAIN(TestCharacterFile)
#include "TestCharacterFile.moc"
