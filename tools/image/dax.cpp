#include "image/dax.h"

#include <algorithm>
#include <array>
#include <string>

#include "image/block_reader.h"
#include "image/deflate_codec.h"
#include "image/little_endian.h"
#include "image/pipeline.h"
#include "image/tool_error.h"

namespace vz::image {
namespace {

constexpr std::uint32_t kFramesPerBatch = 32;
constexpr std::uint64_t kLimit = std::uint64_t{1} << 32;
constexpr std::size_t kTableChunk = 16384;

std::string frameName(std::uint64_t frame) {
    return "frame " + std::to_string(frame);
}

std::uint64_t tablesEnd(std::uint64_t frames, bool ncTable) {
    return kDaxHeaderSize + 6 * frames + (ncTable ? kDaxNcTableBytes : 0);
}

// What the writer knows of every frame once it has been placed.
struct Layout {
    std::vector<std::uint32_t> offsets;
    std::vector<std::uint16_t> lengths;
    std::vector<bool> nc;
};

struct CompressBatch {
    std::uint32_t first = 0;
    std::uint32_t count = 0;
    std::vector<std::uint8_t> input;
    std::vector<std::uint8_t> output;
    std::vector<std::uint16_t> lengths;  // 0: the frame is NC
    std::vector<std::span<const std::uint8_t>> pieces;
};

class FrameCompressor {
  public:
    explicit FrameCompressor(int level) : deflater_(level, Wrapper::Zlib) {}
    std::uint16_t compress(std::span<const std::uint8_t> frame, std::span<std::uint8_t> out) {
        auto length = deflater_.compress(frame, out);
        if (!length)
            throw std::runtime_error("zlib: a frame did not fit its buffer");
        return static_cast<std::uint16_t>(*length);
    }

  private:
    BlockDeflater deflater_;
};

void writeTables(ByteSink& sink, std::uint64_t imageSize, const Layout& layout,
                 const std::vector<FrameRange>& areas, bool ncTable) {
    std::array<std::uint8_t, kDaxHeaderSize> header{};
    std::copy_n("DAX", 4, header.begin());
    writeU32(std::span(header).subspan(4), static_cast<std::uint32_t>(imageSize));
    writeU32(std::span(header).subspan(8), ncTable ? 1 : 0);
    writeU32(std::span(header).subspan(12), static_cast<std::uint32_t>(areas.size()));
    sink.writeAt(0, header);
    const std::size_t frames = layout.offsets.size();
    std::vector<std::uint8_t> chunk;
    for (std::size_t first = 0; first < frames; first += kTableChunk) {
        std::size_t count = std::min(kTableChunk, frames - first);
        chunk.assign(4 * count, 0);
        for (std::size_t i = 0; i < count; ++i) {
            writeU32(std::span(chunk).subspan(4 * i), layout.offsets[first + i]);
        }
        sink.writeAt(kDaxHeaderSize + 4 * first, chunk);
        chunk.assign(2 * count, 0);
        for (std::size_t i = 0; i < count; ++i) {
            writeU16(std::span(chunk).subspan(2 * i), layout.lengths[first + i]);
        }
        sink.writeAt(kDaxHeaderSize + 4 * frames + 2 * first, chunk);
    }
    if (!ncTable)
        return;
    // The whole 192-entry array, so readers with fixed arrays and readers that go by the
    // count both find what they expect.
    std::vector<std::uint8_t> table(kDaxNcTableBytes, 0);
    for (std::size_t i = 0; i < areas.size(); ++i) {
        writeU32(std::span(table).subspan(8 * i), areas[i].first);
        writeU32(std::span(table).subspan(8 * i + 4), areas[i].count);
    }
    sink.writeAt(kDaxHeaderSize + 6 * frames, table);
}

void reserve(ByteSink& sink, std::uint64_t bytes) {
    static const std::array<std::uint8_t, 65536> zeros{};
    while (bytes > 0) {
        std::size_t part = static_cast<std::size_t>(std::min<std::uint64_t>(bytes, zeros.size()));
        sink.write(std::span(zeros.data(), part));
        bytes -= part;
    }
}

// Offsets are 32 bits: a frame must end before 4 GiB.
void checkUnderLimit(const ByteSink& sink, std::uint64_t end, std::uint64_t frame) {
    if (end >= kLimit) {
        throw outputError(sink.name(), "the DAX image would pass 4 GiB at " + frameName(frame));
    }
}

// Lays the frames out again once merging has made more of them NC, or once no NC area is
// left and the image goes without the NC table.
std::unique_ptr<ByteSink> relayout(ByteSource& iso, ByteSink& first, Layout& layout,
                                   const SinkFactory& newSink, bool ncTable) {
    std::unique_ptr<ByteSink> sink = newSink();
    const std::size_t frames = layout.offsets.size();
    reserve(*sink, tablesEnd(frames, ncTable));
    std::vector<std::uint8_t> buffer(kDaxMaxFrameLength);
    for (std::size_t frame = 0; frame < frames; ++frame) {
        std::size_t length = layout.nc[frame] ? kDaxFrameSize : layout.lengths[frame];
        auto bytes = std::span(buffer.data(), length);
        if (layout.nc[frame]) {
            iso.readAt(frame * std::uint64_t{kDaxFrameSize}, bytes);
        } else {
            first.readBack(layout.offsets[frame], bytes);
        }
        checkUnderLimit(*sink, sink->written() + length, frame);
        layout.offsets[frame] = static_cast<std::uint32_t>(sink->written());
        layout.lengths[frame] = static_cast<std::uint16_t>(length);
        sink->write(bytes);
    }
    return sink;
}

}  // namespace

DaxResult compressToDax(ByteSource& iso, const SinkFactory& newSink, const DaxCompressOptions& dax,
                        const ConversionOptions& options) {
    const std::uint64_t size = iso.size();
    if (size >= kLimit) {
        throw inputError(iso.name(), "too large for a DAX image (it must be under 4 GiB)");
    }
    const std::uint32_t frames = static_cast<std::uint32_t>(blockCount(size, kDaxFrameSize));
    const std::uint32_t lastLength =
        frames == 0 ? 0
                    : static_cast<std::uint32_t>(size - std::uint64_t{frames - 1} * kDaxFrameSize);
    const bool ncPossible = dax.threshold.has_value() || !dax.forced.empty();

    Layout layout;
    layout.offsets.resize(frames);
    layout.lengths.resize(frames);
    layout.nc.assign(frames, false);
    std::vector<bool> forced(frames, false);
    for (const FrameRange& range : dax.forced) {
        for (std::uint64_t f = range.first;
             f < std::uint64_t{range.first} + range.count && f < frames; ++f) {
            forced[f] = true;
        }
    }

    DaxResult result;
    result.sink = newSink();
    ByteSink& sink = *result.sink;
    reserve(sink, tablesEnd(frames, ncPossible));
    std::uint32_t next = 0;

    Pipeline<CompressBatch, FrameCompressor>::run(
        options.threads, [&] { return std::make_unique<FrameCompressor>(dax.level); },
        [&](CompressBatch& batch) {
            if (next == frames)
                return false;
            batch.first = next;
            batch.count = std::min(kFramesPerBatch, frames - next);
            readPlainBlocks(iso, kDaxFrameSize, batch.first, batch.count, batch.input);
            next += batch.count;
            return true;
        },
        [&](CompressBatch& batch, FrameCompressor& compressor) {
            batch.output.resize(static_cast<std::size_t>(batch.count) * kDaxMaxFrameLength);
            batch.lengths.assign(batch.count, 0);
            for (std::uint32_t i = 0; i < batch.count; ++i) {
                std::uint32_t frame = batch.first + i;
                // The final partial frame stays compressed, whatever the options.
                bool full = frame + 1 < frames || lastLength == kDaxFrameSize;
                if (full && forced[frame])
                    continue;
                auto in = std::span(batch.input)
                              .subspan(static_cast<std::size_t>(i) * kDaxFrameSize,
                                       full ? kDaxFrameSize : lastLength);
                auto out = std::span(batch.output)
                               .subspan(static_cast<std::size_t>(i) * kDaxMaxFrameLength,
                                        kDaxMaxFrameLength);
                std::uint16_t length = compressor.compress(in, out);
                bool overThreshold = dax.threshold && length > *dax.threshold;
                // Some readers take a frame of exactly 8192 bytes for a raw one.
                bool lookRaw = ncPossible && length == kDaxFrameSize;
                if (full && (overThreshold || lookRaw))
                    continue;
                batch.lengths[i] = length;
            }
        },
        [&](CompressBatch& batch) {
            batch.pieces.clear();
            std::uint64_t position = sink.written();
            for (std::uint32_t i = 0; i < batch.count; ++i) {
                std::uint32_t frame = batch.first + i;
                bool nc = batch.lengths[i] == 0;
                std::size_t length = nc ? kDaxFrameSize : batch.lengths[i];
                checkUnderLimit(sink, position + length, frame);
                layout.offsets[frame] = static_cast<std::uint32_t>(position);
                layout.lengths[frame] = static_cast<std::uint16_t>(length);
                layout.nc[frame] = nc;
                batch.pieces.push_back(
                    nc ? std::span<const std::uint8_t>(batch.input)
                             .subspan(static_cast<std::size_t>(i) * kDaxFrameSize, kDaxFrameSize)
                       : std::span<const std::uint8_t>(batch.output)
                             .subspan(static_cast<std::size_t>(i) * kDaxMaxFrameLength, length));
                position += length;
            }
            sink.writeAll(batch.pieces);
            if (options.progress) {
                options.progress(
                    std::min<std::uint64_t>(
                        size, std::uint64_t{batch.first + batch.count} * kDaxFrameSize),
                    size);
            }
        });

    bool merged = !mergeNcAreas(layout.nc).empty();
    result.areas = ncAreasOf(layout.nc);
    bool ncTable = !result.areas.empty();
    if (merged || ncTable != ncPossible) {
        result.sink = relayout(iso, sink, layout, newSink, ncTable);
    }
    writeTables(*result.sink, size, layout, result.areas, ncTable);
    result.stats.inputBytes = size;
    result.stats.outputBytes = result.sink->written();
    result.stats.blocks = frames;
    result.stats.storedBlocks =
        static_cast<std::uint64_t>(std::count(layout.nc.begin(), layout.nc.end(), true));
    return result;
}

namespace {

struct DecompressBatch {
    std::uint32_t first = 0;
    std::uint32_t count = 0;
    std::vector<std::uint32_t> offsets;  // into input
    std::vector<std::uint16_t> lengths;
    std::vector<std::uint8_t> input;
    std::vector<std::uint8_t> output;
};

}  // namespace

ConversionStats decompressDax(ByteSource& dax, ByteSink& iso, const ConversionOptions& options) {
    const std::string& name = dax.name();
    if (dax.size() < kDaxHeaderSize)
        throw inputError(name, "not a DAX image (too short)");
    std::array<std::uint8_t, kDaxHeaderSize> header;
    dax.readAt(0, header);
    if (!std::equal(header.begin(), header.begin() + 4, "DAX")) {
        throw inputError(name, "not a DAX image (no DAX signature)");
    }
    const std::uint32_t size = readU32(std::span(header).subspan(4));
    const std::uint32_t version = readU32(std::span(header).subspan(8));
    const std::uint32_t areaCount = readU32(std::span(header).subspan(12));
    if (version > 1)
        throw inputError(name, "unsupported DAX version " + std::to_string(version));
    if (version == 0 && areaCount != 0) {
        throw inputError(name, "corrupt DAX header: NC areas in a version 0 image");
    }
    if (areaCount > kDaxMaxNcAreas) {
        throw inputError(
            name, "corrupt DAX header: " + std::to_string(areaCount) + " NC areas, more than 192");
    }
    const std::uint32_t frames = static_cast<std::uint32_t>(blockCount(size, kDaxFrameSize));
    const std::uint64_t dataStart = tablesEnd(frames, version == 1);
    if (dataStart > dax.size())
        throw inputError(name, "truncated DAX image (tables)");

    std::vector<bool> nc(frames, false);
    if (version == 1) {
        std::vector<std::uint8_t> table(8 * static_cast<std::size_t>(areaCount));
        dax.readAt(kDaxHeaderSize + 6 * std::uint64_t{frames}, table);
        for (std::uint32_t i = 0; i < areaCount; ++i) {
            std::uint64_t first = readU32(std::span(table).subspan(8 * i));
            std::uint64_t count = readU32(std::span(table).subspan(8 * i + 4));
            if (first + count > frames) {
                throw inputError(name, "corrupt DAX image: NC area " + std::to_string(i) +
                                           " names frames past the end");
            }
            for (std::uint64_t f = first; f < first + count; ++f)
                nc[f] = true;
        }
    }
    auto frameSize = [&](std::uint64_t frame) {
        return frame + 1 < frames ? kDaxFrameSize
                                  : static_cast<std::uint32_t>(size - frame * kDaxFrameSize);
    };

    ConversionStats stats;
    stats.inputBytes = dax.size();
    stats.blocks = frames;
    stats.storedBlocks = static_cast<std::uint64_t>(std::count(nc.begin(), nc.end(), true));
    std::uint32_t next = 0;

    Pipeline<DecompressBatch, Inflater>::run(
        options.threads, [] { return std::make_unique<Inflater>(); },
        [&](DecompressBatch& batch) {
            if (next == frames)
                return false;
            batch.first = next;
            batch.count = std::min(kFramesPerBatch, frames - next);
            std::vector<std::uint8_t> raw(6 * static_cast<std::size_t>(batch.count));
            dax.readAt(kDaxHeaderSize + 4 * std::uint64_t{batch.first},
                       std::span(raw.data(), 4 * batch.count));
            dax.readAt(kDaxHeaderSize + 4 * std::uint64_t{frames} + 2 * std::uint64_t{batch.first},
                       std::span(raw.data() + 4 * batch.count, 2 * batch.count));
            std::vector<std::uint32_t> fileOffsets(batch.count);
            batch.lengths.resize(batch.count);
            batch.offsets.resize(batch.count);
            std::uint64_t total = 0;
            bool contiguous = true;
            for (std::uint32_t i = 0; i < batch.count; ++i) {
                std::uint64_t frame = batch.first + i;
                fileOffsets[i] = readU32(std::span(raw).subspan(4 * i));
                batch.lengths[i] = readU16(std::span(raw).subspan(4 * batch.count + 2 * i));
                std::uint64_t from = fileOffsets[i];
                std::uint64_t length = batch.lengths[i];
                if (length > kDaxMaxFrameLength) {
                    throw inputError(name, "corrupt DAX image: " + frameName(frame) +
                                               " is longer than 9216 bytes");
                }
                if (from < dataStart || from + length > dax.size()) {
                    throw inputError(name, "corrupt DAX image: " + frameName(frame) +
                                               " lies outside the frame data");
                }
                if (nc[frame] && length < frameSize(frame)) {
                    throw inputError(name,
                                     "corrupt DAX image: NC " + frameName(frame) + " is too short");
                }
                if (i > 0 && from != std::uint64_t{fileOffsets[i - 1]} + batch.lengths[i - 1]) {
                    contiguous = false;
                }
                batch.offsets[i] = static_cast<std::uint32_t>(total);
                total += length;
            }
            batch.input.resize(static_cast<std::size_t>(total));
            if (contiguous) {
                dax.readAt(fileOffsets[0], batch.input);
            } else {
                for (std::uint32_t i = 0; i < batch.count; ++i) {
                    dax.readAt(fileOffsets[i],
                               std::span(batch.input).subspan(batch.offsets[i], batch.lengths[i]));
                }
            }
            next += batch.count;
            return true;
        },
        [&](DecompressBatch& batch, Inflater& inflater) {
            batch.output.resize(static_cast<std::size_t>(batch.count) * kDaxFrameSize);
            for (std::uint32_t i = 0; i < batch.count; ++i) {
                std::uint64_t frame = batch.first + i;
                auto in = std::span(batch.input).subspan(batch.offsets[i], batch.lengths[i]);
                auto out =
                    std::span(batch.output)
                        .subspan(static_cast<std::size_t>(i) * kDaxFrameSize, frameSize(frame));
                if (nc[frame]) {
                    std::copy_n(in.begin(), out.size(), out.begin());
                } else if (!inflater.inflateExact(Wrapper::Zlib, in, out)) {
                    throw inputError(name, "corrupt DAX image: " + frameName(frame) +
                                               " does not inflate to " +
                                               std::to_string(out.size()) + " bytes");
                }
            }
        },
        [&](DecompressBatch& batch) {
            std::uint64_t start = std::uint64_t{batch.first} * kDaxFrameSize;
            std::uint64_t length = std::min<std::uint64_t>(batch.output.size(), size - start);
            iso.write(std::span(batch.output.data(), static_cast<std::size_t>(length)));
            if (options.progress)
                options.progress(start + length, size);
        });
    stats.outputBytes = iso.written();
    return stats;
}

}  // namespace vz::image
