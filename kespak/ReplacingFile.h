#pragma once

#include "kespak/FileHandle.h"

#include <string>

namespace kespak {

// Writes a file under a temporary name in an open folder and renames it into
// place only when complete, so an interrupted or failed write never leaves a
// partial file under the real name; an existing file is replaced in one step.
// The temporary file is removed unless committed, and it stays locked while
// written, so that a later run can tell the leftover of a killed run (its
// name is one of ours and nobody holds it) from a file still being written.
class ReplacingFile
{
public:
    // `folder` must stay open while this object lives.
    ReplacingFile(int folder, std::string name);
    ~ReplacingFile();
    ReplacingFile(const ReplacingFile&) = delete;
    ReplacingFile& operator=(const ReplacingFile&) = delete;

    bool open(std::string& error);
    int fd() const { return m_file.get(); }
    // Moves the written file to its name.
    bool commit(std::string& error);

    // Removes, from `folder`, the temporary files that runs killed while
    // writing left behind: names made by this class that no running
    // writer holds. Files of the user's are never recognised as ours.
    static void removeLeftovers(int folder);

private:
    void discard();

    int m_folder;
    std::string m_name;
    std::string m_temporary;
    FileHandle m_file;
};

} // namespace kespak
