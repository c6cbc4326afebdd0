#include "kespak/FileHandle.h"

#include <cerrno>
#include <system_error>

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

} // namespace kespak
