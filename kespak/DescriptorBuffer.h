#pragma once

#include <cstdint>
#include <streambuf>
#include <vector>

namespace kespak {

// A read-only stream buffer over an open file descriptor, read with pread
// from a position of its own. The archive's directory is read through it
// from the very file that was checked, never by opening its path again.
class DescriptorBuffer : public std::streambuf
{
public:
    // `fd` must stay open while the buffer is used.
    void setDescriptor(int fd);

protected:
    int_type underflow() override;
    pos_type seekoff(off_type offset, std::ios_base::seekdir direction, std::ios_base::openmode which) override;
    pos_type seekpos(pos_type position, std::ios_base::openmode which) override;

private:
    int m_fd = -1;
    // The file offset of the first byte in the buffer.
    std::uint64_t m_start = 0;
    std::vector<char> m_buffer;
};

} // namespace kespak
