#pragma once

#include "kespak/DirectoryReader.h"

#include <filesystem>
#include <iosfwd>
#include <string>
#include <vector>

namespace kespak {

// Packs every file below a folder into a new archive, each named relative to
// the folder's parent ("data/..."), sorted by name so that the same tree
// always gives the same archive. The archive is written under a temporary
// name and renamed into place only when complete; any failure leaves no
// archive and an existing one untouched.
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

    bool collect(const std::filesystem::path& root, std::vector<Source>& sources, std::string& error);
    bool writeData(std::ostream& out, const std::vector<Source>& sources, std::string& error);
    void writeDirectory(std::ostream& out);

    std::ostream& m_out;
    std::ostream& m_err;
    std::filesystem::path m_archivePath;
    std::vector<DirectoryEntry> m_entries;
    std::vector<char> m_buffer;
};

} // namespace kespak
