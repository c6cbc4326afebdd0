#include "kespak/ArchiveFile.h"

#include "kespak/EntryName.h"

#include <ostream>

namespace kespak {

bool ArchiveFile::open(const std::filesystem::path& path, std::string& error)
{
    std::error_code code;
    if (!std::filesystem::is_regular_file(path, code)) {
        error = code ? code.message() : "not a file";
        return false;
    }
    m_directory.open(path, std::ios::binary);
    m_data.open(path, std::ios::binary);
    if (!m_directory || !m_data) {
        error = "cannot be opened for reading";
        return false;
    }
    const auto layout = ArchiveLayout::read(m_directory, error);
    if (!layout)
        return false;
    m_layout = *layout;
    return true;
}

std::uint64_t ArchiveFile::countEntries()
{
    DirectoryReader reader = directory();
    std::uint64_t count = 0;
    for (auto status = reader.next(); status != DirectoryReader::Status::End; status = reader.next())
        ++count;
    return count;
}

void ArchiveFile::reportProblem(const DirectoryReader& reader, DirectoryReader::Status status,
                                std::ostream& err)
{
    err << "kespak: ";
    if (reader.entry().name.empty()) {
        err << "directory entry " << reader.index() << " at offset " << reader.entryOffset();
    } else {
        err << "refused entry " << reader.index() << " \"" << EntryName::display(reader.entry().name)
            << '"';
    }
    err << ": " << reader.problem();
    if (status == DirectoryReader::Status::Broken)
        err << "; the entries after it cannot be read";
    err << '\n';
}

} // namespace kespak
