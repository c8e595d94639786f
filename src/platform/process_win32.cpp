#include <windows.h>

#include <vector>

#include "platform/process.h"

namespace vz {

int EjecutarYEsperar(const CommandLine& line, std::uint16_t showMode) {
    // CreateProcess may write into the command line; give it a copy of any length.
    std::vector<char> text(line.text.begin(), line.text.end());
    text.push_back('\0');
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESHOWWINDOW;
    startup.wShowWindow = showMode;
    PROCESS_INFORMATION process{};
    // The application name is given explicitly, so an unquoted folder with blanks is never
    // searched piece by piece.
    if (!CreateProcessA(line.program.c_str(), text.data(), nullptr, nullptr, FALSE,
                        CREATE_NEW_CONSOLE | NORMAL_PRIORITY_CLASS, nullptr, nullptr, &startup,
                        &process)) {
        return -1;
    }
    WaitForSingleObject(process.hProcess, INFINITE);
    DWORD code = 0;
    GetExitCodeProcess(process.hProcess, &code);
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    return static_cast<int>(code);
}

}  // namespace vz
