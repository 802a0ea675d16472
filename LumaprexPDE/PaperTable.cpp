// The panes' paper table: rows in catalog order, the virtual body-paper row,
// cells, the row-to-feature mapping and the column widths.
#include "PaperTable.h"

#include <algorithm>
#include <array>

namespace {

// Column c shows field kFields[c]; the bridge's width of it is kWidths[c].
constexpr std::array<const char*, 8> kFields = {"Name", "Size", "Color", "Weight", "Type", "Mode", "Precollated", "Punchable"};
constexpr std::array<const char*, 8> kWidths = {"maxName", "maxSize",        "maxColor", "maxWeight",
                                                "maxType", "maxMode", "maxPreCollated", "maxPunch"};

// The column's index, or -1 for an identifier other than "0" to "7".
int ColumnIndex(std::string_view identifier) {
    if (identifier.size() != 1 || identifier[0] < '0' || identifier[0] > '7') return -1;
    return identifier[0] - '0';
}

// Print modes: 1 one-sided only, 2 both sides; flags 1 yes, else no.
int ModeLabel(std::string_view mode) {
    if (mode == "1") return 12080;
    if (mode == "2") return 12076;
    return 12075;
}
int YesNoLabel(std::string_view flag) { return flag == "1" ? 12048 : 12047; }

}  // namespace

void PaperTable::setCatalog(const platform::Dictionary& catalog) {
    m_papers = catalog.copy();
    m_keys = m_papers.keys();
    std::sort(m_keys.begin(), m_keys.end());
}

void PaperTable::addVirtualPaper() {
    if (hasVirtualPaper()) return;
    m_papers.set("0", platform::Dictionary{{"Name", kBodyPaperName}, {"VirtualPaper", "1"}});
    m_keys.insert(m_keys.begin(), "0");
}

void PaperTable::removeVirtualPaper() {
    if (!hasVirtualPaper()) return;
    m_papers.remove("0");
    m_keys.erase(m_keys.begin());
}

std::string PaperTable::name(int row) const {
    if (row < 0 || row >= numberOfRows()) return {};
    return m_papers[m_keys[static_cast<std::size_t>(row)]]["Name"].text();
}

std::string PaperTable::cell(std::string_view column, int row, const LabelText& label) const {
    const int index = ColumnIndex(column);
    if (index < 0 || row < 0 || row >= numberOfRows()) return {};
    const std::string& value = m_papers[m_keys[static_cast<std::size_t>(row)]][kFields[index]].text();
    if (index == 5) return label(ModeLabel(value));
    if (index >= 6) return label(YesNoLabel(value));
    return value;
}

int PaperTable::findPaperIndex(std::string_view paperName) const {
    if (m_keys.empty()) return -1;
    for (int row = 0; row < numberOfRows(); ++row) {
        if (name(row) == paperName) return row;
    }
    return 0;
}

void PaperTable::sizeColumns(platform::TableView& table, const platform::Value& widths) {
    if (!widths.isDictionary()) return;
    for (std::size_t c = 0; c < kFields.size(); ++c) {
        platform::TableColumn* column = table.tableColumnWithIdentifier(std::to_string(c));
        if (!column) continue;
        const double width = widths[kWidths[c]].intValue();
        column->minWidth = 80;
        column->width = width;
        column->maxWidth = width + 30;
    }
}
