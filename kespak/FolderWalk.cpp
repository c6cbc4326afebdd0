#include "kespak/FolderWalk.h"

#include "kespak/EntryName.h"

#include <cerrno>

#include <fcntl.h>
#include <unistd.h>

namespace kespak {

namespace {

// Why `name` in `parent` could not be opened as a folder.
std::string folderProblem(int parent, const std::string& name, const std::filesystem::path& shown,
                          int error)
{
    struct stat status;
    const bool exists = ::fstatat(parent, name.c_str(), &status, AT_SYMLINK_NOFOLLOW) == 0;
    const std::string folder = "the folder \"" + EntryName::display(shown) + "\"";
    if (exists && S_ISLNK(status.st_mode))
        return folder + " on its way is a link; links to folders are never followed";
    if (exists && !S_ISDIR(status.st_mode))
        return folder + " on its way is not a folder";
    return "cannot reach " + folder + ": " + systemMessage(error);
}

} // namespace

FolderWalk::FolderWalk(Missing missing)
    : m_missing(missing)
{
}

bool FolderWalk::openRoot(const std::filesystem::path& root, std::string& error)
{
    m_root.reset(::open(root.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (!m_root.isValid())
        error = "cannot open the folder " + EntryName::display(root) + ": " + systemMessage(errno);
    return m_root.isValid();
}

int FolderWalk::open(const std::filesystem::path& relative, std::string& error)
{
    if (relative.empty())
        return m_root.get();
    if (m_last.isValid() && relative == m_lastPath)
        return m_last.get();
    m_last.reset();
    FileHandle current;
    std::filesystem::path walked;
    for (const std::filesystem::path& component : relative) {
        const int parent = current.isValid() ? current.get() : m_root.get();
        const std::string name = component.native();
        walked /= component;
        if (m_missing == Missing::Create && ::mkdirat(parent, name.c_str(), 0777) != 0 && errno != EEXIST) {
            error = folderProblem(parent, name, walked, errno);
            return -1;
        }
        FileHandle next(::openat(parent, name.c_str(), O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC));
        if (!next.isValid()) {
            error = folderProblem(parent, name, walked, errno);
            return -1;
        }
        current = std::move(next);
    }
    m_last = std::move(current);
    m_lastPath = relative;
    return m_last.get();
}

} // namespace kespak
