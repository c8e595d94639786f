// Compression with zlib, whose streams every PSP firmware inflater accepts, and
// decompression with libdeflate, which is fast and strict.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>

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
    libdeflate_decompressor* decompressor_;
};

}  // namespace vz::image
