#include "kespak/DataOverlaps.h"

#include <algorithm>

namespace kespak {

void DataOverlaps::add(std::uint64_t index, std::uint32_t offset, std::uint32_t size)
{
    if (size > 0)
        m_spans.push_back({offset, std::uint64_t(offset) + size, index});
}

// Sweeps the spans by their start, keeping the one that reaches furthest: a
// span starting before that end overlaps it, and every overlapping pair
// shows up this way for both of its entries.
void DataOverlaps::resolve()
{
    std::sort(m_spans.begin(), m_spans.end(),
              [](const Span& a, const Span& b) { return a.begin < b.begin; });
    const Span* furthest = nullptr;
    for (const Span& span : m_spans) {
        if (furthest && span.begin < furthest->end) {
            m_partners.emplace_back(span.index, furthest->index);
            m_partners.emplace_back(furthest->index, span.index);
        }
        if (!furthest || span.end > furthest->end)
            furthest = &span;
    }
    m_spans = {};
    std::sort(m_partners.begin(), m_partners.end());
}

std::uint64_t DataOverlaps::partnerOf(std::uint64_t index) const
{
    const auto it = std::lower_bound(m_partners.begin(), m_partners.end(), std::make_pair(index, std::uint64_t(0)));
    return it != m_partners.end() && it->first == index ? it->second : 0;
}

} // namespace kespak
