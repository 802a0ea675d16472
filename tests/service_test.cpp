// The job-setup service: start-up from the shipped data and its failure at
// each step, teardown, the families with their part missing, what the
// forwarders change on the way, and the copies of the live settings.
#include <gtest/gtest.h>

#include <functional>
#include <tuple>
#include <utility>

#include "job_ticket_support.h"
#include "service_support.h"

namespace {

using namespace service_test;

// A missing rule file is no reason to keep the dialog shut, but it shows.
TEST(ServiceStartUp, ShippedDataInAFreshFolderStartsEveryPartRulesOrNot) {
    for (const bool withRules : {true, false}) {
        SCOPED_TRACE(withRules);
        DataFolder data(withRules);
        JSE_Service service(L"English", L"ignored", data.catalog(), WString(), false);
        EXPECT_EQ(service.JSE_GetLastError(), kServiceNoError);
        EXPECT_EQ(service.JSE_Validation_RulesLoaded(), withRules);
        EXPECT_EQ(service.JSE_Media_GetLastError(), kMediaNoError);
        EXPECT_EQ(service.JSE_Media_GetNumberOfEntry(), 35);
        EXPECT_EQ(service.JSE_JobTicket_Create(), 0);
    }
}

TEST(ServiceStartUp, EachFailingStepKeepsThePartsBeforeItAndItsCode) {
    struct Case {
        Part failing;
        std::int64_t code;
        int partsKept;  // in creation order: catalog, validator, store, ticket
    };
    const Case cases[] = {
        {Part::Media, kServiceNoMedia, 0},
        {Part::Validation, kServiceNoValidation, 1},
        {Part::ValidationError, kServiceValidationFailed, 2},
        {Part::Preference, kServiceNoPreference, 2},
        {Part::JobTicket, kServiceNoJobTicket, 3},
        {Part::None, kServiceNoError, 4},
    };
    DataFolder data;
    for (const Case& c : cases) {
        SCOPED_TRACE(static_cast<int>(c.failing));
        TestService service(c.failing);
        service.JSE_Initialize(L"English", WString(), data.catalog(), WString(), false);
        EXPECT_EQ(service.JSE_GetLastError(), c.code);
        const bool kept[] = {service.Media() != nullptr, service.Validation() != nullptr,
                             service.Preference() != nullptr, service.JobTicket() != nullptr};
        for (int i = 0; i < 4; ++i) EXPECT_EQ(kept[i], i < c.partsKept) << "part " << i;
        // A later family reports its own code; an earlier one still works.
        if (c.partsKept == 2) {
            EXPECT_EQ(service.JSE_Preference_GetPageOrderValue(), 1);
            EXPECT_EQ(service.JSE_GetLastError(), kServiceNoPreference);
            EXPECT_EQ(service.JSE_JobTicket_GetSize(), 0);
            EXPECT_EQ(service.JSE_GetLastError(), kServiceNoJobTicket);
            EXPECT_EQ(service.JSE_Media_GetIndex(L"A4"), 18);
        }
    }
}

TEST(ServiceStartUp, RuleFileIsTheGivenOneOrTheCatalogsWithDat) {
    DataFolder data, elsewhere;
    const std::string beside = data.file("PaperCatalog.cat.dat"), given = elsewhere.file("PaperCatalog.cat.dat");
    for (const auto& [fourArguments, path, read] : {std::tuple{true, given, beside}, {false, std::string(), beside},
                                                    {false, given, given}}) {
        TestService service;
        if (fourArguments) service.JSE_Initialize(L"English", Wide(path), data.catalog(), false);  // not read
        else service.JSE_Initialize(L"English", WString(), data.catalog(), Wide(path), false);
        EXPECT_EQ(service.RulePath(), read);
        EXPECT_TRUE(service.JSE_Validation_RulesLoaded());
    }
}

TEST(ServiceStartUp, TeardownDeletesValidatorTicketCatalogThenStore) {
    DataFolder data;
    std::vector<std::string> deletions;
    {
        TestService service(Part::None, &deletions);
        service.JSE_Initialize(L"English", WString(), data.catalog(), WString(), false);
        // A second start deletes the parts of the first, in the same order.
        service.JSE_Initialize(L"English", WString(), data.catalog(), WString(), false);
    }
    EXPECT_EQ(deletions, std::vector<std::string>({"validator", "ticket", "catalog", "store", "validator", "ticket",
                                                   "catalog", "store"}));
}

// ---------------------------------------------------------------------------
// The families with their part missing: result and last error afterwards.

// Outputs a getter is handed, none of them neutral to begin with.
struct Outputs {
    int i = 7, j = 7;
    bool on = true;
    WString text = L"x", other;
    char buffer[4] = {};
    JSE_MediaRecordType paper;
    JSE_PageExceptionType item;
};

struct MissingCase {
    const char* operation;
    std::function<long(JSE_Service&, Outputs&)> call;
    long result;
    long lastError;
};
// One row: the call as written, with s the service and o its outputs.
#define ROW(call, result, lastError) \
    MissingCase { #call, [](JSE_Service& s, [[maybe_unused]] Outputs& o) { return long(call); }, result, lastError }

void ExpectMissing(const std::vector<MissingCase>& cases) {
    for (const MissingCase& c : cases) {
        SCOPED_TRACE(c.operation);
        JSE_Service service;
        Outputs outputs;
        EXPECT_EQ(c.call(service, outputs), c.result);
        EXPECT_EQ(service.JSE_GetLastError(), c.lastError);
    }
}

TEST(ServiceFamilies, CatalogFamilyWithoutCatalog) {
    ExpectMissing({
        ROW(s.JSE_Media_LoadCatalog(L"x", true), 0, -1004),
        ROW(s.JSE_Media_GetIndex(L"Letter"), -1, -1004),  // as for an absent paper, not paper 0
        ROW(s.JSE_Media_GetMode(0), 0, -1004),
        ROW(s.JSE_Media_GetPunchable(0), 1, 0),
        ROW((s.JSE_Media_GetWeight(0, o.i), o.i), 0, -1004),
        ROW((s.JSE_Media_GetPoints(0, o.i, o.j), o.i + o.j), 0, -1004),
        ROW((s.JSE_Media_GetDisplaySize(0, o.text, o.other, o.i), o.i), 0, -1004),
        ROW(s.JSE_Media_GetMediaInfo(0, o.paper), -1004, 0),
        ROW(s.JSE_Media_GetLastError(), -1004, 0),
        ROW(s.JSE_Media_SetOSDecimalFormat(','), -1, 0),
        ROW(s.JSE_Media_FloatToWS(1.5f, o.text, 2), -1, 0),
        ROW(s.JSE_Media_GetPaperDisplaySizeFromDefFile(0, o.text, o.other), -1004, -1004),
        ROW(s.JSE_Media_GetDefinitionIndex(0), -1, -1004),
        ROW(s.GetPaperMeasureType(0), -1, 0),
        ROW(s.JSE_Media_GetAttributes(1).size(), 0, 0),
    });
}

TEST(ServiceFamilies, TicketFamilyWithoutTicket) {
    ExpectMissing({
        ROW(s.JSE_JobTicket_Create(), -1003, -1003),
        ROW(s.JSE_JobTicket_Get(o.buffer, 4), -1003, -1003),
        ROW(s.JSE_JobTicket_GetSize(), 0, -1003),
        ROW(s.JSE_JobTicket_GetLastError(), -1003, 0),
        ROW(s.JSE_JobTicket_SetPDFUseOpp(), -1003, -1003),
        ROW(s.JSE_JobTicket_SetUserPunchPattern(3), -1003, -1003),
        ROW(s.JSE_JobTicket_GetPageOrderValue(), 1, -1003),
        ROW((s.JSE_JobTicket_GetPDFVersion(o.text), o.text.size()), 0, -1003),
    });
}

TEST(ServiceFamilies, ValidationFamilyWithoutValidator) {
    ExpectMissing({
        ROW(s.JSE_Validation_Check(1, 2, o.i, true) + o.i, -1005, -1005),
        ROW(s.JSE_Validation_Load_PeRecord(o.item), -1005, -1005),
        ROW(s.JSE_Validation_CheckPeFeature(1, 1, {}, 232, JSE_MediaSelection(), 0), -1005, -1005),
        ROW(s.JSE_Validation_RulesLoaded(), 0, -1005),
        ROW(s.JSE_Validation_SetOption_UsePreferenceInPeValidation(true), -1005, -1005),
        ROW(s.JSE_Validation_GetLastError(), 0, -1005),
        ROW(s.JSE_Validation_Select_Page(1, 232), -1005, 0),
        ROW(s.JSE_Validation_Get_ExceptionRecord(1, 1, o.item), -1005, 0),
        ROW(s.JSE_Validation_On_PeList(), 0, 0),
        ROW((s.JSE_Validation_Remove_All_PageList(), 0), 0, 0),
    });
}

TEST(ServiceFamilies, SettingsFamilyWithoutStore) {
    ExpectMissing({
        ROW(s.JSE_Preference_GetPageOrderValue(), 1, -1002),
        ROW(s.JSE_Preference_GetPDFUseOpp(), -1002, -1002),
        ROW((s.JSE_Preference_GetLastPageFirst(o.on), o.on), 0, -1002),
        ROW((s.JSE_Preference_GetFullPath(o.text), o.text.size()), 0, -1002),
        ROW(s.JSE_Preference_Get(o.buffer, 4), 0, -1002),
        ROW((s.JSE_Preference_Save_Setting(), 0), 0, -1002),
        ROW(s.JSE_Preference_FlattenTicket(), 0, 0),
        ROW(s.JSE_Preference_Copy_Value_To_JobTicket(), -1002, -1002),
        ROW(s.JSE_Preference_Copy_Value_To_Validation(), 0, 0),
    });
}

// ---------------------------------------------------------------------------
// What the service changes or keeps on the way.

class RunningService : public ::testing::Test {
protected:
    RunningService() { service.JSE_Initialize(L"English", WString(), data.catalog(), WString(), false); }
    DataFolder data;
    TestService service;
};

TEST_F(RunningService, TicketFamilySwitchedOffRefusesWithItsCode) {
    service.SwitchTicketFamily(false);
    EXPECT_EQ(service.JSE_JobTicket_GetLastError(), kServiceTicketOff);
    EXPECT_EQ(service.JSE_GetLastError(), kServiceNoError);
    EXPECT_EQ(service.JSE_JobTicket_GetSize(), 0);
    EXPECT_EQ(service.JSE_GetLastError(), kServiceTicketOff);
    EXPECT_EQ(service.JSE_JobTicket_Create(), kServiceTicketOff);
    service.SwitchTicketFamily(true);
    EXPECT_EQ(service.JSE_JobTicket_Create(), 0);
    EXPECT_EQ(service.JSE_GetLastError(), kServiceNoError);  // a good build clears it
}

TEST_F(RunningService, PunchingReachesTheValidatorAsOnOrOff) {
    const struct {
        int control, value, stored;
    } cases[] = {{eJSE_PunchJobTypeCheck, 2, 1},
                 {eJSE_PunchJobTypeCheck, 64, 1},
                 {eJSE_PunchJobTypeCheck, 255, 1},
                 {eJSE_PunchJobTypeCheck, 0, 0},
                 {eJSE_SignaturePagesEdit, 64, 64}};
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.control << " <- " << c.value);
        int conflict = -1;
        EXPECT_EQ(service.JSE_Validation_Check(c.control, c.value, conflict, true), 0);
        EXPECT_EQ(service.Validation()->JSE_Validation_GetControlValue(c.control), c.stored);
    }
}

TEST_F(RunningService, EmulationOutsideOneToFourIsSetAsOne) {
    for (const auto& [given, set] : {std::pair{0, 1}, {5, 1}, {4, 4}, {3, 3}, {1, 1}}) {
        service.JSE_JobTicket_Set_EmulationType(given);
        EXPECT_EQ(service.TicketEmulation(), set) << given;
    }
}

TEST_F(RunningService, CatalogPathFollowsOnlyALoadThatWorked) {
    DataFolder other;
    WString path;
    EXPECT_FALSE(service.JSE_Media_LoadCatalog(Wide(data.file("absent.txt")), true));
    service.JSE_Media_GetFullPath(path);
    EXPECT_EQ(path, data.catalog());
    EXPECT_TRUE(service.JSE_Media_LoadCatalog(other.catalog(), true));
    service.JSE_Media_GetFullPath(path);
    EXPECT_EQ(path, other.catalog());
}

TEST_F(RunningService, MediaInfoIsThePaperAsTheSettingsKeepIt) {
    JSE_MediaRecordType record;
    record.weight = 4321;
    EXPECT_EQ(service.JSE_Media_GetMediaInfo(35, record), kServiceNoSuchPaper);
    EXPECT_EQ(record.weight, 4321);
    const int tab = service.JSE_Media_GetIndex(L"Letter_Tab");
    EXPECT_EQ(service.JSE_Media_GetMediaInfo(tab, record), 0);
    EXPECT_EQ(service.JSE_GetLastError(), kServiceNoError);
    EXPECT_EQ(record.name + L"/" + record.colour + L"/" + record.type, L"Letter_Tab/white/tab");
    EXPECT_EQ(std::vector<long>({record.widthPoints, record.heightPoints, record.weight, record.mode, record.mediaCode,
                                 record.mediaFlag, record.punchable, record.precollated, record.mediaExtra}),
              std::vector<long>({648, 792, 163, 1, 255, 1, 1, 1, 0}));
}

TEST_F(RunningService, SettingsFileOutcomeBecomesTheLastError) {
    service.JSE_Preference_SetFullPath(Wide(data.file("Qwi_JSE.prf")));
    service.JSE_Preference_Save_Setting();
    EXPECT_EQ(service.JSE_GetLastError(), JSE_Preference::kNoError);
    service.JSE_Preference_SetFullPath(Wide(data.file("absent/Qwi_JSE.prf")));
    service.JSE_Preference_Load_Setting();
    EXPECT_EQ(service.JSE_GetLastError(), JSE_Preference::kFileNotOpened);
}

// The bridge's road to the ticket text equals the objects wired by hand.
TEST_F(RunningService, DefaultTicketEqualsTheOneBuiltFromTheObjects) {
    EXPECT_EQ(service.JSE_Preference_Copy_Value_To_JobTicket(), 0);
    ASSERT_EQ(service.JSE_JobTicket_Create(), 0);
    std::string text(static_cast<std::size_t>(service.JSE_JobTicket_GetSize()), '\0');
    ASSERT_EQ(service.JSE_JobTicket_Get(text.data(), static_cast<long>(text.size())), 0);
    EXPECT_EQ(text, job_ticket_test::expectedTicket("factory_defaults.txt"));
}

// A part that cannot be made again leaves no part holding the one it replaced.
TEST_F(RunningService, RecreatedPartsReachTheOthersOrLeaveThemWithout) {
    service.Fail(Part::Media);
    service.JSE_Initialize_Media(L"English", WString(), data.catalog(), false);
    EXPECT_EQ(service.JSE_GetLastError(), kServiceNoMedia);
    service.Fail(Part::Preference);
    service.JSE_Initialize_Preference(L"English");
    EXPECT_EQ(service.JSE_GetLastError(), kServiceNoPreference);
    int conflict = 0;
    EXPECT_EQ(service.JSE_Validation_Check(eJSE_BodyPaperSelection, 3, conflict, true), 0);
    EXPECT_EQ(service.JSE_JobTicket_Create(), 0);  // the ticket's own Letter, its own settings
    service.Fail(Part::None);
    service.JSE_Initialize_Media(L"English", WString(), data.catalog(), false);
    service.JSE_Initialize_Preference(L"English");
    service.JSE_Initialize_Validation(WString());
    EXPECT_EQ(service.JSE_GetLastError(), kServiceNoError);
    EXPECT_TRUE(service.JSE_Validation_RulesLoaded());
    EXPECT_EQ(service.JSE_Preference_Copy_Value_To_JobTicket(), 0);
}

// ---------------------------------------------------------------------------
// Copies of the live settings

TEST_F(RunningService, CopyToTicketCarriesThePageExceptionsAndKeepsAnEarlierError) {
    JSE_PageExceptionType item;
    item.startingPage = item.endingPage = 3;
    service.JSE_JobTicket_SetPageExceptionItem(item);
    service.JSE_JobTicket_SetPageExceptionItem(item);
    EXPECT_EQ(service.JSE_Preference_Copy_Value_To_JobTicket(), 0);
    EXPECT_EQ(service.JSE_JobTicket_GetNumberOfPageExceptionItem(), 0);  // the store has none
    service.JSE_Preference_SetPageExceptionItem(item);
    EXPECT_EQ(service.JSE_Preference_Copy_Value_To_JobTicket(), 0);
    EXPECT_EQ(service.JSE_JobTicket_GetNumberOfPageExceptionItem(), 1);

    TestService noTicket(Part::JobTicket);
    noTicket.JSE_Initialize(L"English", WString(), data.catalog(), WString(), false);
    EXPECT_EQ(noTicket.JSE_Preference_Copy_Value_To_JobTicket(), kServiceNoJobTicket);
}

// The validator keeps its page exceptions while the store holds none.
TEST_F(RunningService, CopyToValidatorSetsTheJobControlsByPaperIndex) {
    JSE_PageExceptionType item;
    item.startingPage = item.endingPage = 2;
    service.JSE_Validation_Load_PeRecord(item);
    EXPECT_EQ(service.JSE_Preference_Copy_Value_To_Validation(), 0);
    EXPECT_EQ(service.JSE_Validation_Get_NumberOf_PeRecord(), 1);
    for (int i = 0; i < 2; ++i) service.JSE_Preference_SetPageExceptionItem(item);
    EXPECT_EQ(service.JSE_Preference_Copy_Value_To_Validation(), 0);
    EXPECT_EQ(service.JSE_Validation_Get_NumberOf_PeRecord(), 2);
    JSE_JobFeatureType job;
    service.JSE_Preference_GetJobFeature(job);
    job.statusPaper = L"A4_Blue";
    job.separatorPaper = L"Legal";
    job.interleavePaper = L"No such paper";
    job.frontCoverPaper.clear();
    job.punchJob = 37;
    job.signaturePages = 12;
    service.JSE_Preference_SetJobFeature(job);
    EXPECT_EQ(service.JSE_Preference_Copy_Value_To_Validation(), 0);
    const struct {
        int control, value;
    } expected[] = {{eJSE_StatusPaperSelection, 25},     {eJSE_SeparatorPaperSelection, 11},
                    {eJSE_InterleavePaperSelection, -1}, {eJSE_FrontCoverPaperSelection, -1},
                    {eJSE_PunchJobTypeCheck, 1},         {eJSE_SignaturePagesEdit, 12}};
    for (const auto& e : expected)
        EXPECT_EQ(service.Validation()->JSE_Validation_GetControlValue(e.control), e.value) << e.control;
}

}  // namespace
