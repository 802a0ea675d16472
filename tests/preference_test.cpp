// The settings store: factory defaults, job features, range rules, page
// exceptions, papers and user data.
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cstring>
#include <vector>

#include "JSE_Media.h"
#include "JSE_Preference.h"

namespace {

JSE_JobFeatureType DefaultsOf(const JSE_Preference& store) {
    JSE_JobFeatureType record;
    store.JSE_Preference_Get_Default_JobFeature(record);
    return record;
}

JSE_JobFeatureType StoredOf(const JSE_Preference& store) {
    JSE_JobFeatureType record;
    store.JSE_Preference_GetJobFeature(record);
    return record;
}

JSE_PageExceptionType PageException(std::int32_t mode, std::int64_t first) {
    JSE_PageExceptionType item;
    item.exceptionMode = mode;
    item.startingPage = item.endingPage = first;
    return item;
}

void ExpectDefaultCustomCommand(const JSE_Preference& store) {
    JSE_CustomCommandType custom;
    std::memset(custom.command, 'x', sizeof custom.command);
    store.JSE_Preference_Get_CustomRecord(custom);
    EXPECT_FALSE(custom.withJobStream);
    EXPECT_EQ((std::array<int, 3>{custom.fieldFlag, custom.insertPosition, custom.modifyPrintFile}),
              (std::array<int, 3>{1, 2, 1}));
    EXPECT_EQ(std::count(custom.command, custom.command + sizeof custom.command, 0), 255);
    EXPECT_EQ(custom.fileName, L"");
}

using Job = JSE_JobFeatureType;

// Every field of the record with its factory value.
const std::vector<std::pair<std::int32_t Job::*, std::int32_t>> kNumberDefaults = {
    {&Job::jobEmulationType, 1}, {&Job::printerType, 1}, {&Job::printingMode, 1}, {&Job::jobExit, 1},
    {&Job::staplerPosition, 1}, {&Job::orientation, 1}, {&Job::finishOrientation, 1}, {&Job::timeOutAction, 0},
    {&Job::waitTime, 5}, {&Job::frontCoverMode, 1}, {&Job::backCoverMode, 1}, {&Job::statusMode, 1},
    {&Job::pagePerSide, 1}, {&Job::signaturePages, 88}, {&Job::sheets, 22}, {&Job::halftoneAngle, 45},
    {&Job::halftoneFrequency, 106}, {&Job::punchJob, 0}, {&Job::imageAlignPaperOrientation, 1},
    {&Job::edgeErasePaperOrientation, 1}};
const std::vector<std::pair<std::int64_t Job::*, std::int64_t>> kCountDefaults = {
    {&Job::copyCount, 1}, {&Job::printPageFrom, 0}, {&Job::printPageTo, 0}};
const std::vector<std::pair<bool Job::*, bool>> kFlagDefaults = {
    {&Job::proofSet, false}, {&Job::collate, true}, {&Job::offsetStack, false}, {&Job::trimming, false},
    {&Job::compileJobOnly, false}, {&Job::punchFrontCover, false}, {&Job::punchBackCover, false},
    {&Job::punchStatusPaper, false}, {&Job::setSeparator, false}, {&Job::punchSeparatorPaper, false},
    {&Job::finishChapter, false}, {&Job::printCheck, true}, {&Job::saveAs, false}, {&Job::specificPrinter, false},
    {&Job::createTIFF, false}, {&Job::engineGRET, false}, {&Job::imageAlign, false},
    {&Job::imageAlignMirrorSide1, true}, {&Job::edgeErase, false}, {&Job::edgeEraseMirrorSide1, true},
    {&Job::printerServerSpool, false}, {&Job::pdfAutoCenter, false}, {&Job::pdfBinaryOK, true},
    {&Job::pdfFitToPage, false}, {&Job::pdfMediaMatchAll, true}, {&Job::pdfPrintAnnotations, false},
    {&Job::pdfUsePrintersHalftone, false}};
const std::vector<WString Job::*> kEmptyTexts = {
    &Job::interleavePaper, &Job::frontCoverPaper, &Job::backCoverPaper, &Job::statusPaper, &Job::separatorPaper,
    &Job::userName, &Job::chargeNumberText, &Job::operatorMessageText, &Job::deliverToText,
    &Job::eMailAddressText, &Job::saveAsFileNameText, &Job::specificPrinterNameText, &Job::createTIFFPath};
const std::vector<float Job::*> kZeroDistances = {
    &Job::imageAlignFrontX, &Job::imageAlignFrontY, &Job::imageAlignBackX, &Job::imageAlignBackY,
    &Job::frontEraseLeftSide, &Job::frontEraseRightSide, &Job::frontEraseTopSide, &Job::frontEraseBottomSide,
    &Job::backEraseLeftSide, &Job::backEraseRightSide, &Job::backEraseTopSide, &Job::backEraseBottomSide};

// A record in which no field holds its factory value.
Job Scrambled() {
    Job r;
    for (auto [field, value] : kNumberDefaults) r.*field = value + 7;
    for (auto [field, value] : kCountDefaults) r.*field = value + 7;
    for (auto [field, value] : kFlagDefaults) r.*field = !value;
    for (auto field : kEmptyTexts) r.*field = L"x";
    for (auto field : kZeroDistances) r.*field = 1.5f;
    r.bodyPaper = L"x";
    r.chapterPages = "x";
    return r;
}

void ExpectFactoryValues(const Job& r, const WString& bodyPaper) {
    for (auto [field, value] : kNumberDefaults) EXPECT_EQ(r.*field, value);
    for (auto [field, value] : kCountDefaults) EXPECT_EQ(r.*field, value);
    for (auto [field, value] : kFlagDefaults) EXPECT_EQ(r.*field, value);
    for (auto field : kEmptyTexts) EXPECT_EQ(r.*field, L"");
    for (auto field : kZeroDistances) EXPECT_EQ(r.*field, 0.0f);
    EXPECT_EQ(r.bodyPaper, bodyPaper);
    EXPECT_EQ(r.chapterPages, "");
}

}  // namespace

TEST(PreferenceFactoryDefaults, EveryJobFeature) {
    JSE_Preference store(L"Qwi_JSE.prf", L"English");
    Job defaults = Scrambled();
    store.JSE_Preference_Get_Default_JobFeature(defaults);
    ExpectFactoryValues(defaults, L"Letter");
    ExpectFactoryValues(StoredOf(store), L"Letter");

    store.JSE_Preference_SetJobFeature(Scrambled());
    store.JSE_Preference_Set_Factory_Default();
    ExpectFactoryValues(StoredOf(store), L"Letter");
}

TEST(PreferenceFactoryDefaults, OtherRecordsAndState) {
    JSE_Preference store(L"Qwi_JSE.prf", L"English");
    ExpectDefaultCustomCommand(store);
    JSE_Release1_4Type release6;
    store.JSE_Preference_GetRelease6Features(release6);
    EXPECT_EQ(release6.pdfVersion, L"usepdl");
    EXPECT_EQ((std::array<int, 4>{release6.pdfUseOpp, release6.userPunchPattern, release6.pdfPageLoop,
                                  release6.lastPageFirst}),
              (std::array<int, 4>{0, 0, 0, 0}));
    EXPECT_EQ(store.JSE_Preference_GetNarrowBookletValue(), 0);
    EXPECT_EQ(store.JSE_Preference_GetPageOrderValue(), 1);
    EXPECT_EQ(store.JSE_Preference_GetNumberOfPageExceptionItem(), 0);
    EXPECT_EQ(store.JSE_Preference_Get_MediaListSize(), 0);
    EXPECT_EQ(store.JSE_Preference_GetVersion(), 0x30000);
    EXPECT_EQ(store.JSE_Preference_GetLastError(), 0);
    EXPECT_EQ(JSE_Preference(L"", L"English").JSE_Preference_GetLastError(), 2);
}

TEST(PreferenceBodyPaper, LanguageDecidesWithoutCatalog) {
    EXPECT_EQ(DefaultsOf(JSE_Preference(L"Qwi_JSE.prf", L"english")).bodyPaper, L"A4");
    EXPECT_EQ(StoredOf(JSE_Preference(L"Qwi_JSE.prf", L"German")).bodyPaper, L"A4");
}

TEST(PreferenceBodyPaper, CatalogDefaultPaperWins) {
    JSE_Media catalog(2);
    JSE_Preference store(L"Qwi_JSE.prf", L"German");
    store.JSE_Preference_Set_Media_Reference(&catalog);
    EXPECT_EQ(DefaultsOf(store).bodyPaper, L"Letter");
    // The stored record keeps what the reset gave it until the next reset.
    EXPECT_EQ(StoredOf(store).bodyPaper, L"A4");
    store.JSE_Preference_Set_Factory_Default();
    EXPECT_EQ(StoredOf(store).bodyPaper, L"Letter");

    ASSERT_TRUE(catalog.JSE_Media_SetDefaultPaper(-1));
    EXPECT_EQ(DefaultsOf(store).bodyPaper, L"");
}

TEST(PreferenceJobFeature, EmptyBodyPaperKeepsBodyPaperAndCompileOnly) {
    JSE_Preference store(L"Qwi_JSE.prf", L"English");
    JSE_JobFeatureType record = DefaultsOf(store);
    record.bodyPaper = L"Tabloid";
    record.compileJobOnly = true;
    record.interleavePaper = L"Blue";
    store.JSE_Preference_SetJobFeature(record);

    record.bodyPaper.clear();
    record.compileJobOnly = false;
    record.interleavePaper.clear();
    record.copyCount = 3;
    store.JSE_Preference_SetJobFeature(record);

    const JSE_JobFeatureType stored = StoredOf(store);
    EXPECT_EQ(stored.bodyPaper, L"Tabloid");
    EXPECT_TRUE(stored.compileJobOnly);
    EXPECT_EQ(stored.interleavePaper, L"");
    EXPECT_EQ(stored.copyCount, 3);
}

TEST(PreferenceJobFeature, EmulationTypeReachesRecordAndDefaults) {
    JSE_Preference store(L"Qwi_JSE.prf", L"English");
    store.JSE_Preference_Set_EmulationType(4);
    EXPECT_EQ(StoredOf(store).jobEmulationType, 4);
    store.JSE_Preference_Set_Factory_Default();
    EXPECT_EQ(StoredOf(store).jobEmulationType, 4);
    EXPECT_EQ(DefaultsOf(store).jobEmulationType, 4);
}

TEST(PreferenceRangeRules, PageOrderAndNarrowBooklet) {
    JSE_Preference store(L"Qwi_JSE.prf", L"English");
    for (auto [given, kept] : std::array<std::pair<int, int>, 5>{{{0, 1}, {4, 1}, {3, 3}, {2, 2}, {-1, 1}}}) {
        store.JSE_Preference_SetPageOrderValue(given);
        EXPECT_EQ(store.JSE_Preference_GetPageOrderValue(), kept) << "page order " << given;
    }
    for (auto [given, kept] : std::array<std::pair<int, int>, 4>{{{1, 1}, {2, 0}, {-1, 0}, {0, 0}}}) {
        store.JSE_Preference_SetNarrowBookletValue(given);
        EXPECT_EQ(store.JSE_Preference_GetNarrowBookletValue(), kept) << "narrow booklet " << given;
    }
    JSE_Release3_0Type values;
    store.JSE_Preference_SetRelease7Features(JSE_Release3_0Type{5, 9});
    store.JSE_Preference_GetRelease7Features(values);
    EXPECT_EQ((std::pair{values.narrowBooklet, values.pageOrder}), (std::pair{0, 1}));
    store.JSE_Preference_SetRelease7Features(JSE_Release3_0Type{1, 2});
    store.JSE_Preference_GetRelease7Features(values);
    EXPECT_EQ((std::pair{values.narrowBooklet, values.pageOrder}), (std::pair{1, 2}));
}

TEST(PreferenceRangeRules, UserPunchPatternIgnoresOne) {
    JSE_Preference store(L"Qwi_JSE.prf", L"English");
    store.JSE_Preference_SetUserPunchPattern(7);
    store.JSE_Preference_SetUserPunchPattern(1);
    EXPECT_EQ(store.JSE_Preference_GetUserPunchPattern(), 7);
    store.JSE_Preference_SetUserPunchPattern(0);
    EXPECT_EQ(store.JSE_Preference_GetUserPunchPattern(), 0);
}

TEST(PreferenceRangeRules, LastPageFirstIsPageOrderThree) {
    JSE_Preference store(L"Qwi_JSE.prf", L"English");
    bool on = true;
    store.JSE_Preference_GetLastPageFirst(on);
    EXPECT_FALSE(on);
    store.JSE_Preference_SetLastPageFirst(true);
    store.JSE_Preference_SetLastPageFirst(false);
    EXPECT_EQ(store.JSE_Preference_GetPageOrderValue(), 3);
    store.JSE_Preference_GetLastPageFirst(on);
    EXPECT_TRUE(on);
}

TEST(PreferenceCustomCommand, KeepsEveryByteAndClears) {
    JSE_Preference store(L"Qwi_JSE.prf", L"English");
    JSE_CustomCommandType custom;
    custom.withJobStream = true;
    std::memset(custom.command, 'z', sizeof custom.command);
    custom.command[3] = 0;
    custom.fileName = L"/tmp/cmd";
    store.JSE_Preference_Set_CustomRecord(custom);
    JSE_CustomCommandType back;
    store.JSE_Preference_Get_CustomRecord(back);
    EXPECT_EQ(std::memcmp(back.command, custom.command, sizeof custom.command), 0);
    EXPECT_EQ(back.fileName, L"/tmp/cmd");

    store.JSE_Preference_Clear_CustomCommand();
    ExpectDefaultCustomCommand(store);
}

TEST(PreferencePageExceptions, ListKeepsOrderAndRefusesIndexesOutside) {
    JSE_Preference store(L"Qwi_JSE.prf", L"English");
    store.JSE_Preference_SetPageExceptionItem(PageException(kPeInsertBefore, 3));
    store.JSE_Preference_SetPageExceptionItem(PageException(kPePaperSubstitution, 1));
    ASSERT_EQ(store.JSE_Preference_GetNumberOfPageExceptionItem(), 2);

    JSE_PageExceptionType item = PageException(kPeRotation, 9);
    EXPECT_EQ(store.JSE_Preference_GetPageExceptionItem(-1, item), -1007);
    EXPECT_EQ(store.JSE_Preference_GetPageExceptionItem(2, item), -1007);
    EXPECT_EQ(store.JSE_Preference_GetLastError(), -1007);
    EXPECT_EQ(item.exceptionMode, kPeRotation);

    EXPECT_EQ(store.JSE_Preference_GetPageExceptionItem(1, item), 0);
    EXPECT_EQ(store.JSE_Preference_GetLastError(), 0);
    EXPECT_EQ(item.exceptionMode, kPePaperSubstitution);
}

TEST(PreferenceReset, KeepsUserDataAndCatalogButResetsTheRest) {
    JSE_Media catalog(2);
    JSE_Preference store(L"", L"German");
    store.JSE_Preference_Set_Media_Reference(&catalog);
    store.JSE_Preference_Set_UserData("abc", 3);
    store.JSE_Preference_SetPageExceptionItem(PageException(kPePunch, 1));
    store.JSE_Preference_SetPageOrderValue(3);
    store.JSE_Preference_SetUserPunchPattern(5);

    store.JSE_Preference_Set_Factory_Default();
    EXPECT_EQ(store.JSE_Preference_GetLastError(), 0);
    EXPECT_EQ(store.JSE_Preference_GetNumberOfPageExceptionItem(), 0);
    EXPECT_EQ(store.JSE_Preference_GetPageOrderValue(), 1);
    EXPECT_EQ(store.JSE_Preference_GetUserPunchPattern(), 0);
    EXPECT_EQ(StoredOf(store).bodyPaper, L"Letter");
    EXPECT_EQ(store.JSE_Preference_Get_UserDataSize(), 3);
}

TEST(PreferenceUserData, CopiesNoMoreThanItHolds) {
    JSE_Preference store(L"Qwi_JSE.prf", L"English");
    store.JSE_Preference_Set_UserData("hello", 5);
    char buffer[16];
    std::memset(buffer, '#', sizeof buffer);
    store.JSE_Preference_Get_UserData(buffer, sizeof buffer);
    EXPECT_EQ(std::string(buffer, 6), "hello#");
}
