#pragma once

#include "kespak/FileHandle.h"

#include <filesystem>
#include <string>

namespace kespak {

// Opens the folders that extracted files go into, below one root folder,
// level by level from the root and never following a link, creating the
// levels that are missing. A link or a file where a folder belongs stops
// the walk, so nothing is ever written outside the root through a link.
class TargetFolders
{
public:
    bool openRoot(const std::filesystem::path& root, std::string& error);

    // A descriptor of the folder `relative` below the root, valid until the
    // next call; -1 with `error` when it cannot be reached safely.
    int open(const std::filesystem::path& relative, std::string& error);

private:
    FileHandle m_root;
    FileHandle m_last;
    std::filesystem::path m_lastPath;
};

} // namespace kespak
