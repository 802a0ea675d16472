// The page collection against a plain model of the job's pages: seeded
// random sequences of the calls the panes make (layout codes set and taken
// off, substitutions made and taken away, image shifts, finishing subsets,
// punching), each applied to the model page by page. After every call each
// page's layout, paper and image shift read from the collection, and the
// paper and shift the ticket written from it gives the page, are the model's.
#include <gtest/gtest.h>

#include <map>
#include <optional>
#include <random>
#include <regex>
#include <string>
#include <tuple>
#include <vector>

#include "JSE_PageCollection.h"
#include "JSE_Service.h"

namespace {

constexpr long kPages = 30;
const int kLayoutCodes[] = {kPePrintMode, kPePrintSide, kPeChapterStart, kPeRotation};
const wchar_t* const kPapers[] = {L"Letter_Blue", L"Legal", L"A3", L"A4"};
const std::string kCatalog = LUMAPREX_SOURCE_DIR "/data/PaperCatalog.cat";

struct PageModel {
    std::map<int, int> layout;  // code -> value
    WString paper;              // empty: the job's paper
    std::optional<ImageType> shift;
};

// An engine on the shipped catalog whose ticket reads the collection.
struct Engine {
    explicit Engine(JSE_PageCollection& pages)
        : service(L"English", WString(), WString(kCatalog.begin(), kCatalog.end()), WString(), false) {
        service.JSE_Media_SetOSPlatform(2);
        service.JSE_JobTicket_Set_PeDeviceLookup(true);
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

// What a keyword's lines (the keyword line and its continuations) say of
// each page: the captures of the pattern, the last two being the pages.
std::map<long, std::string> PagesOfLines(const std::string& ticket, const std::string& keyword, const std::regex& item) {
    std::map<long, std::string> pages;
    std::size_t at = ticket.find(keyword);
    while (at != std::string::npos) {
        const std::size_t end = ticket.find("\r\n", at);
        const std::string line = ticket.substr(at, end - at);
        for (std::sregex_iterator it(line.begin(), line.end(), item), stop; it != stop; ++it) {
            const std::smatch& m = *it;
            const long first = std::stol(m[m.size() - 2]);
            const long last = m[m.size() - 1].matched ? std::stol(m[m.size() - 1]) : first;
            std::string said;
            for (std::size_t k = 1; k + 2 < m.size(); ++k) said += m[k].str() + " ";
            for (long p = first; p <= last; ++p) EXPECT_TRUE(pages.emplace(p, said).second) << "page " << p << " twice";
        }
        at = end != std::string::npos && ticket.compare(end + 2, 4, "%%+ ") == 0 ? end + 2 : std::string::npos;
        if (at == std::string::npos) at = ticket.find(keyword, end);
    }
    return pages;
}

const std::regex kSlipItem(R"(\(([^()]+)\) +(?:punch\(none\) +)?(?:simplex|duplex) +(\d+)(?:\.\.(\d+))?)");
const std::regex kShiftItem(R"(frontX\(([-.0-9]+)\) frontY\(([-.0-9]+)\) backX\(([-.0-9]+)\) backY\(([-.0-9]+)\) +(\d+)(?:\.\.(\d+))?)");

class PageCollectionModel : public ::testing::Test {
protected:
    // The shift line the ticket writes for the shift alone, on one page of
    // the paper: what every page with that shift and paper must get.
    std::string ShiftOnPaper(const ImageType& shift, const WString& paper) {
        const auto key = std::tuple(shift.x1, shift.y1, shift.x2, shift.y2, shift.mirror, shift.orientation, paper);
        if (const auto known = m_shiftLines.find(key); known != m_shiftLines.end()) return known->second;
        JSE_PageCollection one;
        Engine engine(one);
        if (!paper.empty()) Substitute(one, 1, 1, paper);
        one.JSE_PageCollection_SetImageFeature(1, 1, kPeImageShift, shift.unit, shift.mirror, shift.orientation,
                                               shift.x1, shift.y1, shift.x2, shift.y2);
        return m_shiftLines[key] = PagesOfLines(engine.ticket(), "%VLXPeShift:", kShiftItem)[1];
    }
    static void Substitute(JSE_PageCollection& c, long a, long b, const WString& paper) {
        c.JSE_PageCollection_RemovePageFeature(a, b, kPePaperSubstitution, 0);
        c.JSE_PageCollection_SetProperty(a, b, 1, paper, kPePaperSubstitution, 0, true);
        c.JSE_PageCollection_SetPageType(a, b, kPePaperSubstitution, 0);
    }
    void Expect(JSE_PageCollection& c, Engine& engine, const std::vector<PageModel>& model) {
        const std::string ticket = engine.ticket();
        std::map<long, std::string> slips = PagesOfLines(ticket, "%VLXSlip:", kSlipItem);
        std::map<long, std::string> shifts = PagesOfLines(ticket, "%VLXPeShift:", kShiftItem);
        for (long p = 1; p <= kPages; ++p) {
            SCOPED_TRACE(testing::Message() << "page " << p);
            const PageModel& page = model[p];
            for (const int code : kLayoutCodes) {
                std::vector<int> values;
                for (long i = 0; i < c.JSE_PageCollection_GetSize(); ++i) {
                    long first = 0, last = 0;
                    int type = 0, value = 0;
                    c.JSE_PageCollection_GetPageNumber(i, first, last);
                    c.JSE_PageCollection_GetPageTypeAndValue(i, type, value);
                    if (type == code && first <= p && p <= last) values.push_back(value);
                }
                const auto held = page.layout.find(code);
                EXPECT_EQ(values, held == page.layout.end() ? std::vector<int>{} : std::vector<int>{held->second})
                    << "code " << code;
            }
            EXPECT_EQ(c.FindMediaRuns(p, p).front().paper, page.paper);
            EXPECT_EQ(slips[p], page.paper.empty() ? "" : std::string(page.paper.begin(), page.paper.end()) + " ");
            std::optional<ImageType> shift;
            for (long k = 0; k < c.JSE_PageCollection_GetPageImageSize(); ++k) {
                int first = 0, last = 0, typeValue = 0;
                ImageType held;
                c.JSE_PageCollection_GetImagePageNumber(k, first, last);
                c.JSE_PageCollection_GetImageFeature(k, 0, held.featureType, typeValue, held.unit, held.mirror,
                                                     held.orientation, held.x1, held.y1, held.x2, held.y2);
                if (first <= p && p <= last) {
                    EXPECT_FALSE(shift) << "two shifts";
                    shift = held;
                }
            }
            EXPECT_EQ(shift, page.shift);
            EXPECT_EQ(shifts[p], page.shift ? ShiftOnPaper(*page.shift, page.paper) : "");
        }
    }

private:
    std::map<std::tuple<float, float, float, float, bool, int, WString>, std::string> m_shiftLines;
};

TEST_F(PageCollectionModel, EveryPageHasTheLayoutPaperAndShiftTheCallsGaveIt) {
    const ImageType shifts[] = {{kPeImageShift, true, 0, 1, 36, 0, -36, 0}, {kPeImageShift, false, 1, 2, 0, 14.17f, 5, 8.5f}};
    for (unsigned seed = 1; seed <= 20; ++seed) {
        SCOPED_TRACE(testing::Message() << "seed " << seed);
        std::mt19937 random(seed);
        const auto pick = [&](int n) { return static_cast<int>(random() % static_cast<unsigned>(n)); };
        JSE_PageCollection c;
        Engine engine(c);
        std::vector<PageModel> model(kPages + 1);
        for (int step = 0; step < 40 && !HasFailure(); ++step) {
            const long a = 1 + pick(kPages), b = std::min<long>(kPages, a + pick(8));
            const auto each = [&](auto change) {
                for (long p = a; p <= b; ++p) change(model[p]);
            };
            const int code = kLayoutCodes[pick(4)];
            const int value = code == kPeChapterStart ? 1 : 1 + pick(code == kPePrintSide ? 2 : 3);
            switch (pick(8)) {
            case 0:
            case 1:
                c.JSE_PageCollection_SetPageType(a, b, code, value);
                each([&](PageModel& m) { m.layout[code] = value; });
                break;
            case 2:
                c.JSE_PageCollection_RemovePageFeature(a, b, code, 0);
                each([&](PageModel& m) { m.layout.erase(code); });
                break;
            case 3: {
                const WString paper = kPapers[pick(4)];
                Substitute(c, a, b, paper);
                each([&](PageModel& m) { m.paper = paper; });
                break;
            }
            case 4:  // a substitution taken away whole, as its row's Delete does
                for (long i = 0; i < c.JSE_PageCollection_GetSize(); ++i) {
                    long first = 0, last = 0;
                    int type = 0, kindValue = 0;
                    c.JSE_PageCollection_GetPageNumber(i, first, last);
                    c.JSE_PageCollection_GetPageTypeAndValue(i, type, kindValue);
                    if (type != kPePaperSubstitution || first > b || last < a) continue;
                    c.JSE_PageCollection_RemovePageFeature(first, last, type, kindValue);
                    for (long p = first; p <= last; ++p) model[p].paper.clear();
                    break;
                }
                break;
            case 5: {
                const ImageType& shift = shifts[pick(2)];
                c.JSE_PageCollection_SetImageFeature(a, b, kPeImageShift, shift.unit, shift.mirror, shift.orientation,
                                                     shift.x1, shift.y1, shift.x2, shift.y2);
                each([&](PageModel& m) { m.shift = shift; });
                break;
            }
            case 6: {  // a stapled subset, as the subset group makes one
                const int device = 2;
                c.JSE_PageCollection_SetProperty(a, b, 1, kPapers[pick(4)], kPeFinishingSubset, device, true);
                c.JSE_PageCollection_SetPageType(a, b, kPeFinishingSubset, device);
                long entry = -1;
                if (c.JSE_PageCollection_FindPageFeatureByPageNumbers(a, b, kPeFinishingSubset, entry))
                    c.JSE_PageCollection_AddPageFeature(entry, kPeSubsetOutput, device);
                break;
            }
            default:  // the finishing pane's punching of an entry
                if (c.JSE_PageCollection_GetSize() > 0)
                    c.JSE_PageCollection_AddPageFeature(pick(static_cast<int>(c.JSE_PageCollection_GetSize())), kPePunch,
                                                        pick(2));
                break;
            }
            SCOPED_TRACE(testing::Message() << "step " << step << " on " << a << ".." << b);
            Expect(c, engine, model);
        }
    }
}

}  // namespace
