#include "demo/DemoFolder.h"

#include <QDir>
#include <QFileInfo>

#ifndef KES_SHARED_DATA
#error "KES_SHARED_DATA must be defined by the build"
#endif

namespace demo {

namespace {

const QString kDemo = QStringLiteral("demo");
const QString kSprites = QStringLiteral("data/chars/hero");

} // namespace

QString DemoFolder::sharedDataFolder(const QString& programFolder)
{
    return QDir::cleanPath(QDir(programFolder).filePath(QStringLiteral(KES_SHARED_DATA)));
}

DemoFolder::DemoFolder(const QString& programFolder)
{
    const QString shared = sharedDataFolder(programFolder);
    const QString demo = QDir(QFileInfo(shared).isDir() ? shared : programFolder).filePath(kDemo);
    if (QFileInfo(QDir(demo).filePath(kSprites)).isDir())
        m_path = demo;
}

QString DemoFolder::spritesFolder() const
{
    return m_path.isEmpty() ? QString() : QDir(m_path).filePath(kSprites);
}

QString DemoFolder::script() const
{
    return m_path.isEmpty() ? QString() : QDir(spritesFolder()).filePath(QStringLiteral("hero.txt"));
}

} // namespace demo
