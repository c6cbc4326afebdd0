#include "kespak/FileHandle.h"

#include <cerrno>
#include <string_view>
#include <system_error>

#include <dirent.h>
#include <unistd.h>

namespace kespak {

FileHandle& FileHandle::operator=(FileHandle&& other) noexcept
{
    if (this != &other) {
        reset(other.m_fd);
        other.m_fd = -1;
    }
    return *this;
}

void FileHandle::reset(int fd)
{
    if (m_fd >= 0)
        ::close(m_fd);
    m_fd = fd;
}

std::string systemMessage(int error)
{
    return std::generic_category().message(error);
}

bool writeAll(int fd, const char* data, std::size_t size, std::string& error)
{
    while (size > 0) {
        const ssize_t written = ::write(fd, data, size);
        if (written < 0) {
            if (errno == EINTR)
                continue;
            error = systemMessage(errno);
            return false;
        }
        data += written;
        size -= std::size_t(written);
    }
    return true;
}

std::string notAFile(mode_t mode)
{
    if (S_ISFIFO(mode))
        return "it is a FIFO, not a file";
    if (S_ISSOCK(mode))
        return "it is a socket, not a file";
    if (S_ISCHR(mode) || S_ISBLK(mode))
        return "it is a device, not a file";
    if (S_ISDIR(mode))
        return "it is a folder, not a file";
    return "it is not a regular file";
}

bool listFolder(int folder, std::vector<std::string>& names)
{
    const int listing = ::dup(folder);
    DIR* dir = listing < 0 ? nullptr : ::fdopendir(listing);
    if (!dir) {
        const int error = errno;
        if (listing >= 0)
            ::close(listing);
        errno = error;
        return false;
    }
    // The copy shares its position with `folder`, which may have been listed before.
    ::rewinddir(dir);
    errno = 0;
    while (const dirent* entry = ::readdir(dir)) {
        const std::string_view name = entry->d_name;
        if (name != "." && name != "..")
            names.emplace_back(name);
    }
    const int error = errno;
    ::closedir(dir);
    errno = error;
    return error == 0;
}

} // namespace kespak
