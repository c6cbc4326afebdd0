#pragma once

#include <filesystem>
#include <fstream>
#include <string>

namespace kespak {

// Writes a file under a temporary name beside its destination and renames it
// into place only when complete, so an interrupted or failed write never
// leaves a partial file under the real name; an existing file is replaced in
// one step. The temporary file is removed unless committed.
class ReplacingFile
{
public:
    explicit ReplacingFile(std::filesystem::path destination);
    ~ReplacingFile();
    ReplacingFile(const ReplacingFile&) = delete;
    ReplacingFile& operator=(const ReplacingFile&) = delete;

    bool open(std::string& error);
    std::ostream& stream() { return m_stream; }
    // Closes the file and moves it to the destination.
    bool commit(std::string& error);

    // Whether `name` is one of the temporary names, left behind by a run that
    // was interrupted.
    static bool isTemporaryName(const std::filesystem::path& name);

private:
    void discard();

    std::filesystem::path m_destination;
    std::filesystem::path m_temporary;
    std::ofstream m_stream;
};

} // namespace kespak
