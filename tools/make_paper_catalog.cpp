// Writes a paper catalog's three files as the engine writes them (UTF-16)
// from a catalog that the engine can read, such as the readable 8-bit
// sources of the shipped default catalog.
//
//   make-paper-catalog SOURCE-CATALOG TARGET-CATALOG
//
// The size-definition and attribute files are found and written beside each
// catalog under the engine's names.
#include <cstdio>
#include <string>

#include "JSE_Media.h"

namespace {

WString Widen(const char* text) {
    WString wide;
    for (const char* c = text; *c; ++c) wide += static_cast<wchar_t>(static_cast<unsigned char>(*c));
    return wide;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 3) {
        std::fprintf(stderr, "usage: %s SOURCE-CATALOG TARGET-CATALOG\n", argv[0]);
        return 2;
    }
    const WString source = Widen(argv[1]);
    const WString target = Widen(argv[2]);
    JSE_Media catalog(L"English", source, L"any:white:red:yellow:green:blue:clear",
                      L"plain:cover:color:insert:tab:transparency", L':', false);
    if (catalog.JSE_Media_GetLastError() != kMediaNoError) {
        std::fprintf(stderr, "%s: cannot read %s (error %d)\n", argv[0], argv[1], catalog.JSE_Media_GetLastError());
        return 1;
    }
    WString definitionPath;
    catalog.CreatePDFileName(target, definitionPath);
    if (!catalog.JSE_Media_SaveCatalog(target) || !catalog.JSE_Media_SavePaperDefinitions(definitionPath) ||
        !catalog.JSE_Media_SaveAttributes(target + L".atr")) {
        std::fprintf(stderr, "%s: cannot write %s\n", argv[0], argv[2]);
        return 1;
    }
    return 0;
}
