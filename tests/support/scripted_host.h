// A host that answers from queues and records what the behaviour showed, and a system
// that records requests instead of carrying them out.
#pragma once

#include <deque>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "platform/controls.h"
#include "platform/host.h"
#include "platform/process.h"
#include "platform/registry.h"
#include "platform/system.h"

namespace vz::test {

struct ShownMessage {
    std::string caption;
    std::string text;
    MessageIcon icon;
    int buttonCount;
};

struct ShownFileDialog {
    std::string name;
    std::string presetFileName;
};

class ScriptedHost : public Host {
  public:
    // Answers for the next message boxes; 1 ("OK") when the queue is empty.
    std::deque<int> messageAnswers;
    // Answers for the next file dialogs; cancelled when the queue is empty.
    std::deque<std::optional<std::string>> fileAnswers;
    // Run while a form is shown modally, before it is hidden again.
    std::function<void(Form&)> whileModal;

    std::vector<ShownMessage> messages;
    std::vector<ShownFileDialog> fileDialogs;
    std::vector<std::string> modalForms;
    std::vector<std::string> errors;
    // In order: "minimized", "restored", "modal Tformini"; a FakeSystem may add its own.
    std::vector<std::string> events;

    int showMessage(const MessageDialog& dialog) override;
    std::optional<std::string> runFileDialog(const FileDialog& dialog) override;
    void showModal(Form& form) override;
    void reportError(const std::string& text) override;
    void minimizedToTray() override;
    void restoredFromTray() override;
};

// Files are real (tests use temporary folders); power-off and sound are only recorded.
class FakeSystem : public System {
  public:
    FakeSystem();
    ~FakeSystem() override;
    FakeSystem(const FakeSystem&) = delete;
    FakeSystem& operator=(const FakeSystem&) = delete;

    std::string executable = "/opt/vortel/vortel";
    bool failExecutablePath = false;
    std::vector<std::string> ownEvents;
    // Where "deleted PATH", "power off" and "sound PATH" are recorded.
    std::vector<std::string>* events = &ownEvents;

    std::string executablePath() override;
    bool fileExists(const std::string& path) override;
    bool deleteFile(const std::string& path) override;
    // The program folder counts as writable unless told otherwise; the rest is real.
    bool programFolderWritable = true;
    std::string configFolder;  // a fresh folder of its own, removed with the fake
    bool folderWritable(const std::string& folder) override;
    std::string userConfigFolder() override { return configFolder; }
    bool createFolders(const std::string& folder) override;
    void powerOff() override;
    void openAddress(const std::string& address) override { events->push_back("open " + address); }
    void startProgram(const CommandLine& line) override { events->push_back("start " + line.text); }
    void playSound(const std::string& path) override;

    MemoryRegistry registry;
    int shellNotifications = 0;
    std::vector<std::string> desktopRegistrations;  // "register EXE", "unregister"
    Registry& classesRoot() override { return registry; }
    void notifyAssociationsChanged() override { ++shellNotifications; }
    void registerDesktopFileTypes(const std::string& program) override {
        desktopRegistrations.push_back("register " + program);
    }
    void unregisterDesktopFileTypes() override { desktopRegistrations.push_back("unregister"); }
};

using Rows = std::vector<std::pair<std::string, std::string>>;
// Makes the grid hold exactly these rows.
void setGridRows(StringGrid& grid, const Rows& rows);
Rows gridRows(const StringGrid& grid);

}  // namespace vz::test
