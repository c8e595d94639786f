// The plain-text report that daxcr writes when it is given a log path.
#pragma once

#include <string>
#include <vector>

#include "image/conversion.h"
#include "image/media_files.h"
#include "image/nc_areas.h"

namespace vz::image {

struct RunReport {
    std::string input;
    std::string output;
    bool decompress = false;
    int level = 6;
    ConversionStats stats;
    std::vector<FrameRange> areas;
    std::vector<MediaFile> mediaFiles;  // the files whose frames were kept raw
    double seconds = 0;
};

std::string reportText(const RunReport& report);

}  // namespace vz::image
