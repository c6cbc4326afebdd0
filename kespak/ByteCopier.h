#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace kespak {

// Copies a range of one open file to the current position of another: in the
// kernel (copy_file_range) where the system allows it, so the bytes never
// pass through this process, and otherwise through one buffer reused for
// every copy. A kernel copy that is refused (another file system, no
// support) or fails part way is finished by the buffered copy, which also
// tells which side failed.
class ByteCopier
{
public:
    enum class Side { Read, Write };
    struct Failure
    {
        Side side = Side::Read;
        std::string reason;
    };

    // Copies `count` bytes from `offset` of `from` to `to`.
    bool copy(int from, std::uint64_t offset, int to, std::uint64_t count, Failure& failure);

private:
    std::uint64_t copyInKernel(int from, std::uint64_t offset, int to, std::uint64_t count);
    bool copyBuffered(int from, std::uint64_t offset, int to, std::uint64_t count, Failure& failure);

    bool m_kernelCopy = true;
    std::vector<char> m_buffer;
};

} // namespace kespak
