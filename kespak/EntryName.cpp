#include "kespak/EntryName.h"

#include <cstdio>

namespace kespak::EntryName {

namespace {

bool isSeparator(char c)
{
    return c == '/' || c == '\\';
}

// What a character of a name could do when printed or shown, besides
// standing for itself.
enum class Hazard {
    None,
    // C0 and C1 control characters and DEL, which a terminal may act on.
    Control,
    // U+2028 and U+2029, which break the line.
    LineBreak,
    // The bidirectional controls, which reorder the text around them, so
    // that a name can read as something else ("txt.exe" as "exe.txt").
    Reordering,
};

Hazard hazardOf(char32_t c)
{
    if (c < 0x20 || (c >= 0x7f && c <= 0x9f))
        return Hazard::Control;
    if (c == 0x2028 || c == 0x2029)
        return Hazard::LineBreak;
    if (c == 0x061c || c == 0x200e || c == 0x200f || (c >= 0x202a && c <= 0x202e) || (c >= 0x2066 && c <= 0x2069))
        return Hazard::Reordering;
    return Hazard::None;
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

// Calls `visit(begin, length, hazard)` for each character of `bytes`: a
// well-formed UTF-8 sequence, or a single byte. A byte outside UTF-8 (from
// an older code page) is judged as the code point of its value, so that a
// terminal reading bytes 0x80 to 0x9f as C1 controls finds none.
template<typename Visit>
void forEachCharacter(const std::string& bytes, Visit visit)
{
    for (std::size_t i = 0; i < bytes.size();) {
        const auto byte = static_cast<unsigned char>(bytes[i]);
        char32_t codePoint = byte;
        std::size_t length = 1;
        char32_t decoded = 0;
        if (const std::size_t sequence = byte < 0x80 ? 0 : utf8Sequence(bytes, i, decoded)) {
            length = sequence;
            codePoint = decoded;
        }
        visit(i, length, hazardOf(codePoint));
        i += length;
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
    Hazard hazard = Hazard::None;
    forEachCharacter(name, [&](std::size_t, std::size_t, Hazard found) {
        if (hazard == Hazard::None)
            hazard = found;
    });
    switch (hazard) {
    case Hazard::Control: return "the name contains control characters";
    case Hazard::LineBreak: return "the name contains a line or paragraph separator";
    case Hazard::Reordering: return "the name contains bidirectional controls, which change how it reads";
    case Hazard::None: break;
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
    forEachCharacter(bytes, [&](std::size_t begin, std::size_t length, Hazard hazard) {
        if (hazard == Hazard::None) {
            shown.append(bytes, begin, length);
            return;
        }
        for (std::size_t i = begin; i < begin + length; ++i) {
            char escaped[5];
            std::snprintf(escaped, sizeof escaped, "\\x%02x", unsigned(static_cast<unsigned char>(bytes[i])));
            shown += escaped;
        }
    });
    return shown;
}

std::string display(const std::filesystem::path& path)
{
    const std::u8string bytes = path.u8string();
    return display(std::string(bytes.begin(), bytes.end()));
}

} // namespace kespak::EntryName
