#include "image/byte_io.h"

#include <algorithm>

#include "image/tool_error.h"

namespace vz::image {

void MemorySource::readAt(std::uint64_t offset, std::span<std::uint8_t> out) {
    if (offset > bytes_.size() || out.size() > bytes_.size() - offset) {
        throw inputError(name_, "unexpected end of file");
    }
    std::copy_n(bytes_.begin() + static_cast<std::ptrdiff_t>(offset), out.size(), out.begin());
}

void MemorySink::write(std::span<const std::uint8_t> data) {
    bytes.insert(bytes.end(), data.begin(), data.end());
}

void MemorySink::writeAt(std::uint64_t offset, std::span<const std::uint8_t> data) {
    if (offset > bytes.size() || data.size() > bytes.size() - offset) {
        throw outputError(name_, "write outside the reserved area");
    }
    std::copy(data.begin(), data.end(), bytes.begin() + static_cast<std::ptrdiff_t>(offset));
}

void MemorySink::readBack(std::uint64_t offset, std::span<std::uint8_t> out) {
    MemorySource(name_, bytes).readAt(offset, out);
}

}  // namespace vz::image
