// DAX images: a header, tables of frame offsets and lengths, an optional table of NC areas,
// then zlib frames of 8192 bytes, or raw frames inside NC areas.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <vector>

#include "image/byte_io.h"
#include "image/conversion.h"
#include "image/nc_areas.h"

namespace vz::image {

inline constexpr std::uint32_t kDaxHeaderSize = 0x20;
inline constexpr std::uint32_t kDaxFrameSize = 8192;
inline constexpr std::uint32_t kDaxMaxFrameLength = 9216;
inline constexpr std::uint32_t kDaxNcTableBytes = kDaxMaxNcAreas * 8;

struct DaxCompressOptions {
    int level = 6;
    // NC areas by compressed length: a frame compressing to more than this is kept raw.
    std::optional<std::uint32_t> threshold;
    // Frames kept raw whatever they compress to (video and audio files).
    std::vector<FrameRange> forced;
};

struct DaxResult {
    std::unique_ptr<ByteSink> sink;  // holds the finished image
    ConversionStats stats;           // storedBlocks counts the NC frames
    std::vector<FrameRange> areas;
};

// Opens a fresh, empty output; called once, or twice when the NC areas had to be merged and
// the frames laid out again.
using SinkFactory = std::function<std::unique_ptr<ByteSink>()>;

DaxResult compressToDax(ByteSource& iso, const SinkFactory& newSink, const DaxCompressOptions& dax,
                        const ConversionOptions& options);
ConversionStats decompressDax(ByteSource& dax, ByteSink& iso, const ConversionOptions& options);

}  // namespace vz::image
