// Views and controls, their connections to interface objects, and how the
// text widget layer draws them.
#include "Controls.h"

#include <algorithm>
#include <cmath>
#include <fstream>
#include <iterator>
#include <limits>

#include "FoundationValues.h"

namespace platform {

// Interface objects ---------------------------------------------------------

void InterfaceObject::addOutlet(std::string name, std::function<bool(View*)> toView,
                                std::function<bool(InterfaceObject*)> toObject) {
    m_outlets[std::move(name)] = Outlet{std::move(toView), std::move(toObject), false};
}

InterfaceObject::Connection InterfaceObject::connect(std::string_view name, View* view, InterfaceObject* object) {
    const auto found = m_outlets.find(name);
    if (found == m_outlets.end()) return Connection::NoSuchOutlet;
    Outlet& outlet = found->second;
    if (outlet.connected) return Connection::AlreadyMade;
    const bool made = view ? outlet.toView && outlet.toView(view) : outlet.toObject && outlet.toObject(object);
    if (!made) return Connection::WrongKind;
    outlet.connected = true;
    return Connection::Made;
}

InterfaceObject::Connection InterfaceObject::connectOutlet(std::string_view name, View& view) {
    return connect(name, &view, nullptr);
}

InterfaceObject::Connection InterfaceObject::connectOutlet(std::string_view name, InterfaceObject& object) {
    return connect(name, nullptr, &object);
}

std::vector<std::string> InterfaceObject::unconnectedOutlets() const {
    std::vector<std::string> names;
    for (const auto& [name, outlet] : m_outlets) {
        if (!outlet.connected) names.push_back(name);
    }
    return names;
}

bool InterfaceObject::hasAction(std::string_view name) const { return m_actions.find(name) != m_actions.end(); }

bool InterfaceObject::performAction(std::string_view name, Control& sender) {
    const auto found = m_actions.find(name);
    if (found == m_actions.end()) return false;
    if (!acceptsActions()) return true;
    // A copy: the action may replace the object's actions while it runs.
    const auto action = found->second;
    action(sender);
    return true;
}

// Views ----------------------------------------------------------------------

bool View::isVisible() const {
    for (const View* view = this; view; view = view->m_superview) {
        if (view->m_hidden) return false;
        auto* tabs = dynamic_cast<TabView*>(view->m_superview);
        if (tabs && !tabs->isShowing(*view)) return false;
    }
    return true;
}

void View::setFrameSize(double width, double height) {
    m_width = width;
    m_height = height;
}

View& View::addSubview(std::unique_ptr<View> view) {
    adopt(*view);
    m_subviews.push_back(std::move(view));
    return *m_subviews.back();
}

std::unique_ptr<View> View::replaceChild(View& old, std::unique_ptr<View> replacement) {
    for (auto& view : m_subviews) {
        if (view.get() != &old) continue;
        adopt(*replacement);
        std::swap(view, replacement);
        replacement->m_superview = nullptr;
        return replacement;
    }
    return nullptr;
}

std::vector<View*> View::children() const {
    std::vector<View*> children;
    for (const auto& view : m_subviews) children.push_back(view.get());
    return children;
}

View* View::findView(std::string_view outlet) {
    if (m_outlet == outlet) return this;
    for (View* child : children()) {
        if (View* found = child->findView(outlet)) return found;
    }
    return nullptr;
}

std::string View::describeBase(std::string_view kind, std::string_view value) const {
    std::string line(kind);
    if (!m_outlet.empty()) line += " " + m_outlet;
    if (!value.empty()) line += " " + std::string(value);
    if (!m_title.empty()) line += " \"" + m_title + "\"";
    if (!m_toolTip.empty()) line += " tip \"" + m_toolTip + "\"";
    return line;
}

std::string View::describe() const { return describeBase(className()); }

// Controls -------------------------------------------------------------------

void Control::setAction(InterfaceObject* target, std::string action) {
    m_target = target;
    m_action = std::move(action);
}

bool Control::sendAction() { return m_target && m_target->performAction(m_action, *this); }

int Control::intValue() const { return ReadInt(stringValue()); }

double Control::doubleValue() const { return ReadDouble(stringValue()); }

std::string Control::describeControl(std::string_view kind, std::string_view value) const {
    return describeBase(kind, value) + (isEnabled() ? "" : " disabled");
}

void Button::performClick() {
    if (!isEnabled()) return;
    if (auto* matrix = dynamic_cast<Matrix*>(superview()); matrix && m_type == ButtonType::Radio) {
        const std::vector<Button*> cells = matrix->cells();
        matrix->performClickOnCell(static_cast<int>(std::find(cells.begin(), cells.end(), this) - cells.begin()));
        return;
    }
    if (m_type == ButtonType::CheckBox) m_state = 1 - m_state;
    if (m_type == ButtonType::Radio) m_state = 1;
    sendAction();
}

std::string Button::stringValue() const { return FormatInteger(m_state); }

std::string Button::describe() const {
    switch (m_type) {
        case ButtonType::CheckBox:
            return describeControl("CheckBox", m_state ? "[x]" : "[ ]");
        case ButtonType::Radio:
            return describeControl("Radio", m_state ? "(o)" : "( )");
        case ButtonType::Image:
            return describeControl("ImageButton", "<" + (m_image ? m_image->name() : std::string()) + ">");
        case ButtonType::Push:
            break;
    }
    return describeControl("Button");
}

Button& Matrix::addCell(std::unique_ptr<Button> cell) { return static_cast<Button&>(addSubview(std::move(cell))); }

std::vector<Button*> Matrix::cells() const {
    std::vector<Button*> cells;
    for (const auto& view : subviews()) cells.push_back(static_cast<Button*>(view.get()));
    return cells;
}

Button* Matrix::cellWithTag(int tag) const {
    for (Button* cell : cells()) {
        if (cell->tag() == tag) return cell;
    }
    return nullptr;
}

Button* Matrix::selectedCell() const {
    const int row = selectedRow();
    return row < 0 ? nullptr : cells()[static_cast<std::size_t>(row)];
}

int Matrix::selectedRow() const {
    const std::vector<Button*> all = cells();
    for (std::size_t row = 0; row < all.size(); ++row) {
        if (all[row]->state()) return static_cast<int>(row);
    }
    return -1;
}

bool Matrix::selectCellAtRow(int row) {
    const std::vector<Button*> all = cells();
    if (row < 0 || static_cast<std::size_t>(row) >= all.size()) return false;
    for (std::size_t i = 0; i < all.size(); ++i) all[i]->setState(static_cast<int>(i) == row);
    return true;
}

bool Matrix::selectCellWithTag(int tag) {
    const std::vector<Button*> all = cells();
    for (std::size_t row = 0; row < all.size(); ++row) {
        if (all[row]->tag() == tag) return selectCellAtRow(static_cast<int>(row));
    }
    return false;
}

void Matrix::performClickOnCell(int row) {
    const std::vector<Button*> all = cells();
    if (!isEnabled() || row < 0 || static_cast<std::size_t>(row) >= all.size()) return;
    Button& cell = *all[static_cast<std::size_t>(row)];
    if (!cell.isEnabled()) return;
    selectCellAtRow(row);
    if (cell.action().empty()) sendAction();
    else cell.sendAction();
}

std::string Matrix::stringValue() const {
    const Button* cell = selectedCell();
    return cell ? cell->title() : std::string();
}

std::string Matrix::describe() const { return describeControl("Matrix"); }

void TextField::setIntValue(int value) { m_text = FormatInteger(value); }

void TextField::setFloatValue(float value) { m_text = Format("%g", static_cast<double>(value)); }

bool TextField::userChangedText(std::string text) {
    if (!isEnabled() || !m_editable) return false;
    m_text = std::move(text);
    if (m_delegate) m_delegate->controlTextDidChange(*this);
    return true;
}

bool TextField::userEndedEditing() {
    if (!isEnabled() || !m_editable) return false;
    if (m_delegate && !m_delegate->controlTextShouldEndEditing(*this)) return false;
    if (m_delegate) m_delegate->controlTextDidEndEditing(*this);
    if (!action().empty()) sendAction();
    return true;
}

std::string TextField::describe() const {
    if (!m_editable) return describeControl("Text", "\"" + m_text + "\"");
    return describeControl("TextField", "[" + m_text + "]");
}

void Stepper::performStep(bool up) {
    if (!isEnabled()) return;
    m_value = std::clamp(m_value + (up ? m_increment : -m_increment), m_min, m_max);
    sendAction();
}

int Stepper::intValue() const {
    if (std::isnan(m_value)) return 0;
    return static_cast<int>(std::clamp(m_value, static_cast<double>(std::numeric_limits<int>::min()),
                                       static_cast<double>(std::numeric_limits<int>::max())));
}

std::string Stepper::stringValue() const { return Format("%g", m_value); }

std::string Stepper::describe() const {
    return describeControl("Stepper", Format("%g (%g..%g by %g)", m_value, m_min, m_max, m_increment));
}

void ComboBox::addItems(const std::vector<std::string>& items) {
    m_items.insert(m_items.end(), items.begin(), items.end());
}

void ComboBox::removeAllItems() {
    m_items.clear();
    m_selected = -1;
}

void ComboBox::selectItemAtIndex(int index) {
    if (index < 0 || index >= numberOfItems()) {
        m_selected = -1;
        return;
    }
    m_selected = index;
    m_text = m_items[static_cast<std::size_t>(index)];
}

void ComboBox::performChoice(int index) {
    if (!isEnabled() || index < 0 || index >= numberOfItems()) return;
    selectItemAtIndex(index);
    sendAction();
}

std::string ComboBox::describe() const {
    std::string value = "[" + m_text + "]";
    for (std::size_t i = 0; i < m_items.size(); ++i) value += (i == 0 ? " of " : " | ") + m_items[i];
    return describeControl("ComboBox", value);
}

// Tables ---------------------------------------------------------------------

TableColumn& TableView::addTableColumn(TableColumn column) {
    m_columns.push_back(std::move(column));
    return m_columns.back();
}

TableColumn* TableView::tableColumnWithIdentifier(std::string_view identifier) {
    for (TableColumn& column : m_columns) {
        if (column.identifier == identifier) return &column;
    }
    return nullptr;
}

void TableView::reloadData() {
    m_rows = m_dataSource ? std::max(0, m_dataSource->numberOfRowsInTableView(*this)) : 0;
    std::set<int> kept;
    for (int row : m_selection) {
        if (row < m_rows) kept.insert(row);
    }
    if (kept != m_selection) changeSelection(std::move(kept), m_lastSelected < m_rows ? m_lastSelected : -1);
}

std::string TableView::cellText(const TableColumn& column, int row) const {
    return m_dataSource ? m_dataSource->objectValueForTableColumn(const_cast<TableView&>(*this), column, row)
                        : std::string();
}

void TableView::changeSelection(std::set<int> rows, int last) {
    if (rows == m_selection) return;
    m_selection = std::move(rows);
    m_lastSelected = m_selection.count(last) ? last : (m_selection.empty() ? -1 : *m_selection.rbegin());
    if (m_delegate) m_delegate->tableViewSelectionDidChange(*this);
}

void TableView::selectRowIndexes(const std::set<int>& rows, bool extend) {
    std::set<int> selection = extend && m_multiple ? m_selection : std::set<int>();
    int last = -1;
    for (int row : rows) {
        if (row < 0 || row >= m_rows) continue;
        if (!m_multiple) selection.clear();
        selection.insert(row);
        last = row;
    }
    if (last < 0 && extend) return;
    changeSelection(std::move(selection), last);
}

void TableView::deselectAll() { changeSelection({}, -1); }

bool TableView::performClickOnRow(int row, bool extend) {
    if (!isEnabled() || row < 0 || row >= m_rows) return false;
    if (m_delegate && !m_delegate->tableViewShouldSelectRow(*this, row)) return false;
    selectRowIndexes({row}, extend);
    return true;
}

std::string TableView::describe() const {
    std::string text = describeControl("Table", Format("%d rows", m_rows));
    for (const std::string& line : describeRows()) text += "\n" + line;
    return text;
}

std::vector<std::string> TableView::describeRows() const {
    std::vector<std::string> lines;
    std::string header = " ";
    for (const TableColumn& column : m_columns) header += " | " + column.title;
    lines.push_back(header + " |");
    for (int row = 0; row < m_rows; ++row) {
        std::string line = m_selection.count(row) ? ">" : " ";
        for (const TableColumn& column : m_columns) line += " | " + cellText(column, row);
        lines.push_back(line + " |");
    }
    return lines;
}

// Tab views and text views ---------------------------------------------------

TabView::Item& TabView::addTabViewItem(std::string label, std::unique_ptr<View> view) {
    if (!view) view = std::make_unique<View>();
    adopt(*view);
    m_items.push_back(Item{std::move(label), std::move(view)});
    if (m_selected < 0) m_selected = 0;
    return m_items.back();
}

void TabView::selectTabViewItemAtIndex(int index) {
    if (index >= 0 && index < numberOfTabViewItems()) m_selected = index;
}

bool TabView::isShowing(const View& view) const {
    return m_selected >= 0 && m_items[static_cast<std::size_t>(m_selected)].view.get() == &view;
}

std::vector<View*> TabView::children() const {
    std::vector<View*> children = View::children();
    for (const Item& item : m_items) children.push_back(item.view.get());
    return children;
}

std::unique_ptr<View> TabView::replaceChild(View& old, std::unique_ptr<View> replacement) {
    for (Item& item : m_items) {
        if (item.view.get() != &old) continue;
        adopt(*replacement);
        std::swap(item.view, replacement);
        replacement->m_superview = nullptr;
        return replacement;
    }
    return View::replaceChild(old, std::move(replacement));
}

std::string TabView::describe() const {
    std::string value = Format("tab %d of %d", m_selected, numberOfTabViewItems());
    if (m_selected >= 0) value += " \"" + m_items[static_cast<std::size_t>(m_selected)].label + "\"";
    return describeBase("TabView", value);
}

bool TextView::readDocument(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in) return false;
    // The stream's own reads: a folder's fails, setting bad rather than throwing.
    std::string text;
    char block[65536];
    while (in.read(block, sizeof block) || in.gcount() > 0) text.append(block, static_cast<std::size_t>(in.gcount()));
    if (in.bad()) return false;
    m_text = ValidUtf8(text);
    return true;
}

std::string TextView::describe() const {
    std::string style = m_color;
    if (m_underlined) style += style.empty() ? "underlined" : " underlined";
    if (!m_editable) style += style.empty() ? "read-only" : " read-only";
    std::string line = describeBase("TextView", style);
    std::size_t start = 0;
    while (start < m_text.size()) {
        std::size_t end = m_text.find('\n', start);
        if (end == std::string::npos) end = m_text.size();
        line += "\n  " + m_text.substr(start, end - start);
        start = end + 1;
    }
    return line;
}

// Drawing --------------------------------------------------------------------

namespace {

void Draw(const View& view, int depth, std::string& out) {
    if (view.isHidden()) return;
    const std::string indent(static_cast<std::size_t>(depth) * 2, ' ');
    const std::string text = view.describe();
    std::size_t start = 0;
    do {
        std::size_t end = text.find('\n', start);
        if (end == std::string::npos) end = text.size();
        out += indent + text.substr(start, end - start) + "\n";
        start = end + 1;
    } while (start <= text.size());
    if (const auto* tabs = dynamic_cast<const TabView*>(&view)) {
        for (const auto& subview : view.subviews()) Draw(*subview, depth + 1, out);
        if (tabs->indexOfSelectedTabViewItem() >= 0) {
            Draw(*const_cast<TabView*>(tabs)->tabViewItemAtIndex(tabs->indexOfSelectedTabViewItem()).view, depth + 1,
                 out);
        }
        return;
    }
    for (const View* child : view.children()) Draw(*child, depth + 1, out);
}

}  // namespace

std::string DrawAsText(const View& root) {
    std::string out;
    Draw(root, 0, out);
    return out;
}

}  // namespace platform
