#include "kespak/ProgressReport.h"

#include "kespak/ArchiveFile.h"
#include "kespak/EntryName.h"

#include <ostream>

namespace kespak {

ProgressReport::ProgressReport(std::ostream& out, std::ostream& err, bool records)
    : m_out(out)
    , m_err(err)
    , m_records(records)
{
}

void ProgressReport::started(std::uint64_t entries, std::uint64_t bytes)
{
    m_entries = entries;
    if (m_records)
        m_out << "start\t" << entries << '\t' << bytes << std::endl;
}

void ProgressReport::writing(std::uint64_t index, const DirectoryEntry& entry)
{
    if (m_records)
        m_out << "entry\t" << index << '\t' << entry.size << '\t' << EntryName::display(entry.name) << std::endl;
}

void ProgressReport::written(std::uint64_t index, const DirectoryEntry& entry)
{
    m_bytes += entry.size;
    if (!m_records) {
        m_out << '[' << index << '/' << m_entries << "] " << EntryName::display(entry.name) << " ("
              << entry.size << " bytes, " << m_bytes << " so far)\n";
    }
}

void ProgressReport::refused(const DirectoryReader& reader, DirectoryReader::Status status)
{
    if (!m_records) {
        ArchiveFile::reportProblem(reader, status, m_err);
        return;
    }
    std::string reason = reader.problem();
    if (status == DirectoryReader::Status::Broken)
        reason += "; the entries after it cannot be read";
    m_out << "refused\t" << reader.index() << '\t' << EntryName::display(reader.entry().name) << '\t'
          << reason << std::endl;
}

void ProgressReport::failed(std::uint64_t index, const std::string& name, const std::string& reason)
{
    if (m_records)
        m_out << "refused\t" << index << '\t' << EntryName::display(name) << '\t' << reason << std::endl;
    else
        m_err << "kespak: cannot extract \"" << EntryName::display(name) << "\": " << reason << '\n';
}

void ProgressReport::finished(std::uint64_t written, const std::filesystem::path& folder)
{
    if (m_records) {
        m_out << "done\t" << written << '\t' << m_entries << '\t' << m_bytes << std::endl;
        return;
    }
    m_out << "Extracted " << written << " of " << m_entries << " entries (" << m_bytes << " bytes) into "
          << EntryName::display(folder) << ".\n";
    m_out.flush();
    if (written != m_entries)
        m_err << "kespak: " << m_entries - written << " of " << m_entries << " entries were not extracted\n";
}

} // namespace kespak
