// The number conversions and a script read under a user locale that writes
// decimals with a comma. The locale named by KES_TEST_LOCALE (de_DE, fr_FR ...)
// is built into the build folder and put in force for the C library and Qt
// before the application starts; the set-up checks that it really is.

#include "model/script/ScriptReader.h"
#include "model/text/Numbers.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QLocale>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

#include <clocale>

namespace {

// Builds `name`.UTF-8 into `folder` with localedef, started directly.
bool buildLocale(const QString& name, const QString& folder)
{
    if (name.isEmpty() || !QDir().mkpath(folder))
        return false;
    const QString target = QDir(folder).filePath(name + QStringLiteral(".UTF-8"));
    if (QFile::exists(target + QStringLiteral("/LC_NUMERIC")))
        return true;
    QProcess localedef;
    localedef.start(QStringLiteral("localedef"),
                    {QStringLiteral("-c"), QStringLiteral("-i"), name, QStringLiteral("-f"), QStringLiteral("UTF-8"), target});
    // With -c the locale is written despite warnings, which still give exit code 1.
    return localedef.waitForFinished(120000) && QFile::exists(target + QStringLiteral("/LC_NUMERIC"));
}

} // namespace

class TestNumbersLocale : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void conversions_data();
    void conversions();
    void scriptRead();
};

void TestNumbersLocale::initTestCase()
{
    // The set-up is useless unless the user's decimal separator really is a comma.
    QCOMPARE(QByteArray(std::localeconv()->decimal_point), QByteArray(","));
    QCOMPARE(QLocale::system().decimalPoint(), QStringLiteral(","));
    qInfo("locale %s, group separator U+%04X", std::setlocale(LC_NUMERIC, nullptr),
          QLocale::system().groupSeparator().at(0).unicode());
}

void TestNumbersLocale::conversions_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("lenient");
    QTest::addColumn<int>("strict"); // -99999: not a number
    QTest::newRow("1.5") << "1.5" << 2 << 2;
    QTest::newRow("0.7") << "0.7" << 1 << 1;
    QTest::newRow("12.4") << "12.4" << 12 << 12;
    QTest::newRow("2.5 half to even") << "2.5" << 2 << 2;
    QTest::newRow("fraction with exponent") << "1.25e1" << 12 << 12;
    QTest::newRow("comma is no decimal point") << "3,7" << 3 << -99999;
    QTest::newRow("group separator is no number") << QStringLiteral("1\u202f000") << 1 << -99999;
    QTest::newRow("overflow") << "1e400" << -99998 << -99998;
}

void TestNumbersLocale::conversions()
{
    QFETCH(QString, text);
    QFETCH(int, lenient);
    QFETCH(int, strict);
    const auto expect = [](model::Int16Result result) {
        return result.error == model::NumberError::NotANumber ? -99999
            : result.error == model::NumberError::Overflow    ? -99998
                                                               : int(result.value);
    };
    QCOMPARE(expect(model::lenientInt16(text)), lenient);
    QCOMPARE(expect(model::strictInt16(text)), strict);
}

void TestNumbersLocale::scriptRead()
{
    QTemporaryDir work;
    QVERIFY(work.isValid() && QDir(work.path()).mkpath(QStringLiteral("data")));
    QFile sprite(work.filePath(QStringLiteral("data/a.gif")));
    QVERIFY(sprite.open(QIODevice::WriteOnly));
    sprite.close();
    const model::ReadResult result = model::readScript(
        u"\toffset\t12.4 3.5\r\n\tbbox\t1.5 0.7 3 4\r\n\tdelay\t7.5\r\n\tframe\tdata/a.gif\r\n", work.path(),
        [](const QString&, QString*) { return QImage(2, 2, QImage::Format_RGB32); });
    QVERIFY2(result.finished, qPrintable(result.message));
    const model::FrameRecord& r = result.animation.frames.at(0);
    QCOMPARE(QPoint(r.offsetX, r.offsetY), QPoint(12, 4));
    QCOMPARE(r.bodyBox, (model::Box{2, 1, 3, 4}));
    QCOMPARE(r.frameDelay, qint16(8));
}

int main(int argc, char* argv[])
{
    const QString name = qEnvironmentVariable("KES_TEST_LOCALE");
    if (!buildLocale(name, QStringLiteral(KES_LOCALE_DIR))) {
        qCritical("cannot build the locale '%s' with localedef", qPrintable(name));
        return 1;
    }
    qputenv("LOCPATH", KES_LOCALE_DIR);
    qputenv("LC_ALL", (name + QStringLiteral(".UTF-8")).toLocal8Bit());
    // The application puts the environment's locale in force for the C library.
    QCoreApplication app(argc, argv);
    TestNumbersLocale test;
    return QTest::qExec(&test, argc, argv);
}

#include "TestNumbersLocale.moc"
