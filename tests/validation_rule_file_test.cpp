// The validator's rule file: the reader on hand-made bytes, the default path
// beside the catalog, restart, control values, the debug dumps, and the
// shipped rule file against its readable source.
#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

#include "JSE_Preference.h"
#include "JSE_Service.h"
#include "SystemLog.h"
#include "validation_support.h"

namespace {

using namespace validation_test;
using filter_test::readFile;
using filter_test::TempDir;

// Control i of a 60-control file: kind i % 3, value i - 1, one record whose
// fields count up from i, its level fields naming controls of the table.
std::vector<ControlBytes> NumberedControls() {
    std::vector<ControlBytes> controls(60);
    for (int i = 0; i < 60; ++i) {
        const auto f = [i](int k) {
            if (k == 10) return static_cast<std::int16_t>(i % 51 + 1);  // a check code
            return static_cast<std::int16_t>(k == 1 || k == 4 || k == 7 ? (i + k) % 56 : i * 16 + k - 8);
        };
        controls[i].kind = i % 3;
        controls[i].value = i - 1;
        controls[i].records = {Record{f(0), f(1), f(2), f(3), f(4), f(5), f(6), f(7), f(8), f(9), f(10), f(11), f(12)}};
    }
    return controls;
}

TEST(ValidationRuleFile, ReadsAtMost55ControlsAndKeepsTheRestAtKindAndValue0) {
    JSE_Media catalog(2);
    const std::vector<ControlBytes> numbered = NumberedControls();
    for (const std::int64_t count : {60, 55, 3, 0, -4}) {
        SCOPED_TRACE(testing::Message() << "count " << count);
        RuleFile file(&catalog, RuleBytes(numbered, count));
        const Validator& v = *file.validator;
        ASSERT_EQ(v.Controls().size(), 55u);
        // The file holds 60 controls: a count below 55 leaves some unread.
        EXPECT_EQ(v.JSE_Validation_GetRuleFileError(), count < 55 ? kValidationNotARuleFile : kValidationNoError);
        for (int i = 0; i < 55; ++i) {
            const JSE_Validation::ControlItem& c = v.Controls()[i];
            const bool read = i < count;
            EXPECT_EQ(c.controlKind, read ? i % 3 : 0) << i;
            EXPECT_EQ(c.currentValue, read ? i - 1 : 0) << i;
            EXPECT_EQ(v.Saved(i), read ? i - 1 : 0) << i;
            ASSERT_EQ(c.dependents.size(), read ? 1u : 0u) << i;
            EXPECT_EQ(c.dependentCount, read ? 1 : 0) << i;
            if (read) {
                EXPECT_EQ(c.dependents[0].messageId, i * 16 + 4) << i;
            }
        }
    }
}

// Records per control as read, for the first controls of a file.
std::vector<std::size_t> RecordsRead(const Validator& v, int controls) {
    std::vector<std::size_t> counts;
    for (int i = 0; i < controls && i < static_cast<int>(v.Controls().size()); ++i)
        counts.push_back(v.Controls()[i].dependents.size());
    return counts;
}

TEST(ValidationRuleFile, KeepsOnlyTheRecordsTheFileHoldsWhateverTheCountsSay) {
    const Record r = Rule().If(1).Check(5).Says(7);
    const std::string whole = RuleBytes({{1, 1, {r, r}}, {2, 2, {r, r, r, r, r}}, {0, 3, {r}}});
    // The second control states more records than the file holds after it.
    const auto stated = [&](std::int64_t count) { return RuleBytes({{1, 1, {r, r}}, {2, 2, {r, r, r, r, r}, count}}); };
    struct Case {
        const char* name;
        std::string bytes;
        std::vector<std::size_t> records;  // of controls 0 to 2; empty: no table
        int error;
    } cases[] = {
        {"whole file", whole, {2, 5, 1}, 0},
        {"cut inside the header", whole.substr(0, 11), {}, kValidationShortFile},
        {"cut inside the second control", whole.substr(0, 12 + 8 + 52 + 5), {2, 0, 0}, kValidationShortFile},
        {"cut inside the third record", whole.substr(0, 12 + 8 + 52 + 8 + 64), {2, 2, 0}, kValidationShortFile},
        {"count beyond the file", stated(0x7FFFFFFF), {2, 5, 0}, kValidationShortFile},
        {"count above 16 bits", stated(40000), {2, 5, 0}, kValidationShortFile},
        {"negative count", RuleBytes({{1, 1, {r}}, {2, 2, {}, -3}, {0, 3, {r}}}), {1, 0, 1}, 0},
    };
    JSE_Media catalog(2);
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        RuleFile file(&catalog, c.bytes);
        EXPECT_EQ(RecordsRead(*file.validator, 3), c.records);
        EXPECT_EQ(file.validator->JSE_Validation_RulesLoaded(), !c.records.empty());
        EXPECT_EQ(file.validator->JSE_Validation_GetRuleFileError(), c.error);
        EXPECT_EQ(file.validator->JSE_Validation_GetError(), 0);  // the engine starts all the same
        for (const JSE_Validation::ControlItem& control : file.validator->Controls())
            EXPECT_EQ(control.dependentCount, static_cast<int>(control.dependents.size()));
    }
}

// Only a file cut short, or one holding more controls than it states, is
// damaged: it is told on the console and no whole job is judged on it. What
// the format does not foresee in a file read whole is only noted.
TEST(ValidationRuleFile, DamagedFileIsReportedOnTheConsoleByItsNameAndFaultAndAMissingOneOnlyInTheSystemLog) {
    const Record r = Rule().If(1).Check(5).Says(7);
    const std::string whole = RuleBytes({{1, 1, {r, r}}, {2, 2, {r}}});
    const std::string none = "job features are not checked";
    const std::string two = "job features are checked only by the 2 rules read";
    const std::string read = "every rule it holds is read";
    std::vector<ControlBytes> sixty(60, ControlBytes(1, 1, {r}));
    struct Case {
        const char* name;
        std::optional<std::string> bytes;  // none: no file at the path
        std::string report;                // after the file's name; empty: none
        bool damaged;
    } cases[] = {
        {"whole file", whole, "", false},
        {"no file", std::nullopt, "cannot be opened (No such file or directory): " + none, false},
        {"empty file", "", "is empty: " + none, true},
        {"cut inside the header", whole.substr(0, 7), "ends inside its header: " + none, true},
        {"cut inside the second control", whole.substr(0, 12 + 8 + 52 + 3), "ends inside control 1: " + two, true},
        {"cut inside its rules", RuleBytes({{1, 1, {r, r}}, {2, 2, {r}, 3}}),
         "ends inside the rules of control 1: job features are checked only by the 3 rules read", true},
        {"no controls before a control", RuleBytes({{1, 1, {r}}}, 0), "states 0 controls: " + none, true},
        {"no controls at all", RuleBytes({}, 0), "states 0 controls: " + read, false},
        {"a negative kind", RuleBytes({{1, 1, {r}}, {-3, 2, {r}}}), "gives control 1 the kind -3: " + read, false},
        {"a negative count", RuleBytes({{1, 1, {r}}, {2, 2, {}, -1}}), "gives control 1 -1 rules: " + read, false},
        {"a rule naming no control", RuleBytes({{1, 1, {r, Rule().If(0).And(70).Check(5).Says(7)}}}),
         "gives rule 2 of control 0 a control outside the table: " + read, false},
        {"a note", "This is no rule file, but a note.\n", "ends inside the rules of control 0: " + none, true},
        {"an unknown check code", RuleBytes({{1, 1, {r, Rule().If(1).Check(999).Says(7)}}}),
         "gives rule 2 of control 0 the unknown check code 999, which refuses whenever its conditions hold: " + read,
         false},
        {"fewer controls stated than held", RuleBytes({{1, 1, {r}}, {2, 2, {r}}}, 1),
         "holds 34 bytes after control 0, the last it reads: job features are checked only by the 1 rule read", true},
        {"fewer controls stated than held, then padding", RuleBytes({{1, 1, {r}}, {2, 2, {r}}}, 1) + std::string(3, '\0'),
         "holds 37 bytes after control 0, the last it reads: job features are checked only by the 1 rule read", true},
        {"padding after the controls", whole + std::string(5, '\0'),
         "holds 5 bytes after control 1, the last it reads: " + read, false},
        {"empty controls after the ones stated", whole + std::string(16, '\0'),
         "holds 16 bytes after control 1, the last it reads: " + read, false},
        {"a count of 60", RuleBytes(sixty), "holds 170 bytes after control 54, the last it reads: " + read, false},
        {"a folder", std::nullopt, "is not a file: " + none, true},
    };
    JSE_Media catalog(2);
    TempDir folder;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const std::string path = folder.file(c.name);
        if (c.bytes) filter_test::writeFile(path, *c.bytes);
        if (c.damaged && !c.bytes) {
            ASSERT_EQ(mkdir(path.c_str(), 0700), 0);
        }
        platform::LogRecorder log;
        Validator v(&catalog, Wide(path));
        EXPECT_EQ(v.JSE_Validation_RuleFileDamaged(), c.damaged);
        EXPECT_EQ(v.JSE_Validation_GetError(), 0);  // the engine starts all the same
        if (c.report.empty()) {
            EXPECT_TRUE(log.lines().empty());
            continue;
        }
        ASSERT_EQ(log.lines().size(), 1u);
        EXPECT_EQ(log.lines()[0].text, "rule file \"" + path + "\" " + c.report);
        EXPECT_EQ(log.lines()[0].console, c.damaged);

        JSE_Service service(L"English", WString(), WString(), Wide(path), false);
        JSE_JobFeatureType job;
        service.JSE_Preference_GetJobFeature(job);
        service.JSE_JobTicketValidation(job, {});
        const bool judged = service.JSE_JobTicket_Validation_GetNumberOfErrors() == 0 ||
                            service.JSE_JobTicket_Validation_GetErrorLocation(0) != -2;
        EXPECT_EQ(judged, !c.damaged && c.bytes.has_value());
    }
}

TEST(ValidationRuleFile, WithoutARuleFileEveryValueIsAllowedAndNothingStored) {
    JSE_Media catalog(2);
    Validator v(&catalog, Wide("/nonexistent/rules.dat"));
    EXPECT_EQ(v.JSE_Validation_GetError(), 0);
    EXPECT_FALSE(v.JSE_Validation_RulesLoaded());
    EXPECT_EQ(v.JSE_Validation_GetRuleFileError(), kValidationCannotOpen);
    EXPECT_EQ(v.Get_Value(eJSE_BodyPaperSelection, true), 0);
    EXPECT_EQ(v.JSE_Validation_GetControlValue(eJSE_BodyPaperSelection), kValidationBadControl);
    int conflict = 77;
    EXPECT_EQ(v.JSE_Validation_Check(eJSE_StaplerSelection, 2, conflict, true), 0);
    EXPECT_EQ(conflict, 77);
    EXPECT_EQ(v.Get_Value(eJSE_StaplerSelection, true), 0);
}

TEST(ValidationRuleFile, DefaultRuleFileIsTheCatalogPathWithDatAndShipsBesideTheCatalog) {
    ShippedCatalog catalog;
    Validator v(&catalog);
    std::string path;
    v.JSE_Validation_Get_DataFilePath(path);
    EXPECT_EQ(path, DataPath("PaperCatalog.cat.dat"));
    EXPECT_TRUE(v.JSE_Validation_RulesLoaded());
    EXPECT_EQ(v.ConstraintRows(), 40u);
}

TEST(ValidationRuleFile, RestartReadsTheRulesAgainAndSaysWhenItCannot) {
    JSE_Media catalog(2);
    std::vector<ControlBytes> table = EmptyTable();
    table[eJSE_StaplerSelection] = {2, 3, {Rule().Parent(2).If(9, 1, 1).Check(5).Says(900)}};
    RuleFile file(&catalog, RuleBytes(table));
    Validator& v = *file.validator;
    JSE_Preference store(L"Qwi_JSE.prf", L"English");
    v.JSE_Validation_Set_JSE_PreferenceRef(&store);
    v.JSE_Validation_SetControlValue(eJSE_StaplerSelection, 5);
    EXPECT_TRUE(v.JSE_Validation_ReStart());
    EXPECT_EQ(v.Get_Value(eJSE_StaplerSelection, true), 3);
    EXPECT_EQ(v.ConstraintRows(), 40u);
    v.JSE_Validation_SetValue_NoCheck(eJSE_PunchJobTypeCheck, 64);  // the store was let go
    EXPECT_EQ(store.JSE_Preference_GetUserPunchPattern(), 0);

    filter_test::writeFile(file.path(), RuleBytes(table).substr(0, 40));
    EXPECT_FALSE(v.JSE_Validation_ReStart());
    EXPECT_EQ(v.JSE_Validation_GetError(), kValidationShortFile);
    EXPECT_TRUE(v.JSE_Validation_RulesLoaded());

    Validator deferred(&catalog, true);
    EXPECT_FALSE(deferred.JSE_Validation_RulesLoaded());
    EXPECT_FALSE(deferred.JSE_Validation_ReStart());
    EXPECT_EQ(deferred.JSE_Validation_GetError(), kValidationCannotOpen);
    filter_test::writeFile(file.path(), RuleBytes(table));
    deferred.JSE_Validation_Set_DataFilePath(file.path());
    EXPECT_TRUE(deferred.JSE_Validation_ReStart());
    EXPECT_EQ(deferred.Get_Value(eJSE_StaplerSelection, true), 3);

    Validator orphan(nullptr);
    EXPECT_EQ(orphan.JSE_Validation_GetError(), kValidationNoCatalog);
    EXPECT_FALSE(orphan.JSE_Validation_ReStart());
}

TEST(ValidationRuleFile, ValuesAreKeptIn16BitsAndReadBackSignExtended) {
    JSE_Media catalog(2);
    std::vector<ControlBytes> table = EmptyTable();
    table[eJSE_CopiesEdit].value = 7;
    RuleFile file(&catalog, RuleBytes(table));
    Validator& v = *file.validator;
    const struct {
        int control, value, current, saved;
    } cases[] = {{eJSE_FrontCoverPaperSelection, -1, -1, 0}, {eJSE_CopiesEdit, 70000, 4464, 7},
                 {eJSE_CopiesEdit, -32769, 32767, 7}, {54, 2, 2, 0}, {-1, 5, kValidationBadControl, 0},
                 {55, 5, kValidationBadControl, 0}};
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.control << " <- " << c.value);
        v.JSE_Validation_SetControlValue(c.control, c.value);
        EXPECT_EQ(v.JSE_Validation_GetControlValue(c.control), c.current);
        EXPECT_EQ(v.Saved(c.control), c.saved);
    }
    v.Set_Value(eJSE_CopiesEdit, 90000, false);
    EXPECT_EQ(v.Saved(eJSE_CopiesEdit), 90000);
    JSE_Preference store(L"Qwi_JSE.prf", L"English");
    v.JSE_Validation_Set_JSE_PreferenceRef(nullptr);
    EXPECT_EQ(v.JSE_Validation_GetError(), kValidationNoPreference);
    v.JSE_Validation_Set_JSE_PreferenceRef(&store);
    v.JSE_Validation_SetValue_NoCheck(eJSE_PunchJobTypeCheck, 64);
    EXPECT_EQ(store.JSE_Preference_GetUserPunchPattern(), 64);
    EXPECT_EQ(v.Get_Value(eJSE_PunchJobTypeCheck, true), 64);
}

// Runs the dumps in a folder of their own and gives the text of one file.
class DumpFolder {
public:
    DumpFolder() : m_previous(getcwd(nullptr, 0)) { EXPECT_EQ(chdir(m_folder.path().c_str()), 0); }
    ~DumpFolder() {
        EXPECT_EQ(chdir(m_previous), 0);
        free(m_previous);
    }
    std::string Text(const std::string& name) const { return readFile(m_folder.file(name)); }

private:
    TempDir m_folder;
    char* m_previous;
};

TEST(ValidationDumps, WriteTheirFilesInTheirFixedForms) {
    JSE_Media catalog(2);
    std::vector<ControlBytes> table = EmptyTable();
    table[eJSE_BodyPaperSelection] = {1, 0, {Rule().If(24, 1, 1).Check(33).Says(16305)}};
    table[eJSE_DocumentExitSelection] = {
        2, 1, {Rule().Parent(1).If(10, 2, 4).Check(5, 1).Says(16300), Rule().Parent(12).If(0).And(5, -3, 5).Using(12).Check(12, 2).Says(-7),
               Rule().Parent(-1).If(22, 1, 1).Check(15, 3).Says(0), Rule().If(9).And(8, 0, 32767).Check(16, 4).Says(5)}};
    table[53] = {0, -1, {Rule().If(52).Check(40, 9).Says(16000)}};
    RuleFile file(&catalog, RuleBytes(table));
    DumpFolder folder;
    file.validator->DumpList();
    EXPECT_EQ(folder.Text("JSEValidation.txt"), readFile(std::string(LUMAPREX_TEST_DATA) + "/validation/dump_list.txt"));
    file.validator->DumpPageList();
    EXPECT_EQ(folder.Text("JSESelectedPages.txt"), "");
    const char* names[] = {"JSEPeBefore.txt", "JSEPeAfter.txt", "Selected_PageOn_Media.txt", "JSEPageException3.txt"};
    for (int which = 1; which <= 4; ++which) {
        file.validator->DumpSubstitutionList(which);
        EXPECT_EQ(folder.Text(names[which - 1]), "Total Record = 0\n") << which;
    }
}

TEST(ShippedRuleFile, IsWhatTheToolWritesFromItsReadableSource) {
    TempDir folder;
    const std::string tool = filter_test::builtProgram("tools", "make-rule-file");
    const auto result = filter_test::runProgram(
        tool, {tool, DataPath("src/ValidationRules.txt"), folder.file("rules.dat")});
    ASSERT_EQ(result.status, 0) << result.err;
    EXPECT_EQ(readFile(folder.file("rules.dat")), readFile(DataPath("PaperCatalog.cat.dat")));
}

TEST(ShippedRuleFile, ToolRefusesASourceWithAFaultAndNamesItsLine) {
    const std::string head = "message 900 \"Refused.\"\ncontrol eJSE_BodyPaperSelection kind 1 value 0\n";
    const struct {
        const char* name;
        std::string source;
        const char* error;
    } cases[] = {
        {"control out of order", "control eJSE_CollateCheck kind 0 value 0\n", ":1: control 3 stands where control 0"},
        {"unknown control", head + "rule if eJSE_Nothing any check 5 message 900\n", ":3: no control eJSE_Nothing"},
        {"unlisted message", head + "rule if 3 any check 5 message 901\n", ":3: message 901 is not listed"},
        {"unused message", head, ":1: message 900 is used by no rule"},
        {"value beyond 16 bits", head + "rule if 3 0..40000 check 5 message 900\n", ":3: 40000 does not fit"},
        {"empty range", head + "rule if 3 5..4 check 5 message 900\n", ":3: range \"5..4\" is empty"},
        {"rule without check", head + "rule if 3 any message 900\n", ":3: a rule needs a check"},
        {"condition word", head + "rule if 3 any check 5 condition ~ message 900\n", ":3: condition \"~\""},
        {"parents apart", "message 900 \"R.\"\ncontrol 0 kind 2 value 0\nrule parent 1 if 3 any check 5 message 900\n"
                          "rule parent 2 if 3 any check 5 message 900\nrule parent 1 if 3 any check 5 message 900\n",
         ":5: rules of parent 1 do not stand together"},
    };
    TempDir folder;
    const std::string tool = filter_test::builtProgram("tools", "make-rule-file");
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        filter_test::writeFile(folder.file("src.txt"), c.source);
        const auto result = filter_test::runProgram(tool, {tool, folder.file("src.txt"), folder.file("out.dat")});
        EXPECT_EQ(result.status, 1);
        EXPECT_NE(result.err.find(c.error), std::string::npos) << result.err;
        EXPECT_FALSE(std::filesystem::exists(folder.file("out.dat")));
    }
}

}  // namespace
