#include "image/nc_areas.h"

#include <algorithm>

namespace vz::image {

std::vector<FrameRange> ncAreasOf(const std::vector<bool>& nc) {
    std::vector<FrameRange> areas;
    for (std::uint32_t frame = 0; frame < nc.size(); ++frame) {
        if (!nc[frame])
            continue;
        if (!areas.empty() && areas.back().first + areas.back().count == frame) {
            ++areas.back().count;
        } else {
            areas.push_back({frame, 1});
        }
    }
    return areas;
}

std::vector<std::uint32_t> mergeNcAreas(std::vector<bool>& nc, std::size_t limit) {
    std::vector<FrameRange> areas = ncAreasOf(nc);
    std::vector<std::uint32_t> changed;
    if (areas.size() <= limit)
        return changed;
    std::vector<FrameRange> gaps;
    for (std::size_t i = 1; i < areas.size(); ++i) {
        std::uint32_t start = areas[i - 1].first + areas[i - 1].count;
        gaps.push_back({start, areas[i].first - start});
    }
    // Each filled gap joins two neighbouring areas into one.
    std::size_t fill = areas.size() - limit;
    std::stable_sort(gaps.begin(), gaps.end(),
                     [](const FrameRange& a, const FrameRange& b) { return a.count < b.count; });
    for (std::size_t i = 0; i < fill; ++i) {
        for (std::uint32_t k = 0; k < gaps[i].count; ++k) {
            nc[gaps[i].first + k] = true;
            changed.push_back(gaps[i].first + k);
        }
    }
    std::sort(changed.begin(), changed.end());
    return changed;
}

}  // namespace vz::image
