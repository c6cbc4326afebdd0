#include "kespak/ReplacingFile.h"

#include "kespak/EntryName.h"

#include <cstdio>
#include <random>
#include <system_error>

namespace kespak {

namespace {

constexpr char kTemporaryPrefix[] = ".kespak-";
constexpr char kTemporarySuffix[] = ".part";

// A name no other writer will pick: the destination's own name could be
// near the length limit, so it is not repeated here.
std::filesystem::path temporaryName()
{
    static std::mt19937_64 generator{std::random_device{}()};
    char name[40];
    std::snprintf(name, sizeof name, "%s%016llx%s", kTemporaryPrefix,
                  static_cast<unsigned long long>(generator()), kTemporarySuffix);
    return name;
}

} // namespace

ReplacingFile::ReplacingFile(std::filesystem::path destination)
    : m_destination(std::move(destination))
    , m_temporary(m_destination.parent_path() / temporaryName())
{
}

ReplacingFile::~ReplacingFile()
{
    discard();
}

bool ReplacingFile::open(std::string& error)
{
    m_stream.open(m_temporary, std::ios::binary | std::ios::trunc);
    if (!m_stream) {
        error = "cannot create a file in " + EntryName::display(m_temporary.parent_path());
        m_temporary.clear();
        return false;
    }
    return true;
}

bool ReplacingFile::commit(std::string& error)
{
    m_stream.close();
    if (m_stream.fail()) {
        error = "writing failed";
        discard();
        return false;
    }
    std::error_code code;
    std::filesystem::rename(m_temporary, m_destination, code);
    if (code) {
        error = code.message();
        discard();
        return false;
    }
    m_temporary.clear();
    return true;
}

bool ReplacingFile::isTemporaryName(const std::filesystem::path& name)
{
    const std::u8string bytes = name.filename().u8string();
    const std::string text(bytes.begin(), bytes.end());
    const std::string prefix = kTemporaryPrefix;
    const std::string suffix = kTemporarySuffix;
    return text.size() > prefix.size() + suffix.size() && text.starts_with(prefix)
           && text.ends_with(suffix);
}

void ReplacingFile::discard()
{
    if (m_temporary.empty())
        return;
    if (m_stream.is_open())
        m_stream.close();
    std::error_code ignored;
    std::filesystem::remove(m_temporary, ignored);
    m_temporary.clear();
}

} // namespace kespak
