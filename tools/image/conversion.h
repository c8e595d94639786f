// What every conversion takes and reports.
#pragma once

#include <cstdint>
#include <functional>

namespace vz::image {

struct ConversionOptions {
    unsigned threads = 1;
    // Called from the writer with the number of input bytes handled so far.
    std::function<void(std::uint64_t done, std::uint64_t total)> progress;
};

struct ConversionStats {
    std::uint64_t inputBytes = 0;
    std::uint64_t outputBytes = 0;
    std::uint64_t blocks = 0;
    std::uint64_t storedBlocks = 0;  // kept uncompressed
};

}  // namespace vz::image
