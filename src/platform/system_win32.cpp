#include <windows.h>
#include <mmsystem.h>
#include <shellapi.h>
#include <shlobj.h>

#include <filesystem>

#include "platform/error.h"
#include "platform/process.h"
#include "platform/registry.h"
#include "platform/system.h"

namespace vz {
namespace {

// Power-off needs the shutdown privilege, which a process holds but has not enabled.
void enableShutdownPrivilege() {
    HANDLE token;
    if (!OpenProcessToken(GetCurrentProcess(), TOKEN_ADJUST_PRIVILEGES | TOKEN_QUERY, &token)) {
        return;
    }
    TOKEN_PRIVILEGES privileges{};
    privileges.PrivilegeCount = 1;
    privileges.Privileges[0].Attributes = SE_PRIVILEGE_ENABLED;
    if (LookupPrivilegeValueA(nullptr, SE_SHUTDOWN_NAME, &privileges.Privileges[0].Luid)) {
        AdjustTokenPrivileges(token, FALSE, &privileges, 0, nullptr, nullptr);
    }
    CloseHandle(token);
}

class Win32System final : public System {
public:
    std::string executablePath() override {
        char path[MAX_PATH * 4];
        DWORD length = GetModuleFileNameA(nullptr, path, sizeof path);
        if (length == 0 || length >= sizeof path) {
            throw Error("No se puede determinar la carpeta del programa");
        }
        return std::string(path, length);
    }

    bool fileExists(const std::string& path) override {
        DWORD attributes = GetFileAttributesA(path.c_str());
        return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
    }

    bool deleteFile(const std::string& path) override { return DeleteFileA(path.c_str()); }

    bool folderWritable(const std::string& folder) override {
        // Only trying tells: Program Files refuses ordinary users whatever the attributes say.
        std::string probe = folder + "vz-write-test.tmp";
        HANDLE file = CreateFileA(probe.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                                  FILE_ATTRIBUTE_TEMPORARY | FILE_FLAG_DELETE_ON_CLOSE, nullptr);
        if (file == INVALID_HANDLE_VALUE) return false;
        CloseHandle(file);
        return true;
    }

    std::string userConfigFolder() override {
        char path[MAX_PATH];
        if (SHGetFolderPathA(nullptr, CSIDL_APPDATA, nullptr, 0, path) != S_OK) return "";
        return std::string(path) + "\\Vortel Zaduvuv\\";
    }

    bool createFolders(const std::string& folder) override {
        std::error_code error;
        std::filesystem::create_directories(folder, error);
        return std::filesystem::is_directory(folder, error);
    }

    void powerOff() override {
        enableShutdownPrivilege();
        ExitWindowsEx(EWX_POWEROFF, 0);
    }

    void openAddress(const std::string& address) override {
        ShellExecuteA(nullptr, "open", address.c_str(), nullptr, nullptr, SW_SHOWNORMAL);
    }

    void startProgram(const CommandLine& line) override {
        WinExec(line.text.c_str(), SW_SHOWNORMAL);
    }

    void playSound(const std::string& path) override {
        PlaySoundA(path.c_str(), nullptr, SND_ASYNC | SND_FILENAME);
    }

    Registry& classesRoot() override { return win32ClassesRoot(); }

    void notifyAssociationsChanged() override {
        SHChangeNotify(SHCNE_ASSOCCHANGED, SHCNF_IDLIST, nullptr, nullptr);
    }

    // The registry carries the associations here.
    void registerDesktopFileTypes(const std::string&) override {}
    void unregisterDesktopFileTypes() override {}
};

}  // namespace

System& realSystem() {
    static Win32System system;
    return system;
}

}  // namespace vz
