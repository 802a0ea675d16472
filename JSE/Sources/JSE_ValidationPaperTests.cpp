// The checks of the rule catalogue that look at papers and values: sides,
// punchability and sizes of catalog papers, the finisher's feed limits, and
// comparisons of two values or two papers. A paper index outside the catalog is answered by
// the catalog's defaults: two sides, punchable, 0 by 0, no size definition.
#include "JSE_Media.h"
#include "JSE_Preference.h"
#include "JSE_Validation.h"
#include "JSE_ValidationPeLists.h"

namespace {

constexpr float kMillimetresPerInch = 25.4f;
// A paper whose both sides reach this many inches cannot be fed at all.
constexpr float kUnfeedable = 14.33f;
constexpr float kLongestCrossFeed = 14.0f;

struct StandardSize {
    int flag;
    float width;
    float height;
};

// The standard sizes of the size flags, compared as they stand with the size
// the catalog keeps for a paper (inches or millimetres).
constexpr StandardSize kStandardSizes[] = {
    {6, 8.5f, 11.0f},   {7, 297.0f, 420.0f}, {8, 210.0f, 297.0f}, {9, 11.0f, 17.0f},   {10, 9.0f, 11.0f},
    {11, 225.0f, 297.0f}, {14, 225.0f, 297.0f}, {21, 215.0f, 305.0f}, {22, 8.0f, 10.0f}, {23, 8.5f, 10.0f},
    {24, 9.0f, 12.0f},
};

// 1 (a conflict) when a and b stand in the condition's relation: 1 "=",
// 2 "<>", 3 ">=", 4 "<="; never for another condition.
template <typename T>
int CompareNumbers(T a, T b, int condition) {
    switch (condition) {
    case 1: return a == b;
    case 2: return a != b;
    case 3: return a >= b;
    case 4: return a <= b;
    default: return 0;
    }
}

}  // namespace

int JSE_Validation::Two_Values_Compare(int a, int b, int condition) { return CompareNumbers(a, b, condition); }

void JSE_Validation::getPaperSize(int flag, float& width, float& height) {
    width = 8.5f;
    height = 11.0f;
    for (const StandardSize& size : kStandardSizes) {
        if (size.flag != flag) continue;
        width = size.width;
        height = size.height;
    }
}

int JSE_Validation::SidesOf(int paper) const { return media ? media->GetPaperSides(paper) : 2; }

int JSE_Validation::Type_Checking(int value, int flag, int condition) {
    switch (flag) {
    case 1: case 2: return SidesOf(value) == 1;
    case 3: return condition == 1 ? value == 1 : condition == 2 ? value != 1 : 0;
    case 4: return condition == 1 ? value == 0 : condition == 2 ? value != 0 : 0;
    case 6: case 7: case 8: case 9: case 10: case 11: case 14: case 21: case 22: case 23: case 24:
        return SizeTest(value, flag, condition);
    case 15: return 0;
    case 20: return condition == 1 ? SidesOf(value) == 0 : condition == 2 ? SidesOf(value) != 0 : 0;
    case 25: return StaplerSizeTest(value);
    case 30: return value > 88;
    case 32: case 35: return FeedTest(value, 12.0f);
    case 33: return media ? media->JSE_Media_GetPunchable(value) != 1 : 0;
    case 34: return FeedTest(value, kLongestCrossFeed);
    case 36: return Get_Value(eJSE_FrontCoverPaperSelection, true) == -1 && SidesOf(value) == 1;
    case 37: return Get_Value(eJSE_BackCoverPaperSelection, true) == -1 && SidesOf(value) == 1;
    case 38: return value == 2 && CoverSidesConflict();
    case 39: case 40: case 41: case 42: case 43: return Get_Value(54, true) == 2 && SidesOf(value) == 1;
    case 51: return condition == 1 && value == 2;
    default: return 1;
    }
}

// The paper's size against the flag's standard size.
int JSE_Validation::SizeTest(int paper, int flag, int condition) {
    float w = 0, h = 0, standardWidth = 0, standardHeight = 0;
    if (media) media->JSE_Media_GetPhysicalSize(paper, w, h);
    getPaperSize(flag, standardWidth, standardHeight);
    switch (condition) {
    case 1: return w == standardWidth && h == standardHeight;
    case 2: return w != standardWidth && h != standardHeight;
    case 3: return w > standardWidth && h > standardHeight;
    case 4: return w < standardWidth && h < standardHeight;
    default: return 0;
    }
}

// The stapler takes at most 9 by 14 inches.
int JSE_Validation::StaplerSizeTest(int paper) const {
    float w = 0, h = 0;
    if (media == nullptr) return 0;
    media->JSE_Media_GetPhysicalSize(paper, w, h);
    if (media->GetPaperMeasureType(media->GetPaperSize(paper)) > 0) {
        w /= kMillimetresPerInch;
        h /= kMillimetresPerInch;
    }
    return w > 9.0f || h > 14.0f;
}

// A paper the finisher cannot measure (no size definition, or too large to
// feed) conflicts with every feed limit.
int JSE_Validation::FeedTest(int paper, float secondMax) const {
    float first = 0, second = 0;
    if (GetFinisherFeedDimensions(paper, first, second) != 0) return 1;
    return !(second >= 8.25f && second <= secondMax && first >= 7.0f && first <= 9.25f);
}

// Duplex needs every printed paper two-sided: the body paper, and each cover
// that is on (its paper -1 standing for the body paper).
bool JSE_Validation::CoverSidesConflict() const {
    const int body = Get_Value(eJSE_BodyPaperSelection, true);
    const auto paperOf = [&](int control) {
        const int paper = Get_Value(control, true);
        return paper == -1 ? body : paper;
    };
    if (SidesOf(body) == 1) return true;
    if (Get_Value(eJSE_FrontCoverSelection, true) != 1 && SidesOf(paperOf(eJSE_FrontCoverPaperSelection)) == 1)
        return true;
    return Get_Value(eJSE_BackCoverSelection, true) != 1 && SidesOf(paperOf(eJSE_BackCoverPaperSelection)) == 1;
}

// A size definition that names no size gives 2 as a missing one does, so no
// caller reads sizes that were never set.
int JSE_Validation::GetFinisherFeedDimensions(int paper, float& first, float& second) const {
    if (media == nullptr) return 2;
    const int definition = media->GetPaperSize(paper);
    float w = 0, h = 0;
    if (definition < 0 || media->GetPaperNativeSize(definition, w, h) != 0) return 2;
    if (media->GetPaperMeasureType(definition) == 1) {
        w /= kMillimetresPerInch;
        h /= kMillimetresPerInch;
    }
    if (w >= kUnfeedable && h >= kUnfeedable) return 1;
    if (w > h && w <= kLongestCrossFeed) {
        first = h;
        second = w;
    } else {
        first = w;
        second = h;
    }
    return 0;
}

// Mode 1 compares the native sizes of the papers' definitions (-5 when one
// is missing), modes 2 and 3 the first or second feed dimension (-1 unknown,
// -2 too large), mode 4 the paper indices themselves.
int JSE_Validation::Paper_Size_Compare(int paperA, int paperB, int condition, int mode) const {
    const int body = Get_Value(eJSE_BodyPaperSelection, true);
    if (paperA == -1) paperA = body;
    if (paperB == -1) paperB = body;
    float wa = 0, ha = 0, wb = 0, hb = 0;
    switch (mode) {
    case 1: {
        const auto native = [&](int paper, float& w, float& h) {
            const int definition = media ? media->GetPaperSize(paper) : -1;
            return definition >= 0 && media->GetPaperNativeSize(definition, w, h) == 0;
        };
        if (!native(paperA, wa, ha) || !native(paperB, wb, hb)) return -5;
        switch (condition) {
        case 1: return wa == wb && ha == hb;
        case 2: return wa != wb || ha != hb;
        case 3: return wa >= wb || ha >= hb;
        case 4: return wa <= wb || ha <= hb;
        default: return 0;
        }
    }
    case 2:
    case 3: {
        const auto feed = [&](int paper, float& first, float& second) {
            const int found = GetFinisherFeedDimensions(paper, first, second);
            return found == 2 ? -1 : found == 1 ? -2 : 0;
        };
        if (const int failed = feed(paperA, wa, ha)) return failed;
        if (const int failed = feed(paperB, wb, hb)) return failed;
        return mode == 2 ? CompareNumbers(wa, wb, condition) : CompareNumbers(ha, hb, condition);
    }
    case 4:
        switch (condition) {
        case 1: return paperA == paperB;
        case 2: return paperA != paperB;
        case 3: return paperA > paperB;
        case 4: return paperA < paperB;
        default: return 0;
        }
    default: return 0;
    }
}

// The page exceptions are the validator's own list, or the settings store's
// while that list is empty.
bool JSE_Validation::PeMediaSizesEqualBodySize() {
    WString body;
    if (media) media->JSE_Media_GetName(Get_Value(eJSE_BodyPaperSelection, true), body);
    bool found = false;
    const std::vector<JSE_PageExceptionType> list = RecordsToCheck(found);
    return list.empty() || ComparePEListPaperSize(body, list);
}

// A paper name missing from the catalog has index -1 and so compares as the
// body paper. An insert is a sheet of its own, held to no print mode, so its
// paper is not compared.
bool JSE_Validation::ComparePEListPaperSize(std::wstring bodyPaper, std::vector<JSE_PageExceptionType> records) {
    const auto indexOf = [&](const WString& name) { return media ? media->JSE_Media_GetIndex(name) : -1; };
    const int body = indexOf(bodyPaper);
    for (const JSE_PageExceptionType& record : records) {
        if (record.fromJobPaper || IsInsert(record.exceptionMode)) continue;
        if (Paper_Size_Compare(body, indexOf(record.mediaName), 2, 1) != 0) return false;
    }
    return true;
}
