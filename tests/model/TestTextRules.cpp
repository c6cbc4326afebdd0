// NextToken and the file-pattern rule that the reader, the dialogs and the
// image browsers share; the file lookup; the anchors a scheme gives, which
// also read its keys with KeyValue. The number conversions are read in the
// reader's golden cases (numbers_lenient_and_strict and the stop_ cases).

#include "model/animation/Scheme.h"
#include "model/files/BrowserRules.h"
#include "model/files/FileLookup.h"
#include "model/text/TextHelpers.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

class TestTextRules : public QObject {
    Q_OBJECT

private slots:
    void nextToken_data()
    {
        QTest::addColumn<QString>("line");
        QTest::addColumn<int>("start");
        QTest::addColumn<QStringList>("tokens"); // every token until the position is -1

        QTest::newRow("lower case beyond ASCII") << QString::fromUtf8("Ä\tÖL") << 0
                                                 << QStringList{QString::fromUtf8("ä"), QString::fromUtf8("öl")};
        QTest::newRow("one-character token after a blank") << "a b" << 0 << QStringList{"a", "b"};
        QTest::newRow("one-character line") << "x" << 0 << QStringList{};
        QTest::newRow("position at the last character") << "ab" << 2 << QStringList{};
        QTest::newRow("trailing blanks give an empty token") << "ab  " << 0 << QStringList{"ab", ""};
        QTest::newRow("empty line") << "" << 0 << QStringList{};
        QTest::newRow("already exhausted") << "delay 5" << -1 << QStringList{};
    }

    void nextToken()
    {
        QFETCH(QString, line);
        QFETCH(int, start);
        QFETCH(QStringList, tokens);

        qint32 position = start;
        QStringList got;
        do
            got << model::NextToken(line, position);
        while (position != -1 && got.size() < 10);
        QCOMPARE(got.takeLast(), QString()); // the call that finds the line exhausted
        QCOMPARE(got, tokens);
        QCOMPARE(model::NextToken(line, position), QString());
    }

    void crLf_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("expected");

        QTest::newRow("CR LF kept") << "a\r\nb\r\n" << "a\r\nb\r\n";
        QTest::newRow("LF and lone CR") << "a\nb\rc\r" << "a\r\nb\r\nc\r\n";
        QTest::newRow("separators") << QStringLiteral("a\u2028b\u2029\n") << "a\r\nb\r\n\r\n";
        QTest::newRow("no line end") << "abc" << "abc";
    }

    void crLf()
    {
        QFETCH(QString, text);
        QFETCH(QString, expected);
        QCOMPARE(model::toCrLf(text), expected);
    }

    void patterns_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("pattern");
        QTest::addColumn<QString>("name");
        QTest::addColumn<bool>("matches");

        QTest::newRow("empty: every GIF") << "" << "*.gif" << "A.GIF" << true;
        QTest::newRow("plain text: prefix, any case") << "idle" << "idle*.gif" << "IDLE01.Gif" << true;
        QTest::newRow("whole name must match") << "idle" << "idle*.gif" << "xidle.gif" << false;
        QTest::newRow("ends with *") << "idle*" << "idle*.gif" << "idle.gif" << true;
        QTest::newRow("? needs a character") << "k??" << "k??.gif" << "k1.gif" << false;
        QTest::newRow("? matches one") << "k??" << "k??.gif" << "k01.gif" << true;
        QTest::newRow("list used as it stands") << "*.gif;*.bmp" << "*.gif;*.bmp" << "a.bmp" << true;
        QTest::newRow("list, no suffix match") << "*.gif;;" << "*.gif;;" << "a.gif.bak" << false;
        QTest::newRow("regex characters literal") << "a+b(1)[2]." << "a+b(1)[2].*.gif" << "a+b(1)[2]..gif" << true;
        QTest::newRow("dot literal") << "a.gif;" << "a.gif;" << "aXgif" << false;
    }

    void patterns()
    {
        QFETCH(QString, typed);
        QFETCH(QString, pattern);
        QFETCH(QString, name);
        QFETCH(bool, matches);

        QCOMPARE(model::patternFromText(typed), pattern);
        bool any = false;
        for (const QString& part : model::splitPatterns(pattern))
            any = any || model::matchesPattern(name, part);
        QCOMPARE(any, matches);
    }

    void fileLookup_data()
    {
        QTest::addColumn<QString>("relative");
        QTest::addColumn<QString>("found"); // below the base, empty when nothing

        QTest::newRow("exact") << "Data/Chars/Hero.gif" << "Data/Chars/Hero.gif";
        // Of names that differ only in case, the first in code-point order.
        QTest::newRow("other case, backslashes") << "data\\chars\\hero.GIF" << "Data/Chars/Hero.gif";
        QTest::newRow("the exact spelling wins") << "Data/Chars/hero.gif" << "Data/Chars/hero.gif";
        QTest::newRow("drive prefix, though such a folder exists") << "C:/x.gif" << "";
        QTest::newRow("drive-relative") << "C:x.gif" << "";
        QTest::newRow("leading separator stays below") << "/Data/Chars/Hero.gif" << "Data/Chars/Hero.gif";
    }

    // Frame images are found below the game folder as on a file system that
    // ignores case, and never outside it. (A folder, "..", and a path leading
    // out are read in the reader's golden cases.)
    void fileLookup()
    {
        QFETCH(QString, relative);
        QFETCH(QString, found);
        QTemporaryDir root;
        const QDir base(root.filePath(QStringLiteral("game")));
        for (const char* folder : {"game/Data/Chars", "game/C:"})
            QVERIFY(QDir(root.path()).mkpath(QLatin1String(folder)));
        for (const char* file : {"Data/Chars/Hero.gif", "Data/Chars/hero.gif", "C:/x.gif", "C:x.gif"})
            QVERIFY(QFile(base.filePath(QLatin1String(file))).open(QIODevice::WriteOnly));
        QCOMPARE(model::FileLookup(base.path()).find(relative), found.isEmpty() ? QString() : base.filePath(found));
    }

    void schemeAnchors_data()
    {
        QTest::addColumn<QString>("scheme");
        QTest::addColumn<QSize>("image");
        QTest::addColumn<bool>("valid");
        QTest::addColumn<QPoint>("anchor");
        const QString standard = QStringLiteral("X=1,XT=left,XSpace=1,Y=0,YT=bottom,YSpace=2");
        QTest::newRow("default") << standard << QSize(81, 120) << true << QPoint(40, 118);
        QTest::newRow("from left, centred y") << "X=0,XT=left,XSpace=5,Y=1" << QSize(30, 75) << true << QPoint(5, 37);
        QTest::newRow("from right") << "X=0,XT=right,XSpace=5,Y=1" << QSize(30, 75) << true << QPoint(25, 37);
        QTest::newRow("side is case-sensitive") << "X=0,XT=Left,XSpace=5,Y=0,YT=Top,YSpace=3" << QSize(30, 20)
                                                << true << QPoint(25, 17);
        QTest::newRow("half to even") << "X=0,XT=left,XSpace=2.5,Y=0,YT=top,YSpace=3.5" << QSize(9, 9) << true
                                      << QPoint(2, 4);
        QTest::newRow("not a number") << "X=0,XT=left,XSpace=abc,Y=0,YT=top,YSpace=" << QSize(9, 9) << true
                                      << QPoint(0, 0);
        QTest::newRow("margin too large") << "X=0,XT=left,XSpace=40000,Y=1" << QSize(9, 9) << false << QPoint();
        QTest::newRow("difference too large") << "X=0,XT=right,XSpace=-32768,Y=1" << QSize(9, 9) << false << QPoint();
        QTest::newRow("image too large") << standard << QSize(40000, 9) << false << QPoint();
    }

    void schemeAnchors()
    {
        QFETCH(QString, scheme);
        QFETCH(QSize, image);
        QFETCH(bool, valid);
        QFETCH(QPoint, anchor);
        const auto parsed = model::parseScheme(scheme);
        const auto result = parsed ? model::schemeAnchor(*parsed, image.width(), image.height()) : std::nullopt;
        QCOMPARE(result.has_value(), valid);
        if (valid)
            QCOMPARE(QPoint(result->x, result->y), anchor);
    }
};

QTEST_APPLESS_MAIN(TestTextRules)
#include "TestTextRules.moc"
