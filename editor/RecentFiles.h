#pragma once

#include "editor/IniSettings.h"

#include <QStringList>

namespace animbox {

// The last files opened, newest first, kept in section "recent" of the
// settings file (keys "file1" … "file8").
class RecentFiles {
public:
    static constexpr int kMaxFiles = 8;

    explicit RecentFiles(const IniSettings& settings) : m_settings(settings) {}

    QStringList files() const;
    // Puts `path` first, dropping an older entry of it and the ninth file.
    void add(const QString& path) const;

private:
    const IniSettings& m_settings;
};

} // namespace animbox
