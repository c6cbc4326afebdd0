#pragma once

#include "kespak/ArchiveLayout.h"
#include "kespak/DirectoryReader.h"

#include <filesystem>
#include <fstream>
#include <iosfwd>
#include <string>

namespace kespak {

// An archive opened for reading, its layout checked. The directory and the
// stored data are read through separate streams, so that walking the
// directory while copying data never throws away a stream's buffer.
class ArchiveFile
{
public:
    // Opens and checks the archive; on failure `error` says why.
    bool open(const std::filesystem::path& path, std::string& error);

    const ArchiveLayout& layout() const { return m_layout; }
    DirectoryReader directory() { return DirectoryReader(m_directory, m_layout); }
    std::istream& data() { return m_data; }

    // The number of entries the directory holds, refused ones included.
    std::uint64_t countEntries();

    // Writes the problem of a refused or broken entry as one line on `err`.
    static void reportProblem(const DirectoryReader& reader, DirectoryReader::Status status,
                              std::ostream& err);

private:
    ArchiveLayout m_layout;
    std::ifstream m_directory;
    std::ifstream m_data;
};

} // namespace kespak
