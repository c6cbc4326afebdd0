#include "kespak/Packer.h"

#include "kespak/ArchiveLayout.h"
#include "kespak/EntryName.h"
#include "kespak/ExitCode.h"
#include "kespak/Streams.h"

#include <algorithm>
#include <cerrno>
#include <map>
#include <ostream>
#include <utility>

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
    ReplacingFile::removeLeftovers(m_archiveFolder.get());
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
    if (!m_folders.openRoot(root, error))
        return false;
    m_rootName = root.filename();
    std::vector<Link> links;
    if (!walk(m_folders.root(), {}, sources, links, error))
        return false;
    resolve(links, sources);
    std::sort(sources.begin(), sources.end(), [](const Source& a, const Source& b) { return a.name < b.name; });
    return true;
}

// Notes the files of the open folder `folder`, `relative` below the packed
// folder, and walks its subfolders, each opened relative to it.
bool Packer::walk(int folder, const fs::path& relative, std::vector<Source>& sources, std::vector<Link>& links,
                  std::string& error)
{
    std::vector<std::string> files;
    if (!listFolder(folder, files)) {
        error = "cannot read the folder " + EntryName::display(m_rootName / relative) + ": " + systemMessage(errno);
        return false;
    }
    for (const std::string& file : files) {
        std::string name = EntryName::fromRelativePath(m_rootName / relative / file);
        struct stat status;
        if (::fstatat(folder, file.c_str(), &status, AT_SYMLINK_NOFOLLOW) != 0) {
            error = "cannot read \"" + EntryName::display(name) + "\": " + systemMessage(errno);
            return false;
        }
        if (S_ISDIR(status.st_mode)) {
            const FileHandle subfolder(::openat(folder, file.c_str(), O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC));
            if (!subfolder.isValid()) {
                error = "\"" + EntryName::display(name) + "\" "
                        + (errno == ELOOP || errno == ENOTDIR ? "changed while being packed: it is no longer a folder"
                                                              : "cannot be read: " + systemMessage(errno));
                return false;
            }
            if (!walk(subfolder.get(), relative / file, sources, links, error))
                return false;
            continue;
        }
        if (const std::string problem = EntryName::problem(name); !problem.empty()) {
            error = "cannot pack \"" + EntryName::display(name) + "\": " + problem;
            return false;
        }
        if (isArchiveBeingWritten(status))
            m_archiveInside = true;
        else if (S_ISREG(status.st_mode))
            sources.push_back({std::move(name), relative, file, FileIdentity::of(status)});
        else if (S_ISLNK(status.st_mode))
            links.push_back(linkAt(folder, file, std::move(name)));
        else
            refuse(name, notAFile(status.st_mode));
    }
    return true;
}

// What the link `file` in `folder` says and what it leads to. Its target is
// only looked at, never opened.
Packer::Link Packer::linkAt(int folder, const std::string& file, std::string name)
{
    Link link{std::move(name), {}, 0, {}};
    std::vector<char> text(4096);
    const ssize_t length = ::readlinkat(folder, file.c_str(), text.data(), text.size());
    link.text.assign(text.data(), std::size_t(std::max<ssize_t>(length, 0)));
    if (::fstatat(folder, file.c_str(), &link.target, 0) != 0)
        link.error = errno;
    return link;
}

// A link is packed when it leads to a file the walk found below the folder,
// with that file's bytes; every other link is refused.
void Packer::resolve(const std::vector<Link>& links, std::vector<Source>& sources)
{
    std::map<std::pair<dev_t, ino_t>, std::size_t> files;
    for (std::size_t i = 0; i < sources.size(); ++i)
        files.emplace(std::make_pair(sources[i].identity.device, sources[i].identity.inode), i);
    for (const Link& link : links) {
        const auto file = files.find({link.target.st_dev, link.target.st_ino});
        if (link.error != 0) {
            refuse(link.name, "it is a link whose target cannot be reached: " + systemMessage(link.error));
        } else if (S_ISDIR(link.target.st_mode)) {
            refuse(link.name, "it is a link to a folder");
        } else if (file != files.end()) {
            Source source = sources[file->second];
            source.name = link.name;
            sources.push_back(std::move(source));
        } else if (m_archiveInside && isArchiveBeingWritten(link.target)) {
            continue;
        } else if (S_ISREG(link.target.st_mode)) {
            refuse(link.name, "it is a link to " + EntryName::display(link.text) + ", outside the folder being packed");
        } else {
            refuse(link.name, "it is a link to something that is not a file");
        }
    }
}

void Packer::refuse(const std::string& name, const std::string& problem)
{
    m_err << "kespak: refused \"" << EntryName::display(name) << "\": " << problem << '\n';
    ++m_refused;
}

bool Packer::isArchiveBeingWritten(const struct stat& status) const
{
    return std::find(m_archiveFiles.begin(), m_archiveFiles.end(), FileIdentity::of(status)) != m_archiveFiles.end();
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

// Copies one file into the archive at `offset`. The file is reached again
// from the packed folder's descriptor, level by level, without following a
// link, so one swapped in since the walk leads nowhere.
bool Packer::writeFile(const Source& source, std::uint64_t offset, std::string& error)
{
    const std::string shown = "\"" + EntryName::display(source.name) + "\"";
    const int folder = m_folders.open(source.folder, error);
    if (folder < 0) {
        error = shown + " changed while being packed: " + error;
        return false;
    }
    const FileHandle in(
        ::openat(folder, source.file.c_str(), O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_NOCTTY | O_CLOEXEC));
    struct stat status;
    if (!in.isValid() || ::fstat(in.get(), &status) != 0) {
        error = errno == ELOOP ? shown + " changed while being packed: it is now a link"
                               : "cannot read " + shown + ": " + systemMessage(errno);
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
