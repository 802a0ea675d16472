// The page features of a template into the page collection: the entries of
// the "pageFeatures" list of a current template, and the page sets and
// page-feature arrays of a template of the earlier release. Papers of
// substitutions and inserts become the page ranges' properties; punch,
// staple and subset settings join the range's record once it exists.
#include <algorithm>
#include <array>
#include <cmath>
#include <deque>
#include <map>
#include <numeric>
#include <span>
#include <utility>
#include <vector>

#include "ImageDistanceLimits.h"
#include "PageEntries.h"
#include "PageFeatureKeys.h"
#include "PageFeatureList.h"
#include "SystemLog.h"
#include "zqController.h"
#include "zqControllerTemplateValues.h"

namespace {

constexpr int kPaperProperty = 1;

// A shift in points may reach what the pane can come to hold.
constexpr template_values::Range kShiftPoints{image_limits::ShiftReachInPoints().lowest,
                                              image_limits::ShiftReachInPoints().highest};

// The values the page-exception pane gives a feature of pages: each print
// mode, each side, a chapter's start, the half turn, each subset device and
// staple position, trimming on or off, offset stacking off or on, no fold or
// a saddle fold, an insert's tray or the job's.
constexpr int kPrintModes[] = {1, 2, 3};
constexpr int kPrintSides[] = {1, 2};
constexpr int kChapterStarts[] = {1};
constexpr int kRotations[] = {3};
constexpr int kDevicesAndStaples[] = {1, 2, 3, 4, 5};
constexpr int kTrims[] = {10, 11};
constexpr int kOffsets[] = {6, 7};
constexpr int kFolds[] = {8, 9};
constexpr int kTrays[] = {1, 2, 3, kPeNotSet};

constexpr std::pair<int, std::span<const int>> kPageFeatureValues[] = {
    {kPePrintMode, kPrintModes},           {kPePrintSide, kPrintSides},   {kPeChapterStart, kChapterStarts},
    {kPeRotation, kRotations},             {kPeSubsetOutput, kDevicesAndStaples},
    {kPeFinishingSubset, kDevicesAndStaples}, {kPeSubsetStaple, kDevicesAndStaples},
    {kPeSubsetTrim, kTrims},               {kPeSubsetJog, kOffsets},      {kPeSubsetFold, kFolds},
    {kPeInsertBefore, kTrays},             {kPeInsertAfter, kTrays}};

// The values the pane gives the code; none for a code any number goes with.
std::optional<std::span<const int>> PaneValues(int code) {
    for (const auto& [known, values] : kPageFeatureValues)
        if (known == code) return values;
    return std::nullopt;
}

// The value of the key as the pane gives the code one: a punch is a pattern
// or 0; the other codes take any number (those no pane gives are refused as
// features later).
std::optional<std::int64_t> PageFeatureValue(template_values::Group& entry, const char* key, int code) {
    if (const auto values = PaneValues(code)) return entry.oneOf(key, *values);
    if (code == kPePunch) return entry.number(key, template_values::FeatureRange(kFeaturePunchPattern));
    return entry.number(key, template_values::kAnyNumber);
}

// An entry as text, its keys in the order they were written, as the
// page-exception pane writes them.
std::string EntryText(const platform::Dictionary& entry) {
    std::string text;
    for (const auto& [key, value] : entry) text += key + "=" + value.text() + ";";
    return text;
}

// Whether the entries of pages lie on pages apart from each other, in page
// order: records made for them stand in that order however they were made.
bool ListedApart(const platform::Array& entries) {
    long lastPage = 0;
    for (const platform::Value& entry : entries) {
        const platform::Dictionary& values = entry.dictionary();
        if (values["featureType"].intValue() == kPeImageShift) continue;
        if (values["startPage"].intValue() <= lastPage) return false;
        lastPage = values["endPage"].intValue();
    }
    return true;
}

// An applied entry as the panes receive it: an image shift's distance that
// shows as 0.00 or -0.00 without being 0 reads 0.00, as it is stored; every
// other text stays as the template wrote it.
platform::Value AsStored(const platform::Value& entry) {
    const platform::Dictionary& values = entry.dictionary();
    if (values["featureType"].intValue() != kPeImageShift) return entry;
    platform::Dictionary shift = values.copy();
    for (const char* key : {"x1", "y1", "x2", "y2"}) {
        const float written = values[key].floatValue();
        if (zqController::PlusZeroAtTwoDecimals(written) == 0 && (written != 0 || std::signbit(written)))
            shift.set(key, platform::FormatDecimal(0));
    }
    return shift;
}

bool IsPaperKind(int code) {
    return code == kPeSubsetOutput || code == kPePaperSubstitution || code == kPeInsertBefore ||
           code == kPeInsertAfter || code == kPeFinishingSubset;
}

// An older array read from its start; past its end every read gives 0.
struct ArrayReader {
    const platform::Array& items;
    std::size_t next = 0;
    bool more() const { return next < items.size(); }
    const platform::Value& take() { return more() ? items[next++] : items[items.size()]; }
    std::int64_t number() { return take().integerValue(); }
};

}  // namespace

// ---------------------------------------------------------------------------
// Current templates

// An entry is applied whole or not at all; the list the panes receive
// holds the entries applied. The rules judge each entry by the pages as
// stored so far, so an entry they refuse is tried again after the others:
// a print side or a one-sided paper may come before the print mode its
// pages need. What is refused when no more can be stored is left out.
void zqController::applyPageFeatures(const platform::Dictionary& substitution, int orientation,
                                     template_values::Outcome& outcome) {
    const platform::Value* features = substitution.find("pageFeatures");
    if (!features) return;
    m_appliedPageFeatures = platform::Array();
    if (!features->isArray()) {
        outcome.leaveOut("", "pageFeatures", "is not a list");
        return;
    }
    const platform::Array& entries = features->array();
    std::vector<std::size_t> waiting(entries.size());
    std::iota(waiting.begin(), waiting.end(), 0);
    std::vector<bool> applied(entries.size());
    bool outOfOrder = false;
    for (bool first = true, stored = true; stored && !waiting.empty(); first = false) {
        template_values::Outcome trial(false);
        const std::vector<std::size_t> tried = std::exchange(waiting, {});
        stored = false;
        for (const std::size_t i : tried) {
            if (!applyPageFeatureEntry(entries[i], orientation, trial)) {
                waiting.push_back(i);
                continue;
            }
            applied[i] = stored = true;
            outOfOrder = outOfOrder || !first;
        }
    }
    for (const std::size_t i : waiting) {
        applyPageFeatureEntry(entries[i], orientation, outcome);  // refused again, and logged
        outcome.incomplete();
    }
    if (outOfOrder) storePageFeaturesInOrder(entries, applied, orientation);
    for (std::size_t i = 0; i < entries.size(); ++i)
        if (applied[i]) m_appliedPageFeatures->append(AsStored(entries[i]));
    arrangePagesAsListed(*m_appliedPageFeatures);
}

// The page records in the order the template lists them, the order they
// stood in when it was saved. The editing roads place a record by the
// records already there, so the same records made in another order can
// stand in another order (inserts on one page, a layout range made after
// them), and the ticket lists records that begin on one page as they stand.
// A record is known by its first entry as the pane writes it; one the
// template does not list so stays behind the record before it.
void zqController::arrangePagesAsListed(const platform::Array& entries) {
    if (ListedApart(entries)) return;
    std::map<std::string, std::deque<long>> listed;
    for (std::size_t i = 0; i < entries.size(); ++i)
        listed[EntryText(entries[i].dictionary())].push_back(static_cast<long>(i));
    const PageEntries held = ReadPageEntries(this);
    std::vector<std::pair<long, long>> places;  // place in the template, record
    long place = -1;
    for (std::size_t r = 0; r < held.pages.size(); ++r) {
        const platform::Array made = PageFeatureList(PageEntries{{held.pages[r]}, {}});
        auto found = made.empty() ? listed.end() : listed.find(EntryText(made[0].dictionary()));
        if (found != listed.end() && !found->second.empty()) {
            place = found->second.front();
            found->second.pop_front();
        }
        places.emplace_back(place, static_cast<long>(r));
    }
    const auto listedBefore = [](const auto& a, const auto& b) { return a.first < b.first; };
    if (std::is_sorted(places.begin(), places.end(), listedBefore)) return;
    std::stable_sort(places.begin(), places.end(), listedBefore);
    std::vector<long> order;
    for (const auto& [listedAt, record] : places) order.push_back(record);
    m_pageCollection->JSE_PageCollection_ArrangePages(order);
    JSE_LoadPageExceptionToValidation();
}

bool zqController::applyPageFeatureEntry(const platform::Value& entry, int orientation,
                                         template_values::Outcome& outcome) {
    if (!entry.isDictionary()) return false;
    template_values::Group values(entry.dictionary(), "", outcome);
    return applyPageFeatureEntry(values, orientation);
}

// The pages again as the template lists the entries taken, so that they
// hold them in its order; the rules have judged them all.
void zqController::storePageFeaturesInOrder(const platform::Array& entries, const std::vector<bool>& applied,
                                            int orientation) {
    JSE_PageCollection_RemoveAllPages();
    const int validation = std::exchange(_PeValidation, 0);
    template_values::Outcome again(false);
    for (std::size_t i = 0; i < entries.size(); ++i)
        if (applied[i]) applyPageFeatureEntry(entries[i], orientation, again);
    _PeValidation = validation;
}

// Every value of the entry is read and checked before any is applied.
bool zqController::applyPageFeatureEntry(template_values::Group& entry, int orientation) {
    using template_values::kAnyNumber;
    const auto startPage = entry.number("startPage", kAnyNumber), endPage = entry.number("endPage", kAnyNumber);
    if (!startPage || !endPage) return false;
    if (!template_values::PageRange(*startPage, *endPage, "page feature", entry.outcome())) return false;
    const int first = static_cast<int>(*startPage), last = static_cast<int>(*endPage);
    const auto code = entry.number("featureType", kAnyNumber);
    if (!code) return false;
    const auto value = PageFeatureValue(entry, "featureValue", static_cast<int>(*code));
    const auto paper = entry.text("propertyValue");
    if (!value || !paper) return false;
    const int c = static_cast<int>(*code), v = static_cast<int>(*value);
    if (IsLayoutCode(c)) {
        if (!pageRulesTake(entry, first, last, *paper, {{c, v}})) return false;
        JSE_SetPageFeature(first, last, c, v);
        return true;
    }
    if (c == kPeImageShift) return applyImageShiftEntry(entry, first, last, orientation);
    if (c != kPePaperSubstitution && c != kPeInsertBefore && c != kPeInsertAfter && c != kPeSubsetOutput) {
        entry.leaveOut("featureType", "= \"" + platform::FormatInteger(c) + "\" is no page feature");
        return false;
    }
    if (!knownPaper(*paper)) {
        entry.leaveOut("propertyValue", "names a paper the catalog in use lacks");
        return false;
    }
    // The companions the entry holds, each a code and its value.
    std::vector<std::pair<int, int>> companions;
    const auto companion = [&](const char* key, const char* valueKey, int expected) {
        if (!entry.has(key)) return true;
        const auto kind = entry.number(key, {double(expected), double(expected)});
        const auto setting = PageFeatureValue(entry, valueKey, expected);
        if (kind && setting) companions.emplace_back(expected, static_cast<int>(*setting));
        return kind && setting;
    };
    if (c != kPeSubsetOutput) {
        if (!companion("punch", "punchValue", kPePunch)) return false;
        if (!pageRulesTake(entry, first, last, *paper, {{c, v}, {kPePunch, 0}})) return false;
        const int record = setPagePaper(first, last, c == kPePaperSubstitution ? kPaperProperty : c, *paper, c, v);
        for (const auto& [feature, setting] : companions) JSE_PageCollection_AddPageFeature(record, feature, setting);
        return true;
    }
    if (!companion("stapleType", "staplePosition", kPeSubsetStaple)) return false;
    for (const auto& [key, code] : kSubsetFeatureKeys) {
        if (!entry.has(key)) continue;
        const auto setting = PageFeatureValue(entry, key, code);
        if (!setting) return false;
        companions.emplace_back(code, static_cast<int>(*setting));
    }
    if (!pageRulesTake(entry, first, last, *paper, {{c, v}})) return false;
    const int record = setPagePaper(first, last, kPaperProperty, *paper, kPeFinishingSubset, v);
    if (record < 0) return true;
    JSE_PageCollection_AddPageFeature(record, kPeSubsetOutput, v);
    for (const auto& [feature, setting] : companions) JSE_PageCollection_AddPageFeature(record, feature, setting);
    return true;
}

// Asked of the rules as the page-exception pane asks them, each code with
// its value in turn, while the user has the page checks on.
bool zqController::pageRulesTake(template_values::Group& entry, int first, int last, const std::string& paper,
                                 std::initializer_list<std::pair<int, int>> features) {
    if (_PeValidation != 1) return true;
    for (const auto& [code, value] : features) {
        if (const int refusal = JSE_ValidationOnExceptions(first, last, code, paper, value)) {
            entry.leaveOut("featureType", "= \"" + platform::FormatInteger(code) +
                                              "\" is refused by the printer's rules (" +
                                              platform::FormatInteger(refusal) + ")");
            return false;
        }
    }
    return true;
}

// Mirrored when side 2 is side 1 mirrored as the page-exception pane
// mirrors it, across the axis of the shift's orientation (the entry's own,
// else the one given). A distance that is more than a number ("36,5", which
// would read as 36) leaves the entry out.
bool zqController::applyImageShiftEntry(template_values::Group& entry, int first, int last, int orientation) {
    std::array<float, 4> points{};
    for (std::size_t i = 0; i < points.size(); ++i) {
        const auto value = entry.wholeDecimal(std::array{"x1", "y1", "x2", "y2"}[i], kShiftPoints);
        if (!value) return false;
        points[i] = static_cast<float>(PlusZeroAtTwoDecimals(*value));
    }
    if (entry.has("orientation")) {
        const auto own = entry.number("orientation", {1, 2});
        if (!own) return false;
        orientation = static_cast<int>(*own);
    }
    const auto& [x1, y1, x2, y2] = points;
    float mirroredX = x1, mirroredY = y1;
    MirrorPageShift(orientation, mirroredX, mirroredY);
    const bool mirror = x2 == mirroredX && y2 == mirroredY;
    JSE_PageCollection_SetImageFeature(first, last, kPeImageShift, 0, mirror ? 1 : 0, orientation, x1, y1, x2, y2);
    return true;
}

// ---------------------------------------------------------------------------
// Templates of the earlier release

void zqController::convertPageFeatures(template_values::Outcome& outcome) {
    const platform::Dictionary& older = m_jobFeatureDict;
    const platform::Value* sets = older.find(getNSStringWithID(13048));
    if (sets && sets->isArray() && !sets->array().empty()) {
        m_release7PageSet = platform::Array();
        ArrayReader pages{sets->array()};
        while (pages.more()) {
            const std::int64_t first = pages.number();
            const std::int64_t last = pages.more() ? pages.number() : first;
            m_release7PageSet->append(platform::Dictionary{{"startPage", platform::FormatInteger(first)},
                                                           {"endPage", platform::FormatInteger(last)}});
        }
    }
    const platform::Value* features = older.find(getNSStringWithID(13061));
    if (!features || !features->isDictionary()) return;
    for (const auto& [key, record] : features->dictionary())
        if (record.isArray()) convertPageFeatureArray(record.array(), outcome);
}

// Kind, value, pages, two numbers not used, for a kind with a paper its
// name and one number more, then pairs of code and value.
void zqController::convertPageFeatureArray(const platform::Array& items, template_values::Outcome& outcome) {
    ArrayReader in{items};
    const std::int64_t kind = in.number();
    in.number();  // the kind's own value
    const std::int64_t startPage = in.number(), endPage = in.number();
    if (kind == kPeImageShift) return;
    in.next += 2;
    const bool withPaper = IsPaperKind(static_cast<int>(kind));
    const std::string paper = withPaper ? in.take().text() : std::string();
    if (!in.more()) return;
    if (withPaper) in.next += 1;
    if (!template_values::PageRange(startPage, endPage, "earlier page feature", outcome)) return outcome.incomplete();
    const int first = static_cast<int>(startPage), last = static_cast<int>(endPage);
    while (in.more()) {
        const std::int64_t code = in.number();
        const std::int64_t value = in.number();
        if (code < INT32_MIN || code > INT32_MAX || value < INT32_MIN || value > INT32_MAX) continue;
        if (!convertPageFeaturePair(first, last, static_cast<int>(code), static_cast<int>(value), paper))
            outcome.incomplete();
    }
}

bool zqController::convertPageFeaturePair(int first, int last, int code, int value, const std::string& paper) {
    const auto values = PaneValues(code);
    const template_values::Range patterns = template_values::FeatureRange(kFeaturePunchPattern);
    if ((values && std::find(values->begin(), values->end(), value) == values->end()) ||
        (code == kPePunch && (value < patterns.min || value > patterns.max))) {
        platform::ConsoleLog(platform::Format("zqController: template earlier page feature %d = %d is no value the "
                                              "panes give and was not applied",
                                              code, value));
        return false;
    }
    switch (code) {
        case kPePaperSubstitution:
        case kPeInsertBefore:
        case kPeInsertAfter:
        case kPeFinishingSubset: {
            if (!knownPaper(paper)) {
                platform::ConsoleLog("zqController: template earlier page feature names a paper the catalog in use "
                                     "lacks and was not applied");
                return false;
            }
            const std::string name = paper.empty() ? wstringToNSString(mJobFeature.bodyPaper) : paper;
            const bool insert = code == kPeInsertBefore || code == kPeInsertAfter;
            setPagePaper(first, last, insert ? code : kPaperProperty, name, code, value);
            break;
        }
        case kPeSubsetOutput:
        case kPeSubsetStaple:
        case kPeSubsetTrim:
        case kPeSubsetJog: addToRecordHolding(first, last, kPeFinishingSubset, code, value); break;
        case kPePunch:
            for (int i = 0; i < JSE_PageCollection_GetSize(); ++i) JSE_PageCollection_AddPageFeature(i, kPePunch, value);
            break;
        default:
            if (IsLayoutCode(code)) JSE_SetPageFeature(first, last, code, value);
            break;
    }
    return true;
}

// ---------------------------------------------------------------------------
// Page collection

// The paper as the range's property with its page type, then the feature;
// the record that holds it, -1 for none. Each insert is a record of its own,
// the one just made, however many the pages hold.
int zqController::setPagePaper(int first, int last, int property, const std::string& paper, int code, int value) {
    JSE_SetPageProperty(first, last, property, paper, code, value);
    int record = -1;
    if (m_pageCollection && (code == kPeInsertBefore || code == kPeInsertAfter)) {
        record = static_cast<int>(m_pageCollection->JSE_PageCollection_SetPageType(first, last, code, value));
        JSE_LoadPageExceptionToValidation();
    } else {
        JSE_SetPageFeature(first, last, code, value);
        JSE_PageCollection_FindPageFeatureByPageNumbers(first, last, code, record);
    }
    return record;
}

// Whether a record of the pages holds the holder's code; the feature is
// added to the first such record.
bool zqController::addToRecordHolding(int first, int last, int holder, int code, int value) {
    int record = -1;
    JSE_PageCollection_FindPageFeatureByPageNumbers(first, last, holder, record);
    if (record < 0) return false;
    JSE_PageCollection_AddPageFeature(record, code, value);
    return true;
}
