// The built-in page-exception constraint table and its first-match lookup: a
// capability of the validator beside its rule file, built at construction and
// restart. Each row names a page-exception control (47 plex, 255 none), a
// print-mode range, a command value and an output device, and the paper test
// that makes the row apply.
#include "JSE_Validation.h"

namespace {

constexpr std::int32_t kNoPeControl = 255;
constexpr std::int32_t kPlex = eJSE_PePlexType;
// A row's operand of 27 marks a row that never matches.
constexpr std::int32_t kLastMatchingOperand = 1;

using Row = JSE_Validation::peCommandConstraintType;

constexpr Row R(std::int32_t command, std::int32_t low, std::int32_t high, std::int32_t value, std::int32_t device,
                std::int32_t check, std::int32_t operand, std::int32_t message) {
    return Row{command, low, high, value, device, 0, 0, check, operand, message};
}

constexpr Row kRows[] = {
    R(kNoPeControl, 4, 5, 0, 1, 12, 0, 16009), R(kNoPeControl, 6, 6, 1, 4, 1, 0, 16004),
    R(kNoPeControl, 6, 6, 1, 3, 0, 27, 16024), R(kNoPeControl, 6, 6, 1, 2, 18, 0, 16000),
    R(kNoPeControl, 6, 6, 1, 2, 17, 0, 16011), R(kNoPeControl, 6, 6, 1, 2, 12, 0, 16017),
    R(kNoPeControl, 6, 6, 1, 4, 12, 0, 16017), R(kNoPeControl, 6, 6, 1, 1, 12, 0, 16017),
    R(kNoPeControl, 6, 6, 2, 0, 0, 0, 16009),  R(kNoPeControl, 4, 5, 0, 4, 0, 0, 16120),
    R(kNoPeControl, 4, 5, 0, 2, 18, 0, 16000), R(kNoPeControl, 4, 5, 0, 2, 17, 0, 16011),
    R(kNoPeControl, 4, 5, 0, 2, 12, 0, 16009), R(kNoPeControl, 1, 1, 1, 2, 17, 0, 16011),
    R(kNoPeControl, 1, 1, 1, 2, 18, 0, 16000), R(kNoPeControl, 1, 1, 1, 3, 0, 27, 16024),
    R(kNoPeControl, 1, 1, 1, 4, 0, 0, 16114),  R(kNoPeControl, 1, 1, 2, 0, 0, 0, 16004),
    R(kNoPeControl, 2, 3, 1, 1, 1, 0, 16004),  R(kNoPeControl, 2, 3, 1, 2, 1, 0, 16004),
    R(kNoPeControl, 2, 3, 1, 2, 17, 0, 16011), R(kNoPeControl, 2, 3, 1, 2, 18, 0, 16000),
    R(kNoPeControl, 2, 3, 1, 3, 0, 27, 16024), R(kNoPeControl, 2, 3, 1, 3, 1, 0, 16004),
    R(kNoPeControl, 2, 3, 1, 4, 1, 0, 16004),  R(kNoPeControl, 2, 3, 1, 4, 12, 0, 16003),
    R(kNoPeControl, 4, 5, 2, 1, 1, 0, 16004),  R(kPlex, 2, 3, 1, 2, 1, 0, 16004),
    R(kPlex, 2, 3, 1, 4, 12, 0, 16003),        R(kPlex, 2, 3, 1, 4, 1, 0, 16004),
    R(kPlex, 2, 3, 1, 3, 1, 0, 16004),         R(kPlex, 2, 3, 1, 3, 0, 27, 16024),
    R(kPlex, 2, 3, 1, 2, 18, 0, 16000),        R(kPlex, 2, 3, 1, 2, 17, 0, 16011),
    R(kPlex, 2, 3, 1, 1, 1, 0, 16004),         R(kPlex, 1, 1, 2, 0, 0, 0, 16004),
    R(kPlex, 1, 1, 1, 4, 0, 0, 16114),         R(kPlex, 1, 1, 1, 3, 0, 27, 16024),
    R(kPlex, 1, 1, 1, 2, 18, 0, 16000),        R(kPlex, 1, 1, 1, 2, 17, 0, 16011),
};

}  // namespace

void JSE_Validation::LoadPeConstrintTable() { peConstraints.assign(std::begin(kRows), std::end(kRows)); }

// A row with an output device applies through its paper test: 0 always (but
// for operand 27), 1 a one-sided paper B, 12 papers of different catalog
// size, 17 a paper B too large for the stapler, 18 papers of different feed
// length.
bool JSE_Validation::JSE_Validation_PeConstraint_Lookup(peCommandConstraintType& query) {
    query.checkCode = 0;
    query.messageId = 0;
    for (const Row& row : peConstraints) {
        if (query.peCommand != row.peCommand || query.printModeLow < row.printModeLow ||
            query.printModeHigh > row.printModeHigh || query.commandValue != row.commandValue)
            continue;
        bool matches = false;
        if (row.outputDevice == 0) {
            matches = row.messageId != 0;
        } else if (query.outputDevice == row.outputDevice) {
            switch (row.checkCode) {
            case 0: matches = row.operand >= 0 && row.operand <= kLastMatchingOperand; break;
            case 1: matches = Type_Checking(query.paperB, 1, 0) != 0; break;
            case 12: matches = Paper_Size_Compare(query.paperA, query.paperB, 2, 1) != 0; break;
            case 17: matches = Type_Checking(query.paperB, 25, 0) != 0; break;
            case 18: matches = Paper_Size_Compare(query.paperA, query.paperB, 2, 3) != 0; break;
            default: break;
            }
        }
        if (!matches) continue;
        query.checkCode = row.checkCode;
        query.messageId = row.messageId;
        return true;
    }
    return false;
}
