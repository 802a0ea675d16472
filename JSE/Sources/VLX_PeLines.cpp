// The page-exception lines: forced side, plex, image shift, rotation, page
// copies and finishing subsets.
#include "VLX_Writer.h"

int VLX_Writer::Generate_VLXPeSide(DSC_VLX& /*header*/, std::string& /*text*/) { return kVlxDone; }
int VLX_Writer::Generate_VLXPePlex(DSC_VLX& /*header*/, std::string& /*text*/) { return kVlxDone; }
int VLX_Writer::Generate_VLXPeShift(DSC_VLX& /*header*/, std::string& /*text*/) { return kVlxDone; }
int VLX_Writer::Generate_VLXPeRotate(DSC_VLX& /*header*/, std::string& /*text*/) { return kVlxDone; }
int VLX_Writer::Generate_VLXPeCopyCount(DSC_VLX& /*header*/, std::string& /*text*/) { return kVlxDone; }
int VLX_Writer::Generate_VLXPeSubsetItems(DSC_VLX& /*header*/, std::string& /*text*/) { return kVlxDone; }
