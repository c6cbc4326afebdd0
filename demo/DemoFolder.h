#pragma once

#include <QString>

namespace demo {

// Where a program finds the demo character: beside itself in a build or a
// copied program folder (<program folder>/demo), or in the shared data
// folder of an installation (KES_SHARED_DATA, relative to the program's
// folder). The demo folder is a game folder: it holds data/chars/hero/.
class DemoFolder {
public:
    explicit DemoFolder(const QString& programFolder);

    // The installation's shared data folder, whether it exists or not.
    static QString sharedDataFolder(const QString& programFolder);

    bool exists() const { return !m_path.isEmpty(); }
    // The game folder of the demo; empty when there is none.
    QString path() const { return m_path; }
    // The folder of the character's sprites and script.
    QString spritesFolder() const;
    // The character's model script.
    QString script() const;

private:
    QString m_path;
};

} // namespace demo
