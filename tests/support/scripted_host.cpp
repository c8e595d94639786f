#include "support/scripted_host.h"

#include "platform/error.h"

namespace vz::test {

int ScriptedHost::showMessage(const MessageDialog& dialog) {
    messages.push_back({dialog.caption, dialog.text, dialog.icon, dialog.buttonCount});
    if (messageAnswers.empty()) return 1;
    int answer = messageAnswers.front();
    messageAnswers.pop_front();
    return answer;
}

std::optional<std::string> ScriptedHost::runFileDialog(const FileDialog& dialog) {
    fileDialogs.push_back({dialog.name(), dialog.fileName});
    if (fileAnswers.empty()) return std::nullopt;
    auto answer = fileAnswers.front();
    fileAnswers.pop_front();
    return answer;
}

void ScriptedHost::showModal(Form& form) {
    modalForms.push_back(form.name());
    form.setVisible(true);
    if (whileModal) whileModal(form);
    form.setVisible(false);
}

void ScriptedHost::reportError(const std::string& text) { errors.push_back(text); }

void ScriptedHost::minimizedToTray() { trayEvents.push_back("minimized"); }

void ScriptedHost::restoredFromTray() { trayEvents.push_back("restored"); }

std::string FakeSystem::executablePath() {
    if (failExecutablePath) throw Error("executable path unavailable");
    return executable;
}

}  // namespace vz::test
