#include "kespak/ArchiveLayout.h"

#include "kespak/Streams.h"

#include <algorithm>
#include <istream>

namespace kespak {

std::optional<ArchiveLayout> ArchiveLayout::read(std::istream& in, std::string& error)
{
    in.clear();
    if (!in.seekg(0, std::ios::end)) {
        error = "cannot determine its size";
        return std::nullopt;
    }
    ArchiveLayout layout;
    layout.fileSize = std::uint64_t(in.tellg());

    char header[kHeaderSize] = {};
    in.seekg(0);
    in.read(header, std::streamsize(std::min<std::uint64_t>(layout.fileSize, kHeaderSize)));
    if (layout.fileSize < sizeof kMagic || !std::equal(kMagic, kMagic + sizeof kMagic, header)) {
        error = "not a pak archive (it does not start with \"PACK\")";
        return std::nullopt;
    }
    if (layout.fileSize < kHeaderSize + kTrailerSize) {
        error = "the archive is truncated (" + std::to_string(layout.fileSize) + " bytes)";
        return std::nullopt;
    }
    if (const std::uint32_t version = readU32(header + sizeof kMagic); version != kVersion) {
        error = "unsupported archive version " + std::to_string(version);
        return std::nullopt;
    }

    std::uint32_t directoryOffset = 0;
    in.seekg(std::streamoff(layout.fileSize - kTrailerSize));
    if (!readU32(in, directoryOffset)) {
        error = "cannot read the directory offset";
        return std::nullopt;
    }
    layout.directoryBegin = directoryOffset;
    layout.directoryEnd = layout.fileSize - kTrailerSize;
    if (layout.directoryBegin < kHeaderSize || layout.directoryBegin > layout.directoryEnd) {
        error = "the directory offset " + std::to_string(directoryOffset)
                + " lies outside the archive of " + std::to_string(layout.fileSize)
                + " bytes (damaged or truncated)";
        return std::nullopt;
    }
    return layout;
}

} // namespace kespak
