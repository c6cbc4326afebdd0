#pragma once

#include "kespak/FileHandle.h"

#include <filesystem>
#include <string>

namespace kespak {

// Opens folders below one root folder level by level from the root, never
// following a link, so that no path a link could redirect is ever used: a
// link or a file where a folder belongs stops the walk. Extraction creates
// the levels that are missing; packing only reads.
class FolderWalk
{
public:
    enum class Missing { Create, Fail };

    explicit FolderWalk(Missing missing);

    bool openRoot(const std::filesystem::path& root, std::string& error);
    int root() const { return m_root.get(); }

    // A descriptor of the folder `relative` below the root, valid until the
    // next call; -1 with `error` when it cannot be reached safely.
    int open(const std::filesystem::path& relative, std::string& error);

private:
    Missing m_missing;
    FileHandle m_root;
    FileHandle m_last;
    std::filesystem::path m_lastPath;
};

} // namespace kespak
