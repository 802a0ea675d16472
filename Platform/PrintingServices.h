// Stand-in for the platform's printing services, as far as the dialog
// extension calls them: the print settings (values by key, and the job's
// name), the page format's orientation, the printer's identifier and the PPD
// of a print session. The structures are the setup side, which the print
// dialog (PrintDialogExtension.h) fills; the functions are the calls the
// extension makes.
#pragma once

#include <cups/ppd.h>

#include <cstdint>
#include <filesystem>
#include <memory>
#include <optional>
#include <set>
#include <string>
#include <string_view>

#include "FoundationValues.h"

namespace platform {

using OSStatus = std::int32_t;

inline constexpr OSStatus kPrintingNoError = 0;
inline constexpr OSStatus kPrintingNoObject = -50;    // no settings, page format or printer was given
inline constexpr OSStatus kPrintingNoValue = -9589;   // the key, the job name or the orientation is not set
inline constexpr OSStatus kPrintingLocked = -9590;    // the key's value was set locked and stays

enum class PMOrientation { Portrait = 1, Landscape = 2, ReversePortrait = 3, ReverseLandscape = 4 };

struct PrintSettings {
    Dictionary values;
    std::optional<std::string> jobName;
    std::set<std::string, std::less<>> locked;
};

struct PageFormat {
    std::optional<PMOrientation> orientation;
};

struct Printer {
    std::string identifier;  // the queue's name
};

// A PPD opened with its defaults marked; closed when the last holder goes.
using PPDFile = std::shared_ptr<ppd_file_t>;
// The PPD of the file, or nothing when it cannot be read as one.
PPDFile OpenPPDFile(const std::filesystem::path& path);

struct PrintSession {
    PPDFile ppd;
};

OSStatus PMPrintSettingsGetValue(const PrintSettings* settings, std::string_view key, Value* value);
// Sets the value; locked keeps it from being changed again.
OSStatus PMPrintSettingsSetValue(PrintSettings* settings, std::string_view key, Value value, bool locked);
OSStatus PMPrintSettingsGetJobName(const PrintSettings* settings, std::string* name);
OSStatus PMGetOrientation(const PageFormat* format, PMOrientation* orientation);
// The printer's identifier; "" without a printer.
std::string PMPrinterGetID(const Printer* printer);
// The PPD of the session; nullptr without a session or a PPD.
ppd_file_t* GetPPDRefFromSession(const PrintSession* session);

}  // namespace platform
