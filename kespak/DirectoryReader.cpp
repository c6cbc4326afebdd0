#include "kespak/DirectoryReader.h"

#include "kespak/EntryName.h"
#include "kespak/Streams.h"

#include <algorithm>
#include <cstring>
#include <istream>

namespace kespak {

DirectoryReader::DirectoryReader(std::istream& in, const ArchiveLayout& layout,
                                 const DataOverlaps* overlaps)
    : m_in(in)
    , m_layout(layout)
    , m_overlaps(overlaps)
    , m_position(layout.directoryBegin)
{
    m_in.clear();
    m_in.seekg(std::streamoff(m_position));
}

DirectoryReader::Status DirectoryReader::next()
{
    m_entry = {};
    m_problem.clear();
    if (m_done || m_position >= m_layout.directoryEnd) {
        m_done = true;
        return Status::End;
    }
    ++m_index;
    m_entryOffset = m_position;
    const std::uint64_t remaining = m_layout.directoryEnd - m_position;
    if (remaining < kEntryHeaderSize)
        return broken("only " + std::to_string(remaining) + " bytes are left, too few for an entry");

    char header[kEntryHeaderSize];
    if (!m_in.read(header, sizeof header))
        return broken("the directory cannot be read");
    const std::uint32_t length = readU32(header);
    m_entry.offset = readU32(header + 4);
    m_entry.size = readU32(header + 8);
    if (length <= kEntryHeaderSize || length > remaining)
        return broken("its length " + std::to_string(length) + " is impossible");
    m_position += length;

    if (!readName(length - kEntryHeaderSize))
        return broken("the directory cannot be read");
    if (!m_problem.empty())
        return refused(m_problem);
    if (std::string problem = EntryName::problem(m_entry.name); !problem.empty())
        return refused(problem);
    if (std::string problem = dataProblem(); !problem.empty())
        return refused(problem);
    return Status::Entry;
}

// Reads the name up to its NUL and leaves the stream at the next entry. A
// name without a NUL, or longer than any real one, is cut short and noted.
bool DirectoryReader::readName(std::uint64_t nameArea)
{
    const std::uint64_t wanted = std::min<std::uint64_t>(nameArea, EntryName::kMaxLength + 1);
    m_nameBuffer.resize(wanted);
    if (!m_in.read(m_nameBuffer.data(), std::streamsize(wanted)))
        return false;
    const auto* nul = static_cast<const char*>(std::memchr(m_nameBuffer.data(), 0, wanted));
    const std::size_t nameLength = nul ? std::size_t(nul - m_nameBuffer.data()) : wanted;
    m_entry.name.assign(m_nameBuffer.data(), std::min(nameLength, EntryName::kMaxLength));
    if (!nul)
        m_problem = nameLength > EntryName::kMaxLength ? "the name is too long"
                                                       : "the name has no terminating NUL";
    if (wanted < nameArea && !m_in.seekg(std::streamoff(m_position)))
        return false;
    return true;
}

std::string DirectoryReader::dataProblem() const
{
    const std::uint64_t end = std::uint64_t(m_entry.offset) + m_entry.size;
    if (m_entry.offset < kHeaderSize || end > m_layout.directoryBegin)
        return "its data (offset " + std::to_string(m_entry.offset) + ", " + std::to_string(m_entry.size)
               + " bytes) lies outside the archive's stored data";
    if (const std::uint64_t partner = m_overlaps ? m_overlaps->partnerOf(m_index) : 0)
        return "its data overlaps the data of entry " + std::to_string(partner)
               + " (an archive stores each file once)";
    return {};
}

DirectoryReader::Status DirectoryReader::broken(std::string problem)
{
    m_problem = std::move(problem);
    m_done = true;
    return Status::Broken;
}

DirectoryReader::Status DirectoryReader::refused(std::string problem)
{
    m_problem = std::move(problem);
    return Status::Refused;
}

} // namespace kespak
