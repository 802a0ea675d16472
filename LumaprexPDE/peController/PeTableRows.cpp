// Rows of the exception and summary tables, from the page collection.
#include "PeTableRows.h"

#include <algorithm>

#include "FoundationValues.h"
#include "JSE_Records.h"
#include "PageFeatureLabels.h"

namespace {

constexpr int kJobSetting = 13014;
constexpr int kYes = 12048;
constexpr int kNo = 12047;

int TrayLabel(int tray) { return Pick(tray, {{1, 10045}, {2, 10046}, {3, 10047}}, kJobSetting); }

int SubstitutionLabel(const PageRange& pages) { return pages.start == pages.end ? 13016 : 12022; }

int InsertLabel(int code) { return code == kPeInsertBefore ? 12020 : 12021; }

// The device of a subset, and for the stapler the staple position when the
// entry has one.
std::string DeviceText(const PageEntry& entry, int device, const LabelText& label) {
    std::string text = label(DeviceLabel(device));
    const std::optional<int> staple = entry.feature(kPeSubsetStaple);
    if (device == 2 && staple) text += " - " + label(StapleLabel(*staple));
    return text;
}

// A feature's title and setting in columns 1 and 2, columns 3 and 4 empty.
void AddSetting(TableRow& row, const std::string& title, const std::string& setting) {
    row.add(title, 1);
    row.add(setting, 2);
    row.add("", 3);
    row.add("", 4);
}

// The cells one feature of a page entry adds to its summary row.
void AddSummaryCells(TableRow& row, const PageEntry& entry, const PageFeature& f, const LabelText& label) {
    switch (f.code) {
    case kPeSubsetOutput: AddSetting(row, label(13060), DeviceText(entry, f.value, label)); break;
    case kPePaperSubstitution:
        row.add(label(SubstitutionLabel(entry.pages)), 1);
        row.add(" ", 2);
        row.add(entry.paper, 3);
        break;
    case kPeInsertBefore:
    case kPeInsertAfter:
        row.add(label(InsertLabel(f.code)), 1);
        row.add(label(TrayLabel(f.value)), 2);
        row.add(entry.paper, 3);
        break;
    case kPePrintMode: AddSetting(row, label(13051), label(PrintModeLabel(f.value))); break;
    case kPePrintSide:
        AddSetting(row, label(13037), label(Pick(f.value, {{1, 13106}, {2, 13107}}, kJobSetting)));
        break;
    case kPePunch: row.add(label(f.value != 0 ? kYes : kNo), 4); break;
    case kPeChapterStart: AddSetting(row, label(13074), label(ChapterLabel(f.value))); break;
    case kPeRotation: AddSetting(row, label(12085), label(RotationLabel(f.value))); break;
    default: break;
    }
}

}  // namespace

std::string PagesCell(const PageRange& pages) {
    if (pages.start == pages.end) return platform::FormatInteger(pages.start);
    return platform::Format("%d..%d", pages.start, pages.end);
}

std::vector<TableRow> ExceptionRows(const PageEntries& entries, const LabelText& label) {
    std::vector<TableRow> rows;
    for (const PageEntry& entry : entries.pages) {
        for (const PageFeature& f : entry.features) {
            if (f.code != kPePaperSubstitution && f.code != kPeInsertBefore && f.code != kPeInsertAfter) continue;
            TableRow row;
            row.source = RowSource{false, entry, {}, f};
            row.add(PagesCell(entry.pages), 0);
            const bool insert = f.code != kPePaperSubstitution;
            row.add(label(insert ? InsertLabel(f.code) : SubstitutionLabel(entry.pages)), 1);
            row.add(entry.paper, 2);
            row.add(insert ? label(TrayLabel(f.value)) : " ", 3);
            rows.push_back(std::move(row));
        }
    }
    return rows;
}

std::vector<TableRow> SummaryRows(const PageEntries& entries, const LabelText& label) {
    std::vector<TableRow> rows;
    for (const PageEntry& entry : entries.pages) {
        if (entry.pages.start < 1 || entry.pages.end < 1) continue;
        TableRow row;
        row.source = RowSource{false, entry, {}, std::nullopt};
        row.add(PagesCell(entry.pages), 0);
        for (const PageFeature& f : entry.features) AddSummaryCells(row, entry, f, label);
        rows.push_back(std::move(row));
    }
    for (const ImageEntry& image : entries.images) {
        TableRow row;
        row.source = RowSource{true, {}, image, std::nullopt};
        row.add(PagesCell(image.pages), 0);
        row.add(label(13120), 1);
        row.add(ImageShiftText(image.x1, image.y1, image.x2, image.y2, label), 2);
        row.add(" ", 3);
        row.add(" ", 4);
        rows.push_back(std::move(row));
    }
    return rows;
}

int FindShownEntry(const PageEntries& entries, const RowSource& row) {
    if (row.image) {
        const auto found = std::find(entries.images.begin(), entries.images.end(), row.shift);
        return found == entries.images.end() ? -1 : static_cast<int>(found - entries.images.begin());
    }
    const auto shown = [&](const PageEntry& entry) {
        if (!row.feature) return entry == row.entry;
        return entry.pages == row.entry.pages && entry.paper == row.entry.paper &&
               std::find(entry.features.begin(), entry.features.end(), *row.feature) != entry.features.end();
    };
    const auto found = std::find_if(entries.pages.begin(), entries.pages.end(), shown);
    return found == entries.pages.end() ? -1 : static_cast<int>(found - entries.pages.begin());
}
