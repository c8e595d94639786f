// The few system calls the file classes need, one implementation per OS.
#pragma once

#include <cstdint>
#include <span>
#include <string>

namespace vz::image::os {

// A file descriptor on POSIX, a HANDLE on Windows.
using File = std::intptr_t;
inline constexpr File kNoFile = -1;

// Writes all of data at the offset; false on failure.
bool writeFully(File file, std::span<const std::uint8_t> data, std::uint64_t offset);
// Fills out from the offset; false on failure, or at the end of the file with endOfFile set.
bool readFully(File file, std::span<std::uint8_t> out, std::uint64_t offset, bool& endOfFile);
// The system's text for the last failure.
std::string lastError();

}  // namespace vz::image::os
