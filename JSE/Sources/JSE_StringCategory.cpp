// Character classes for user text and catalog names.
#include <algorithm>
#include <initializer_list>

#include "JSE_String.h"

namespace {

struct Range {
    wchar_t first;
    wchar_t last;
};

using Class = std::initializer_list<Range>;

// Class 2: free text.
constexpr Class kClass2 = {{0x0020, 0x005B}, {0x005D, 0x00FF}, {0x0370, 0x04FF}, {0x2000, 0x206F},
                           {0x20AC, 0x20AC}, {0x2100, 0x23FF}, {0x2460, 0x257F}, {0x25A0, 0x26FF},
                           {0x3000, 0x30FF}, {0x3200, 0x33FF}, {0x4E00, 0x9FA5}, {0xF900, 0xFAFF},
                           {0xFF00, 0xFFEF}};
// Class 3: paper, colour and type names (no space).
constexpr Class kClass3 = {{0x002A, 0x002A}, {0x002C, 0x002E}, {0x0030, 0x0039}, {0x0041, 0x005A},
                           {0x005F, 0x005F}, {0x0061, 0x007A}, {0x00C0, 0x00D6}, {0x00D8, 0x00FF},
                           {0x0370, 0x04FF}, {0x2000, 0x206F}, {0x20AC, 0x20AC}, {0x2100, 0x23FF},
                           {0x2460, 0x257F}, {0x25A0, 0x26FF}, {0x3001, 0x30FF}, {0x3200, 0x33FF},
                           {0x4E00, 0x9FA5}, {0xF900, 0xFAFF}, {0xFF00, 0xFFEF}};
// Class 5: e-mail addresses.
constexpr Class kClass5 = {{0x0020, 0x005B}, {0x005D, 0x00FF}};
// Class 7: file and printer names.
constexpr Class kClass7 = {{0x0020, 0x002E}, {0x0030, 0x005B}, {0x005D, 0x00FF}, {0x0370, 0x04FF},
                           {0x2000, 0x206F}, {0x20AC, 0x20AC}, {0x2100, 0x23FF}, {0x2460, 0x257F},
                           {0x25A0, 0x26FF}, {0x3000, 0x30FF}, {0x3200, 0x33FF}, {0x4E00, 0x9FA5},
                           {0xFF00, 0xFFEF}};
// Class 13: size-definition names, printable Latin-1 without quotes, "/" and ":".
constexpr Class kClass13 = {{0x0020, 0x0021}, {0x0023, 0x0026}, {0x0028, 0x002E}, {0x0030, 0x0039},
                            {0x003B, 0x00FF}};

bool inClass(Class ranges, wchar_t c) {
    return std::any_of(ranges.begin(), ranges.end(), [c](Range r) { return c >= r.first && c <= r.last; });
}

// Walks count characters; at the first refused one, optionally writes a 0
// over it, and reports false.
bool verify(Class ranges, const wchar_t* text, int count, wchar_t* truncateAt) {
    if (text == nullptr || count < 1) return true;
    for (int i = 0; i < count; ++i) {
        if (!inClass(ranges, text[i])) {
            if (truncateAt) truncateAt[i] = 0;
            return false;
        }
    }
    return true;
}

}  // namespace

bool QwiDrv_StringCategoryVerifier::IsCategory2(wchar_t* text, int count, bool truncate) const {
    return verify(kClass2, text, count, truncate ? text : nullptr);
}

bool QwiDrv_StringCategoryVerifier::IsCategory2(const wchar_t* text, int count) const {
    return verify(kClass2, text, count, nullptr);
}

bool QwiDrv_StringCategoryVerifier::IsCategory3(const wchar_t* text, int count) const {
    return verify(kClass3, text, count, nullptr);
}

bool QwiDrv_StringCategoryVerifier::IsCategory5(wchar_t* text, int count, bool truncate) const {
    return verify(kClass5, text, count, truncate ? text : nullptr);
}

bool QwiDrv_StringCategoryVerifier::IsCategory7(wchar_t* text, int count, bool truncate) const {
    return verify(kClass7, text, count, truncate ? text : nullptr);
}

bool QwiDrv_StringCategoryVerifier::IsCategory13(const wchar_t* text, int count) const {
    return verify(kClass13, text, count, nullptr);
}
