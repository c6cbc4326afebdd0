#include "kespak/Extractor.h"

#include "kespak/EntryName.h"
#include "kespak/ExitCode.h"
#include "kespak/ReplacingFile.h"
#include "kespak/Streams.h"

#include <ostream>

namespace kespak {

Extractor::Extractor(std::ostream& out, std::ostream& err)
    : m_out(out)
    , m_err(err)
{
}

int Extractor::run(const std::filesystem::path& archive)
{
    std::error_code code;
    m_archivePath = std::filesystem::absolute(archive, code).lexically_normal();
    std::string error = code ? code.message() : std::string();
    if (code || !m_archive.open(m_archivePath, error)) {
        m_err << "kespak: " << EntryName::display(archive) << ": " << error
              << "; nothing was extracted\n";
        return Failure;
    }

    const std::uint64_t total = m_archive.countEntries();
    std::uint64_t extracted = 0;
    std::uint64_t bytes = 0;
    DirectoryReader reader = m_archive.directory();
    for (auto status = reader.next(); status != DirectoryReader::Status::End; status = reader.next()) {
        if (status != DirectoryReader::Status::Entry) {
            ArchiveFile::reportProblem(reader, status, m_err);
            continue;
        }
        const DirectoryEntry& entry = reader.entry();
        if (!extract(entry, error)) {
            m_err << "kespak: cannot extract \"" << EntryName::display(entry.name) << "\": " << error
                  << '\n';
            continue;
        }
        ++extracted;
        bytes += entry.size;
        m_out << '[' << reader.index() << '/' << total << "] " << EntryName::display(entry.name)
              << " (" << entry.size << " bytes, " << bytes << " so far)\n";
    }

    m_out << "Extracted " << extracted << " of " << total << " entries (" << bytes << " bytes) into "
          << EntryName::display(m_archivePath.parent_path()) << ".\n";
    m_out.flush();
    if (extracted == total)
        return Success;
    m_err << "kespak: " << total - extracted << " of " << total << " entries were not extracted\n";
    return EntriesRefused;
}

bool Extractor::extract(const DirectoryEntry& entry, std::string& error)
{
    const auto target = m_archivePath.parent_path() / EntryName::toRelativePath(entry.name);
    if (target == m_archivePath) {
        error = "it would replace the archive being read";
        return false;
    }
    if (!makeFolder(target.parent_path(), error))
        return false;

    ReplacingFile file(target);
    if (!file.open(error))
        return false;
    std::istream& data = m_archive.data();
    data.clear();
    data.seekg(std::streamoff(entry.offset));
    if (copyBytes(data, file.stream(), entry.size, m_buffer) != entry.size) {
        error = "its data could not be read or written";
        return false;
    }
    return file.commit(error);
}

// Creates the folder of an entry. Entries of one folder usually follow each
// other, so the folder made last is remembered and not checked again.
bool Extractor::makeFolder(const std::filesystem::path& folder, std::string& error)
{
    if (folder == m_lastFolder)
        return true;
    std::error_code code;
    std::filesystem::create_directories(folder, code);
    if (code) {
        error = "cannot create the folder " + EntryName::display(folder) + ": " + code.message();
        return false;
    }
    m_lastFolder = folder;
    return true;
}

} // namespace kespak
