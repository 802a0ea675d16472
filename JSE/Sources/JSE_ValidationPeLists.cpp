// The page-exception checks' look-up of the records sharing pages with a
// range, and their list of pages not yet claimed.
#include "JSE_ValidationPeLists.h"

#include <algorithm>
#include <limits>
#include <utility>

JSE_Validation::PeListView::PeListView(const std::vector<JSE_PageExceptionType>& records) : m_records(records) {
    for (std::size_t i = 0; i < records.size(); ++i)
        if (records[i].startingPage <= records[i].endingPage) m_byFirst.push_back(i);
    std::stable_sort(m_byFirst.begin(), m_byFirst.end(),
                     [&](std::size_t a, std::size_t b) { return records[a].startingPage < records[b].startingPage; });
    for (const std::size_t i : m_byFirst) m_firsts.push_back(records[i].startingPage);
    m_leaves = 1;
    while (m_leaves < m_byFirst.size()) m_leaves *= 2;
    m_maxLast.assign(2 * m_leaves, std::numeric_limits<long>::min());
    for (std::size_t k = 0; k < m_byFirst.size(); ++k) m_maxLast[m_leaves + k] = records[m_byFirst[k]].endingPage;
    for (std::size_t node = m_leaves - 1; node >= 1; --node)
        m_maxLast[node] = std::max(m_maxLast[2 * node], m_maxLast[2 * node + 1]);
}

// Among the records beginning by end (a prefix of m_byFirst), the tree leads
// to those that last until start.
JSE_Validation::IndexList JSE_Validation::PeListView::Overlapping(long start, long end) const {
    IndexList found;
    if (m_byFirst.empty() || end < start) return found;
    const std::size_t limit = static_cast<std::size_t>(std::upper_bound(m_firsts.begin(), m_firsts.end(), end) -
                                                       m_firsts.begin());
    Collect(1, 0, m_leaves, limit, start, found);
    std::sort(found.begin(), found.end());
    return found;
}

void JSE_Validation::PeListView::Collect(std::size_t node, std::size_t low, std::size_t high, std::size_t limit,
                                         long start, IndexList& out) const {
    if (low >= limit || m_maxLast[node] < start) return;
    if (high - low == 1) {
        out.push_back(m_byFirst[low]);
        return;
    }
    const std::size_t middle = low + (high - low) / 2;
    Collect(2 * node, low, middle, limit, start, out);
    Collect(2 * node + 1, middle, high, limit, start, out);
}

const JSE_Validation::DevicePapers* JSE_Validation::PeListView::FindDevicePapers(
    const DevicePapersKey& key) const {
    const auto it = m_devicePapers.find(key);
    return it == m_devicePapers.end() ? nullptr : &it->second;
}

const JSE_Validation::DevicePapers& JSE_Validation::PeListView::KeepDevicePapers(
    const DevicePapersKey& key, DevicePapers papers) const {
    return m_devicePapers.emplace(key, std::move(papers)).first->second;
}

JSE_Validation::UnclaimedPages::UnclaimedPages(long start, long end) {
    if (start <= end) m_stretches.emplace(start, end);
}

// The stretches stay apart, so at most one can hold from..to, and then no
// other shares a page with it. Cutting never steps past the 64-bit ends:
// a part before from exists only when from is above the stretch's first
// page, a part after to only when to is below its last.
bool JSE_Validation::UnclaimedPages::RemovePageRangeFromList(long from, long to) {
    if (to < from) return false;
    auto it = m_stretches.upper_bound(from);
    if (it != m_stretches.begin() && std::prev(it)->second >= from) --it;
    bool whole = false;
    while (it != m_stretches.end() && it->first <= to) {
        const long first = it->first, last = it->second;
        whole = first <= from && to <= last;
        it = m_stretches.erase(it);
        if (first < from) m_stretches.emplace(first, from - 1);
        if (to < last) it = m_stretches.emplace(to + 1, last).first;
        if (whole) break;
    }
    return whole;
}
