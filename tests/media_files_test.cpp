// The catalog's three files: readers of both encodings, text rules, and writers.
#include <gtest/gtest.h>

#include <filesystem>
#include <utility>

#include "media_test_support.h"

namespace {

using namespace media_test;

const std::string kDefinitions = "8.50:11.00:612.00:792.00:0:Letter\n210.00:297.00:595.00:842.00:1:A4\n";

// A catalog whose size definitions are loaded from kDefinitions.
struct Loaded {
    TempFolder folder;
    Catalog catalog;
    Loaded() { EXPECT_TRUE(catalog.JSE_Media_LoadNamedDefinition(folder.Write("c.def", kDefinitions))); }
    enum Reader { kFull, kOnly, kUnicode };
    bool Load(const std::string& bytes, Reader reader = kFull) {
        const WString path = folder.Write("c.txt", bytes);
        if (reader == kUnicode) return catalog.LoadCatalogFromUnicodeFile(path);
        return reader == kOnly ? catalog.JSE_Media_LoadCatalogOnly(path) : catalog.JSE_Media_LoadCatalog(path, false);
    }
    const PAPERDEF& Paper(std::size_t i) const { return catalog.papers().at(i); }
};

TEST(MediaCatalogFile, BothByteOrdersAndEightBitReadAlike) {
    const std::string text = "German:A4\nLetter:1:75:white:plain:1:1:1\nA4:2:80:*:color:0:0:0\n";
    for (int form = 0; form < 3; ++form) {
        SCOPED_TRACE(form);
        Loaded f;
        ASSERT_TRUE(f.Load(form == 0 ? text : Utf16(text, form == 2), Loaded::kOnly));
        ASSERT_EQ(f.catalog.JSE_Media_GetNumberOfEntry(), 2);
        WString language;
        f.catalog.JSE_Media_GetLanguage(language);
        EXPECT_EQ(language, L"German");
        EXPECT_EQ(f.catalog.GetDefaultPaper(), 1);
        EXPECT_EQ(Fields(f.Paper(0)), L"Letter:0:75:white/1:plain/0:1:1:1:0");
        EXPECT_EQ(Fields(f.Paper(1)), form == 0 ? L"A4:1:80:*/0:color/2:0:0:0:0" : L"A4:1:80:*/0:color/2:0:0:0:1");
        EXPECT_EQ(f.Paper(1).width, 210.0f);
    }
}

TEST(MediaCatalogFile, ReadersDifferAsDocumented) {
    const std::string text = "English:Letter\nA4:2:*:*:*\n:1:75:white:plain\nB?d:1:75:white:plain\nP:1:9:white:plain:7:-5:2\n";
    Loaded full, only, unicode;
    EXPECT_TRUE(full.Load(text));
    EXPECT_TRUE(only.Load(text, Loaded::kOnly));
    EXPECT_FALSE(unicode.Load(Utf16(text), Loaded::kUnicode));
    EXPECT_EQ(unicode.catalog.JSE_Media_GetLastError(), kMediaBadCharacter);
    ASSERT_EQ(full.catalog.JSE_Media_GetNumberOfEntry(), 2);  // empty name skipped, bad name dropped
    ASSERT_EQ(unicode.catalog.JSE_Media_GetNumberOfEntry(), 4);  // both kept
    EXPECT_EQ(Fields(full.Paper(0)), L"A4:1:0:*/0:*/1:2:0:1:0");
    EXPECT_EQ(Fields(only.Paper(0)), L"A4:1:0:*/0:*/0:2:0:1:0");
    EXPECT_EQ(Fields(unicode.Paper(0)), L"A4:1:0:*/0:*/0:2:0:1:0");
    // Every reader takes the flags as yes or no alike.
    EXPECT_EQ(Fields(full.Paper(1)), L"P:0:9:white/1:plain/0:2:1:0:0");
    EXPECT_EQ(Fields(only.Paper(1)), L"P:0:9:white/1:plain/0:2:1:0:0");
    EXPECT_EQ(Fields(unicode.Paper(1)), L":0:75:white/1:plain/0:2:0:1:1");

    // A paper whose size number names no definition is read without one, on
    // the size of 8.5 by 11 inches; a catalog left without a paper is
    // refused whole.
    EXPECT_TRUE(full.Load("English:Letter\nA4:2:80:white:plain\nB:0:80:white:plain\nC:3:80:white:plain\n"));
    EXPECT_EQ(full.catalog.JSE_Media_GetLastError(), kMediaNoError);
    ASSERT_EQ(full.catalog.JSE_Media_GetNumberOfEntry(), 3);
    EXPECT_EQ(Fields(full.Paper(1)), L"B:-1:80:white/1:plain/0:2:0:1:0");
    EXPECT_EQ(std::pair(full.Paper(2).width, full.Paper(2).height), std::pair(8.5f, 11.0f));
    EXPECT_TRUE(unicode.Load(Utf16("English:Letter\nA4:2:80:white:plain\nC:3:80:white:plain\n"), Loaded::kUnicode));
    EXPECT_EQ(unicode.catalog.JSE_Media_GetNumberOfEntry(), 2);
    EXPECT_FALSE(full.Load("English:Letter\nA4:2:80:white\n"));  // four fields
    EXPECT_EQ(full.catalog.JSE_Media_GetLastError(), kMediaMissingField);
    EXPECT_EQ(full.catalog.JSE_Media_GetNumberOfEntry(), 3);  // the papers it held
    EXPECT_FALSE(unicode.Load(Utf16("English:Letter\n"), Loaded::kUnicode));
    EXPECT_EQ(unicode.catalog.JSE_Media_GetLastError(), kMediaNoEntry);

    EXPECT_FALSE(full.catalog.JSE_Media_LoadCatalog(L"", false));
    EXPECT_EQ(full.catalog.JSE_Media_GetLastError(), kMediaCannotOpen);
    EXPECT_FALSE(only.catalog.JSE_Media_LoadCatalogOnly(L""));
    EXPECT_EQ(only.catalog.JSE_Media_GetNumberOfEntry(), 2);  // a failed reload keeps the catalog
    EXPECT_EQ(only.catalog.JSE_Media_GetLastError(), kMediaNoPath);
}

TEST(MediaCatalogFile, LatinOneCrLfAndUnendedLastLine) {
    // Bytes are Latin-1 characters; a CR before the LF is no part of the line;
    // the last line counts without its line end.
    Loaded f;
    ASSERT_TRUE(f.Load("English:Caf\xE9\r\nCaf\xE9:1:75:white:plain\r\nA4:2:80:white:plain:2:0:1"));
    ASSERT_EQ(f.catalog.JSE_Media_GetNumberOfEntry(), 2);
    EXPECT_EQ(f.Paper(0).name, L"Caf\u00E9");
    EXPECT_EQ(f.Paper(0).typeIndex, 0);
    EXPECT_EQ(f.catalog.GetDefaultPaper(), 0);
    EXPECT_EQ(f.catalog.JSE_Media_GetLastError(), 0);
    // Without its line end, a last line with fewer fields than the writer
    // writes, or an empty last one, was cut: the catalog is refused whole, in
    // either encoding, and the two papers before stay.
    for (const bool utf16 : {false, true})
        for (const auto& [last, whole] : {std::pair{"A4:2:80:white:plain:2:0:1", true},
                                          {"A4:2:80:white:plain:2:0:", false}, {"A4:2:80:white:plain:2:0", false},
                                          {"A4:2:80:white:plain", false}, {"A4", false}}) {
            SCOPED_TRACE(testing::Message() << utf16 << " " << last);
            const std::string text = "English:A4\nLetter:1:75:white:plain\n" + std::string(last);
            EXPECT_EQ(f.Load(utf16 ? Utf16(text) : text), whole);
            EXPECT_EQ(f.catalog.JSE_Media_GetLastError(), whole ? kMediaNoError : kMediaMissingField);
            EXPECT_EQ(f.catalog.JSE_Media_GetNumberOfEntry(), 2);
        }
    // Blanks or padding after the last line end are no cut paper line.
    EXPECT_TRUE(f.Load("English:A4\nLetter:1:75:white:plain\n" + std::string(" \0\0", 3)));
}

TEST(MediaCatalogFile, UnicodeLineEndsAndLineLimits) {
    Loaded f;
    const std::string longHeader = "English:" + std::string(40, 'x');
    ASSERT_TRUE(f.Load(Utf16(longHeader + "\r\nA:1:1:white:plain\n\rB:1:1:white:plain\n\nC:1:1:white:plain\r\rD:1:1:white:plain\n")));
    ASSERT_EQ(f.catalog.JSE_Media_GetNumberOfEntry(), 4);
    EXPECT_EQ(f.Paper(3).name, L"D");
    EXPECT_EQ(f.Paper(3).absoluteIndex, 3);
    // A UTF-16 line keeps 2048 units; an 8-bit line over 2047 characters stops the read.
    const std::string tail = ":1:1:white:" + std::string(3000, 'p');
    EXPECT_TRUE(f.Load(Utf16("English:\nA" + tail + "\n")));
    EXPECT_EQ(f.Paper(0).type.size(), 20u);
    const std::string atLimit = "A:1:1:white:plain:2:0:1:" + std::string(2047 - 24, ' ');
    EXPECT_TRUE(f.Load("English:\n" + atLimit + "\n"));
    const std::string overLimit = "English:\n" + atLimit + "\nB:1:1:white:plain\n" + atLimit + " \nC:1:1:white:plain\n";
    EXPECT_FALSE(f.Load(overLimit, Loaded::kOnly));
    EXPECT_EQ(f.catalog.JSE_Media_GetLastError(), kMediaReadError);
    EXPECT_EQ(f.catalog.JSE_Media_GetNumberOfEntry(), 1);  // the catalog before the failed reload
    EXPECT_EQ(f.Paper(0).name, L"A");
}

TEST(MediaCatalogFile, EscapesInNames) {
    Catalog catalog;
    const std::pair<const wchar_t*, WString> cases[] = {
        {L"Caf\\xE9", L"Caf\u00E9"}, {L"\\101B", L"AB"}, {L"a\\xZb", L"axZb"},
        {L"\\c", L"c"},             {L"x\\", WString(L"x") + L'\0'}, {L"\\x4142", L"A42"}};
    for (const auto& [text, decoded] : cases) {
        WString field = text;
        catalog.ConvertEscapeChars(field);
        EXPECT_EQ(field, decoded) << text;
    }
    Loaded f;
    EXPECT_TRUE(f.Load("English:\na\\:b:1:75:white:plain\nok\\x5F:1:75:white:plain\n"));
    EXPECT_EQ(f.catalog.JSE_Media_GetNumberOfEntry(), 1);
    EXPECT_EQ(f.catalog.JSE_Media_GetLastError(), kMediaBadCharacter);
    EXPECT_EQ(f.Paper(0).name, L"ok_");
}

TEST(MediaCatalogFile, EmptyAndOneByteFiles) {
    Loaded f;
    EXPECT_FALSE(f.Load(""));
    EXPECT_EQ(f.catalog.JSE_Media_GetLastError(), kMediaReadError);
    EXPECT_FALSE(f.Load("E"));
    EXPECT_EQ(f.catalog.JSE_Media_GetLastError(), kMediaNoEntry);
    EXPECT_EQ(f.catalog.JSE_Media_GetNumberOfEntry(), 1);  // Letter, as the catalog started
    EXPECT_TRUE(f.catalog.FileIsNotUnicodeBased(f.folder.Write("x", "")));
    EXPECT_TRUE(f.catalog.FileIsNotUnicodeBased(f.folder.Write("x", std::string("E\0", 2))));
    EXPECT_FALSE(f.catalog.FileIsNotUnicodeBased(f.folder.Write("x", "\xFE\xFF")));
    EXPECT_TRUE(f.catalog.FileIsNotUnicodeBased(f.folder.WidePath("missing")));
    EXPECT_EQ(f.catalog.JSE_Media_GetLastError(), kMediaCannotOpen);
}

TEST(MediaCatalogFile, WriterRoundTripAndEscapes) {
    Loaded f;
    // A UTF-16 reader keeps a paper whose name fails its class; the writer
    // escapes it so the fields stay in place.
    f.Load(Utf16("English:A4\nLetter:1:75:*:*:1:1:0\nA4:2:80:red:tab:2:0:1\nx\\x3Ay\\x5C:2:0:blue:plain:0:0:1\n"),
           Loaded::kUnicode);
    ASSERT_EQ(f.catalog.JSE_Media_GetNumberOfEntry(), 3);
    EXPECT_EQ(f.Paper(2).name, L"x:y\\");
    ASSERT_TRUE(f.catalog.JSE_Media_SaveCatalog(f.folder.WidePath("out.txt")));
    const std::string written = ReadBytes(f.folder.Path("out.txt"));
    EXPECT_EQ(written, Utf16("English:A4\nLetter:1:75:*:*:1:1:0\nA4:2:80:red:tab:2:0:1\nx\\x3Ay\\x5C:2:0:blue:plain:0:0:1\n"));
    Loaded again;
    again.Load(written, Loaded::kUnicode);
    ASSERT_EQ(again.catalog.JSE_Media_GetNumberOfEntry(), 3);
    for (std::size_t i = 0; i < 3; ++i) EXPECT_EQ(Fields(again.Paper(i)), Fields(f.Paper(i)));
    EXPECT_EQ(again.catalog.GetDefaultPaper(), 1);
    ASSERT_TRUE(again.catalog.JSE_Media_SaveCatalog(again.folder.WidePath("out.txt")));
    EXPECT_EQ(ReadBytes(again.folder.Path("out.txt")), written);
}

TEST(MediaDefinitionFile, ReadersAndIds) {
    TempFolder folder;
    Catalog catalog;
    // A line without all its fields, or without a size, is rejected.
    const std::string text =
        "215,90:279,40:612:792:1:Custom A:B\r\n\n8.5:11\n0:0:0:0:0:No size\n8.5:11:0:792:0:No width\n0.004:11:1:792:0:Thin\n"
        "210:297:595:842:1\n1:2:3:4:0:Last";
    EXPECT_TRUE(catalog.LoadDefinitions(folder.Write("d.def", text)));  // a rejected line is no failure
    EXPECT_EQ(catalog.JSE_Media_GetLastError(), kMediaReadError);
    ASSERT_EQ(catalog.GetNumberOfDefinitions(), 3);
    const PAPERCLASS& first = catalog.definitions()[0];
    EXPECT_FLOAT_EQ(first.width, 215.9f);
    EXPECT_FLOAT_EQ(first.height, 279.4f);
    EXPECT_EQ(first.measureType, 1);
    EXPECT_EQ(first.name, L"Custom A:B");
    EXPECT_EQ(first.widthText, L"215,90");
    EXPECT_EQ(catalog.definitions()[1].name, L"");
    EXPECT_EQ(catalog.definitions()[2].name, L"Last");
    for (int i = 0; i < 3; ++i) EXPECT_EQ(catalog.definitions()[i].id, i);  // positions, whatever was skipped
    EXPECT_EQ(catalog.ClassifySize(210.0f, 297.0f), 1);

    for (bool bigEndian : {false, true}) {
        EXPECT_TRUE(catalog.LoadDefinitions(folder.Write("u.def", Utf16(text, bigEndian))));
        EXPECT_EQ(catalog.JSE_Media_GetLastError(), kMediaNoEntry);
        EXPECT_EQ(catalog.GetNumberOfDefinitions(), 3);
    }
    const std::string atLimit = "1:2:3:4:0:" + std::string(1013, 'n');
    EXPECT_FALSE(catalog.LoadDefinitions(folder.Write("l.def", atLimit + "n\n")));
    EXPECT_TRUE(catalog.JSE_Media_LoadNamedDefinition(folder.Write("l.def", atLimit + "\n")));
    EXPECT_TRUE(catalog.LoadNonUnicodeDefinitions(folder.Write("l.def", atLimit + std::string(1024, 'n'))));
    // A reload that meets a rejected line keeps the definitions it had.
    EXPECT_FALSE(catalog.JSE_Media_LoadNamedDefinition(folder.WidePath("d.def")));
    EXPECT_EQ(catalog.GetNumberOfDefinitions(), 1);
    EXPECT_FALSE(catalog.LoadDefinitions(folder.WidePath("missing.def")));
}

TEST(MediaDefinitionFile, Writers) {
    TempFolder folder;
    Catalog catalog;
    ASSERT_TRUE(catalog.JSE_Media_LoadNamedDefinition(folder.Write("d.def", "8.5:11:612:792:0:Letter\n297:210:842:595:1:A4 long\n")));
    ASSERT_TRUE(catalog.JSE_Media_SavePaperDefinitions(folder.WidePath("w.def")));
    const std::string written = ReadBytes(folder.Path("w.def"));
    EXPECT_EQ(written, Utf16("8.50:11.00:612.00:792.00:0:Letter\n297.00:210.00:842.00:595.00:1:A4 long\n"));
    ASSERT_TRUE(catalog.SaveNonUnicodeDefinition(folder.WidePath("n.def")));
    EXPECT_EQ(ReadBytes(folder.Path("n.def")),
              "8.5000:11.0000:612.0000:792.0000:0:Letter\r\n210.0000:297.0000:595.0000:842.0000:1:A4 long\r\n");
    // Read back, the texts are the written ones and the file is written again unchanged.
    ASSERT_TRUE(catalog.JSE_Media_LoadNamedDefinition(folder.WidePath("w.def")));
    EXPECT_EQ(catalog.definitions()[0].widthText, L"8.50");
    ASSERT_TRUE(catalog.JSE_Media_SavePaperDefinitions(folder.WidePath("w.def")));
    EXPECT_EQ(ReadBytes(folder.Path("w.def")), written);
}

// A lone carriage return stays in an 8-bit name; written as it is, it would
// end the UTF-16 line and shift every later definition's id by one.
TEST(MediaDefinitionFile, CarriageReturnInANameIsNotWritten) {
    TempFolder folder;
    Catalog catalog;
    catalog.JSE_Media_LoadNamedDefinition(folder.Write("d.def", "8.5:11:612:792:0:Letter\r9:12:648:864:0:Nine\n1:2:3:4:0:Last\n"));
    ASSERT_EQ(catalog.GetNumberOfDefinitions(), 2);
    ASSERT_TRUE(catalog.JSE_Media_SavePaperDefinitions(folder.WidePath("w.def")));
    ASSERT_TRUE(catalog.JSE_Media_LoadNamedDefinition(folder.WidePath("w.def")));
    ASSERT_EQ(catalog.GetNumberOfDefinitions(), 2);
    EXPECT_EQ(catalog.definitions()[0].name, L"Letter9:12:648:864:0:Nine");
    EXPECT_EQ(catalog.definitions()[1].name, L"Last");
}

// Lone carriage returns of 8-bit text never split a value or the catalog's
// header line when written as UTF-16.
TEST(MediaFileWriters, CarriageReturnsInValuesAndHeaderAreNotWritten) {
    TempFolder folder;
    Catalog attributes;
    folder.Write("c.txt.atr", std::string("[PaperTypes]\nplain\rcover\n\r") + '\0' + "\n\r[PaperColors]\ntab\n");
    ASSERT_TRUE(attributes.JSE_Media_LoadAttributesOnly(folder.WidePath("c.txt")));
    ASSERT_TRUE(attributes.JSE_Media_SaveMacPaperAttributes(folder.WidePath("w.txt.atr")));
    ASSERT_TRUE(attributes.JSE_Media_LoadAttributesOnly(folder.WidePath("w.txt")));
    EXPECT_EQ(attributes.JSE_Media_GetAttributes(2), (std::vector<WString>{L"plaincover", L"tab"}));

    Catalog catalog;
    catalog.JSE_Media_LoadCatalogOnly(
        folder.Write("c.txt", std::string("English\r") + '\0' + "\nLetter:1:75:white:plain:2:0:1\n"));
    ASSERT_EQ(catalog.JSE_Media_GetNumberOfEntry(), 1);
    ASSERT_TRUE(catalog.JSE_Media_SaveMacCatalog(folder.WidePath("w.txt")));
    Catalog reread;
    reread.JSE_Media_LoadCatalogOnly(folder.WidePath("w.txt"));
    WString language;
    reread.JSE_Media_GetLanguage(language);
    EXPECT_EQ(language, L"English");
    EXPECT_EQ(reread.JSE_Media_GetNumberOfEntry(), 1);
}

TEST(MediaAttributeFile, ReadersAndWriter) {
    TempFolder folder;
    Catalog catalog;
    const std::string text = "75\r\n[PaperWeights]\r\n75\r\n90:heavy\r\n[Other]\r\nx\r\n[PaperColors]\r\nwhite\r\n\r\nblue";
    folder.Write("c.txt.atr", text);
    EXPECT_TRUE(catalog.JSE_Media_LoadAttributesOnly(folder.WidePath("c.txt")));
    EXPECT_EQ(catalog.JSE_Media_GetAttributes(1), (std::vector<WString>{L"75", L"90"}));
    EXPECT_TRUE(catalog.JSE_Media_GetAttributes(2).empty());
    EXPECT_EQ(catalog.JSE_Media_GetAttributes(3), (std::vector<WString>{L"white", L"blue"}));
    folder.Write("u.txt.atr", Utf16(text, true));
    EXPECT_TRUE(catalog.JSE_Media_LoadAttributesOnly(folder.WidePath("u.txt")));
    EXPECT_EQ(catalog.JSE_Media_GetNumOfColorAttributes(), 2);

    ASSERT_TRUE(catalog.JSE_Media_SaveAttributes(folder.WidePath("w.atr")));
    EXPECT_EQ(ReadBytes(folder.Path("w.atr")), Utf16("[PaperWeights]\n75\n90\n[PaperTypes]\n[PaperColors]\nwhite\nblue\n"));
    // A UTF-16 attribute file that cannot be read is a failure with its code.
    EXPECT_FALSE(catalog.LoadAttributesFromUnicodeFile(folder.WidePath("missing.txt")));
    EXPECT_EQ(catalog.JSE_Media_GetLastError(), kMediaAttributeLoad);
    EXPECT_FALSE(catalog.JSE_Media_LoadAttributesOnly(folder.WidePath("missing.txt")));
    EXPECT_EQ(catalog.JSE_Media_GetNumOfWeightAttributes(), 2);  // a failed reload keeps the lists
}

TEST(MediaFileNumbers, FieldsSaturateInsteadOfOverflowing) {
    Loaded f;
    ASSERT_TRUE(f.Load("English:\nA:1:99999999999:white:plain:99999999999:-99999999999:99999999999\n"
                       "B:99999999999999:75:white:plain\n"));
    ASSERT_EQ(f.catalog.JSE_Media_GetNumberOfEntry(), 2);
    EXPECT_EQ(f.Paper(1).sizeIndex, -1);  // B names no definition
    EXPECT_EQ(f.Paper(0).weight, INT_MAX);
    EXPECT_EQ(f.Paper(0).mode, 2);
    EXPECT_EQ(f.Paper(0).precollated, 1);
    EXPECT_EQ(f.Paper(0).punchable, 0);
}

TEST(MediaShippedCatalog, EngineStartsFromItAndWritesItUnchanged) {
    const std::string data = std::string(LUMAPREX_SOURCE_DIR) + "/data/";
    Catalog shipped(Wide(data + "PaperCatalog.cat"));
    EXPECT_EQ(shipped.JSE_Media_GetLastError(), 0);
    EXPECT_GE(shipped.JSE_Media_GetNumberOfEntry(), 20);
    WString name;
    shipped.JSE_Media_GetDefault(name);
    EXPECT_EQ(name, L"Letter");
    int w = 0, h = 0;
    for (const auto& [paper, width, height] : {std::tuple{L"Letter", 612, 792}, {L"Legal", 612, 1008},
                                                {L"Tabloid", 792, 1224}, {L"A4", 595, 842}, {L"A3", 842, 1191}}) {
        const int index = shipped.JSE_Media_GetIndex(paper);
        ASSERT_GE(index, 0) << paper;
        shipped.JSE_Media_GetPoints(index, w, h);
        EXPECT_EQ(w, width);
        EXPECT_EQ(h, height);
    }
    EXPECT_GT(shipped.JSE_Media_GetNumOfWeightAttributes(), 0);
    EXPECT_EQ(shipped.ClassifyType(L"transparency"), 5);

    // The shipped files are what the engine writes, from the shipped files
    // themselves and from their readable sources.
    Catalog source(Wide(data + "src/PaperCatalog.cat"));
    EXPECT_EQ(source.JSE_Media_GetLastError(), 0);
    TempFolder folder;
    for (Catalog* catalog : {&shipped, &source}) {
        ASSERT_TRUE(catalog->JSE_Media_SaveCatalog(folder.WidePath("c.txt")));
        ASSERT_TRUE(catalog->JSE_Media_SavePaperDefinitions(folder.WidePath("c.def")));
        ASSERT_TRUE(catalog->JSE_Media_SaveAttributes(folder.WidePath("c.txt.atr")));
        EXPECT_EQ(ReadBytes(folder.Path("c.txt")), ReadBytes(data + "PaperCatalog.cat"));
        EXPECT_EQ(ReadBytes(folder.Path("c.def")), ReadBytes(data + "PaperCatalog.def"));
        EXPECT_EQ(ReadBytes(folder.Path("c.txt.atr")), ReadBytes(data + "PaperCatalog.cat.atr"));
    }
}

TEST(MediaShippedCatalog, FolderInThePlaceOfAnyOfItsFilesIsReportedAndThrowsNothing) {
    const std::string data = std::string(LUMAPREX_SOURCE_DIR) + "/data/";
    const char* const files[] = {"PaperCatalog.cat", "PaperCatalog.def", "PaperCatalog.cat.atr", "PaperCatalog.cat.dat"};
    for (const char* folderFile : files) {
        SCOPED_TRACE(folderFile);
        TempFolder folder;
        for (const char* file : files) {
            if (file == folderFile) std::filesystem::create_directory(folder.Path(file));
            else folder.Write(file, ReadBytes(data + file));
        }
        Catalog catalog(folder.WidePath("PaperCatalog.cat"));
        const bool needed = folderFile == files[0] || folderFile == files[1];
        EXPECT_TRUE(!needed || catalog.JSE_Media_GetLastError() != 0) << "the catalog and its sizes are needed";
    }
}

}  // namespace
