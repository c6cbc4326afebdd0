// NextToken and the file-pattern rule that the reader, the dialogs and the
// image browsers share; the file lookup; the anchors a scheme gives, which
// also read its keys with KeyValue. The number conversions are read in the
// reader's golden cases (numbers_lenient_and_strict and the stop_ cases).
// All their cases are plain-text files in cases/text/.

#include "../FileBytes.h"
#include "model/animation/Scheme.h"
#include "model/files/BrowserRules.h"
#include "model/files/FileLookup.h"
#include "model/text/TextHelpers.h"

#include <QDir>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QTemporaryDir>
#include <QTest>

namespace {

// Adds a QString column per name, and a row for each line of the case file
// cases/text/NAME.txt: its fields split by tabs, the first naming the row,
// each read as a JSON string would be (\t, \\, \u2028 ...). Lines that start
// with "#" say what the fields are.
void addCases(const char* name, std::initializer_list<const char*> columns)
{
    for (const char* column : columns)
        QTest::addColumn<QString>(column);
    const QString path = QStringLiteral(KES_TEXT_CASES_DIR "/%1.txt").arg(QLatin1String(name));
    for (const QString& line : QString::fromUtf8(testfiles::fileBytes(path)).split(u'\n', Qt::SkipEmptyParts)) {
        if (line.startsWith(u'#'))
            continue;
        const QStringList fields = line.split(u'\t');
        QTestData& row = QTest::newRow(qPrintable(fields[0]));
        for (size_t i = 1; i <= columns.size(); ++i) {
            const QByteArray field = fields.value(qsizetype(i)).toUtf8();
            const QJsonArray value = QJsonDocument::fromJson("[\"" + field + "\"]").array();
            if (value.size() != 1)
                qFatal("%s: field %zu is no JSON string: %s", qPrintable(path), i, field.constData());
            row << value.at(0).toString();
        }
    }
}

} // namespace

class TestTextRules : public QObject {
    Q_OBJECT

private slots:
    void nextToken_data() { addCases("next_token", {"line", "start", "tokens"}); }

    void nextToken()
    {
        QFETCH(QString, line);
        QFETCH(QString, start);
        QFETCH(QString, tokens);

        qint32 position = start.toInt();
        QString got;
        do
            got += u'[' + model::NextToken(line, position) + u']';
        while (position != -1 && got.size() < 100);
        QCOMPARE(got, tokens);
        QCOMPARE(model::NextToken(line, position), QString());
    }

    void crLf_data() { addCases("cr_lf", {"text", "expected"}); }

    void crLf()
    {
        QFETCH(QString, text);
        QFETCH(QString, expected);
        QCOMPARE(model::toCrLf(text), expected);
    }

    void patterns_data() { addCases("patterns", {"typed", "pattern", "name", "matches"}); }

    void patterns()
    {
        QFETCH(QString, typed);
        QFETCH(QString, pattern);
        QFETCH(QString, name);
        QFETCH(QString, matches);

        QCOMPARE(model::patternFromText(typed), pattern);
        bool any = false;
        for (const QString& part : model::splitPatterns(pattern))
            any = any || model::matchesPattern(name, part);
        QCOMPARE(any ? "yes" : "no", matches);
    }

    void fileLookup_data() { addCases("file_lookup", {"relative", "found"}); }

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
        QCOMPARE(model::FileLookup(base.path()).find(relative), found == u"none" ? QString() : base.filePath(found));
    }

    void schemeAnchors_data() { addCases("scheme_anchors", {"scheme", "image", "anchor"}); }

    void schemeAnchors()
    {
        QFETCH(QString, scheme);
        QFETCH(QString, image);
        QFETCH(QString, anchor);
        const QStringList size = image.split(u'x');
        const auto parsed = model::parseScheme(scheme);
        const auto result = parsed ? model::schemeAnchor(*parsed, size[0].toInt(), size[1].toInt()) : std::nullopt;
        QCOMPARE(result ? QStringLiteral("%1,%2").arg(result->x).arg(result->y) : QStringLiteral("none"), anchor);
    }
};

QTEST_APPLESS_MAIN(TestTextRules)
#include "TestTextRules.moc"
