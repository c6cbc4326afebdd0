#pragma once

#include "kespak/ByteCopier.h"
#include "kespak/DirectoryReader.h"
#include "kespak/FileHandle.h"
#include "kespak/FolderWalk.h"
#include "kespak/ReplacingFile.h"

#include <filesystem>
#include <iosfwd>
#include <optional>
#include <string>
#include <vector>

namespace kespak {

// Packs every file below a folder into a new archive, each named relative to
// the folder's parent ("data/..."), sorted by name so that the same tree
// always gives the same archive. Nothing outside the folder is read: the
// tree is walked from the folder's descriptor, each level and each file
// opened relative to its folder without following a link, so that a folder
// swapped for a link while packing leads nowhere. Links leading out of the
// folder, links to folders and special files are refused with a line each;
// a link to a file inside is packed with that file's bytes, read through
// the walk; the archive being written is never packed into itself. The
// archive is written under a temporary name and renamed into place only
// when complete; any failure leaves no archive and an existing one
// untouched. Leftovers of killed runs beside the archive are removed.
class Packer
{
public:
    Packer(std::ostream& out, std::ostream& err);

    // Returns the exit code.
    int run(const std::filesystem::path& archive, const std::filesystem::path& folder);

private:
    // A file to pack: its name in the archive, and where the walk found its
    // bytes (for a link, the file it leads to), below the packed folder.
    struct Source
    {
        std::string name;
        std::filesystem::path folder;
        std::string file;
        FileIdentity identity;
    };
    // A link the walk found, judged once every file below the folder is known.
    struct Link
    {
        std::string name;
        std::string text;
        // Why its target cannot be reached, or 0 with the target's status.
        int error = 0;
        struct stat target = {};
    };

    bool openArchive(std::string& error);
    bool commitArchive(std::string& error);
    std::string archiveProblem(const std::string& reason) const;
    bool collect(const std::filesystem::path& root, std::vector<Source>& sources, std::string& error);
    bool walk(int folder, const std::filesystem::path& relative, std::vector<Source>& sources,
              std::vector<Link>& links, std::string& error);
    static Link linkAt(int folder, const std::string& file, std::string name);
    void resolve(const std::vector<Link>& links, std::vector<Source>& sources);
    void refuse(const std::string& name, const std::string& problem);
    bool isArchiveBeingWritten(const struct stat& status) const;
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
    FolderWalk m_folders{FolderWalk::Missing::Fail};
    std::filesystem::path m_rootName;
    std::vector<DirectoryEntry> m_entries;
    std::uint64_t m_refused = 0;
    bool m_archiveInside = false;
    ByteCopier m_copier;
};

} // namespace kespak
