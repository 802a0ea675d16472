// The page collection against a plain model of the job's pages: seeded
// random sequences of the calls the panes make (layout codes set and taken
// off, substitutions made and taken away, image shifts, finishing subsets,
// punching), each applied to the model page by page. After every call each
// page's layout, paper and image shift read from the collection, and the
// paper, slip plex and shift the ticket written from it gives the page, are
// the model's. The ticket's own records, as a stored ticket holds them, give
// each page the plex of the innermost record that holds it.
#include <gtest/gtest.h>

#include <algorithm>
#include <iterator>
#include <map>
#include <numeric>
#include <optional>
#include <random>
#include <regex>
#include <string>
#include <vector>

#include "JSE_PageCollection.h"
#include "JSE_Service.h"

namespace {

constexpr long kPages = 30;
const int kLayoutCodes[] = {kPePrintMode, kPePrintSide, kPeChapterStart, kPeRotation};
const wchar_t* const kPapers[] = {L"Letter_Blue", L"Legal", L"A3", L"A4"};
const std::string kCatalog = LUMAPREX_SOURCE_DIR "/data/PaperCatalog.cat";
const ImageType kShifts[] = {{kPeImageShift, true, 0, 1, 36, 0, -36, 0},
                             {kPeImageShift, false, 1, 2, 0, 14.17f, 5, 8.5f}};

// One page: its layout codes with their values (two values of a code on
// one page make it -1), its paper (empty: the job's), its shift.
struct PageModel {
    std::map<int, int> layout;
    WString paper;
    std::optional<ImageType> shift;
    bool operator==(const PageModel&) const = default;
};

// An engine on the shipped catalog whose ticket reads the collection.
struct Engine {
    explicit Engine(JSE_PageCollection& pages)
        : service(L"English", WString(), WString(kCatalog.begin(), kCatalog.end()), WString(), false) {
        service.JSE_Media_SetOSPlatform(2);
        service.JSE_Preference_Set_Factory_Default();
        service.JSE_Preference_Copy_Value_To_JobTicket();
        service.JSE_JobTicket_SetPageObject(&pages);
    }
    std::string ticket() {
        service.JSE_JobTicket_Create();
        std::string text(static_cast<std::size_t>(service.JSE_JobTicket_GetSize()), '\0');
        service.JSE_JobTicket_Get(text.data(), static_cast<long>(text.size()));
        return text;
    }
    JSE_Service service;
};

// What the items of a keyword's lines (with their continuations) say of each
// page: the pattern's captures but the last two, which are the pages.
std::map<long, std::string> PagesOfLines(const std::string& ticket, const std::string& keyword,
                                         const std::regex& item) {
    std::map<long, std::string> pages;
    for (std::size_t at = ticket.find(keyword); at != std::string::npos;) {
        const std::size_t end = ticket.find("\r\n", at);
        const std::string line = ticket.substr(at, end - at);
        for (std::sregex_iterator it(line.begin(), line.end(), item), stop; it != stop; ++it) {
            const std::smatch& m = *it;
            std::string said;
            for (std::size_t k = 1; k + 2 < m.size(); ++k) said += m[k].str() + " ";
            const long first = std::stol(m[m.size() - 2]);
            const long last = m[m.size() - 1].matched ? std::stol(m[m.size() - 1]) : first;
            for (long p = first; p <= last; ++p) EXPECT_TRUE(pages.emplace(p, said).second) << "page " << p << " twice";
        }
        at = end != std::string::npos && ticket.compare(end + 2, 4, "%%+ ") == 0 ? end + 2 : ticket.find(keyword, end);
    }
    return pages;
}

const std::regex kSlipItem(R"(\(([^()]+)\) +(?:punch\(none\) +)?(simplex|duplex) +(\d+)(?:\.\.(\d+))?)");
const std::regex kShiftItem(R"(frontX\(([-.0-9]+)\) frontY\(([-.0-9]+)\) backX\(([-.0-9]+)\) backY\(([-.0-9]+)\))"
                            R"( +(\d+)(?:\.\.(\d+))?)");

// The plex a page prints with as the plex line gives it: that of the item of
// the page, or the nearest before it; simplex (the job's) before the first.
std::string PlexOfPage(const std::string& ticket, long page) {
    const std::regex item(R"( (simplex|duplex\((?:long|short)edge\)) (\d+) )");
    std::pair<long, std::string> plex(0, "simplex");
    for (std::size_t at = ticket.find("%VLXPePlex:"), end; at != std::string::npos; at = end + 2) {
        end = ticket.find("\r\n", at);
        const std::string line = ticket.substr(at, end - at);
        for (std::sregex_iterator it(line.begin(), line.end(), item), stop; it != stop; ++it)
            if (const long from = std::stol((*it)[2]); from <= page && from >= plex.first) plex = {from, (*it)[1]};
        if (end == std::string::npos || ticket.compare(end + 2, 4, "%%+ ") != 0) break;
    }
    return plex.second;
}

void Substitute(JSE_PageCollection& c, long a, long b, const WString& paper) {
    c.JSE_PageCollection_RemovePageFeature(a, b, kPePaperSubstitution, 0);
    c.JSE_PageCollection_SetProperty(a, b, 1, paper, kPePaperSubstitution, 0, true);
    c.JSE_PageCollection_SetPageType(a, b, kPePaperSubstitution, 0);
}

void SetShift(JSE_PageCollection& c, long a, long b, const ImageType& s) {
    c.JSE_PageCollection_SetImageFeature(a, b, kPeImageShift, s.unit, s.mirror, s.orientation, s.x1, s.y1, s.x2, s.y2);
}

// The pages as the collection holds them: layout ranges by their records of
// a layout kind, papers by FindMediaRuns, shifts by the image records.
std::vector<PageModel> PagesOf(const JSE_PageCollection& c) {
    std::vector<PageModel> pages(kPages + 1);
    for (long i = 0, first, last; i < c.JSE_PageCollection_GetSize(); ++i) {
        int type = 0, value = 0;
        c.JSE_PageCollection_GetPageNumber(i, first, last);
        c.JSE_PageCollection_GetPageTypeAndValue(i, type, value);
        if (std::find(std::begin(kLayoutCodes), std::end(kLayoutCodes), type) == std::end(kLayoutCodes)) continue;
        for (long p = first; p <= last; ++p) pages[p].layout[type] = pages[p].layout.contains(type) ? -1 : value;
    }
    for (const PaperRun& run : c.FindMediaRuns(1, kPages))
        for (long p = run.first; p <= run.last; ++p) pages[p].paper = run.paper;
    for (long k = 0; k < c.JSE_PageCollection_GetPageImageSize(); ++k) {
        int first = 0, last = 0, typeValue = 0;
        ImageType s;
        c.JSE_PageCollection_GetImagePageNumber(k, first, last);
        c.JSE_PageCollection_GetImageFeature(k, 0, s.featureType, typeValue, s.unit, s.mirror, s.orientation, s.x1,
                                             s.y1, s.x2, s.y2);
        for (long p = first; p <= last; ++p) pages[p].shift = pages[p].shift ? ImageType{} : s;
    }
    return pages;
}

// The shift line the ticket writes for the shift alone on one page of the
// paper: what every page with that shift and paper must get.
std::string ShiftOnPaper(const ImageType& shift, const WString& paper) {
    JSE_PageCollection one;
    Engine engine(one);
    if (!paper.empty()) Substitute(one, 1, 1, paper);
    SetShift(one, 1, 1, shift);
    return PagesOfLines(engine.ticket(), "%VLXPeShift:", kShiftItem)[1];
}

TEST(PageCollectionModel, EveryPageHasTheLayoutPaperAndShiftTheCallsGaveIt) {
    std::map<std::pair<int, std::wstring>, std::string> shiftLines;  // by shift and paper
    for (int s = 0; s < 2; ++s)
        for (const wchar_t* paper : {L"", kPapers[0], kPapers[1], kPapers[2], kPapers[3]})
            shiftLines[{s, paper}] = ShiftOnPaper(kShifts[s], paper);
    for (unsigned seed = 1; seed <= 20; ++seed) {
        std::mt19937 random(seed);
        const auto pick = [&](int n) { return static_cast<int>(random() % static_cast<unsigned>(n)); };
        JSE_PageCollection c;
        Engine engine(c);
        std::vector<PageModel> model(kPages + 1);
        for (int step = 0; step < 40 && !testing::Test::HasFailure(); ++step) {
            const long a = 1 + pick(kPages), b = std::min<long>(kPages, a + pick(8));
            const auto each = [&](auto change) {
                for (long p = a; p <= b; ++p) change(model[p]);
            };
            const int code = kLayoutCodes[pick(4)];
            const int value = code == kPeChapterStart ? 1 : 1 + pick(code == kPePrintSide ? 2 : 3);
            const WString paper = kPapers[pick(4)];
            const int shift = pick(2), op = pick(8);
            if (op <= 1) {
                c.JSE_PageCollection_SetPageType(a, b, code, value);
                each([&](PageModel& m) { m.layout[code] = value; });
            } else if (op == 2) {
                c.JSE_PageCollection_RemovePageFeature(a, b, code, 0);
                each([&](PageModel& m) { m.layout.erase(code); });
            } else if (op == 3) {
                Substitute(c, a, b, paper);
                each([&](PageModel& m) { m.paper = paper; });
            } else if (op == 4) {  // the first substitution over the pages taken away whole, as Delete does
                for (long i = 0, first, last; i < c.JSE_PageCollection_GetSize(); ++i) {
                    int type = 0, kindValue = 0;
                    c.JSE_PageCollection_GetPageNumber(i, first, last);
                    c.JSE_PageCollection_GetPageTypeAndValue(i, type, kindValue);
                    if (type != kPePaperSubstitution || first > b || last < a) continue;
                    c.JSE_PageCollection_RemovePageFeature(first, last, type, kindValue);
                    for (long p = first; p <= last; ++p) model[p].paper.clear();
                    break;
                }
            } else if (op == 5) {
                SetShift(c, a, b, kShifts[shift]);
                each([&](PageModel& m) { m.shift = kShifts[shift]; });
            } else if (op == 6) {  // a stapled subset, as the subset group makes one
                c.JSE_PageCollection_SetProperty(a, b, 1, paper, kPeFinishingSubset, 2, true);
                c.JSE_PageCollection_SetPageType(a, b, kPeFinishingSubset, 2);
                long entry = -1;
                if (c.JSE_PageCollection_FindPageFeatureByPageNumbers(a, b, kPeFinishingSubset, entry))
                    c.JSE_PageCollection_AddPageFeature(entry, kPeSubsetOutput, 2);
            } else if (c.JSE_PageCollection_GetSize() > 0) {  // the finishing pane's punching of an entry
                const int entry = pick(static_cast<int>(c.JSE_PageCollection_GetSize()));
                c.JSE_PageCollection_AddPageFeature(entry, kPePunch, shift);
            }
            SCOPED_TRACE(testing::Message() << "seed " << seed << " step " << step << " on " << a << ".." << b);
            EXPECT_TRUE(PagesOf(c) == model);
            const std::string ticket = engine.ticket();
            std::map<long, std::string> slips = PagesOfLines(ticket, "%VLXSlip:", kSlipItem);
            std::map<long, std::string> shifts = PagesOfLines(ticket, "%VLXPeShift:", kShiftItem);
            for (long p = 1; p <= kPages; ++p) {
                const PageModel& page = model[p];
                // The job prints simplex; its slip sheets print as the page does.
                const auto plex = page.layout.find(kPePrintMode);
                const bool duplex = plex != page.layout.end() && plex->second != 1;
                const std::string slip = std::string(page.paper.begin(), page.paper.end()) + " " +
                                         (duplex ? "duplex " : "simplex ");
                EXPECT_EQ(slips[p], page.paper.empty() ? "" : slip) << "page " << p;
                const int known = !page.shift ? -1 : page.shift == kShifts[0] ? 0 : 1;
                const std::string expected = known < 0 ? "" : shiftLines[std::pair(known, page.paper)];
                EXPECT_EQ(shifts[p], expected) << "page " << p;
            }
        }
    }
}

// Plex runs and a substitution with or without a plex of its own, handed
// over in a random order; some begin on the page another begins on, and are
// then of another length, so that the inner one is known. A record of the
// job's plex begun inside another range leaves that range as it is.
TEST(PageCollectionModel, StoredRecordsGiveEachPageThePlexOfTheInnermostRecordHoldingIt) {
    const int kValues[] = {kPeNotSet, 1, 2, 3};
    const char* const kWords[] = {"simplex", "simplex", "duplex(longedge)", "duplex(shortedge)"};  // the job's simplex
    for (unsigned seed = 1; seed <= 100; ++seed) {
        std::mt19937 random(seed);
        std::vector<long> starts(kPages);
        std::iota(starts.begin(), starts.end(), 1);
        std::shuffle(starts.begin(), starts.end(), random);
        JSE_PageCollection none;
        Engine engine(none);
        std::vector<long> lengths(12);
        std::iota(lengths.begin(), lengths.end(), 0);
        std::shuffle(lengths.begin(), lengths.end(), random);
        std::vector<JSE_PageExceptionType> records(1 + random() % 7);
        std::vector<int> values(records.size());
        for (std::size_t r = 0; r < records.size(); ++r) {
            JSE_PageExceptionType& record = records[r];
            record.exceptionMode = r == 0 ? kPePaperSubstitution : kPePrintMode;
            const long shared = r > 0 ? records[random() % r].startingPage : kPages;
            record.startingPage = shared + 11 <= kPages && random() % 3 == 0 ? shared : starts[r];
            record.endingPage = std::min<long>(kPages, record.startingPage + lengths[r]);
            record.pePlex = r > 0 || random() % 2;
            values[r] = static_cast<int>(random() % 4);
            record.pePlexValue = kValues[values[r]];
        }
        // Outer records first: each then gives its pages its plex, unless it
        // only says "the job's" and begins on a page that one holds already.
        std::vector<std::size_t> outerFirst(records.size());
        std::iota(outerFirst.begin(), outerFirst.end(), 0);
        std::stable_sort(outerFirst.begin(), outerFirst.end(), [&](std::size_t a, std::size_t b) {
            return records[a].startingPage != records[b].startingPage ? records[a].startingPage < records[b].startingPage
                                                                      : records[a].endingPage > records[b].endingPage;
        });
        std::vector<std::optional<int>> model(kPages + 1);  // the value giving a page its plex
        for (std::size_t r : outerFirst) {
            const JSE_PageExceptionType& record = records[r];
            if (!record.pePlex || (values[r] == 0 && model[record.startingPage])) continue;
            for (long p = record.startingPage; p <= record.endingPage; ++p) model[p] = values[r];
        }
        records[0].fromJobPaper = false;
        records[0].mediaName = L"Letter_Blue";
        for (const JSE_PageExceptionType& record : records) engine.service.JSE_JobTicket_SetPageExceptionItem(record);
        SCOPED_TRACE(testing::Message() << "seed " << seed);
        const std::string ticket = engine.ticket();
        std::map<long, std::string> slips = PagesOfLines(ticket, "%VLXSlip:", kSlipItem);
        for (long p = 1; p <= kPages; ++p) {
            const std::string word = kWords[model[p].value_or(0)];
            EXPECT_EQ(PlexOfPage(ticket, p), word) << "page " << p;
            const bool blue = p >= records[0].startingPage && p <= records[0].endingPage;
            EXPECT_EQ(slips[p], !blue ? "" : word == "simplex" ? "Letter_Blue simplex " : "Letter_Blue duplex ");
        }
    }
}

}  // namespace
