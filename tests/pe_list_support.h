// Page-exception records and the list preparation shared by the writer tests
// of the page-exception list, inserts and slip sheets.
#pragma once

#include <initializer_list>

#include "VLX_Writer.h"

// A record of the given kind and pages; an empty paper name means the job's
// paper.
inline vlxPageExeptionType PeOnPaper(std::int32_t code, const wchar_t* paper, std::int64_t first, std::int64_t last) {
    vlxPageExeptionType record;
    record.exceptionMode = code;
    record.mediaName = paper;
    record.fromJobPaper = *paper == L'\0';
    record.startingPage = first;
    record.endingPage = last;
    return record;
}

inline vlxPageExeptionType PePlexRun(std::int64_t first, std::int64_t last, std::int32_t value) {
    vlxPageExeptionType record = PeOnPaper(235, L"", first, last);
    record.pePlex = true;
    record.pePlexValue = value;
    return record;
}

// Fills the writer's list and prepares it as the driver does before the
// first line.
inline void PreparePeList(VLX_Writer& writer, std::initializer_list<vlxPageExeptionType> records) {
    writer.ClearMediaExceptionList();
    for (const vlxPageExeptionType& record : records) writer.Add_VLX_Substitution_List(record);
    writer.PreFlightPeList();
    writer.CopyExceptionList();
    writer.zqSort();
    writer.PageException_PreProcess();
    writer.CreateSlipList();
    writer.CombineSlipList();
}
