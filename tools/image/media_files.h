// The video and audio files of a disc, whose frames a DAX image keeps raw on request.
#pragma once

#include <string>
#include <vector>

#include "image/byte_io.h"
#include "image/iso9660.h"
#include "image/nc_areas.h"

namespace vz::image {

struct MediaFile {
    IsoFile file;
    bool video = false;  // PSMF video; otherwise ATRAC3 audio
};

// PSMF videos are known by their content ("PSMF"), ATRAC3 audio by the extension .AT3.
std::vector<MediaFile> findMediaFiles(ByteSource& image, bool video, bool audio);
// The frames of frameSize that hold any byte of the files.
std::vector<FrameRange> framesOf(const std::vector<MediaFile>& files, std::uint32_t frameSize);

}  // namespace vz::image
