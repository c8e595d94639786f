// A deterministic image shaped like a PSP game disc, for measurements.
#pragma once

#include <cstdint>
#include <filesystem>

namespace vz::bench {

// Writes the files into `tree` and builds `image` from them with xorriso; about `mebibytes`
// in all: executable code and text that compress, a zero region, and incompressible video
// (.PMF, PSMF) and audio (.AT3) files.
void makePspLikeImage(const std::filesystem::path& tree, const std::filesystem::path& image,
                      std::uint64_t mebibytes);

}  // namespace vz::bench
