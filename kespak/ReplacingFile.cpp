#include "kespak/ReplacingFile.h"

#include <cerrno>
#include <cstdio>
#include <random>
#include <string_view>
#include <vector>

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

namespace kespak {

namespace {

constexpr std::string_view kPrefix = ".kespak-";
constexpr std::string_view kSuffix = ".part";
constexpr std::size_t kDigits = 24;

// A check number derived from the random part. A name must carry the right
// one to be taken for ours, so a user's file that merely looks similar is
// never removed.
std::uint32_t checkOf(std::uint64_t random)
{
    std::uint64_t x = random ^ 0x6b65737061726b21ull;
    x = (x ^ (x >> 30)) * 0xbf58476d1ce4e5b9ull;
    x = (x ^ (x >> 27)) * 0x94d049bb133111ebull;
    return std::uint32_t(x ^ (x >> 31));
}

std::string temporaryName()
{
    static std::mt19937_64 generator{std::random_device{}()};
    const std::uint64_t random = generator();
    char digits[kDigits + 1];
    std::snprintf(digits, sizeof digits, "%016llx%08x", static_cast<unsigned long long>(random),
                  unsigned(checkOf(random)));
    return std::string(kPrefix) + digits + std::string(kSuffix);
}

bool isTemporaryName(std::string_view name)
{
    if (name.size() != kPrefix.size() + kDigits + kSuffix.size() || !name.starts_with(kPrefix)
        || !name.ends_with(kSuffix))
        return false;
    const std::string digits(name.substr(kPrefix.size(), kDigits));
    if (digits.find_first_not_of("0123456789abcdef") != std::string::npos)
        return false;
    const std::uint64_t random = std::stoull(digits.substr(0, 16), nullptr, 16);
    return checkOf(random) == std::stoul(digits.substr(16), nullptr, 16);
}

} // namespace

ReplacingFile::ReplacingFile(int folder, std::string name)
    : m_folder(folder)
    , m_name(std::move(name))
{
}

ReplacingFile::~ReplacingFile()
{
    discard();
}

bool ReplacingFile::open(std::string& error)
{
    // A name taken already (a copy of this process made by fork draws the
    // same numbers) is passed over for the next one.
    for (int attempt = 0; attempt < 8 && !m_file.isValid(); ++attempt) {
        m_temporary = temporaryName();
        m_file.reset(::openat(m_folder, m_temporary.c_str(),
                              O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0666));
        if (!m_file.isValid() && errno != EEXIST)
            break;
    }
    if (!m_file.isValid()) {
        error = "cannot create a temporary file in its folder: " + systemMessage(errno);
        m_temporary.clear();
        return false;
    }
    ::flock(m_file.get(), LOCK_EX);
    return true;
}

bool ReplacingFile::commit(std::string& error)
{
    // The rename happens while the lock is held, so no other run takes the
    // file for a leftover in between.
    if (::renameat(m_folder, m_temporary.c_str(), m_folder, m_name.c_str()) != 0) {
        error = "cannot put it in place: " + systemMessage(errno);
        discard();
        return false;
    }
    m_temporary.clear();
    m_file.reset();
    return true;
}

void ReplacingFile::discard()
{
    if (m_temporary.empty())
        return;
    ::unlinkat(m_folder, m_temporary.c_str(), 0);
    m_temporary.clear();
    m_file.reset();
}

void ReplacingFile::removeLeftovers(int folder)
{
    std::vector<std::string> names;
    listFolder(folder, names);
    for (const std::string& name : names) {
        if (!isTemporaryName(name))
            continue;
        const FileHandle file(::openat(folder, name.c_str(), O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC));
        struct stat status;
        if (file.isValid() && ::fstat(file.get(), &status) == 0 && S_ISREG(status.st_mode)
            && ::flock(file.get(), LOCK_EX | LOCK_NB) == 0)
            ::unlinkat(folder, name.c_str(), 0);
    }
}

} // namespace kespak
