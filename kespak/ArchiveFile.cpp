#include "kespak/ArchiveFile.h"

#include "kespak/EntryName.h"

#include <cerrno>
#include <ostream>

#include <fcntl.h>

namespace kespak {

bool ArchiveFile::open(const std::filesystem::path& path, std::string& error)
{
    m_data.reset(::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC));
    struct stat status;
    if (!m_data.isValid() || ::fstat(m_data.get(), &status) != 0) {
        error = systemMessage(errno);
        return false;
    }
    if (!S_ISREG(status.st_mode)) {
        error = notAFile(status.st_mode);
        return false;
    }
    m_identity = FileIdentity::of(status);
    m_buffer.setDescriptor(m_data.get());
    const auto layout = ArchiveLayout::read(m_stream, error);
    if (!layout)
        return false;
    m_layout = *layout;
    survey();
    return true;
}

void ArchiveFile::survey()
{
    DirectoryReader reader(m_stream, m_layout);
    for (auto status = reader.next(); status != DirectoryReader::Status::End; status = reader.next()) {
        ++m_entryCount;
        if (status == DirectoryReader::Status::Entry)
            m_overlaps.add(reader.index(), reader.entry().offset, reader.entry().size);
    }
    m_overlaps.resolve();
    DirectoryReader judged = directory();
    for (auto status = judged.next(); status != DirectoryReader::Status::End; status = judged.next()) {
        if (status == DirectoryReader::Status::Entry)
            m_acceptedBytes += judged.entry().size;
    }
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
