// A sink that keeps nothing, for fuzzing readers.
#pragma once

#include <stdexcept>

#include "image/byte_io.h"

namespace vz::image {

class NullSink : public ByteSink {
  public:
    const std::string& name() const override { return name_; }
    void write(std::span<const std::uint8_t> data) override { written_ += data.size(); }
    void writeAt(std::uint64_t, std::span<const std::uint8_t>) override {}
    std::uint64_t written() const override { return written_; }
    void readBack(std::uint64_t, std::span<std::uint8_t>) override {
        throw std::logic_error("nothing is kept to read back");
    }

  private:
    std::string name_ = "fuzz.out";
    std::uint64_t written_ = 0;
};

}  // namespace vz::image
