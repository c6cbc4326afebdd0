#include "editor/ProgramFolder.h"

#include "editor/IniSettings.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>

#ifndef KES_SHARED_DATA
#error "KES_SHARED_DATA must be defined by the build"
#endif

namespace animbox {

namespace {

const QString kDemo = QStringLiteral("demo");
const QString kDemoSprites = QStringLiteral("data/chars/hero");
// Magenta, the background of the demo sprites, stored with a leading blank
// as the colour pick stores it.
const QString kDemoKeyColour = QStringLiteral(" 16711935");

} // namespace

ProgramFolder::ProgramFolder(QString path)
    : m_path(std::move(path))
{
}

QString ProgramFolder::ofRunningProgram(const char* argv0)
{
    const QFileInfo linked(QStringLiteral("/proc/self/exe"));
    if (linked.exists())
        return linked.canonicalPath();
    const QString program = QFile::decodeName(argv0);
    const QString found = QDir::fromNativeSeparators(program).contains(u'/') ? program : QStandardPaths::findExecutable(program);
    return QFileInfo(found).canonicalPath();
}

QString ProgramFolder::sharedDataFolder() const
{
    return QDir::cleanPath(QDir(m_path).filePath(QStringLiteral(KES_SHARED_DATA)));
}

bool ProgramFolder::isInstalled() const
{
    return QFileInfo(sharedDataFolder()).isDir();
}

QString ProgramFolder::demoFolder() const
{
    const QString demo = QDir(isInstalled() ? sharedDataFolder() : m_path).filePath(kDemo);
    return QFileInfo(QDir(demo).filePath(kDemoSprites)).isDir() ? demo : QString();
}

QString ProgramFolder::settingsPath(const QString& userFolder) const
{
    if (isInstalled()) {
        QDir().mkpath(userFolder);
        return IniSettings::IniPath(QStringLiteral("settings.ini"), userFolder);
    }
    return IniSettings::locate(m_path, userFolder);
}

void ProgramFolder::seedDemoSettings(const IniSettings& settings) const
{
    const QString demo = demoFolder();
    if (demo.isEmpty() || QFileInfo::exists(settings.filePath()))
        return;
    const QString sprites = QDir::toNativeSeparators(QDir(demo).filePath(kDemoSprites));
    settings.WriteSetting(QStringLiteral("transparentcolor"), kDemoKeyColour);
    settings.WriteSetting(QStringLiteral("drive"), sprites.left(sprites.indexOf(QDir::separator()) + 1));
    settings.WriteSetting(QStringLiteral("dir"), sprites);
    settings.WriteSetting(QStringLiteral("pat"), QString());
    settings.WriteSetting(QStringLiteral("WK_Path"), QDir::toNativeSeparators(demo));
}

} // namespace animbox
