#include "kespak/ByteCopier.h"

#include "kespak/FileHandle.h"

#include <algorithm>
#include <cerrno>

#include <unistd.h>

namespace kespak {

namespace {

// Large enough that a buffered chunk is one system call each way.
constexpr std::size_t kBufferSize = 1 << 20;
// The most one kernel copy call is asked for; the kernel may do less.
constexpr std::uint64_t kKernelChunk = 1ull << 30;

} // namespace

bool ByteCopier::copy(int from, std::uint64_t offset, int to, std::uint64_t count, Failure& failure)
{
    const std::uint64_t done = m_kernelCopy ? copyInKernel(from, offset, to, count) : 0;
    return copyBuffered(from, offset + done, to, count - done, failure);
}

// Returns how many bytes the kernel copied; the rest is left to the buffered copy.
std::uint64_t ByteCopier::copyInKernel(int from, std::uint64_t offset, int to, std::uint64_t count)
{
    std::uint64_t done = 0;
    while (done < count) {
        loff_t position = loff_t(offset + done);
        const ssize_t copied =
            ::copy_file_range(from, &position, to, nullptr, std::min(count - done, kKernelChunk), 0);
        if (copied < 0 && errno == EINTR)
            continue;
        if (copied < 0 && errno == ENOSYS)
            m_kernelCopy = false;
        if (copied <= 0)
            break;
        done += std::uint64_t(copied);
    }
    return done;
}

bool ByteCopier::copyBuffered(int from, std::uint64_t offset, int to, std::uint64_t count,
                              Failure& failure)
{
    if (count > 0 && m_buffer.empty())
        m_buffer.resize(kBufferSize);
    while (count > 0) {
        const ssize_t got =
            ::pread(from, m_buffer.data(), std::min<std::uint64_t>(count, m_buffer.size()), off_t(offset));
        if (got < 0 && errno == EINTR)
            continue;
        if (got <= 0) {
            failure = {Side::Read, got < 0 ? systemMessage(errno) : "it ends before the expected size"};
            return false;
        }
        if (!writeAll(to, m_buffer.data(), std::size_t(got), failure.reason)) {
            failure.side = Side::Write;
            return false;
        }
        offset += std::uint64_t(got);
        count -= std::uint64_t(got);
    }
    return true;
}

} // namespace kespak
