#pragma once

#include <cstdint>
#include <utility>
#include <vector>

namespace kespak {

// Finds the entries whose stored data overlaps the data of another entry. A
// genuine archive stores every file once; entries sharing data would let a
// small archive expand into any amount of files.
class DataOverlaps
{
public:
    void add(std::uint64_t index, std::uint32_t offset, std::uint32_t size);
    // Call once after the last add().
    void resolve();
    // The number of an entry whose data overlaps that of entry `index`, or 0.
    std::uint64_t partnerOf(std::uint64_t index) const;

private:
    struct Span
    {
        std::uint64_t begin;
        std::uint64_t end;
        std::uint64_t index;
    };

    std::vector<Span> m_spans;
    // (entry, partner), sorted by entry.
    std::vector<std::pair<std::uint64_t, std::uint64_t>> m_partners;
};

} // namespace kespak
