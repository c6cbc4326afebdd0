// The text helpers, the 16-bit number conversions and the image-browser
// rules that the reader, the dialogs and both editors share.

#include "model/BrowserRules.h"
#include "model/Numbers.h"
#include "model/TextHelpers.h"

#include <QTest>

#include <span>

using model::NumberError;

Q_DECLARE_METATYPE(model::NumberError)

class TestTextRules : public QObject {
    Q_OBJECT

private slots:
    void nextPiece_data();
    void nextPiece();
    void nextToken_data();
    void nextToken();
    void keyValue_data();
    void keyValue();
    void toCrLf_data();
    void toCrLf();

    void roundHalfEven_data();
    void roundHalfEven();
    void int16Conversions_data();
    void int16Conversions();
    void addInt16_data();
    void addInt16();

    void patternFromText_data();
    void patternFromText();
    void splitPatterns();
    void matchesPattern_data();
    void matchesPattern();
    void dataFolder_data();
    void dataFolder();
};

void TestTextRules::nextPiece_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("separator");
    QTest::addColumn<QString>("piece");
    QTest::addColumn<QString>("rest");

    QTest::newRow("found") << "\tDelay\t10\r\n\tFrame\tx" << "\r\n" << "\tDelay\t10" << "\tFrame\tx";
    QTest::newRow("first of several") << "a,b,c" << "," << "a" << "b,c";
    QTest::newRow("at the start") << "\r\nrest" << "\r\n" << "" << "rest";
    QTest::newRow("at the end") << "last\r\n" << "\r\n" << "last" << "";
    QTest::newRow("not found") << "no line end" << "\r\n" << "no line end" << "";
    QTest::newRow("lone CR is no separator") << "a\rb" << "\r\n" << "a\rb" << "";
    QTest::newRow("empty text") << "" << "\r\n" << "" << "";
}

void TestTextRules::nextPiece()
{
    QFETCH(QString, text);
    QFETCH(QString, separator);
    QFETCH(QString, piece);
    QFETCH(QString, rest);

    QStringView view(text);
    QCOMPARE(model::NextPiece(view, separator).toString(), piece);
    QCOMPARE(view.toString(), rest);

    QString owned = text;
    QCOMPARE(model::NextPiece(owned, separator), piece);
    QCOMPARE(owned, rest);
}

void TestTextRules::nextToken_data()
{
    QTest::addColumn<QString>("line");
    QTest::addColumn<int>("start");
    QTest::addColumn<QStringList>("tokens"); // every call until the line is exhausted

    QTest::newRow("writer line") << "\tDelay\t10" << 0 << QStringList{"delay", "10"};
    QTest::newRow("blanks and TABs mixed") << " \t OffSet \t 41  90" << 0 << QStringList{"offset", "41", "90"};
    QTest::newRow("lower case") << "ATTACK Data/Chars" << 1 << QStringList{"attack", "data/chars"};
    QTest::newRow("lower case beyond ASCII") << QString::fromUtf8("Ä\tÖL Ü") << 0
                                             << QStringList{QString::fromUtf8("ä"), QString::fromUtf8("öl"), QString::fromUtf8("ü")};
    QTest::newRow("one-character token after a blank") << "a b" << 0 << QStringList{"a", "b"};
    QTest::newRow("one-character line") << "x" << 0 << QStringList{};
    QTest::newRow("one character after a blank") << " x" << 1 << QStringList{"x"};
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
    for (int guard = 0; guard < 20 && position != -1; ++guard) {
        const QString token = model::NextToken(line, position);
        if (position != -1)
            got << token;
        else
            QCOMPARE(token, QString());
    }
    QCOMPARE(got, tokens);
    QCOMPARE(position, -1);
    QCOMPARE(model::NextToken(line, position), QString());
    QCOMPARE(position, -1);
}

void TestTextRules::keyValue_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("key");
    QTest::addColumn<QString>("value");

    QTest::newRow("first key") << "anim=Run,scheme=1" << "anim" << "Run";
    QTest::newRow("middle key") << "a=1,dx=-3,c=3" << "dx" << "-3";
    QTest::newRow("last key") << "a=1,b=22" << "b" << "22";
    QTest::newRow("key in any case") << "ANIM=Idle" << "anim" << "Idle";
    QTest::newRow("missing key") << "a=1,b=2" << "c" << "";
    QTest::newRow("key without =") << "anim,b=2" << "anim" << "";
    QTest::newRow("empty value") << "a=,b=2" << "a" << "";
    QTest::newRow("empty text") << "" << "a" << "";
}

void TestTextRules::keyValue()
{
    QFETCH(QString, text);
    QFETCH(QString, key);
    QFETCH(QString, value);
    QCOMPARE(model::KeyValue(text, key), value);
}

void TestTextRules::toCrLf_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("expected");

    QTest::newRow("LF") << "a\nb\n" << "a\r\nb\r\n";
    QTest::newRow("CR") << "a\rb" << "a\r\nb";
    QTest::newRow("CR LF kept") << "a\r\nb" << "a\r\nb";
    QTest::newRow("mixed") << "a\r\n\nb\r" << "a\r\n\r\nb\r\n";
}

void TestTextRules::toCrLf()
{
    QFETCH(QString, text);
    QFETCH(QString, expected);
    QCOMPARE(model::toCrLf(text), expected);
}

void TestTextRules::roundHalfEven_data()
{
    QTest::addColumn<double>("value");
    QTest::addColumn<double>("rounded");

    QTest::newRow("2.5") << 2.5 << 2.0;
    QTest::newRow("3.5") << 3.5 << 4.0;
    QTest::newRow("-2.5") << -2.5 << -2.0;
    QTest::newRow("-3.5") << -3.5 << -4.0;
    QTest::newRow("0.5") << 0.5 << 0.0;
    QTest::newRow("2.4999") << 2.4999 << 2.0;
    QTest::newRow("2.5001") << 2.5001 << 3.0;
    QTest::newRow("-0.7") << -0.7 << -1.0;
}

void TestTextRules::roundHalfEven()
{
    QFETCH(double, value);
    QFETCH(double, rounded);
    QCOMPARE(model::roundHalfEven(value), rounded);
}

namespace {

struct NumberCase {
    const char* name;
    const char* text;
    qint16 value;
    NumberError error;
};

// Forms both conversions read alike.
const NumberCase kBothConversions[] = {
    {"integer", "12", 12, NumberError::None},
    {"minus", "-12", -12, NumberError::None},
    {"plus", "+7", 7, NumberError::None},
    {"half down to even", "2.5", 2, NumberError::None},
    {"half up to even", "3.5", 4, NumberError::None},
    {"negative half to even", "-2.5", -2, NumberError::None},
    {"fraction", "1.75", 2, NumberError::None},
    {"leading point", ".75", 1, NumberError::None},
    {"exponent E", "1E2", 100, NumberError::None},
    {"exponent e with fraction", "1.5e1", 15, NumberError::None},
    {"exponent D", "1D2", 100, NumberError::None},
    {"exponent d negative", "25d-1", 2, NumberError::None},
    {"hexadecimal", "&H1F", 31, NumberError::None},
    {"hexadecimal lower case", "&h7fff", 32767, NumberError::None},
    {"octal", "&O17", 15, NumberError::None},
    {"largest", "32767", 32767, NumberError::None},
    {"rounds down into range", "32767.4", 32767, NumberError::None},
    {"rounds up out of range", "32767.5", 0, NumberError::Overflow},
    {"smallest", "-32768", -32768, NumberError::None},
    {"half to even at the bottom", "-32768.5", -32768, NumberError::None},
    {"below range", "-32769", 0, NumberError::Overflow},
    {"exponent out of range", "1e10", 0, NumberError::Overflow},
    {"huge", "1e400", 0, NumberError::Overflow},
};

const NumberCase kLenientOnly[] = {
    {"trailing letters", "12abc", 12, NumberError::None},
    {"fraction then letters", "3.5px", 4, NumberError::None},
    {"exponent without digits", "7e", 7, NumberError::None},
    {"leading blank", " 9", 9, NumberError::None},
    {"no number", "abc", 0, NumberError::None},
    {"sign only", "-", 0, NumberError::None},
    {"empty", "", 0, NumberError::None},
    {"overflow before letters", "40000x", 0, NumberError::Overflow},
};

const NumberCase kStrictOnly[] = {
    {"surrounding blanks", " 7 ", 7, NumberError::None},
    {"trailing letters", "12abc", 0, NumberError::NotANumber},
    {"no number", "abc", 0, NumberError::NotANumber},
    {"sign only", "-", 0, NumberError::NotANumber},
    {"bad hexadecimal", "&HG", 0, NumberError::NotANumber},
    {"empty", "", 0, NumberError::NotANumber},
};

} // namespace

void TestTextRules::int16Conversions_data()
{
    QTest::addColumn<bool>("strict");
    QTest::addColumn<QString>("text");
    QTest::addColumn<qint16>("value");
    QTest::addColumn<NumberError>("error");

    for (const bool strict : {false, true}) {
        const auto add = [strict](const NumberCase& c) {
            QTest::addRow("%s: %s", strict ? "strict" : "lenient", c.name)
                << strict << QString::fromUtf8(c.text) << c.value << c.error;
        };
        for (const NumberCase& c : kBothConversions)
            add(c);
        for (const NumberCase& c : strict ? std::span<const NumberCase>(kStrictOnly) : std::span<const NumberCase>(kLenientOnly))
            add(c);
    }
}

void TestTextRules::int16Conversions()
{
    QFETCH(bool, strict);
    QFETCH(QString, text);
    QFETCH(qint16, value);
    QFETCH(NumberError, error);

    const model::Int16Result result = strict ? model::strictInt16(text) : model::lenientInt16(text);
    QCOMPARE(result.error, error);
    if (error == NumberError::None)
        QCOMPARE(result.value, value);
}

void TestTextRules::addInt16_data()
{
    QTest::addColumn<int>("a");
    QTest::addColumn<int>("b");
    QTest::addColumn<bool>("fits");
    QTest::addColumn<int>("sum");

    QTest::newRow("plain") << 100 << -150 << true << -50;
    QTest::newRow("to the top") << 32766 << 1 << true << 32767;
    QTest::newRow("past the top") << 32767 << 1 << false << 0;
    QTest::newRow("past the bottom") << -32768 << -1 << false << 0;
}

void TestTextRules::addInt16()
{
    QFETCH(int, a);
    QFETCH(int, b);
    QFETCH(bool, fits);
    QFETCH(int, sum);

    const std::optional<qint16> result = model::addInt16(a, b);
    QCOMPARE(result.has_value(), fits);
    if (fits)
        QCOMPARE(int(*result), sum);
}

void TestTextRules::patternFromText_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("pattern");

    QTest::newRow("empty") << "" << "*.gif";
    QTest::newRow("plain") << "idle" << "idle*.gif";
    QTest::newRow("ends with *") << "idle*" << "idle*.gif";
    QTest::newRow("ends with ?") << "k??" << "k??.gif";
    QTest::newRow("list unchanged") << "*.gif;*.bmp" << "*.gif;*.bmp";
}

void TestTextRules::patternFromText()
{
    QFETCH(QString, text);
    QFETCH(QString, pattern);
    QCOMPARE(model::patternFromText(text), pattern);
}

void TestTextRules::splitPatterns()
{
    QCOMPARE(model::splitPatterns(QStringLiteral("*.gif;*.bmp")), (QStringList{"*.gif", "*.bmp"}));
    QCOMPARE(model::splitPatterns(QStringLiteral(";*.gif;;")), QStringList{"*.gif"});
}

void TestTextRules::matchesPattern_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("pattern");
    QTest::addColumn<bool>("matches");

    QTest::newRow("star, any case") << "IDLE01.GIF" << "idle*.gif" << true;
    QTest::newRow("star matches nothing") << "idle.gif" << "idle*.gif" << true;
    QTest::newRow("question marks") << "k01.gif" << "k??.gif" << true;
    QTest::newRow("question mark needs a character") << "k1.gif" << "k??.gif" << false;
    QTest::newRow("whole name: prefix") << "xidle.gif" << "idle*.gif" << false;
    QTest::newRow("whole name: suffix") << "a.gif.bak" << "*.gif" << false;
    QTest::newRow("regex characters are literal") << "a+b(1).gif" << "a+b(1).gif" << true;
    QTest::newRow("brackets are literal") << "a[1].gif" << "a[1].gif" << true;
    QTest::newRow("dot is literal") << "aXgif" << "a.gif" << false;
}

void TestTextRules::matchesPattern()
{
    QFETCH(QString, name);
    QFETCH(QString, pattern);
    QFETCH(bool, matches);
    QCOMPARE(model::matchesPattern(name, pattern), matches);
}

void TestTextRules::dataFolder_data()
{
    QTest::addColumn<QString>("folder");
    QTest::addColumn<int>("index");

    QTest::newRow("MyData") << "C:\\MyData\\x" << 5;
    QTest::newRow("no data") << "C:\\game\\chars" << -1;
    QTest::newRow("first occurrence") << "E:\\mydata\\data\\chars" << 5;
    QTest::newRow("Linux folder") << "/home/u/game/Data/chars/hero" << 13;
    QTest::newRow("empty") << "" << -1;
}

void TestTextRules::dataFolder()
{
    QFETCH(QString, folder);
    QFETCH(int, index);
    QCOMPARE(model::dataFolderIndex(folder), qsizetype(index));
    QCOMPARE(model::isDataFolder(folder), index >= 0);
}

QTEST_APPLESS_MAIN(TestTextRules)
#include "TestTextRules.moc"
