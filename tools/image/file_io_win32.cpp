#include <windows.h>

#include <algorithm>
#include <atomic>
#include <cstring>

#include "image/file_io.h"
#include "image/tool_error.h"

namespace vz::image {
namespace {

constexpr std::size_t kWriteBuffer = 1 << 20;

std::string systemReason() {
    char text[512];
    DWORD length = FormatMessageA(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
                                  nullptr, GetLastError(), 0, text, sizeof text, nullptr);
    while (length > 0 && (text[length - 1] == '\n' || text[length - 1] == '\r' || text[length - 1] == '.')) {
        --length;
    }
    return std::string(text, length);
}

HANDLE handleOf(void* handle) { return static_cast<HANDLE>(handle); }

OVERLAPPED at(std::uint64_t offset) {
    OVERLAPPED overlapped{};
    overlapped.Offset = static_cast<DWORD>(offset);
    overlapped.OffsetHigh = static_cast<DWORD>(offset >> 32);
    return overlapped;
}

bool writeFully(HANDLE file, std::span<const std::uint8_t> data, std::uint64_t offset) {
    for (std::size_t done = 0; done < data.size();) {
        DWORD part = static_cast<DWORD>(std::min<std::size_t>(data.size() - done, 1 << 30));
        DWORD put = 0;
        OVERLAPPED overlapped = at(offset + done);
        if (!WriteFile(file, data.data() + done, part, &put, &overlapped)) return false;
        done += put;
    }
    return true;
}

// False at the end of file with the last error cleared, or on failure.
bool readFully(HANDLE file, std::span<std::uint8_t> out, std::uint64_t offset) {
    for (std::size_t done = 0; done < out.size();) {
        DWORD part = static_cast<DWORD>(std::min<std::size_t>(out.size() - done, 1 << 30));
        DWORD got = 0;
        OVERLAPPED overlapped = at(offset + done);
        if (!ReadFile(file, out.data() + done, part, &got, &overlapped)) {
            if (GetLastError() == ERROR_HANDLE_EOF) SetLastError(0);
            return false;
        }
        if (got == 0) {
            SetLastError(0);
            return false;
        }
        done += got;
    }
    return true;
}

// The temporary files to remove when Ctrl-C or closing the console ends the run.
constexpr int kWatchSlots = 4;
char pendingTemporary[kWatchSlots][MAX_PATH * 2];
std::atomic<bool> pendingSet[kWatchSlots];

BOOL WINAPI removeTemporaries(DWORD) {
    for (int slot = 0; slot < kWatchSlots; ++slot) {
        if (pendingSet[slot].load()) DeleteFileA(pendingTemporary[slot]);
    }
    return FALSE;  // and let the default handler end the process
}

int watch(const std::string& temporary) {
    if (temporary.size() >= sizeof pendingTemporary[0]) return -1;
    static bool installed = SetConsoleCtrlHandler(removeTemporaries, TRUE);
    (void)installed;
    for (int slot = 0; slot < kWatchSlots; ++slot) {
        if (pendingSet[slot].load()) continue;
        std::memcpy(pendingTemporary[slot], temporary.c_str(), temporary.size() + 1);
        pendingSet[slot].store(true);
        return slot;
    }
    return -1;
}

void unwatch(int slot) {
    if (slot >= 0) pendingSet[slot].store(false);
}

}  // namespace

FileSource::FileSource(std::string path) : path_(std::move(path)) {
    HANDLE file = CreateFileA(path_.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE,
                              nullptr, OPEN_EXISTING, FILE_FLAG_SEQUENTIAL_SCAN, nullptr);
    if (file == INVALID_HANDLE_VALUE) throw inputError(path_, "cannot open: " + systemReason());
    LARGE_INTEGER size{};
    if (GetFileType(file) != FILE_TYPE_DISK || !GetFileSizeEx(file, &size)) {
        CloseHandle(file);
        throw inputError(path_, "not a regular file");
    }
    handle_ = file;
    size_ = static_cast<std::uint64_t>(size.QuadPart);
}

FileSource::~FileSource() {
    if (handle_) CloseHandle(handleOf(handle_));
}

void FileSource::readAt(std::uint64_t offset, std::span<std::uint8_t> out) {
    if (readFully(handleOf(handle_), out, offset)) return;
    if (GetLastError() == 0) throw inputError(path_, "unexpected end of file");
    throw inputError(path_, "read error: " + systemReason());
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
            handle_ = file;
            break;
        }
        if (GetLastError() != ERROR_FILE_EXISTS || attempt > 100) {
            throw outputError(path_, "cannot create: " + systemReason());
        }
    }
    watchSlot_ = watch(temporaryPath_);
    buffer_.reserve(kWriteBuffer);
}

OutputFile::~OutputFile() { discard(); }

void OutputFile::discard() {
    if (!handle_) return;
    CloseHandle(handleOf(handle_));
    handle_ = nullptr;
    DeleteFileA(temporaryPath_.c_str());
    unwatch(watchSlot_);
}

void OutputFile::write(std::span<const std::uint8_t> data) {
    if (buffer_.size() + data.size() > kWriteBuffer) flush();
    buffer_.insert(buffer_.end(), data.begin(), data.end());
    if (buffer_.size() >= kWriteBuffer) flush();
    written_ += data.size();
}

void OutputFile::writeAll(std::span<const std::span<const std::uint8_t>> pieces) {
    for (auto piece : pieces) write(piece);
}

void OutputFile::flush() {
    if (!writeFully(handleOf(handle_), buffer_, flushed_)) {
        throw outputError(path_, "write error: " + systemReason());
    }
    flushed_ += buffer_.size();
    buffer_.clear();
}

void OutputFile::writeAt(std::uint64_t offset, std::span<const std::uint8_t> data) {
    if (offset > written_ || data.size() > written_ - offset) {
        throw outputError(path_, "write outside the reserved area");
    }
    if (offset + data.size() > flushed_) flush();
    if (!writeFully(handleOf(handle_), data, offset)) {
        throw outputError(path_, "write error: " + systemReason());
    }
}

void OutputFile::readBack(std::uint64_t offset, std::span<std::uint8_t> out) {
    if (offset > written_ || out.size() > written_ - offset) {
        throw outputError(path_, "read outside what was written");
    }
    if (offset + out.size() > flushed_) flush();
    if (!readFully(handleOf(handle_), out, offset)) {
        throw outputError(path_, "cannot read back: " + systemReason());
    }
}

void OutputFile::commit() {
    flush();
    bool synced = FlushFileBuffers(handleOf(handle_));
    CloseHandle(handleOf(handle_));
    handle_ = nullptr;
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
        HANDLE file = CreateFileA(path.c_str(), 0, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                  nullptr, OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
        if (file == INVALID_HANDLE_VALUE) return false;
        bool known = GetFileInformationByHandle(file, &info);
        CloseHandle(file);
        return known;
    };
    BY_HANDLE_FILE_INFORMATION in{}, out{};
    if (!identity(input, in) || !identity(output, out)) return;
    if (in.dwVolumeSerialNumber == out.dwVolumeSerialNumber &&
        in.nFileIndexHigh == out.nFileIndexHigh && in.nFileIndexLow == out.nFileIndexLow) {
        throw usageError("input and output are the same file: " + output);
    }
}

}  // namespace vz::image
