#include "JSE_Records.h"

#include <algorithm>
#include <cstring>

namespace {

// Reads a flag through its bytes, so a byte other than 0 or 1 taken from a
// file reads as set instead of being undefined.
bool normalised(const bool& flag) {
    unsigned char byte = 0;
    std::memcpy(&byte, &flag, 1);
    return byte != 0;
}

}  // namespace

std::string JSE_CustomCommandType::CommandText() const {
    const void* end = std::memchr(command, 0, kCommandSize);
    const std::size_t length = end ? static_cast<std::size_t>(static_cast<const char*>(end) - command) : kCommandSize;
    return std::string(command, length);
}

void JSE_CustomCommandType::SetCommandText(const std::string& text) {
    std::memset(command, 0, kCommandSize);
    std::memcpy(command, text.data(), std::min(text.size(), kCommandSize));
}

void JSE_PageExceptionType::Dup(const JSE_PageExceptionType& source, JSE_PageExceptionType& target) {
    target.exceptionMode = source.exceptionMode;
    target.paperExit = source.paperExit;
    target.startingPage = source.startingPage;
    target.endingPage = source.endingPage;
    target.fromJobPaper = normalised(source.fromJobPaper);
    target.pePunch = source.pePunch;
    target.mediaName = source.mediaName;
    target.printOn = normalised(source.printOn);
    target.printingMode = source.printingMode;
    target.peGRET = source.peGRET;
    target.peGRETValue = source.peGRETValue;
    target.pePlex = normalised(source.pePlex);
    target.pePlexValue = source.pePlexValue;
    target.peRotate = normalised(source.peRotate);
    target.peRotateValue = source.peRotateValue;
    target.peShift = normalised(source.peShift);
    target.frontX = source.frontX;
    target.frontY = source.frontY;
    target.backX = source.backX;
    target.backY = source.backY;
    target.peSide = normalised(source.peSide);
    target.peSideValue = source.peSideValue;
    target.finishChapter = normalised(source.finishChapter);
    target.peSubset = normalised(source.peSubset);
    std::memcpy(&target.peRecord, &source.peRecord, sizeof(JSE_PeRecordType));
    target.pageCopies = source.pageCopies;
    target.reserved = source.reserved;
}

JSE_MediaRecordType DefaultTicketPaper(const WString& language) {
    JSE_MediaRecordType paper;
    const bool english = language == L"English";
    paper.name = english ? L"Letter" : L"A4";
    paper.colour = L"white";
    paper.type = L"plain";
    paper.widthInches = 8.5f;
    paper.heightInches = 11.0f;
    paper.widthPoints = 612;
    paper.heightPoints = 792;
    paper.weight = 75;
    paper.mode = 2;
    paper.mediaCode = 255;
    paper.mediaFlag = true;
    paper.punchable = true;
    paper.precollated = 0;
    paper.mediaExtra = 0;
    return paper;
}
