#include "kespak/Streams.h"

#include <istream>

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

void appendU32(std::string& out, std::uint32_t value)
{
    const char bytes[4] = {char(value & 0xff), char(value >> 8 & 0xff), char(value >> 16 & 0xff),
                           char(value >> 24 & 0xff)};
    out.append(bytes, sizeof bytes);
}

} // namespace kespak
