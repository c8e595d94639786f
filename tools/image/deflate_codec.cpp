#include "image/deflate_codec.h"

#ifndef VZ_INFLATE_ZLIB
#include <libdeflate.h>
#endif
#include <zlib.h>

#include <algorithm>
#include <new>
#include <stdexcept>

namespace vz::image {

Deflater::Deflater(int level, Wrapper wrapper) : stream_(new z_stream{}) {
    int windowBits = wrapper == Wrapper::Raw ? -15 : 15;
    if (deflateInit2(stream_, level, Z_DEFLATED, windowBits, 8, Z_DEFAULT_STRATEGY) != Z_OK) {
        delete stream_;
        throw std::runtime_error("zlib: cannot start the compressor");
    }
}

Deflater::~Deflater() {
    deflateEnd(stream_);
    delete stream_;
}

std::optional<std::size_t> Deflater::compress(std::span<const std::uint8_t> in,
                                              std::span<std::uint8_t> out) {
    deflateReset(stream_);
    stream_->next_in = const_cast<Bytef*>(in.data());
    stream_->avail_in = static_cast<uInt>(in.size());
    stream_->next_out = out.data();
    stream_->avail_out = static_cast<uInt>(out.size());
    int result = deflate(stream_, Z_FINISH);
    if (result != Z_STREAM_END)
        return std::nullopt;
    return out.size() - stream_->avail_out;
}

std::optional<std::size_t> BlockDeflater::compress(std::span<const std::uint8_t> in,
                                                   std::span<std::uint8_t> out) {
    bool zero = std::all_of(in.begin(), in.end(), [](std::uint8_t byte) { return byte == 0; });
    if (!zero)
        return deflater_.compress(in, out);
    if (zeroKnown_ && zeroInput_ == in.size() && zeroBuffer_ == out.size()) {
        if (!zeroOutput_)
            return std::nullopt;
        std::copy(zeroOutput_->begin(), zeroOutput_->end(), out.begin());
        return zeroOutput_->size();
    }
    auto length = deflater_.compress(in, out);
    zeroKnown_ = true;
    zeroInput_ = in.size();
    zeroBuffer_ = out.size();
    zeroOutput_.reset();
    if (length)
        zeroOutput_.emplace(out.begin(), out.begin() + static_cast<std::ptrdiff_t>(*length));
    return length;
}

#ifdef VZ_INFLATE_ZLIB

Inflater::Inflater() : stream_(new z_stream{}) {
    if (inflateInit2(stream_, 15) != Z_OK) {
        delete stream_;
        throw std::bad_alloc();
    }
}

Inflater::~Inflater() {
    inflateEnd(stream_);
    delete stream_;
}

std::optional<std::size_t> Inflater::inflate(Wrapper wrapper, std::span<const std::uint8_t> in,
                                             std::span<std::uint8_t> out) {
    inflateReset2(stream_, wrapper == Wrapper::Raw ? -15 : 15);
    stream_->next_in = const_cast<Bytef*>(in.data());
    stream_->avail_in = static_cast<uInt>(in.size());
    stream_->next_out = out.data();
    stream_->avail_out = static_cast<uInt>(out.size());
    if (::inflate(stream_, Z_FINISH) != Z_STREAM_END) return std::nullopt;
    return out.size() - stream_->avail_out;
}

#else

Inflater::Inflater() : decompressor_(libdeflate_alloc_decompressor()) {
    if (!decompressor_) throw std::bad_alloc();
}

Inflater::~Inflater() { libdeflate_free_decompressor(decompressor_); }

std::optional<std::size_t> Inflater::inflate(Wrapper wrapper, std::span<const std::uint8_t> in,
                                             std::span<std::uint8_t> out) {
    std::size_t consumed = 0;
    std::size_t produced = 0;
    libdeflate_result result =
        wrapper == Wrapper::Raw
            ? libdeflate_deflate_decompress_ex(decompressor_, in.data(), in.size(), out.data(),
                                               out.size(), &consumed, &produced)
            : libdeflate_zlib_decompress_ex(decompressor_, in.data(), in.size(), out.data(),
                                            out.size(), &consumed, &produced);
    if (result != LIBDEFLATE_SUCCESS) return std::nullopt;
    return produced;
}

#endif

bool Inflater::inflateExact(Wrapper wrapper, std::span<const std::uint8_t> in,
                            std::span<std::uint8_t> out) {
    auto produced = inflate(wrapper, in, out);
    return produced && *produced == out.size();
}

}  // namespace vz::image
