#include "platform/controls.h"

#include <algorithm>
#include <stdexcept>

#include "platform/host.h"
#include "platform/paths.h"

namespace vz {

void Observable::notify() {
    // An observer may add observers; index rather than iterate.
    for (std::size_t i = 0; i < observers_.size(); ++i)
        observers_[i]();
}

Control::Control(Container& parent, std::string name, Bounds bounds)
    : name_(std::move(name)), parent_(parent), bounds_(bounds) {
    parent.adopt(*this);
}

void Container::adopt(Control& child) {
    children_.push_back(&child);
}

void CheckBox::setChecked(bool checked) {
    if (checked_ == checked)
        return;
    checked_ = checked;
    notify();
    if (onClick)
        onClick();
}

RadioButton::RadioButton(Container& parent, std::string name, Bounds bounds, RadioGroup& group)
    : Control(parent, std::move(name), bounds), group_(group) {
    group.add(*this);
}

void RadioButton::setChecked(bool checked) {
    if (checked_ == checked)
        return;
    if (!checked) {
        clear();
        return;
    }
    for (RadioButton* other : group_.buttons()) {
        if (other != this)
            other->clear();
    }
    checked_ = true;
    notify();
    if (onClick)
        onClick();
}

char Edit::typeCharacter(char key) {
    if (onKeyPress)
        onKeyPress(key);
    return key;
}

void NumberEdit::focusLost() {
    if (text().empty())
        setText("0");
}

void ComboBox::setItemIndex(int index) {
    if (index < -1 || index >= static_cast<int>(items_.size())) {
        throw std::out_of_range("List index out of bounds (" + std::to_string(index) + ")");
    }
    assign(itemIndex_, index);
    if (index >= 0)
        setText(items_[static_cast<std::size_t>(index)]);
}

void Button::click() {
    if (onClick)
        onClick();
}

StringGrid::StringGrid(Container& parent, std::string name, Bounds bounds, int columns)
    : Control(parent, std::move(name), bounds),
      columns_(columns),
      cells_(static_cast<std::size_t>(columns)) {}

void StringGrid::setRowCount(int rows) {
    rows = std::max(rows, 1);
    if (rows == rowCount())
        return;
    cells_.resize(static_cast<std::size_t>(rows) * static_cast<std::size_t>(columns_));
    row_ = std::min(row_, rows - 1);
    notify();
}

std::size_t StringGrid::index(int column, int row) const {
    if (column < 0 || column >= columns_ || row < 0 || row >= rowCount()) {
        throw std::out_of_range("Grid index out of range");
    }
    return static_cast<std::size_t>(row) * static_cast<std::size_t>(columns_) +
           static_cast<std::size_t>(column);
}

const std::string& StringGrid::cell(int column, int row) const {
    return cells_[index(column, row)];
}

void StringGrid::setCell(int column, int row, std::string text) {
    assign(cells_[index(column, row)], std::move(text));
}

void StringGrid::setRow(int row) {
    index(0, row);
    assign(row_, row);
}

void StatusBar::setPanelText(std::size_t index, std::string text) {
    if (index >= panels_.size())
        throw std::out_of_range("Status bar panel out of range");
    assign(panels_[index].text, std::move(text));
}

MenuItem::MenuItem(std::string name, std::string caption)
    : name_(std::move(name)), caption_(std::move(caption)) {}

MenuItem::MenuItem(MenuItem& parent, std::string name, std::string caption)
    : MenuItem(std::move(name), std::move(caption)) {
    parent.items_.push_back(this);
}

void MenuItem::click() {
    if (onClick)
        onClick();
}

void TrayIcon::doubleClick() {
    if (onDoubleClick)
        onDoubleClick();
}

int MessageDialog::showModal() {
    return host_.showMessage(*this);
}

int MessageDialog::show(std::string newCaption, std::string newText, MessageIcon newIcon,
                        int buttons) {
    caption = std::move(newCaption);
    text = std::move(newText);
    icon = newIcon;
    buttonCount = buttons;
    return showModal();
}

FileDialog::FileDialog(Host& host, std::string name, Kind kind, std::string title,
                       std::string filter, std::string defaultExtension, Options options)
    : host_(host),
      name_(std::move(name)),
      kind_(kind),
      title_(std::move(title)),
      filter_(std::move(filter)),
      defaultExtension_(std::move(defaultExtension)),
      options_(options) {}

bool FileDialog::execute() {
    auto chosen = host_.runFileDialog(*this);
    if (!chosen)
        return false;
    fileName = std::move(*chosen);
    // As the system's save dialog does: a name typed without extension gets the default one.
    if (kind_ == Kind::Save && !defaultExtension_.empty() && extensionOf(fileName).empty()) {
        fileName += "." + defaultExtension_;
    }
    return true;
}

Form::Form(std::string name, std::string caption, int clientWidth, int clientHeight)
    : name_(std::move(name)),
      caption_(std::move(caption)),
      clientWidth_(clientWidth),
      clientHeight_(clientHeight) {}

void Form::open() {
    closed_ = false;
    visible_ = true;
    notify();
}

void Form::close() {
    if (onClose)
        onClose();
    closed_ = true;
    visible_ = false;
    notify();
}

}  // namespace vz
