#include "kespak/EntryName.h"

#include <cstdio>

namespace kespak::EntryName {

namespace {

bool isSeparator(char c)
{
    return c == '/' || c == '\\';
}

bool isControl(unsigned char c)
{
    return c < 0x20 || c == 0x7f;
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
        if (isControl(static_cast<unsigned char>(c)))
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
    for (const char c : bytes) {
        if (isControl(static_cast<unsigned char>(c))) {
            char escaped[5];
            std::snprintf(escaped, sizeof escaped, "\\x%02x", unsigned(static_cast<unsigned char>(c)));
            shown += escaped;
        } else {
            shown += c;
        }
    }
    return shown;
}

std::string display(const std::filesystem::path& path)
{
    const std::u8string bytes = path.u8string();
    return display(std::string(bytes.begin(), bytes.end()));
}

} // namespace kespak::EntryName
