#pragma once

#include "kespak/ByteCopier.h"
#include "kespak/DirectoryReader.h"
#include "kespak/FileHandle.h"
#include "kespak/ReplacingFile.h"

#include <filesystem>
#include <iosfwd>
#include <optional>
#include <string>
#include <vector>

namespace kespak {

// Packs every file below a folder into a new archive, each named relative to
// the folder's parent ("data/..."), sorted by name so that the same tree
// always gives the same archive. Nothing outside the folder is read: links
// leading out of it, links to folders and special files are refused with a
// line each; the archive being written is never packed into itself. The
// archive is written under a temporary name and renamed into place only when
// complete; any failure leaves no archive and an existing one untouched.
class Packer
{
public:
    Packer(std::ostream& out, std::ostream& err);

    // Returns the exit code.
    int run(const std::filesystem::path& archive, const std::filesystem::path& folder);

private:
    struct Source
    {
        std::filesystem::path path;
        std::string name;
    };

    bool openArchive(std::string& error);
    bool commitArchive(std::string& error);
    std::string archiveProblem(const std::string& reason) const;
    bool collect(const std::filesystem::path& root, std::vector<Source>& sources, std::string& error);
    std::string refusal(const std::filesystem::directory_entry& item, const std::filesystem::path& realRoot,
                        std::filesystem::path& source) const;
    bool isArchiveBeingWritten(const std::filesystem::path& source) const;
    bool writeData(const std::vector<Source>& sources, std::string& error);
    bool writeFile(const Source& source, std::uint64_t offset, std::string& error);
    bool writeDirectory(std::string& error);

    std::ostream& m_out;
    std::ostream& m_err;
    std::filesystem::path m_archivePath;
    FileHandle m_archiveFolder;
    std::optional<ReplacingFile> m_archive;
    // The file being written and the one it replaces, whatever their spelling below the folder.
    std::vector<FileIdentity> m_archiveFiles;
    std::vector<DirectoryEntry> m_entries;
    std::uint64_t m_refused = 0;
    bool m_archiveInside = false;
    ByteCopier m_copier;
};

} // namespace kespak
