#include "image/file_io.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <sys/uio.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <climits>
#include <csignal>
#include <cstring>

#include "image/tool_error.h"

namespace vz::image {

namespace os {

bool writeFully(File file, std::span<const std::uint8_t> data, std::uint64_t offset) {
    for (std::size_t done = 0; done < data.size();) {
        ssize_t put = pwrite(static_cast<int>(file), data.data() + done, data.size() - done,
                             static_cast<off_t>(offset + done));
        if (put < 0 && errno == EINTR)
            continue;
        if (put < 0)
            return false;
        done += static_cast<std::size_t>(put);
    }
    return true;
}

bool readFully(File file, std::span<std::uint8_t> out, std::uint64_t offset, bool& endOfFile) {
    endOfFile = false;
    for (std::size_t done = 0; done < out.size();) {
        ssize_t got = pread(static_cast<int>(file), out.data() + done, out.size() - done,
                            static_cast<off_t>(offset + done));
        if (got < 0 && errno == EINTR)
            continue;
        if (got == 0)
            endOfFile = true;
        if (got <= 0)
            return false;
        done += static_cast<std::size_t>(got);
    }
    return true;
}

std::string lastError() {
    return std::strerror(errno);
}

}  // namespace os

namespace {

std::string systemReason() {
    return os::lastError();
}

int fdOf(os::File file) {
    return static_cast<int>(file);
}

// The temporary files to remove when a signal ends the run; a few outputs may be open at
// once (a DAX image laid out twice, its log).
constexpr int kWatchSlots = 4;
char pendingTemporary[kWatchSlots][4096];
std::atomic<bool> pendingSet[kWatchSlots];

extern "C" void removeTemporaryAndDie(int signal) {
    for (int slot = 0; slot < kWatchSlots; ++slot) {
        if (pendingSet[slot].load())
            unlink(pendingTemporary[slot]);
    }
    std::signal(signal, SIG_DFL);
    std::raise(signal);
}

// The slot that watches the file, or -1 when none was free.
int watchSignals(const std::string& temporary) {
    if (temporary.size() >= sizeof pendingTemporary[0])
        return -1;
    for (int slot = 0; slot < kWatchSlots; ++slot) {
        if (pendingSet[slot].load())
            continue;
        std::memcpy(pendingTemporary[slot], temporary.c_str(), temporary.size() + 1);
        pendingSet[slot].store(true);
        for (int signal : {SIGINT, SIGTERM, SIGHUP})
            std::signal(signal, removeTemporaryAndDie);
        return slot;
    }
    return -1;
}

void unwatchSignals(int slot) {
    if (slot >= 0)
        pendingSet[slot].store(false);
}

std::string siblingTemplate(const std::string& path) {
    std::size_t slash = path.rfind('/');
    std::string folder = slash == std::string::npos ? "" : path.substr(0, slash + 1);
    std::string name = slash == std::string::npos ? path : path.substr(slash + 1);
    return folder + "." + name + ".XXXXXX";
}

// The mode an ordinary new file gets; the temporary one starts private.
mode_t newFileMode() {
    mode_t mask = umask(0);
    umask(mask);
    return 0666 & ~mask;
}

}  // namespace

FileSource::FileSource(std::string path) : path_(std::move(path)) {
    file_ = open(path_.c_str(), O_RDONLY | O_CLOEXEC);
    if (file_ < 0)
        throw inputError(path_, "cannot open: " + systemReason());
    struct stat info {};
    if (fstat(fdOf(file_), &info) != 0)
        throw inputError(path_, "cannot read: " + systemReason());
    if (!S_ISREG(info.st_mode)) {
        close(fdOf(file_));
        throw inputError(path_, "not a regular file");
    }
    size_ = static_cast<std::uint64_t>(info.st_size);
    posix_fadvise(fdOf(file_), 0, 0, POSIX_FADV_SEQUENTIAL);
}

FileSource::~FileSource() {
    if (file_ >= 0)
        close(fdOf(file_));
}

OutputFile::OutputFile(std::string path) : path_(std::move(path)) {
    struct stat info {};
    if (stat(path_.c_str(), &info) == 0 && S_ISDIR(info.st_mode)) {
        throw outputError(path_, "is a folder");
    }
    std::string name = siblingTemplate(path_);
    file_ = mkostemp(name.data(), O_CLOEXEC);
    if (file_ < 0)
        throw outputError(path_, "cannot create: " + systemReason());
    temporaryPath_ = name;
    watchSlot_ = watchSignals(temporaryPath_);
    buffer_.reserve(kWriteBuffer);
}

OutputFile::~OutputFile() {
    discard();
}

void OutputFile::discard() {
    if (file_ < 0)
        return;
    close(fdOf(file_));
    file_ = -1;
    unlink(temporaryPath_.c_str());
    unwatchSignals(watchSlot_);
}

void OutputFile::writeAll(std::span<const std::span<const std::uint8_t>> pieces) {
    flush();
    std::vector<iovec> vectors;
    std::uint64_t total = 0;
    for (auto piece : pieces) {
        if (piece.empty())
            continue;
        vectors.push_back({const_cast<std::uint8_t*>(piece.data()), piece.size()});
        total += piece.size();
    }
    std::size_t first = 0;
    std::uint64_t done = 0;
    while (first < vectors.size()) {
        int count = static_cast<int>(std::min<std::size_t>(vectors.size() - first, IOV_MAX));
        ssize_t put = pwritev(fdOf(file_), vectors.data() + first, count,
                              static_cast<off_t>(flushed_ + done));
        if (put < 0 && errno == EINTR)
            continue;
        if (put < 0)
            throw outputError(path_, "write error: " + systemReason());
        done += static_cast<std::uint64_t>(put);
        // Step past what was written, possibly part of a piece.
        for (std::size_t left = static_cast<std::size_t>(put); left > 0;) {
            iovec& vector = vectors[first];
            std::size_t step = std::min(left, vector.iov_len);
            vector.iov_base = static_cast<std::uint8_t*>(vector.iov_base) + step;
            vector.iov_len -= step;
            left -= step;
            if (vector.iov_len == 0)
                ++first;
        }
        while (first < vectors.size() && vectors[first].iov_len == 0)
            ++first;
    }
    flushed_ += total;
    written_ += total;
}

void OutputFile::commit() {
    flush();
    // Complete on disk before it takes the target's name.
    if (fdatasync(fdOf(file_)) != 0)
        throw outputError(path_, "write error: " + systemReason());
    if (fchmod(fdOf(file_), newFileMode()) != 0) {
        throw outputError(path_, "cannot set permissions: " + systemReason());
    }
    if (close(fdOf(file_)) != 0) {
        file_ = -1;
        unlink(temporaryPath_.c_str());
        unwatchSignals(watchSlot_);
        throw outputError(path_, "write error: " + systemReason());
    }
    file_ = -1;
    if (rename(temporaryPath_.c_str(), path_.c_str()) != 0) {
        std::string reason = systemReason();
        unlink(temporaryPath_.c_str());
        unwatchSignals(watchSlot_);
        throw outputError(path_, "cannot replace: " + reason);
    }
    unwatchSignals(watchSlot_);
}

void refuseSameFile(const std::string& input, const std::string& output) {
    struct stat in {
    }, out{};
    if (stat(input.c_str(), &in) != 0 || stat(output.c_str(), &out) != 0)
        return;
    if (in.st_dev == out.st_dev && in.st_ino == out.st_ino) {
        throw usageError("input and output are the same file: " + output);
    }
}

}  // namespace vz::image
