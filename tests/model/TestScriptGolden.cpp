// The script writer and reader, each case a folder below golden/<kind>/:
//   writer: input.txt, an animation dump (see ModelFixtures.h) with the
//     browser folder; expected.txt, the text or the failure message.
//   reader: input.txt, a script; images.txt, the files it reads, one
//     "path WxH" (a sprite GIF) or "path" alone (a file that is no picture)
//     per line; expected.txt, a dump of what reading gave.
//   round_trip: an animation dump whose folder lies below <work>, written
//     and read back; images.txt and expected.txt as for the reader.
// "<work>" stands for the game folder that the test makes.
// With KES_TEST_LOCALE set (de_DE, fr_FR ...) the cases run under that user
// locale, which writes decimals with a comma: it is built into the build
// folder and put in force for the C library and Qt before the application
// starts, and the run fails unless it really is in force.

#include "../FileBytes.h"
#include "ModelFixtures.h"

#include "demo/GifWriter.h"
#include "model/files/BrowserRules.h"
#include "model/script/ScriptReader.h"
#include "model/script/ScriptWriter.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QImageReader>
#include <QLocale>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>

#include <clocale>

namespace {

QString readText(const QString& path)
{
    return QFile::exists(path) ? QString::fromUtf8(testfiles::fileBytes(path)) : QString();
}

// Writes the file of one images.txt line: a sprite GIF of `size` ("WxH"), or
// without a size a file that is no picture.
bool writeFile(const QString& path, const QString& size)
{
    const QStringList wh = size.split(u'x');
    if (wh.size() != 2)
        return testfiles::writeFile(path, "not a picture");
    return QDir().mkpath(QFileInfo(path).path())
        && tools::writeGif(path, tools::makeSprite({wh[0].toInt(), wh[1].toInt()}, qRgb(255, 0, 255), qRgb(0, 90, 0)));
}

// Reads `text` below `work` with a loader that decodes for real and counts
// its calls. The dump of the animation, the folder of the last frame, the
// number of decodings and the message; each picture is checked against the
// size kept in its record.
QString readDump(const QString& text, const QString& work)
{
    int loads = 0;
    const auto loader = [&loads](const QString& path, QString* error) {
        ++loads;
        const QImage image = QImageReader(path).read();
        if (image.isNull())
            *error = QStringLiteral("not a picture: ") + QFileInfo(path).fileName();
        return image;
    };
    model::ReadResult result = model::readScript(text, work, loader);
    for (const model::FrameRecord& r : result.animation.frames)
        if (r.picture.size() != QSize(r.imageWidth, r.imageHeight))
            return QStringLiteral("picture and its size differ");
    QString dump = modeltest::dumpAnimation(result.animation);
    if (!result.lastFolder.isEmpty())
        dump += QStringLiteral("folder ") + QDir(work).relativeFilePath(result.lastFolder) + u'\n';
    dump += QStringLiteral("loads %1\n").arg(loads);
    if (result.finished)
        return dump;
    for (const QString& path : {work, QString(work).replace(u'/', u'\\')})
        result.message.replace(path, QStringLiteral("<work>"), Qt::CaseInsensitive);
    return dump + QStringLiteral("stopped ") + result.message + u'\n';
}

// Builds `name`.UTF-8 into `folder` with localedef, started directly.
bool buildLocale(const QString& name, const QString& folder)
{
    const QString target = QDir(folder).filePath(name + QStringLiteral(".UTF-8"));
    if (QFile::exists(target + QStringLiteral("/LC_NUMERIC")))
        return true;
    if (!QDir().mkpath(folder))
        return false;
    QProcess localedef;
    localedef.start(QStringLiteral("localedef"), {QStringLiteral("-c"), QStringLiteral("-i"), name,
                                                  QStringLiteral("-f"), QStringLiteral("UTF-8"), target});
    // With -c the locale is written despite warnings, which still give exit code 1.
    return localedef.waitForFinished(120000) && QFile::exists(target + QStringLiteral("/LC_NUMERIC"));
}

} // namespace

class TestScriptGolden : public QObject {
    Q_OBJECT

private slots:
    void golden_data()
    {
        QTest::addColumn<QString>("kind");
        QTest::addColumn<QString>("folder");
        for (const QString kind : {"writer", "reader", "round_trip"}) {
            const QDir root(QStringLiteral(KES_MODEL_GOLDEN_DIR "/") + kind);
            const QStringList cases = root.entryList(QDir::Dirs | QDir::NoDotAndDotDot, QDir::Name);
            QVERIFY(!cases.isEmpty());
            for (const QString& name : cases)
                QTest::addRow("%s/%s", qPrintable(kind), qPrintable(name)) << kind << root.filePath(name);
        }
    }

    // Writes what the writer and reads what the reader is given; a round trip
    // does both.
    void golden()
    {
        QFETCH(QString, kind);
        QFETCH(QString, folder);
        QTest::failOnWarning(QRegularExpression(QStringLiteral(".*")));
        QTemporaryDir dir;
        QVERIFY(dir.isValid() && !model::isDataFolder(dir.path()));
        const QString work = dir.filePath(QStringLiteral("game"));
        for (const QString& entry : readText(folder + QStringLiteral("/images.txt")).split(u'\n', Qt::SkipEmptyParts))
            QVERIFY2(writeFile(work + u'/' + entry.section(u' ', 0, 0), entry.section(u' ', 1)), qPrintable(entry));
        QString actual = readText(folder + QStringLiteral("/input.txt")).replace(QStringLiteral("<work>"), work);
        const QString expected = readText(folder + QStringLiteral("/expected.txt"));
        QVERIFY(!actual.isEmpty() && !expected.isEmpty());

        if (kind != u"reader") {
            QString browserFolder;
            const std::optional<model::Animation> animation = modeltest::parseAnimation(actual, &browserFolder);
            QVERIFY(animation);
            const model::WriteResult written = model::writeScript(*animation, browserFolder);
            QVERIFY(written.ok() != written.text.isEmpty());
            actual = written.ok() ? written.text : written.error;
        }
        if (kind != u"writer")
            actual = readDump(actual, work);
        QCOMPARE(actual, expected);
    }
};

int main(int argc, char* argv[])
{
    const QString locale = qEnvironmentVariable("KES_TEST_LOCALE");
    if (!locale.isEmpty()) {
        if (!buildLocale(locale, QStringLiteral(KES_LOCALE_DIR)))
            qFatal("cannot build the locale '%s' with localedef", qPrintable(locale));
        qputenv("LOCPATH", KES_LOCALE_DIR);
        qputenv("LC_ALL", (locale + QStringLiteral(".UTF-8")).toLocal8Bit());
    }
    // The application puts the environment's locale in force for the C library.
    QCoreApplication app(argc, argv);
    const bool comma = QByteArray(std::localeconv()->decimal_point) == "," && QLocale::system().decimalPoint() == u',';
    if (!locale.isEmpty() && !comma)
        qFatal("the locale '%s' does not write decimals with a comma", qPrintable(locale));
    TestScriptGolden test;
    return QTest::qExec(&test, argc, argv);
}
#include "TestScriptGolden.moc"
