#pragma once

#include "kespak/ArchiveLayout.h"
#include "kespak/DataOverlaps.h"
#include "kespak/DescriptorBuffer.h"
#include "kespak/DirectoryReader.h"
#include "kespak/FileHandle.h"

#include <filesystem>
#include <istream>
#include <string>

namespace kespak {

// An archive opened for reading, its layout checked and its directory
// surveyed once: how many entries, how many bytes the acceptable ones hold,
// and which entries share data. Only a regular file is taken, and opening
// never waits (a FIFO is refused, not read). The file is opened once: the
// directory is read through a stream over its descriptor, the stored data
// by the copies straight from that descriptor.
class ArchiveFile
{
public:
    // Opens and checks the archive; on failure `error` says why.
    bool open(const std::filesystem::path& path, std::string& error);

    DirectoryReader directory() { return DirectoryReader(m_stream, m_layout, &m_overlaps); }
    int data() const { return m_data.get(); }
    const FileIdentity& identity() const { return m_identity; }

    // The number of entries the directory holds, refused ones included.
    std::uint64_t entryCount() const { return m_entryCount; }
    // The bytes of the entries that are not refused.
    std::uint64_t acceptedBytes() const { return m_acceptedBytes; }

    // Writes the problem of a refused or broken entry as one line on `err`.
    static void reportProblem(const DirectoryReader& reader, DirectoryReader::Status status,
                              std::ostream& err);

private:
    void survey();

    ArchiveLayout m_layout;
    FileHandle m_data;
    DescriptorBuffer m_buffer;
    std::istream m_stream{&m_buffer};
    FileIdentity m_identity;
    DataOverlaps m_overlaps;
    std::uint64_t m_entryCount = 0;
    std::uint64_t m_acceptedBytes = 0;
};

} // namespace kespak
