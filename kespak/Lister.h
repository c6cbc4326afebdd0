#pragma once

#include <filesystem>
#include <iosfwd>

namespace kespak {

// Lists the entries of an archive with their sizes on `out`; refused entries
// go to `err`. Returns the exit code.
class Lister
{
public:
    Lister(std::ostream& out, std::ostream& err);
    int run(const std::filesystem::path& archive);

private:
    std::ostream& m_out;
    std::ostream& m_err;
};

} // namespace kespak
