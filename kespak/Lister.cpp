#include "kespak/Lister.h"

#include "kespak/ArchiveFile.h"
#include "kespak/EntryName.h"
#include "kespak/ExitCode.h"

#include <iomanip>
#include <ostream>

namespace kespak {

Lister::Lister(std::ostream& out, std::ostream& err)
    : m_out(out)
    , m_err(err)
{
}

int Lister::run(const std::filesystem::path& archive)
{
    ArchiveFile file;
    std::string error;
    if (!file.open(archive, error)) {
        m_err << "kespak: " << EntryName::display(archive) << ": " << error << '\n';
        return Failure;
    }
    std::uint64_t listed = 0;
    std::uint64_t bytes = 0;
    bool refused = false;
    DirectoryReader reader = file.directory();
    for (auto status = reader.next(); status != DirectoryReader::Status::End; status = reader.next()) {
        if (status != DirectoryReader::Status::Entry) {
            ArchiveFile::reportProblem(reader, status, m_err);
            refused = true;
            continue;
        }
        ++listed;
        bytes += reader.entry().size;
        m_out << std::setw(12) << reader.entry().size << "  " << EntryName::display(reader.entry().name)
              << '\n';
    }
    m_out << listed << " entries, " << bytes << " bytes\n";
    m_out.flush();
    return refused ? EntriesRefused : Success;
}

} // namespace kespak
