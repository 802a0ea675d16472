// The validator's page-exception list driven by any sequence of calls against
// the shipped catalog and rules: records loaded, pages added and selected,
// pages and ranges removed, papers and control values applied to the
// selection, and every check, on pages from 0 to the 64-bit ends and on
// ranges that end before they start. The caller counts a use of a paper for
// each record it loads on that paper and, after giving papers to the
// selected pages, counts the uses again; the validator takes a use off for
// each record it removes. After every call the use count of each exception
// paper equals the number of records in the list printing on it, no paper
// stands twice or with a count below 1, the selection holds each page and
// code once, and every check answers 0, a message identifier or one of its
// documented codes.
#include <climits>
#include <iterator>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "JSE_Preference.h"
#include "JSE_Validation.h"
#include "fuzz_support.h"

namespace {

class Validator : public JSE_Validation {
public:
    using JSE_Validation::JSE_Validation;
    const std::vector<paperException>& Papers() const { return exceptionPapers; }
    const std::vector<pageSelectionRecord>& Selection() const { return selectedPages; }
};

const wchar_t* const kPapers[] = {L"", L"Letter", L"A4", L"Legal", L"Letter_Transparency", L"Letter_Cover",
                                  L"Tabloid", L"Letter_Insert", L"Unknown"};
const int kCodes[] = {232, 233, 234, 235, 236, 237, 238, 239, 240, 224, 225, 241, 242, 300, 310, 231, 250};
const long kFarPages[] = {99999, INT_MAX, static_cast<long>(INT_MAX) + 1, LONG_MAX - 1, LONG_MAX, LONG_MIN, -1, 100000};
const int kValues[] = {0, 1, 2, 3, 4, 5, 6, 7, 10, 11, 255};
const int kMessages[] = {16000, 16002, 16004, 16006, 16009, 16011, 16017, 16022, 16023, 16024, 16025,
                         16114, 16118, 16120, 16125, 16134, 16135, 16136, 16141, 16142};

constexpr std::size_t kMostOperations = 64;
constexpr long kMostRecords = 200;

// Reads the fuzz input as small choices; past its end every choice is 0.
class Choices {
public:
    Choices(const std::uint8_t* data, std::size_t size) : m_data(data), m_size(size) {}
    bool More() const { return m_at < m_size; }
    int Byte() { return m_at < m_size ? m_data[m_at++] : 0; }
    template <class T, std::size_t N>
    T From(const T (&table)[N]) { return table[static_cast<std::size_t>(Byte()) % N]; }
    long Page() {
        const int b = Byte();
        return b < 224 ? b % 24 : kFarPages[b % std::size(kFarPages)];
    }
    int SmallPage() { return static_cast<int>(Byte() % 24); }
    bool Flag() { return Byte() & 1; }

private:
    const std::uint8_t* m_data;
    std::size_t m_size;
    std::size_t m_at = 0;
};

struct Engine {
    Engine()
        : catalog(L"English", Wide(LUMAPREX_DATA_DIR "/PaperCatalog.cat"), fuzz::Catalog::kColors,
                  fuzz::Catalog::kTypes, L':', false),
          store(L"Qwi_JSE.prf", L"English") {
        store.JSE_Preference_Set_Media_Reference(&catalog);
        store.JSE_Preference_Set_Factory_Default();
    }
    static WString Wide(const char* text) { return WString(text, text + std::char_traits<char>::length(text)); }
    int Paper(const wchar_t* name) const { return *name ? catalog.JSE_Media_GetIndex(name) : -1; }
    JSE_Media catalog;
    JSE_Preference store;
};

std::vector<JSE_PageExceptionType> Records(Validator& v) {
    std::vector<JSE_PageExceptionType> records(static_cast<std::size_t>(v.JSE_Validation_Get_NumberOf_PeRecord()));
    for (std::size_t i = 0; i < records.size(); ++i)
        FUZZ_CHECK(v.JSE_Validation_GetPageExceptionItem(static_cast<long>(i), records[i]) == 0, "every index reads");
    JSE_PageExceptionType beyond;
    FUZZ_CHECK(v.JSE_Validation_GetPageExceptionItem(static_cast<long>(records.size()), beyond) == kValidationBadIndex,
               "the index past the list is refused");
    return records;
}

// The records printing on each catalog paper.
std::map<int, int> Uses(Validator& v, const JSE_Media& catalog) {
    std::map<int, int> uses;
    for (const JSE_PageExceptionType& r : Records(v)) {
        const int paper = catalog.JSE_Media_GetIndex(r.mediaName);
        if (!r.fromJobPaper && paper >= 0) ++uses[paper];
    }
    return uses;
}

std::map<int, int> Counts(const Validator& v) {
    std::map<int, int> counts;
    for (const auto& entry : v.Papers()) {
        FUZZ_CHECK(entry.count >= 1, "a paper's count is at least 1");
        FUZZ_CHECK(counts.emplace(entry.paper, entry.count).second, "a paper stands once");
    }
    return counts;
}

// The caller counts the uses again after giving papers to records.
void CountAgain(Validator& v, const JSE_Media& catalog) {
    std::map<int, int> uses = Uses(v, catalog), counts = Counts(v);
    for (const auto& [paper, n] : uses)
        for (int k = counts[paper]; k < n; ++k) v.AddItemToPaperSubstitutionList(paper);
    for (const auto& [paper, n] : counts)
        for (int k = uses[paper]; k < n; ++k) v.JSE_Validation_Remove_Exception_Media(paper);
}

void CheckAnswer(long result, std::initializer_list<long> codes = {}) {
    bool known = result == 0;
    for (const int message : kMessages) known = known || result == message;
    for (const long code : codes) known = known || result == code;
    FUZZ_CHECK(known, "a check answers 0, a message or a documented code");
}

JSE_PageExceptionType Record(Choices& in) {
    JSE_PageExceptionType r;
    r.exceptionMode = in.From(kCodes);
    r.startingPage = in.Page();
    const bool onePage = in.Flag();
    r.endingPage = onePage ? r.startingPage : in.Page();
    const wchar_t* paper = in.From(kPapers);
    r.fromJobPaper = *paper == L'\0';
    r.mediaName = paper;
    const int flags = in.Byte();
    r.peSubset = flags & 1;
    r.pePlexValue = flags & 2 ? in.From(kValues) : kPeNotSet;
    r.paperExit = flags & 4 ? in.From(kValues) : kPeNotSet;
    r.peRecord.peOutputValue = flags & 8 ? in.From(kValues) : kPeNotSet;
    r.peRecord.peTrim = flags & 16 ? (r.peRecord.peTrimValue = in.From(kValues), 1) : 0;
    r.peRecord.peJogValue = flags & 32 ? in.From(kValues) : kPeNotSet;
    r.peSideValue = flags & 64 ? in.From(kValues) : kPeNotSet;
    r.pePunch = flags & 128;
    r.reserved = in.Flag();
    return r;
}

void Step(Validator& v, const Engine& engine, Choices& in) {
    int ignored = 0;
    switch (in.Byte() % 16) {
    case 0: {
        if (v.JSE_Validation_Get_NumberOf_PeRecord() >= kMostRecords) break;
        const JSE_PageExceptionType r = Record(in);
        v.JSE_Validation_Load_ExceptionRecord(r);
        const int paper = engine.catalog.JSE_Media_GetIndex(r.mediaName);
        if (!r.fromJobPaper && paper >= 0) v.AddItemToPaperSubstitutionList(paper);
        break;
    }
    case 1: {
        const long page = in.Page();
        const int paper = engine.Paper(in.From(kPapers));
        CheckAnswer(v.JSE_Validation_Add_PePage(page, paper, in.From(kCodes)));
        break;
    }
    case 2: {
        const int page = in.SmallPage();
        CheckAnswer(v.JSE_Validation_Select_Page(page, in.From(kCodes)), {kValidationNoRecord});
        break;
    }
    case 3: {
        const int page = in.SmallPage();
        CheckAnswer(v.JSE_Validation_Remove_PePage(page, in.From(kCodes)), {-1});
        break;
    }
    case 4: {
        const int first = in.Flag() ? INT_MIN : in.SmallPage();
        const int last = in.Flag() ? INT_MAX : in.SmallPage();
        FUZZ_CHECK(v.JSE_Validation_Remove_PePageRange(first, last, in.From(kCodes)) == 0, "a range removal answers 0");
        break;
    }
    case 5:
        v.JSE_Validation_Remove_All_PageList();
        v.JSE_Validation_Remove_All_Exception_Media();
        break;
    case 6: {
        v.JSE_Validation_Select_PeMedia(engine.Paper(in.From(kPapers)));
        const bool apply = in.Flag();
        const bool fromStore = in.Flag();
        const int code = in.Flag() ? in.From(kCodes) : 0;
        CheckAnswer(v.JSE_Validation_On_Selected_PageOn_Media(apply, fromStore, code));
        CountAgain(v, engine.catalog);
        break;
    }
    case 7:
        CheckAnswer(v.JSE_Validation_SetMedia_For_Selected_Pages(in.From(kPapers)), {kValidationNoSelection});
        CountAgain(v, engine.catalog);
        break;
    case 8: {
        const int control = 45 + in.Byte() % 10;
        const int value = in.From(kValues);
        v.JSE_Validation_Select_PeCommand(control, value);
        CheckAnswer(v.JSE_Validation_On_Selected_PageOn_Command(ignored, false, in.Flag()));
        break;
    }
    case 9: CheckAnswer(v.JSE_Validation_Add_Exception_Media(engine.Paper(in.From(kPapers)), false)); break;
    case 10: CheckAnswer(v.Validation_On_PeList()); break;
    case 11: {
        const long first = in.Page();
        const long last = in.Page();
        const int code = in.From(kCodes);
        const wchar_t* name = in.From(kPapers);
        const JSE_MediaSelection paper(name, in.Flag());
        const int value = in.From(kValues);
        CheckAnswer(v.JSE_Validation_CheckPeFeature(first, last, Records(v), code, paper, value));
        CheckAnswer(v.JSE_Validation_OnPePageRange(first, last, paper, code, value, 0, false));
        break;
    }
    case 12: v.JSE_Validation_Clear_Selected_Page(); break;
    case 13: {
        const int controls[] = {0, 1, 9, 11, 22, 24, 54};
        const int control = in.From(controls);
        const int value = control == 0 ? engine.Paper(in.From(kPapers)) : in.From(kValues);
        v.JSE_Validation_SetControlValue(control, value);
        break;
    }
    case 14: v.JSE_Validation_SetTicketValidation(in.Flag()); break;
    default: {
        const int flags[] = {19, 28, 29, 32, 33, 34, 5};
        JSE_Validation::DependentItem rule;
        rule.flag = static_cast<std::int16_t>(in.From(flags));
        const int control = in.Byte() % 55;
        CheckAnswer(v.Check_PeLevel_List(control, in.From(kValues), rule));
    }
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static Engine engine;
    Validator v(&engine.catalog);
    v.JSE_Validation_Set_JSE_PreferenceRef(&engine.store);
    Choices in(data, size);
    for (std::size_t step = 0; step < kMostOperations && in.More(); ++step) {
        Step(v, engine, in);
        FUZZ_CHECK(Counts(v) == Uses(v, engine.catalog), "each paper's count is the records printing on it");
        std::set<std::pair<long, int>> selected;
        for (const auto& s : v.Selection())
            FUZZ_CHECK(selected.emplace(s.page, s.pageType).second, "a page is selected once per code");
    }
    return 0;
}
