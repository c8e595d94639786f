// CSO v1 images: a header, an index of block positions, and raw-deflate or stored blocks.
#pragma once

#include <cstdint>

#include "image/byte_io.h"
#include "image/conversion.h"

namespace vz::image {

inline constexpr std::uint32_t kCsoHeaderSize = 0x18;
inline constexpr std::uint32_t kCsoBlockSize = 2048;
inline constexpr std::uint32_t kCsoStoredFlag = 0x80000000u;
inline constexpr unsigned kCsoMaxShift = 20;

struct CsoHeader {
    std::uint64_t uncompressedSize = 0;
    std::uint32_t blockSize = 0;
    unsigned version = 0;
    unsigned shift = 0;
    std::uint64_t blocks() const { return (uncompressedSize + blockSize - 1) / blockSize; }
    std::uint64_t indexEnd() const { return kCsoHeaderSize + 4 * (blocks() + 1); }
};

// The smallest index shift whose positions can reach the largest possible output.
unsigned csoIndexShift(std::uint64_t uncompressedSize);

// Reads and checks the header and the index bounds; any inconsistency is an input error.
CsoHeader readCsoHeader(ByteSource& cso);

ConversionStats compressToCso(ByteSource& iso, ByteSink& cso, int level,
                              const ConversionOptions& options);
ConversionStats decompressCso(ByteSource& cso, ByteSink& iso, const ConversionOptions& options);

}  // namespace vz::image
