#pragma once

#include "kespak/ArchiveFile.h"
#include "kespak/ByteCopier.h"
#include "kespak/ProgressReport.h"
#include "kespak/FolderWalk.h"

#include <filesystem>
#include <iosfwd>
#include <optional>
#include <set>
#include <string>
#include <utility>

namespace kespak {

// Extracts every entry of an archive below the archive's own folder,
// creating folders as needed and replacing files that exist. Each file is
// written under a temporary name and renamed into place when complete;
// leftovers of killed runs in the archive's folder and in the folders
// written to are removed. Nothing is
// written through a link, and no entry may replace the archive itself.
// Refused and failed entries are reported; the others are still extracted.
class Extractor
{
public:
    // With `records`, progress goes out as records for a program (see ProgressReport).
    Extractor(std::ostream& out, std::ostream& err, bool records = false);

    // Returns the exit code.
    int run(const std::filesystem::path& archive);

private:
    bool extract(const DirectoryEntry& entry, std::string& error);
    void removeLeftoversOnce(int folder);

    std::ostream& m_err;
    ProgressReport m_report;
    ArchiveFile m_archive;
    FolderWalk m_folders{FolderWalk::Missing::Create};
    ByteCopier m_copier;
    // The folders already cleared of leftovers, and the folder of the last entry.
    std::set<std::pair<dev_t, ino_t>> m_cleared;
    std::optional<std::filesystem::path> m_lastFolder;
};

} // namespace kespak
