// Fuzzes opening an archive file of arbitrary bytes and reading its directory:
// no input may crash them; an accepted entry names a path below the extraction
// folder with no character that hides what it is, and its data lies within the
// stored data, shared with no other accepted entry.
#include "kespak/ArchiveFile.h"
#include "kespak/EntryName.h"

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <utility>
#include <vector>

#include <sys/mman.h>
#include <unistd.h>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    // The bytes become a file of their own, opened by its name as any archive is.
    const kespak::FileHandle bytes(::memfd_create("archive", MFD_CLOEXEC));
    if (!bytes.isValid() || ::write(bytes.get(), data, size) != ssize_t(size))
        std::abort();
    kespak::ArchiveFile archive;
    std::string error;
    if (!archive.open("/proc/self/fd/" + std::to_string(bytes.get()), error))
        return 0;
    // The stored data ends where the directory begins: at the offset in the last four bytes.
    const std::uint64_t directoryBegin = data[size - 4] | data[size - 3] << 8 | data[size - 2] << 16
                                         | std::uint64_t(data[size - 1]) << 24;

    std::vector<std::pair<std::uint64_t, std::uint64_t>> spans;
    kespak::DirectoryReader reader = archive.directory();
    for (auto status = reader.next(); status != kespak::DirectoryReader::Status::End; status = reader.next()) {
        if (status != kespak::DirectoryReader::Status::Entry)
            continue;
        const auto& entry = reader.entry();
        if (entry.offset < 8 || std::uint64_t(entry.offset) + entry.size > directoryBegin)
            std::abort();
        if (entry.size > 0)
            spans.emplace_back(entry.offset, std::uint64_t(entry.offset) + entry.size);
        // An accepted name holds nothing that printing it would have to escape.
        if (kespak::EntryName::display(entry.name) != entry.name)
            std::abort();
        const std::filesystem::path path = kespak::EntryName::toRelativePath(entry.name);
        if (path.empty() || path.is_absolute() || path.has_root_name() || !path.has_filename())
            std::abort();
        for (const auto& component : path)
            if (component == ".." || component == ".")
                std::abort();
    }
    std::sort(spans.begin(), spans.end());
    for (std::size_t i = 1; i < spans.size(); ++i)
        if (spans[i].first < spans[i - 1].second)
            std::abort();
    return 0;
}
