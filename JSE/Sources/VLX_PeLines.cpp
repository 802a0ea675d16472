// The page-exception lines: forced side, plex, image shift, rotation, page
// copies and finishing subsets.
#include <algorithm>
#include <cstdint>
#include <iterator>
#include <map>
#include <unordered_set>

#include "JSE_Records.h"
#include "VLX_Writer.h"

namespace {

constexpr const char* kContinuation = "\r\n%%+ ";
constexpr std::int32_t kBreakCount = 80;
constexpr std::int32_t kContinuationLength = 6;  // CR LF and "%%+ "

// Output codes of a finishing subset.
constexpr std::int32_t kOutputStapler = 2;
constexpr std::int32_t kOutputBookmaker = 4;
constexpr std::int32_t kStapleSaddleJob = 4;  // the job's staplingMode for saddle stitching
constexpr std::int32_t kStapleBoth = 4;
constexpr std::int32_t kStapleNone = 1;
constexpr std::int32_t kStapleSaddle = 5;
constexpr std::int32_t kFoldNone = 8;
constexpr std::int32_t kFoldSaddle = 9;
constexpr std::int32_t kJogNone = 6;

// Adds an item to a line whose running count breaks it once it reaches 80.
void addCounted(std::string& line, std::int32_t& count, const std::string& item) {
    if (count >= kBreakCount) {
        line += kContinuation;
        line += item;
        count = static_cast<std::int32_t>(item.size()) + kContinuationLength;
    } else {
        line += item;
        count += static_cast<std::int32_t>(item.size());
    }
}

// Breaks a line once the part after its last break is longer than 80.
void breakWhenLong(std::string& line, std::size_t& breakStart) {
    if (line.size() - breakStart > static_cast<std::size_t>(kBreakCount)) {
        breakStart = line.size();
        line += kContinuation;
    }
}

const char* plexWord(std::int32_t value, const std::string& jobPlex) {
    switch (value) {
    case 2: return " duplex(longedge) ";
    case 3: return " duplex(shortedge) ";
    case 255: return jobPlex.c_str();
    default: return " simplex ";
    }
}

// The device word of a subset's output code other than 255.
const char* outputWord(std::int32_t value) {
    switch (value) {
    case 2: return " stapler ";
    case 3: return " stacker ";
    case 4: return " bookmaker ";
    case 5: return " postprocessor ";
    default: return " top ";
    }
}

const char* rotationWord(std::int32_t value) {
    switch (value) {
    case 2: return " rotate(90) ";
    case 3: return " rotate(180) ";
    case 4: return " rotate(270) ";
    default: return nullptr;
    }
}

bool adjoins(const vlxPageExeptionType& next, std::int64_t lastPage) { return followsDirectly(lastPage, next.startingPage); }

// The stapler staples, and the bookmaker staples, folds and trims.
void completeForDevice(vlxPageExeptionType& record, std::int32_t output, bool saddleRule, std::int32_t jobStaple) {
    vlxPeDeviceType& device = record.peRecord;
    if (output == kOutputStapler) {
        device.peStaple = true;
        if (saddleRule && device.peStapleValue == 255 && jobStaple == kStapleSaddleJob) device.peStapleValue = kStapleBoth;
    } else if (output == kOutputBookmaker) {
        device.peStaple = device.peFold = device.peTrim = true;
        device.peFoldValue = device.peStapleValue == kStapleSaddle ? kFoldSaddle
                             : device.peStapleValue == kStapleNone ? kFoldNone
                                                                   : 255;
    }
}

}  // namespace

std::string& Construct_Page_Range(std::int64_t first, std::int64_t last, std::string& out) {
    if (first == last)
        out = VLX_Format(" %lld", static_cast<long long>(first));
    else if (last == kLastPage)
        out = VLX_Format(" %lld..%s", static_cast<long long>(first), "lastpage");
    else
        out = VLX_Format(" %lld..%lld", static_cast<long long>(first), static_cast<long long>(last));
    return out;
}

void ConstructPage(std::string& text, std::int64_t page) { text += VLX_Format("%lld ", static_cast<long long>(page)); }

std::optional<std::int64_t> pageAfter(std::int64_t last) {
    if (last == INT64_MAX) return std::nullopt;
    return last + 1;
}

bool followsDirectly(std::int64_t last, std::int64_t page) { return pageAfter(last) == page; }

void AppendCommand(const std::string& item, std::string& line, std::int32_t& count) {
    if (count < kBreakCount + 1) {
        count += static_cast<std::int32_t>(item.size());
    } else {
        line += kContinuation;
        count = 0;
    }
    line += item;
}

namespace {

std::string pageRange(std::int64_t first, std::int64_t last) {
    std::string range;
    return Construct_Page_Range(first, last, range);
}

std::string pageItem(const std::string& word, std::int64_t page) {
    std::string item = word;
    ConstructPage(item, page);
    return item;
}

}  // namespace

// ---------------------------------------------------------------------------
// Side, plex, shift, rotation and page copies

int VLX_Writer::Generate_VLXPeSide(DSC_VLX& /*header*/, std::string& text) {
    std::string line;
    std::int32_t count = 12;
    for (const vlxPageExeptionType& record : vlxMediaExceptionList) {
        const bool sideSet = record.peSide && (record.peSideValue == 1 || record.peSideValue == 2);
        if (!sideSet || record.startingPage < 1 || record.startingPage > record.endingPage) continue;
        if (line.empty()) line = "%VLXPeSide: ";
        const std::string item = record.peSideValue == 1 ? "forcefront " : "forceback ";
        const std::string range =
            record.startingPage != record.endingPage
                ? VLX_Format("%lld..%lld ", static_cast<long long>(record.startingPage),
                             static_cast<long long>(record.endingPage))
                : VLX_Format("%lld ", static_cast<long long>(record.startingPage));
        addCounted(line, count, item + range);
    }
    if (line.empty()) return kVlxDone;
    return Append_Buffer_to_DSC_Header(text, line, 40);
}

namespace {

// Pages that one record gives its plex to, with that plex.
struct PlexStretch {
    std::int64_t first = 0;
    std::int64_t last = 0;
    std::int32_t value = 0;
};
using PlexStretches = std::map<std::int64_t, PlexStretch>;  // by first page; no two share a page

// Gives the stretch's pages to it, taking them from the stretches that held
// them; what those hold before and after it stays theirs.
void takePages(PlexStretches& stretches, const PlexStretch& stretch) {
    auto at = stretches.lower_bound(stretch.first);
    if (at != stretches.begin()) {
        PlexStretch& before = std::prev(at)->second;
        if (before.last >= stretch.first) {
            if (before.last > stretch.last)
                stretches[stretch.last + 1] = PlexStretch{stretch.last + 1, before.last, before.value};
            before.last = stretch.first - 1;
        }
    }
    while (at != stretches.end() && at->first <= stretch.last) {
        PlexStretch rest = at->second;
        at = stretches.erase(at);
        if (rest.last <= stretch.last) continue;
        rest.first = stretch.last + 1;
        at = stretches.emplace_hint(at, rest.first, rest);
    }
    stretches.emplace(stretch.first, stretch);
}

// Whether a stretch holds the page.
bool held(const PlexStretches& stretches, std::int64_t page) {
    const auto after = stretches.upper_bound(page);
    return after != stretches.begin() && std::prev(after)->second.last >= page;
}

// Each page prints with the plex of the innermost record that holds it and
// sets a plex: a range that begins inside another takes its own pages over,
// and the other holds again after it; of ranges that begin on one page the
// shorter is the inner one, whatever their order in the list. Every record
// keeps the boundaries of its pages, even beside a record of the same plex.
std::vector<PlexStretch> plexStretches(const std::vector<vlxPageExeptionType>& list) {
    std::vector<PlexStretch> ranges;
    for (const vlxPageExeptionType& record : list)
        if (record.pePlex && record.endingPage >= record.startingPage)
            ranges.push_back({record.startingPage, record.endingPage, record.pePlexValue});
    std::stable_sort(ranges.begin(), ranges.end(), [](const PlexStretch& a, const PlexStretch& b) {
        return a.first != b.first ? a.first < b.first : a.last > b.last;
    });
    PlexStretches stretches;
    for (const PlexStretch& range : ranges) {
        // A stored record that only says "the job's plex" (a rotation, an
        // insert) begun inside another range changes nothing there.
        if (range.value == kPeNotSet && held(stretches, range.first)) continue;
        takePages(stretches, range);
    }
    std::vector<PlexStretch> ordered;
    ordered.reserve(stretches.size());
    for (const auto& [first, stretch] : stretches) ordered.push_back(stretch);
    return ordered;
}

}  // namespace

// Each plex change is followed by the job's plex where its run of adjoining
// pages ends, unless an explicit other plex takes over there.
std::vector<PlexLineItem> PlexLineItems(const std::vector<vlxPageExeptionType>& list) {
    const std::vector<PlexStretch> stretches = plexStretches(list);
    std::vector<PlexLineItem> items;
    std::size_t i = 0;
    while (i < stretches.size()) {
        const PlexStretch& stretch = stretches[i];
        items.push_back({stretch.first, stretch.value, false});
        std::int64_t runLast = stretch.last;
        bool restore = true;
        std::size_t j = i + 1;
        for (; j < stretches.size(); ++j) {
            const PlexStretch& next = stretches[j];
            if (!followsDirectly(runLast, next.first)) break;
            if (next.value == stretch.value) {
                runLast = next.last;
                continue;
            }
            restore = next.value == kPeNotSet;
            break;
        }
        if (!restore) {
            ++i;
            continue;
        }
        if (const auto after = pageAfter(runLast)) items.push_back({*after, kPeNotSet, true});
        i = j;
    }
    return items;
}

int VLX_Writer::Generate_VLXPePlex(DSC_VLX& /*header*/, std::string& text) {
    std::string line = "%VLXPePlex: ";
    std::int32_t count = 0;
    // Every item written so far. An item is never part of another item, nor
    // made of the end of one and the start of the next, so looking it up here
    // answers whether its text already occurs in the line.
    std::unordered_set<std::string> written;
    for (const PlexLineItem& plex : PlexLineItems(vlxMediaExceptionList)) {
        const std::string item = pageItem(plexWord(plex.value, sJobPlexSetting), plex.page);
        if (!plex.returnToJob && written.count(item)) continue;
        AppendCommand(item, line, count);
        written.insert(item);
    }
    if (line.size() <= 12) return kVlxDone;
    return Append_Buffer_to_DSC_Header(text, line, 41);
}

int VLX_Writer::Generate_VLXPeShift(DSC_VLX& /*header*/, std::string& text) {
    const char* prefix = "%VLXPeShift: ";
    for (const vlxPageExeptionType& record : vlxMediaExceptionList) {
        if (!record.peShift) continue;
        const std::string line = VLX_Format(
            "%s %s%.2f) %s%.2f) %s%.2f) %s%.2f) %s", prefix, "frontX(", static_cast<double>(record.frontX), "frontY(",
            static_cast<double>(record.frontY), "backX(", static_cast<double>(record.backX), "backY(",
            static_cast<double>(record.backY), pageRange(record.startingPage, record.endingPage).c_str());
        Append_Buffer_to_DSC_Header(text, line, 42);
        prefix = "%%+ ";
    }
    return kVlxDone;
}

// One line per run of equal rotation; a long run continues on "%%+ " lines.
int VLX_Writer::Generate_VLXPeRotate(DSC_VLX& /*header*/, std::string& text) {
    std::string line;
    std::string previous;
    std::int32_t count = 0;
    for (const vlxPageExeptionType& record : vlxMediaExceptionList) {
        if (!record.peRotate || record.startingPage < 1 || record.startingPage > record.endingPage) continue;
        const char* word = rotationWord(record.peRotateValue);
        if (word == nullptr) continue;
        const std::string range = pageRange(record.startingPage, record.endingPage);
        if (line.empty() || previous != word) {
            Append_Buffer_to_DSC_Header(text, line, 43);
            line = "%VLXPeRotate: " + std::string(word) + range;
            count = static_cast<std::int32_t>(line.size());
            previous = word;
        } else if (count >= kBreakCount) {
            Append_Buffer_to_DSC_Header(text, line, 43);
            line = "%%+ " + range;
            count = static_cast<std::int32_t>(range.size()) + 4;
        } else {
            line += range;
            count += static_cast<std::int32_t>(range.size());
        }
    }
    return Append_Buffer_to_DSC_Header(text, line, 43);
}

// Each run of adjoining pages with the same copy count is written with its
// count at its first page and one copy again after its last page.
int VLX_Writer::Generate_VLXPeCopyCount(DSC_VLX& /*header*/, std::string& text) {
    const std::vector<vlxPageExeptionType>& list = vlxMediaExceptionList;
    std::string line = "%VLXPePageCopies: ";
    std::int32_t count = 18;
    bool written = false;
    std::size_t i = 0;
    while (i < list.size()) {
        const vlxPageExeptionType& record = list[i];
        if (record.pageCopies == 1 || record.pageCopies < 0) {
            ++i;
            continue;
        }
        std::int64_t runLast = record.endingPage;
        std::size_t j = i + 1;
        while (j < list.size() && adjoins(list[j], runLast) && list[j].pageCopies == record.pageCopies)
            runLast = list[j++].endingPage;
        addCounted(line, count,
                   VLX_Format("copies(%d) %lld ", record.pageCopies, static_cast<long long>(record.startingPage)));
        if (const auto after = pageAfter(runLast))
            addCounted(line, count, VLX_Format("copies(%d) %lld ", 1, static_cast<long long>(*after)));
        written = true;
        i = j;
    }
    if (!written) return kVlxDone;
    return Append_Buffer_to_DSC_Header(text, line, 44);
}

// ---------------------------------------------------------------------------
// Finishing subsets

int VLX_Writer::Generate_VLXPeSubsetItems(DSC_VLX& header, std::string& text) {
    sJobStapleValue = header.staplingMode;
    if (sUseDeviceLookup)
        PreFlightPeRecordWithDeviceLookup();
    else
        PreFlightPeRecord();
    const std::vector<vlxPageExeptionType>& subsets = sPeRecordList;
    if (subsets.empty()) return kVlxDone;

    std::string line = "%VLXPeSubset: ";
    std::size_t breakStart = 0;
    for (std::size_t k = 0; k < subsets.size(); ++k) {
        const vlxPageExeptionType& subset = subsets[k];
        const bool runEnds = k + 1 == subsets.size() || !adjoins(subsets[k + 1], subset.endingPage);
        line += VLX_Format(" %lld", static_cast<long long>(subset.startingPage));
        if (const auto after = pageAfter(subset.endingPage); runEnds && after)
            line += VLX_Format(" %lld", static_cast<long long>(*after));
        breakWhenLong(line, breakStart);
    }
    Append_Buffer_to_DSC_Header(text, line, 45);

    if (sUseDeviceLookup) {
        const int result = Generate_PeSubset_Devices(header, text);
        UnLoadPeDeviceLookuptTable();
        return result;
    }
    std::string output;
    std::string staple;
    std::size_t outputStart = 0;
    std::size_t stapleStart = 0;
    for (std::size_t k = 0; k < subsets.size(); ++k) {
        const vlxPageExeptionType& subset = subsets[k];
        const std::int64_t first = subset.startingPage;
        const std::int64_t last = subset.endingPage;
        if (subset.peRecord.peOutput) {
            const bool lineBreak = output.size() - outputStart > static_cast<std::size_t>(kBreakCount);
            if (lineBreak) outputStart = output.size();
            Generate_VLXPeCommand(113, subset.peRecord.peOutputValue, first, last, output, lineBreak, false);
        }
        if (subset.peRecord.peStaple) {
            const bool offAfter = k + 1 < subsets.size() && !subsets[k + 1].peRecord.peStaple;
            const bool lineBreak = staple.size() - stapleStart > static_cast<std::size_t>(kBreakCount);
            if (lineBreak) stapleStart = staple.size();
            Generate_VLXPeCommand(2, subset.peRecord.peStapleValue, first, last, staple, lineBreak, offAfter);
        }
    }
    Append_Buffer_to_DSC_Header(text, output, 46);
    Append_Buffer_to_DSC_Header(text, staple, 47);
    ProcessPeJog(text);
    ProcessPeTrim(text);
    ProcessPeFolder(text);
    return kVlxDone;
}

void VLX_Writer::PreFlightPeRecord() {
    sPeRecordList.clear();
    for (const vlxPageExeptionType& record : vlxMediaExceptionList) {
        if (!record.peSubset) continue;
        vlxPageExeptionType subset = record;
        completeForDevice(subset, subset.peRecord.peOutputValue, true, sJobStapleValue);
        sPeRecordList.push_back(subset);
    }
}

// A subset on the job's device is completed as that device; the table is
// loaded when any subset names an output device.
void VLX_Writer::PreFlightPeRecordWithDeviceLookup() {
    sPeRecordList.clear();
    bool anyOutput = false;
    for (const vlxPageExeptionType& record : vlxMediaExceptionList) {
        if (!record.peSubset) continue;
        vlxPageExeptionType subset = record;
        const std::int32_t output = subset.peRecord.peOutputValue;
        if (output == 255)
            completeForDevice(subset, sJobDeviceSetting + 1, false, sJobStapleValue);
        else
            completeForDevice(subset, output, true, sJobStapleValue);
        anyOutput = anyOutput || subset.peRecord.peOutput;
        sPeRecordList.push_back(subset);
    }
    if (anyOutput) LoadPeDeviceLookuptTable();
}

void VLX_Writer::Get_VLX_Attributes(int selector, std::int32_t value, std::string& item, std::string& keyword) const {
    switch (selector) {
    case 2:
        keyword += "%VLXPeStaple: ";
        switch (value) {
        case 1: item = " staple(none) "; break;
        case 2: item = " staple(front) "; break;
        case 3: item = " staple(back) "; break;
        case 4: item = " staple(both) "; break;
        case 5: item = " staple(saddle) "; break;
        default: item = sJobStaplerSetting; break;
        }
        break;
    case 113:
        keyword += "%VLXPeOutput: ";
        item = value == 255 ? sJobOutputSetting : outputWord(value);
        break;
    case 116:
        keyword += "%VLXPeTrim: ";
        item = value == 10 ? " trim(on) " : value == 11 ? " trim(off) " : sJobTrimSetting;
        break;
    case 117:
        keyword += "%VLXPeFold: ";
        item = value == 9 ? " fold(saddle) " : " fold(none) ";
        break;
    case 118:
        keyword += "%VLXPeJog: ";
        item = value == 6 ? " jog(none) " : value == 7 ? " jog(alternate) " : sJobJogSetting;
        break;
    default: break;
    }
}

void VLX_Writer::Generate_VLXPeCommand(int selector, std::int32_t value, std::int64_t first, std::int64_t last,
                                       std::string& line, bool lineBreak, bool stapleOffAfter) const {
    std::string item;
    std::string keyword;
    Get_VLX_Attributes(selector, value, item, keyword);
    if (line.empty()) line = keyword;
    line += item;
    line += VLX_Format(" %lld ", static_cast<long long>(first));
    const auto after = pageAfter(last);
    if (selector == 2 && stapleOffAfter && after) {
        line += " ";
        line += " staple(none) ";
        line += VLX_Format(" %lld ", static_cast<long long>(*after));
        line += " ";
    }
    if (lineBreak) line += kContinuation;
}

// The jog line decides each break one item late: by the length the line had
// before the previous item.
void VLX_Writer::ProcessPeJog(std::string& text) const {
    std::string line;
    std::size_t itemStart = 0;
    bool pendingBreak = false;
    for (const vlxPageExeptionType& subset : sPeRecordList) {
        std::int32_t value = 0;
        if (subset.peRecord.peJog)
            value = subset.peRecord.peJogValue;
        else if (sJobJogSetting != " jog(none) ")
            value = kJogNone;
        else
            continue;
        const bool lineBreak = pendingBreak;
        pendingBreak = line.size() - itemStart > static_cast<std::size_t>(kBreakCount);
        if (lineBreak) itemStart = line.size();
        Generate_VLXPeCommand(118, value, subset.startingPage, subset.endingPage, line, lineBreak, false);
    }
    Append_Buffer_to_DSC_Header(text, line, 48);
}

namespace {

// A device line of the subsets that have the feature set.
template <typename Present, typename Value>
std::string subsetFeatureLine(const VLX_Writer& writer, const std::vector<vlxPageExeptionType>& subsets, int selector,
                              Present present, Value value) {
    std::string line;
    std::size_t itemStart = 0;
    for (const vlxPageExeptionType& subset : subsets) {
        if (!(subset.peRecord.*present)) continue;
        const bool lineBreak = line.size() - itemStart > static_cast<std::size_t>(kBreakCount);
        if (lineBreak) itemStart = line.size();
        writer.Generate_VLXPeCommand(selector, subset.peRecord.*value, subset.startingPage, subset.endingPage, line,
                                     lineBreak, false);
    }
    return line;
}

}  // namespace

void VLX_Writer::ProcessPeTrim(std::string& text) const {
    Append_Buffer_to_DSC_Header(
        text, subsetFeatureLine(*this, sPeRecordList, 116, &vlxPeDeviceType::peTrim, &vlxPeDeviceType::peTrimValue), 49);
}

void VLX_Writer::ProcessPeFolder(std::string& text) const {
    Append_Buffer_to_DSC_Header(
        text, subsetFeatureLine(*this, sPeRecordList, 117, &vlxPeDeviceType::peFold, &vlxPeDeviceType::peFoldValue), 50);
}

// The output line with device lookup: each subset's device at its first
// page, the job's device after it unless an adjoining subset takes over, and
// the job's device after the last subset. Every page is written as it is.
int VLX_Writer::CollectPeDevice(std::string& text) const {
    const std::vector<vlxPageExeptionType>& subsets = sPeRecordList;
    if (subsets.empty()) return kVlxDone;
    std::string line = "%VLXPeOutput: ";
    std::size_t breakStart = 0;
    std::string lastPass;
    for (std::size_t i = 0; i < subsets.size(); ++i) {
        const vlxPageExeptionType& subset = subsets[i];
        if (!subset.peRecord.peOutput) continue;
        const std::int32_t value = subset.peRecord.peOutputValue;
        const std::string device = value == 255 ? sJobOutputSetting + " " : outputWord(value);
        lastPass = device + VLX_Format("%lld ", static_cast<long long>(subset.startingPage));
        line += lastPass;
        breakWhenLong(line, breakStart);

        lastPass.clear();
        if (i + 1 < subsets.size()) {
            const vlxPageExeptionType& next = subsets[i + 1];
            const auto after = pageAfter(subset.endingPage);
            if (!(next.peRecord.peOutput && adjoins(next, subset.endingPage)) && after)
                lastPass = sJobOutputSetting + " " + VLX_Format("%lld ", static_cast<long long>(*after));
        }
        if (!lastPass.empty()) {
            line += lastPass;
            breakWhenLong(line, breakStart);
        }
    }
    const auto afterLast = pageAfter(subsets.back().endingPage);
    if (lastPass.find(sJobOutputSetting) == std::string::npos && afterLast)
        line += sJobOutputSetting + VLX_Format(" %lld", static_cast<long long>(*afterLast));
    return Append_Buffer_to_DSC_Header(text, line, 51);
}
