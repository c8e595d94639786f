// Fixed-width little-endian fields of the image headers and tables.
#pragma once

#include <cstdint>
#include <span>

namespace vz::image {

inline std::uint16_t readU16(std::span<const std::uint8_t> at) {
    return static_cast<std::uint16_t>(at[0] | at[1] << 8);
}
inline std::uint32_t readU32(std::span<const std::uint8_t> at) {
    return static_cast<std::uint32_t>(at[0]) | static_cast<std::uint32_t>(at[1]) << 8 |
           static_cast<std::uint32_t>(at[2]) << 16 | static_cast<std::uint32_t>(at[3]) << 24;
}
inline std::uint64_t readU64(std::span<const std::uint8_t> at) {
    return readU32(at) | static_cast<std::uint64_t>(readU32(at.subspan(4))) << 32;
}
inline void writeU16(std::span<std::uint8_t> at, std::uint16_t value) {
    at[0] = static_cast<std::uint8_t>(value);
    at[1] = static_cast<std::uint8_t>(value >> 8);
}
inline void writeU32(std::span<std::uint8_t> at, std::uint32_t value) {
    for (int i = 0; i < 4; ++i)
        at[i] = static_cast<std::uint8_t>(value >> (8 * i));
}
inline void writeU64(std::span<std::uint8_t> at, std::uint64_t value) {
    writeU32(at, static_cast<std::uint32_t>(value));
    writeU32(at.subspan(4), static_cast<std::uint32_t>(value >> 32));
}

}  // namespace vz::image
