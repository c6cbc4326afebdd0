#include "editor/settings/ProgramFolder.h"

#include "demo/DemoFolder.h"
#include "editor/settings/IniSettings.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>

namespace animbox {

namespace {

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

bool ProgramFolder::isInstalled() const
{
    return QFileInfo(demo::DemoFolder::sharedDataFolder(m_path)).isDir();
}

QString ProgramFolder::demoFolder() const
{
    return demo::DemoFolder(m_path).path();
}

QString ProgramFolder::settingsPath(const QString& userFolder) const
{
    if (isInstalled()) {
        QDir().mkpath(userFolder);
        return IniSettings::IniPath(QStringLiteral("settings.ini"), userFolder);
    }
    return IniSettings::locate(m_path, userFolder);
}

bool ProgramFolder::seedDemoSettings(const IniSettings& settings) const
{
    const demo::DemoFolder demo(m_path);
    if (!demo.exists() || QFileInfo::exists(settings.filePath()))
        return false;
    const QString sprites = QDir::toNativeSeparators(demo.spritesFolder());
    settings.WriteSetting(QStringLiteral("transparentcolor"), kDemoKeyColour);
    settings.WriteSetting(QStringLiteral("drive"), sprites.left(sprites.indexOf(QDir::separator()) + 1));
    settings.WriteSetting(QStringLiteral("dir"), sprites);
    settings.WriteSetting(QStringLiteral("pat"), QString());
    settings.WriteSetting(QStringLiteral("WK_Path"), QDir::toNativeSeparators(demo.path()));
    return true;
}

} // namespace animbox
