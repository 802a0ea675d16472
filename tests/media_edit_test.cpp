// Editing the catalog: papers, size definitions, attributes, dropped papers,
// the nearest paper and the size-name check.
#include <gtest/gtest.h>

#include "media_test_support.h"

namespace {

using namespace media_test;

// Five papers A..E on two size definitions, loaded from a UTF-16 catalog.
struct Edited : Catalog {
    TempFolder folder;
    Edited() {
        EXPECT_TRUE(JSE_Media_LoadNamedDefinition(folder.Write("c.def", "8.5:11:612:792:0:Letter\n210:297:595:842:1:A4\n")));
        folder.Write("c.txt", Utf16("English:C\nA:1:75:white:plain:1\nB:2:80:red:plain:2\nC:1:90:white:cover:1\n"
                                    "D:2:120:blue:plain:2\nE:1:75:white:plain:1\n"));
        EXPECT_TRUE(JSE_Media_LoadCatalogOnly(folder.WidePath("c.txt")));
    }
    std::wstring Names() const {
        std::wstring names;
        for (const PAPERDEF& p : papers()) names += p.name;
        return names;
    }
    int sizeNameError() const { return m_sizeNameError; }
};

TEST(MediaEditPapers, AddChecksNameSizeAndLengths) {
    Edited c;
    EXPECT_FALSE(c.JSE_Media_AddPaper(L"A", 0, L"white", 75, L"plain", 2, 0, 1));
    EXPECT_EQ(c.JSE_Media_GetLastError(), kMediaBadIndex);
    EXPECT_FALSE(c.JSE_Media_AddPaper(L"With space", 0, L"white", 75, L"plain", 2, 0, 1));
    EXPECT_EQ(c.JSE_Media_GetLastError(), kMediaBadCharacter);
    ASSERT_TRUE(c.JSE_Media_AddPaper(L"F", -1, L"abcdefghijklmnopqrstuvwxy", 75, L"tab", 7, 1, 0));
    // The default paper's size, the colour cut to 20 characters, mode 7 taken as 2.
    EXPECT_EQ(Fields(c.papers().back()), L"F:0:75:abcdefghijklmnopqrst/-1:tab/4:2:1:0:0");
    EXPECT_TRUE(c.JSE_Media_AddPaper(L"G", 210.0f, 297.0f, L"*", 0, L"*", 0, 0, 1));
    EXPECT_EQ(c.papers().back().width, 210.0f);
    EXPECT_FALSE(c.JSE_Media_AddPaper(L"H", 8.5f, 11.001f, L"white", 0, L"plain", 0, 0, 1));
    EXPECT_EQ(c.JSE_Media_GetLastError(), kMediaNoSuchSize);
    EXPECT_FALSE(c.JSE_Media_ModifyPaper(L"Nope", 0, L"white", 75, L"plain", 2, 0, 1));
    EXPECT_EQ(c.JSE_Media_GetLastError(), kMediaNoSuchSize);
}

TEST(MediaEditPapers, FlaggedModifyTakesFlaggedFieldsAndKeepsNamesUnique) {
    Edited c;
    PAPERDEF values;
    values.name = L"B";
    values.weight = 200;
    values.mode = 0;
    values.precollated = 1;
    values.punchable = 0;
    PAPERFLAGS flags;
    flags.weight = true;
    ASSERT_TRUE(c.JSE_Media_ModifyPaper(L"A", values, flags));
    EXPECT_EQ(Fields(c.papers()[0]), L"A:0:200:white/1:plain/0:1:1:0:0");
    flags.name = true;
    EXPECT_FALSE(c.JSE_Media_ModifyPaper(L"A", values, flags));  // "B" is taken
    EXPECT_EQ(c.JSE_Media_GetLastError(), kMediaBadIndex);
    values.name = L"Z";
    EXPECT_TRUE(c.JSE_Media_ModifyPaper(L"A", values, flags));
    EXPECT_EQ(c.Names(), L"ZBCDE");
    flags = PAPERFLAGS{};
    flags.width = true;
    values.width = 9.0f;
    EXPECT_FALSE(c.JSE_Media_ModifyPaper(L"Z", values, flags));  // no definition of that size
    EXPECT_EQ(c.JSE_Media_GetLastError(), kMediaNoSuchSize);
}

TEST(MediaEditPapers, MoveAndDeleteKeepTheDefaultOnItsPaper) {
    Edited c;
    ASSERT_EQ(c.GetDefaultPaper(), 2);
    EXPECT_TRUE(c.JSE_Media_MovePaper(2, 2));
    EXPECT_EQ(c.Names(), L"ABDCE");
    EXPECT_EQ(c.GetDefaultPaper(), 3);
    EXPECT_TRUE(c.JSE_Media_MovePaper(0, 1));
    EXPECT_TRUE(c.JSE_Media_MovePaper(L"E", 2));
    EXPECT_EQ(c.Names(), L"ABDCE");
    EXPECT_FALSE(c.JSE_Media_MovePaper(5, 1));
    EXPECT_EQ(c.JSE_Media_GetLastError(), kMediaBadIndex);
    EXPECT_FALSE(c.JSE_Media_MovePaper(L"X", 1));
    EXPECT_EQ(c.JSE_Media_GetLastError(), kMediaNoSuchSize);
    EXPECT_TRUE(c.JSE_Media_MovePaper(L"D", 1));
    EXPECT_EQ(c.GetDefaultPaper(), 3);

    EXPECT_TRUE(c.JSE_Media_DeletePaper(0));
    WString name;
    c.JSE_Media_GetDefault(name);
    EXPECT_EQ(name, L"C");
    EXPECT_TRUE(c.JSE_Media_DeletePaper(c.GetDefaultPaper()));
    EXPECT_EQ(c.GetDefaultPaper(), -1);
    EXPECT_FALSE(c.JSE_Media_DeletePaper(3));
}

TEST(MediaEditPapers, DroppedModeReturnsToLoadPositions) {
    Edited c;
    c.DropModePapers(1);
    EXPECT_EQ(c.Names(), L"BD");
    EXPECT_EQ(c.GetDefaultPaper(), -1);
    EXPECT_EQ(c.GetDroppedPaperIndex(L"C"), 1);
    EXPECT_EQ(c.GetAbsolutePaperIndex(L"E"), 4);
    WString name;
    EXPECT_TRUE(c.GetAbsolutePaperName(2, name));
    EXPECT_EQ(name, L"C");
    EXPECT_FALSE(c.GetAbsolutePaperName(9, name));
    c.RestoreModePapers(1);
    EXPECT_EQ(c.Names(), L"ABCDE");
    EXPECT_EQ(c.GetDroppedPaperIndex(L"C"), -1);
    EXPECT_TRUE(c.JSE_Media_SetDefaultPaper(L"D"));
    c.DropModePapers(1);
    EXPECT_EQ(c.GetDefaultPaper(), 1);
    c.RestoreModePapers(1);
    EXPECT_EQ(c.GetDefaultPaper(), 3);
}

TEST(MediaEditDefinitions, AddDeleteAndNames) {
    Edited c;
    ASSERT_TRUE(c.JSE_Media_AddPaperDefinition(8.5f, 12.0f, 0, L""));
    ASSERT_TRUE(c.JSE_Media_AddPaperDefinitionEx(100, 200, 283, 567, 1, L""));
    EXPECT_EQ(c.definitions()[2].name, L"(8.50 x 12.00)IN");
    EXPECT_EQ(c.definitions()[2].widthPts, 612.0f);
    EXPECT_EQ(c.definitions()[3].name, L"100.00 x 200.00 MM");
    EXPECT_EQ(c.definitions()[3].id, 3);
    EXPECT_FALSE(c.JSE_Media_AddPaperDefinition(1, 1, 0, L"back\\slash"));
    EXPECT_EQ(c.JSE_Media_GetLastError(), kMediaBadCharacter);

    ASSERT_TRUE(c.JSE_Media_DeletePaperDefinition(0));
    EXPECT_EQ(c.papers()[0].sizeIndex, -1);
    EXPECT_EQ(c.papers()[0].width, 8.5f);
    EXPECT_EQ(c.papers()[1].sizeIndex, 0);
    EXPECT_EQ(c.definitions()[2].id, 2);
    EXPECT_FALSE(c.JSE_Media_DeletePaperDefinition(3));
    EXPECT_EQ(c.JSE_Media_GetLastError(), kMediaBadIndex);
    c.JSE_Media_AddPaperDefinition(1, 1, 0, L"A4/Letter: \"x\"");
    c.preFlightSizeName();
    EXPECT_EQ(c.definitions().back().name, L"A4?Letter? ?x?");
    EXPECT_EQ(c.sizeNameError(), kMediaSizeNameError);
    EXPECT_EQ(c.JSE_Media_GetLastError(), kMediaBadIndex);  // kept apart from the last error
}

TEST(MediaEditAttributes, AddAndDeleteTheFirstMatch) {
    Edited c;
    EXPECT_TRUE(c.JSE_Media_AddAttribute(2, L"tab"));
    EXPECT_TRUE(c.JSE_Media_AddAttribute(2, L"tab"));
    EXPECT_FALSE(c.JSE_Media_AddAttribute(4, L"tab"));
    EXPECT_TRUE(c.JSE_Media_DeleteAttribute(2, L"tab"));
    EXPECT_EQ(c.JSE_Media_GetNumOfTypeAttributes(), 1);
    EXPECT_FALSE(c.JSE_Media_DeleteAttribute(3, L"tab"));
}

TEST(MediaEditQueries, NearestPaperAndCatalogLanguage) {
    Edited c;
    PAPERDEF wanted = c.papers()[1];  // A4, 80 g/m²
    wanted.weight = 110;
    EXPECT_EQ(c.GetNearestPaper(wanted), 3);  // D has A4's size and the closer weight
    wanted.weight = 75;
    wanted.sizeIndex = 0;
    wanted.width = 8.4f;
    wanted.height = 11.1f;
    EXPECT_EQ(c.GetNearestPaper(wanted), 0);
    c.JSE_Media_DeletePaperDefinition(0);  // A, C and E lose their definition and are passed over
    EXPECT_EQ(c.GetNearestPaper(wanted), 1);

    WString language;
    int error = 0;
    EXPECT_TRUE(c.GetCatalogLanguage(c.folder.Write("l", Utf16("Deutsch:A4\n", true)), language, error));
    EXPECT_EQ(language, L"Deutsch");
    EXPECT_TRUE(c.GetCatalogLanguage(c.folder.Write("l", "Fran\xE7" "ais"), language, error));
    EXPECT_EQ(language, L"Fran\u00E7ais");
    EXPECT_FALSE(c.GetCatalogLanguage(c.folder.Write("l", ""), language, error));
    EXPECT_EQ(error, kMediaReadError);
    EXPECT_FALSE(c.GetCatalogLanguage(L"", language, error));
    EXPECT_EQ(error, kMediaNoPath);
    EXPECT_FALSE(c.GetCatalogLanguage(c.folder.WidePath("none"), language, error));
    EXPECT_EQ(error, kMediaCannotOpen);
}

}  // namespace
