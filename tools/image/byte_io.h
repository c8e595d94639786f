// Where image bytes come from and go to: files in the tools, memory in tests and fuzzers.
#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <vector>

namespace vz::image {

class ByteSource {
  public:
    virtual ~ByteSource() = default;
    virtual const std::string& name() const = 0;
    virtual std::uint64_t size() const = 0;
    // Fills the whole span from the offset; reading past the end is an input error.
    virtual void readAt(std::uint64_t offset, std::span<std::uint8_t> out) = 0;
};

class ByteSink {
  public:
    virtual ~ByteSink() = default;
    virtual const std::string& name() const = 0;
    // Appends at the end of what has been written so far.
    virtual void write(std::span<const std::uint8_t> data) = 0;
    // Appends the pieces in order; a file writes them without gathering them first.
    virtual void writeAll(std::span<const std::span<const std::uint8_t>> pieces) {
        for (auto piece : pieces)
            write(piece);
    }
    // Overwrites bytes already reserved by earlier writes.
    virtual void writeAt(std::uint64_t offset, std::span<const std::uint8_t> data) = 0;
    virtual std::uint64_t written() const = 0;
    // Reads back bytes written so far.
    virtual void readBack(std::uint64_t offset, std::span<std::uint8_t> out) = 0;
};

class MemorySource : public ByteSource {
  public:
    MemorySource(std::string name, std::span<const std::uint8_t> bytes)
        : name_(std::move(name)), bytes_(bytes) {}
    const std::string& name() const override { return name_; }
    std::uint64_t size() const override { return bytes_.size(); }
    void readAt(std::uint64_t offset, std::span<std::uint8_t> out) override;

  private:
    std::string name_;
    std::span<const std::uint8_t> bytes_;
};

class MemorySink : public ByteSink {
  public:
    explicit MemorySink(std::string name) : name_(std::move(name)) {}
    const std::string& name() const override { return name_; }
    void write(std::span<const std::uint8_t> data) override;
    void writeAt(std::uint64_t offset, std::span<const std::uint8_t> data) override;
    std::uint64_t written() const override { return bytes.size(); }
    void readBack(std::uint64_t offset, std::span<std::uint8_t> out) override;

    std::vector<std::uint8_t> bytes;

  private:
    std::string name_;
};

}  // namespace vz::image
