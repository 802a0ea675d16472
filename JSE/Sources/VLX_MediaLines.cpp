// The media lines: every paper of the job in the document-structuring form
// and in the printer's own form.
//
// Not written yet: both generators write nothing and report success.
#include "VLX_Writer.h"

int VLX_Writer::Generate_DocumentMedia(DSC_VLX& /*header*/, std::string& /*text*/) { return kVlxDone; }
int VLX_Writer::Generate_VLXMedia(DSC_VLX& /*header*/, std::string& /*text*/) {
    gGenerate_VLXMedia_Section = true;
    return kVlxDone;
}
