// The paper table of the panes that list the printer's papers: the bridge's
// paper-catalog dictionary in catalog order, optionally headed by a virtual
// row "<<Body Paper>>" that stands for the job's body paper, with the cells
// of its eight columns, the value and text a row sends to the bridge, and
// the column widths the bridge computes. Plain values only; the pane owns the
// table view.
#pragma once

#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "Controls.h"
#include "FoundationValues.h"

class PaperTable {
public:
    // The label text of an id, as the pane shows its labels.
    using LabelText = std::function<std::string(int)>;

    static constexpr char kBodyPaperName[] = "<<Body Paper>>";

    // A copy of the bridge's table, its keys in plain string order (the
    // bridge's keys have one width, so that is catalog order). No virtual row.
    void setCatalog(const platform::Dictionary& catalog);
    // The virtual row under key "0", first; nothing when it is there.
    void addVirtualPaper();
    void removeVirtualPaper();
    bool hasVirtualPaper() const { return m_papers.contains("0"); }

    int numberOfRows() const { return static_cast<int>(m_keys.size()); }
    // The row's "Name"; "" outside the rows.
    std::string name(int row) const;
    // The cell of column "0" to "7": name, size, colour, weight, type, mode,
    // precollated and punchable, the last three as labels; "" for any other
    // column or a row outside the rows.
    std::string cell(std::string_view column, int row, const LabelText& label) const;

    // What a row sends as the paper feature: with the virtual row, -1 and no
    // text for it and the catalog index (row - 1) with the name for the
    // others; without it, the row and its name.
    int featureValue(int row) const { return hasVirtualPaper() ? row - 1 : row; }
    std::string featureText(int row) const { return hasVirtualPaper() && row == 0 ? std::string() : name(row); }

    // The first row of that name, row 0 when none has it, -1 for an empty
    // table.
    int findPaperIndex(std::string_view paperName) const;

    // Sizes columns "0" to "7" from the bridge's "%d" widths: at least 80,
    // the width of the column's text, at most that plus 30. Nothing for a
    // value that is no dictionary.
    static void sizeColumns(platform::TableView& table, const platform::Value& widths);

private:
    platform::Dictionary m_papers;
    std::vector<std::string> m_keys;
};
