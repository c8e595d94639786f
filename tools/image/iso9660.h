// Lists the files of an ISO 9660 image, trusting nothing the image says.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "image/byte_io.h"

namespace vz::image {

struct IsoFile {
    std::string path;          // "/PSP_GAME/USRDIR/MOVIE/OPEN.PMF", without the ";1" version
    std::uint64_t offset = 0;  // of its bytes in the image
    std::uint64_t size = 0;
};

// Every file extent reachable from the root directory. Loops, records that run past their
// sector, and extents outside the image are skipped; an image that is not ISO 9660 at all
// gives an input error.
std::vector<IsoFile> listIsoFiles(ByteSource& image);

}  // namespace vz::image
