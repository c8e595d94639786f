// The host of the real program: Qt dialogs, the tray, and modal forms.
#pragma once

#include <QDialog>
#include <QPointer>
#include <QWidget>
#include <map>

#include "platform/host.h"

namespace vz {

class QtHost : public Host {
  public:
    // The window that dialogs centre on and that the tray hides and restores.
    void setMainWindow(QWidget* window) { mainWindow_ = window; }

    int showMessage(const MessageDialog& dialog) override;
    std::optional<std::string> runFileDialog(const FileDialog& dialog) override;
    void showModal(Form& form) override;
    void reportError(const std::string& text) override;
    void minimizedToTray() override;
    void restoredFromTray() override;

  private:
    QPointer<QWidget> mainWindow_;
    std::map<Form*, QPointer<QDialog>> modalDialogs_;
};

// Turns "Description|pattern|..." into Qt's "Description (pattern)" entries.
QStringList qtNameFilters(const std::string& filter);

}  // namespace vz
