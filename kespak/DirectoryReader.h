#pragma once

#include "kespak/ArchiveLayout.h"
#include "kespak/DataOverlaps.h"

#include <cstdint>
#include <iosfwd>
#include <string>
#include <vector>

namespace kespak {

// One entry of an archive directory.
struct DirectoryEntry
{
    std::string name;
    std::uint32_t offset = 0;
    std::uint32_t size = 0;
};

// Walks the directory of an archive one entry at a time, never holding more
// than one entry, and judges each: safe to use, refused (unsafe name, data
// outside the stored data or shared with another entry, when the overlaps
// are given), or broken (an impossible length, after which the following
// entries cannot be found).
class DirectoryReader
{
public:
    enum class Status { Entry, Refused, Broken, End };

    DirectoryReader(std::istream& in, const ArchiveLayout& layout,
                    const DataOverlaps* overlaps = nullptr);

    Status next();
    // The entry just read; for a refused entry the name may be cut short.
    const DirectoryEntry& entry() const { return m_entry; }
    // Why the entry just read was refused or the directory is broken.
    const std::string& problem() const { return m_problem; }
    // The 1-based number of the entry just read.
    std::uint64_t index() const { return m_index; }
    // The archive offset at which the entry just read begins.
    std::uint64_t entryOffset() const { return m_entryOffset; }

private:
    Status broken(std::string problem);
    Status refused(std::string problem);
    bool readName(std::uint64_t nameArea);
    std::string dataProblem() const;

    std::istream& m_in;
    ArchiveLayout m_layout;
    const DataOverlaps* m_overlaps;
    std::uint64_t m_position;
    std::uint64_t m_entryOffset = 0;
    std::uint64_t m_index = 0;
    bool m_done = false;
    DirectoryEntry m_entry;
    std::string m_problem;
    std::vector<char> m_nameBuffer;
};

} // namespace kespak
