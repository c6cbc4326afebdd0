#include "kespak/Streams.h"

#include <algorithm>
#include <istream>
#include <ostream>

namespace kespak {

std::uint32_t readU32(const char* bytes)
{
    const auto* b = reinterpret_cast<const unsigned char*>(bytes);
    return std::uint32_t(b[0]) | std::uint32_t(b[1]) << 8 | std::uint32_t(b[2]) << 16
           | std::uint32_t(b[3]) << 24;
}

bool readU32(std::istream& in, std::uint32_t& value)
{
    char bytes[4];
    if (!in.read(bytes, sizeof bytes))
        return false;
    value = readU32(bytes);
    return true;
}

void writeU32(std::ostream& out, std::uint32_t value)
{
    const char bytes[4] = {char(value & 0xff), char(value >> 8 & 0xff), char(value >> 16 & 0xff),
                           char(value >> 24 & 0xff)};
    out.write(bytes, sizeof bytes);
}

std::uint64_t copyBytes(std::istream& in, std::ostream& out, std::uint64_t count,
                        std::vector<char>& buffer)
{
    if (buffer.size() < kCopyChunk)
        buffer.resize(kCopyChunk);
    std::uint64_t copied = 0;
    while (copied < count) {
        const auto chunk = std::streamsize(std::min<std::uint64_t>(count - copied, buffer.size()));
        in.read(buffer.data(), chunk);
        const std::streamsize got = in.gcount();
        if (got > 0)
            out.write(buffer.data(), got);
        if (!out)
            break;
        copied += std::uint64_t(got);
        if (got < chunk)
            break;
    }
    return copied;
}

} // namespace kespak
