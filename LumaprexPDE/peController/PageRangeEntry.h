// Page ranges as the user types them into the page-exception tab's page
// field, and the checks that turn them into page sets. Items are a page
// ("5"), two pages joined by two full stops ("5..7"), two full stops before
// a page ("..7", from page 1) or, as the last item only, a page followed by
// full stops ("9..", to the last page); blanks and commas separate them.
//
// Everything here works on plain values, so that the pane only moves texts
// and ranges between its controls and these functions.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "JSE_Records.h"
#include "PageRange.h"

// Pages count from 1; page 99999 (kLastPage) stands for the last page of
// the job.
inline constexpr int kFirstPage = 1;

// The labels of the entry's errors.
enum PageRangeLabel {
    kPageRangeAlertHeading = 16218,  // heads the one alert of an entry
    kPageNumberTooLarge = 16219,     // a number above 99999 was typed
    kPageRangeMalformed = 16077,     // a malformed item, or a start after the end
    kPageRangeOverlaps = 17237,      // the range shares a page with a set
    kPageZero = 57666,               // page 0 (a number beginning with "0"), or a page outside 1..99999
};

// What the page field's filter keeps of a text: the characters before the
// first one that is not a figure, a blank, "." or ",".
struct FilteredPageText {
    std::string text;
    bool refused = false;  // a character was cut off (the pane beeps)
};
FilteredPageText FilterPageText(std::string_view text);

// The parser's reading of the page field. It stops at its first error.
struct PageRangeParse {
    std::vector<PageRange> ranges;  // the items completed, in order; not yet checked
    int error = 0;                  // the label of the error that stopped it; 0 for none
    // What the field keeps after a parse error: the text behind the last
    // completed item, its separator first (the whole text when none was
    // completed); "" when the whole text was read.
    std::string rest;
};
PageRangeParse ParsePageRanges(std::string_view text);

// One entry of the page field: the text parsed, each range checked in turn
// against the sets and the ranges accepted before it.
struct PageSetEntry {
    std::vector<PageRange> accepted;  // to become sets, in the order typed
    std::vector<PageRange> rejected;  // in the order typed
    std::vector<int> errors;          // labels, each once, in the order first met
    std::string field;                // what the page field shows afterwards
};
PageSetEntry EnterPageSets(std::string_view text, const std::vector<PageRange>& sets);

// The one alert of an entry: the heading, then each error's text, each
// followed by two carriage returns. label gives a label's text.
template <class LabelText>
std::string PageRangeAlertText(const std::vector<int>& errors, LabelText label) {
    std::string text = label(kPageRangeAlertHeading) + "\r\r";
    for (int error : errors) text += label(error) + "\r\r";
    return text;
}
