// The extension module's one exported entry: the print dialog calls it to
// get the plug-in object.
#include "LumaprexPDEPlugIn.h"

extern "C" __attribute__((visibility("default"))) platform::PDEPlugIn* PDEPlugInCreate() {
    return new LumaprexPDEPlugIn();
}
