#include "kespak/CommandLine.h"

#include "kespak/ExitCode.h"
#include "kespak/Extractor.h"
#include "kespak/Lister.h"
#include "kespak/Packer.h"

#include <ostream>
#include <span>

namespace kespak {

CommandLine::CommandLine(std::ostream& out, std::ostream& err)
    : m_out(out)
    , m_err(err)
{
}

int CommandLine::run(const std::vector<std::filesystem::path>& arguments)
{
    std::span<const std::filesystem::path> rest(arguments);
    if (rest.size() == 1 && (rest[0] == "--help" || rest[0] == "--version")) {
        m_out << (rest[0] == "--help" ? usage() : version());
        return Success;
    }
    const bool progress = !rest.empty() && rest[0] == "--progress";
    if (progress)
        rest = rest.subspan(1);
    const std::size_t count = rest.size();
    if (count >= 3 && rest[0] == "kes") {
        const std::filesystem::path& option = rest[1];
        if (option == "-i" && count == 3)
            return Extractor(m_out, m_err, progress).run(rest[2]);
        if (option == "-l" && count == 3 && !progress)
            return Lister(m_out, m_err).run(rest[2]);
        if (option == "-c" && count == 4 && !progress)
            return Packer(m_out, m_err).run(rest[2], rest[3]);
    }
    m_err << usage();
    return Usage;
}

std::string CommandLine::usage()
{
    return "Usage: kespak kes -i ARCHIVE          extract ARCHIVE into the folder that holds it\n"
           "       kespak --progress kes -i ARCHIVE\n"
           "                                      the same, reporting progress as records for a program\n"
           "       kespak kes -l ARCHIVE          list the entries of ARCHIVE and their sizes\n"
           "       kespak kes -c ARCHIVE FOLDER   pack every file below FOLDER into a new ARCHIVE;\n"
           "                                      names start with FOLDER's own name (data/...)\n"
           "       kespak --help | --version\n"
           "Nothing is written outside the archive's folder or through a link, and\n"
           "nothing outside FOLDER is packed; refused entries are named with the reason.\n"
           "Exit status: 0 done; 1 failed, or not an archive (nothing was written);\n"
           "             2 wrong arguments; 3 some entries were refused or not extracted.\n"
           "See kespak(1).\n";
}

std::string CommandLine::version()
{
    return "kespak " KESPAK_VERSION "\n";
}

} // namespace kespak
