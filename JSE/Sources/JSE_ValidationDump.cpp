// Debug dumps of the validator: the control table with its rule records, the
// selected pages, and the exception papers with the page-exception list. Each
// writes a text file of fixed name into the current folder.
#include <cstdio>
#include <memory>
#include <string>

#include "JSE_Media.h"
#include "JSE_Validation.h"

namespace {

constexpr const char* kControlNames[] = {
    "eJSE_BodyPaperSelection",         "eJSE_PrintModeSelection",        "eJSE_PrintProofSetCheck",
    "eJSE_CollateCheck",               "eJSE_InterleavePaperSelection",  "eJSE_FrontCoverSelection",
    "eJSE_FrontCoverPaperSelection",   "eJSE_BackCoverSelection",        "eJSE_BackCoverPaperSelection",
    "eJSE_DocumentExitSelection",      "eJSE_StaplerSelection",          "eJSE_OffsetStackingCheck",
    "eJSE_PrintCheck",                 "eJSE_SaveAsCheck",               "eJSE_SpecificPrintCheck",
    "eJSE_StatusModeSelection",        "eJSE_StatusPaperSelection",      "eJSE_SetSeparatorSelection",
    "eJSE_SeparatorPaperSelection",    "eJSE_PaperExceptionSelection",   "eJSE_FinishChapterCheck",
    "eJSE_SignaturePagesEdit",         "eJSE_TrimmingCheck",             "eJSE_PaperExceptionPageEdit",
    "eJSE_PunchJobTypeCheck",          "eJSE_PePaperSelection",          "eJSE_PunchFrontCoverTypeCheck",
    "eJSE_PunchBackCoverTypeCheck",    "eJSE_CopiesEdit",                "eJSE_DeliverToEdit",
    "eJSE_EMailAddressEdit",           "eJSE_FinishingDeviceSelection",  "eJSE_FinishingOrientationSelection",
    "eJSE_OperatorMessageEdit",        "eJSE_PagesPerSideSelection",     "eJSE_PamphletSheetsEdit",
    "eJSE_SpecificPrinterEdit",        "eJSE_SaveAsNameEdit",            "eJSE_SendFileWithCheck",
    "eJSE_SendFileWithEdit",           "eJSE_SetSeparatorsCheck",        "eJSE_InserterAvailableCheck",
    "eJSE_PaperExceptionTypeSelection", "eJSE_CreateTiffCheck",          "eJSE_PCLPaperSupply",
    "eJSE_CurrentPePageType",          "eJSE_PeSideType",                "eJSE_PePlexType",
    "eJSE_PeOutputType",               "eJSE_PeStapleType",              "eJSE_PeTrimType",
    "eJSE_PeStackingType",
};

// Columns of the record rows, under the words of the heading.
constexpr const char* kHeading = "ParentValue  Level 1        Level 2       Level 3     Flag\tCondition\tMessage ID\n";
constexpr std::size_t kLevelColumns[] = {13, 28, 42};
constexpr std::size_t kFlagColumn = 54;

struct FileCloser {
    void operator()(std::FILE* file) const { std::fclose(file); }
};

// Writes the whole text as the file; a dump that cannot be written is left out.
void WriteDump(const char* name, const std::string& text) {
    const std::unique_ptr<std::FILE, FileCloser> file(std::fopen(name, "w"));
    if (file) std::fputs(text.c_str(), file.get());
}

std::string N(long value) { return std::to_string(value); }

// Blanks up to the column, and at least one so that fields stay apart.
void PadTo(std::string& line, std::size_t column) { line.append(line.size() < column ? column - line.size() : 1, ' '); }

std::string Bound(int value) { return value < 0 ? "(" + N(value) + ")" : N(value); }

std::string Level(int control, int low, int high) {
    return (control < 10 ? " " : "") + N(control) + "," + Bound(low) + "-" + Bound(high);
}

const char* ConditionWord(int condition) {
    switch (condition) {
    case 1: return "=  ";
    case 2: return "<> ";
    case 3: return ">= ";
    case 4: return "<= ";
    default: return "na ";
    }
}

std::string RecordRow(const JSE_Validation::DependentItem& r) {
    std::string row = "   " + N(r.parentValue) + ",";
    const int levels[3][3] = {{r.level1Control, r.level1Min, r.level1Max},
                              {r.level2Control, r.level2Min, r.level2Max},
                              {r.level3Control, r.level3Min, r.level3Max}};
    for (int i = 0; i < 3; ++i) {
        PadTo(row, kLevelColumns[i]);
        row += Level(levels[i][0], levels[i][1], levels[i][2]);
    }
    PadTo(row, kFlagColumn);
    row += (r.flag < 10 ? "( " : "(") + N(r.flag) + ")\t";
    return row + ConditionWord(r.condition) + "       " + N(r.messageId) + "\n";
}

// One line of a page-exception record; a flag with a value prints the value
// while set and "false" otherwise.
void Field(std::string& text, const char* name, const std::string& value) {
    text += std::string("aPeRecord.") + name + " = " + value + "\n";
}
void Pair(std::string& text, const char* name, bool set, long value) { Field(text, name, set ? N(value) : "false"); }

std::string Shift(float value) {
    char buffer[32];
    std::snprintf(buffer, sizeof buffer, "%.2f", static_cast<double>(value));
    return buffer;
}

}  // namespace

const char* JSE_Validation::ControlName(int control) {
    return control >= 0 && control < static_cast<int>(std::size(kControlNames)) ? kControlNames[control] : nullptr;
}

void JSE_Validation::DumpList() {
    std::string text;
    long total = 0;
    for (std::size_t i = 0; i < controls.size(); ++i) {
        const ControlItem& control = controls[i];
        const char* name = ControlName(static_cast<int>(i));
        text += "Index \t\t\t= " + std::string(name ? name : "New Control Found!") + " (" + N(static_cast<long>(i) + 1) +
                ")\n";
        text += "Control Value \t= " + N(control.controlKind) + "\n";
        text += "Current Value \t= " + N(control.currentValue) + "\n";
        text += "Dependents \t\t= " + N(control.dependentCount) + " \n\n";
        if (!control.dependents.empty()) {
            text += std::string(kHeading) + "\n";
            for (const DependentItem& record : control.dependents) text += RecordRow(record);
        }
        text += "\n";
        total += static_cast<long>(control.dependents.size());
    }
    text += "Total number of constraint records = " + N(total) + " \n";
    WriteDump("JSEValidation.txt", text);
}

void JSE_Validation::DumpPageList() {
    std::string text;
    for (std::size_t i = 0; i < selectedPages.size(); ++i)
        text += "page number at index " + N(static_cast<long>(i)) + " = " + N(static_cast<int>(selectedPages[i].page)) +
                "\n";
    WriteDump("JSESelectedPages.txt", text);
}

void JSE_Validation::DumpSubstitutionList(int which) {
    std::string text;
    for (const paperException& paper : exceptionPapers) text += "\t" + N(paper.paper) + ", " + N(paper.count) + "\n";
    for (const JSE_PageExceptionType& r : PeRecords()) {
        Field(text, "exceptionMode", N(r.exceptionMode));
        Field(text, "paperExit", N(r.paperExit));
        Field(text, "startingPage", N(static_cast<long>(r.startingPage)));
        Field(text, "endingPage", N(static_cast<long>(r.endingPage)));
        Field(text, "fromJobPaper", N(r.fromJobPaper));
        Field(text, "mediaIndex", N(media ? media->JSE_Media_GetIndex(r.mediaName) : -1));
        Field(text, "printOn", N(r.printOn));
        Field(text, "printingMode", N(r.printingMode));
        Pair(text, "peGRET", r.peGRET, r.peGRETValue);
        Pair(text, "pePlex", r.pePlex, r.pePlexValue);
        Pair(text, "peRotate", r.peRotate, r.peRotateValue);
        Field(text, "peShift", r.peShift ? Shift(r.frontX) + " " + Shift(r.frontY) + " " + Shift(r.backX) + " " +
                                               Shift(r.backY)
                                         : "false");
        Pair(text, "peSide", r.peSide, r.peSideValue);
        Field(text, "finishChapter", N(r.finishChapter));
        Field(text, "peSubset", N(r.peSubset));
        const JSE_PeRecordType& d = r.peRecord;
        Pair(text, "peFold", d.peFold != 0, d.peFoldValue);
        Pair(text, "peJog", d.peJog != 0, d.peJogValue);
        Pair(text, "pePostProcess", d.pePostProcess != 0, d.pePostProcessValue);
        Pair(text, "peStaple", d.peStaple != 0, d.peStapleValue);
        Pair(text, "peOutput", d.peOutput != 0, d.peOutputValue);
        Pair(text, "peTrim", d.peTrim != 0, d.peTrimValue);
        Field(text, "pageCopies", N(r.pageCopies));
        Field(text, "paperSelectionIndex", N(r.reserved));
        text += "\n\n";
    }
    text += "Total Record = " + N(static_cast<long>(PeRecords().size())) + "\n";
    const char* name = which == 1 ? "JSEPeBefore.txt"
                       : which == 2 ? "JSEPeAfter.txt"
                       : which == 3 ? "Selected_PageOn_Media.txt"
                                    : "JSEPageException3.txt";
    WriteDump(name, text);
}
