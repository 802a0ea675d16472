// The inserts and slip-sheet lines, alone and in whole tickets.
#include <gtest/gtest.h>

#include <string>

#include "VLX_Writer.h"
#include "pe_list_support.h"
#include "ticket_text_support.h"

namespace {

_Paper_Catalog paper(const std::string& name, std::int32_t mode) {
    _Paper_Catalog entry;
    entry.name = name;
    entry.colour = "white";
    entry.type = "plain";
    entry.widthPoints = 612;
    entry.heightPoints = 792;
    entry.weight = 75;
    entry.mode = mode;
    entry.punchable = 1;
    return entry;
}

class InsertSlipLines : public ::testing::Test {
protected:
    void SetUp() override {
        PreparePlainJob(writer, header);
        writer.SetVersionString("08.01.0004");
        header.printMethod.print = 1;
        header.paperCatalog.push_back(paper("Blue", 1));
        header.paperCatalog.push_back(paper("Red", 2));
        header.numberOfPapers = 3;
    }

    void prepare(std::initializer_list<vlxPageExeptionType> records) { PreparePeList(writer, records); }

    template <typename Generator>
    std::string lines(Generator generator) {
        return DoneGeneratorLines(writer, generator, header);
    }
    std::string inserts() { return lines(&VLX_Writer::Generate_VLXInserts); }
    std::string slips() { return lines(&VLX_Writer::Generate_VLXSlip); }

    void punchJob() { writer.SetVLXRelease5Items({3, false, true, false, false}); }

    VLX_Writer writer;
    DSC_VLX header;
};

}  // namespace

// ---------------------------------------------------------------------------
// Inserts

TEST_F(InsertSlipLines, InsertBeforeAPageIsWrittenAfterThePageBefore) {
    prepare({PeOnPaper(233, L"Blue", 1, 1), PeOnPaper(233, L"Red", 5, 99999), PeOnPaper(234, L"Blue", 7, 9),
             PeOnPaper(233, L"Red", 0, 0)});
    EXPECT_EQ(inserts(),
              "%VLXInserts: (Red) output(top)  0\r\n"
              "%%+ (Blue) output(top)  0\r\n"
              "%%+ (Red) output(top)  4..99998\r\n"
              "%%+ (Blue) output(top)  7..9");
}

TEST_F(InsertSlipLines, InsertExitPaperAndPunch) {
    vlxPageExeptionType stacked = PeOnPaper(234, L"Red", 2, 2);
    stacked.paperExit = 3;
    vlxPageExeptionType unpunched = PeOnPaper(234, L"", 3, 3);
    unpunched.pePunch = false;
    vlxPageExeptionType nameless = PeOnPaper(234, L"", 4, 4);
    nameless.fromJobPaper = false;
    header.documentExit = 3;  // the bookmaker takes no exit word
    punchJob();
    prepare({stacked, unpunched, nameless, PeOnPaper(232, L"Blue", 5, 5)});
    EXPECT_EQ(inserts(),
              "%VLXInserts: (Red) output(stacker)  2\r\n"
              "%%+ (Letter) punch(none)  3");

    for (auto [exit, word] : {std::pair{1, "(stapler) "}, {2, "(stacker) "}, {4, ""}, {5, ""}, {0, "(top) "}}) {
        header.documentExit = static_cast<std::uint16_t>(exit);
        prepare({PeOnPaper(234, L"Red", 2, 2)});
        const std::string output = *word ? std::string(" output") + word : "";
        EXPECT_EQ(inserts(), "%VLXInserts: (Red)" + output + " 2") << "job exit " << exit;
    }
}

TEST_F(InsertSlipLines, PrePrintedCoversFrameTheInserts) {
    header.frontCover = {JSE_MacEncoding<true>(L"Blue"), 1, 4};
    header.backCover = {JSE_MacEncoding<true>(L"Red"), 1, 4};
    EXPECT_EQ(inserts(), "%VLXInserts: (Blue) 0\r\n%%+ (Red)lastpage");

    punchJob();  // the back cover is punched, the front cover is not
    prepare({PeOnPaper(234, L"Red", 2, 2)});
    EXPECT_EQ(inserts(),
              "%VLXInserts: (Blue) punch(none) 0\r\n"
              "%%+ (Red) output(top)  2\r\n"
              "%%+ (Red)lastpage");

    header.frontCover.mode = header.backCover.mode = 2;  // printed covers are no inserts
    writer.ClearMediaExceptionList();
    EXPECT_EQ(inserts(), "<none>");
}

// ---------------------------------------------------------------------------
// Slip sheets

TEST_F(InsertSlipLines, SlipItemsOfOnePaperAndPlexShareContinuationLines) {
    header.printMode = 1;
    prepare({PeOnPaper(232, L"Red", 2, 2), PeOnPaper(232, L"Red", 4, 4), PeOnPaper(232, L"Red", 6, 6)});
    EXPECT_EQ(slips(), "%VLXSlip: (Red) duplex 2\r\n%%+  (Red) duplex 4 (Red) duplex 6");

    // A change of paper or plex starts a new line; a long line is closed.
    vlxPageExeptionType simplexRed = PeOnPaper(232, L"Red", 20, 20);
    simplexRed.printingMode = 1;
    prepare({PeOnPaper(232, L"Red", 2, 2), PeOnPaper(232, L"Blue", 4, 5), PeOnPaper(232, L"Red", 8, 8),
             PeOnPaper(232, L"Red", 10, 10), PeOnPaper(232, L"Red", 12, 12), PeOnPaper(232, L"Red", 14, 14),
             PeOnPaper(232, L"Red", 16, 16), PeOnPaper(232, L"Red", 18, 99999), simplexRed});
    EXPECT_EQ(slips(),
              "%VLXSlip: (Red) duplex 2\r\n"
              "%%+  (Blue) simplex 4..5\r\n"
              "%%+  (Red) duplex 8 (Red) duplex 10 (Red) duplex 12 (Red) duplex 14 (Red) duplex 16\r\n"
              "%%+  (Red) duplex 18..lastpage\r\n"
              "%%+  (Red) simplex 20");
}

TEST_F(InsertSlipLines, SlipPlexFollowsTheRecordTheJobAndThePaper) {
    struct Case {
        bool pePlex;
        std::int32_t plexValue;
        std::int32_t printingMode;
        std::uint16_t printMode;
        const wchar_t* paper;
        const char* word;
    };
    const Case cases[] = {
        {true, 2, 255, 0, L"Red", "duplex"},     {true, 3, 255, 0, L"Blue", "duplex"},
        {true, 1, 255, 1, L"Red", "simplex"},    {true, 255, 255, 1, L"Red", "duplex"},
        {true, 255, 255, 0, L"Red", "simplex"},  {true, 255, 255, 1, L"Blue", "simplex"},
        {false, 255, 255, 2, L"Red", "duplex"},  {false, 255, 255, 2, L"Blue", "simplex"},
        {false, 255, 1, 1, L"Red", "simplex"},   {false, 255, 2, 0, L"Red", "duplex"},
        {false, 255, 2, 0, L"Blue", "simplex"},
    };
    for (const Case& c : cases) {
        vlxPageExeptionType record = PeOnPaper(232, c.paper, 3, 3);
        record.pePlex = c.pePlex;
        record.pePlexValue = c.plexValue;
        record.printingMode = c.printingMode;
        header.printMode = c.printMode;
        prepare({record});
        EXPECT_EQ(slips(), "%VLXSlip: (" + JSE_MacEncoding<true>(c.paper) + ") " + c.word + " 3")
            << c.pePlex << " " << c.plexValue << " " << c.printingMode << " " << c.printMode;
    }
}

TEST_F(InsertSlipLines, SlipListForPlexRunsAndOnTheBodyPaper) {
    header.printMode = 0;
    punchJob();
    vlxPageExeptionType unpunched = PeOnPaper(232, L"Red", 1, 10);
    unpunched.pePunch = false;
    prepare({unpunched, PePlexRun(3, 5, 2), PePlexRun(6, 10, 1), PeOnPaper(232, L"", 12, 12)});
    // Pages 1 and 2 keep the job's simplex.
    EXPECT_EQ(slips(),
              "%VLXSlip: (Red)  punch(none) simplex 1..2\r\n"
              "%%+  (Red)  punch(none) duplex 3..5\r\n"
              "%%+  (Red)  punch(none) simplex 6..10");

    // A record on the job's paper names the body paper, whatever its own name.
    vlxPageExeptionType onBody = PeOnPaper(232, L"Red", 12, 13);
    onBody.fromJobPaper = true;
    prepare({onBody});
    EXPECT_EQ(slips(), "%VLXSlip: (Letter) simplex 12..13");
}

TEST_F(InsertSlipLines, PaperMissingFromTheCatalogIsSkippedAndTheListUsedUp) {
    prepare({PeOnPaper(232, L"Green", 2, 2), PeOnPaper(232, L"Red", 4, 4)});
    EXPECT_EQ(slips(), "%VLXSlip: (Red) simplex 4");
    EXPECT_TRUE(writer.SlipRecords().empty());

    prepare({PeOnPaper(232, L"Green", 2, 2)});
    EXPECT_EQ(slips(), "<none>");
    EXPECT_TRUE(writer.SlipRecords().empty());
}

TEST_F(InsertSlipLines, InterleavedJobsWriteNoSlipLine) {
    for (std::uint16_t mode : {3, 4}) {
        header.printMode = mode;
        prepare({PeOnPaper(232, L"Red", 2, 2)});
        EXPECT_EQ(slips(), "<none>");
        EXPECT_TRUE(writer.SlipRecords().empty());
    }
}

// ---------------------------------------------------------------------------
// Whole tickets

TEST_F(InsertSlipLines, WholeTicketWithInsertsAndSlipSheets) {
    header.printMode = 1;
    header.frontCover = {JSE_MacEncoding<true>(L"Blue"), 1, 4};
    vlxPageExeptionType stacked = PeOnPaper(234, L"Blue", 8, 8);
    stacked.paperExit = 3;
    for (const vlxPageExeptionType& record :
         {PeOnPaper(232, L"Red", 4, 6), stacked, PeOnPaper(233, L"Red", 1, 1), PeOnPaper(232, L"Red", 2, 3),
          PePlexRun(5, 9, 1), PeOnPaper(232, L"", 11, 11), PePlexRun(2, 3, 2)})
        writer.Add_VLX_Substitution_List(record);
    std::string text;
    EXPECT_EQ(writer.Generate_DSC_VLX_Header(header, text), kVlxDone);
    EXPECT_EQ(text,
              "%ZQ-JSE-3-0-Build: 08.01.0004\r\n"
              "%VLXBody: (Letter) on\r\n"
              "%VLXPrintMethod: print\r\n"
              "%VLXOutputMedia:  top \r\n"
              "%%Requirements:  numcopies(1) staple(none)  fold(none)  duplex(on)  noncollate jog(none) \r\n"
              "%VLXRequirements: numcopies(1) staple(none)  fold(none)  duplex(longedge)  noncollate jog(none) "
              " trim(off) \r\n"
              "%VLXCovers: (Letter) none\r\n"
              "%VLXInserts: (Blue) 0\r\n"
              "%%+ (Red) output(top)  0\r\n"
              "%%+ (Blue) output(stacker)  8\r\n"
              "%VLXRotation: 0\r\n"
              "%VLXError: off \r\n"
              "%VLXSlip: (Red) duplex 2..3\r\n"
              "%%+  (Red) duplex 4\r\n"
              "%%+  (Red) simplex 5..6\r\n"
              "%VLXPePlex:  duplex(longedge) 2  duplex(longedge) 4  simplex 5  duplex(longedge) 10 \r\n"
              "%VLXActOn: \r\n"
              "%%Emulation: postscript\r\n"
              "%%Routing: ()\r\n"
              "%%DocumentPrinterRequired: () (LXQ01)\r\n"
              "%%DocumentMedia: (Letter) 612 792 75 (white) (plain)\r\n"
              "%%+  (Blue) 612 792 75 (white) (plain)\r\n"
              "%%+  (Red) 612 792 75 (white) (plain)\r\n"
              "%VLXMedia: (Letter) sides(2) \r\n"
              "%%+ (Blue) sides(1) \r\n"
              "%%+ (Red) sides(2) \r\n"
              "%VLXEngineGRET: off \r\n"
              "%VLXPDFVersion: usepdl\r\n"
              "%VLXPDFAutoCenter: off \r\n"
              "%VLXPDFBinaryOK: off \r\n"
              "%VLXPDFMediaMatchAll: off \r\n"
              "%VLXPDFPrintAnnotations: off \r\n"
              "%VLXPDFFitToPage: off \r\n"
              "%VLXPDFUsePrintersHalftone: off \r\n"
              "%VLXPDFPageLoop: off \r\n"
              "%VLXSpool: on \r\n"
              "%VLXReqPunch: 0\r\n"
              "%VLXReqReorderSheets: facedown");
    EXPECT_EQ(writer.GetMediaExceptionListSize(), 0);
    EXPECT_TRUE(writer.SlipRecords().empty());

    // The next ticket has no page exceptions: no inserts but the cover, and
    // no slip line left over.
    text.clear();
    EXPECT_EQ(writer.Generate_DSC_VLX_Header(header, text), kVlxDone);
    EXPECT_NE(text.find("\r\n%VLXInserts: (Blue) 0\r\n%VLXRotation: 0\r\n"), std::string::npos);
    EXPECT_EQ(text.find("%VLXSlip:"), std::string::npos);
}
