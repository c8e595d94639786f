#include "image/media_files.h"

#include <algorithm>
#include <array>
#include <cctype>

namespace vz::image {
namespace {

bool endsWithNoCase(const std::string& text, const std::string& suffix) {
    if (text.size() < suffix.size())
        return false;
    return std::equal(suffix.rbegin(), suffix.rend(), text.rbegin(), [](char a, char b) {
        return std::toupper(static_cast<unsigned char>(a)) ==
               std::toupper(static_cast<unsigned char>(b));
    });
}

bool startsWithPsmf(ByteSource& image, const IsoFile& file) {
    if (file.size < 4)
        return false;
    std::array<std::uint8_t, 4> magic;
    image.readAt(file.offset, magic);
    return std::equal(magic.begin(), magic.end(), "PSMF");
}

}  // namespace

std::vector<MediaFile> findMediaFiles(ByteSource& image, bool video, bool audio) {
    std::vector<MediaFile> found;
    for (const IsoFile& file : listIsoFiles(image)) {
        if (video && startsWithPsmf(image, file)) {
            found.push_back({file, true});
        } else if (audio && endsWithNoCase(file.path, ".AT3")) {
            found.push_back({file, false});
        }
    }
    return found;
}

std::vector<FrameRange> framesOf(const std::vector<MediaFile>& files, std::uint32_t frameSize) {
    std::vector<FrameRange> ranges;
    for (const MediaFile& media : files) {
        if (media.file.size == 0)
            continue;
        std::uint64_t first = media.file.offset / frameSize;
        std::uint64_t last = (media.file.offset + media.file.size - 1) / frameSize;
        ranges.push_back(
            {static_cast<std::uint32_t>(first), static_cast<std::uint32_t>(last - first + 1)});
    }
    return ranges;
}

}  // namespace vz::image
