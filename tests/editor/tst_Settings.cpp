#include "EditorTests.h"

#include "TestHelpers.h"
#include "editor/BrowserPanel.h"
#include "editor/DisplayGroup.h"
#include "editor/IniSettings.h"
#include "editor/browser/DirList.h"
#include "editor/browser/FileList.h"

#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QTest>

using animbox::IniSettings;

void SettingsTest::firstRunCreatesFile()
{
    testing::Fixture fixture;
    QVERIFY(fixture.isValid());
    QVERIFY(!QFile::exists(fixture.settingsPath()));
    {
        animbox::FrmMain window(fixture.settingsPath());
        QCOMPARE(window.transparentColor(), 0);
        QCOMPARE(window.Picture1()->Text4()->text(), QString());
        QCOMPARE(window.Picture1()->File1()->pattern(), QStringLiteral("*.gif"));
        QCOMPARE(window.windowTitle(), QStringLiteral("Kestrum Frame Editor 2.1.3"));
        QVERIFY(window.Picture1()->showFolder(fixture.sprites()));
        window.close();
    }
    QFile file(fixture.settingsPath());
    QVERIFY(file.open(QIODevice::ReadOnly));
    const QByteArray text = file.readAll();
    QVERIFY(text.startsWith("[settings]\r\n"));
    QVERIFY(text.contains("\r\ndrive="));
    QVERIFY(text.contains("\r\ndir=" + fixture.sprites().toLocal8Bit() + "\r\n"));
    QVERIFY(text.contains("\r\npat=\r\n"));
}

void SettingsTest::restoresSavedState()
{
    testing::Fixture fixture;
    QVERIFY(fixture.isValid());
    QVERIFY(fixture.writeSprite(QStringLiteral("idle00.gif"), {10, 10}));
    QVERIFY(fixture.writeSprite(QStringLiteral("kick00.gif"), {10, 10}));
    const IniSettings settings(fixture.settingsPath());
    settings.WriteSetting(QStringLiteral("transparentcolor"), QStringLiteral(" 16711935"));
    settings.WriteSetting(QStringLiteral("dir"), fixture.sprites());
    settings.WriteSetting(QStringLiteral("pat"), QStringLiteral("idle"));

    animbox::FrmMain window(fixture.settingsPath());
    QCOMPARE(window.transparentColor(), 16711935);
    QCOMPARE(window.Frame3()->lbTransparent()->palette().color(QPalette::Window), QColor(255, 0, 255));
    QCOMPARE(window.Picture1()->Dir1()->path(), fixture.sprites());
    QCOMPARE(window.browserFolder(), fixture.sprites());
    QCOMPARE(window.Picture1()->File1()->pattern(), QStringLiteral("idle*.gif"));
    QCOMPARE(window.Picture1()->File1()->fileNames(), QStringList{QStringLiteral("idle00.gif")});
}

void SettingsTest::staleFolderSkipsOnlyThatStep()
{
    testing::Fixture fixture;
    QVERIFY(fixture.isValid());
    const IniSettings settings(fixture.settingsPath());
    settings.WriteSetting(QStringLiteral("drive"), QStringLiteral("Q:\\gone"));
    settings.WriteSetting(QStringLiteral("dir"), fixture.root() + QStringLiteral("/gone"));
    settings.WriteSetting(QStringLiteral("pat"), QStringLiteral("k??"));
    animbox::FrmMain window(fixture.settingsPath());
    QVERIFY(window.browserFolder() != fixture.root() + QStringLiteral("/gone"));
    QCOMPARE(window.Picture1()->File1()->pattern(), QStringLiteral("k??.gif"));
}

void SettingsTest::valuesAreCut_data()
{
    QTest::addColumn<QString>("value");
    QTest::addColumn<QString>("expected");
    QTest::newRow("254 bytes stay") << QString(254, u'a') << QString(254, u'a');
    QTest::newRow("300 bytes cut") << QString(300, u'a') << QString(254, u'a');
    // Three bytes each: 84 whole characters fit into 254 bytes.
    QTest::newRow("no half character") << QString(100, QChar(0x5E27)) << QString(84, QChar(0x5E27));
    QTest::newRow("leading blank of a colour") << QStringLiteral(" 16711935") << QStringLiteral("16711935");
}

void SettingsTest::valuesAreCut()
{
    QFETCH(QString, value);
    QFETCH(QString, expected);
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    const IniSettings settings(dir.filePath(QStringLiteral("settings.ini")));
    settings.WriteSetting(QStringLiteral("dir"), value);
    QCOMPARE(settings.ReadSetting(QStringLiteral("dir")), expected);
}

void SettingsTest::writeKeepsOtherLines()
{
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    const QString path = dir.filePath(QStringLiteral("settings.ini"));
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write("[other]\r\ndir=keep\r\n[Settings]\r\nDIR=old\r\npat=*.gif\r\n\r\n[tail]\r\nx=1\r\n");
    file.close();
    const IniSettings settings(path);
    settings.WriteSetting(QStringLiteral("dir"), QStringLiteral("new"));
    settings.WriteSetting(QStringLiteral("drive"), QStringLiteral("/"));
    QCOMPARE(settings.ReadSetting(QStringLiteral("dir")), QStringLiteral("new"));
    QCOMPARE(settings.ReadSetting(QStringLiteral("Drive")), QStringLiteral("/"));
    QCOMPARE(settings.ReadSetting(QStringLiteral("pat")), QStringLiteral("*.gif"));
    QCOMPARE(settings.IniRead(QStringLiteral("other"), QStringLiteral("dir"), {}), QStringLiteral("keep"));
    QCOMPARE(settings.IniRead(QStringLiteral("tail"), QStringLiteral("x"), {}), QStringLiteral("1"));
    QCOMPARE(settings.IniRead(QStringLiteral("tail"), QStringLiteral("drive"), QStringLiteral("none")),
             QStringLiteral("none"));
}

void SettingsTest::iniPath_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("folder");
    QTest::addColumn<QString>("expected");
    QTest::newRow("bare name") << "settings.ini" << "/opt/kes" << "/opt/kes/settings.ini";
    QTest::newRow("root folder") << "settings.ini" << "/" << "/settings.ini";
    QTest::newRow("backslash name") << "C:\\x\\a.ini" << "/opt/kes" << "C:\\x\\a.ini";
    QTest::newRow("slash name") << "/etc/a.ini" << "/opt/kes" << "/etc/a.ini";
}

void SettingsTest::iniPath()
{
    QFETCH(QString, name);
    QFETCH(QString, folder);
    QFETCH(QString, expected);
    QCOMPARE(IniSettings::IniPath(name, folder), expected);
}

void SettingsTest::readOnlyProgramFolderFallsBack()
{
    QTemporaryDir user;
    QVERIFY(user.isValid());
    const QString userFolder = user.filePath(QStringLiteral("config"));
    QCOMPARE(IniSettings::locate(user.path(), userFolder), user.filePath(QStringLiteral("settings.ini")));
#ifdef Q_OS_LINUX
    // Nobody, not even an administrator, can create files in /proc.
    QCOMPARE(IniSettings::locate(QStringLiteral("/proc"), userFolder),
             userFolder + QStringLiteral("/settings.ini"));
    QVERIFY(QFileInfo(userFolder).isDir());
#endif
}
