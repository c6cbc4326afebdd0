#include "kespak/DescriptorBuffer.h"

#include <cerrno>

#include <sys/stat.h>
#include <unistd.h>

namespace kespak {

namespace {

constexpr std::size_t kBufferSize = 64 * 1024;

} // namespace

void DescriptorBuffer::setDescriptor(int fd)
{
    m_fd = fd;
    m_buffer.resize(kBufferSize);
    seekpos(0, std::ios_base::in);
}

DescriptorBuffer::int_type DescriptorBuffer::underflow()
{
    if (gptr() < egptr())
        return traits_type::to_int_type(*gptr());
    m_start += std::uint64_t(egptr() - eback());
    ssize_t count;
    do
        count = ::pread(m_fd, m_buffer.data(), m_buffer.size(), off_t(m_start));
    while (count < 0 && errno == EINTR);
    if (count <= 0) {
        setg(m_buffer.data(), m_buffer.data(), m_buffer.data());
        return traits_type::eof();
    }
    setg(m_buffer.data(), m_buffer.data(), m_buffer.data() + count);
    return traits_type::to_int_type(*gptr());
}

DescriptorBuffer::pos_type DescriptorBuffer::seekoff(off_type offset, std::ios_base::seekdir direction,
                                                     std::ios_base::openmode which)
{
    off_type base = 0;
    if (direction == std::ios_base::cur) {
        base = off_type(m_start) + (gptr() - eback());
    } else if (direction == std::ios_base::end) {
        struct stat status;
        if (::fstat(m_fd, &status) != 0)
            return pos_type(off_type(-1));
        base = status.st_size;
    }
    return seekpos(pos_type(base + offset), which);
}

DescriptorBuffer::pos_type DescriptorBuffer::seekpos(pos_type position, std::ios_base::openmode which)
{
    if (!(which & std::ios_base::in) || off_type(position) < 0)
        return pos_type(off_type(-1));
    m_start = std::uint64_t(off_type(position));
    setg(m_buffer.data(), m_buffer.data(), m_buffer.data());
    return position;
}

} // namespace kespak
