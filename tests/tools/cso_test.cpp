#include "image/cso.h"

#include <gtest/gtest.h>
#include <zlib.h>

#include <functional>

#include "image/little_endian.h"
#include "image/tool_error.h"
#include "support/tool_support.h"

namespace vz::image {
namespace {

using Bytes = std::vector<std::uint8_t>;

Bytes compress(const Bytes& iso, int level, unsigned threads) {
    MemorySource source("game.iso", iso);
    MemorySink sink("game.cso");
    compressToCso(source, sink, level, {threads, {}});
    return sink.bytes;
}

Bytes decompress(const Bytes& cso, unsigned threads = 2) {
    MemorySource source("game.cso", cso);
    MemorySink sink("game.iso");
    decompressCso(source, sink, {threads, {}});
    return sink.bytes;
}

Bytes concat(std::initializer_list<Bytes> parts) {
    Bytes all;
    for (const auto& part : parts)
        all.insert(all.end(), part.begin(), part.end());
    return all;
}

struct Image {
    const char* name;
    std::function<Bytes()> make;
};

class CsoRoundTrip : public testing::TestWithParam<Image> {};

TEST_P(CsoRoundTrip, EveryLevelGivesBackTheImageAndThreadsChangeNothing) {
    const Bytes iso = GetParam().make();
    for (int level : {1, 6, 9}) {
        Bytes one = compress(iso, level, 1);
        Bytes many = compress(iso, level, 3);
        EXPECT_EQ(one, many) << "level " << level;
        EXPECT_EQ(decompress(one), iso) << "level " << level;
    }
}

INSTANTIATE_TEST_SUITE_P(
    Sizes, CsoRoundTrip,
    testing::Values(Image{"empty", [] { return Bytes{}; }},
                    Image{"one_sector", [] { return test::textBytes(2048, 1); }},
                    Image{"partial_last_block", [] { return test::textBytes(2048 * 5 + 77, 2); }},
                    Image{"all_zeros", [] { return Bytes(2048 * 300, 0); }},
                    Image{"all_random", [] { return test::randomBytes(2048 * 200 + 1, 3); }},
                    Image{"mixed_many_batches",
                          [] {
                              return concat({test::textBytes(2048 * 400, 4),
                                             test::randomBytes(2048 * 150, 5), Bytes(2048 * 100, 0),
                                             test::textBytes(999, 6)});
                          }}),
    [](const testing::TestParamInfo<Image>& param) { return std::string(param.param.name); });

TEST(CsoWriter, WritesTheHeaderAndIndexReadersExpect) {
    const Bytes iso =
        concat({test::textBytes(2048 * 3, 7), test::randomBytes(2048, 8), test::textBytes(100, 9)});
    const Bytes cso = compress(iso, 9, 2);
    std::span<const std::uint8_t> view(cso);
    EXPECT_TRUE(std::equal(cso.begin(), cso.begin() + 4, "CISO"));
    EXPECT_EQ(readU32(view.subspan(4)), 0x18u);
    EXPECT_EQ(readU64(view.subspan(8)), iso.size());
    EXPECT_EQ(readU32(view.subspan(16)), 2048u);
    EXPECT_EQ(cso[20], 1);
    EXPECT_EQ(cso[21], 0);
    EXPECT_EQ(readU16(view.subspan(22)), 0);
    const std::uint32_t blocks = 5;
    std::vector<std::uint32_t> entries;
    for (std::uint32_t i = 0; i <= blocks; ++i)
        entries.push_back(readU32(view.subspan(24 + 4 * i)));
    EXPECT_EQ(entries[0], 24u + 4 * (blocks + 1)) << "data starts right after the index";
    EXPECT_EQ(entries[blocks], cso.size()) << "the last entry is the end of the file";
    for (std::uint32_t i = 0; i < blocks; ++i) {
        std::uint32_t from = entries[i] & 0x7fffffff;
        std::uint32_t to = entries[i + 1] & 0x7fffffff;
        ASSERT_LE(from, to);
        bool stored = entries[i] & 0x80000000u;
        EXPECT_EQ(stored, i == 3) << "only the random block is stored";
        if (stored) {
            EXPECT_EQ(to - from, 2048u);
            continue;
        }
        EXPECT_LT(to - from, 2048u);
        // A raw zlib stream that inflates to exactly one block.
        Bytes out(4096);
        z_stream stream{};
        inflateInit2(&stream, -15);
        stream.next_in = const_cast<Bytef*>(cso.data() + from);
        stream.avail_in = to - from;
        stream.next_out = out.data();
        stream.avail_out = static_cast<uInt>(out.size());
        EXPECT_EQ(inflate(&stream, Z_FINISH), Z_STREAM_END);
        EXPECT_EQ(stream.total_out, 2048u);
        inflateEnd(&stream);
    }
}

TEST(CsoWriter, SameSizeAsDeflatingEveryBlockWithZlib) {
    const Bytes iso = concat({test::textBytes(2048 * 50, 10), test::randomBytes(2048 * 10, 11)});
    std::uint64_t expected = 24 + 4 * 61;
    Bytes out(4096);
    for (std::size_t at = 0; at < iso.size(); at += 2048) {
        z_stream stream{};
        deflateInit2(&stream, 9, Z_DEFLATED, -15, 8, Z_DEFAULT_STRATEGY);
        stream.next_in = const_cast<Bytef*>(iso.data() + at);
        stream.avail_in = 2048;
        stream.next_out = out.data();
        stream.avail_out = static_cast<uInt>(out.size());
        deflate(&stream, Z_FINISH);
        expected += std::min<std::uint64_t>(stream.total_out, 2048);
        deflateEnd(&stream);
    }
    EXPECT_EQ(compress(iso, 9, 2).size(), expected);
}

TEST(CsoIndexShift, ZeroUnlessTheOutputCouldReachTwoGibibytes) {
    EXPECT_EQ(csoIndexShift(0), 0u);
    EXPECT_EQ(csoIndexShift(1800ull << 20), 0u);
    EXPECT_EQ(csoIndexShift(2047ull << 20), 1u);
    EXPECT_EQ(csoIndexShift(3ull << 30), 1u);
    EXPECT_EQ(csoIndexShift(4ull << 30), 2u);
    EXPECT_EQ(csoIndexShift(9ull << 30), 3u);
}

// A mostly empty image past 4 GiB, made on the fly: zeros with a marked byte every 64 MiB.
class SparseImage : public ByteSource {
  public:
    static constexpr std::uint64_t kSize = (4ull << 30) + (300ull << 20) + 123;
    static std::uint8_t byteAt(std::uint64_t offset) {
        return offset % (64ull << 20) == 5 ? static_cast<std::uint8_t>(offset >> 26) : 0;
    }
    const std::string& name() const override { return name_; }
    std::uint64_t size() const override { return kSize; }
    void readAt(std::uint64_t offset, std::span<std::uint8_t> out) override {
        for (std::size_t i = 0; i < out.size(); ++i)
            out[i] = byteAt(offset + i);
    }

  private:
    std::string name_ = "big.iso";
};

// Checks what is written against the sparse image instead of keeping it.
class SparseCheck : public ByteSink {
  public:
    const std::string& name() const override { return name_; }
    void write(std::span<const std::uint8_t> data) override {
        for (std::uint8_t byte : data) {
            if (byte != SparseImage::byteAt(written_))
                ++wrong;
            ++written_;
        }
    }
    void writeAt(std::uint64_t, std::span<const std::uint8_t>) override {}
    std::uint64_t written() const override { return written_; }
    void readBack(std::uint64_t, std::span<std::uint8_t>) override {
        throw std::logic_error("nothing is kept to read back");
    }
    std::uint64_t wrong = 0;

  private:
    std::string name_ = "big.iso";
    std::uint64_t written_ = 0;
};

TEST(CsoLargeImage, ImagesPastFourGibibytesGetAShiftAndComeBackWhole) {
    SparseImage image;
    MemorySink cso("big.cso");
    compressToCso(image, cso, 1, {2, {}});
    EXPECT_EQ(cso.bytes[21], 2) << "index shift";
    EXPECT_EQ(readU64(std::span(cso.bytes).subspan(8)), SparseImage::kSize);
    EXPECT_EQ(cso.bytes.size() % 4, 0u) << "padded to the alignment";
    MemorySource source("big.cso", cso.bytes);
    SparseCheck check;
    decompressCso(source, check, {2, {}});
    EXPECT_EQ(check.written(), SparseImage::kSize);
    EXPECT_EQ(check.wrong, 0u);
}

// Damage done to a valid image, and what the reader must say about it.
struct Damage {
    const char* name;
    std::function<void(Bytes&)> apply;
    const char* message;
};

void putU32(Bytes& bytes, std::size_t at, std::uint32_t value) {
    writeU32(std::span(bytes).subspan(at), value);
}

// Four blocks: text, text, random (stored), text.
Bytes validCso() {
    return compress(concat({test::textBytes(2048 * 2, 12), test::randomBytes(2048, 13),
                            test::textBytes(2048, 14)}),
                    9, 1);
}

class CsoCorruption : public testing::TestWithParam<Damage> {};

TEST_P(CsoCorruption, IsAClearInputError) {
    Bytes cso = validCso();
    GetParam().apply(cso);
    try {
        decompress(cso);
        FAIL() << "accepted a damaged image";
    } catch (const ToolError& error) {
        EXPECT_EQ(error.code(), ExitCode::BadInput);
        EXPECT_NE(std::string(error.what()).find(GetParam().message), std::string::npos)
            << error.what();
        EXPECT_EQ(std::string(error.what()).rfind("game.cso: ", 0), 0u) << error.what();
    }
}

INSTANTIATE_TEST_SUITE_P(
    Table, CsoCorruption,
    testing::Values(
        Damage{"empty_file", [](Bytes& c) { c.clear(); }, "too short"},
        Damage{"bad_magic", [](Bytes& c) { c[0] = 'X'; }, "no CISO signature"},
        Damage{"version_2", [](Bytes& c) { c[20] = 2; }, "unsupported CSO version 2"},
        Damage{"shift_over_20", [](Bytes& c) { c[21] = 21; }, "index shift 21"},
        Damage{"block_size_not_power_of_two", [](Bytes& c) { putU32(c, 16, 3000); },
               "block size 3000"},
        Damage{"huge_size_claim", [](Bytes& c) { writeU64(std::span(c).subspan(8), 1ull << 62); },
               "truncated CSO image (index)"},
        Damage{"truncated_index", [](Bytes& c) { c.resize(30); }, "truncated CSO image (index)"},
        Damage{"truncated_data", [](Bytes& c) { c.pop_back(); }, "data ends before"},
        Damage{"end_entry_flagged", [](Bytes& c) { c[24 + 16 + 3] |= 0x80; }, "bad end entry"},
        Damage{"index_goes_backwards",
               [](Bytes& c) {
                   std::uint32_t first = readU32(std::span(c).subspan(24));
                   putU32(c, 24 + 4, first - 1);
               },
               "entry 1 goes backwards"},
        Damage{"entry_past_the_end", [](Bytes& c) { putU32(c, 24 + 8, 0x7ffffff0); },
               "past the end"},
        Damage{"data_inside_index", [](Bytes& c) { putU32(c, 24, 8); },
               "data starts inside the index"},
        Damage{"garbage_deflate",
               [](Bytes& c) {
                   std::uint32_t first = readU32(std::span(c).subspan(24));
                   for (int i = 0; i < 8; ++i)
                       c[first + i] = 0xff;
               },
               "block 0 does not inflate to 2048 bytes"},
        Damage{"short_block",
               [](Bytes& c) {
                   // Block 3 becomes a valid stream of 100 bytes: firmware would keep stale
                   // data, a strict reader must refuse.
                   std::uint32_t at = readU32(std::span(c).subspan(24 + 12));
                   Bytes small(100, 'a');
                   Bytes packed(256);
                   z_stream s{};
                   deflateInit2(&s, 9, Z_DEFLATED, -15, 8, Z_DEFAULT_STRATEGY);
                   s.next_in = small.data();
                   s.avail_in = 100;
                   s.next_out = packed.data();
                   s.avail_out = 256;
                   deflate(&s, Z_FINISH);
                   packed.resize(s.total_out);
                   deflateEnd(&s);
                   c.resize(at);
                   c.insert(c.end(), packed.begin(), packed.end());
                   putU32(c, 24 + 16, static_cast<std::uint32_t>(c.size()));
               },
               "block 3 does not inflate to 2048 bytes"},
        Damage{"stored_block_too_short",
               [](Bytes& c) {
                   // The stored random block last, cut to 100 bytes with the index agreeing.
                   c = compress(
                       concat({test::textBytes(2048 * 2, 12), test::randomBytes(2048, 13)}), 9, 1);
                   std::uint32_t third = readU32(std::span(c).subspan(24 + 8)) & 0x7fffffff;
                   c.resize(third + 100);
                   putU32(c, 24 + 12, third + 100);
               },
               "stored block 2 is too short"},
        Damage{"block_longer_than_possible",
               [](Bytes& c) {
                   Bytes tail(10000, 0);
                   c.insert(c.end(), tail.begin(), tail.end());
                   putU32(c, 24 + 16, static_cast<std::uint32_t>(c.size()));
               },
               "block 3 is longer than any block can be"}),
    [](const testing::TestParamInfo<Damage>& param) { return std::string(param.param.name); });

TEST(CsoReader, AcceptsVersionZeroAndHeaderSizeZero) {
    const Bytes iso = test::textBytes(2048 * 3 + 5, 15);
    Bytes cso = compress(iso, 6, 1);
    cso[20] = 0;
    putU32(cso, 4, 0);
    EXPECT_EQ(decompress(cso), iso);
}

}  // namespace
}  // namespace vz::image
