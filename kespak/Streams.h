#pragma once

#include <cstdint>
#include <iosfwd>
#include <vector>

namespace kespak {

// Little-endian 32-bit integers, the only integer type of the archive layout.
std::uint32_t readU32(const char* bytes);
bool readU32(std::istream& in, std::uint32_t& value);
void writeU32(std::ostream& out, std::uint32_t value);

// Copies `count` bytes from `in` to `out` through `buffer`, a chunk at a time,
// so files of any size pass through a fixed amount of memory. Returns the
// number of bytes copied; fewer than `count` means a read or write failed.
std::uint64_t copyBytes(std::istream& in, std::ostream& out, std::uint64_t count,
                        std::vector<char>& buffer);

// The chunk size the copies use: large enough that each chunk is one system call.
inline constexpr std::size_t kCopyChunk = 1 << 20;

} // namespace kespak
