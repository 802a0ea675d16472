// Device commands of the finishing subsets: what is switched off before and
// after a subset that changes the output device, the subset's own settings,
// and the job's settings put back after it.
#include <algorithm>
#include <array>

#include "VLX_Writer.h"

namespace {

// Command codes, each an "off" setting with its fixed text.
constexpr std::int32_t kStapleOff = 1;
constexpr std::int32_t kJogOff = 6;
constexpr std::int32_t kFoldOff = 8;
constexpr std::int32_t kTrimOff = 11;

constexpr const char* kStapleKeyword = "%VLXPeStaple: ";
constexpr const char* kJogKeyword = "%VLXPeJog: ";
constexpr const char* kTrimKeyword = "%VLXPeTrim: ";
constexpr const char* kFoldKeyword = "%VLXPeFold: ";

using Commands = std::array<std::int32_t, 4>;
constexpr Commands o{};
constexpr Commands S{kStapleOff};
constexpr Commands J{kJogOff};
constexpr Commands SJ{kStapleOff, kJogOff};
constexpr Commands FT{kFoldOff, kTrimOff};
constexpr Commands SFT{kStapleOff, kFoldOff, kTrimOff};
constexpr Commands kNoRow{-1};

// One job device and subset device: the pre commands and the post commands
// for the next device 1, 2, 3, 4, 5 and for no next subset.
struct DeviceMatrixRow {
    std::int32_t jobDevice;
    std::int32_t subsetDevice;
    Commands pre;
    Commands post[6];
};

constexpr DeviceMatrixRow kDeviceMatrix[] = {
    // Job on the top tray.
    {0, 1, o, {o, o, o, o, o, o}},
    {0, 2, o, {SJ, o, S, o, SJ, SJ}},
    {0, 3, o, {J, o, o, J, J, J}},
    {0, 4, o, {SFT, FT, SFT, o, SFT, SFT}},
    {0, 5, o, {o, o, o, o, o, o}},
    // Job on the stapler.
    {1, 1, o, {o, o, o, o, o, o}},
    {1, 2, o, {SJ, o, S, J, SJ, o}},
    {1, 3, S, {J, o, o, J, J, o}},
    {1, 4, o, {SFT, FT, FT, o, SFT, FT}},
    {1, 5, S, {o, o, o, o, o, o}},
    // Job on the stacker.
    {2, 1, o, {o, o, o, o, o, o}},
    {2, 2, o, {SJ, o, S, J, J, S}},
    {2, 3, o, {SJ, o, o, J, SJ, o}},
    {2, 4, J, {SFT, FT, SFT, o, SFT, SFT}},
    {2, 5, J, {o, o, o, o, o, o}},
    // Job on the bookmaker: no rows towards the postprocessor.
    {3, 1, SFT, {o, o, o, o, kNoRow, o}},
    {3, 2, FT, {SJ, o, S, J, kNoRow, J}},
    {3, 3, SFT, {SJ, o, o, J, kNoRow, J}},
    {3, 4, o, {SFT, FT, SFT, o, kNoRow, o}},
    // Job on the postprocessor: no rows towards the bookmaker.
    {4, 1, o, {o, o, o, kNoRow, o, o}},
    {4, 2, o, {SJ, o, S, kNoRow, SJ, SJ}},
    {4, 3, o, {J, o, o, kNoRow, J, J}},
};

constexpr std::int32_t kNextDevices[6] = {1, 2, 3, 4, 5, 0};

const char* commandText(std::int32_t code) {
    switch (code) {
    case kStapleOff: return " staple(none) ";
    case kJogOff: return " jog(none) ";
    case kFoldOff: return " fold(none) ";
    case kTrimOff: return " trim(off) ";
    default: return "";
    }
}

// Adds a command unless its line already holds it with the same page.
void addCommand(const std::string& command, std::string& line, std::int32_t& count) {
    if (line.find(command) == std::string::npos) AppendCommand(command, line, count);
}

std::string commandAt(const std::string& text, std::int64_t page) {
    std::string command = text;
    ConstructPage(command, page);
    return command;
}

bool holds(const std::int32_t (&commands)[4], std::int32_t code) {
    return std::find(std::begin(commands), std::end(commands), code) != std::end(commands);
}

}  // namespace

void VLX_Writer::LoadPeDeviceLookuptTable() {
    PeDeviceLookup.clear();
    for (const DeviceMatrixRow& matrix : kDeviceMatrix) {
        for (int column = 0; column < 6; ++column) {
            if (matrix.post[column] == kNoRow) continue;
            peDeviceRecord row;
            row.jobDevice = matrix.jobDevice;
            row.subsetDevice = matrix.subsetDevice;
            row.nextDevice = kNextDevices[column];
            std::copy(matrix.pre.begin(), matrix.pre.end(), row.preCommands);
            std::copy(matrix.post[column].begin(), matrix.post[column].end(), row.postCommands);
            PeDeviceLookup.push_back(row);
        }
    }
}

// The search starts at the job device's first row and runs on to the end of
// the table, through the rows of later job devices too.
int VLX_Writer::FindCommandLookUpEntry(std::int32_t jobDevice, std::int32_t subsetDevice,
                                       std::int32_t nextDevice) const {
    const auto begin = std::find_if(PeDeviceLookup.begin(), PeDeviceLookup.end(),
                                    [&](const peDeviceRecord& row) { return row.jobDevice == jobDevice; });
    const auto found = std::find_if(begin, PeDeviceLookup.end(), [&](const peDeviceRecord& row) {
        return row.subsetDevice == subsetDevice && row.nextDevice == nextDevice;
    });
    return found == PeDeviceLookup.end() ? -1 : static_cast<int>(found - PeDeviceLookup.begin());
}

void VLX_Writer::GetPreCommand(int row, std::int64_t page, int slot, std::string& text, std::int32_t& code) const {
    text.clear();
    code = 0;
    if (row < 0 || row >= static_cast<int>(PeDeviceLookup.size()) || slot < 0 || slot > 3) return;
    code = PeDeviceLookup[static_cast<std::size_t>(row)].preCommands[slot];
    text = commandText(code);
    if (!text.empty()) text = commandAt(text, page);
}

void VLX_Writer::GetPostCommand(int row, std::int64_t page, int slot, std::string& text, std::int32_t& code) const {
    text.clear();
    code = 0;
    if (row < 0 || row >= static_cast<int>(PeDeviceLookup.size()) || slot < 0 || slot > 3 || page < 2) return;
    code = PeDeviceLookup[static_cast<std::size_t>(row)].postCommands[slot];
    text = commandText(code);
    if (!text.empty()) text = commandAt(text, page);
}

void VLX_Writer::RouteCommand(std::int32_t code, const std::string& command, vlxPeDeviceLines& lines) const {
    if (command.empty()) return;
    switch (code) {
    case kStapleOff: addCommand(command, lines.staple, lines.stapleCount); break;
    case kJogOff: addCommand(command, lines.jog, lines.jogCount); break;
    case kFoldOff: addCommand(command, lines.fold, lines.foldCount); break;
    case kTrimOff: addCommand(command, lines.trim, lines.trimCount); break;
    default: break;
    }
}

void VLX_Writer::Create_PreCommand(int row, const vlxPageExeptionType& subset, vlxPeDeviceLines& lines) const {
    for (int slot = 0; slot < 4; ++slot) {
        std::string command;
        std::int32_t code = 0;
        GetPreCommand(row, subset.startingPage, slot, command, code);
        RouteCommand(code, command, lines);
    }
}

void VLX_Writer::Create_PostCommand(int row, const vlxPageExeptionType& subset, vlxPeDeviceLines& lines) const {
    const auto after = pageAfter(subset.endingPage);
    if (!after) return;
    for (int slot = 0; slot < 4; ++slot) {
        std::string command;
        std::int32_t code = 0;
        GetPostCommand(row, *after, slot, command, code);
        RouteCommand(code, command, lines);
    }
}

namespace {

const char* stapleOnStapler(std::int32_t value, const std::string& job) {
    switch (value) {
    case 2: return " staple(front) ";
    case 3: return " staple(back) ";
    case 4: return " staple(both) ";
    case 5: return " staple(saddle) ";
    case 255: return job.c_str();
    default: return " staple(none) ";
    }
}

const char* stapleOnBookmaker(std::int32_t value, const std::string& job) {
    return value == 5 ? " staple(saddle) " : value == 255 ? job.c_str() : " staple(none) ";
}

}  // namespace

// The subset's own stapling, trimming, offset stacking and folding at its
// first page.
void VLX_Writer::Create_CurrentCommand(const vlxPageExeptionType& subset, vlxPeDeviceLines& lines) const {
    const vlxPeDeviceType& device = subset.peRecord;
    const std::int64_t page = subset.startingPage;
    const char* staple = nullptr;
    if (device.peOutputValue == 2) staple = stapleOnStapler(device.peStapleValue, sJobStaplerSetting);
    if (device.peOutputValue == 4) staple = stapleOnBookmaker(device.peStapleValue, sJobStaplerSetting);
    if (device.peOutputValue == 255 && device.peStaple) staple = sJobStaplerSetting.c_str();
    if (staple != nullptr) addCommand(commandAt(staple, page), lines.staple, lines.stapleCount);

    if (device.peTrim) {
        const std::int32_t v = device.peTrimValue;
        const std::string trim = v == 10 ? " trim(on) " : v == 255 ? sJobTrimSetting : " trim(off) ";
        addCommand(commandAt(trim, page), lines.trim, lines.trimCount);
    }

    std::string jog;
    if (device.peJog) {
        const std::int32_t v = device.peJogValue;
        jog = v == 7 ? " jog(alternate) " : v == 255 ? sJobJogSetting : " jog(none) ";
    } else if (sJobJogSetting != " jog(none) ") {
        jog = " jog(none) ";
    }
    if (!jog.empty()) addCommand(commandAt(jog, page), lines.jog, lines.jogCount);

    std::string fold;
    if (device.peFold) {
        const std::int32_t v = device.peFoldValue;
        fold = v == 9 ? " fold(saddle) " : v == 255 ? sJobFoldSetting : " fold(none) ";
    } else if (device.peOutputValue == 4) {
        fold = " fold(saddle) ";
    }
    if (!fold.empty()) addCommand(commandAt(fold, page), lines.fold, lines.foldCount);
}

// A feature's setting of a subset: its own value, or for the job's setting
// the off text when the subset's pre commands switched the feature off, else
// the job's text.
std::string VLX_Writer::RestoreText(int selector, bool present, std::int32_t value, const std::string& offText,
                                    std::int32_t offCode, int row) const {
    std::string item;
    std::string keyword;
    if (present && value != 255) {
        Get_VLX_Attributes(selector, value, item, keyword);
        return item;
    }
    if (row >= 0 && row < static_cast<int>(PeDeviceLookup.size()) &&
        holds(PeDeviceLookup[static_cast<std::size_t>(row)].preCommands, offCode))
        return offText;
    switch (selector) {
    case 2: return sJobStaplerSetting;
    case 116: return sJobTrimSetting;
    case 118: return sJobJogSetting;
    default: return sJobFoldSetting;
    }
}

void VLX_Writer::RestoreJobDeviceSettings(const std::vector<vlxPageExeptionType>& subsets, std::size_t index, int row,
                                          vlxPeDeviceLines& lines) const {
    const vlxPageExeptionType& subset = subsets[index];
    const auto after = pageAfter(subset.endingPage);
    if (!after) return;
    const vlxPageExeptionType* following = nullptr;
    for (std::size_t j = index + 1; j < subsets.size() && following == nullptr; ++j)
        if (subsets[j].peSubset && followsDirectly(subset.endingPage, subsets[j].startingPage)) following = &subsets[j];

    std::int32_t nextDevice = sJobDeviceSetting;
    if (following != nullptr && following->peRecord.peOutput && following->peRecord.peOutputValue != 255)
        nextDevice = getVTR1documentExit(following->peRecord.peOutputValue);
    if (nextDevice == 0) return;

    struct Feature {
        int selector;
        bool vlxPeDeviceType::*present;
        std::int32_t vlxPeDeviceType::*value;
        const char* offText;
        std::int32_t offCode;
        std::string* line;
        std::int32_t* count;
        bool restore;
    };
    const bool last = following == nullptr;
    const Feature features[] = {
        {2, &vlxPeDeviceType::peStaple, &vlxPeDeviceType::peStapleValue, " staple(none) ", kStapleOff, &lines.staple,
         &lines.stapleCount, last || nextDevice == 1 || nextDevice == 3},
        {118, &vlxPeDeviceType::peJog, &vlxPeDeviceType::peJogValue, " jog(none) ", kJogOff, &lines.jog,
         &lines.jogCount, last || nextDevice == 1 || nextDevice == 2},
        {116, &vlxPeDeviceType::peTrim, &vlxPeDeviceType::peTrimValue, " trim(off) ", kTrimOff, &lines.trim,
         &lines.trimCount, last || nextDevice == 3},
        {117, &vlxPeDeviceType::peFold, &vlxPeDeviceType::peFoldValue, " fold(none) ", kFoldOff, &lines.fold,
         &lines.foldCount, last || nextDevice == 3},
    };
    for (const Feature& f : features) {
        if (!f.restore) continue;
        const std::string now =
            RestoreText(f.selector, subset.peRecord.*f.present, subset.peRecord.*f.value, f.offText, f.offCode, row);
        const std::string then =
            last ? RestoreText(f.selector, false, 255, f.offText, f.offCode, -1)
                 : RestoreText(f.selector, following->peRecord.*f.present, following->peRecord.*f.value, f.offText,
                               f.offCode, -1);
        if (now != then) addCommand(commandAt(then, *after), *f.line, *f.count);
    }
}

int VLX_Writer::EmitPeCommands(std::string& text, const std::string& line) {
    return Append_Buffer_to_DSC_Header(text, line, 52);
}

int VLX_Writer::Generate_PeSubset_Devices(DSC_VLX& /*header*/, std::string& text) {
    const int result = CollectPeDevice(text);
    vlxPeDeviceLines lines;
    lines.staple = kStapleKeyword;
    lines.jog = kJogKeyword;
    lines.trim = kTrimKeyword;
    lines.fold = kFoldKeyword;
    const std::vector<vlxPageExeptionType>& subsets = sPeRecordList;
    for (std::size_t i = 0; i < subsets.size(); ++i) {
        if (!subsets[i].peRecord.peOutput) continue;
        std::int32_t current = subsets[i].peRecord.peOutputValue;
        std::int32_t next = i + 1 < subsets.size() ? subsets[i + 1].peRecord.peOutputValue : 0;
        if (current == 255) current = sJobDeviceSetting + 1;
        if (next == 255) next = sJobDeviceSetting + 1;
        const int row = FindCommandLookUpEntry(sJobDeviceSetting, current, next);
        if (row != -1) Create_PreCommand(row, subsets[i], lines);
        Create_CurrentCommand(subsets[i], lines);
        if (row != -1) Create_PostCommand(row, subsets[i], lines);
        RestoreJobDeviceSettings(subsets, i, row, lines);
    }
    const std::pair<const std::string*, const char*> emitted[] = {
        {&lines.staple, kStapleKeyword}, {&lines.jog, kJogKeyword}, {&lines.trim, kTrimKeyword}, {&lines.fold, kFoldKeyword}};
    for (const auto& [line, keyword] : emitted)
        if (line->size() > std::string(keyword).size()) EmitPeCommands(text, *line);
    return result;
}
