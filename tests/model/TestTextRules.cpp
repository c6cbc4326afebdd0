// NextToken, KeyValue and the file-pattern rule that the reader, the dialogs
// and the image browsers share. The number conversions are read in the
// reader's golden cases (numbers_lenient_and_strict and the stop_ cases).

#include "model/BrowserRules.h"
#include "model/TextHelpers.h"

#include <QTest>

class TestTextRules : public QObject {
    Q_OBJECT

private slots:
    void nextToken_data();
    void nextToken();
    void keyValue_data();
    void keyValue();
    void patterns_data();
    void patterns();
};

void TestTextRules::nextToken_data()
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

void TestTextRules::nextToken()
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

void TestTextRules::keyValue_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("key");
    QTest::addColumn<QString>("value");

    QTest::newRow("middle key") << "a=1,dx=-3,c=3" << "dx" << "-3";
    QTest::newRow("last key") << "a=1,b=22" << "b" << "22";
    QTest::newRow("key in any case") << "ANIM=Idle" << "anim" << "Idle";
    QTest::newRow("missing key") << "a=1,b=2" << "c" << "";
    QTest::newRow("key without =") << "anim,b=2" << "anim" << "";
    QTest::newRow("empty value") << "a=,b=2" << "a" << "";
}

void TestTextRules::keyValue()
{
    QFETCH(QString, text);
    QFETCH(QString, key);
    QFETCH(QString, value);
    QCOMPARE(model::KeyValue(text, key), value);
}

void TestTextRules::patterns_data()
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

void TestTextRules::patterns()
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

QTEST_APPLESS_MAIN(TestTextRules)
#include "TestTextRules.moc"
