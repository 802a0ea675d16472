// The requirements, covers, inserts and slip lines.
//
// Not written yet: the generators write nothing and report success.
#include "VLX_Writer.h"

int VLX_Writer::Generate_VLXRequirements(DSC_VLX& /*header*/, std::string& /*text*/) { return kVlxDone; }
int VLX_Writer::Generate_VLXCovers(DSC_VLX& /*header*/, std::string& /*text*/) { return kVlxDone; }
int VLX_Writer::Generate_VLXInserts(DSC_VLX& /*header*/, std::string& /*text*/) { return kVlxDone; }
int VLX_Writer::Generate_VLXSlip(DSC_VLX& /*header*/, std::string& /*text*/) { return kVlxDone; }
