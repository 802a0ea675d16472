// Copy rules and defaults of the ticket records.
#include <gtest/gtest.h>

#include <cstring>

#include "JSE_Records.h"

namespace {

void setRawFlag(bool& flag, unsigned char byte) { std::memcpy(&flag, &byte, 1); }

unsigned char rawFlag(const bool& flag) {
    unsigned char byte = 0;
    std::memcpy(&byte, &flag, 1);
    return byte;
}

}  // namespace

TEST(PageExceptionRecord, DefaultIsAnUnsetPaperSubstitution) {
    const JSE_PageExceptionType pe;
    EXPECT_EQ(pe.exceptionMode, 232);
    EXPECT_EQ(pe.startingPage, 0);
    EXPECT_EQ(pe.endingPage, 0);
    for (std::int32_t value : {pe.paperExit, pe.printingMode, pe.pePlexValue, pe.peRotateValue, pe.peSideValue})
        EXPECT_EQ(value, 255);
    EXPECT_TRUE(pe.fromJobPaper && pe.pePunch && pe.printOn && pe.pePlex && pe.peRotate && pe.peSide);
    EXPECT_FALSE(pe.peGRET || pe.peGRETValue || pe.peShift || pe.finishChapter || pe.peSubset);
    EXPECT_EQ(pe.pageCopies, 1);
    EXPECT_EQ(pe.peRecord.peFold, 0);
    EXPECT_EQ(pe.peRecord.peJog, 1);
    EXPECT_EQ(pe.peRecord.peOutput, 1);
    EXPECT_EQ(pe.peRecord.peStaple, 0);
    for (std::int32_t value : {pe.peRecord.peFoldValue, pe.peRecord.peJogValue, pe.peRecord.pePostProcessValue,
                               pe.peRecord.peStapleValue, pe.peRecord.peOutputValue, pe.peRecord.peTrimValue})
        EXPECT_EQ(value, 255);
}

TEST(PageExceptionRecord, CopyNormalisesFlagsAndKeepsEverythingElse) {
    JSE_PageExceptionType source;
    source.exceptionMode = 233;
    source.startingPage = 4;
    source.endingPage = 99999;
    source.mediaName = L"Tab Blue";
    source.frontX = 1.5f;
    source.peRecord.peStaple = 7;  // the device block is copied as it is
    source.peRecord.peStapleValue = 3;
    source.reserved = 9;
    setRawFlag(source.fromJobPaper, 2);
    setRawFlag(source.peShift, 0x80);
    setRawFlag(source.peSide, 0);

    const JSE_PageExceptionType copy(source);
    EXPECT_EQ(rawFlag(copy.fromJobPaper), 1);
    EXPECT_EQ(rawFlag(copy.peShift), 1);
    EXPECT_EQ(rawFlag(copy.peSide), 0);
    EXPECT_EQ(copy.exceptionMode, 233);
    EXPECT_EQ(copy.endingPage, 99999);
    EXPECT_EQ(copy.mediaName, L"Tab Blue");
    EXPECT_FLOAT_EQ(copy.frontX, 1.5f);
    EXPECT_EQ(copy.peRecord.peStaple, 7);
    EXPECT_EQ(copy.peRecord.peStapleValue, 3);
    EXPECT_EQ(copy.reserved, 9);

    JSE_PageExceptionType assigned;
    assigned = source;
    EXPECT_EQ(rawFlag(assigned.fromJobPaper), 1);
    EXPECT_EQ(assigned.mediaName, L"Tab Blue");
}

TEST(CustomCommandRecord, CopiesAllBytesButReadsAtMost255) {
    JSE_CustomCommandType command;
    command.SetCommandText("@PJL SET A");
    command.command[200] = 'z';  // bytes after the terminator are kept by a copy
    const JSE_CustomCommandType copy = command;
    EXPECT_EQ(copy.command[200], 'z');
    EXPECT_EQ(copy.CommandText(), "@PJL SET A");

    JSE_CustomCommandType full;
    full.SetCommandText(std::string(300, 'x'));
    EXPECT_EQ(full.CommandText(), std::string(255, 'x'));
}

TEST(MediaRecord, TicketDefaultPaperFollowsTheLanguage) {
    const JSE_MediaRecordType letter = DefaultTicketPaper(L"English");
    EXPECT_EQ(letter.name, L"Letter");
    EXPECT_EQ(letter.colour, L"white");
    EXPECT_EQ(letter.type, L"plain");
    EXPECT_EQ(letter.widthPoints, 612);
    EXPECT_EQ(letter.heightPoints, 792);
    EXPECT_EQ(letter.weight, 75);
    EXPECT_EQ(letter.mode, 2);
    EXPECT_EQ(letter.mediaCode, 255);
    EXPECT_EQ(DefaultTicketPaper(L"German").name, L"A4");
}
