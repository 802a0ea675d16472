// The ticket writer's driver, line rules, setters and job-level lines.
#include <gtest/gtest.h>

#include <cstring>
#include <functional>
#include <string>
#include <vector>

#include "VLX_Writer.h"
#include "ticket_text_support.h"

namespace {

std::vector<std::string> splitLines(const std::string& text) {
    std::vector<std::string> lines;
    std::size_t start = 0;
    for (;;) {
        const std::size_t end = text.find("\r\n", start);
        lines.push_back(text.substr(start, end == std::string::npos ? std::string::npos : end - start));
        if (end == std::string::npos) return lines;
        start = end + 2;
    }
}

vlxCustomCommandType customCommand(int kind, int position, const std::string& text) {
    vlxCustomCommandType command;
    command.enabled = true;
    command.kind = kind;
    command.position = position;
    std::memcpy(command.text, text.data(), std::min(text.size(), sizeof(command.text)));
    return command;
}

// A header as the job ticket's translators leave it for a plain job.
class TicketWriter : public ::testing::Test {
protected:
    void SetUp() override { prepare(writer, header); }

    static void prepare(VLX_Writer& w, DSC_VLX& h) {
        PreparePlainJob(w, h);
        w.SetVersionString("08.01.0004");
        h.printMethod.print = 1;
    }

    std::string build() {
        std::string text;
        result = writer.Generate_DSC_VLX_Header(header, text);
        return text;
    }

    // The one line a generator writes on its own.
    template <typename Generator>
    std::string line(Generator generator) {
        return GeneratedLines(writer, generator, header, result);
    }

    VLX_Writer writer;
    DSC_VLX header;
    int result = -1;
};

const char* const kPlainTicket =
    "%ZQ-JSE-3-0-Build: 08.01.0004\r\n"
    "%VLXBody: (Letter) on\r\n"
    "%VLXPrintMethod: print\r\n"
    "%VLXOutputMedia:  top \r\n"
    "%%Requirements:  numcopies(1) staple(none)  fold(none)  simplex  noncollate jog(none) \r\n"
    "%VLXRequirements: numcopies(1) staple(none)  fold(none)  simplex  noncollate jog(none)  trim(off) \r\n"
    "%VLXCovers: (Letter) none\r\n"
    "%VLXRotation: 0\r\n"
    "%VLXError: off \r\n"
    LUMAPREX_PLAIN_TICKET_TAIL;

}  // namespace

// ---------------------------------------------------------------------------
// Driver, sequence and line rules

TEST_F(TicketWriter, PlainJobIsWrittenByteForByteWithoutEmptyOrTrailingLine) {
    const std::string text = build();
    EXPECT_EQ(result, kVlxDone);
    EXPECT_EQ(text, kPlainTicket);
    for (const std::string& l : splitLines(text)) EXPECT_FALSE(l.empty());
}

TEST_F(TicketWriter, ReturnCodesOfTheDriver) {
    // A header the translators never touched: nothing written, list kept.
    DSC_VLX untouched;
    std::string text;
    writer.Initialize_DSC_VLX_Structure(untouched, text);
    writer.Add_VLX_Substitution_List(vlxPageExeptionType{});
    EXPECT_EQ(writer.Generate_DSC_VLX_Header(untouched, text), kVlxBadPlatform);
    EXPECT_EQ(text, "");
    EXPECT_EQ(writer.GetMediaExceptionListSize(), 1);

    // Only the last step's code survives: nothing to print is informational.
    header.printMethod.print = 0;
    build();
    EXPECT_EQ(result, kVlxDone);
    EXPECT_EQ(line(&VLX_Writer::Generate_VLXPrintMethod), "<none>");
    EXPECT_EQ(result, kVlxNothingToPrint);
    EXPECT_EQ(writer.GetMediaExceptionListSize(), 0);
}

TEST_F(TicketWriter, WrongStructureVersionKeepsOnlyTheUncheckedLines) {
    header.structVersion = 1;
    header.startPage = 3;
    header.endPage = 7;
    writer.SetDocumentTitle("Report");
    writer.SetVLXRelease7Items({1, 2});
    const std::string text = build();
    EXPECT_EQ(result, kVlxDone);
    EXPECT_EQ(text,
              "\r\n%VLXPrintRange: 3 7\r\n%%Title: (Report)\r\n%VLXReqReorderSheets: faceup\r\n"
              "%VLXReqNarrowBooks: on ");

    writer.SetMICRFeature(true);
    build();
    EXPECT_EQ(result, kVlxBadVersion);
    EXPECT_EQ(line(&VLX_Writer::Generate_VLXPDFVersion), "<none>");
    EXPECT_EQ(result, kVlxBadVersion);
    EXPECT_EQ(line(&VLX_Writer::Generate_NULL), "<none>");
    EXPECT_EQ(result, kVlxBadVersion);
}

TEST(TicketLineRules, AppendSkipsEmptyLinesAndCutsAtNul) {
    std::string text = "first";
    EXPECT_EQ(Append_Buffer_to_DSC_Header(text, "", 0), 0);
    EXPECT_EQ(Append_Buffer_to_DSC_Header(text, std::string("\0tail", 5), 0), 0);
    EXPECT_EQ(text, "first");
    Append_Buffer_to_DSC_Header(text, std::string("second\0tail", 11), 0);
    EXPECT_EQ(text, "first\r\nsecond");
    text += std::string("\0junk", 5);
    Append_Buffer_to_DSC_Header(text, "third", 0);
    EXPECT_EQ(text, "first\r\nsecond\r\nthird");
}

TEST(TicketLineRules, PclPrefixGoesOnEverySegmentThatStartsWithPercent) {
    std::string text = "%A\r\n@PJL SET X\r\n%%+ more\r\n%B\nstill B\r\nplain";
    PrependCommandPCLComment(text);
    EXPECT_EQ(text,
              "@PJL COMMENT %A\r\n@PJL SET X\r\n@PJL COMMENT %%+ more\r\n@PJL COMMENT %B\nstill B\r\nplain");
}

TEST_F(TicketWriter, PclTicketPrefixesEveryLineButTheCustomPjlCommand) {
    writer.SetEmittionFlags(false, true, false, false, true);
    writer.Set_VLX_CustomCommand(customCommand(2, 2, "@PJL SET COPIES=2\r\n%VLXExtra: 1"));
    header.emulation = 3;
    const std::vector<std::string> lines = splitLines(build());
    ASSERT_GT(lines.size(), 3u);
    EXPECT_EQ(lines[0], "@PJL COMMENT %ZQ-JSE-3-0-Build: 08.01.0004");
    EXPECT_EQ(lines[1], "@PJL SET COPIES=2");
    EXPECT_EQ(lines[2], "@PJL COMMENT %VLXExtra: 1");
    for (std::size_t i = 2; i < lines.size(); ++i) EXPECT_EQ(lines[i].rfind("@PJL COMMENT %", 0), 0u) << lines[i];
    EXPECT_EQ(lines.back(), "@PJL COMMENT %VLXReqReorderSheets: facedown");
}

TEST_F(TicketWriter, CustomCommandBeforeAndAfterKindsTwoAndFourOnly) {
    writer.SetEmittionFlags(false, true, true, true, false);
    writer.Set_VLX_CustomCommand(customCommand(2, 2, "%Before"));
    EXPECT_EQ(splitLines(build())[1], "%Before");

    writer.SetMICRFeature(true);
    writer.Set_VLX_CustomCommand(customCommand(4, 1, "%After"));
    std::vector<std::string> lines = splitLines(build());
    EXPECT_EQ(lines[lines.size() - 2], "%VLXMICR: off ");
    EXPECT_EQ(lines.back(), "%After");

    for (int kind : {1, 3, 5}) {
        writer.Set_VLX_CustomCommand(customCommand(kind, 1, "%Never"));
        EXPECT_EQ(build().find("%Never"), std::string::npos) << kind;
    }
    // Switched off by its flags or by the record.
    writer.SetEmittionFlags(false, false, false, true, false);
    writer.Set_VLX_CustomCommand(customCommand(2, 2, "%Off"));
    EXPECT_EQ(build().find("%Off"), std::string::npos);
    vlxCustomCommandType disabled = customCommand(2, 1, "%Disabled");
    disabled.enabled = false;
    writer.SetEmittionFlags(false, true, true, true, false);
    writer.Set_VLX_CustomCommand(disabled);
    EXPECT_EQ(build().find("%Disabled"), std::string::npos);
}

TEST_F(TicketWriter, CustomCommandOfAllTwoHundredFiftyFiveBytesIsReadNoFurther) {
    const std::string full(255, 'x');
    writer.SetEmittionFlags(false, false, true, true, false);
    writer.Set_VLX_CustomCommand(customCommand(2, 1, full));
    EXPECT_EQ(splitLines(build()).back(), full);

    vlxCustomCommandType command = customCommand(2, 1, full);
    EXPECT_EQ(command.Text(), full);
}

TEST_F(TicketWriter, InhibitedBodyLineAndIgnoredSlots) {
    writer.SetVLXInhibit(8, true);
    const std::string withoutBody = build();
    std::string expected = kPlainTicket;
    // Without the body line the body paper is no media entry either, and
    // with no other paper no media line remains.
    for (const char* gone : {"%VLXBody: (Letter) on\r\n", "%%DocumentMedia: (Letter) 612 792 75 (white) (plain)\r\n",
                             "%VLXMedia: (Letter) sides(2) \r\n"})
        expected.erase(expected.find(gone), std::strlen(gone));
    EXPECT_EQ(withoutBody, expected);
    EXPECT_TRUE(writer.IsInhibited(8));

    writer.SetVLXInhibit(8, false);
    writer.SetVLXInhibit(60, true);
    writer.SetVLXInhibit(-1, true);
    EXPECT_FALSE(writer.IsInhibited(60));
    EXPECT_EQ(build(), kPlainTicket);
}

TEST_F(TicketWriter, TwoTicketsBuiltAlternatelyMatchEachBuiltAlone) {
    auto configureSecond = [](VLX_Writer& w, DSC_VLX& h) {
        prepare(w, h);
        w.SetEmittionFlags(true, false, true, false, true);
        w.Set_VLX_CustomCommand(customCommand(2, 1, "@PJL ECHO"));
        w.SetDocumentTitle("Second");
        w.SetMICRFeature(true);
        w.SetVLXInhibit(8, true);
        h.emulation = 3;
    };
    VLX_Writer aloneWriter;
    DSC_VLX aloneHeader;
    configureSecond(aloneWriter, aloneHeader);
    std::string alone;
    aloneWriter.Generate_DSC_VLX_Header(aloneHeader, alone);

    VLX_Writer second;
    DSC_VLX secondHeader;
    configureSecond(second, secondHeader);
    for (int round = 0; round < 2; ++round) {
        EXPECT_EQ(build(), kPlainTicket);
        std::string text;
        second.Generate_DSC_VLX_Header(secondHeader, text);
        second.Set_VLX_CustomCommand(customCommand(2, 1, "@PJL ECHO"));
        EXPECT_EQ(text, alone);
    }
}

// ---------------------------------------------------------------------------
// Setters and state reset

TEST_F(TicketWriter, InitializeResetsHeaderButKeepsProofValuesAndSubRecordSwitches) {
    header.proofCount = 12;
    header.proofAction = 4;
    header.staplingMode = 3;
    header.frontCover.valid = 1;
    header.frontCover.paper = L"Blue";
    header.collateValid = header.collateValue = 1;
    std::string text = "old";
    writer.Initialize_DSC_VLX_Structure(header, text);
    EXPECT_EQ(text, "");
    EXPECT_EQ(header.platformFlag, 0xFFFF);
    EXPECT_EQ(header.structVersion, 0xFFFF);
    EXPECT_EQ(header.copyCount, 1);
    EXPECT_EQ(header.bodyPaper, "");
    EXPECT_EQ(header.frontCover.paper, "");
    EXPECT_EQ(header.frontCover.valid, 1);
    EXPECT_EQ(header.staplingMode, 3);
    EXPECT_EQ(header.collateValid, 0);
    EXPECT_EQ(header.proofCount, 12);
    EXPECT_EQ(header.proofAction, 4);
}

TEST_F(TicketWriter, ServerSpoolCanBeClearedAgain) {
    writer.SetEmittionFlags(true, false, false, true, false);
    vlxRelease4Type items;
    items.printerServerSpool = true;
    writer.SetVLXRelease4Items(items);
    EXPECT_EQ(line(&VLX_Writer::Generate_VLXPrinterServerSpool), "%VLXSpool: on ");
    items.printerServerSpool = false;
    writer.SetVLXRelease4Items(items);
    EXPECT_EQ(line(&VLX_Writer::Generate_VLXPrinterServerSpool), "%VLXSpool: off ");
    writer.SetEmittionFlags(false, false, false, true, false);
    EXPECT_EQ(line(&VLX_Writer::Generate_VLXPrinterServerSpool), "%VLXSpool: on ");
}

TEST_F(TicketWriter, PdfVersionAndSubstitutionListSetters) {
    vlxHeaderRelease6Type release6;
    for (const char* version : {"1.3", "1.4"}) {
        release6.pdfVersionText = version;
        writer.SetVLXRelease6Items(release6);
        EXPECT_EQ(line(&VLX_Writer::Generate_VLXPDFVersion), std::string("%VLXPDFVersion: ") + version);
    }
    release6.pdfVersionText = "1.5";
    release6.pdfPageLoop = true;
    writer.SetVLXRelease6Items(release6);
    EXPECT_EQ(line(&VLX_Writer::Generate_VLXPDFVersion), "%VLXPDFVersion: usepdl");
    EXPECT_EQ(line(&VLX_Writer::Generate_VLXPDFPageLoop), "%VLXPDFPageLoop: on ");

    writer.Set_VLX_NumberOfSubstitution(2);
    vlxPageExeptionType record;
    record.startingPage = 4;
    EXPECT_EQ(writer.Set_VLX_Substitution_List(1, record), kVlxDone);
    EXPECT_EQ(writer.Set_VLX_Substitution_List(2, record), kVlxBadExceptionIndex);
    EXPECT_EQ(writer.Set_VLX_Substitution_List(-1, record), kVlxBadExceptionIndex);
    EXPECT_EQ(writer.MediaExceptionList()[1].startingPage, 4);
    writer.Set_VLX_NumberOfSubstitution(0);
    EXPECT_EQ(writer.GetMediaExceptionListSize(), 0);
}

// ---------------------------------------------------------------------------
// Job-level lines

TEST_F(TicketWriter, TextLinesAreLeftOutWhenEmpty) {
    EXPECT_EQ(line(&VLX_Writer::Generate_VLXChargeNumber), "<none>");
    EXPECT_EQ(line(&VLX_Writer::Generate_VLXEmail), "<none>");
    EXPECT_EQ(line(&VLX_Writer::Generate_OperatorMessage), "<none>");
    EXPECT_EQ(line(&VLX_Writer::Generate_For), "<none>");
    EXPECT_EQ(line(&VLX_Writer::Generate_Title), "<none>");
    header.chargeNumber = L"C-17";
    header.eMailAddress = L"a@b.c";
    header.operatorMessage = L"Blue stock";
    header.userName = L"mia";
    writer.SetDocumentTitle("Q3");
    EXPECT_EQ(line(&VLX_Writer::Generate_VLXChargeNumber), "%VLXChargeNumber: (C-17)");
    EXPECT_EQ(line(&VLX_Writer::Generate_VLXEmail), "%VLXEmail: (a@b.c)");
    EXPECT_EQ(line(&VLX_Writer::Generate_OperatorMessage), "%%OperatorMessage: (Blue stock)");
    EXPECT_EQ(line(&VLX_Writer::Generate_For), "%%For: (mia)");
    EXPECT_EQ(line(&VLX_Writer::Generate_Title), "%%Title: (Q3)");
}

TEST_F(TicketWriter, BodyPrintMethodAndOutputMedia) {
    header.compileOnly = 1;
    EXPECT_EQ(line(&VLX_Writer::Generate_VLXBody), "%VLXBody: (Letter) off");
    header.printMode = 6;
    EXPECT_EQ(line(&VLX_Writer::Generate_VLXBody), "<none>");

    header.printMethod.store = 1;
    EXPECT_EQ(line(&VLX_Writer::Generate_VLXPrintMethod), "%VLXPrintMethod: print");
    header.printMethod.storeName = L"Jobs";
    EXPECT_EQ(line(&VLX_Writer::Generate_VLXPrintMethod), "%VLXPrintMethod: print store(Jobs)");
    header.printMethod.print = 0;
    EXPECT_EQ(line(&VLX_Writer::Generate_VLXPrintMethod), "%VLXPrintMethod: store(Jobs)");
    header.printMethod.store = 0;
    header.tiffPath = L"/Rip/out";
    EXPECT_EQ(line(&VLX_Writer::Generate_VLXPrintMethod), "<none>");
    EXPECT_EQ(result, kVlxDone);

    const char* const words[] = {" top ", " stapler ", " stacker ", " bookmaker ", " postprocessor ",
                                 " wirecombbinder ", " top "};
    for (std::uint16_t exit = 0; exit <= 6; ++exit) {
        header.documentExit = exit;
        EXPECT_EQ(line(&VLX_Writer::Generate_VLXOutputMedia), std::string("%VLXOutputMedia: ") + words[exit]);
    }
}

TEST_F(TicketWriter, PrintRangeIsClampedInTheRecordToo) {
    EXPECT_EQ(line(&VLX_Writer::Generate_VLXPrintRange), "<none>");
    header.startPage = 5;
    EXPECT_EQ(line(&VLX_Writer::Generate_VLXPrintRange), "%VLXPrintRange: 5");
    header.startPage = 123456;
    EXPECT_EQ(line(&VLX_Writer::Generate_VLXPrintRange), "%VLXPrintRange: 99999");
    EXPECT_EQ(header.startPage, 99999);
    header.startPage = 3;
    header.endPage = 200000;
    EXPECT_EQ(line(&VLX_Writer::Generate_VLXPrintRange), "%VLXPrintRange: 3 99999");
    EXPECT_EQ(header.endPage, 99999);
}

TEST_F(TicketWriter, ProofSetTransparencyAndBooklet) {
    header.proofSetValid = header.proofSetValue = 1;
    header.proofCount = 2;
    header.proofAction = 4;
    EXPECT_EQ(line(&VLX_Writer::Generate_VLXProofSet), "%VLXProofSet: 2 hold");
    header.proofAction = 1;
    EXPECT_EQ(line(&VLX_Writer::Generate_VLXProofSet), "%VLXProofSet: 2 cancel");
    header.proofAction = 3;
    EXPECT_EQ(line(&VLX_Writer::Generate_VLXProofSet), "%VLXProofSet: 2 block");
    header.proofCount = 61;
    header.proofAction = 4;
    EXPECT_EQ(line(&VLX_Writer::Generate_VLXProofSet), "%VLXProofSet: 1 print");
    header.proofSetValue = 0;
    EXPECT_EQ(line(&VLX_Writer::Generate_VLXProofSet), "<none>");

    EXPECT_EQ(line(&VLX_Writer::Generate_VLXTransparencyMode), "<none>");
    header.printMode = 3;
    EXPECT_EQ(line(&VLX_Writer::Generate_VLXTransparencyMode), "%VLXTransparencyMode: (Letter) blank (Letter)");
    header.printMode = 4;
    header.interleavePaper = L"Clear";
    EXPECT_EQ(line(&VLX_Writer::Generate_VLXTransparencyMode), "%VLXTransparencyMode: (Letter) printed (Clear)");

    EXPECT_EQ(line(&VLX_Writer::Generate_VLXBooklet), "<none>");
    header.bookletValid = 1;
    const std::pair<std::int32_t, const char*> sheets[] = {{1, "1"},   {4, "1"},  {5, "2"},
                                                           {88, "22"}, {10, "3"}, {2147483647, "536870912"}};
    for (const auto& [pages, expected] : sheets) {
        header.signaturePages = pages;
        EXPECT_EQ(line(&VLX_Writer::Generate_VLXBooklet), std::string("%VLXBooklet: ") + expected);
    }
}

TEST_F(TicketWriter, WordTablesFallBackToTheirFirstEntry) {
    const char* const rotations[] = {"0", "90", "180", "270", "0"};
    for (std::uint16_t code = 0; code <= 4; ++code) {
        header.finishOrientation = code;
        EXPECT_EQ(line(&VLX_Writer::Generate_VLXRotation), std::string("%VLXRotation: ") + rotations[code]);
    }
    header.finishOrientation = 0xFFFF;
    EXPECT_EQ(line(&VLX_Writer::Generate_VLXRotation), "%VLXRotation: 0");

    EXPECT_EQ(line(&VLX_Writer::Generate_VLXError), "%VLXError: off ");
    header.statusPages.valid = 1;
    EXPECT_EQ(line(&VLX_Writer::Generate_VLXError), "%VLXError: off ");
    header.statusPages.mode = 1;
    EXPECT_EQ(line(&VLX_Writer::Generate_VLXError), "%VLXError: onerror (Letter)");
    header.statusPages.paper = L"Red";
    header.statusPages.mode = 3;
    EXPECT_EQ(line(&VLX_Writer::Generate_VLXError), "%VLXError: 1page (Red)");
    header.statusPages.mode = 2;
    EXPECT_EQ(line(&VLX_Writer::Generate_VLXError), "%VLXError: on (Red)");
    header.statusPages.mode = 9;
    EXPECT_EQ(line(&VLX_Writer::Generate_VLXError), "%VLXError: off (Red)");
}

TEST_F(TicketWriter, SeparatorAndChapterLines) {
    EXPECT_EQ(line(&VLX_Writer::Generate_VLXSeparator), "<none>");
    header.separators.valid = header.separators.value = 1;
    EXPECT_EQ(line(&VLX_Writer::Generate_VLXSeparator), "%VLXSeparator: (Letter)");
    header.separators.paper = L"Tab";
    EXPECT_EQ(line(&VLX_Writer::Generate_VLXSeparator), "%VLXSeparator: (Tab)");

    header.chapters.valid = 1;
    EXPECT_EQ(line(&VLX_Writer::Generate_VLXChapters), "<none>");
    header.chapters.pages = "1..4 9 ";
    EXPECT_EQ(line(&VLX_Writer::Generate_VLXChapters), "%VLXChapters: 1..4 9 ");
    EXPECT_EQ(line(&VLX_Writer::Generate_VLXChaptersAreSets), "<none>");
    header.chaptersAreSetsValid = header.chaptersAreSetsValue = 1;
    EXPECT_EQ(line(&VLX_Writer::Generate_VLXChaptersAreSets), "%VLXChaptersAreSets: on ");
}

TEST_F(TicketWriter, EmulationRoutingAndRequiredPrinter) {
    const std::pair<std::int32_t, const char*> emulations[] = {
        {2, "vgl"}, {3, "pcl5"}, {4, "pdf"}, {1, "postscript"}, {9, "postscript"}};
    for (const auto& [code, word] : emulations) {
        header.emulation = code;
        EXPECT_EQ(line(&VLX_Writer::Generate_Emulation), std::string("%%Emulation: ") + word);
    }
    EXPECT_EQ(line(&VLX_Writer::Generate_Routing), "%%Routing: ()");
    header.platformFlag = 0;
    EXPECT_EQ(line(&VLX_Writer::Generate_Routing), "<none>");
    header.deliverTo = L"Room 4";
    EXPECT_EQ(line(&VLX_Writer::Generate_Routing), "%%Routing: (Room 4)");

    header.printerName = L"Printer-0123456789-0123456789-0123456789";
    EXPECT_EQ(line(&VLX_Writer::Generate_DocumentPrinterRequired), "%%DocumentPrinterRequired: () (LXQ01)");
    header.specificPrinterValid = header.specificPrinterValue = 1;
    EXPECT_EQ(line(&VLX_Writer::Generate_DocumentPrinterRequired),
              "%%DocumentPrinterRequired: (Printer-0123456789-0123456789-0) (LXQ01)");
    // Ten characters of three bytes: the cut keeps the eight that fit whole.
    header.printerName = L"\u65e5\u672c\u8a9e\u306e\u30d7\u30ea\u30f3\u30bf\u30fc\u540d";
    EXPECT_EQ(line(&VLX_Writer::Generate_DocumentPrinterRequired),
              "%%DocumentPrinterRequired: (utf8:\u65e5\u672c\u8a9e\u306e\u30d7\u30ea\u30f3\u30bf) (LXQ01)");
}

TEST_F(TicketWriter, EngineLinesAndDestination) {
    EXPECT_EQ(line(&VLX_Writer::Generate_VLXEngineEdgeErase), "<none>");
    EXPECT_EQ(line(&VLX_Writer::Generate_VLXImageAlign), "<none>");
    header.engineGRET = 1;
    header.edgeEraseOn = 1;
    header.imageAlignOn = 1;
    const float erase[8] = {1, 2.5f, 3.125f, 0, -1.5f, 6, 7, 8};
    const float align[4] = {-2.25f, 0.5f, 10, 0};
    std::memcpy(header.edgeErase, erase, sizeof(erase));
    std::memcpy(header.imageAlign, align, sizeof(align));
    writer.SetVLXRelease4Items(vlxRelease4Type::FromHeader(header));
    EXPECT_EQ(line(&VLX_Writer::Generate_VLXEngineEdgeErase),
              "%VLXEngineEdgeErase: 1.00 2.50 3.12 0.00 -1.50 6.00 7.00 8.00");
    EXPECT_EQ(line(&VLX_Writer::Generate_VLXImageAlign), "%VLXEngineImageAlign: -2.25 0.50 10.00 0.00");
    EXPECT_EQ(line(&VLX_Writer::Generate_VLXEngineGRET), "%VLXEngineGRET: on ");

    EXPECT_EQ(line(&VLX_Writer::Generate_VLXDestination), "<none>");
    header.tiffPath = L"/Rip/out";
    writer.SetDocumentTitle("Doc");
    EXPECT_EQ(line(&VLX_Writer::Generate_VLXDestination), "%VLXDestination: (/Rip/out/Doc)");
}

TEST_F(TicketWriter, PdfLinesSwitchedOffStillCheckTheVersion) {
    vlxRelease4Type items;
    items.pdfAutoCenter = items.pdfMediaMatchAll = true;
    writer.SetVLXRelease4Items(items);
    EXPECT_EQ(line(&VLX_Writer::Generate_VLXPDFAutoCenter), "%VLXPDFAutoCenter: on ");
    EXPECT_EQ(line(&VLX_Writer::Generate_VLXPDFMediaMatchAll), "%VLXPDFMediaMatchAll: on ");
    EXPECT_EQ(line(&VLX_Writer::Generate_VLXPDFBinaryOK), "%VLXPDFBinaryOK: off ");

    writer.SetEmittionFlags(false, false, false, false, false);
    const std::string text = build();
    EXPECT_EQ(text.find("%VLXPDF"), std::string::npos);
    header.structVersion = 2;
    EXPECT_EQ(line(&VLX_Writer::Generate_VLXPDFFitToPage), "<none>");
    EXPECT_EQ(result, kVlxBadVersion);
}

TEST_F(TicketWriter, PunchPageOrderNarrowBookletAndMicr) {
    writer.SetVLXRelease5Items({7, true, false, false, false});
    EXPECT_EQ(line(&VLX_Writer::Generate_VLXReqPunch), "%VLXReqPunch: 7");

    const std::pair<std::int32_t, const char*> orders[] = {
        {0, " facedown"}, {1, " facedown"}, {7, " facedown"}, {2, " faceup"}, {3, " lastsheetfirst "}};
    for (const auto& [order, word] : orders) {
        writer.SetVLXRelease7Items({2, order});
        EXPECT_EQ(line(&VLX_Writer::Generate_VLXLastSheetFirst), std::string("%VLXReqReorderSheets:") + word);
        EXPECT_EQ(line(&VLX_Writer::Generate_VLXNarrowBooklet), "<none>");
    }

    EXPECT_EQ(line(&VLX_Writer::Generate_VLXMICR), "<none>");
    writer.SetMICRFeature(true);
    EXPECT_EQ(line(&VLX_Writer::Generate_VLXMICR), "%VLXMICR: off ");
    writer.SetVLXRelease502Items(true);
    EXPECT_EQ(line(&VLX_Writer::Generate_VLXMICR), "%VLXMICR: on ");
}

// ---------------------------------------------------------------------------
// Texts inside the lines

// Every text a line holds between parentheses is one PostScript string whose
// value is the text; balanced parentheses without a backslash are written as
// they are.
TEST_F(TicketWriter, TextsInLinesAreOnePostScriptStringOfTheirValue) {
    struct Road {
        const char* name;
        VLX_Writer::Generator generator;
        std::size_t string;  // the string of the line that holds the text
        std::function<void(const std::string&)> set;
        std::string prefix = "";  // what the line puts in front of the text
    };
    const auto paper = [this](const std::string& name) {
        header.bodyPaper.assign(name);
        header.paperCatalog[0].name = name;
    };
    const Road roads[] = {
        {"charge number", &VLX_Writer::Generate_VLXChargeNumber, 0, [this](auto& t) { header.chargeNumber.assign(t); }},
        {"e-mail", &VLX_Writer::Generate_VLXEmail, 0, [this](auto& t) { header.eMailAddress.assign(t); }},
        {"message", &VLX_Writer::Generate_OperatorMessage, 0, [this](auto& t) { header.operatorMessage.assign(t); }},
        {"title", &VLX_Writer::Generate_Title, 0, [this](auto& t) { writer.SetDocumentTitle(t); }},
        {"user", &VLX_Writer::Generate_For, 0, [this](auto& t) { header.userName.assign(t); }},
        {"routing", &VLX_Writer::Generate_Routing, 0, [this](auto& t) { header.deliverTo.assign(t); }},
        {"store", &VLX_Writer::Generate_VLXPrintMethod, 0,
         [this](auto& t) { header.printMethod.store = 1, header.printMethod.storeName.assign(t); }},
        {"destination", &VLX_Writer::Generate_VLXDestination, 0,
         [this](auto& t) { header.tiffPath = L"/Rip", writer.SetDocumentTitle(t); }, "/Rip/"},
        {"printer", &VLX_Writer::Generate_DocumentPrinterRequired, 0,
         [this](auto& t) { header.specificPrinterValid = header.specificPrinterValue = 1, header.printerName.assign(t); }},
        {"separator", &VLX_Writer::Generate_VLXSeparator, 0,
         [this](auto& t) { header.separators.valid = header.separators.value = 1, header.separators.paper.assign(t); }},
        {"status page", &VLX_Writer::Generate_VLXError, 0,
         [this](auto& t) { header.statusPages.valid = header.statusPages.mode = 1, header.statusPages.paper.assign(t); }},
        {"interleave", &VLX_Writer::Generate_VLXTransparencyMode, 1,
         [this](auto& t) { header.printMode = 3, header.interleavePaper.assign(t); }},
        {"cover", &VLX_Writer::Generate_VLXCovers, 0,
         [this](auto& t) { header.frontCover.valid = header.frontCover.mode = 1, header.frontCover.paper.assign(t); }},
        {"insert", &VLX_Writer::Generate_VLXInserts, 0,
         [this](auto& t) { header.frontCover.valid = 1, header.frontCover.mode = 4, header.frontCover.paper.assign(t); }},
        {"body", &VLX_Writer::Generate_VLXBody, 0, paper},
        {"media", &VLX_Writer::Generate_VLXMedia, 0, paper},
        {"document media", &VLX_Writer::Generate_DocumentMedia, 0, paper},
        {"colour", &VLX_Writer::Generate_DocumentMedia, 1, [this](auto& t) { header.paperCatalog[0].colour = t; }},
    };
    const std::pair<const char*, bool> texts[] = {  // text, written as it is
        {"(", false}, {")", false}, {"\\", false}, {"Room 5) (x", false}, {"((a)", false}, {"x\\(y", false},
        {"Rush (urgent)", true}, {"a (b (c) d) e", true}};
    for (const Road& road : roads) {
        for (const auto& [text, unchanged] : texts) {
            SCOPED_TRACE(testing::Message() << road.name << " with " << text);
            SetUp();
            road.set(text);
            const std::string written = splitLines(line(road.generator))[0];
            const auto strings = PostScriptStrings(written);
            ASSERT_TRUE(strings.has_value()) << written;
            ASSERT_GT(strings->size(), road.string) << written;
            EXPECT_EQ((*strings)[road.string], road.prefix + text);
            if (unchanged) {
                EXPECT_NE(written.find("(" + road.prefix + text + ")"), std::string::npos) << written;
            }
        }
    }
}

TEST(TicketJobExit, JobExitCodesMapToDocumentExit) {
    EXPECT_EQ(getVTR1documentExit(1), 0);
    EXPECT_EQ(getVTR1documentExit(2), 1);
    EXPECT_EQ(getVTR1documentExit(6), 5);
    EXPECT_EQ(getVTR1documentExit(7), 0);
    EXPECT_EQ(getVTR1documentExit(-3), 0);
}
