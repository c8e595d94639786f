#include "support/scripted_host.h"

#include <filesystem>
#include <stdexcept>

#include "platform/error.h"
#include "platform/process.h"
#include "support/tool_support.h"

namespace vz::test {

int ScriptedHost::showMessage(const MessageDialog& dialog) {
    messages.push_back({dialog.caption, dialog.text, dialog.icon, dialog.buttonCount});
    if (messageAnswers.empty())
        return 1;
    int answer = messageAnswers.front();
    messageAnswers.pop_front();
    return answer;
}

std::optional<std::string> ScriptedHost::runFileDialog(const FileDialog& dialog) {
    fileDialogs.push_back({dialog.name(), dialog.fileName});
    if (fileAnswers.empty())
        return std::nullopt;
    auto answer = fileAnswers.front();
    fileAnswers.pop_front();
    return answer;
}

void ScriptedHost::showModal(Form& form) {
    modalForms.push_back(form.name());
    events.push_back("modal " + form.name());
    form.open();
    if (whileModal)
        whileModal(form);
    form.setVisible(false);
}

void ScriptedHost::reportError(const std::string& text) {
    errors.push_back(text);
}

void ScriptedHost::minimizedToTray() {
    events.push_back("minimized");
}

void ScriptedHost::restoredFromTray() {
    events.push_back("restored");
}

FakeSystem::FakeSystem() {
    configFolder = freshFolder("vz-config-").string() + "/";
}

FakeSystem::~FakeSystem() {
    std::error_code ignored;
    std::filesystem::remove_all(configFolder, ignored);
}

std::string FakeSystem::executablePath() {
    if (failExecutablePath)
        throw Error("executable path unavailable");
    return executable;
}

bool FakeSystem::fileExists(const std::string& path) {
    return std::filesystem::is_regular_file(path);
}

bool FakeSystem::deleteFile(const std::string& path) {
    std::error_code ignored;
    bool removed = std::filesystem::remove(path, ignored);
    if (removed)
        events->push_back("deleted " + path);
    return removed;
}

bool FakeSystem::folderWritable(const std::string& folder) {
    if (!programFolderWritable && folder + "vortel" == executable)
        return false;
    return std::filesystem::is_directory(folder);
}

bool FakeSystem::createFolders(const std::string& folder) {
    std::error_code ignored;
    std::filesystem::create_directories(folder, ignored);
    return std::filesystem::is_directory(folder);
}

void FakeSystem::powerOff() {
    events->push_back("power off");
}

void FakeSystem::playSound(const std::string& path) {
    events->push_back("sound " + path);
}

void setGridRows(StringGrid& grid, const Rows& rows) {
    grid.setRowCount(static_cast<int>(rows.size()));
    for (std::size_t i = 0; i < rows.size(); ++i) {
        grid.setCell(0, static_cast<int>(i), rows[i].first);
        grid.setCell(1, static_cast<int>(i), rows[i].second);
    }
}

Rows gridRows(const StringGrid& grid) {
    Rows all;
    for (int row = 0; row < grid.rowCount(); ++row) {
        all.push_back({grid.cell(0, row), grid.cell(1, row)});
    }
    return all;
}

}  // namespace vz::test
