#include "image/block_reader.h"

#include <algorithm>

namespace vz::image {

void readPlainBlocks(ByteSource& image, std::uint32_t blockSize, std::uint64_t first,
                     std::uint32_t count, std::vector<std::uint8_t>& buffer) {
    std::size_t length = static_cast<std::size_t>(count) * blockSize;
    buffer.resize(length);
    std::uint64_t offset = first * blockSize;
    std::uint64_t available = image.size() > offset ? image.size() - offset : 0;
    std::size_t present = static_cast<std::size_t>(std::min<std::uint64_t>(available, length));
    image.readAt(offset, std::span(buffer.data(), present));
    std::fill(buffer.begin() + static_cast<std::ptrdiff_t>(present), buffer.end(), 0);
}

}  // namespace vz::image
