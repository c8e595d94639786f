// What the file classes do alike on every OS: buffering, bounds and error texts.
#include "image/file_io.h"

#include "image/tool_error.h"

namespace vz::image {

void FileSource::readAt(std::uint64_t offset, std::span<std::uint8_t> out) {
    bool endOfFile = false;
    if (os::readFully(file_, out, offset, endOfFile))
        return;
    if (endOfFile)
        throw inputError(path_, "unexpected end of file");
    throw inputError(path_, "read error: " + os::lastError());
}

void OutputFile::write(std::span<const std::uint8_t> data) {
    if (buffer_.size() + data.size() > kWriteBuffer)
        flush();
    buffer_.insert(buffer_.end(), data.begin(), data.end());
    if (buffer_.size() >= kWriteBuffer)
        flush();
    written_ += data.size();
}

void OutputFile::flush() {
    if (!os::writeFully(file_, buffer_, flushed_)) {
        throw outputError(path_, "write error: " + os::lastError());
    }
    flushed_ += buffer_.size();
    buffer_.clear();
}

void OutputFile::writeAt(std::uint64_t offset, std::span<const std::uint8_t> data) {
    if (offset > written_ || data.size() > written_ - offset) {
        throw outputError(path_, "write outside the reserved area");
    }
    if (offset + data.size() > flushed_)
        flush();
    if (!os::writeFully(file_, data, offset)) {
        throw outputError(path_, "write error: " + os::lastError());
    }
}

void OutputFile::readBack(std::uint64_t offset, std::span<std::uint8_t> out) {
    if (offset > written_ || out.size() > written_ - offset) {
        throw outputError(path_, "read outside what was written");
    }
    if (offset + out.size() > flushed_)
        flush();
    bool endOfFile = false;
    if (!os::readFully(file_, out, offset, endOfFile)) {
        throw outputError(path_, "cannot read back: " + os::lastError());
    }
}

}  // namespace vz::image
