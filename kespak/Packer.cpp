#include "kespak/Packer.h"

#include "kespak/ArchiveLayout.h"
#include "kespak/EntryName.h"
#include "kespak/ExitCode.h"
#include "kespak/Streams.h"

#include <algorithm>
#include <cerrno>
#include <ostream>

#include <fcntl.h>
#include <unistd.h>

namespace kespak {

namespace fs = std::filesystem;

namespace {

// The folder itself, also when it was given with a trailing separator.
fs::path folderPath(const fs::path& folder, std::error_code& code)
{
    fs::path path = fs::absolute(folder, code).lexically_normal();
    if (!path.has_filename() && path.has_relative_path())
        path = path.parent_path();
    return path;
}

bool isBelow(const fs::path& path, const fs::path& folder)
{
    const auto [f, p] = std::mismatch(folder.begin(), folder.end(), path.begin(), path.end());
    return f == folder.end() && p != path.end();
}

std::string specialKind(const fs::file_status& status)
{
    switch (status.type()) {
    case fs::file_type::fifo: return "it is a FIFO, not a file";
    case fs::file_type::socket: return "it is a socket, not a file";
    case fs::file_type::block:
    case fs::file_type::character: return "it is a device, not a file";
    default: return "it is not a regular file";
    }
}

} // namespace

Packer::Packer(std::ostream& out, std::ostream& err)
    : m_out(out)
    , m_err(err)
{
}

int Packer::run(const fs::path& archive, const fs::path& folder)
{
    std::error_code code;
    const fs::path root = folderPath(folder, code);
    m_archivePath = fs::absolute(archive, code).lexically_normal();
    std::string error;
    std::vector<Source> sources;
    if (code) {
        error = code.message();
    } else if (!fs::is_directory(root, code)) {
        error = EntryName::display(folder) + " is not a folder";
    } else if (!m_archivePath.has_filename()) {
        error = EntryName::display(archive) + " names no file";
    } else if (openArchive(error) && collect(root, sources, error) && writeData(sources, error)
               && writeDirectory(error) && commitArchive(error)) {
        m_out << "Packed " << sources.size() << " files into " << EntryName::display(m_archivePath) << ".\n";
        if (m_archiveInside)
            m_out << "The archive lies inside the packed folder; it was not packed into itself.\n";
        m_out.flush();
        if (m_refused == 0)
            return Success;
        m_err << "kespak: " << m_refused << " files were refused and are not in the archive\n";
        return EntriesRefused;
    }
    m_archive.reset();
    m_err << "kespak: " << error << "; no archive was written\n";
    return Failure;
}

// Creates the temporary archive first, so that the files below the folder
// can be compared with it.
bool Packer::openArchive(std::string& error)
{
    const fs::path parent = m_archivePath.parent_path();
    m_archiveFolder.reset(::open(parent.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (!m_archiveFolder.isValid()) {
        error = "cannot open the folder " + EntryName::display(parent) + ": " + systemMessage(errno);
        return false;
    }
    m_archive.emplace(m_archiveFolder.get(), m_archivePath.filename().native());
    struct stat status;
    if (!m_archive->open(error) || ::fstat(m_archive->fd(), &status) != 0) {
        error = archiveProblem(error);
        return false;
    }
    m_archiveFiles.push_back(FileIdentity::of(status));
    if (::stat(m_archivePath.c_str(), &status) == 0)
        m_archiveFiles.push_back(FileIdentity::of(status));
    return true;
}

std::string Packer::archiveProblem(const std::string& reason) const
{
    return "cannot write the archive " + EntryName::display(m_archivePath) + ": " + reason;
}

bool Packer::commitArchive(std::string& error)
{
    if (m_archive->commit(error))
        return true;
    error = archiveProblem(error);
    return false;
}

// Lists the files below `root` sorted by the names they get in the archive;
// what must not be packed is reported and left out.
bool Packer::collect(const fs::path& root, std::vector<Source>& sources, std::string& error)
{
    const fs::path base = root.parent_path();
    std::error_code code;
    const fs::path realRoot = fs::canonical(root, code);
    fs::recursive_directory_iterator it(root, code);
    for (; !code && it != fs::recursive_directory_iterator(); it.increment(code)) {
        if (it->is_directory(code) && !it->is_symlink(code))
            continue;
        Source source{it->path(), EntryName::fromRelativePath(it->path().lexically_relative(base))};
        if (const std::string problem = EntryName::problem(source.name); !problem.empty()) {
            error = "cannot pack \"" + EntryName::display(source.name) + "\": " + problem;
            return false;
        }
        if (const std::string problem = refusal(*it, realRoot, source.path); !problem.empty()) {
            m_err << "kespak: refused \"" << EntryName::display(source.name) << "\": " << problem << '\n';
            ++m_refused;
            continue;
        }
        if (isArchiveBeingWritten(source.path)) {
            m_archiveInside = true;
            continue;
        }
        sources.push_back(std::move(source));
    }
    if (code) {
        error = "cannot read the folder " + EntryName::display(root) + ": " + code.message();
        return false;
    }
    std::sort(sources.begin(), sources.end(), [](const Source& a, const Source& b) { return a.name < b.name; });
    return true;
}

// Why `item` must not be packed, or an empty string. A link to a file inside
// the folder is packed with that file's bytes; `source` becomes the file.
std::string Packer::refusal(const fs::directory_entry& item, const fs::path& realRoot, fs::path& source) const
{
    std::error_code code;
    const fs::file_status status = item.symlink_status(code);
    if (fs::is_symlink(status)) {
        const fs::path target = fs::canonical(item.path(), code);
        if (code)
            return "it is a link whose target cannot be reached: " + code.message();
        if (fs::is_directory(target, code))
            return "it is a link to a folder";
        if (!isBelow(target, realRoot))
            return "it is a link to " + EntryName::display(target) + ", outside the folder being packed";
        if (!fs::is_regular_file(target, code))
            return "it is a link to something that is not a file";
        source = target;
    } else if (!fs::is_regular_file(status)) {
        return specialKind(status);
    }
    return {};
}

bool Packer::isArchiveBeingWritten(const fs::path& source) const
{
    struct stat status;
    return ::stat(source.c_str(), &status) == 0
           && std::find(m_archiveFiles.begin(), m_archiveFiles.end(), FileIdentity::of(status))
                  != m_archiveFiles.end();
}

// Writes the header and every file's bytes, noting each file's directory entry.
bool Packer::writeData(const std::vector<Source>& sources, std::string& error)
{
    std::string header(kMagic, sizeof kMagic);
    appendU32(header, kVersion);
    if (!writeAll(m_archive->fd(), header.data(), header.size(), error)) {
        error = archiveProblem(error);
        return false;
    }
    std::uint64_t offset = kHeaderSize;
    for (const Source& source : sources) {
        if (!writeFile(source, offset, error))
            return false;
        offset += m_entries.back().size;
        m_out << '[' << m_entries.size() << '/' << sources.size() << "] " << EntryName::display(source.name)
              << " (" << m_entries.back().size << " bytes)\n";
    }
    return true;
}

// Copies one file into the archive at `offset`. The file is opened without
// following a link, so one swapped in since the folder was read is not followed.
bool Packer::writeFile(const Source& source, std::uint64_t offset, std::string& error)
{
    const std::string shown = EntryName::display(source.path);
    const FileHandle in(::open(source.path.c_str(), O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC));
    struct stat status;
    if (!in.isValid() || ::fstat(in.get(), &status) != 0) {
        error = "cannot read " + shown + ": " + systemMessage(errno);
        return false;
    }
    if (!S_ISREG(status.st_mode)) {
        error = shown + " changed while being packed: it is no longer a file";
        return false;
    }
    const std::uint64_t size = std::uint64_t(status.st_size);
    if (offset + size > kMaxOffset) {
        error = "the files add up to more than the 4 GiB an archive can hold";
        return false;
    }
    ByteCopier::Failure failure;
    if (!m_copier.copy(in.get(), 0, m_archive->fd(), size, failure)) {
        error = failure.side == ByteCopier::Side::Read
                    ? "cannot read " + shown + ": " + failure.reason
                    : archiveProblem(failure.reason);
        return false;
    }
    char more;
    if (::pread(in.get(), &more, 1, off_t(size)) != 0) {
        error = shown + " changed while being packed";
        return false;
    }
    m_entries.push_back({source.name, std::uint32_t(offset), std::uint32_t(size)});
    return true;
}

// Writes the directory after the data, then the directory's offset.
bool Packer::writeDirectory(std::string& error)
{
    const std::uint64_t directoryOffset =
        m_entries.empty() ? kHeaderSize : m_entries.back().offset + std::uint64_t(m_entries.back().size);
    std::string directory;
    for (const DirectoryEntry& entry : m_entries) {
        appendU32(directory, std::uint32_t(kEntryHeaderSize + entry.name.size() + 1));
        appendU32(directory, entry.offset);
        appendU32(directory, entry.size);
        directory.append(entry.name.c_str(), entry.name.size() + 1);
    }
    appendU32(directory, std::uint32_t(directoryOffset));
    if (writeAll(m_archive->fd(), directory.data(), directory.size(), error))
        return true;
    error = archiveProblem(error);
    return false;
}

} // namespace kespak
