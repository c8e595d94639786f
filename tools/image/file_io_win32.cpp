#include <windows.h>

#include <algorithm>
#include <atomic>
#include <cstring>

#include "image/file_io.h"
#include "image/tool_error.h"

namespace vz::image {

namespace os {
namespace {

OVERLAPPED at(std::uint64_t offset) {
    OVERLAPPED overlapped{};
    overlapped.Offset = static_cast<DWORD>(offset);
    overlapped.OffsetHigh = static_cast<DWORD>(offset >> 32);
    return overlapped;
}

}  // namespace

bool writeFully(File file, std::span<const std::uint8_t> data, std::uint64_t offset) {
    for (std::size_t done = 0; done < data.size();) {
        DWORD part = static_cast<DWORD>(std::min<std::size_t>(data.size() - done, 1 << 30));
        DWORD put = 0;
        OVERLAPPED overlapped = at(offset + done);
        if (!WriteFile(reinterpret_cast<HANDLE>(file), data.data() + done, part, &put,
                       &overlapped)) {
            return false;
        }
        done += put;
    }
    return true;
}

bool readFully(File file, std::span<std::uint8_t> out, std::uint64_t offset, bool& endOfFile) {
    endOfFile = false;
    for (std::size_t done = 0; done < out.size();) {
        DWORD part = static_cast<DWORD>(std::min<std::size_t>(out.size() - done, 1 << 30));
        DWORD got = 0;
        OVERLAPPED overlapped = at(offset + done);
        if (!ReadFile(reinterpret_cast<HANDLE>(file), out.data() + done, part, &got, &overlapped)) {
            endOfFile = GetLastError() == ERROR_HANDLE_EOF;
            return false;
        }
        if (got == 0) {
            endOfFile = true;
            return false;
        }
        done += got;
    }
    return true;
}

std::string lastError() {
    char text[512];
    DWORD length = FormatMessageA(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
                                  nullptr, GetLastError(), 0, text, sizeof text, nullptr);
    while (length > 0 &&
           (text[length - 1] == '\n' || text[length - 1] == '\r' || text[length - 1] == '.')) {
        --length;
    }
    return std::string(text, length);
}

}  // namespace os

namespace {

std::string systemReason() {
    return os::lastError();
}

HANDLE handleOf(os::File file) {
    return reinterpret_cast<HANDLE>(file);
}

// The temporary files to remove when Ctrl-C or closing the console ends the run.
constexpr int kWatchSlots = 4;
char pendingTemporary[kWatchSlots][MAX_PATH * 2];
std::atomic<bool> pendingSet[kWatchSlots];

BOOL WINAPI removeTemporaries(DWORD) {
    for (int slot = 0; slot < kWatchSlots; ++slot) {
        if (pendingSet[slot].load())
            DeleteFileA(pendingTemporary[slot]);
    }
    return FALSE;  // and let the default handler end the process
}

int watch(const std::string& temporary) {
    if (temporary.size() >= sizeof pendingTemporary[0])
        return -1;
    static bool installed = SetConsoleCtrlHandler(removeTemporaries, TRUE);
    (void)installed;
    for (int slot = 0; slot < kWatchSlots; ++slot) {
        if (pendingSet[slot].load())
            continue;
        std::memcpy(pendingTemporary[slot], temporary.c_str(), temporary.size() + 1);
        pendingSet[slot].store(true);
        return slot;
    }
    return -1;
}

void unwatch(int slot) {
    if (slot >= 0)
        pendingSet[slot].store(false);
}

}  // namespace

FileSource::FileSource(std::string path) : path_(std::move(path)) {
    HANDLE file = CreateFileA(path_.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE,
                              nullptr, OPEN_EXISTING, FILE_FLAG_SEQUENTIAL_SCAN, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        throw inputError(path_, "cannot open: " + systemReason());
    LARGE_INTEGER size{};
    if (GetFileType(file) != FILE_TYPE_DISK || !GetFileSizeEx(file, &size)) {
        CloseHandle(file);
        throw inputError(path_, "not a regular file");
    }
    file_ = reinterpret_cast<os::File>(file);
    size_ = static_cast<std::uint64_t>(size.QuadPart);
}

FileSource::~FileSource() {
    if (file_ != os::kNoFile)
        CloseHandle(handleOf(file_));
}

OutputFile::OutputFile(std::string path) : path_(std::move(path)) {
    DWORD attributes = GetFileAttributesA(path_.c_str());
    if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY)) {
        throw outputError(path_, "is a folder");
    }
    for (unsigned attempt = 0;; ++attempt) {
        temporaryPath_ = path_ + "." + std::to_string(GetCurrentProcessId()) + "-" +
                         std::to_string(attempt) + ".tmp";
        HANDLE file = CreateFileA(temporaryPath_.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr,
                                  CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr);
        if (file != INVALID_HANDLE_VALUE) {
            file_ = reinterpret_cast<os::File>(file);
            break;
        }
        if (GetLastError() != ERROR_FILE_EXISTS || attempt > 100) {
            throw outputError(path_, "cannot create: " + systemReason());
        }
    }
    watchSlot_ = watch(temporaryPath_);
    buffer_.reserve(kWriteBuffer);
}

OutputFile::~OutputFile() {
    discard();
}

void OutputFile::discard() {
    if (file_ == os::kNoFile)
        return;
    CloseHandle(handleOf(file_));
    file_ = os::kNoFile;
    DeleteFileA(temporaryPath_.c_str());
    unwatch(watchSlot_);
}

void OutputFile::writeAll(std::span<const std::span<const std::uint8_t>> pieces) {
    for (auto piece : pieces)
        write(piece);
}

void OutputFile::commit() {
    flush();
    bool synced = FlushFileBuffers(handleOf(file_));
    CloseHandle(handleOf(file_));
    file_ = os::kNoFile;
    if (!synced || !MoveFileExA(temporaryPath_.c_str(), path_.c_str(),
                                MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
        std::string reason = systemReason();
        DeleteFileA(temporaryPath_.c_str());
        unwatch(watchSlot_);
        throw outputError(path_, "cannot replace: " + reason);
    }
    unwatch(watchSlot_);
}

void refuseSameFile(const std::string& input, const std::string& output) {
    auto identity = [](const std::string& path, BY_HANDLE_FILE_INFORMATION& info) {
        HANDLE file =
            CreateFileA(path.c_str(), 0, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                        nullptr, OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
        if (file == INVALID_HANDLE_VALUE)
            return false;
        bool known = GetFileInformationByHandle(file, &info);
        CloseHandle(file);
        return known;
    };
    BY_HANDLE_FILE_INFORMATION in{}, out{};
    if (!identity(input, in) || !identity(output, out))
        return;
    if (in.dwVolumeSerialNumber == out.dwVolumeSerialNumber &&
        in.nFileIndexHigh == out.nFileIndexHigh && in.nFileIndexLow == out.nFileIndexLow) {
        throw usageError("input and output are the same file: " + output);
    }
}

}  // namespace vz::image
