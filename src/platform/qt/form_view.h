// The widgets of one form, built from its description and kept in step with it both ways.
#pragma once

#include <QWidget>
#include <functional>
#include <map>
#include <string>

#include "platform/controls.h"

class QMenuBar;
class QMenu;
class QCloseEvent;

namespace vz {

class Host;

class FormView : public QWidget {
  public:
    // onTrayButton, when given, adds the "Minimize to System Tray" button to the menu bar.
    FormView(Form& form, Host& host, std::function<void()> onTrayButton = {},
             QWidget* parent = nullptr);

    // The widget made for a control, by the control's name; nullptr when there is none.
    QWidget* widgetFor(const std::string& name) const;
    QMenuBar* menuBar() const { return menuBar_; }

  protected:
    void closeEvent(QCloseEvent* event) override;

  private:
    void buildChildren(const Container& container, QWidget* parentWidget);
    QWidget* buildControl(Control& control, QWidget* parentWidget);
    void bindCommon(Control& control, QWidget* widget);
    void buildMenuBar(const Menu& menu, std::function<void()> onTrayButton);
    void syncForm();
    void run(const std::function<void()>& handler);

    Form& form_;
    Host& host_;
    QMenuBar* menuBar_ = nullptr;
    std::map<std::string, QWidget*> widgets_;
    bool shownOnce_ = false;
};

// Fills a Qt menu with the items, keeping each action in step with its item.
void buildMenu(QMenu& menu, const std::vector<MenuItem*>& items, Host& host);

}  // namespace vz
