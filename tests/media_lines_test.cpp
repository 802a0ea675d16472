// The media lines of the ticket: papers of every role in both forms, each
// listed once, and the catalog lookup they rely on.
#include <gtest/gtest.h>

#include <string>

#include "JSE_Records.h"
#include "VLX_Writer.h"

namespace {

_Paper_Catalog paper(const std::string& name, const std::string& colour, int mode, int punchable = 1) {
    _Paper_Catalog entry;
    entry.name = name;
    entry.colour = colour;
    entry.type = "plain";
    entry.widthPoints = 612;
    entry.heightPoints = 792;
    entry.weight = 75;
    entry.mode = mode;
    entry.punchable = punchable;
    return entry;
}

vlxPageExeptionType exception(std::int32_t code, const wchar_t* paperName, std::int64_t first, std::int64_t last) {
    vlxPageExeptionType record;
    record.exceptionMode = code;
    record.mediaName = paperName;
    record.fromJobPaper = false;
    record.startingPage = first;
    record.endingPage = last;
    return record;
}

class MediaLines : public ::testing::Test {
protected:
    void SetUp() override {
        std::string text;
        writer.Initialize_DSC_VLX_Structure(header, text);
        header.platformFlag = 1;
        header.structVersion = 0;
        header.bodyPaper = L"Letter";
        header.paperCatalog = {paper("Letter", "white", 2), paper("Blue", "blue", 1), paper("Red", "red", 2, 0)};
        header.numberOfPapers = 3;
    }

    std::string document() {
        std::string text;
        documentResult = writer.Generate_DocumentMedia(header, text);
        return text;
    }
    std::string printer() {
        std::string text;
        printerResult = writer.Generate_VLXMedia(header, text);
        return text;
    }

    VLX_Writer writer;
    DSC_VLX header;
    int documentResult = -1;
    int printerResult = -1;
};

TEST_F(MediaLines, BodyPaperAloneInBothForms) {
    header.printMode = 3;
    header.interleavePaper = L"Letter";
    EXPECT_EQ(document(), "\r\n%%DocumentMedia: (Letter) 612 792 75 (white) (plain)");
    EXPECT_EQ(printer(), "\r\n%VLXMedia: (Letter) sides(2) ");
    EXPECT_EQ(documentResult, 0);
    EXPECT_EQ(printerResult, 0);
    EXPECT_TRUE(writer.MediaSectionWritten());
}

TEST_F(MediaLines, PaperOfTwoRolesIsListedOnceForTheFirst) {
    header.frontCover.valid = header.backCover.valid = 1;
    header.frontCover.paper = header.backCover.paper = L"Blue";
    header.separators.valid = header.separators.value = 1;  // on the body paper, already listed
    EXPECT_EQ(printer(), "\r\n%VLXMedia: (Letter) sides(2) \r\n%%+ (Blue) sides(1) ");
    EXPECT_EQ(document(),
              "\r\n%%DocumentMedia: (Letter) 612 792 75 (white) (plain)\r\n%%+  (Blue) 612 792 75 (blue) (plain)");
}

TEST_F(MediaLines, SlipSheetsComeBeforeInsertsInBothForms) {
    writer.Add_VLX_Substitution_List(exception(kPeInsertBefore, L"Blue", 5, 5));
    writer.Add_VLX_Substitution_List(exception(kPePaperSubstitution, L"Red", 2, 3));
    writer.Add_VLX_Substitution_List(exception(kPeInsertAfter, L"Red", 7, 7));
    writer.Add_VLX_Substitution_List(exception(kPePaperSubstitution, L"Unknown", 9, 9));
    header.statusPages.valid = 1;
    header.statusPages.mode = 1;
    header.statusPages.paper = L"Blue";
    EXPECT_EQ(document(),
              "\r\n%%DocumentMedia: (Letter) 612 792 75 (white) (plain)"
              "\r\n%%+  (Red) 612 792 75 (red) (plain)"
              "\r\n%%+  (Blue) 612 792 75 (blue) (plain)");
    EXPECT_EQ(printer(),
              "\r\n%VLXMedia: (Letter) sides(2) "
              "\r\n%%+ (Blue) sides(1) "
              "\r\n%%+ (Red) sides(2)  unpunchable ");
}

TEST_F(MediaLines, MissingRolePaperIsLeftOutAndReported) {
    header.statusPages.valid = 1;
    header.statusPages.mode = 2;
    header.statusPages.paper = L"Gold";
    writer.Add_VLX_Substitution_List(exception(kPePaperSubstitution, L"Red", 2, 2));
    EXPECT_EQ(document(), "\r\n%%DocumentMedia: (Letter) 612 792 75 (white) (plain)\r\n%%+  (Red) 612 792 75 (red) (plain)");
    EXPECT_EQ(documentResult, kVlxNoStatusPaper);
    EXPECT_EQ(printer(), "\r\n%VLXMedia: (Letter) sides(2) \r\n%%+ (Red) sides(2)  unpunchable ");
    EXPECT_EQ(printerResult, 0);

    header.frontCover.valid = 1;  // valid but without a paper
    EXPECT_EQ(document(), "\r\n%%DocumentMedia: (Letter) 612 792 75 (white) (plain)\r\n%%+  (Red) 612 792 75 (red) (plain)");
}

TEST_F(MediaLines, AttributesAndAnyColourOrType) {
    _Paper_Catalog insert = paper("Tab", "*", 0, 0);
    insert.type = "*";
    insert.precollated = 1;
    std::string entry;
    Format_Document_Media_Entry(insert, entry);
    EXPECT_EQ(entry, " (Tab) 612 792 75 () ()");
    std::string line;
    Generate_PaperAttributes(insert, line);
    EXPECT_EQ(line, " postfuserinsert  precollated  unpunchable ");
}

TEST_F(MediaLines, BodyLineSwitchedOffKeepsTheKeywordOnlyForOtherPapers) {
    writer.SetVLXInhibit(8, true);
    EXPECT_EQ(printer(), "");
    EXPECT_EQ(document(), "");

    header.interleavePaper = L"Blue";
    EXPECT_EQ(printer(), "\r\n%VLXMedia: ");
    header.printMode = 4;
    EXPECT_EQ(printer(), "\r\n%VLXMedia: \r\n%%+ (Blue) sides(1) ");
}

// A body paper missing from the catalog still leaves the keyword line in
// front of the other papers, so they never continue the line before.
TEST_F(MediaLines, MissingBodyPaperKeepsTheKeywordLine) {
    header.bodyPaper = L"Gold";
    EXPECT_EQ(printer(), "");
    EXPECT_EQ(printerResult, 0);

    header.frontCover.valid = 1;
    header.frontCover.paper = L"Silver";  // missing too: no continuation, no keyword
    EXPECT_EQ(printer(), "");
    header.frontCover.paper = L"Blue";
    EXPECT_EQ(printer(), "\r\n%VLXMedia: \r\n%%+ (Blue) sides(1) ");
    EXPECT_EQ(document(), "\r\n%%DocumentMedia:\r\n%%+  (Blue) 612 792 75 (blue) (plain)");
}

TEST_F(MediaLines, WrongStructureVersionWritesNothing) {
    header.structVersion = 1;
    EXPECT_EQ(document(), "");
    EXPECT_EQ(documentResult, kVlxBadVersion);
    EXPECT_EQ(printer(), "");
    EXPECT_EQ(printerResult, kVlxBadVersion);
    EXPECT_TRUE(writer.MediaSectionWritten());
}

// The lookup stays within both the paper count and the papers held.
TEST_F(MediaLines, LookupStaysWithinTheCatalog) {
    ASSERT_NE(Lookup_Catalog_Entry(header, "Red"), nullptr);
    EXPECT_EQ(Lookup_Catalog_Entry(header, "Red")->colour, "red");
    EXPECT_EQ(Lookup_Catalog_Entry(header, "red"), nullptr);

    header.numberOfPapers = 2;
    EXPECT_EQ(Lookup_Catalog_Entry(header, "Red"), nullptr);

    header.numberOfPapers = 500;
    EXPECT_EQ(Lookup_Catalog_Entry(header, "Gold"), nullptr);
    header.paperCatalog.clear();
    EXPECT_EQ(Lookup_Catalog_Entry(header, "Letter"), nullptr);
}

}  // namespace
