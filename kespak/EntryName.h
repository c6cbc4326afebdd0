#pragma once

#include <filesystem>
#include <string>

namespace kespak {

// Rules for the names stored in an archive directory: relative paths with "/"
// or "\" as separators, kept as the bytes the archive holds (UTF-8 where the
// platform's file names are not bytes).
namespace EntryName {

// The longest name accepted, far beyond any real path.
inline constexpr std::size_t kMaxLength = 4096;

// Why a name must not be extracted (absolute, drive prefix, a ".." component,
// control characters, a line or paragraph separator, bidirectional controls,
// too long, no file name at its end), or an empty string when it is safe.
std::string problem(const std::string& name);

// The relative path a safe name stands for, without empty or "." components.
std::filesystem::path toRelativePath(const std::string& name);

// The name stored for a file at `relative` below the packed folder's parent.
std::string fromRelativePath(const std::filesystem::path& relative);

// A name or path made safe for a terminal: the bytes of C0 and C1 control
// characters (C1 also as raw bytes outside UTF-8), of the line and paragraph
// separators and of the bidirectional controls become \xNN.
std::string display(const std::string& bytes);
std::string display(const std::filesystem::path& path);

} // namespace EntryName
} // namespace kespak
