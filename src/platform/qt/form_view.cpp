#include "platform/qt/form_view.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QGroupBox>
#include <QGuiApplication>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPointer>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QSignalBlocker>
#include <QTableView>
#include <QToolButton>

#include "platform/dispatch.h"
#include "platform/qt/artwork.h"
#include "platform/qt/grid_model.h"
#include "platform/qt/key_filter.h"
#include "platform/qt/panel_widget.h"
#include "platform/qt/text.h"

namespace vz {
namespace {

constexpr int kMenuBarHeight = 24;

QRect rectOf(const Bounds& b) {
    return QRect(b.left, b.top, b.width, b.height);
}

// Calls sync now and after every change of the observable, for as long as the widget lives.
template <class W>
void keepInStep(Observable& model, W* widget, std::function<void(W*)> sync) {
    QPointer<W> guard(widget);
    sync(widget);
    model.observe([guard, sync] {
        if (guard)
            sync(guard.data());
    });
}

void applyCaptionColour(QWidget* widget, CaptionColour colour) {
    QPalette palette = widget->palette();
    palette.setColor(QPalette::WindowText,
                     colour == CaptionColour::GrayText ? QColor(128, 128, 128) : Qt::black);
    palette.setColor(QPalette::ButtonText,
                     colour == CaptionColour::GrayText ? QColor(128, 128, 128) : Qt::black);
    widget->setPalette(palette);
}

QWidget* buildCheckBox(CheckBox& box, QWidget* parent, Host& host) {
    auto* widget = new QCheckBox(parent);
    QObject::connect(widget, &QCheckBox::clicked, widget, [&box, &host, widget](bool checked) {
        dispatch(host, [&] { box.setChecked(checked); });
        QSignalBlocker block(widget);
        widget->setChecked(box.checked());
    });
    keepInStep<QCheckBox>(box, widget, [&box](QCheckBox* w) {
        QSignalBlocker block(w);
        w->setText(toQt(box.caption()));
        w->setChecked(box.checked());
    });
    return widget;
}

QWidget* buildRadioButton(RadioButton& button, QWidget* parent, Host& host) {
    auto* widget = new QRadioButton(parent);
    // The model keeps the groups: a group may have no checked button, which Qt's own
    // exclusive groups do not allow.
    widget->setAutoExclusive(false);
    QObject::connect(widget, &QRadioButton::clicked, widget, [&button, &host, widget] {
        dispatch(host, [&] { button.click(); });
        QSignalBlocker block(widget);
        widget->setChecked(button.checked());
    });
    keepInStep<QRadioButton>(button, widget, [&button](QRadioButton* w) {
        QSignalBlocker block(w);
        w->setText(toQt(button.caption()));
        w->setChecked(button.checked());
    });
    return widget;
}

void bindLineEdit(Edit& edit, QLineEdit* line, Host& host) {
    line->installEventFilter(new KeyFilter(edit, host, line));
    QObject::connect(line, &QLineEdit::textEdited, line, [&edit, &host](const QString& text) {
        dispatch(host, [&] { edit.setText(fromQt(text)); });
    });
}

QWidget* buildEdit(Edit& edit, QWidget* parent, Host& host) {
    auto* widget = new QLineEdit(parent);
    bindLineEdit(edit, widget, host);
    keepInStep<QLineEdit>(edit, widget, [&edit](QLineEdit* w) {
        QSignalBlocker block(w);
        w->setMaxLength(edit.maxLength() == 0 ? 32767 : static_cast<int>(edit.maxLength()));
        QString text = toQt(edit.text());
        if (w->text() != text)
            w->setText(text);
    });
    return widget;
}

QWidget* buildComboBox(ComboBox& combo, QWidget* parent, Host& host) {
    auto* widget = new QComboBox(parent);
    widget->setEditable(true);
    widget->setInsertPolicy(QComboBox::NoInsert);
    bindLineEdit(combo, widget->lineEdit(), host);
    QObject::connect(widget, &QComboBox::activated, widget, [&combo, &host](int index) {
        dispatch(host, [&] { combo.setItemIndex(index); });
    });
    keepInStep<QComboBox>(combo, widget, [&combo](QComboBox* w) {
        QSignalBlocker block(w);
        QStringList items;
        for (const auto& item : combo.items())
            items << toQt(item);
        QStringList shown;
        for (int i = 0; i < w->count(); ++i)
            shown << w->itemText(i);
        if (shown != items) {
            w->clear();
            w->addItems(items);
        }
        w->setMaxVisibleItems(combo.dropDownCount());
        w->lineEdit()->setMaxLength(combo.maxLength() == 0 ? 32767
                                                           : static_cast<int>(combo.maxLength()));
        w->setCurrentIndex(combo.itemIndex());
        QString text = toQt(combo.text());
        if (w->lineEdit()->text() != text)
            w->lineEdit()->setText(text);
    });
    return widget;
}

QWidget* buildLabel(Label& label, QWidget* parent) {
    auto* widget = new QLabel(parent);
    keepInStep<QLabel>(label, widget, [&label](QLabel* w) { w->setText(toQt(label.caption())); });
    return widget;
}

QWidget* buildButton(Button& button, QWidget* parent, Host& host) {
    auto* widget = new QPushButton(parent);
    QObject::connect(widget, &QPushButton::clicked, widget,
                     [&button, &host] { dispatch(host, [&] { button.click(); }); });
    keepInStep<QPushButton>(button, widget,
                            [&button](QPushButton* w) { w->setText(toQt(button.caption())); });
    return widget;
}

QWidget* buildSpeedButton(SpeedButton& button, QWidget* parent, Host& host) {
    auto* widget = new QToolButton(parent);
    widget->setAutoRaise(true);
    widget->setIcon(glyphIcon(button.glyph()));
    QObject::connect(widget, &QToolButton::clicked, widget,
                     [&button, &host] { dispatch(host, [&] { button.click(); }); });
    return widget;
}

QWidget* buildGrid(StringGrid& grid, QWidget* parent, Host& host) {
    auto* view = new QTableView(parent);
    auto* model = new GridModel(grid, view);
    view->setModel(model);
    view->horizontalHeader()->hide();
    view->verticalHeader()->hide();
    view->horizontalHeader()->setDefaultSectionSize(grid.defaultColumnWidth());
    view->verticalHeader()->setDefaultSectionSize(grid.defaultRowHeight());
    view->verticalHeader()->setMinimumSectionSize(1);
    view->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    view->setShowGrid(true);
    view->setSelectionBehavior(QAbstractItemView::SelectRows);
    view->setSelectionMode(QAbstractItemView::SingleSelection);
    view->setEditTriggers(QAbstractItemView::NoEditTriggers);
    view->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    view->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    view->setFrameShape(QFrame::NoFrame);
    view->setWordWrap(false);
    view->setStyleSheet(
        "QTableView { background: rgb(231,231,231); color: black; gridline-color: #b8b8b8; "
        "selection-background-color: navy; selection-color: white; }");
    QObject::connect(view->selectionModel(), &QItemSelectionModel::currentRowChanged, view,
                     [&grid, &host](const QModelIndex& current) {
                         if (!current.isValid() || current.row() >= grid.rowCount())
                             return;
                         dispatch(host, [&] { grid.setRow(current.row()); });
                     });
    QPointer<QTableView> guard(view);
    grid.observe([guard, model] {
        if (guard)
            model->scheduleRefresh();
    });
    return view;
}

QWidget* buildStatusBar(StatusBar& bar, QWidget* parent) {
    auto* widget = new QFrame(parent);
    widget->setObjectName("statusBar");
    widget->setStyleSheet(
        "#statusBar { background: qlineargradient(x1:0, y1:0, x2:0, y2:1, stop:0 #eef2f7, "
        "stop:1 #d6dde7); border-top: 1px solid #a9b5c5; }"
        "#statusBar QLabel { border-right: 1px solid #a9b5c5; }");
    keepInStep<QFrame>(bar, widget, [&bar](QFrame* w) {
        for (QLabel* old : w->findChildren<QLabel*>())
            delete old;
        int left = 0;
        const auto& panels = bar.panels();
        for (std::size_t i = 0; i < panels.size(); ++i) {
            auto* label = new QLabel(toQt(panels[i].text), w);
            label->setAlignment(Qt::AlignCenter);
            // The last panel takes the rest of the bar.
            int width = i + 1 == panels.size()
                            ? std::max(panels[i].width, bar.bounds().width - left)
                            : panels[i].width;
            label->setGeometry(left, 0, width, bar.bounds().height);
            label->show();
            left += width;
        }
    });
    return widget;
}

QWidget* buildImage(Image& image, QWidget* parent) {
    auto* widget = new QLabel(parent);
    widget->setAttribute(Qt::WA_TranslucentBackground);
    widget->setPixmap(logoPixmap(std::min(image.bounds().width, image.bounds().height)));
    return widget;
}

}  // namespace

void buildMenu(QMenu& menu, const std::vector<MenuItem*>& items, Host& host) {
    for (MenuItem* item : items) {
        if (item->isSeparator()) {
            QAction* separator = menu.addSeparator();
            keepInStep<QAction>(*item, separator,
                                [item](QAction* a) { a->setVisible(item->visible()); });
            continue;
        }
        QAction* action;
        if (!item->items().empty()) {
            QMenu* sub = menu.addMenu(toQt(item->caption()));
            buildMenu(*sub, item->items(), host);
            action = sub->menuAction();
        } else {
            action = menu.addAction(toQt(item->caption()));
            QObject::connect(action, &QAction::triggered, action, [item, &host, action] {
                dispatch(host, [&] { item->click(); });
                QSignalBlocker block(action);
                action->setChecked(item->checked());
            });
        }
        keepInStep<QAction>(*item, action, [item](QAction* a) {
            QSignalBlocker block(a);
            a->setText(toQt(item->caption()));
            a->setEnabled(item->enabled());
            a->setVisible(item->visible());
            // A check mark appears only while set; clicking never toggles it by itself.
            a->setCheckable(item->checked());
            a->setChecked(item->checked());
        });
    }
}

FormView::FormView(Form& form, Host& host, std::function<void()> onTrayButton, QWidget* parent)
    : QWidget(parent), form_(form), host_(host) {
    setWindowTitle(toQt(form.caption()));
    setWindowIcon(applicationIcon());
    setWindowFlags(Qt::Window | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                   Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint);
    setFixedSize(form.clientWidth(), form.clientHeight());
    setObjectName(toQt(form.name()));
    if (form.mainMenu())
        buildMenuBar(*form.mainMenu(), std::move(onTrayButton));
    buildChildren(form, this);
    QPointer<FormView> guard(this);
    form.observe([guard] {
        if (guard)
            guard->syncForm();
    });
}

QWidget* FormView::widgetFor(const std::string& name) const {
    auto found = widgets_.find(name);
    return found == widgets_.end() ? nullptr : found->second;
}

void FormView::run(const std::function<void()>& handler) {
    dispatch(host_, handler);
}

void FormView::buildMenuBar(const Menu& menu, std::function<void()> onTrayButton) {
    menuBar_ = new QMenuBar(this);
    menuBar_->setNativeMenuBar(false);
    menuBar_->setGeometry(0, 0, form_.clientWidth(), kMenuBarHeight);
    for (MenuItem* top : menu.items()) {
        QMenu* sub = menuBar_->addMenu(toQt(top->caption()));
        buildMenu(*sub, top->items(), host_);
    }
    if (onTrayButton) {
        auto* button = new QToolButton(menuBar_);
        button->setObjectName("trayButton");
        button->setAutoRaise(true);
        button->setIcon(trayButtonIcon());
        button->setToolTip("Minimize to System Tray");
        connect(button, &QToolButton::clicked, this, [this, onTrayButton] { run(onTrayButton); });
        menuBar_->setCornerWidget(button, Qt::TopRightCorner);
    }
}

void FormView::buildChildren(const Container& container, QWidget* parentWidget) {
    for (Control* child : container.children()) {
        QWidget* widget = buildControl(*child, parentWidget);
        widgets_[child->name()] = widget;
        if (auto* inner = dynamic_cast<Container*>(child))
            buildChildren(*inner, widget);
        bindCommon(*child, widget);
    }
}

QWidget* FormView::buildControl(Control& control, QWidget* parentWidget) {
    switch (control.kind()) {
        case ControlKind::CheckBox:
            return buildCheckBox(static_cast<CheckBox&>(control), parentWidget, host_);
        case ControlKind::RadioButton:
            return buildRadioButton(static_cast<RadioButton&>(control), parentWidget, host_);
        case ControlKind::Edit:
        case ControlKind::NumberEdit:
            return buildEdit(static_cast<Edit&>(control), parentWidget, host_);
        case ControlKind::ComboBox:
            return buildComboBox(static_cast<ComboBox&>(control), parentWidget, host_);
        case ControlKind::Label:
            return buildLabel(static_cast<Label&>(control), parentWidget);
        case ControlKind::Button:
            return buildButton(static_cast<Button&>(control), parentWidget, host_);
        case ControlKind::SpeedButton:
            return buildSpeedButton(static_cast<SpeedButton&>(control), parentWidget, host_);
        case ControlKind::GroupBox: {
            auto* box = new QGroupBox(parentWidget);
            keepInStep<QGroupBox>(
                control, box, [&control](QGroupBox* w) { w->setTitle(toQt(control.caption())); });
            return box;
        }
        case ControlKind::CollapsiblePanel: {
            auto& panel = static_cast<CollapsiblePanel&>(control);
            auto* widget = new PanelWidget(toQt(panel.caption()),
                                           CollapsiblePanel::kCaptionBarHeight, parentWidget);
            connect(widget->collapseButton(), &QToolButton::clicked, widget,
                    [this, &panel] { run([&] { panel.setCollapsed(!panel.collapsed()); }); });
            return widget;
        }
        case ControlKind::StringGrid:
            return buildGrid(static_cast<StringGrid&>(control), parentWidget, host_);
        case ControlKind::StatusBar:
            return buildStatusBar(static_cast<StatusBar&>(control), parentWidget);
        case ControlKind::Image:
            return buildImage(static_cast<Image&>(control), parentWidget);
    }
    return nullptr;
}

void FormView::bindCommon(Control& control, QWidget* widget) {
    widget->setObjectName(toQt(control.name()));
    keepInStep<QWidget>(control, widget, [&control](QWidget* w) {
        w->setGeometry(rectOf(control.bounds()));
        if (auto* panel = dynamic_cast<PanelWidget*>(w)) {
            auto& model = static_cast<CollapsiblePanel&>(control);
            panel->setCaption(toQt(model.caption()));
            panel->showCollapsed(model.collapsed(), model.bounds().height);
        }
        w->setEnabled(control.enabled());
        w->setVisible(control.visible());
        w->setToolTip(toQt(control.hint()));
        if (control.handCursor()) {
            w->setCursor(Qt::PointingHandCursor);
        } else {
            w->unsetCursor();
        }
        applyCaptionColour(w, control.captionColour());
    });
}

void FormView::syncForm() {
    if (form_.closed()) {
        hide();
        return;
    }
    if (form_.visible() == isVisible())
        return;
    if (!form_.visible()) {
        hide();
        return;
    }
    if (!shownOnce_ && isWindow()) {
        shownOnce_ = true;
        if (QScreen* screen = QGuiApplication::primaryScreen()) {
            QRect area = screen->availableGeometry();
            move(area.center() - QPoint(width() / 2, height() / 2));
        }
    }
    showNormal();
}

void FormView::closeEvent(QCloseEvent* event) {
    if (!form_.closed())
        run([this] { form_.close(); });
    if (form_.closed()) {
        event->accept();
    } else {
        event->ignore();
    }
}

}  // namespace vz
