#pragma once

#include <cstdint>
#include <iosfwd>
#include <string>

namespace kespak {

// Little-endian 32-bit integers, the only integer type of the archive layout.
std::uint32_t readU32(const char* bytes);
bool readU32(std::istream& in, std::uint32_t& value);
void appendU32(std::string& out, std::uint32_t value);

} // namespace kespak
