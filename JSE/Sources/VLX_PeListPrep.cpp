// Preparation of the page-exception list before the first line is written:
// neutralising substitutions without paper, sorting by first page, merging
// continued substitutions and building the slip list.
//
// Not written yet: each step leaves the list as the job ticket handed it
// over, in the order given.
#include "VLX_Writer.h"

void VLX_Writer::PreFlightPeList() {}
void VLX_Writer::CopyExceptionList() {}
void VLX_Writer::zqSort() {}
void VLX_Writer::PageException_PreProcess() {}
void VLX_Writer::CreateSlipList() {}
void VLX_Writer::CombineSlipList() {}
