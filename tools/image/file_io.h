// Files on disk: an input read in place, and an output that exists under its name only once
// it is complete.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "image/byte_io.h"
#include "image/os_file.h"

namespace vz::image {

class FileSource : public ByteSource {
  public:
    explicit FileSource(std::string path);
    ~FileSource() override;
    FileSource(const FileSource&) = delete;
    FileSource& operator=(const FileSource&) = delete;

    const std::string& name() const override { return path_; }
    std::uint64_t size() const override { return size_; }
    void readAt(std::uint64_t offset, std::span<std::uint8_t> out) override;

  private:
    std::string path_;
    os::File file_ = os::kNoFile;
    std::uint64_t size_ = 0;
};

// Writes to a temporary file beside the target and renames it over the target in commit().
// Until then the target is untouched; a sink destroyed without commit, or a run ended by
// SIGINT, SIGTERM or SIGHUP, leaves no temporary file behind.
class OutputFile : public ByteSink {
  public:
    explicit OutputFile(std::string path);
    ~OutputFile() override;
    OutputFile(const OutputFile&) = delete;
    OutputFile& operator=(const OutputFile&) = delete;

    const std::string& name() const override { return path_; }
    void write(std::span<const std::uint8_t> data) override;
    void writeAll(std::span<const std::span<const std::uint8_t>> pieces) override;
    void writeAt(std::uint64_t offset, std::span<const std::uint8_t> data) override;
    std::uint64_t written() const override { return written_; }
    void readBack(std::uint64_t offset, std::span<std::uint8_t> out) override;
    void commit();

  private:
    static constexpr std::size_t kWriteBuffer = 1 << 20;
    void flush();
    void discard();

    std::string path_;
    std::string temporaryPath_;
    os::File file_ = os::kNoFile;
    std::vector<std::uint8_t> buffer_;
    std::uint64_t written_ = 0;
    std::uint64_t flushed_ = 0;
    int watchSlot_ = -1;
};

// Refuses an output that names the input, by any spelling or link.
void refuseSameFile(const std::string& input, const std::string& output);

}  // namespace vz::image
