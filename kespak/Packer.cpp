#include "kespak/Packer.h"

#include "kespak/ArchiveLayout.h"
#include "kespak/EntryName.h"
#include "kespak/ExitCode.h"
#include "kespak/ReplacingFile.h"
#include "kespak/Streams.h"

#include <algorithm>
#include <fstream>
#include <ostream>

namespace kespak {

namespace {

// The folder itself, also when it was given with a trailing separator.
std::filesystem::path folderPath(const std::filesystem::path& folder, std::error_code& code)
{
    std::filesystem::path path = std::filesystem::absolute(folder, code).lexically_normal();
    if (!path.has_filename() && path.has_relative_path())
        path = path.parent_path();
    return path;
}

} // namespace

Packer::Packer(std::ostream& out, std::ostream& err)
    : m_out(out)
    , m_err(err)
{
}

int Packer::run(const std::filesystem::path& archive, const std::filesystem::path& folder)
{
    std::error_code code;
    const std::filesystem::path root = folderPath(folder, code);
    m_archivePath = std::filesystem::absolute(archive, code).lexically_normal();
    std::string error;
    std::vector<Source> sources;
    if (code) {
        error = code.message();
    } else if (!std::filesystem::is_directory(root, code)) {
        error = EntryName::display(folder) + " is not a folder";
    } else if (!m_archivePath.has_filename()) {
        error = EntryName::display(archive) + " names no file";
    } else if (collect(root, sources, error)) {
        ReplacingFile file(m_archivePath);
        if (file.open(error) && writeData(file.stream(), sources, error)) {
            writeDirectory(file.stream());
            if (file.commit(error)) {
                m_out << "Packed " << sources.size() << " files into "
                      << EntryName::display(m_archivePath) << ".\n";
                m_out.flush();
                return Success;
            }
        }
    }
    m_err << "kespak: " << error << "; no archive was written\n";
    return Failure;
}

// Lists the files below `root` sorted by the names they get in the archive.
bool Packer::collect(const std::filesystem::path& root, std::vector<Source>& sources,
                     std::string& error)
{
    const std::filesystem::path base = root.parent_path();
    std::error_code code;
    std::filesystem::recursive_directory_iterator it(root, code);
    for (; !code && it != std::filesystem::recursive_directory_iterator(); it.increment(code)) {
        const std::filesystem::path& path = it->path();
        if (!it->is_regular_file(code) || path == m_archivePath
            || ReplacingFile::isTemporaryName(path))
            continue;
        Source source{path, EntryName::fromRelativePath(path.lexically_relative(base))};
        if (const std::string problem = EntryName::problem(source.name); !problem.empty()) {
            error = "cannot pack \"" + EntryName::display(source.name) + "\": " + problem;
            return false;
        }
        sources.push_back(std::move(source));
    }
    if (code) {
        error = "cannot read the folder " + EntryName::display(root) + ": " + code.message();
        return false;
    }
    std::sort(sources.begin(), sources.end(),
              [](const Source& a, const Source& b) { return a.name < b.name; });
    return true;
}

// Writes the header and every file's bytes, noting each file's directory entry.
bool Packer::writeData(std::ostream& out, const std::vector<Source>& sources, std::string& error)
{
    out.write(kMagic, sizeof kMagic);
    writeU32(out, kVersion);
    std::uint64_t offset = kHeaderSize;
    m_entries.clear();
    for (const Source& source : sources) {
        std::error_code code;
        const std::uint64_t size = std::filesystem::file_size(source.path, code);
        std::ifstream in(source.path, std::ios::binary);
        if (code || !in) {
            error = "cannot read " + EntryName::display(source.path);
            return false;
        }
        if (offset + size > kMaxOffset) {
            error = "the files add up to more than the 4 GiB an archive can hold";
            return false;
        }
        if (copyBytes(in, out, size, m_buffer) != size || in.peek() != std::ifstream::traits_type::eof()) {
            error = "cannot read " + EntryName::display(source.path) + " completely, or it changed while being packed";
            return false;
        }
        m_entries.push_back({source.name, std::uint32_t(offset), std::uint32_t(size)});
        offset += size;
        m_out << '[' << m_entries.size() << '/' << sources.size() << "] " << EntryName::display(source.name)
              << " (" << size << " bytes)\n";
    }
    return bool(out);
}

// Writes the directory after the data, then the directory's offset.
void Packer::writeDirectory(std::ostream& out)
{
    const std::uint64_t directoryOffset =
        m_entries.empty() ? kHeaderSize : m_entries.back().offset + std::uint64_t(m_entries.back().size);
    for (const DirectoryEntry& entry : m_entries) {
        writeU32(out, std::uint32_t(kEntryHeaderSize + entry.name.size() + 1));
        writeU32(out, entry.offset);
        writeU32(out, entry.size);
        out.write(entry.name.c_str(), std::streamsize(entry.name.size() + 1));
    }
    writeU32(out, std::uint32_t(directoryOffset));
}

} // namespace kespak
