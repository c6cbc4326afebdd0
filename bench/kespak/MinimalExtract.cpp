// The baseline of the extraction benchmark: the least an extractor must do.
// Reads the directory of ARCHIVE and copies every entry into FOLDER with
// copy_file_range, with none of kespak's checks, temporary names or
// progress. Assumes a little-endian machine and a well-formed archive.
// Usage: kespak_minimal_extract ARCHIVE FOLDER
#include <cstdint>
#include <cstring>
#include <filesystem>
#include <string>
#include <vector>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

int main(int argc, char** argv)
{
    if (argc != 3)
        return 2;
    const int in = ::open(argv[1], O_RDONLY);
    struct stat status;
    std::uint32_t directoryOffset = 0;
    if (in < 0 || ::fstat(in, &status) != 0
        || ::pread(in, &directoryOffset, 4, status.st_size - 4) != 4)
        return 1;
    std::vector<char> directory(std::size_t(status.st_size - 4 - directoryOffset));
    if (::pread(in, directory.data(), directory.size(), directoryOffset) != ssize_t(directory.size()))
        return 1;
    for (std::size_t at = 0; at + 12 < directory.size();) {
        std::uint32_t fields[3];
        std::memcpy(fields, directory.data() + at, sizeof fields);
        const std::filesystem::path target = std::filesystem::path(argv[2]) / std::string(directory.data() + at + 12);
        std::filesystem::create_directories(target.parent_path());
        const int out = ::open(target.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
        loff_t position = fields[1];
        for (std::uint64_t left = fields[2]; left > 0;) {
            const ssize_t copied = ::copy_file_range(in, &position, out, nullptr, left, 0);
            if (copied <= 0)
                return 1;
            left -= std::uint64_t(copied);
        }
        ::close(out);
        at += fields[0];
    }
    return 0;
}
