// The character check below the window: line numbers in the file's own line
// ends, each image file decoded once per check, and a check that is stopped.

#include "../FileBytes.h"
#include "model/character/CharacterCheck.h"

#include <QDir>
#include <QMutex>
#include <QTemporaryDir>
#include <QTest>

class TestCharacterCheck : public QObject {
    Q_OBJECT

private slots:
    void linesDecodingAndStop_data();
    void linesDecodingAndStop();
};

void TestCharacterCheck::linesDecodingAndStop_data()
{
    QTest::addColumn<QByteArray>("lineEnd");
    QTest::addColumn<int>("stopAt");      // animations done when goOn first says no; -1 never
    QTest::addColumn<QList<int>>("lines"); // of the findings
    QTest::addColumn<QStringList>("decoded"); // at least these, each once

    QTest::newRow("LF") << QByteArray("\n") << -1 << QList<int>{4, 7} << QStringList{"one", "bad", "two"};
    QTest::newRow("CR LF") << QByteArray("\r\n") << -1 << QList<int>{4, 7} << QStringList{"one", "bad", "two"};
    QTest::newRow("stopped") << QByteArray("\n") << 1 << QList<int>{4} << QStringList{"one", "bad"};
}

void TestCharacterCheck::linesDecodingAndStop()
{
    QFETCH(QByteArray, lineEnd);
    QFETCH(int, stopAt);
    QFETCH(QList<int>, lines);
    QFETCH(QStringList, decoded);

    QTemporaryDir game;
    QVERIFY(QDir(game.path()).mkpath(QStringLiteral("data/x")));
    for (const char* name : {"one.gif", "two.gif", "bad.gif"})
        QVERIFY(testfiles::writeFile(QDir(game.path()).filePath(QStringLiteral("data/x/") + QLatin1String(name)), "GIF"));
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

QTEST_MAIN(TestCharacterCheck)
#include "TestCharacterCheck.moc"
