#include "kespak/Extractor.h"

#include "kespak/EntryName.h"
#include "kespak/ExitCode.h"
#include "kespak/ReplacingFile.h"

#include <fcntl.h>

#include <ostream>

namespace kespak {

namespace {

std::string copyProblem(const ByteCopier::Failure& failure)
{
    return (failure.side == ByteCopier::Side::Read ? "cannot read the archive: " : "cannot write it: ")
           + failure.reason;
}

} // namespace

Extractor::Extractor(std::ostream& out, std::ostream& err, bool records)
    : m_err(err)
    , m_report(out, err, records)
{
}

int Extractor::run(const std::filesystem::path& archive)
{
    std::error_code code;
    const std::filesystem::path path = std::filesystem::absolute(archive, code).lexically_normal();
    std::string error = code ? code.message() : std::string();
    if (code || !m_archive.open(path, error) || !m_folders.openRoot(path.parent_path(), error)) {
        m_err << "kespak: " << EntryName::display(archive) << ": " << error
              << "; nothing was extracted\n";
        return Failure;
    }

    removeLeftoversOnce(m_folders.root());
    m_report.started(m_archive.entryCount(), m_archive.acceptedBytes());
    std::uint64_t written = 0;
    DirectoryReader reader = m_archive.directory();
    for (auto status = reader.next(); status != DirectoryReader::Status::End; status = reader.next()) {
        if (status != DirectoryReader::Status::Entry) {
            m_report.refused(reader, status);
            continue;
        }
        const DirectoryEntry& entry = reader.entry();
        m_report.writing(reader.index(), entry);
        if (!extract(entry, error)) {
            m_report.failed(reader.index(), entry.name, error);
            continue;
        }
        ++written;
        m_report.written(reader.index(), entry);
    }
    m_report.finished(written, path.parent_path());
    return written == m_archive.entryCount() ? Success : EntriesRefused;
}

bool Extractor::extract(const DirectoryEntry& entry, std::string& error)
{
    const std::filesystem::path relative = EntryName::toRelativePath(entry.name);
    const int folder = m_folders.open(relative.parent_path(), error);
    if (folder < 0)
        return false;
    if (m_lastFolder != relative.parent_path()) {
        m_lastFolder = relative.parent_path();
        removeLeftoversOnce(folder);
    }

    const std::string name = relative.filename().native();
    struct stat status;
    if (::fstatat(folder, name.c_str(), &status, AT_SYMLINK_NOFOLLOW) == 0
        && FileIdentity::of(status) == m_archive.identity()) {
        error = "it would replace the archive being read";
        return false;
    }
    ReplacingFile file(folder, name);
    if (!file.open(error))
        return false;
    ByteCopier::Failure failure;
    if (!m_copier.copy(m_archive.data(), entry.offset, file.fd(), entry.size, failure)) {
        error = copyProblem(failure);
        return false;
    }
    return file.commit(error);
}

// Clears a folder of the leftovers of killed runs once a run, under
// whatever path it is reached.
void Extractor::removeLeftoversOnce(int folder)
{
    struct stat status;
    if (::fstat(folder, &status) == 0 && m_cleared.emplace(status.st_dev, status.st_ino).second)
        ReplacingFile::removeLeftovers(folder);
}

} // namespace kespak
