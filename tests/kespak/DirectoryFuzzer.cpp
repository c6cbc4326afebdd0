// Fuzzes the archive checks and the directory reader with arbitrary bytes:
// no input may crash them, and every entry they accept must name a path
// that stays below the extraction folder.
#include "kespak/ArchiveLayout.h"
#include "kespak/DirectoryReader.h"
#include "kespak/EntryName.h"

#include <cstdint>
#include <cstdlib>
#include <sstream>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    std::istringstream in(std::string(reinterpret_cast<const char*>(data), size));
    std::string error;
    const auto layout = kespak::ArchiveLayout::read(in, error);
    if (!layout)
        return 0;
    using Status = kespak::DirectoryReader::Status;
    kespak::DirectoryReader reader(in, *layout);
    for (Status status = reader.next(); status != Status::End; status = reader.next()) {
        if (status != Status::Entry)
            continue;
        const auto& entry = reader.entry();
        if (std::uint64_t(entry.offset) + entry.size > layout->directoryBegin)
            std::abort();
        const std::filesystem::path path = kespak::EntryName::toRelativePath(entry.name);
        if (path.empty() || path.is_absolute() || path.has_root_name() || !path.has_filename())
            std::abort();
        for (const auto& component : path)
            if (component == ".." || component == ".")
                std::abort();
    }
    return 0;
}
