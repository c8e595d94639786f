#include "image/cso.h"

#include <algorithm>
#include <array>
#include <memory>
#include <string>
#include <vector>

#include "image/block_reader.h"
#include "image/deflate_codec.h"
#include "image/little_endian.h"
#include "image/pipeline.h"
#include "image/tool_error.h"

namespace vz::image {
namespace {

constexpr std::uint32_t kBlocksPerBatch = 256;
constexpr std::size_t kIndexFlushEntries = 16384;
constexpr std::uint64_t kMaxPosition = 0x7fffffffu;

std::uint64_t alignUp(std::uint64_t value, unsigned shift) {
    std::uint64_t unit = std::uint64_t{1} << shift;
    return (value + unit - 1) & ~(unit - 1);
}

struct CompressBatch {
    std::uint64_t firstBlock = 0;
    std::uint32_t count = 0;
    std::vector<std::uint8_t> input;
    std::vector<std::uint8_t> output;
    std::vector<std::uint32_t> lengths;                 // compressed length; 0: store the block
    std::vector<std::span<const std::uint8_t>> pieces;  // what the writer appends
};

struct DecompressBatch {
    std::uint64_t firstBlock = 0;
    std::uint32_t count = 0;
    std::vector<std::uint32_t> entries;  // count + 1 index entries
    std::vector<std::uint8_t> input;
    std::vector<std::uint8_t> output;
    std::uint64_t firstPosition = 0;
};

// A worker's compressor: a block compresses only when it ends, padding included, before the
// block size.
class BlockCompressor {
  public:
    BlockCompressor(int level, std::size_t maxCompressed)
        : deflater_(level, Wrapper::Raw), maxCompressed_(maxCompressed) {}

    // The compressed length written to out, or 0 when the block is to be stored.
    std::uint32_t compress(std::span<const std::uint8_t> block, std::span<std::uint8_t> out) {
        auto length = deflater_.compress(block, out.first(maxCompressed_));
        return length ? static_cast<std::uint32_t>(*length) : 0;
    }

  private:
    BlockDeflater deflater_;
    std::size_t maxCompressed_;
};

std::string blockName(std::uint64_t block) {
    return "block " + std::to_string(block);
}

// Writes index entries in runs, so the index of any image costs a fixed amount of memory.
class IndexWriter {
  public:
    IndexWriter(ByteSink& sink, std::uint64_t offset) : sink_(sink), offset_(offset) {}
    void add(std::uint32_t entry) {
        std::array<std::uint8_t, 4> bytes;
        writeU32(bytes, entry);
        pending_.insert(pending_.end(), bytes.begin(), bytes.end());
        if (pending_.size() >= 4 * kIndexFlushEntries)
            flush();
    }
    void flush() {
        sink_.writeAt(offset_, pending_);
        offset_ += pending_.size();
        pending_.clear();
    }

  private:
    ByteSink& sink_;
    std::uint64_t offset_;
    std::vector<std::uint8_t> pending_;
};

}  // namespace

unsigned csoIndexShift(std::uint64_t uncompressedSize) {
    std::uint64_t blocks = blockCount(uncompressedSize, kCsoBlockSize);
    for (unsigned shift = 0; shift < kCsoMaxShift; ++shift) {
        std::uint64_t largest = alignUp(kCsoHeaderSize + 4 * (blocks + 1), shift) +
                                blocks * alignUp(kCsoBlockSize, shift);
        if ((largest >> shift) <= kMaxPosition)
            return shift;
    }
    return kCsoMaxShift;
}

CsoHeader readCsoHeader(ByteSource& cso) {
    const std::string& name = cso.name();
    if (cso.size() < kCsoHeaderSize)
        throw inputError(name, "not a CSO image (too short)");
    std::array<std::uint8_t, kCsoHeaderSize> raw;
    cso.readAt(0, raw);
    if (!std::equal(raw.begin(), raw.begin() + 4, "CISO")) {
        throw inputError(name, "not a CSO image (no CISO signature)");
    }
    CsoHeader header;
    header.uncompressedSize = readU64(std::span(raw).subspan(8));
    header.blockSize = readU32(std::span(raw).subspan(16));
    header.version = raw[20];
    header.shift = raw[21];
    if (header.version > 1) {
        throw inputError(name, "unsupported CSO version " + std::to_string(header.version));
    }
    if (header.blockSize < 512 || header.blockSize > (1u << 20) ||
        (header.blockSize & (header.blockSize - 1)) != 0) {
        throw inputError(name,
                         "corrupt CSO header: block size " + std::to_string(header.blockSize));
    }
    if (header.shift > kCsoMaxShift) {
        throw inputError(name, "corrupt CSO header: index shift " + std::to_string(header.shift) +
                                   " is over 20");
    }
    if (header.indexEnd() > cso.size())
        throw inputError(name, "truncated CSO image (index)");
    std::array<std::uint8_t, 4> last;
    cso.readAt(header.indexEnd() - 4, last);
    std::uint32_t end = readU32(last);
    if (end & kCsoStoredFlag)
        throw inputError(name, "corrupt CSO index: bad end entry");
    if ((std::uint64_t{end} << header.shift) > cso.size()) {
        throw inputError(name, "truncated CSO image (data ends before the index says)");
    }
    return header;
}

ConversionStats compressToCso(ByteSource& iso, ByteSink& cso, int level,
                              const ConversionOptions& options) {
    const std::uint64_t size = iso.size();
    const std::uint64_t blocks = blockCount(size, kCsoBlockSize);
    const unsigned shift = csoIndexShift(size);
    // A compressed block must end, padding included, before the block size.
    const std::size_t unit = std::size_t{1} << shift;
    const std::size_t maxCompressed = unit < kCsoBlockSize ? kCsoBlockSize - unit : 0;

    std::array<std::uint8_t, kCsoHeaderSize> header{};
    std::copy_n("CISO", 4, header.begin());
    writeU32(std::span(header).subspan(4), kCsoHeaderSize);
    writeU64(std::span(header).subspan(8), size);
    writeU32(std::span(header).subspan(16), kCsoBlockSize);
    header[20] = 1;
    header[21] = static_cast<std::uint8_t>(shift);
    cso.write(header);
    const std::uint64_t indexBytes = 4 * (blocks + 1);
    const std::vector<std::uint8_t> zeros(std::max<std::size_t>(unit, 65536), 0);
    for (std::uint64_t left = indexBytes; left > 0;) {
        std::size_t part = static_cast<std::size_t>(std::min<std::uint64_t>(left, zeros.size()));
        cso.write(std::span(zeros.data(), part));
        left -= part;
    }
    auto pad = [&] {
        std::uint64_t aligned = alignUp(cso.written(), shift);
        cso.write(std::span(zeros.data(), static_cast<std::size_t>(aligned - cso.written())));
    };
    pad();

    ConversionStats stats;
    stats.inputBytes = size;
    stats.blocks = blocks;
    IndexWriter index(cso, kCsoHeaderSize);
    std::uint64_t nextBlock = 0;

    Pipeline<CompressBatch, BlockCompressor>::run(
        options.threads, [&] { return std::make_unique<BlockCompressor>(level, maxCompressed); },
        [&](CompressBatch& batch) {
            if (nextBlock == blocks)
                return false;
            batch.firstBlock = nextBlock;
            batch.count = static_cast<std::uint32_t>(
                std::min<std::uint64_t>(kBlocksPerBatch, blocks - nextBlock));
            readPlainBlocks(iso, kCsoBlockSize, batch.firstBlock, batch.count, batch.input);
            nextBlock += batch.count;
            return true;
        },
        [&](CompressBatch& batch, BlockCompressor& compressor) {
            batch.output.resize(batch.input.size());
            batch.lengths.resize(batch.count);
            for (std::uint32_t i = 0; i < batch.count; ++i) {
                std::size_t at = static_cast<std::size_t>(i) * kCsoBlockSize;
                batch.lengths[i] =
                    compressor.compress(std::span(batch.input).subspan(at, kCsoBlockSize),
                                        std::span(batch.output).subspan(at, kCsoBlockSize));
            }
        },
        [&](CompressBatch& batch) {
            batch.pieces.clear();
            std::uint64_t position = cso.written();
            for (std::uint32_t i = 0; i < batch.count; ++i) {
                std::size_t at = static_cast<std::size_t>(i) * kCsoBlockSize;
                std::uint32_t entry = static_cast<std::uint32_t>(position >> shift);
                std::size_t length = batch.lengths[i];
                if (length == 0) {
                    index.add(entry | kCsoStoredFlag);
                    batch.pieces.push_back(std::span(batch.input).subspan(at, kCsoBlockSize));
                    length = kCsoBlockSize;
                    ++stats.storedBlocks;
                } else {
                    index.add(entry);
                    batch.pieces.push_back(std::span(batch.output).subspan(at, length));
                }
                std::size_t padding =
                    static_cast<std::size_t>(alignUp(position + length, shift) - position - length);
                if (padding)
                    batch.pieces.push_back(std::span(zeros.data(), padding));
                position += length + padding;
            }
            cso.writeAll(batch.pieces);
            if (options.progress) {
                options.progress(std::min(size, (batch.firstBlock + batch.count) * kCsoBlockSize),
                                 size);
            }
        });
    index.add(static_cast<std::uint32_t>(cso.written() >> shift));
    index.flush();
    stats.outputBytes = cso.written();
    return stats;
}

ConversionStats decompressCso(ByteSource& cso, ByteSink& iso, const ConversionOptions& options) {
    const CsoHeader header = readCsoHeader(cso);
    const std::string& name = cso.name();
    const std::uint64_t blocks = header.blocks();
    const std::uint32_t blockSize = header.blockSize;
    // No block can be longer than a stored block with its padding, and a little slack for
    // writers that keep a compressed block slightly longer than the block.
    const std::uint64_t maxLength =
        blockSize + blockSize / 8 + 64 + (std::uint64_t{1} << header.shift);

    ConversionStats stats;
    stats.inputBytes = cso.size();
    stats.blocks = blocks;
    std::uint64_t nextBlock = 0;

    Pipeline<DecompressBatch, Inflater>::run(
        options.threads, [] { return std::make_unique<Inflater>(); },
        [&](DecompressBatch& batch) {
            if (nextBlock == blocks)
                return false;
            batch.firstBlock = nextBlock;
            batch.count = static_cast<std::uint32_t>(
                std::min<std::uint64_t>(kBlocksPerBatch, blocks - nextBlock));
            std::vector<std::uint8_t> raw(4 * (static_cast<std::size_t>(batch.count) + 1));
            cso.readAt(kCsoHeaderSize + 4 * batch.firstBlock, raw);
            batch.entries.resize(batch.count + 1);
            std::uint64_t previous = 0;
            for (std::uint32_t i = 0; i <= batch.count; ++i) {
                batch.entries[i] = readU32(std::span(raw).subspan(4 * i));
                std::uint64_t position = std::uint64_t{batch.entries[i] & ~kCsoStoredFlag}
                                         << header.shift;
                std::uint64_t block = batch.firstBlock + i;
                if (block == 0 && position < header.indexEnd()) {
                    throw inputError(name, "corrupt CSO index: data starts inside the index");
                }
                if (position > cso.size()) {
                    throw inputError(name, "corrupt CSO index: " + blockName(block) +
                                               " lies past the end of the file");
                }
                if (i > 0 && position < previous) {
                    throw inputError(name, "corrupt CSO index: entry " + std::to_string(block) +
                                               " goes backwards");
                }
                if (i > 0 && position - previous > maxLength) {
                    throw inputError(name, "corrupt CSO index: " + blockName(block - 1) +
                                               " is longer than any block can be");
                }
                if (i == 0)
                    batch.firstPosition = position;
                previous = position;
            }
            batch.input.resize(static_cast<std::size_t>(previous - batch.firstPosition));
            cso.readAt(batch.firstPosition, batch.input);
            nextBlock += batch.count;
            return true;
        },
        [&](DecompressBatch& batch, Inflater& inflater) {
            batch.output.resize(static_cast<std::size_t>(batch.count) * blockSize);
            for (std::uint32_t i = 0; i < batch.count; ++i) {
                auto position = [&](std::uint32_t k) {
                    return (std::uint64_t{batch.entries[k] & ~kCsoStoredFlag} << header.shift) -
                           batch.firstPosition;
                };
                std::uint64_t from = position(i);
                std::uint64_t length = position(i + 1) - from;
                auto in =
                    std::span(batch.input)
                        .subspan(static_cast<std::size_t>(from), static_cast<std::size_t>(length));
                auto out = std::span(batch.output)
                               .subspan(static_cast<std::size_t>(i) * blockSize, blockSize);
                std::uint64_t block = batch.firstBlock + i;
                if (batch.entries[i] & kCsoStoredFlag) {
                    if (length < blockSize) {
                        throw inputError(name, "corrupt CSO image: stored " + blockName(block) +
                                                   " is too short");
                    }
                    std::copy_n(in.begin(), blockSize, out.begin());
                } else if (!inflater.inflateExact(Wrapper::Raw, in, out)) {
                    throw inputError(name, "corrupt CSO image: " + blockName(block) +
                                               " does not inflate to " + std::to_string(blockSize) +
                                               " bytes");
                }
            }
        },
        [&](DecompressBatch& batch) {
            std::uint64_t start = batch.firstBlock * blockSize;
            std::uint64_t length =
                std::min<std::uint64_t>(batch.output.size(), header.uncompressedSize - start);
            iso.write(std::span(batch.output.data(), static_cast<std::size_t>(length)));
            for (std::uint32_t i = 0; i < batch.count; ++i) {
                if (batch.entries[i] & kCsoStoredFlag)
                    ++stats.storedBlocks;
            }
            if (options.progress)
                options.progress(start + length, header.uncompressedSize);
        });
    stats.outputBytes = iso.written();
    return stats;
}

}  // namespace vz::image
