// Areas of frames kept uncompressed ("areas no comprimibles") in a DAX image.
#pragma once

#include <cstdint>
#include <vector>

namespace vz::image {

inline constexpr std::size_t kDaxMaxNcAreas = 192;

struct FrameRange {
    std::uint32_t first = 0;
    std::uint32_t count = 0;
    bool operator==(const FrameRange&) const = default;
};

// Runs of adjacent NC frames, in order.
std::vector<FrameRange> ncAreasOf(const std::vector<bool>& nc);

// Makes the frames of the shortest gaps between areas NC until at most `limit` areas remain;
// returns the frames it changed. Ties go to the earlier gap, so the result never depends on
// anything but the flags.
std::vector<std::uint32_t> mergeNcAreas(std::vector<bool>& nc, std::size_t limit = kDaxMaxNcAreas);

}  // namespace vz::image
