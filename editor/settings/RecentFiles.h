#pragma once

#include <QString>
#include <QStringList>

namespace animbox {

// The last files opened, newest first, one path a line in "recent.txt"
// beside the settings file (its values are cut to 254 bytes, too short for
// paths).
class RecentFiles {
public:
    static constexpr int kMaxFiles = 8;

    explicit RecentFiles(const QString& settingsPath);

    QStringList files() const;
    // Puts `path` first, dropping an older entry of it and the ninth file.
    // Writes nothing when the list stays as it was.
    void add(const QString& path) const;

private:
    QString m_path;
};

} // namespace animbox
