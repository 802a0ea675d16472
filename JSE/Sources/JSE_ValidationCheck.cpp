// Rule checking of a job feature: a proposed value of one control is walked
// through the control's dependent records. Each record states conditions on
// up to two other controls and, when they hold, runs one check of the
// catalogue (selected by its flag) on a compared value A and a second value
// B; the first record that fails gives the refusal's message.
//
// Records whose flags are chain flags and that stand together form a group,
// judged as a whole; with condition 2 its records are alternatives.
#include <algorithm>

#include "JSE_Validation.h"

namespace {

constexpr int kBodyPaper = eJSE_BodyPaperSelection;
// Level fields naming the page-exception list (control 23 and 45, plus 1).
constexpr int kPeListLevel = eJSE_PaperExceptionPageEdit + 1;
constexpr int kPeTypeLevel = eJSE_CurrentPePageType + 1;
constexpr int kAnyValue = -2;

bool IsChainFlag(int flag) {
    switch (flag) {
    case 6: case 8: case 10: case 11: case 21: case 22: case 23: case 24: return true;
    default: return false;
    }
}

}  // namespace

int JSE_Validation::JSE_Validation_Check(int control, int value, int& conflict, bool apply) {
    if (controls.empty()) return 0;
    const int effective = value == -1 ? Get_Value(kBodyPaper, true) : value;
    conflictControl = 0;
    conflict = 0;
    int result = 0;
    if (IsControl(control) && controls[static_cast<std::size_t>(control)].dependentCount > 0)
        result = CheckDependents(control, value, effective);
    if (result == 0) {
        if (apply) Set_Value(control, value, true);
        return 0;
    }
    conflict = conflictControl;
    return result;
}

// A failing record ends the check with its message, even a message of 0,
// which then allows the value without looking at the records after it.
int JSE_Validation::CheckDependents(int control, int value, int effective) {
    const ControlItem& item = controls[static_cast<std::size_t>(control)];
    const int count = item.dependentCount;
    int b = 0;
    int i = 0;
    findDependent(control, value, i);
    while (i < count) {
        const int group = Find_Group(control, i);
        if (group >= 2) {
            if (const int result = Process_Group(group, control, value, i)) return result;
            i += group;
            continue;
        }
        const DependentItem& record = item.dependents[static_cast<std::size_t>(i)];
        const RecordOutcome outcome = CheckRecord(control, value, effective, record, b);
        if (outcome.failed) {
            conflictControl = record.level1Control - 1;
            return outcome.message;
        }
        ++i;
        if (item.controlKind >= 2 && i < count && item.dependents[static_cast<std::size_t>(i)].parentValue != value)
            return 0;
    }
    return 0;
}

void JSE_Validation::findDependent(int control, int value, int& index) {
    index = 0;
    if (!IsControl(control)) return;
    const ControlItem& item = controls[static_cast<std::size_t>(control)];
    if (item.controlKind < 2) return;
    while (index < item.dependentCount && item.dependents[static_cast<std::size_t>(index)].parentValue != value)
        ++index;
}

// The control's last record never joins a group.
int JSE_Validation::Find_Group(int control, int start) {
    if (!IsControl(control) || start < 0) return 0;
    const ControlItem& item = controls[static_cast<std::size_t>(control)];
    int run = 0;
    for (int j = start; j + 1 < item.dependentCount; ++j) {
        if (!IsChainFlag(item.dependents[static_cast<std::size_t>(j)].flag)) break;
        ++run;
    }
    return run;
}

// The result carries from record to record: with condition 2 an alternative
// that holds ends the group allowed, and the group fails with the message of
// the last failing alternative only when none held. After every record that
// does not end the group, a standing refusal names that record's control.
int JSE_Validation::Process_Group(int count, int control, int value, int start) {
    const ControlItem& item = controls[static_cast<std::size_t>(control)];
    const int end = std::min(start + count, item.dependentCount);
    int result = 0;
    for (int j = start; j < end; ++j) {
        DependentItem record = item.dependents[static_cast<std::size_t>(j)];
        if (record.level1Control == kPeListLevel) {
            result = static_cast<int>(Check_PeLevel_List(control, value, record));
            if (result != 0) return result;
            continue;
        }
        const int a = LevelValue(record.level1Control);
        const bool applies = record.level1Min >= 0 && record.level1Max != 0 && Value_In_Range(1, a, &record);
        if (applies) {
            const int compared = GroupComparedValue(item.controlKind, value, a, record);
            if (One_Value_Compare(compared, record.flag, record.condition) == 0) {
                result = 0;
                if (record.condition == 2) return 0;
            } else {
                result = record.messageId;
                if (record.condition != 2) return result;
            }
        }
        if (result != 0) conflictControl = record.level1Control - 1;
    }
    return result;
}

// The value a group record compares: the proposed value for kind 1, else the
// level-1 value, or the level-2 value, or the level-3 value while the level-2
// value is in range.
int JSE_Validation::GroupComparedValue(int kind, int value, int a, DependentItem& record) {
    if (kind == 1) return value;
    if (record.level2Control == 0) return a;
    const int b = LevelValue(record.level2Control);
    return Value_In_Range(2, b, &record) && record.level3Control != 0 ? LevelValue(record.level3Control) : b;
}

// Sets A (and B, which carries over from the records before) from the
// record's level controls, then runs its check.
JSE_Validation::RecordOutcome JSE_Validation::CheckRecord(int control, int value, int effective,
                                                          const DependentItem& record, int& b) {
    if (record.level1Control == 0) return {};
    DependentItem copy = record;
    int a = LevelValue(record.level1Control);
    if (!Value_In_Range(1, a, &copy)) return {};
    const int kind = controls[static_cast<std::size_t>(control)].controlKind;
    if (record.level2Control != 0) {
        b = LevelValue(record.level2Control);
        if (Value_In_Range(2, b, &copy)) {
            if (record.level3Control == 0) {
                a = b;
            } else if (record.flag == 12 || record.flag == 18) {
                if (kind == 1) {
                    b = LevelValue(record.level3Control);
                    if (b == -1) b = value;
                } else {
                    a = b;
                    b = LevelValue(record.level3Control);
                }
            } else {
                a = LevelValue(record.level3Control);
            }
        } else if ((record.level2Control == record.level2Min && record.level2Control == record.level2Max) ||
                   record.level2Control - 1 == control) {
            a = b = value;
        } else {
            return {};
        }
    }
    if (kind == 1) a = value;
    return RunRecordCheck(control, effective, record, a, b);
}

JSE_Validation::RecordOutcome JSE_Validation::RunRecordCheck(int control, int effective, const DependentItem& record,
                                                             int a, int b) {
    const int condition = record.condition;
    const auto own = [](long message) { return RecordOutcome{message != 0, static_cast<int>(message)}; };
    const auto outcome = [&](int conflict) { return RecordOutcome{conflict != 0, record.messageId}; };
    switch (record.flag) {
    case 12: return outcome(Paper_Size_Compare(a, b, condition, condition == 3 || condition == 4 ? 4 : 1));
    case 15: return outcome(Two_Values_Compare(a, b, condition));
    case 18:
        if (condition == 3 || condition == 4) return outcome(Paper_Size_Compare(a, b, condition, 4));
        if (condition == 2) return outcome(Paper_Size_Compare(a, b, 2, 3));
        return {};
    case 19: return own(Check_PeLevel_List(control, effective, record));
    case 20: return outcome(Type_Checking(a, 20, condition));
    case 28:
        if ((effective == 6 || effective == 4 || effective == 5) && !PeMediaSizesEqualBodySize())
            return own(effective == 6 ? 16017 : 16009);
        return own(Check_PeLevel_List(control, effective, record));
    case 29: return own(Check_PeLevel_List(control, effective, record));
    case 31: return outcome(Type_Checking(effective, 3, condition));
    default: break;
    }
    if (record.level1Control == kPeListLevel) return own(Check_PeLevel_List(control, effective, record));
    if (record.level1Control == kPeTypeLevel || record.level2Control == kPeTypeLevel)
        return outcome(static_cast<int>(Check_PeLevel_List(control, effective, record)));
    if (record.flag == 16) return outcome(ChainStandardSizes(a, condition));
    return outcome(One_Value_Compare(a, record.flag, condition));
}

// Flag 16: the paper against the standard sizes of flags 6 to 9 in turn; a
// conflict only when it conflicts with all four.
int JSE_Validation::ChainStandardSizes(int paper, int condition) {
    if (paper == -1) paper = Get_Value(kBodyPaper, true);
    for (int flag = 6; flag <= 9; ++flag)
        if (Type_Checking(paper, flag, condition) == 0) return 0;
    return 1;
}

bool JSE_Validation::Value_In_Range(int level, int value, DependentItem* record) {
    if (record == nullptr || (level != 1 && level != 2)) return false;
    const int control = level == 1 ? record->level1Control : record->level2Control;
    const int low = level == 1 ? record->level1Min : record->level2Min;
    const int high = level == 1 ? record->level1Max : record->level2Max;
    if (control == kPeListLevel && exceptionPapers.empty()) return false;
    if (high == kAnyValue) return true;
    return low <= value && value <= high;
}

int JSE_Validation::One_Value_Compare(int value, int flag, int condition) {
    if (value == -1 && (flag < 2 || flag > 5)) value = Get_Value(kBodyPaper, true);
    return Type_Checking(value, flag, condition);
}
