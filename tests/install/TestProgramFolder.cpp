// Where animbox keeps settings.ini and which demo its first start opens, in a
// build folder and in an installed tree.
#include "editor/settings/IniSettings.h"
#include "editor/settings/ProgramFolder.h"

#include <QtTest>

class TestProgramFolder : public QObject {
    Q_OBJECT
private slots:
    void firstStart_data();
    void firstStart();
};

void TestProgramFolder::firstStart_data()
{
    QTest::addColumn<QString>("program");   // the program's folder, below the temporary root
    QTest::addColumn<QString>("demo");      // the demo game folder made there, or empty
    QTest::addColumn<bool>("installed");
    QTest::addColumn<bool>("later"); // the settings hold a folder from an earlier start
    QTest::newRow("build folder") << "bin" << "bin/demo" << false << false;
    QTest::newRow("installed tree") << "usr/bin" << QDir::cleanPath(QStringLiteral("usr/bin/" KES_SHARED_DATA "/demo"))
                                    << true << false;
    QTest::newRow("no demo") << "bin" << "" << false << false;
    QTest::newRow("later start") << "bin" << "bin/demo" << false << true;
}

// The first start writes settings that open the demo's sprites with their key
// colour; an installed program writes them into the per-user folder and
// nothing beside itself. A later start keeps the settings as they are.
void TestProgramFolder::firstStart()
{
    QFETCH(QString, program);
    QFETCH(QString, demo);
    QFETCH(bool, installed);
    QFETCH(bool, later);
    QTemporaryDir root;
    QVERIFY(root.isValid());
    const QDir dir(root.path());
    QVERIFY(QDir().mkpath(dir.filePath(program)));
    if (!demo.isEmpty())
        QVERIFY(QDir().mkpath(dir.filePath(demo + QStringLiteral("/data/chars/hero"))));
    const QString userFolder = dir.filePath(QStringLiteral("config"));

    const animbox::ProgramFolder folder(dir.filePath(program));
    QCOMPARE(folder.isInstalled(), installed);
    QCOMPARE(folder.demoFolder(), demo.isEmpty() ? QString() : dir.filePath(demo));
    const animbox::IniSettings settings(folder.settingsPath(userFolder));
    QCOMPARE(QFileInfo(settings.filePath()).absolutePath(), installed ? userFolder : dir.filePath(program));
    if (later)
        settings.WriteSetting(QStringLiteral("dir"), QStringLiteral("/games/kestrum/data"));
    QCOMPARE(folder.seedDemoSettings(settings), !demo.isEmpty() && !later);
    QCOMPARE(QFileInfo::exists(settings.filePath()), !demo.isEmpty());
    if (demo.isEmpty())
        return;
    QStringList stored;
    for (const char* key : {"dir", "drive", "WK_Path", "transparentcolor"})
        stored << settings.ReadSetting(QString::fromLatin1(key));
    const QStringList seeded{dir.filePath(demo + QStringLiteral("/data/chars/hero")), QDir::rootPath(),
                             dir.filePath(demo), QStringLiteral("16711935")};
    QCOMPARE(stored, later ? QStringList({QStringLiteral("/games/kestrum/data"), {}, {}, {}}) : seeded);
    if (installed)
        QCOMPARE(QDir(dir.filePath(program)).entryList(QDir::Files), QStringList());
}

QTEST_GUILESS_MAIN(TestProgramFolder)
#include "TestProgramFolder.moc"
