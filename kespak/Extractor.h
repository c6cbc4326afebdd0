#pragma once

#include "kespak/ArchiveFile.h"

#include <filesystem>
#include <iosfwd>
#include <string>
#include <vector>

namespace kespak {

// Extracts every entry of an archive below the archive's own folder,
// creating folders as needed and replacing files that exist. Each file is
// written under a temporary name and renamed into place when complete.
// Refused and failed entries are reported on `err`; the others are still
// extracted. Prints one progress line per entry and a summary on `out`.
class Extractor
{
public:
    Extractor(std::ostream& out, std::ostream& err);

    // Returns the exit code.
    int run(const std::filesystem::path& archive);

private:
    bool extract(const DirectoryEntry& entry, std::string& error);
    bool makeFolder(const std::filesystem::path& folder, std::string& error);

    std::ostream& m_out;
    std::ostream& m_err;
    ArchiveFile m_archive;
    std::filesystem::path m_archivePath;
    std::filesystem::path m_lastFolder;
    std::vector<char> m_buffer;
};

} // namespace kespak
