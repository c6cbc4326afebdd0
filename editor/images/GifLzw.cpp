#include "editor/images/GifLzw.h"

#include <algorithm>
#include <array>
#include <cstdint>

namespace animbox {

namespace {

constexpr int kMaxCodes = 4096;

// The string table. Each code knows its length and its first index, so its
// string is written straight to its place in the output, back to front,
// without an intermediate stack: the step that dominates decoding sprites.
struct LzwTable {
    std::array<std::uint16_t, kMaxCodes> prefix;
    std::array<std::uint16_t, kMaxCodes> length;
    std::array<unsigned char, kMaxCodes> suffix;
    std::array<unsigned char, kMaxCodes> first;
};

// Reads codes of a growing width from the joined sub-blocks, least
// significant bit first.
class CodeReader {
public:
    explicit CodeReader(QByteArrayView codes)
        : m_data(reinterpret_cast<const unsigned char*>(codes.data()))
        , m_end(m_data + codes.size())
    {
    }

    // The next code of `width` bits, or -1 when the data has run out.
    int next(int width)
    {
        while (m_bits < width) {
            if (m_data == m_end)
                return -1;
            m_buffer |= std::uint32_t(*m_data++) << m_bits;
            m_bits += 8;
        }
        const int code = int(m_buffer & ((1u << width) - 1));
        m_buffer >>= width;
        m_bits -= width;
        return code;
    }

private:
    const unsigned char* m_data;
    const unsigned char* m_end;
    std::uint32_t m_buffer = 0;
    int m_bits = 0;
};

} // namespace

bool decodeLzw(int minCodeSize, QByteArrayView codes, unsigned char* pixels, qsizetype count)
{
    if (minCodeSize < 2 || minCodeSize > 8)
        return false;
    const int clear = 1 << minCodeSize;
    const int end = clear + 1;
    LzwTable table;
    for (int code = 0; code < clear; ++code) {
        table.length[code] = 1;
        table.suffix[code] = table.first[code] = static_cast<unsigned char>(code);
    }
    CodeReader reader(codes);
    int width = minCodeSize + 1;
    int available = clear + 2;
    int previous = -1;
    qsizetype written = 0;
    while (written < count) {
        const int code = reader.next(width);
        if (code < 0 || code == end)
            return false;
        if (code == clear) {
            width = minCodeSize + 1;
            available = clear + 2;
            previous = -1;
            continue;
        }
        if (previous < 0) {
            if (code > clear)
                return false;
            pixels[written++] = static_cast<unsigned char>(code);
            previous = code;
            continue;
        }
        // A code not yet in the table can only be the one about to be added:
        // the previous string followed by its own first index.
        if (code > available || (code == available && available == kMaxCodes))
            return false;
        if (available < kMaxCodes) {
            table.prefix[available] = std::uint16_t(previous);
            table.suffix[available] = table.first[code == available ? previous : code];
            table.first[available] = table.first[previous];
            table.length[available] = std::uint16_t(table.length[previous] + 1);
            ++available;
            if (available == 1 << width && width < 12)
                ++width;
        }
        const qsizetype length = table.length[code];
        int walk = code;
        // Indices past `count` are dropped: their part of the string is skipped.
        for (qsizetype at = written + length - 1; at >= count; --at)
            walk = table.prefix[walk];
        for (qsizetype at = std::min(written + length, count) - 1; at >= written; --at) {
            pixels[at] = table.suffix[walk];
            walk = table.prefix[walk];
        }
        written += length;
        previous = code;
    }
    return true;
}

} // namespace animbox
