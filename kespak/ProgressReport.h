#pragma once

#include "kespak/DirectoryReader.h"

#include <cstdint>
#include <filesystem>
#include <iosfwd>
#include <string>

namespace kespak {

// What an extraction tells while it runs: lines for a person (progress on
// `out`, refusals on `err`), or, for a program that shows them, one
// tab-separated record a line on `out`:
//   start    ENTRIES  BYTES
//   entry    INDEX    SIZE  NAME       (before the entry is written)
//   refused  INDEX    NAME  REASON
//   done     WRITTEN  ENTRIES  BYTES
// Names are escaped for display, so they hold no tab or line break.
class ProgressReport
{
public:
    ProgressReport(std::ostream& out, std::ostream& err, bool records);

    void started(std::uint64_t entries, std::uint64_t bytes);
    void writing(std::uint64_t index, const DirectoryEntry& entry);
    void written(std::uint64_t index, const DirectoryEntry& entry);
    // An entry the directory refuses, or the point where it breaks.
    void refused(const DirectoryReader& reader, DirectoryReader::Status status);
    // An acceptable entry that could not be written.
    void failed(std::uint64_t index, const std::string& name, const std::string& reason);
    void finished(std::uint64_t written, const std::filesystem::path& folder);

private:
    std::ostream& m_out;
    std::ostream& m_err;
    bool m_records;
    std::uint64_t m_entries = 0;
    std::uint64_t m_bytes = 0;
};

} // namespace kespak
