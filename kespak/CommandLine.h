#pragma once

#include <filesystem>
#include <iosfwd>
#include <string>
#include <vector>

namespace kespak {

// Reads kespak's arguments (those after the program name) and runs the
// command they name: `kes -i ARCHIVE`, `kes -l ARCHIVE` or
// `kes -c ARCHIVE FOLDER`, extraction optionally after `--progress`; or
// `--help` and `--version`. Anything else prints the usage text.
class CommandLine
{
public:
    CommandLine(std::ostream& out, std::ostream& err);

    // Returns the exit code.
    int run(const std::vector<std::filesystem::path>& arguments);

    static std::string usage();
    static std::string version();

private:
    std::ostream& m_out;
    std::ostream& m_err;
};

} // namespace kespak
