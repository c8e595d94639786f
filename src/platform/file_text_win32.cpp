#include <windows.h>

#include "platform/error.h"
#include "platform/file_text.h"

namespace vz {
namespace {

std::string reason() {
    char text[512];
    DWORD length = FormatMessageA(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
                                  nullptr, GetLastError(), 0, text, sizeof text, nullptr);
    while (length > 0 && (text[length - 1] == '\n' || text[length - 1] == '\r')) --length;
    return std::string(text, length);
}

Error cannotCreate(const std::string& path, const std::string& why) {
    return Error("Cannot create file \"" + path + "\". " + why);
}

}  // namespace

std::string readWholeFile(const std::string& path) {
    std::optional<std::string> content = readFileIfPresent(path);
    if (!content) {
        throw Error("Cannot open file \"" + path + "\". The system cannot find the file specified.");
    }
    return *content;
}

std::optional<std::string> readFileIfPresent(const std::string& path) {
    HANDLE file = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE,
                              nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) {
        DWORD error = GetLastError();
        if (error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND) return std::nullopt;
        throw Error("Cannot open file \"" + path + "\". " + reason());
    }
    std::string content;
    char buffer[65536];
    DWORD got = 0;
    while (ReadFile(file, buffer, sizeof buffer, &got, nullptr) && got > 0) content.append(buffer, got);
    CloseHandle(file);
    return content;
}

void replaceFile(const std::string& path, const std::string& content) {
    std::string temporary = path + ".vz-new";
    HANDLE file = CreateFileA(temporary.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) throw cannotCreate(path, reason());
    DWORD put = 0;
    bool written = content.empty() ||
                   (WriteFile(file, content.data(), static_cast<DWORD>(content.size()), &put, nullptr) &&
                    put == content.size());
    written = FlushFileBuffers(file) && written;
    std::string why = written ? "" : reason();
    CloseHandle(file);
    if (!written || !MoveFileExA(temporary.c_str(), path.c_str(),
                                 MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
        if (why.empty()) why = reason();
        DeleteFileA(temporary.c_str());
        throw cannotCreate(path, why);
    }
}

}  // namespace vz
