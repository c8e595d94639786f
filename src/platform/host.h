// What the behaviour asks of the user and of the windowing system.
#pragma once

#include <optional>
#include <string>

namespace vz {

class Form;
class FileDialog;
class MessageDialog;

class Host {
  public:
    virtual ~Host() = default;

    // Shows the message box modally; 1 "OK", 2 "Cancelar", 3 "Abortar".
    virtual int showMessage(const MessageDialog& dialog) = 0;
    // Runs a file dialog; the chosen full path, or nothing when cancelled.
    virtual std::optional<std::string> runFileDialog(const FileDialog& dialog) = 0;
    // Shows a form modally and returns once it has been hidden again.
    virtual void showModal(Form& form) = 0;
    // The report of an error that no handler caught.
    virtual void reportError(const std::string& text) = 0;
    // The main window has just been hidden in the notification area, or shown again; the
    // host makes that visible at once, before the caller blocks.
    virtual void minimizedToTray() = 0;
    virtual void restoredFromTray() = 0;
};

}  // namespace vz
