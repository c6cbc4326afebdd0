#include "kespak/EntryName.h"

#include <cstdio>

namespace kespak::EntryName {

namespace {

bool isSeparator(char c)
{
    return c == '/' || c == '\\';
}

// C0 and C1 control characters and DEL, which a terminal may act on.
bool isControl(char32_t c)
{
    return c < 0x20 || (c >= 0x7f && c <= 0x9f);
}

// The length of the well-formed UTF-8 sequence starting at `i` (whose first
// byte is not ASCII), with its code point; 0 when there is none.
std::size_t utf8Sequence(const std::string& bytes, std::size_t i, char32_t& codePoint)
{
    const auto lead = static_cast<unsigned char>(bytes[i]);
    const std::size_t length = lead >= 0xf0 && lead <= 0xf4 ? 4 : lead >= 0xe0 ? 3 : lead >= 0xc2 ? 2 : 0;
    if (length == 0 || i + length > bytes.size())
        return 0;
    codePoint = lead & (0x7f >> length);
    for (std::size_t k = 1; k < length; ++k) {
        const auto next = static_cast<unsigned char>(bytes[i + k]);
        if ((next & 0xc0) != 0x80)
            return 0;
        codePoint = codePoint << 6 | (next & 0x3f);
    }
    const char32_t smallest[] = {0, 0, 0x80, 0x800, 0x10000};
    if (codePoint < smallest[length] || codePoint > 0x10ffff || (codePoint >= 0xd800 && codePoint <= 0xdfff))
        return 0;
    return length;
}

// Calls `visit` with each component between separators, empty ones included.
template<typename Visit>
void forEachComponent(const std::string& name, Visit visit)
{
    std::size_t begin = 0;
    for (std::size_t i = 0; i <= name.size(); ++i) {
        if (i == name.size() || isSeparator(name[i])) {
            visit(name.substr(begin, i - begin));
            begin = i + 1;
        }
    }
}

} // namespace

std::string problem(const std::string& name)
{
    if (name.empty())
        return "the name is empty";
    if (name.size() > kMaxLength)
        return "the name is too long";
    if (isSeparator(name.front()))
        return "the name is an absolute path";
    if (name.size() >= 2 && name[1] == ':')
        return "the name has a drive prefix";
    if (name.find(':') != std::string::npos)
        return "the name contains ':'";
    for (const char c : name) {
        if (const auto byte = static_cast<unsigned char>(c); byte < 0x80 && isControl(byte))
            return "the name contains control characters";
    }
    bool parentComponent = false;
    std::string last;
    forEachComponent(name, [&](const std::string& component) {
        parentComponent = parentComponent || component == "..";
        last = component;
    });
    if (parentComponent)
        return "the name has a \"..\" component";
    if (last.empty() || last == ".")
        return "the name does not end in a file name";
    return {};
}

std::filesystem::path toRelativePath(const std::string& name)
{
    std::filesystem::path path;
    forEachComponent(name, [&](const std::string& component) {
        if (!component.empty() && component != ".")
            path /= std::u8string(component.begin(), component.end());
    });
    return path;
}

std::string fromRelativePath(const std::filesystem::path& relative)
{
    const std::u8string bytes = relative.generic_u8string();
    return std::string(bytes.begin(), bytes.end());
}

std::string display(const std::string& bytes)
{
    std::string shown;
    shown.reserve(bytes.size());
    const auto escape = [&](std::size_t begin, std::size_t count) {
        for (std::size_t i = begin; i < begin + count; ++i) {
            char escaped[5];
            std::snprintf(escaped, sizeof escaped, "\\x%02x", unsigned(static_cast<unsigned char>(bytes[i])));
            shown += escaped;
        }
    };
    for (std::size_t i = 0; i < bytes.size();) {
        const auto byte = static_cast<unsigned char>(bytes[i]);
        char32_t codePoint = byte;
        const std::size_t length = byte < 0x80 ? 1 : utf8Sequence(bytes, i, codePoint);
        if (length == 0) {
            // Not UTF-8 (an older code page): kept, unless a terminal would read it as C1.
            if (byte <= 0x9f)
                escape(i, 1);
            else
                shown += bytes[i];
            ++i;
            continue;
        }
        if (isControl(codePoint))
            escape(i, length);
        else
            shown.append(bytes, i, length);
        i += length;
    }
    return shown;
}

std::string display(const std::filesystem::path& path)
{
    const std::u8string bytes = path.u8string();
    return display(std::string(bytes.begin(), bytes.end()));
}

} // namespace kespak::EntryName
