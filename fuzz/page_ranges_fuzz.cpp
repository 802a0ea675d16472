// The page field of the page-exception tab on any bytes: the input up to its
// first line feed is entered first, against no sets, and the page sets it
// gives are there when the rest is entered. Nothing crashes; every range
// accepted lies within 1..99999 with its first page not after its last and
// shares no page with a set or another accepted range; every range parsed
// is accepted or rejected; the errors are known labels, each once, and there
// are errors exactly when a range was rejected or the parse stopped; the
// field keeps what the parser left or the rejected ranges, and nothing once
// everything was accepted.
#include <algorithm>
#include <cstdint>
#include <string_view>
#include <vector>

#include "fuzz_support.h"
#include "peController/PageRangeEntry.h"

namespace {

bool Overlap(const PageRange& a, const PageRange& b) { return a.start <= b.end && b.start <= a.end; }

bool KnownLabel(int label) {
    return label == kPageNumberTooLarge || label == kPageRangeMalformed || label == kPageRangeOverlaps ||
           label == kPageZero;
}

// Checks one entry of the text against the sets and adds what it accepted.
void Enter(std::string_view text, std::vector<PageRange>& sets) {
    const FilteredPageText filtered = FilterPageText(text);
    FUZZ_CHECK(text.substr(0, filtered.text.size()) == filtered.text, "the filter keeps a start of the text");
    FUZZ_CHECK(filtered.refused == (filtered.text.size() < text.size()), "the filter refuses exactly when it cuts");
    FUZZ_CHECK(filtered.text.find_first_not_of("0123456789 .,") == std::string::npos, "the filter keeps page text only");

    const PageRangeParse parse = ParsePageRanges(text);
    FUZZ_CHECK(text.ends_with(parse.rest), "the parser leaves an end of the text");
    FUZZ_CHECK(parse.error == 0 || KnownLabel(parse.error), "the parser stops with a known label");

    const PageSetEntry entry = EnterPageSets(text, sets);
    FUZZ_CHECK(entry.accepted.size() + entry.rejected.size() == parse.ranges.size(), "every range is judged");
    for (std::size_t i = 0; i < entry.accepted.size(); ++i) {
        const PageRange& range = entry.accepted[i];
        FUZZ_CHECK(range.start >= kFirstPage && range.end <= kLastPage, "accepted pages lie within 1..99999");
        FUZZ_CHECK(range.start <= range.end, "accepted ranges do not run backwards");
        for (const PageRange& set : sets) FUZZ_CHECK(!Overlap(range, set), "accepted ranges share no page with a set");
        for (std::size_t j = 0; j < i; ++j) FUZZ_CHECK(!Overlap(range, entry.accepted[j]), "accepted ranges are apart");
    }
    for (std::size_t i = 0; i < entry.errors.size(); ++i) {
        FUZZ_CHECK(KnownLabel(entry.errors[i]), "errors are known labels");
        FUZZ_CHECK(std::count(entry.errors.begin(), entry.errors.end(), entry.errors[i]) == 1, "each error once");
    }
    const bool failed = !entry.rejected.empty() || parse.error != 0;
    FUZZ_CHECK(entry.errors.empty() != failed, "errors exactly when something failed");
    FUZZ_CHECK(failed || entry.field.empty(), "the field empties once everything was accepted");
    FUZZ_CHECK(!entry.rejected.empty() || entry.field == (parse.error ? parse.rest : ""), "the field keeps the rest");
    sets.insert(sets.end(), entry.accepted.begin(), entry.accepted.end());
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view input(reinterpret_cast<const char*>(data), size);
    const std::size_t split = std::min(input.find('\n'), input.size());
    std::vector<PageRange> sets;
    Enter(input.substr(0, split), sets);
    if (split < input.size()) Enter(input.substr(split + 1), sets);
    return 0;
}
