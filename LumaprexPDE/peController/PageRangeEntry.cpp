// The page field's filter, the page-range parser and the checks of one
// entry of page sets.
#include "PageRangeEntry.h"

#include <algorithm>

#include "FoundationValues.h"

namespace {

bool IsFigure(char c) { return c >= '0' && c <= '9'; }
bool IsSeparator(char c) { return c == ' ' || c == ','; }

// Reads the text one character at a time, keeping the item being read.
class Parser {
public:
    explicit Parser(std::string_view text) : m_text(text) {}

    PageRangeParse run() {
        while (m_at < m_text.size() && !m_result.error) step();
        if (m_result.error) {
            m_result.rest = std::string(m_text.substr(m_itemEnd));
        } else if (m_start > 0) {
            complete();
        }
        return std::move(m_result);
    }

private:
    void step() {
        const char c = m_text[m_at];
        if (IsFigure(c)) return figure(c - '0');
        if (IsSeparator(c)) {
            if (m_start > 0) {
                complete();
                m_itemEnd = m_at;
            }
            ++m_at;
            return;
        }
        if (c == '.') return dots();
        fail(kPageRangeMalformed);
    }

    // The figures go to the end number once two full stops have led to it.
    void figure(int value) {
        ++m_at;
        if (m_endNumber) {
            m_end = m_end * 10 + value;
            if (m_end > kLastPage) fail(kPageNumberTooLarge);
            return;
        }
        m_start = m_start * 10 + value;
        if (m_start > kLastPage) fail(kPageNumberTooLarge);
        else if (m_start == 0) fail(kPageZero);
    }

    void dots() {
        // A full stop behind an end number ("5..7..9") is malformed.
        if (m_endNumber) return fail(kPageRangeMalformed);
        std::size_t count = 0;
        while (m_at + count < m_text.size() && m_text[m_at + count] == '.') ++count;
        m_at += count;
        const bool atEnd = m_at == m_text.size();
        if (count >= 3) return fail(kPageRangeMalformed);
        if (atEnd) {
            // "9.." or "9." as the last item runs to the last page.
            if (m_start == 0) return fail(kPageRangeMalformed);
            m_end = kLastPage;
            return;
        }
        if (count == 2 && IsFigure(m_text[m_at])) {
            m_endNumber = true;
            if (m_start == 0) m_start = kFirstPage;
            return;
        }
        fail(kPageRangeMalformed);
    }

    // An end of 0 (none typed, or only zeros) makes a single page.
    void complete() {
        m_result.ranges.push_back({m_start, m_end == 0 ? m_start : m_end});
        m_start = m_end = 0;
        m_endNumber = false;
    }

    void fail(int label) { m_result.error = label; }

    std::string_view m_text;
    std::size_t m_at = 0;
    std::size_t m_itemEnd = 0;  // where the text behind the last completed item begins
    int m_start = 0;
    int m_end = 0;
    bool m_endNumber = false;
    PageRangeParse m_result;
};

bool Overlaps(const PageRange& a, const PageRange& b) { return a.start <= b.end && b.start <= a.end; }

// The label of the first check the range fails; 0 when it passes.
int CheckRange(const PageRange& range, const std::vector<PageRange>& sets) {
    const auto outside = [](int page) { return page < kFirstPage || page > kLastPage; };
    if (outside(range.start) || outside(range.end)) return kPageZero;
    if (range.start > range.end) return kPageRangeMalformed;
    const bool shared = std::any_of(sets.begin(), sets.end(), [&](const PageRange& set) { return Overlaps(range, set); });
    return shared ? kPageRangeOverlaps : 0;
}

void AddError(std::vector<int>& errors, int label) {
    if (std::find(errors.begin(), errors.end(), label) == errors.end()) errors.push_back(label);
}

// The rejected ranges as the user may edit them again: "5 " or "7..3 " each.
std::string RangesText(const std::vector<PageRange>& ranges) {
    std::string text;
    for (const PageRange& range : ranges) {
        text += range.start == range.end ? platform::Format("%d ", range.start)
                                         : platform::Format("%d..%d ", range.start, range.end);
    }
    return text;
}

}  // namespace

FilteredPageText FilterPageText(std::string_view text) {
    const std::size_t kept = text.find_first_not_of("0123456789 .,");
    if (kept == std::string_view::npos) return {std::string(text), false};
    return {std::string(text.substr(0, kept)), true};
}

PageRangeParse ParsePageRanges(std::string_view text) { return Parser(text).run(); }

PageSetEntry EnterPageSets(std::string_view text, const std::vector<PageRange>& sets) {
    PageSetEntry entry;
    const PageRangeParse parse = ParsePageRanges(text);
    if (parse.error) AddError(entry.errors, parse.error);
    std::vector<PageRange> taken = sets;
    for (const PageRange& range : parse.ranges) {
        if (const int error = CheckRange(range, taken)) {
            AddError(entry.errors, error);
            entry.rejected.push_back(range);
        } else {
            taken.push_back(range);
            entry.accepted.push_back(range);
        }
    }
    if (!entry.rejected.empty()) entry.field = RangesText(entry.rejected);
    else if (parse.error) entry.field = parse.rest;
    return entry;
}
