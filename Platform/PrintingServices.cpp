// Print settings, page format, printer and session PPD.
#include "PrintingServices.h"

namespace platform {

PPDFile OpenPPDFile(const std::filesystem::path& path) {
    ppd_file_t* ppd = ppdOpenFile(path.c_str());
    if (!ppd) return nullptr;
    ppdMarkDefaults(ppd);
    return PPDFile(ppd, ppdClose);
}

OSStatus PMPrintSettingsGetValue(const PrintSettings* settings, std::string_view key, Value* value) {
    if (!settings || !value) return kPrintingNoObject;
    const Value* found = settings->values.find(key);
    if (!found) return kPrintingNoValue;
    *value = *found;
    return kPrintingNoError;
}

OSStatus PMPrintSettingsSetValue(PrintSettings* settings, std::string_view key, Value value, bool locked) {
    if (!settings) return kPrintingNoObject;
    if (settings->locked.count(key)) return kPrintingLocked;
    settings->values.set(key, std::move(value));
    if (locked) settings->locked.emplace(key);
    return kPrintingNoError;
}

OSStatus PMPrintSettingsGetJobName(const PrintSettings* settings, std::string* name) {
    if (!settings || !name) return kPrintingNoObject;
    if (!settings->jobName) return kPrintingNoValue;
    *name = *settings->jobName;
    return kPrintingNoError;
}

OSStatus PMGetOrientation(const PageFormat* format, PMOrientation* orientation) {
    if (!format || !orientation) return kPrintingNoObject;
    if (!format->orientation) return kPrintingNoValue;
    *orientation = *format->orientation;
    return kPrintingNoError;
}

std::string PMPrinterGetID(const Printer* printer) { return printer ? printer->identifier : std::string(); }

ppd_file_t* GetPPDRefFromSession(const PrintSession* session) { return session ? session->ppd.get() : nullptr; }

}  // namespace platform
