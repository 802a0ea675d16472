// Page-exception lines of the ticket and the device commands that frame
// finishing subsets.
#include <gtest/gtest.h>

#include <algorithm>
#include <sstream>
#include <string>
#include <vector>

#include "VLX_Writer.h"
#include "ticket_text_support.h"

namespace {

vlxPageExeptionType pages(std::int64_t first, std::int64_t last, std::int32_t code = 232) {
    vlxPageExeptionType record;
    record.exceptionMode = code;
    record.startingPage = first;
    record.endingPage = last;
    return record;
}

vlxPageExeptionType side(std::int64_t first, std::int64_t last, std::int32_t value) {
    vlxPageExeptionType record = pages(first, last, 236);
    record.peSideValue = value;
    return record;
}

vlxPageExeptionType plex(std::int64_t first, std::int64_t last, std::int32_t value) {
    vlxPageExeptionType record = pages(first, last, 235);
    record.pePlex = true;
    record.pePlexValue = value;
    return record;
}

vlxPageExeptionType rotation(std::int64_t first, std::int64_t last, std::int32_t value) {
    vlxPageExeptionType record = pages(first, last, 301);
    record.peRotate = true;
    record.peRotateValue = value;
    return record;
}

vlxPageExeptionType copies(std::int64_t first, std::int64_t last, std::int32_t count) {
    vlxPageExeptionType record = pages(first, last);
    record.pageCopies = count;
    return record;
}

// A finishing subset to an output device; every other device setting is the
// job's.
vlxPageExeptionType subset(std::int64_t first, std::int64_t last, std::int32_t output) {
    vlxPageExeptionType record = pages(first, last, 238);
    record.peSubset = true;
    record.peRecord.peOutputValue = output;
    return record;
}

class PeLines : public ::testing::Test {
protected:
    void SetUp() override {
        PreparePlainJob(writer, header);
        writer.SetJobPlex(" simplex ");
        writer.SetJobJog(" jog(none) ");
        writer.SetJobOutputItems(" top ");
    }

    void add(std::initializer_list<vlxPageExeptionType> records) {
        for (const vlxPageExeptionType& record : records) writer.Add_VLX_Substitution_List(record);
    }

    template <typename Generator>
    std::string lines(Generator generator) {
        return DoneGeneratorLines(writer, generator, header);
    }

    // The job as the job-level lines hand it over.
    void jobOn(std::int32_t device, const char* output, const char* staple = "staple(none) ") {
        writer.SetJobDevice(device);
        writer.SetJobOutputItems(output);
        writer.SetJobStaplingItems(staple);
    }

    VLX_Writer writer;
    DSC_VLX header;
};

}  // namespace

TEST_F(PeLines, EmptyListWritesNoPageExceptionKeyword) {
    for (bool lookup : {false, true}) {
        writer.SetUseDeviceLookup(lookup);
        EXPECT_EQ(lines(&VLX_Writer::Generate_VLXPeSide), "<none>");
        EXPECT_EQ(lines(&VLX_Writer::Generate_VLXPePlex), "<none>");
        EXPECT_EQ(lines(&VLX_Writer::Generate_VLXPeShift), "<none>");
        EXPECT_EQ(lines(&VLX_Writer::Generate_VLXPeRotate), "<none>");
        EXPECT_EQ(lines(&VLX_Writer::Generate_VLXPeCopyCount), "<none>");
        EXPECT_EQ(lines(&VLX_Writer::Generate_VLXPeSubsetItems), "<none>");
    }
}

TEST(PeLineHelpers, PageRangeAndCommandBreaks) {
    std::string range;
    EXPECT_EQ(Construct_Page_Range(4, 4, range), " 4");
    EXPECT_EQ(Construct_Page_Range(4, 99999, range), " 4..lastpage");
    EXPECT_EQ(Construct_Page_Range(4, 9, range), " 4..9");

    std::string line = "K";
    std::int32_t count = 80;
    AppendCommand("ab", line, count);
    EXPECT_EQ(line, "Kab");
    EXPECT_EQ(count, 82);
    AppendCommand("cd", line, count);
    EXPECT_EQ(line, "Kab\r\n%%+ cd");
    EXPECT_EQ(count, 0);

    std::string pageText = "x";
    ConstructPage(pageText, 12);
    EXPECT_EQ(pageText, "x12 ");
}

TEST_F(PeLines, SideLineAndItsBreakAtEighty) {
    add({side(1, 3, 1), side(5, 5, 2), side(0, 2, 1), side(7, 6, 2), side(8, 8, 255)});
    EXPECT_EQ(lines(&VLX_Writer::Generate_VLXPeSide), "%VLXPeSide: forcefront 1..3 forceback 5 ");

    // 79 characters before the seventh item: it stays on the line.
    writer.ClearMediaExceptionList();
    add({side(10, 10, 2), side(11, 11, 2), side(12, 12, 2), side(100, 100, 2), side(101, 101, 2),
         side(200, 200, 2), side(300, 300, 2)});
    EXPECT_EQ(lines(&VLX_Writer::Generate_VLXPeSide),
              "%VLXPeSide: forceback 10 forceback 11 forceback 12 forceback 100 forceback 101 forceback 200 "
              "\r\n%%+ forceback 300 ");
    // 80 characters: the next item opens a continuation line.
    writer.ClearMediaExceptionList();
    add({side(10, 10, 2), side(11, 11, 2), side(100, 100, 2), side(101, 101, 2), side(102, 102, 2),
         side(200, 200, 1), side(300, 300, 1)});
    EXPECT_EQ(lines(&VLX_Writer::Generate_VLXPeSide),
              "%VLXPeSide: forceback 10 forceback 11 forceback 100 forceback 101 forceback 102 "
              "\r\n%%+ forcefront 200 forcefront 300 ");
}

TEST_F(PeLines, PlexRunsAndRestores) {
    add({plex(4, 6, 2)});
    EXPECT_EQ(lines(&VLX_Writer::Generate_VLXPePlex), "%VLXPePlex:  duplex(longedge) 4  simplex 7 ");

    writer.ClearMediaExceptionList();
    add({plex(4, 6, 2), plex(7, 9, 2)});
    EXPECT_EQ(lines(&VLX_Writer::Generate_VLXPePlex), "%VLXPePlex:  duplex(longedge) 4  simplex 10 ");

    // An explicit other plex takes over without a restore between them.
    writer.ClearMediaExceptionList();
    add({plex(4, 6, 2), plex(7, 9, 3)});
    EXPECT_EQ(lines(&VLX_Writer::Generate_VLXPePlex),
              "%VLXPePlex:  duplex(longedge) 4  duplex(shortedge) 7  simplex 10 ");

    // A gap restores; adjoining pages without a plex setting are passed over
    // but do not lengthen the run.
    writer.ClearMediaExceptionList();
    add({plex(4, 6, 2), pages(7, 7), plex(8, 8, 2), plex(12, 12, 1)});
    EXPECT_EQ(lines(&VLX_Writer::Generate_VLXPePlex),
              "%VLXPePlex:  duplex(longedge) 4  simplex 7  duplex(longedge) 8  simplex 9  simplex 12  simplex 13 ");

    // The job's plex taking over restores at once and is not repeated.
    writer.ClearMediaExceptionList();
    writer.SetJobPlex(" duplex(longedge) ");
    add({plex(4, 6, 3), plex(7, 9, 255)});
    EXPECT_EQ(lines(&VLX_Writer::Generate_VLXPePlex),
              "%VLXPePlex:  duplex(shortedge) 4  duplex(longedge) 7  duplex(longedge) 10 ");

    // A range that ends before it begins holds no page and sets no plex.
    writer.ClearMediaExceptionList();
    add({plex(5, 3, 2)});
    EXPECT_EQ(lines(&VLX_Writer::Generate_VLXPePlex), "<none>");
}

TEST_F(PeLines, ShiftLinesOnePerRecord) {
    vlxPageExeptionType first = pages(3, 5, 302);
    first.peShift = true;
    first.frontX = 1.5f;
    first.frontY = -2;
    first.backY = 0.25f;
    vlxPageExeptionType second = pages(7, 99999, 302);
    second.peShift = true;
    second.backX = -0.125f;
    add({first, pages(6, 6), second});
    EXPECT_EQ(lines(&VLX_Writer::Generate_VLXPeShift),
              "%VLXPeShift:  frontX(1.50) frontY(-2.00) backX(0.00) backY(0.25)  3..5\r\n"
              "%%+  frontX(0.00) frontY(0.00) backX(-0.12) backY(0.00)  7..lastpage");
}

TEST_F(PeLines, RotationRunsAndTheirBreakAtEighty) {
    add({rotation(1, 1, 1), rotation(2, 2, 2), rotation(3, 4, 2), rotation(5, 5, 3), rotation(0, 0, 2),
         rotation(9, 8, 4)});
    EXPECT_EQ(lines(&VLX_Writer::Generate_VLXPeRotate),
              "%VLXPeRotate:  rotate(90)  2 3..4\r\n%VLXPeRotate:  rotate(180)  5");

    // A line of 79 characters takes one more range; one of 80 does not.
    auto run = [&](std::int64_t firstPage) {
        writer.ClearMediaExceptionList();
        writer.Add_VLX_Substitution_List(rotation(firstPage, firstPage, 2));
        for (std::int64_t page = 11; page <= 29; ++page) writer.Add_VLX_Substitution_List(rotation(page, page, 2));
        return lines(&VLX_Writer::Generate_VLXPeRotate);
    };
    EXPECT_EQ(run(1),
              "%VLXPeRotate:  rotate(90)  1 11 12 13 14 15 16 17 18 19 20 21 22 23 24 25 26 27 28\r\n%%+  29");
    EXPECT_EQ(run(10),
              "%VLXPeRotate:  rotate(90)  10 11 12 13 14 15 16 17 18 19 20 21 22 23 24 25 26 27\r\n%%+  28 29");
}

TEST_F(PeLines, PageCopiesRunsAndTheirBreakAtEighty) {
    add({copies(2, 2, 1), copies(5, 7, 3), copies(9, 9, -2)});
    EXPECT_EQ(lines(&VLX_Writer::Generate_VLXPeCopyCount), "%VLXPePageCopies: copies(3) 5 copies(1) 8 ");

    writer.ClearMediaExceptionList();
    add({copies(5, 7, 3), copies(8, 9, 3), copies(10, 10, 2), copies(12, 12, 0)});
    EXPECT_EQ(lines(&VLX_Writer::Generate_VLXPeCopyCount),
              "%VLXPePageCopies: copies(3) 5 copies(1) 10 copies(2) 10 copies(1) 11 copies(0) 12 "
              "\r\n%%+ copies(1) 13 ");

    // 79 characters before an item: it stays on the line.
    writer.ClearMediaExceptionList();
    add({copies(5, 5, 3), copies(8, 8, 3), copies(20, 20, 3), copies(30, 30, 3)});
    EXPECT_EQ(lines(&VLX_Writer::Generate_VLXPeCopyCount),
              "%VLXPePageCopies: copies(3) 5 copies(1) 6 copies(3) 8 copies(1) 9 copies(3) 20 copies(1) 21 "
              "\r\n%%+ copies(3) 30 copies(1) 31 ");
    // 80 characters: the item opens a continuation line.
    writer.ClearMediaExceptionList();
    add({copies(5, 5, 3), copies(8, 8, 3), copies(100, 100, 3)});
    EXPECT_EQ(lines(&VLX_Writer::Generate_VLXPeCopyCount),
              "%VLXPePageCopies: copies(3) 5 copies(1) 6 copies(3) 8 copies(1) 9 copies(3) 100 "
              "\r\n%%+ copies(1) 101 ");
}

// ---------------------------------------------------------------------------
// Finishing subsets without device lookup

namespace {

std::string firstLine(const std::string& text) { return text.substr(0, text.find("\r\n")); }

}  // namespace

TEST_F(PeLines, SubsetLineItemsAndItsBreakAfterEighty) {
    add({subset(1, 3, 255), pages(2, 2), subset(4, 6, 255), subset(10, 12, 255)});
    EXPECT_EQ(firstLine(lines(&VLX_Writer::Generate_VLXPeSubsetItems)), "%VLXPeSubset:  1 4 7 10 13");

    writer.ClearMediaExceptionList();
    add({subset(5, 8, 255), subset(20, 99999, 255)});
    EXPECT_EQ(firstLine(lines(&VLX_Writer::Generate_VLXPeSubsetItems)), "%VLXPeSubset:  5 9 20 100000");

    // Exactly 80 characters: no break yet; 81: a break after the item.
    writer.ClearMediaExceptionList();
    for (std::int64_t page = 10; page <= 34; page += 2) writer.Add_VLX_Substitution_List(subset(page, page, 255));
    std::string text = lines(&VLX_Writer::Generate_VLXPeSubsetItems);
    EXPECT_EQ(text.substr(0, text.find("\r\n%VLXPeOutput")),
              "%VLXPeSubset:  10 11 12 13 14 15 16 17 18 19 20 21 22 23 24 25 26 27 28 29 30 31 32 33\r\n%%+  34 35");
    writer.ClearMediaExceptionList();
    for (std::int64_t page = 10; page <= 28; page += 2) writer.Add_VLX_Substitution_List(subset(page, page, 255));
    add({subset(99, 99, 255), subset(102, 102, 255)});
    text = lines(&VLX_Writer::Generate_VLXPeSubsetItems);
    EXPECT_EQ(text.substr(0, text.find("\r\n%VLXPeOutput")),
              "%VLXPeSubset:  10 11 12 13 14 15 16 17 18 19 20 21 22 23 24 25 26 27 28 29 99 100\r\n%%+  102 103");
}

TEST_F(PeLines, SubsetDeviceLinesCompleteStaplerAndBookmaker) {
    header.staplingMode = 4;  // the job staples saddle
    writer.SetJobJog(" jog(alternate) ");
    vlxPageExeptionType stapler = subset(1, 3, 2);
    vlxPageExeptionType saddle = subset(4, 6, 4);
    saddle.peRecord.peStapleValue = 5;
    vlxPageExeptionType flat = subset(7, 9, 4);
    flat.peRecord.peStapleValue = 1;
    vlxPageExeptionType stacker = subset(10, 12, 3);
    stacker.peRecord.peJog = false;
    add({stapler, saddle, flat, stacker});
    EXPECT_EQ(lines(&VLX_Writer::Generate_VLXPeSubsetItems),
              "%VLXPeSubset:  1 4 7 10 13\r\n"
              "%VLXPeOutput:  stapler  1  bookmaker  4  bookmaker  7  stacker  10 \r\n"
              "%VLXPeStaple:  staple(both)  1  staple(saddle)  4  staple(none)  7   staple(none)  10  \r\n"
              "%VLXPeJog:  jog(alternate)  1  jog(alternate)  4  jog(alternate)  7  jog(none)  10 \r\n"
              "%VLXPeTrim:  trim(off)  4  trim(off)  7 \r\n"
              "%VLXPeFold:  fold(saddle)  4  fold(none)  7 ");
}

TEST_F(PeLines, SubsetDeviceLineBreaksAfterEighty) {
    auto outputLine = [&](std::initializer_list<std::int64_t> firstPages) {
        writer.ClearMediaExceptionList();
        for (std::int64_t page : firstPages) {
            vlxPageExeptionType record = subset(page, page, 3);
            record.peRecord.peJog = false;
            writer.Add_VLX_Substitution_List(record);
        }
        const std::string text = lines(&VLX_Writer::Generate_VLXPeSubsetItems);
        return text.substr(text.find("%VLXPeOutput"));
    };
    // 80 characters before the sixth item: the seventh carries the break.
    EXPECT_EQ(outputLine({10, 20, 30, 40, 100, 50, 60, 70}),
              "%VLXPeOutput:  stacker  10  stacker  20  stacker  30  stacker  40  stacker  100  stacker  50 "
              " stacker  60 \r\n%%+  stacker  70 ");
    // 81 characters: the sixth item carries it.
    EXPECT_EQ(outputLine({10, 20, 30, 100, 101, 50, 60}),
              "%VLXPeOutput:  stacker  10  stacker  20  stacker  30  stacker  100  stacker  101  stacker  50 "
              "\r\n%%+  stacker  60 ");
}

TEST_F(PeLines, JogLineDecidesItsBreaksOneItemLate) {
    for (std::int64_t page = 10; page <= 80; page += 10) {
        vlxPageExeptionType record = subset(page, page, 255);
        record.peRecord.peOutput = false;
        record.peRecord.peJogValue = 7;
        writer.Add_VLX_Substitution_List(record);
    }
    const std::string text = lines(&VLX_Writer::Generate_VLXPeSubsetItems);
    EXPECT_EQ(text.find("%VLXPeOutput"), std::string::npos);
    EXPECT_EQ(text.substr(text.find("%VLXPeJog")),
              "%VLXPeJog:  jog(alternate)  10  jog(alternate)  20  jog(alternate)  30  jog(alternate)  40 "
              " jog(alternate)  50  jog(alternate)  60 \r\n%%+  jog(alternate)  70 \r\n%%+  jog(alternate)  80 ");
}

// ---------------------------------------------------------------------------
// Device lookup

namespace {

// The device table as the printer's finishing documentation gives it: per
// job device, one row per subset device with the pre commands and the post
// commands for the next device 1 to 5 and for no next subset ("x": no row).
const char* const kDeviceMatrices[5] = {
    "1 | - | - | - | - | - | - | -\n"
    "2 | - | 1, 6 | - | 1 | - | 1, 6 | 1, 6\n"
    "3 | - | 6 | - | - | 6 | 6 | 6\n"
    "4 | - | 1, 8, 11 | 8, 11 | 1, 8, 11 | - | 1, 8, 11 | 1, 8, 11\n"
    "5 | - | - | - | - | - | - | -\n",

    "1 | - | - | - | - | - | - | -\n"
    "2 | - | 1, 6 | - | 1 | 6 | 1, 6 | -\n"
    "3 | 1 | 6 | - | - | 6 | 6 | -\n"
    "4 | - | 1, 8, 11 | 8, 11 | 8, 11 | - | 1, 8, 11 | 8, 11\n"
    "5 | 1 | - | - | - | - | - | -\n",

    "1 | - | - | - | - | - | - | -\n"
    "2 | - | 1, 6 | - | 1 | 6 | 6 | 1\n"
    "3 | - | 1, 6 | - | - | 6 | 1, 6 | -\n"
    "4 | 6 | 1, 8, 11 | 8, 11 | 1, 8, 11 | - | 1, 8, 11 | 1, 8, 11\n"
    "5 | 6 | - | - | - | - | - | -\n",

    "1 | 1, 8, 11 | - | - | - | - | x | -\n"
    "2 | 8, 11 | 1, 6 | - | 1 | 6 | x | 6\n"
    "3 | 1, 8, 11 | 1, 6 | - | - | 6 | x | 6\n"
    "4 | - | 1, 8, 11 | 8, 11 | 1, 8, 11 | - | x | -\n",

    "1 | - | - | - | - | x | - | -\n"
    "2 | - | 1, 6 | - | 1 | x | 1, 6 | 1, 6\n"
    "3 | - | 6 | - | - | x | 6 | 6\n",
};

std::vector<std::string> cells(const std::string& row) {
    std::vector<std::string> out;
    std::stringstream stream(row);
    std::string cell;
    while (std::getline(stream, cell, '|')) {
        cell.erase(0, cell.find_first_not_of(' '));
        cell.erase(cell.find_last_not_of(' ') + 1);
        out.push_back(cell);
    }
    return out;
}

std::vector<std::int32_t> codes(const std::string& cell) {
    std::vector<std::int32_t> out;
    if (cell == "-") return out;
    std::stringstream stream(cell);
    std::string code;
    while (std::getline(stream, code, ',')) out.push_back(std::stoi(code));
    return out;
}

std::vector<std::int32_t> present(const std::int32_t (&slots)[4]) {
    std::vector<std::int32_t> out;
    for (std::int32_t code : slots)
        if (code != 0) out.push_back(code);
    std::sort(out.begin(), out.end());
    return out;
}

}  // namespace

TEST_F(PeLines, DeviceTableHoldsEveryRowOfTheMatrices) {
    writer.LoadPeDeviceLookuptTable();
    const std::vector<peDeviceRecord>& table = writer.DeviceLookupTable();
    ASSERT_EQ(table.size(), 125u);
    const std::int32_t nextDevices[6] = {1, 2, 3, 4, 5, 0};
    std::size_t index = 0;
    for (std::int32_t job = 0; job < 5; ++job) {
        std::stringstream matrix(kDeviceMatrices[job]);
        std::string rowText;
        while (std::getline(matrix, rowText)) {
            const std::vector<std::string> row = cells(rowText);
            ASSERT_EQ(row.size(), 8u);
            for (int column = 0; column < 6; ++column) {
                if (row[2 + column] == "x") continue;
                ASSERT_LT(index, table.size());
                const peDeviceRecord& record = table[index++];
                EXPECT_EQ(record.jobDevice, job);
                EXPECT_EQ(record.subsetDevice, std::stoi(row[0]));
                EXPECT_EQ(record.nextDevice, nextDevices[column]);
                EXPECT_EQ(present(record.preCommands), codes(row[1])) << rowText;
                EXPECT_EQ(present(record.postCommands), codes(row[2 + column])) << rowText << " next " << column;
            }
        }
    }
    EXPECT_EQ(index, 125u);
    writer.UnLoadPeDeviceLookuptTable();
    EXPECT_TRUE(writer.DeviceLookupTable().empty());
}

TEST_F(PeLines, LookupSearchRunsOnIntoLaterJobDevices) {
    EXPECT_EQ(writer.FindCommandLookUpEntry(0, 2, 0), -1);  // no table loaded
    writer.LoadPeDeviceLookuptTable();
    const std::vector<peDeviceRecord>& table = writer.DeviceLookupTable();
    const int fromBookmaker = writer.FindCommandLookUpEntry(3, 2, 5);
    ASSERT_NE(fromBookmaker, -1);
    EXPECT_EQ(table[fromBookmaker].jobDevice, 4);
    EXPECT_EQ(writer.FindCommandLookUpEntry(3, 5, 0), -1);
    for (std::int32_t subsetDevice = 0; subsetDevice <= 6; ++subsetDevice)
        for (std::int32_t next = 0; next <= 6; ++next) EXPECT_EQ(writer.FindCommandLookUpEntry(5, subsetDevice, next), -1);

    const int row = writer.FindCommandLookUpEntry(0, 4, 0);  // pre none, post 1, 8, 11
    std::string text;
    std::int32_t code = -1;
    writer.GetPostCommand(row, 100000, 1, text, code);
    EXPECT_EQ(text, " fold(none) 100000 ");
    writer.GetPostCommand(row, 123456, 0, text, code);
    EXPECT_EQ(text, " staple(none) 123456 ");
    writer.GetPostCommand(row, 1, 0, text, code);
    EXPECT_EQ(text, "");
    writer.GetPostCommand(row, 8, 3, text, code);
    EXPECT_EQ(text, "");
    EXPECT_EQ(code, 0);
    const int preRow = writer.FindCommandLookUpEntry(3, 1, 0);  // pre 1, 8, 11
    writer.GetPreCommand(preRow, 150000, 2, text, code);
    EXPECT_EQ(text, " trim(off) 150000 ");
    EXPECT_EQ(code, 11);
    writer.GetPreCommand(preRow, 7, 4, text, code);
    EXPECT_EQ(text, "");
    writer.GetPreCommand(static_cast<int>(table.size()), 7, 0, text, code);
    EXPECT_EQ(text, "");
}

TEST_F(PeLines, StackerSubsetOnAStaplerJobBeforeATopSubset) {
    writer.SetUseDeviceLookup(true);
    jobOn(1, " stapler ", "staple(front) ");
    add({subset(3, 5, 3), subset(6, 8, 1)});
    EXPECT_EQ(lines(&VLX_Writer::Generate_VLXPeSubsetItems),
              "%VLXPeSubset:  3 6 9\r\n"
              "%VLXPeOutput:  stacker 3  top 6  stapler  9\r\n"
              "%VLXPeStaple:  staple(none) 3 \r\n"
              "%VLXPeJog:  jog(none) 3  jog(none) 6 ");
    EXPECT_TRUE(writer.DeviceLookupTable().empty());
}

TEST_F(PeLines, StaplerSubsetOnABookmakerJobRestoresFoldAndTrim) {
    writer.SetUseDeviceLookup(true);
    jobOn(3, " bookmaker ", "staple(saddle) ");
    writer.SetJobFoldItems("fold(saddle) ");
    writer.SetJobTrimItems(" trim(on) ");
    add({subset(5, 8, 2)});
    EXPECT_EQ(lines(&VLX_Writer::Generate_VLXPeSubsetItems),
              "%VLXPeSubset:  5 9\r\n"
              "%VLXPeOutput:  stapler 5  bookmaker  9\r\n"
              "%VLXPeStaple: staple(saddle) 5 \r\n"
              "%VLXPeJog:  jog(none) 5  jog(none) 9 \r\n"
              "%VLXPeTrim:  trim(off) 5  trim(on) 9 \r\n"
              "%VLXPeFold:  fold(none) 5 fold(saddle) 9 ");

    // Followed by a postprocessor subset: the postprocessor job's row
    // applies, and the postprocessor subset has no row at all.
    writer.ClearMediaExceptionList();
    add({subset(5, 8, 2), subset(9, 12, 5)});
    EXPECT_EQ(lines(&VLX_Writer::Generate_VLXPeSubsetItems),
              "%VLXPeSubset:  5 9 13\r\n"
              "%VLXPeOutput:  stapler 5  postprocessor 9  bookmaker  13\r\n"
              "%VLXPeStaple: staple(saddle) 5  staple(none) 9 \r\n"
              "%VLXPeJog:  jog(none) 5  jog(none) 9 ");
}

TEST_F(PeLines, TopTrayJobRestoresNothing) {
    writer.SetUseDeviceLookup(true);
    jobOn(0, " top ");
    vlxPageExeptionType front = subset(3, 5, 2);
    front.peRecord.peStapleValue = 2;
    add({front, subset(10, 12, 3)});
    EXPECT_EQ(lines(&VLX_Writer::Generate_VLXPeSubsetItems),
              "%VLXPeSubset:  3 6 10 13\r\n"
              "%VLXPeOutput:  stapler 3  top  6  stacker 10  top  13\r\n"
              "%VLXPeStaple:  staple(front) 3  staple(none) 6 \r\n"
              "%VLXPeJog:  jog(none) 3  jog(none) 10  jog(none) 13 ");
}

TEST_F(PeLines, LastSubsetOnTheLastPageClosesTheOutputLine) {
    writer.SetUseDeviceLookup(true);
    jobOn(0, " top ");
    add({subset(20, 99999, 3)});
    std::string text = lines(&VLX_Writer::Generate_VLXPeSubsetItems);
    EXPECT_EQ(text,
              "%VLXPeSubset:  20 100000\r\n%VLXPeOutput:  stacker 20  top  100000\r\n"
              "%VLXPeJog:  jog(none) 20  jog(none) 100000 ");
    writer.ClearMediaExceptionList();
    add({subset(20, 100000, 3)});
    text = lines(&VLX_Writer::Generate_VLXPeSubsetItems);
    EXPECT_NE(text.find("%VLXPeOutput:  stacker 20  top  100001\r\n"), std::string::npos) << text;

    // With device lookup the output line is written even when no subset
    // names a device.
    writer.ClearMediaExceptionList();
    vlxPageExeptionType noDevice = subset(10, 10, 255);
    noDevice.peRecord.peOutput = false;
    noDevice.peRecord.peJog = false;
    add({noDevice});
    EXPECT_EQ(lines(&VLX_Writer::Generate_VLXPeSubsetItems), "%VLXPeSubset:  10 11\r\n%VLXPeOutput:  top  11");
}

// Every line carries the same 64-bit page numbers; nothing is written for
// the page after the last page number there is.
TEST_F(PeLines, PagesPastThirtyTwoBitsAndTheLastPageThereIs) {
    constexpr std::int64_t kBig = 3000000000;
    vlxPageExeptionType stapled = subset(kBig, kBig + 5, 2);
    stapled.peRecord.peStapleValue = 2;
    vlxPageExeptionType stackedToTheEnd = subset(kBig, INT64_MAX, 3);
    stackedToTheEnd.peRecord.peJogValue = 7;
    const struct {
        const char* name;
        bool lookup;
        vlxPageExeptionType record;
        int (VLX_Writer::*generator)(DSC_VLX&, std::string&);
        const char* expected;
    } cases[] = {
        {"plex across 2^31", false, plex(INT32_MAX - 1, INT32_MAX, 2), &VLX_Writer::Generate_VLXPePlex,
         "%VLXPePlex:  duplex(longedge) 2147483646  simplex 2147483648 "},
        {"plex to the last page", false, plex(9, INT64_MAX, 2), &VLX_Writer::Generate_VLXPePlex,
         "%VLXPePlex:  duplex(longedge) 9 "},
        {"copies past 2^32", false, copies(kBig, kBig + 5, 3), &VLX_Writer::Generate_VLXPeCopyCount,
         "%VLXPePageCopies: copies(3) 3000000000 copies(1) 3000000006 "},
        {"copies to the last page", false, copies(9, INT64_MAX, 3), &VLX_Writer::Generate_VLXPeCopyCount,
         "%VLXPePageCopies: copies(3) 9 "},
        {"stapled subset", false, stapled, &VLX_Writer::Generate_VLXPeSubsetItems,
         "%VLXPeSubset:  3000000000 3000000006\r\n%VLXPeOutput:  stapler  3000000000 \r\n"
         "%VLXPeStaple:  staple(front)  3000000000 \r\n%VLXPeJog:  jog(none)  3000000000 "},
        {"stapled subset, lookup", true, stapled, &VLX_Writer::Generate_VLXPeSubsetItems,
         "%VLXPeSubset:  3000000000 3000000006\r\n%VLXPeOutput:  stapler 3000000000  stapler  3000000006\r\n"
         "%VLXPeStaple:  staple(front) 3000000000  staple(back) 3000000006 \r\n%VLXPeJog:  jog(none) 3000000000 "},
        {"subset to the last page", false, stackedToTheEnd, &VLX_Writer::Generate_VLXPeSubsetItems,
         "%VLXPeSubset:  3000000000\r\n%VLXPeOutput:  stacker  3000000000 \r\n%VLXPeJog:  jog(alternate)  3000000000 "},
        {"subset to the last page, lookup", true, stackedToTheEnd, &VLX_Writer::Generate_VLXPeSubsetItems,
         "%VLXPeSubset:  3000000000\r\n%VLXPeOutput:  stacker 3000000000 \r\n"
         "%VLXPeStaple:  staple(none) 3000000000 \r\n%VLXPeJog:  jog(alternate) 3000000000 "},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        writer.ClearMediaExceptionList();
        writer.SetUseDeviceLookup(c.lookup);
        jobOn(1, " stapler ", " staple(back) ");
        add({c.record});
        EXPECT_EQ(lines(c.generator), c.expected);
    }
}

TEST_F(PeLines, WholeTicketWithSeveralSubsets) {
    header.printMethod.print = 1;
    header.documentExit = 1;  // stapler
    header.staplingValid = 1;
    header.staplingMode = 1;  // front
    header.printMode = 1;     // duplex long edge
    header.collateValid = header.collateValue = 1;
    header.copyCount = 2;
    writer.SetVersionString("08.01.0004");
    writer.SetUseDeviceLookup(true);
    vlxPageExeptionType booklet = subset(20, 99999, 4);
    booklet.peRecord.peStapleValue = 5;
    add({side(1, 1, 1), plex(2, 3, 3), subset(4, 6, 3), subset(7, 9, 255), rotation(10, 12, 3), copies(13, 14, 2),
         booklet});
    std::string text;
    EXPECT_EQ(writer.Generate_DSC_VLX_Header(header, text), kVlxDone);
    EXPECT_EQ(text,
              "%ZQ-JSE-3-0-Build: 08.01.0004\r\n"
              "%VLXBody: (Letter) on\r\n"
              "%VLXPrintMethod: print\r\n"
              "%VLXOutputMedia:  stapler \r\n"
              "%%Requirements:  numcopies(2) staple(front)  fold(none)  duplex(on)  collate jog(none) \r\n"
              "%VLXRequirements: numcopies(2) staple(front)  fold(none)  duplex(longedge)  collate jog(none)  trim(off) \r\n"
              "%VLXCovers: (Letter) none\r\n"
              "%VLXRotation: 0\r\n"
              "%VLXError: off \r\n"
              "%VLXPeSide: forcefront 1 \r\n"
              "%VLXPePlex:  duplex(shortedge) 2  duplex(longedge) 4 \r\n"
              "%VLXPeRotate:  rotate(180)  10..12\r\n"
              "%VLXPePageCopies: copies(2) 13 copies(1) 15 \r\n"
              "%VLXPeSubset:  4 7 10 20 100000\r\n"
              "%VLXPeOutput:  stacker 4  stapler  7  stapler  10  bookmaker 20  stapler  100000\r\n"
              "%VLXPeStaple:  staple(none) 4 staple(front) 7  staple(saddle) 20 staple(front) 100000 \r\n"
              "%VLXPeJog:  jog(none) 4  jog(none) 7  jog(none) 10  jog(none) 20 \r\n"
              "%VLXPeTrim:  trim(off) 20  trim(off) 100000 \r\n"
              "%VLXPeFold:  fold(saddle) 20  fold(none) 100000 \r\n"
              LUMAPREX_PLAIN_TICKET_TAIL);
    EXPECT_EQ(writer.GetMediaExceptionListSize(), 0);
    EXPECT_TRUE(writer.DeviceLookupTable().empty());
}
