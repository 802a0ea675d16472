// The job ticket: whole tickets from the settings store and the shipped paper
// catalog, byte for byte, the translation rules of single settings, and the
// ticket's error codes.
#include <gtest/gtest.h>

#include <string>

#include "job_ticket_support.h"

namespace {

using namespace job_ticket_test;

TEST_F(JobTicket, FactoryDefaultsWithAndWithoutCatalog) {
    ASSERT_EQ(catalog.JSE_Media_GetLastError(), kMediaNoError);
    const std::string expected = expectedTicket("factory_defaults.txt");
    EXPECT_EQ(build(), expected);
    EXPECT_EQ(result, 0);

    // Without a catalog the ticket knows Letter on its own, with the same
    // description.
    JSE_Preference bareStore(L"Qwi_JSE.prf", L"English");
    JSE_JobTicket bare(L"English", L"Letter", 1);
    bare.JSE_JobTicket_Set_JSE_PreferenceRef(&bareStore);
    EXPECT_EQ(bare.JSE_JobTicket_Create(), 0);
    EXPECT_EQ(textOf(bare), expected);

    // Any other language gives A4, which that list does not hold: no media
    // lines at all.
    JSE_Preference germanStore(L"Qwi_JSE.prf", L"German");
    JSE_JobTicket german(L"German", L"Letter", 1);
    german.JSE_JobTicket_Set_JSE_PreferenceRef(&germanStore);
    EXPECT_EQ(german.JSE_JobTicket_Create(), 0);
    const std::string text = textOf(german);
    EXPECT_EQ(lineOf(text, "%VLXBody: "), "%VLXBody: (A4) on");
    EXPECT_EQ(lineOf(text, "%%DocumentMedia:"), "<none>");
    EXPECT_EQ(lineOf(text, "%VLXMedia: "), "<none>");
}

TEST_F(JobTicket, PclAndPdfEmulations) {
    store.JSE_Preference_Set_EmulationType(3);
    store.JSE_Preference_GetJobFeature(job);
    EXPECT_EQ(build(), expectedTicket("pcl_emulation.txt"));

    // A PDF job carries the PDF lines with their factory values even though
    // the dialog switches the PDF command off.
    ticket.JSE_JobTicket_Set_EmitPDFCommand(false);
    job.jobEmulationType = 4;
    const std::string pdf = build();
    EXPECT_EQ(lineOf(pdf, "%%Emulation: "), "%%Emulation: pdf");
    const std::string pdfTail =
        "\r\n%VLXEngineGRET: off \r\n%VLXPDFVersion: usepdl\r\n%VLXPDFAutoCenter: off \r\n"
        "%VLXPDFBinaryOK: on \r\n%VLXPDFMediaMatchAll: on \r\n%VLXPDFPrintAnnotations: off \r\n"
        "%VLXPDFFitToPage: off \r\n%VLXPDFUsePrintersHalftone: off \r\n%VLXPDFPageLoop: off \r\n"
        "%VLXSpool: on \r\n%VLXReqPunch: 0\r\n%VLXReqReorderSheets: facedown";
    ASSERT_GE(pdf.size(), pdfTail.size());
    EXPECT_EQ(pdf.substr(pdf.size() - pdfTail.size()), pdfTail);
    EXPECT_EQ(pdf.find("@PJL"), std::string::npos);
}

// Every job-level text line at once in a PCL job: continuation lines get the
// PJL comment prefix too.
TEST_F(JobTicket, PclJobWithEveryTextLineAndContinuations) {
    job.jobEmulationType = 3;
    job.proofSet = true;
    job.frontCoverMode = 2;
    job.frontCoverPaper = L"Letter_Cover";
    job.backCoverMode = 3;  // on the body paper
    job.chargeNumberText = L"CN-42";
    job.operatorMessageText = L"Hello operator";
    job.eMailAddressText = L"ops@example.com";
    job.userName = L"alice";
    job.specificPrinter = true;
    job.specificPrinterNameText = L"Printer7";
    job.saveAs = true;
    job.saveAsFileNameText = L"Job1";
    ticket.JSE_JobTicket_Set_DocumentTitle("Report");
    EXPECT_EQ(build(), expectedTicket("pcl_texts_and_continuations.txt"));
    EXPECT_EQ(result, 0);
}

TEST_F(JobTicket, CoversSeparatorsAndStatusPageOnCatalogPapers) {
    job.printingMode = 2;
    job.jobExit = 2;
    job.staplerPosition = 2;
    job.copyCount = 3;
    job.punchJob = 3;
    job.frontCoverMode = 2;
    job.frontCoverPaper = L"Letter_Cover";
    job.punchFrontCover = true;
    job.backCoverMode = 4;  // printed on both sides, not punched
    job.backCoverPaper = L"Letter_Blue";
    job.statusMode = 2;
    job.statusPaper = L"Letter_Red";
    job.setSeparator = true;
    job.separatorPaper = L"Letter_Yellow";
    job.userName = L"amy";
    job.chargeNumberText = L"A-17";
    EXPECT_EQ(build(), expectedTicket("covers_separators_status.txt"));
}

// Papers the catalog lacks stay out of the media lines; the keyword line
// still heads the papers that follow.
TEST_F(JobTicket, BodyPaperAbsentFromTheCatalog) {
    job.bodyPaper = L"Gold_Foil";
    job.frontCoverMode = 3;
    job.frontCoverPaper = L"Letter_Cover";
    job.statusMode = 3;
    job.statusPaper = L"Silver";
    EXPECT_EQ(build(), expectedTicket("body_paper_absent.txt"));
    EXPECT_EQ(result, 0);
}

TEST_F(JobTicket, InterleaveModesDropCovers) {
    job.printingMode = 4;
    job.interleavePaper = L"Letter_Transparency";
    job.frontCoverMode = 2;
    job.backCoverMode = 2;
    EXPECT_EQ(build(), expectedTicket("interleave_blank.txt"));

    job.printingMode = 5;
    job.interleavePaper.clear();
    const std::string printed = build();
    EXPECT_EQ(lineOf(printed, "%VLXTransparencyMode: "), "%VLXTransparencyMode: (Letter) printed (Letter)");
    EXPECT_EQ(lineOf(printed, "%VLXCovers: "), "%VLXCovers: (Letter) none");
    EXPECT_EQ(lineOf(printed, "%VLXMedia: "), "%VLXMedia: (Letter) sides(2) ");
}

TEST_F(JobTicket, CommandSetsOtherThanVtr) {
    for (std::int32_t set : {2, 6}) {
        CommandSetTicket other(set);
        EXPECT_EQ(other.JSE_JobTicket_Create(), JSE_JobTicket::kNotImplemented);
        EXPECT_EQ(other.JSE_JobTicket_GetSize(), 0);
        char byte = 'x';
        EXPECT_EQ(other.JSE_JobTicket_Get(&byte, 0), JSE_JobTicket::kNotImplemented);
    }
    for (std::int32_t set : {0, 7}) {
        CommandSetTicket other(set);
        EXPECT_EQ(other.JSE_JobTicket_Create(), JSE_JobTicket::kUnknownCommandSet);
        EXPECT_EQ(other.JSE_JobTicket_GetSize(), 0);
    }
}

// A successful page-exception read clears the last error; the text of the
// build before a failed one must not come back then.
TEST(JobTicketErrors, FailedBuildLeavesNoEarlierText) {
    CommandSetTicket ticket(JSE_JobTicket::kCommandSetVTR);
    ASSERT_EQ(ticket.JSE_JobTicket_Create(), 0);
    ASSERT_GT(ticket.JSE_JobTicket_GetSize(), 0);
    ticket.Select(6);
    EXPECT_EQ(ticket.JSE_JobTicket_Create(), JSE_JobTicket::kNotImplemented);
    ticket.JSE_JobTicket_SetPageExceptionItem(JSE_PageExceptionType(), false);
    JSE_PageExceptionType out;
    EXPECT_EQ(ticket.JSE_JobTicket_GetPageExceptionItem(0, out), 0);
    EXPECT_EQ(ticket.JSE_JobTicket_GetSize(), 0);
}

// A copy-out with a wrong length copies nothing and poisons the ticket
// until the next build.
TEST_F(JobTicket, WrongLengthPoisonsTheTicketUntilTheNextBuild) {
    const std::string text = build();
    std::string buffer(text.size() + 1, 'x');
    EXPECT_EQ(ticket.JSE_JobTicket_Get(buffer.data(), static_cast<long>(buffer.size())), JSE_JobTicket::kWrongLength);
    EXPECT_EQ(buffer, std::string(text.size() + 1, 'x'));
    EXPECT_EQ(ticket.JSE_JobTicket_GetSize(), 0);
    EXPECT_EQ(ticket.JSE_JobTicket_Get(buffer.data(), static_cast<long>(text.size())), JSE_JobTicket::kWrongLength);
    EXPECT_EQ(ticket.JSE_JobTicket_Get(nullptr, static_cast<long>(text.size())), JSE_JobTicket::kWrongLength);
    EXPECT_EQ(build(), text);
}

TEST_F(JobTicket, PageExceptionIndexesOutsideTheList) {
    JSE_PageExceptionType record;
    record.startingPage = record.endingPage = 4;
    ticket.JSE_JobTicket_SetPageExceptionItem(record, true);
    EXPECT_EQ(store.JSE_Preference_GetNumberOfPageExceptionItem(), 1);
    ticket.JSE_JobTicket_SetPageExceptionItem(record, false);
    EXPECT_EQ(store.JSE_Preference_GetNumberOfPageExceptionItem(), 1);
    ASSERT_EQ(ticket.JSE_JobTicket_GetNumberOfPageExceptionItem(), 2);

    JSE_PageExceptionType out;
    EXPECT_EQ(ticket.JSE_JobTicket_GetPageExceptionItem(2, out), JSE_JobTicket::kNoSuchPageException);
    EXPECT_EQ(ticket.JSE_JobTicket_GetPageExceptionItem(-1, out), JSE_JobTicket::kNoSuchPageException);
    EXPECT_EQ(ticket.JSE_JobTicket_GetLastError(), JSE_JobTicket::kNoSuchPageException);
    EXPECT_EQ(ticket.JSE_JobTicket_GetPageExceptionItem(1, out), 0);
    EXPECT_EQ(out.startingPage, 4);
    EXPECT_EQ(ticket.JSE_JobTicket_GetLastError(), 0);
}

TEST_F(JobTicket, BodyPaperNameAndProofSetRules) {
    job.bodyPaper = L"A_Paper_Name_Of_Exactly_Forty_Bytes_Long";
    job.proofSet = true;
    job.waitTime = 61;
    job.timeOutAction = 5;
    std::string text = build();
    EXPECT_EQ(lineOf(text, "%VLXBody: "), "%VLXBody: (A_Paper_Name_Of_Exactly_Forty_B) on");
    // "utf8:", "L" and twelve two-byte characters fit; the thirteenth would be cut.
    job.bodyPaper = L"L" + std::wstring(31, L'\u00e9');
    text = build();
    std::string cut = "(utf8:L";
    for (int i = 0; i < 12; ++i) cut += "\xc3\xa9";
    cut += ")";
    EXPECT_EQ(lineOf(text, "%VLXBody: "), "%VLXBody: " + cut + " on");
    EXPECT_EQ(lineOf(text, "%VLXCovers: "), "%VLXCovers: " + cut + " none");
    EXPECT_EQ(lineOf(text, "%VLXProofSet: "), "%VLXProofSet: 1 print");

    job.waitTime = 0;
    job.timeOutAction = 1;
    EXPECT_EQ(lineOf(build(), "%VLXProofSet: "), "%VLXProofSet: 1 print");
    job.waitTime = 60;
    job.timeOutAction = 4;
    EXPECT_EQ(lineOf(build(), "%VLXProofSet: "), "%VLXProofSet: 60 hold");
}

// Whatever line ends or tabs a text of the job holds, the text stays on its
// line: the ticket is the one it gives with each of them as a blank.
TEST_F(JobTicket, EveryTextOfTheJobStaysOnItsLine) {
    using Job = JSE_JobFeatureType;
    WString Job::* const texts[] = {&Job::bodyPaper,         &Job::interleavePaper,     &Job::frontCoverPaper,
                                    &Job::backCoverPaper,    &Job::statusPaper,         &Job::separatorPaper,
                                    &Job::userName,          &Job::chargeNumberText,    &Job::operatorMessageText,
                                    &Job::deliverToText,     &Job::eMailAddressText,    &Job::saveAsFileNameText,
                                    &Job::specificPrinterNameText, &Job::createTIFFPath, nullptr};  // null: chapter pages
    // Every text has a line in one of the two jobs: stored, rendered to TIFF
    // on a named printer, with covers (simplex) or interleaved, status
    // pages, separators and chapters.
    job.printCheck = false;
    job.saveAs = job.createTIFF = job.specificPrinter = job.setSeparator = job.finishChapter = true;
    job.frontCoverMode = job.backCoverMode = 2;
    job.statusMode = 3;
    const Job plain = job;
    const auto ticketWith = [&](WString Job::*text, std::int32_t mode, const std::string& value) {
        job = plain;
        job.printingMode = mode;
        if (text) job.*text = WString(value.begin(), value.end());
        else job.chapterPages = value;
        return build();
    };
    for (std::size_t t = 0; t < std::size(texts); ++t)
        for (std::int32_t mode : {1, 5}) {
            SCOPED_TRACE(testing::Message() << "text " << t << " in print mode " << mode);
            EXPECT_EQ(ticketWith(texts[t], mode, "a\r\nb\nc\rd\te"), ticketWith(texts[t], mode, "a  b c d e"));
        }
}

TEST_F(JobTicket, PrintStoreAndTiffChoices) {
    job.printCheck = false;
    job.specificPrinter = true;
    job.specificPrinterNameText = L"press-2";
    std::string text = build();
    EXPECT_EQ(lineOf(text, "%VLXPrintMethod:"), "%VLXPrintMethod: print");
    EXPECT_EQ(lineOf(text, "%%DocumentPrinterRequired:"), "%%DocumentPrinterRequired: () (LXQ01)");

    job.saveAs = true;  // without a name: neither print nor store
    text = build();
    EXPECT_EQ(lineOf(text, "%VLXPrintMethod:"), "<none>");
    job.saveAsFileNameText = L"monthly";
    EXPECT_EQ(lineOf(build(), "%VLXPrintMethod:"), "%VLXPrintMethod: store(monthly)");

    job.createTIFF = true;
    job.createTIFFPath = L"proofs";
    ticket.JSE_JobTicket_Set_DocumentTitle("report");
    text = build();
    EXPECT_EQ(lineOf(text, "%VLXDestination: "), "%VLXDestination: (/Rip/proofs/report)");
    EXPECT_EQ(lineOf(text, "%%DocumentPrinterRequired:"), "%%DocumentPrinterRequired: (press-2) (LXQ01)");

    job.printCheck = true;
    text = build();
    EXPECT_EQ(lineOf(text, "%VLXPrintMethod:"), "%VLXPrintMethod: print store(monthly)");
    EXPECT_EQ(lineOf(text, "%VLXDestination: "), "<none>");
}

// The ticket's own chapter starts follow the job's chapter pages when
// chapters are finished as sets.
TEST_F(JobTicket, ChaptersFromTheTicketsOwnPageExceptions) {
    JSE_PageExceptionType chapter;
    chapter.finishChapter = true;
    chapter.startingPage = 5;
    chapter.endingPage = 9;
    ticket.JSE_JobTicket_SetPageExceptionItem(chapter, false);
    chapter.startingPage = chapter.endingPage = 12;
    ticket.JSE_JobTicket_SetPageExceptionItem(chapter, false);
    std::string text = build();
    EXPECT_EQ(lineOf(text, "%VLXChapters: "), "%VLXChapters: 5..9 12 ");
    EXPECT_EQ(lineOf(text, "%VLXChaptersAreSets: "), "<none>");

    job.finishChapter = true;
    job.chapterPages = "1 ";
    text = build();
    EXPECT_EQ(lineOf(text, "%VLXChapters: "), "%VLXChapters: 1 5..9 12 ");
    EXPECT_EQ(lineOf(text, "%VLXChaptersAreSets: "), "%VLXChaptersAreSets: on ");
}

TEST(JobTicketSettings, SetJobFeatureKeepsBodyPaperAndPunchFlagsOfEmptyPapers) {
    JSE_JobTicket ticket(L"English", L"Letter", 1);
    JSE_JobFeatureType job;
    job.bodyPaper = L"Letter_Heavy";
    job.compileJobOnly = true;
    job.frontCoverPaper = L"Letter_Cover";
    job.punchFrontCover = true;
    job.interleavePaper = L"Letter_Transparency";
    ticket.JSE_JobTicket_SetJobFeature(job);

    JSE_JobFeatureType next;
    next.punchFrontCover = false;
    next.copyCount = 7;
    ticket.JSE_JobTicket_SetJobFeature(next);
    JSE_JobFeatureType out;
    ticket.JSE_JobTicket_GetJobFeature(out);
    EXPECT_EQ(out.bodyPaper, L"Letter_Heavy");
    EXPECT_TRUE(out.compileJobOnly);
    EXPECT_TRUE(out.frontCoverPaper.empty());
    EXPECT_TRUE(out.punchFrontCover);
    EXPECT_TRUE(out.interleavePaper.empty());
    EXPECT_EQ(out.copyCount, 7);
}

TEST(JobTicketSettings, ReleaseValueRanges) {
    JSE_JobTicket ticket(L"English", L"Letter", 1);
    EXPECT_EQ(ticket.JSE_JobTicket_GetNarrowBookletValue(), 0);
    EXPECT_EQ(ticket.JSE_JobTicket_GetPageOrderValue(), 1);
    ticket.JSE_JobTicket_SetNarrowBookletValue(1);
    EXPECT_EQ(ticket.JSE_JobTicket_GetNarrowBookletValue(), 1);
    ticket.JSE_JobTicket_SetNarrowBookletValue(2);
    EXPECT_EQ(ticket.JSE_JobTicket_GetNarrowBookletValue(), 0);
    ticket.JSE_JobTicket_SetPageOrderValue(3);
    EXPECT_EQ(ticket.JSE_JobTicket_GetPageOrderValue(), 3);
    ticket.JSE_JobTicket_SetPageOrderValue(4);
    EXPECT_EQ(ticket.JSE_JobTicket_GetPageOrderValue(), 1);

    JSE_Release1_4Type release;
    release.pdfVersion = L"1.4";
    release.pdfPageLoop = true;
    ticket.JSE_JobTicket_SetRelease6Features(release);
    WString version;
    ticket.JSE_JobTicket_GetPDFVersion(version);
    EXPECT_EQ(version, L"1.4");
    EXPECT_TRUE(ticket.JSE_JobTicket_GetPDFPageLoop());
    EXPECT_EQ(ticket.JSE_JobTicke_GetVersion(), 0x30000);
    EXPECT_EQ(ticket.JSE_JobTicket_GetVersionString(), "08.01.0004");
}

}  // namespace
