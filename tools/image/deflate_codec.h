// Compression with zlib, whose streams every PSP firmware inflater accepts, and
// decompression with libdeflate, which is fast and strict.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <vector>

struct z_stream_s;
struct libdeflate_decompressor;

namespace vz::image {

enum class Wrapper { Raw, Zlib };

// One reusable zlib deflate stream; each call compresses one complete stream.
class Deflater {
  public:
    Deflater(int level, Wrapper wrapper);
    ~Deflater();
    Deflater(const Deflater&) = delete;
    Deflater& operator=(const Deflater&) = delete;

    // The compressed length, or nothing when the stream does not fit in `out`.
    std::optional<std::size_t> compress(std::span<const std::uint8_t> in,
                                        std::span<std::uint8_t> out);

  private:
    z_stream_s* stream_;
};

// A deflater that remembers what an all-zero block compresses to: discs hold long runs of
// zeros, and a block always compresses the same. Same contract as Deflater.
class BlockDeflater {
  public:
    BlockDeflater(int level, Wrapper wrapper) : deflater_(level, wrapper) {}
    std::optional<std::size_t> compress(std::span<const std::uint8_t> in,
                                        std::span<std::uint8_t> out);

  private:
    Deflater deflater_;
    std::size_t zeroInput_ = 0;  // the block and buffer sizes the remembered result is for
    std::size_t zeroBuffer_ = 0;
    std::optional<std::vector<std::uint8_t>> zeroOutput_;  // empty optional: did not fit
    bool zeroKnown_ = false;
};

// Inflates with libdeflate, or with zlib where libdeflate is not available (VZ_INFLATE_ZLIB).
class Inflater {
  public:
    Inflater();
    ~Inflater();
    Inflater(const Inflater&) = delete;
    Inflater& operator=(const Inflater&) = delete;

    // True when `in` starts with one complete stream that inflates to exactly out.size()
    // bytes. Bytes after the stream (alignment padding) are allowed for raw streams.
    bool inflateExact(Wrapper wrapper, std::span<const std::uint8_t> in,
                      std::span<std::uint8_t> out);
    // The inflated length of a complete stream, up to out.size(); nothing when corrupt.
    std::optional<std::size_t> inflate(Wrapper wrapper, std::span<const std::uint8_t> in,
                                       std::span<std::uint8_t> out);

  private:
#ifdef VZ_INFLATE_ZLIB
    z_stream_s* stream_;
#else
    libdeflate_decompressor* decompressor_;
#endif
};

}  // namespace vz::image
