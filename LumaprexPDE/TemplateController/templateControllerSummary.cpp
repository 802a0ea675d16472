// The summary list: every job setting of the dialog in words, a title and a
// value per row, grouped by pane (job setup, finishing, page exceptions,
// notification, custom command, image), built from the pane's copy of the
// job-feature dictionary. Numbers are read from their texts (a missing key
// reads as 0), texts are shown as stored.
#include "templateController.h"

#include <algorithm>

#include "FoundationValues.h"
#include "JSE_Records.h"

namespace {

constexpr char kIndent[] = "    ";
constexpr int kCustomPatternLabel = 13069;
constexpr int kLargestCustomPattern = 999;

// The output devices and staple positions, as the finishing pane names them.
constexpr std::initializer_list<std::pair<int, int>> kDevices = {{1, 10045}, {2, 10046}, {3, 10047}, {4, 10048}};
constexpr std::initializer_list<std::pair<int, int>> kStaples = {
    {1, 10049}, {2, 10050}, {3, 10051}, {4, 10052}, {5, 12093}};

int Number(const platform::Dictionary& group, std::string_view key) { return group[key].intValue(); }
const std::string& Text(const platform::Dictionary& group, std::string_view key) { return group[key].text(); }

// A cover's mode as the job prints it: an interleaved job prints no cover.
int CoverMode(const platform::Dictionary& jobSetup, std::string_view key) {
    return IsInterleaveMode(Number(jobSetup, "printingMode")) ? 1 : Number(jobSetup, key);
}

// Whether a substitution or an insert is punched by page: the pages that
// the finishing pane punches.
bool PagesPunched(const platform::Array& pageFeatures) {
    for (const platform::Value& entry : pageFeatures) {
        const platform::Dictionary& feature = entry.dictionary();
        const int code = Number(feature, "featureType");
        const bool paper = code == kPePaperSubstitution || code == kPeInsertBefore || code == kPeInsertAfter;
        if (paper && Number(feature, "punch") != 0 && Number(feature, "punchValue") != 0) return true;
    }
    return false;
}

}  // namespace

void templateController::initPunchPatterns() {
    const std::pair<int, int> patterns[] = {{13017, 2},   {13018, 3},   {13019, 4},   {14017, 64},
                                            {14018, 65},  {13191, 128}, {13192, 129}, {14019, 136},
                                            {14020, 137}, {13193, 144}, {13194, 145}, {kCustomPatternLabel, 255}};
    _punchTypeList.clear();
    for (const auto& [label, id] : patterns) _punchTypeList.push_back({getNSStringWithID(label), id, label == kCustomPatternLabel});
}

int templateController::getPunchIDIndex(int id) const {
    for (std::size_t row = 0; row < _punchTypeList.size(); ++row) {
        if (_punchTypeList[row].id == id) return static_cast<int>(row);
    }
    return 0;
}

// A number of up to three figures that no row holds is the user's own
// pattern, named as such with its number. Any other is named as its row (the
// custom row's 255 too), else as the first row, which the finishing pane
// then chooses.
std::string templateController::punchPatternName(int id) const {
    if (_punchTypeList.empty()) return {};
    const bool listed = std::any_of(_punchTypeList.begin(), _punchTypeList.end(),
                                    [id](const PunchPattern& pattern) { return pattern.id == id; });
    if (!listed && id >= 1 && id <= kLargestCustomPattern)
        return getNSStringWithID(kCustomPatternLabel) + " " + platform::FormatInteger(id);
    return _punchTypeList[static_cast<std::size_t>(getPunchIDIndex(id))].name;
}

void templateController::updateSummaryList() {
    _summaryList.clear();
    m_titleWidth = 100;
    const platform::Dictionary features = _jobFeatureDict ? *_jobFeatureDict : platform::Dictionary();
    addJobSetupRows(features["jobSetup"].dictionary());
    addFinisherRows(features["finisher"].dictionary(), features["jobSetup"].dictionary(),
                    features["Substitution"]["pageFeatures"].array());
    addSpacer();
    addPageExceptionRows(features["Substitution"]["pageFeatures"].array());
    addSpacer();
    addNotificationRows(features["notification"].dictionary());
    addSpacer();
    addCustomRows(features["custom"].dictionary());
    addSpacer();
    addImageRows(features["image"].dictionary());
    addSpacer();
    showSummaryColumns();
}

void templateController::addJobSetupRows(const platform::Dictionary& jobSetup) {
    addRow(getNSStringWithID(12009), "");
    addRow(indented(13058), Text(jobSetup, "title"));
    addSpacer();
    addRow(getNSStringWithID(13002), "");
    addRow(indented(13044), Text(jobSetup, "copyCount"));
    addRow(indented(10010), yesNo(Number(jobSetup, "collate") == 1));
    addRow(indented(10009), yesNo(Number(jobSetup, "proofSet") == 1));
    // Each print mode by its own label; the two interleave modes name the
    // interleave paper.
    const int mode = jobSetup.contains("printingMode") ? Number(jobSetup, "printingMode") : 2;
    addRow(indented(13051), choice(mode, {{1, 10030}, {2, 10031}, {3, 10032}, {4, 10033}, {5, 10034}}, 10035));
    if (mode == 4 || mode == 5) addRow(indented(13059), paperOrBody(Text(jobSetup, "interleavePaper")));
    addRow(indented(10124), Text(jobSetup, "bodyPaper"));
    const std::initializer_list<std::pair<int, int>> coverModes = {{2, 10041}, {3, 10042}, {4, 10043}, {5, 10044}};
    // Each cover's mode is named for its cover; an interleaved job has none.
    const std::string coverMode = " - " + getNSStringWithID(10011);
    addRow(indented(12061) + coverMode, choice(CoverMode(jobSetup, "frontCoverMode"), coverModes, 10040));
    addRow(indented(12061), paperOrBody(Text(jobSetup, "frontCoverPaper")));
    addRow(indented(12062) + coverMode, choice(CoverMode(jobSetup, "backCoverMode"), coverModes, 10040));
    addRow(indented(12062), paperOrBody(Text(jobSetup, "backCoverPaper")));
    addRow(indented(10080), yesNo(Number(jobSetup, "setSeparator") == 1));
    addRow(indented(10123), paperOrBody(Text(jobSetup, "separatorPaper")));
    addRow(indented(10036),
           Text(jobSetup, "signaturePages") + "/" + Text(jobSetup, "sheets") + " " + getNSStringWithID(10125));
    addSpacer();
}

// A cover is punched only when the job punches and the cover is printed; the
// finishing pane's copy of its punch comes before the bridge's, as a
// template applies them. The pattern and the selected pages are the job's
// only while it punches: a job that does not punch has no pattern, and the
// selected pages are punched only when the job has such pages.
void templateController::addFinisherRows(const platform::Dictionary& finisher, const platform::Dictionary& jobSetup,
                                         const platform::Array& pageFeatures) {
    const bool punched = Number(finisher, "punchJob") != 0;
    const auto coverPunched = [&](const char* punchKey, const char* modeKey) {
        const platform::Dictionary& punch = finisher.contains(punchKey) ? finisher : jobSetup;
        return punched && CoverMode(jobSetup, modeKey) >= 2 && Number(punch, punchKey) != 0;
    };
    addRow(getNSStringWithID(13112), "");
    addRow(indented(13060), choice(Number(finisher, "jobExit"), kDevices, 10117));
    addRow(indented(13172), choice(Number(finisher, "staplerPosition"), kStaples, 0));
    addRow(indented(3655), yesNo(Number(finisher, "longEdgeFold") != 0));
    addRow(indented(13168), yesNo(Number(finisher, "trimming") != 0));
    addRow(indented(13169), yesNo(Number(finisher, "offsetStack") != 0));
    addRow(indented(13195), yesNo(punched));
    addRow(indented(13071), punched ? punchPatternName(Number(finisher, "defaultPunchPattern")) : getNSStringWithID(10040));
    addRow(indented(13197), yesNo(coverPunched("punchFrontCover", "frontCoverMode")));
    addRow(indented(13198), yesNo(coverPunched("punchBackCover", "backCoverMode")));
    addRow(indented(13196), yesNo(punched && PagesPunched(pageFeatures)));
    addRow(indented(3656), choice(Number(finisher, "pageOrdering"), {{2, 3657}, {3, 10120}}, 3658));
}

void templateController::addPageExceptionRows(const platform::Array& pageFeatures) {
    if (pageFeatures.empty()) {
        addRow(getNSStringWithID(13061) + " - " + getNSStringWithID(10040), "");
        return;
    }
    addRow(getNSStringWithID(13061), "");
    for (const platform::Value& entry : pageFeatures) {
        const platform::Dictionary feature = entry.dictionary();
        const std::optional<std::string> value = pageFeatureText(feature);
        if (!value) continue;
        const int start = Number(feature, "startPage");
        const int end = Number(feature, "endPage");
        addRow(kIndent + (start == end ? platform::FormatInteger(start) : platform::Format("%d..%d", start, end)),
               *value);
    }
}

std::optional<std::string> templateController::pageFeatureText(const platform::Dictionary& feature) const {
    const int value = Number(feature, "featureValue");
    const std::string& paper = Text(feature, "propertyValue");
    const std::string punch = getNSStringWithID(13072) + ": " + yesNo(Number(feature, "punchValue") != 0);
    const bool punched = Number(feature, "punch") != 0;
    switch (Number(feature, "featureType")) {
    case kPeSubsetOutput: {
        if (value < 1 || value > 5) return getNSStringWithID(13014);
        std::string text = getNSStringWithID(13060) + ": " + choice(value, kDevices, 10117);
        const int staple = Number(feature, "staplePosition");
        if ((value == 2 || value == 4) && staple >= 1 && staple <= 5) text += ": " + choice(staple, kStaples, 0);
        return text;
    }
    case kPePaperSubstitution: {
        const bool onePage = Number(feature, "startPage") == Number(feature, "endPage");
        return getNSStringWithID(onePage ? 13016 : 12022) + ": " + paper + (punched ? ", " + punch : "");
    }
    case kPeInsertBefore:
    case kPeInsertAfter:
        return getNSStringWithID(Number(feature, "featureType") == kPeInsertBefore ? 12020 : 12021) + ": " +
               paper + ", " + choice(value, {{1, 10045}, {2, 10046}, {3, 10047}}, 13014) + ", " +
               (punched ? punch : "");
    case kPePrintMode:
        return getNSStringWithID(13051) + ": " + choice(value, {{1, 10030}, {2, 10031}, {3, 10032}}, 13014);
    case kPePrintSide: return getNSStringWithID(13037) + ": " + choice(value, {{1, 13106}, {2, 13107}}, 13014);
    case kPeChapterStart: return getNSStringWithID(13074) + ": " + choice(value, {{1, 13075}}, 10118);
    case kPeRotation: return getNSStringWithID(12085) + ": " + choice(value, {{3, 12079}}, 13014);
    case kPeImageShift:
        return getNSStringWithID(13120) + ": " + getNSStringWithID(13106) +
               platform::Format(": x (%.2f) y (%.2f), ", feature["x1"].floatValue(), feature["y1"].floatValue()) +
               getNSStringWithID(13107) +
               platform::Format(": x (%.2f) y (%.2f), ", feature["x2"].floatValue(), feature["y2"].floatValue());
    default: return std::nullopt;
    }
}

void templateController::addNotificationRows(const platform::Dictionary& notification) {
    addRow(getNSStringWithID(13003), "");
    addRow(indented(10057), Text(notification, "eMailAddressText"));
    addRow(indented(10056), Text(notification, "operatorMessageText"));
    addRow(indented(10066), Text(notification, "deliverToText"));
    addRow(indented(10055), Text(notification, "chargeNumberText"));
    addRow(indented(13054), choice(Number(notification, "statusMode"), {{2, 10074}, {3, 10075}, {4, 10076}}, 10073));
    addRow(indented(12063), Text(notification, "statusPaper"));
}

void templateController::addCustomRows(const platform::Dictionary& custom) {
    addRow(getNSStringWithID(13004), "");
    if (Number(custom, "createTIFF") == 1) {
        addRow(indented(12077), labelled(12091, Text(custom, "createTIFFPath")));
    } else {
        addRow(indented(10058), yesNo(true));
    }
    addRow(indented(13089), Number(custom, "saveAs") == 1 ? Text(custom, "saveAsFileNameText") : yesNo(false));
    addRow(indented(10060),
           Number(custom, "specificPrinter") == 1 ? Text(custom, "specificPrinterNameText") : yesNo(false));
    // The command text and the command file each show whether the custom
    // command uses them (2 text, 3 file, 4 both; 1 none), and the place of a
    // command in use is named as the custom pane names it.
    const int kind = Number(custom, "fieldFlag");
    addRow(indented(10070), yesNo(kind == 2 || kind == 4));
    addRow(indented(10077), yesNo(kind == 3 || kind == 4));
    if (kind != 1) addRow(indented(13028), getNSStringWithID(Number(custom, "insertPosition") == 2 ? 13078 : 13077));
}

void templateController::addImageRows(const platform::Dictionary& image) {
    addRow(getNSStringWithID(13086), "");
    addRow(getNSStringWithID(12085),
           choice(Number(image, "FinishOrientation"), {{2, 12067}, {3, 12079}, {4, 12068}}, 12094));
    addRow(getNSStringWithID(13088), yesNo(Number(image, "engineGRET") != 0));
    const std::string halftone = getNSStringWithID(-2024) + " - ";
    addRow(halftone + getNSStringWithID(-2025), Text(image, "halftoneAngle"));
    addRow(halftone + getNSStringWithID(-2027), Text(image, "halftoneFrequency"));
    addSpacer();
    addRow(getNSStringWithID(13120), Number(image, "imageAlign") == 0 ? yesNo(false) : std::string());
    if (Number(image, "imageAlign") == 1) {
        for (const auto& [side, key] : {std::pair{13106, "imageAlignFront"}, {13107, "imageAlignBack"}}) {
            addRow(indented(side) + " - X", Text(image, std::string(key) + "X"));
            addRow(indented(side) + " - Y", Text(image, std::string(key) + "Y"));
        }
    }
    addSpacer();
    addRow(getNSStringWithID(13087), Number(image, "edgeErase") == 0 ? yesNo(false) : std::string());
    if (Number(image, "edgeErase") == 1) {
        for (const auto& [side, key] : {std::pair{13106, "frontErase"}, {13107, "backErase"}}) {
            for (const auto& [edge, name] : {std::pair{13099, "TopSide"}, {13100, "LeftSide"}, {13101, "BottomSide"},
                                             {13102, "RightSide"}}) {
                addRow(indented(side) + " - " + getNSStringWithID(edge), Text(image, std::string(key) + name));
            }
        }
    }
}

void templateController::addRow(std::string title, std::string value) {
    m_titleWidth = getMaxStringWidth(title, m_titleWidth);
    _col2Max = getMaxStringWidth(value, _col2Max);
    _summaryList.emplace_back(std::move(title), std::move(value));
}

std::string templateController::indented(int label) const { return kIndent + getNSStringWithID(label); }

std::string templateController::labelled(int label, const std::string& value) const {
    const std::string text = getNSStringWithID(label);
    return text + (text.ends_with(':') ? " " : ": ") + value;
}

std::string templateController::yesNo(bool yes) const { return getNSStringWithID(yes ? 12070 : 12071); }

std::string templateController::choice(int value, std::initializer_list<std::pair<int, int>> labels,
                                       int otherLabel) const {
    for (const auto& [known, label] : labels) {
        if (known == value) return getNSStringWithID(label);
    }
    return otherLabel != 0 ? getNSStringWithID(otherLabel) : std::string();
}

std::string templateController::paperOrBody(const std::string& paper) const {
    return paper.empty() ? getNSStringWithID(10002) : paper;
}

void templateController::showSummaryColumns() {
    if (!summaryListView) return;
    if (platform::TableColumn* title = summaryListView->tableColumnWithIdentifier("0")) {
        title->width = title->maxWidth = m_titleWidth;
    }
    if (platform::TableColumn* value = summaryListView->tableColumnWithIdentifier("1")) {
        value->width = value->maxWidth = _col2Max + 30;
    }
    summaryListView->reloadData();
}
