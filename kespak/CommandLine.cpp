#include "kespak/CommandLine.h"

#include "kespak/ExitCode.h"
#include "kespak/Extractor.h"
#include "kespak/Lister.h"
#include "kespak/Packer.h"

#include <ostream>

namespace kespak {

CommandLine::CommandLine(std::ostream& out, std::ostream& err)
    : m_out(out)
    , m_err(err)
{
}

int CommandLine::run(const std::vector<std::filesystem::path>& arguments)
{
    const std::size_t count = arguments.size();
    if (count >= 3 && arguments[0] == "kes") {
        const std::filesystem::path& option = arguments[1];
        if (option == "-i" && count == 3)
            return Extractor(m_out, m_err).run(arguments[2]);
        if (option == "-l" && count == 3)
            return Lister(m_out, m_err).run(arguments[2]);
        if (option == "-c" && count == 4)
            return Packer(m_out, m_err).run(arguments[2], arguments[3]);
    }
    m_err << usage();
    return Usage;
}

std::string CommandLine::usage()
{
    return "Usage: kespak kes -i ARCHIVE          extract ARCHIVE into the folder that holds it\n"
           "       kespak kes -l ARCHIVE          list the entries of ARCHIVE and their sizes\n"
           "       kespak kes -c ARCHIVE FOLDER   pack every file below FOLDER into a new ARCHIVE;\n"
           "                                      names start with FOLDER's own name (data/...)\n"
           "Exit status: 0 done; 1 failed, or not an archive (nothing was written);\n"
           "             2 wrong arguments; 3 some entries were refused or not extracted.\n";
}

} // namespace kespak
