// Stand-in for the platform's views and controls, as far as the dialog's
// panes use them: views with subviews, buttons (push, check box, radio,
// image), button matrices, text fields with a delegate, steppers, combo
// boxes, tables with a data source and a delegate, tab views and text views,
// each with its tag, tool tip, enabled and hidden state.
//
// Controls are bound to the objects of an interface file (InterfaceFile.h):
// a control sends its action, by name, to its target, an InterfaceObject,
// which declares its actions and outlets by name. Changing a control from
// code never sends its action nor tells its delegate, except where the
// platform does so too (a table tells its delegate of every change of its
// selection); what the user does comes through the user driver
// (UserDriver.h), which works the controls as a user would.
//
// The widget layer draws as text: DrawAsText shows the visible part of a
// view tree, one control a line, with its outlet name, label and value.
#pragma once

#include <concepts>
#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <set>
#include <string>
#include <string_view>
#include <vector>

#include "Image.h"

namespace platform {

class Control;
class View;

// An object that an interface file creates or connects: it names its outlets
// (the views and objects it refers to) and its actions (what its controls
// send it), so that the file binds them by name.
class InterfaceObject {
public:
    InterfaceObject() = default;
    virtual ~InterfaceObject() = default;
    InterfaceObject(const InterfaceObject&) = delete;
    InterfaceObject& operator=(const InterfaceObject&) = delete;

    // Sent once to every object of an interface file, the owner last, after
    // every connection of the file is made.
    virtual void awakeFromNib() {}

    enum class Connection {
        Made,
        NoSuchOutlet,  // the object declares no outlet of that name
        WrongKind,     // the outlet is for another kind of view or object
        AlreadyMade,   // the outlet was connected before
    };
    Connection connectOutlet(std::string_view name, View& view);
    Connection connectOutlet(std::string_view name, InterfaceObject& object);
    // The declared outlets that no connection reached, in name order.
    std::vector<std::string> unconnectedOutlets() const;

    bool hasAction(std::string_view name) const;
    // Runs the named action with the control that sent it; false when the
    // object has no action of that name. While the object takes no actions,
    // the click reaches nothing.
    bool performAction(std::string_view name, Control& sender);
    // Whether the object takes its controls' actions now (a pane does not
    // while it has no bridge to send them to).
    virtual bool acceptsActions() const { return true; }

protected:
    // Declares an outlet to a view of kind T (or any kind derived from it).
    template <std::derived_from<View> T>
    void declareOutlet(std::string name, T*& slot) {
        addOutlet(std::move(name), [&slot](View* view) { return set(slot, dynamic_cast<T*>(view)); }, nullptr);
    }
    // Declares an outlet to another object of the interface file.
    template <std::derived_from<InterfaceObject> T>
    void declareOutlet(std::string name, T*& slot) {
        addOutlet(std::move(name), nullptr,
                  [&slot](InterfaceObject* object) { return set(slot, dynamic_cast<T*>(object)); });
    }
    // Declares an action, a member function taking the control that sends
    // it; named as the controls name it ("selectJobsetup:").
    template <class Self>
    void declareAction(std::string name, void (Self::*method)(Control&)) {
        Self* self = static_cast<Self*>(this);
        m_actions[std::move(name)] = [self, method](Control& sender) { (self->*method)(sender); };
    }

private:
    struct Outlet {
        std::function<bool(View*)> toView;
        std::function<bool(InterfaceObject*)> toObject;
        bool connected = false;
    };
    template <class T>
    static bool set(T*& slot, T* value) {
        if (!value) return false;
        slot = value;
        return true;
    }
    void addOutlet(std::string name, std::function<bool(View*)> toView, std::function<bool(InterfaceObject*)> toObject);
    Connection connect(std::string_view name, View* view, InterfaceObject* object);

    std::map<std::string, Outlet, std::less<>> m_outlets;
    std::map<std::string, std::function<void(Control&)>, std::less<>> m_actions;
};

// A rectangle of the pane that holds other views. A view owns its subviews.
class View {
public:
    View() = default;
    virtual ~View() = default;
    View(const View&) = delete;
    View& operator=(const View&) = delete;

    // The class name the interface file gives the view ("Button").
    virtual const char* className() const { return "View"; }

    // The name of the outlet the interface file connects the view to, by
    // which the user driver finds it; "" for none.
    const std::string& outlet() const { return m_outlet; }
    void setOutlet(std::string outlet) { m_outlet = std::move(outlet); }
    int tag() const { return m_tag; }
    void setTag(int tag) { m_tag = tag; }
    // The caption of a group box, the text of a button.
    const std::string& title() const { return m_title; }
    void setTitle(std::string title) { m_title = std::move(title); }
    const std::string& toolTip() const { return m_toolTip; }
    void setToolTip(std::string toolTip) { m_toolTip = std::move(toolTip); }
    bool isHidden() const { return m_hidden; }
    void setHidden(bool hidden) { m_hidden = hidden; }
    // True when neither the view nor any view that holds it is hidden, and
    // every tab view that holds it shows the tab it is in.
    bool isVisible() const;
    double width() const { return m_width; }
    double height() const { return m_height; }
    void setFrameSize(double width, double height);

    View* superview() const { return m_superview; }
    const std::vector<std::unique_ptr<View>>& subviews() const { return m_subviews; }
    View& addSubview(std::unique_ptr<View> view);
    // Puts the replacement in the place of a view directly inside this one
    // and returns the view it replaced; nullptr, and nothing changed, when
    // the old view is not directly inside this one.
    virtual std::unique_ptr<View> replaceChild(View& old, std::unique_ptr<View> replacement);
    // The views directly inside this one: its subviews, and for a tab view
    // the view of each tab.
    virtual std::vector<View*> children() const;
    // The first view of this tree, this one included and searched depth
    // first, whose outlet is the name; nullptr when there is none.
    View* findView(std::string_view outlet);

    // One line of text that shows the view: its kind, outlet and state.
    virtual std::string describe() const;

protected:
    friend class TabView;
    // The kind, outlet, value, title and tool tip: the start of every
    // description.
    std::string describeBase(std::string_view kind, std::string_view value = {}) const;
    void adopt(View& child) { child.m_superview = this; }

private:
    std::string m_outlet;
    int m_tag = 0;
    std::string m_title;
    std::string m_toolTip;
    bool m_hidden = false;
    double m_width = 0;
    double m_height = 0;
    View* m_superview = nullptr;
    std::vector<std::unique_ptr<View>> m_subviews;
};

// A view the user works: it can be disabled, and it sends its action, by
// name, to its target.
class Control : public View {
public:
    const char* className() const override { return "Control"; }

    bool isEnabled() const { return m_enabled; }
    void setEnabled(bool enabled) { m_enabled = enabled; }

    void setAction(InterfaceObject* target, std::string action);
    InterfaceObject* target() const { return m_target; }
    const std::string& action() const { return m_action; }
    // Sends the action to the target with this control as the sender;
    // false when it has no target or the target no such action.
    bool sendAction();

    // The value as text, and read as a number the platform's way.
    virtual std::string stringValue() const { return title(); }
    virtual int intValue() const;
    virtual double doubleValue() const;
    float floatValue() const { return static_cast<float>(doubleValue()); }

protected:
    // The same, and "disabled" when the control is.
    std::string describeControl(std::string_view kind, std::string_view value = {}) const;

private:
    bool m_enabled = true;
    InterfaceObject* m_target = nullptr;
    std::string m_action;
};

enum class ButtonType {
    Push,      // a momentary button with a title
    CheckBox,  // on and off; a click toggles it
    Radio,     // a click turns it on (and, in a matrix, the others off)
    Image,     // an icon button: it shows its image and has no state of its own
};

class Button : public Control {
public:
    explicit Button(ButtonType type = ButtonType::Push) : m_type(type) {}
    const char* className() const override { return "Button"; }

    ButtonType buttonType() const { return m_type; }
    // 1 on, 0 off.
    int state() const { return m_state; }
    void setState(int state) { m_state = state != 0 ? 1 : 0; }
    const std::optional<Image>& image() const { return m_image; }
    void setImage(std::optional<Image> image) { m_image = std::move(image); }

    // What a click does: a check box toggles, a radio button turns on, then
    // the action is sent. Nothing for a disabled button.
    void performClick();

    std::string stringValue() const override;
    std::string describe() const override;

private:
    ButtonType m_type;
    int m_state = 0;
    std::optional<Image> m_image;
};

// Radio buttons in a group, of which one is on; when the user chooses a cell
// (or clicks it), the cell sends its own action, or the matrix its action
// when the cell has none. Its cells are its subviews.
class Matrix : public Control {
public:
    const char* className() const override { return "Matrix"; }

    // Adds a cell (a radio button) at the end.
    Button& addCell(std::unique_ptr<Button> cell);
    std::vector<Button*> cells() const;
    Button* cellWithTag(int tag) const;
    // The cell that is on and its index; nullptr and -1 when none is.
    Button* selectedCell() const;
    int selectedRow() const;
    // Turns the cell at the index on and the others off; false for an index
    // out of range.
    bool selectCellAtRow(int row);
    bool selectCellWithTag(int tag);

    // The user's choice of a cell: selected, then the cell's action sent, or
    // the matrix's when the cell has none. Nothing for a disabled matrix or
    // cell.
    void performClickOnCell(int row);

    std::string stringValue() const override;
    std::string describe() const override;
};

class TextField;

// What a text field tells the object that edits it.
class TextFieldDelegate {
public:
    virtual ~TextFieldDelegate() = default;
    // After every change the user makes to the text.
    virtual void controlTextDidChange(TextField&) {}
    // When the user leaves the field; false keeps the user in it.
    virtual bool controlTextShouldEndEditing(TextField&) { return true; }
    // After the user has left the field.
    virtual void controlTextDidEndEditing(TextField&) {}
};

// A field of text: editable, or a label when not.
class TextField : public Control {
public:
    const char* className() const override { return "TextField"; }

    std::string stringValue() const override { return m_text; }
    void setStringValue(std::string text) { m_text = std::move(text); }
    // "%d" of the number, and "%g"-like text of a real with a point as the
    // decimal separator.
    void setIntValue(int value);
    void setFloatValue(float value);
    bool isEditable() const { return m_editable; }
    void setEditable(bool editable) { m_editable = editable; }
    TextFieldDelegate* delegate() const { return m_delegate; }
    void setDelegate(TextFieldDelegate* delegate) { m_delegate = delegate; }

    // The user's editing: the text changed (the delegate is told), and the
    // user leaving the field (the delegate may keep the user in it; when it
    // does not, it is told, and the field sends its action when it has one).
    // Nothing for a field that is disabled or not editable; false then, or
    // when the delegate keeps the user in the field.
    bool userChangedText(std::string text);
    bool userEndedEditing();

    std::string describe() const override;

private:
    std::string m_text;
    bool m_editable = true;
    TextFieldDelegate* m_delegate = nullptr;
};

// Arrows that step a number between its lowest and highest value; a step
// past either end stays at the end (steppers here never wrap around).
class Stepper : public Control {
public:
    const char* className() const override { return "Stepper"; }

    double value() const { return m_value; }
    void setDoubleValue(double value) { m_value = value; }
    void setFloatValue(float value) { m_value = value; }
    void setIntValue(int value) { m_value = value; }
    double minValue() const { return m_min; }
    double maxValue() const { return m_max; }
    double increment() const { return m_increment; }
    void setMinValue(double value) { m_min = value; }
    void setMaxValue(double value) { m_max = value; }
    void setIncrement(double value) { m_increment = value; }

    // The user's click on an arrow: one increment up or down, kept within
    // the limits, then the action sent. Nothing when disabled.
    void performStep(bool up);

    std::string stringValue() const override;
    // The value cut toward zero, kept within the range of int.
    int intValue() const override;
    double doubleValue() const override { return m_value; }
    std::string describe() const override;

private:
    double m_value = 0;
    double m_min = 0;
    double m_max = 59;
    double m_increment = 1;
};

// A list of items of which one can be chosen, its text shown in the field.
class ComboBox : public Control {
public:
    const char* className() const override { return "ComboBox"; }

    void addItems(const std::vector<std::string>& items);
    void removeAllItems();
    int numberOfItems() const { return static_cast<int>(m_items.size()); }
    const std::vector<std::string>& items() const { return m_items; }
    // -1 when no item is chosen.
    int indexOfSelectedItem() const { return m_selected; }
    // Chooses the item and shows its text; an index out of range chooses
    // none and leaves the text.
    void selectItemAtIndex(int index);

    // How many items the open list shows at once.
    int numberOfVisibleItems() const { return m_visibleItems; }
    void setNumberOfVisibleItems(int count) { m_visibleItems = count; }

    // The user's choice of an item: chosen, then the action sent. Nothing
    // when disabled or out of range.
    void performChoice(int index);

    std::string stringValue() const override { return m_text; }
    void setStringValue(std::string text) { m_text = std::move(text); }
    std::string describe() const override;

private:
    std::vector<std::string> m_items;
    int m_selected = -1;
    int m_visibleItems = 5;
    std::string m_text;
};

class TableView;

// One column of a table: its identifier ("0", "1", ...) names the cell of a
// row that it shows.
struct TableColumn {
    std::string identifier;
    std::string title;  // the header's text
    double minWidth = 10;
    double width = 100;
    double maxWidth = 1000;
    bool headerEditable = false;
};

// Where a table's rows come from.
class TableDataSource {
public:
    virtual ~TableDataSource() = default;
    virtual int numberOfRowsInTableView(TableView&) = 0;
    virtual std::string objectValueForTableColumn(TableView&, const TableColumn&, int row) = 0;
};

// What a table tells of its selection.
class TableDelegate {
public:
    virtual ~TableDelegate() = default;
    // Asked for each row the user clicks; false refuses it. Selections made
    // from code are not asked about.
    virtual bool tableViewShouldSelectRow(TableView&, int) { return true; }
    // After every change of the selection, by the user or by code.
    virtual void tableViewSelectionDidChange(TableView&) {}
};

class TableView : public Control {
public:
    const char* className() const override { return "TableView"; }

    TableColumn& addTableColumn(TableColumn column);
    std::vector<TableColumn>& tableColumns() { return m_columns; }
    const std::vector<TableColumn>& tableColumns() const { return m_columns; }
    TableColumn* tableColumnWithIdentifier(std::string_view identifier);

    TableDataSource* dataSource() const { return m_dataSource; }
    void setDataSource(TableDataSource* source) { m_dataSource = source; }
    TableDelegate* delegate() const { return m_delegate; }
    void setDelegate(TableDelegate* delegate) { m_delegate = delegate; }
    bool allowsMultipleSelection() const { return m_multiple; }
    void setAllowsMultipleSelection(bool multiple) { m_multiple = multiple; }

    // Asks the data source for its rows again; selected rows past the new
    // end leave the selection (the delegate is told when any does).
    void reloadData();
    int numberOfRows() const { return m_rows; }
    // The text of a cell, from the data source; "" without one.
    std::string cellText(const TableColumn& column, int row) const;

    // The last row selected or added to the selection; -1 when none is.
    int selectedRow() const { return m_selection.empty() ? -1 : m_lastSelected; }
    const std::set<int>& selectedRowIndexes() const { return m_selection; }
    // Selects the rows (within the table; others are dropped), replacing
    // the selection or, with extend, adding to it; a table without multiple
    // selection keeps the last row only. The delegate is told when the
    // selection changed.
    void selectRowIndexes(const std::set<int>& rows, bool extend);
    void selectRow(int row, bool extend) { selectRowIndexes({row}, extend); }
    void deselectAll();
    void scrollRowToVisible(int row) { m_scrolledTo = row; }
    // The row last scrolled into view; -1 before any.
    int scrolledRow() const { return m_scrolledTo; }

    // The user's click on a row, with the key that adds to the selection
    // held when extend is set: the delegate may refuse the row. False, and
    // nothing changed, when disabled, out of range or refused.
    bool performClickOnRow(int row, bool extend);

    std::string describe() const override;
    // The header line and one line per row, the selected ones marked.
    std::vector<std::string> describeRows() const;

private:
    void changeSelection(std::set<int> rows, int last);

    std::vector<TableColumn> m_columns;
    TableDataSource* m_dataSource = nullptr;
    TableDelegate* m_delegate = nullptr;
    bool m_multiple = false;
    int m_rows = 0;
    std::set<int> m_selection;
    int m_lastSelected = -1;
    int m_scrolledTo = -1;
};

// Pages of views of which one is shown, chosen by code or, when the tab view
// shows its tabs, by the user.
class TabView : public View {
public:
    struct Item {
        std::string label;
        std::unique_ptr<View> view;
    };

    const char* className() const override { return "TabView"; }

    Item& addTabViewItem(std::string label, std::unique_ptr<View> view);
    int numberOfTabViewItems() const { return static_cast<int>(m_items.size()); }
    Item& tabViewItemAtIndex(int index) { return m_items.at(static_cast<std::size_t>(index)); }
    // -1 while there is no tab.
    int indexOfSelectedTabViewItem() const { return m_selected; }
    // Shows the tab; an index out of range changes nothing.
    void selectTabViewItemAtIndex(int index);
    // True when the view is the view of the tab shown.
    bool isShowing(const View& view) const;
    // False for a tab view chosen through other controls only.
    bool showsTabs() const { return m_showsTabs; }
    void setShowsTabs(bool shows) { m_showsTabs = shows; }

    std::vector<View*> children() const override;
    std::unique_ptr<View> replaceChild(View& old, std::unique_ptr<View> replacement) override;
    std::string describe() const override;

private:
    std::vector<Item> m_items;
    int m_selected = -1;
    bool m_showsTabs = true;
};

// A block of text, such as the licence agreement.
class TextView : public View {
public:
    const char* className() const override { return "TextView"; }

    const std::string& string() const { return m_text; }
    void setString(std::string text) { m_text = std::move(text); }
    // Reads a document into the view; the text layer shows documents as
    // plain text. False, and the text unchanged, when the file cannot be
    // read.
    bool readDocument(const std::string& path);
    bool isEditable() const { return m_editable; }
    void setEditable(bool editable) { m_editable = editable; }
    bool isSelectable() const { return m_selectable; }
    void setSelectable(bool selectable) { m_selectable = selectable; }
    bool isRichText() const { return m_richText; }
    void setRichText(bool rich) { m_richText = rich; }
    // The colour's name ("" for the default) and the underline.
    const std::string& textColor() const { return m_color; }
    void setTextColor(std::string color) { m_color = std::move(color); }
    bool isUnderlined() const { return m_underlined; }
    void setUnderlined(bool underlined) { m_underlined = underlined; }

    std::string describe() const override;

private:
    std::string m_text;
    bool m_editable = true;
    bool m_selectable = true;
    bool m_richText = false;
    std::string m_color;
    bool m_underlined = false;
};

// The visible part of the tree as the text widget layer draws it: one line
// per view, indented by depth, hidden views and the tabs not shown left out.
std::string DrawAsText(const View& root);

}  // namespace platform
