// Fuzzes the archive checks and the directory reader with arbitrary bytes:
// no input may crash them, every entry they accept must name a path that
// stays below the extraction folder with no character that hides what it
// is, and no two accepted entries may share stored data.
#include "kespak/ArchiveLayout.h"
#include "kespak/DataOverlaps.h"
#include "kespak/DirectoryReader.h"
#include "kespak/EntryName.h"

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <sstream>
#include <string>
#include <utility>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    std::istringstream in(std::string(reinterpret_cast<const char*>(data), size));
    std::string error;
    const auto layout = kespak::ArchiveLayout::read(in, error);
    if (!layout)
        return 0;
    using Status = kespak::DirectoryReader::Status;
    kespak::DataOverlaps overlaps;
    kespak::DirectoryReader survey(in, *layout);
    for (Status status = survey.next(); status != Status::End; status = survey.next()) {
        if (status == Status::Entry)
            overlaps.add(survey.index(), survey.entry().offset, survey.entry().size);
    }
    overlaps.resolve();

    std::vector<std::pair<std::uint64_t, std::uint64_t>> spans;
    kespak::DirectoryReader reader(in, *layout, &overlaps);
    for (Status status = reader.next(); status != Status::End; status = reader.next()) {
        if (status != Status::Entry)
            continue;
        const auto& entry = reader.entry();
        if (std::uint64_t(entry.offset) + entry.size > layout->directoryBegin)
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
