// Plain objects for every control the forms use. They hold the state the behaviour reads and
// writes and run the handlers; the view observes them and mirrors them in widgets.
#pragma once

#include <cstddef>
#include <functional>
#include <string>
#include <vector>

namespace vz {

class Host;

struct Bounds {
    int left = 0;
    int top = 0;
    int width = 0;
    int height = 0;
    bool operator==(const Bounds&) const = default;
};

enum class CaptionColour { WindowText, GrayText };

// Every state change calls the observers; the view is one of them.
class Observable {
  public:
    using Observer = std::function<void()>;
    Observable() = default;
    Observable(const Observable&) = delete;
    Observable& operator=(const Observable&) = delete;
    virtual ~Observable() = default;

    void observe(Observer observer) { observers_.push_back(std::move(observer)); }

  protected:
    void notify();
    template <class T>
    void assign(T& field, T value) {
        if (field == value)
            return;
        field = std::move(value);
        notify();
    }

  private:
    std::vector<Observer> observers_;
};

enum class ControlKind {
    CheckBox,
    RadioButton,
    Edit,
    NumberEdit,
    ComboBox,
    Label,
    Button,
    SpeedButton,
    GroupBox,
    CollapsiblePanel,
    StringGrid,
    StatusBar,
    Image,
};

class Container;

class Control : public Observable {
  public:
    Control(Container& parent, std::string name, Bounds bounds);

    virtual ControlKind kind() const = 0;
    const std::string& name() const { return name_; }
    Container& parent() const { return parent_; }

    const Bounds& bounds() const { return bounds_; }
    void setBounds(Bounds bounds) { assign(bounds_, bounds); }
    const std::string& caption() const { return caption_; }
    void setCaption(std::string caption) { assign(caption_, std::move(caption)); }
    bool enabled() const { return enabled_; }
    void setEnabled(bool enabled) { assign(enabled_, enabled); }
    bool visible() const { return visible_; }
    void setVisible(bool visible) { assign(visible_, visible); }
    const std::string& hint() const { return hint_; }
    void setHint(std::string hint) { assign(hint_, std::move(hint)); }
    bool handCursor() const { return handCursor_; }
    void setHandCursor(bool hand) { assign(handCursor_, hand); }
    CaptionColour captionColour() const { return captionColour_; }
    void setCaptionColour(CaptionColour colour) { assign(captionColour_, colour); }

  private:
    std::string name_;
    Container& parent_;
    Bounds bounds_;
    std::string caption_;
    bool enabled_ = true;
    bool visible_ = true;
    std::string hint_;
    bool handCursor_ = false;
    CaptionColour captionColour_ = CaptionColour::WindowText;
};

// Anything that holds controls: a form, a group box, a collapsible panel.
class Container {
  public:
    virtual ~Container() = default;
    const std::vector<Control*>& children() const { return children_; }
    void adopt(Control& child);

  private:
    std::vector<Control*> children_;
};

class CheckBox : public Control {
  public:
    using Control::Control;
    ControlKind kind() const override { return ControlKind::CheckBox; }

    bool checked() const { return checked_; }
    // Runs the click handler on every actual change, from code as from the user.
    void setChecked(bool checked);
    void click() { setChecked(!checked_); }

    std::function<void()> onClick;

  private:
    bool checked_ = false;
};

class RadioButton;

// The buttons of one group; at most one is checked, possibly none.
class RadioGroup {
  public:
    void add(RadioButton& button) { buttons_.push_back(&button); }
    const std::vector<RadioButton*>& buttons() const { return buttons_; }

  private:
    std::vector<RadioButton*> buttons_;
};

class RadioButton : public Control {
  public:
    RadioButton(Container& parent, std::string name, Bounds bounds, RadioGroup& group);
    ControlKind kind() const override { return ControlKind::RadioButton; }

    bool checked() const { return checked_; }
    // Checking unchecks the rest of the group without running their handlers, then runs this
    // button's handler; unchecking runs nothing.
    void setChecked(bool checked);
    void click() { setChecked(true); }

    std::function<void()> onClick;

  private:
    void clear() { assign(checked_, false); }

    RadioGroup& group_;
    bool checked_ = false;
};

// A text field. Typed characters pass the key filter first; a filter that sets the
// character to '\0' swallows it.
class Edit : public Control {
  public:
    using Control::Control;
    ControlKind kind() const override { return ControlKind::Edit; }

    const std::string& text() const { return text_; }
    void setText(std::string text) { assign(text_, std::move(text)); }
    std::size_t maxLength() const { return maxLength_; }
    void setMaxLength(std::size_t length) { assign(maxLength_, length); }

    // Returns the character to insert, or '\0' when the filter swallowed it.
    char typeCharacter(char key);
    virtual void focusLost() {}

    std::function<void(char& key)> onKeyPress;

  private:
    std::string text_;
    std::size_t maxLength_ = 0;  // 0: no limit
};

// A whole-number field that shows "0" when it is left empty.
class NumberEdit : public Edit {
  public:
    using Edit::Edit;
    ControlKind kind() const override { return ControlKind::NumberEdit; }
    void focusLost() override;
};

// An editable combo box: a text field over a drop-down list.
class ComboBox : public Edit {
  public:
    using Edit::Edit;
    ControlKind kind() const override { return ControlKind::ComboBox; }

    const std::vector<std::string>& items() const { return items_; }
    void setItems(std::vector<std::string> items) { assign(items_, std::move(items)); }
    int itemIndex() const { return itemIndex_; }
    // Selecting an item puts its caption into the text; -1 selects nothing.
    void setItemIndex(int index);
    int dropDownCount() const { return dropDownCount_; }
    void setDropDownCount(int count) { assign(dropDownCount_, count); }

  private:
    std::vector<std::string> items_;
    int itemIndex_ = -1;
    int dropDownCount_ = 8;
};

class Label : public Control {
  public:
    using Control::Control;
    ControlKind kind() const override { return ControlKind::Label; }
};

class Button : public Control {
  public:
    using Control::Control;
    ControlKind kind() const override { return ControlKind::Button; }
    void click();
    std::function<void()> onClick;
};

enum class Glyph { Browse, Help, Ini, OpenList, SaveList };

// A flat button that shows a glyph instead of a caption.
class SpeedButton : public Button {
  public:
    SpeedButton(Container& parent, std::string name, Bounds bounds, Glyph glyph)
        : Button(parent, std::move(name), bounds), glyph_(glyph) {}
    ControlKind kind() const override { return ControlKind::SpeedButton; }
    Glyph glyph() const { return glyph_; }

  private:
    Glyph glyph_;
};

class GroupBox : public Control, public Container {
  public:
    using Control::Control;
    ControlKind kind() const override { return ControlKind::GroupBox; }
};

// A panel that folds up to its caption bar; its own button in the bar toggles it.
class CollapsiblePanel : public Control, public Container {
  public:
    static constexpr int kCaptionBarHeight = 22;
    using Control::Control;
    ControlKind kind() const override { return ControlKind::CollapsiblePanel; }

    bool collapsed() const { return collapsed_; }
    void setCollapsed(bool collapsed) { assign(collapsed_, collapsed); }

  private:
    bool collapsed_ = false;
};

// Rows of text cells; never fewer than one row.
class StringGrid : public Control {
  public:
    StringGrid(Container& parent, std::string name, Bounds bounds, int columns);
    ControlKind kind() const override { return ControlKind::StringGrid; }

    int columnCount() const { return columns_; }
    int rowCount() const { return static_cast<int>(cells_.size()) / columns_; }
    // Shrinking drops the cells of the removed rows; growing adds empty rows.
    void setRowCount(int rows);
    const std::string& cell(int column, int row) const;
    void setCell(int column, int row, std::string text);
    int row() const { return row_; }  // the selected row
    void setRow(int row);
    int defaultColumnWidth() const { return columnWidth_; }
    void setDefaultColumnWidth(int width) { assign(columnWidth_, width); }
    int defaultRowHeight() const { return rowHeight_; }
    void setDefaultRowHeight(int height) { assign(rowHeight_, height); }

  private:
    std::size_t index(int column, int row) const;

    int columns_;
    std::vector<std::string> cells_;
    int row_ = 0;
    int columnWidth_ = 64;
    int rowHeight_ = 24;
};

class StatusBar : public Control {
  public:
    struct Panel {
        int width = 0;
        std::string text;
        bool operator==(const Panel&) const = default;
    };
    using Control::Control;
    ControlKind kind() const override { return ControlKind::StatusBar; }

    const std::vector<Panel>& panels() const { return panels_; }
    void setPanels(std::vector<Panel> panels) { assign(panels_, std::move(panels)); }
    void setPanelText(std::size_t index, std::string text);

  private:
    std::vector<Panel> panels_;
};

class Image : public Control {
  public:
    using Control::Control;
    ControlKind kind() const override { return ControlKind::Image; }
};

// An item of a main or popup menu. Setting its check mark runs nothing; a click runs the
// handler. A caption of "-" makes a separator.
class MenuItem : public Observable {
  public:
    MenuItem(std::string name, std::string caption);
    MenuItem(MenuItem& parent, std::string name, std::string caption);

    const std::string& name() const { return name_; }
    const std::vector<MenuItem*>& items() const { return items_; }
    bool isSeparator() const { return caption_ == "-"; }
    const std::string& caption() const { return caption_; }
    void setCaption(std::string caption) { assign(caption_, std::move(caption)); }
    bool enabled() const { return enabled_; }
    void setEnabled(bool enabled) { assign(enabled_, enabled); }
    bool visible() const { return visible_; }
    void setVisible(bool visible) { assign(visible_, visible); }
    bool checked() const { return checked_; }
    void setChecked(bool checked) { assign(checked_, checked); }
    void click();

    std::function<void()> onClick;

  private:
    std::string name_;
    std::string caption_;
    bool enabled_ = true;
    bool visible_ = true;
    bool checked_ = false;
    std::vector<MenuItem*> items_;
};

// The top-level items of a menu bar or of a context menu.
class Menu {
  public:
    explicit Menu(std::string name) : name_(std::move(name)) {}
    const std::string& name() const { return name_; }
    const std::vector<MenuItem*>& items() const { return items_; }
    void add(MenuItem& item) { items_.push_back(&item); }

  private:
    std::string name_;
    std::vector<MenuItem*> items_;
};

class TrayIcon : public Observable {
  public:
    TrayIcon(std::string name, Menu& popupMenu) : name_(std::move(name)), popupMenu_(popupMenu) {}
    const std::string& name() const { return name_; }
    Menu& popupMenu() const { return popupMenu_; }
    bool visible() const { return visible_; }
    void setVisible(bool visible) { assign(visible_, visible); }
    void doubleClick();

    std::function<void()> onDoubleClick;

  private:
    std::string name_;
    Menu& popupMenu_;
    bool visible_ = false;
};

enum class MessageIcon { Warning, Stop, Information, Help };

// The form's one message box: each use sets caption, text, icon and buttons, then shows it.
// The result is 1 for "OK", 2 for "Cancelar", 3 for "Abortar".
class MessageDialog {
  public:
    explicit MessageDialog(Host& host) : host_(host) {}
    std::string caption;
    std::string text;
    MessageIcon icon = MessageIcon::Information;
    int buttonCount = 1;
    int showModal();
    // Sets caption, text, icon and buttons, then shows the box.
    int show(std::string caption, std::string text, MessageIcon icon, int buttons);

  private:
    Host& host_;
};

struct FileDialogOptions {
    bool pathMustExist = false;
    bool fileMustExist = false;
    bool createPrompt = false;
    bool overwritePrompt = false;
};

// A common open or save dialog. A successful run leaves the chosen path in fileName.
class FileDialog {
  public:
    enum class Kind { Open, Save };
    using Options = FileDialogOptions;
    FileDialog(Host& host, std::string name, Kind kind, std::string title, std::string filter,
               std::string defaultExtension, Options options = {});

    const std::string& name() const { return name_; }
    Kind kind() const { return kind_; }
    const std::string& title() const { return title_; }
    // Pairs of description and pattern, separated by '|'.
    const std::string& filter() const { return filter_; }
    const std::string& defaultExtension() const { return defaultExtension_; }
    const Options& options() const { return options_; }

    std::string fileName;
    bool execute();

  private:
    Host& host_;
    std::string name_;
    Kind kind_;
    std::string title_;
    std::string filter_;
    std::string defaultExtension_;
    Options options_;
};

class Form : public Observable, public Container {
  public:
    Form(std::string name, std::string caption, int clientWidth, int clientHeight);

    const std::string& name() const { return name_; }
    const std::string& caption() const { return caption_; }
    int clientWidth() const { return clientWidth_; }
    int clientHeight() const { return clientHeight_; }
    bool visible() const { return visible_; }
    void setVisible(bool visible) { assign(visible_, visible); }
    // Shows the form again after it was closed, as a modal showing does.
    void open();
    // The menu bar, when the form has one.
    const Menu* mainMenu() const { return mainMenu_; }
    void setMainMenu(Menu& menu) { mainMenu_ = &menu; }

    // Runs the close handler; an error there keeps the form open.
    void close();
    bool closed() const { return closed_; }
    std::function<void()> onClose;

  private:
    std::string name_;
    std::string caption_;
    int clientWidth_;
    int clientHeight_;
    bool visible_ = false;
    bool closed_ = false;
    const Menu* mainMenu_ = nullptr;
};

}  // namespace vz
