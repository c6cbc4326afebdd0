#pragma once

#include <cstdint>
#include <iosfwd>
#include <optional>
#include <string>

namespace kespak {

// The fixed parts of the archive layout: "PACK", version 0, the stored data,
// the directory, and last the offset of the directory. Integers are unsigned
// 32-bit little-endian.
inline constexpr char kMagic[4] = {'P', 'A', 'C', 'K'};
inline constexpr std::uint32_t kVersion = 0;
inline constexpr std::uint64_t kHeaderSize = 8;
inline constexpr std::uint64_t kTrailerSize = 4;
// A directory entry: its length, the data offset and size, then the name and a NUL.
inline constexpr std::uint64_t kEntryHeaderSize = 12;
inline constexpr std::uint64_t kMaxOffset = UINT32_MAX;

// Where the stored data and the directory of one archive lie, found by
// checking its header and trailer.
struct ArchiveLayout
{
    std::uint64_t fileSize = 0;
    std::uint64_t directoryBegin = 0;
    std::uint64_t directoryEnd = 0;

    // Checks the header and the trailer of the archive in `in`. Returns nothing
    // and sets `error` when the bytes are not an archive of this layout.
    static std::optional<ArchiveLayout> read(std::istream& in, std::string& error);
};

} // namespace kespak
