// Reads fixed-size blocks of a plain image in runs, the final partial block zero-padded.
#pragma once

#include <cstdint>
#include <vector>

#include "image/byte_io.h"

namespace vz::image {

// How many blocks of blockSize cover `size` bytes.
inline std::uint64_t blockCount(std::uint64_t size, std::uint32_t blockSize) {
    return size / blockSize + (size % blockSize != 0);
}

// Fills `buffer` with blocks [first, first + count) of the image, each blockSize long.
void readPlainBlocks(ByteSource& image, std::uint32_t blockSize, std::uint64_t first,
                     std::uint32_t count, std::vector<std::uint8_t>& buffer);

}  // namespace vz::image
