#pragma once

#include <cstddef>
#include <string>
#include <vector>

#include <sys/stat.h>

namespace kespak {

// Owns one open file descriptor and closes it when dropped.
class FileHandle
{
public:
    FileHandle() = default;
    explicit FileHandle(int fd)
        : m_fd(fd)
    {
    }
    ~FileHandle() { reset(); }
    FileHandle(FileHandle&& other) noexcept
        : m_fd(other.m_fd)
    {
        other.m_fd = -1;
    }
    FileHandle& operator=(FileHandle&& other) noexcept;
    FileHandle(const FileHandle&) = delete;
    FileHandle& operator=(const FileHandle&) = delete;

    int get() const { return m_fd; }
    bool isValid() const { return m_fd >= 0; }
    void reset(int fd = -1);

private:
    int m_fd = -1;
};

// Which file on disk a name stands for, whatever path spelled it.
struct FileIdentity
{
    dev_t device = 0;
    ino_t inode = 0;

    static FileIdentity of(const struct stat& status) { return {status.st_dev, status.st_ino}; }
    bool operator==(const FileIdentity&) const = default;
};

// The system's wording for an error number ("No space left on device").
std::string systemMessage(int error);

// Writes all of `data`, retrying short writes; on failure `error` holds the system's reason.
bool writeAll(int fd, const char* data, std::size_t size, std::string& error);

// What a file of `mode` is when it is not a regular file ("it is a FIFO, not a file").
std::string notAFile(mode_t mode);

// The names in the open folder `folder`, without "." and ".."; false, with
// errno set, when it cannot be read.
bool listFolder(int folder, std::vector<std::string>& names);

} // namespace kespak
