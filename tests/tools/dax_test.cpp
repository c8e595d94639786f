#include "image/dax.h"

#include <gtest/gtest.h>
#include <zlib.h>

#include <functional>

#include "image/little_endian.h"
#include "image/tool_error.h"
#include "support/tool_support.h"

namespace vz::image {
namespace {

using Bytes = std::vector<std::uint8_t>;
constexpr std::size_t kFrame = 8192;

Bytes concat(std::initializer_list<Bytes> parts) {
    Bytes all;
    for (const auto& part : parts)
        all.insert(all.end(), part.begin(), part.end());
    return all;
}

struct Packed {
    Bytes bytes;
    DaxResult result;
    int sinksOpened = 0;
};

Packed compress(const Bytes& iso, DaxCompressOptions dax, unsigned threads = 2) {
    MemorySource source("game.iso", iso);
    Packed packed;
    packed.result = compressToDax(source,
                                  [&] {
                                      ++packed.sinksOpened;
                                      return std::make_unique<MemorySink>("game.dax");
                                  },
                                  dax, {threads, {}});
    packed.bytes = static_cast<MemorySink&>(*packed.result.sink).bytes;
    return packed;
}

Bytes decompress(const Bytes& dax) {
    MemorySource source("game.dax", dax);
    MemorySink sink("game.iso");
    decompressDax(source, sink, {2, {}});
    return sink.bytes;
}

// The parts of a DAX file, read independently of the reader under test.
struct Parsed {
    std::uint32_t size, version, areaCount, frames;
    std::vector<std::uint32_t> offsets;
    std::vector<std::uint16_t> lengths;
    std::vector<FrameRange> areas;  // the non-empty entries of the table
    std::size_t tableEntriesRead = 0;
};

Parsed parse(const Bytes& dax) {
    std::span<const std::uint8_t> v(dax);
    Parsed p{readU32(v.subspan(4)), readU32(v.subspan(8)), readU32(v.subspan(12)), 0, {}, {}, {}};
    p.frames = static_cast<std::uint32_t>((p.size + kFrame - 1) / kFrame);
    for (std::uint32_t i = 0; i < p.frames; ++i) {
        p.offsets.push_back(readU32(v.subspan(32 + 4 * i)));
        p.lengths.push_back(readU16(v.subspan(32 + 4 * p.frames + 2 * i)));
    }
    if (p.version == 1) {
        for (std::size_t i = 0; i < 192; ++i) {
            FrameRange area{readU32(v.subspan(32 + 6 * p.frames + 8 * i)),
                            readU32(v.subspan(32 + 6 * p.frames + 8 * i + 4))};
            if (area.count)
                p.areas.push_back(area);
            ++p.tableEntriesRead;
        }
    }
    return p;
}

Bytes inflateZlib(std::span<const std::uint8_t> in) {
    Bytes out(kFrame * 2);
    uLongf length = static_cast<uLongf>(out.size());
    if (uncompress(out.data(), &length, in.data(), static_cast<uLong>(in.size())) != Z_OK)
        return {};
    out.resize(length);
    return out;
}

struct Image {
    const char* name;
    std::function<Bytes()> make;
};

const Image kImages[] = {
    {"empty", [] { return Bytes{}; }},
    {"one_frame", [] { return test::textBytes(kFrame, 1); }},
    {"partial_last", [] { return test::textBytes(kFrame * 3 + 100, 2); }},
    {"zeros", [] { return Bytes(kFrame * 20, 0); }},
    {"random_partial", [] { return test::randomBytes(kFrame * 10 + 7, 3); }},
    {"mixed",
     [] {
         return concat({test::textBytes(kFrame * 40, 4), test::randomBytes(kFrame * 9, 5),
                        test::textBytes(kFrame * 30 + 1234, 6)});
     }},
};

struct Settings {
    const char* name;
    DaxCompressOptions options;
};

const Settings kSettings[] = {
    {"plain", {9, std::nullopt, {}}},
    {"a8192", {6, 8192, {}}},
    {"a4096", {6, 4096, {}}},
    {"a0", {1, 0, {}}},
    {"forced", {6, std::nullopt, {{1, 2}, {60, 5}}}},
};

class DaxRoundTrip : public testing::TestWithParam<std::tuple<Image, Settings>> {};

TEST_P(DaxRoundTrip, GivesBackTheImageWithAValidLayout) {
    const Bytes iso = std::get<0>(GetParam()).make();
    const DaxCompressOptions& options = std::get<1>(GetParam()).options;
    Packed packed = compress(iso, options, 3);
    EXPECT_EQ(packed.bytes, compress(iso, options, 1).bytes) << "threads change nothing";
    EXPECT_EQ(decompress(packed.bytes), iso);

    Parsed p = parse(packed.bytes);
    EXPECT_EQ(p.size, iso.size());
    EXPECT_EQ(p.version, p.areaCount > 0 ? 1u : 0u);
    EXPECT_EQ(p.areas, packed.result.areas);
    EXPECT_EQ(p.areas.size(), p.areaCount);
    std::vector<bool> nc(p.frames, false);
    for (const FrameRange& area : p.areas) {
        for (std::uint32_t f = area.first; f < area.first + area.count; ++f)
            nc[f] = true;
    }
    std::uint64_t position = 32 + 6 * std::uint64_t{p.frames} + (p.version == 1 ? 1536 : 0);
    for (std::uint32_t f = 0; f < p.frames; ++f) {
        ASSERT_EQ(p.offsets[f], position) << "frames in order, contiguous: " << f;
        position += p.lengths[f];
        std::size_t frameSize = std::min(kFrame, iso.size() - f * kFrame);
        auto stored = std::span(packed.bytes).subspan(p.offsets[f], p.lengths[f]);
        if (nc[f]) {
            EXPECT_EQ(p.lengths[f], kFrame);
            EXPECT_TRUE(std::equal(stored.begin(), stored.end(), iso.begin() + f * kFrame));
            continue;
        }
        EXPECT_LE(p.lengths[f], 9216u);
        if (p.version == 1) {
            EXPECT_NE(p.lengths[f], kFrame) << "looks raw: " << f;
        }
        Bytes inflated = inflateZlib(stored);
        ASSERT_EQ(inflated.size(), frameSize) << "a complete zlib stream: " << f;
        EXPECT_TRUE(std::equal(inflated.begin(), inflated.end(), iso.begin() + f * kFrame));
    }
    EXPECT_EQ(position, packed.bytes.size());
    if (options.threshold == 0u && p.frames > 0) {
        bool partial = iso.size() % kFrame != 0;
        EXPECT_EQ(nc[p.frames - 1], !partial) << "the partial last frame stays compressed";
    }
}

INSTANTIATE_TEST_SUITE_P(Matrix, DaxRoundTrip,
                         testing::Combine(testing::ValuesIn(kImages), testing::ValuesIn(kSettings)),
                         [](const testing::TestParamInfo<std::tuple<Image, Settings>>& param) {
                             return std::string(std::get<0>(param.param).name) + "_" +
                                    std::get<1>(param.param).name;
                         });

TEST(DaxWriter, ThresholdDecidesWhichFramesAreRaw) {
    const Bytes iso = concat({test::textBytes(kFrame * 4, 7), test::randomBytes(kFrame * 2, 8),
                              test::textBytes(kFrame * 3, 9)});
    EXPECT_EQ(compress(iso, {6, 8192, {}}).result.areas, (std::vector<FrameRange>{{4, 2}}));
    EXPECT_EQ(compress(iso, {6, 0, {}}).result.areas, (std::vector<FrameRange>{{0, 9}}));
    Packed none = compress(iso, {6, std::nullopt, {}});
    EXPECT_TRUE(none.result.areas.empty());
    EXPECT_EQ(parse(none.bytes).version, 0u);
}

TEST(DaxWriter, NcOptionsWithoutAnyNcFrameGiveVersionZero) {
    const Bytes iso = test::textBytes(kFrame * 5, 10);
    Packed packed = compress(iso, {6, 8192, {}});
    Parsed p = parse(packed.bytes);
    EXPECT_EQ(p.version, 0u);
    EXPECT_EQ(p.areaCount, 0u);
    EXPECT_EQ(p.offsets[0], 32u + 6 * 5) << "no NC table";
    EXPECT_EQ(decompress(packed.bytes), iso);
}

TEST(DaxWriter, MoreThan192AreasMergeAcrossTheShortestGaps) {
    // 200 random frames, separated by gaps of text: most gaps 3 frames, eight of them 1.
    std::vector<Bytes> parts;
    for (int i = 0; i < 200; ++i) {
        parts.push_back(test::randomBytes(kFrame, 100 + i));
        if (i < 199)
            parts.push_back(test::textBytes(kFrame * (i % 25 == 7 ? 1 : 3), 500 + i));
    }
    Bytes iso;
    for (const auto& part : parts)
        iso.insert(iso.end(), part.begin(), part.end());
    Packed packed = compress(iso, {6, 8192, {}});
    EXPECT_EQ(packed.sinksOpened, 2) << "laid out again after merging";
    EXPECT_EQ(packed.result.areas.size(), 192u);
    Parsed p = parse(packed.bytes);
    EXPECT_EQ(p.areaCount, 192u);
    for (const FrameRange& area : p.areas) {
        EXPECT_TRUE(area.count == 1 || area.count == 3) << area.first;  // one gap of 1 filled
    }
    EXPECT_EQ(decompress(packed.bytes), iso);
}

TEST(NcAreas, MergeFillsTheShortestGapsFirstEarliestOnTies) {
    std::vector<bool> nc = {true, false, false, true, false, true, false, true, false, false, true};
    EXPECT_EQ(ncAreasOf(nc).size(), 5u);
    // Gaps: 1-2, 4, 6, 8-9. The two single ones go first, then the earlier of the pairs.
    std::vector<std::uint32_t> changed = mergeNcAreas(nc, 2);
    EXPECT_EQ(changed, (std::vector<std::uint32_t>{1, 2, 4, 6}));
    EXPECT_EQ(ncAreasOf(nc), (std::vector<FrameRange>{{0, 8}, {10, 1}}));
    EXPECT_TRUE(mergeNcAreas(nc, 2).empty());
}

TEST(DaxWriter, RefusesImagesOfFourGibibytesBeforeWriting) {
    struct Huge : ByteSource {
        std::string n = "huge.iso";
        const std::string& name() const override { return n; }
        std::uint64_t size() const override { return 4ull << 30; }
        void readAt(std::uint64_t, std::span<std::uint8_t>) override { FAIL() << "read"; }
    } huge;
    bool opened = false;
    try {
        compressToDax(huge,
                      [&] {
                          opened = true;
                          return std::make_unique<MemorySink>("x");
                      },
                      {}, {1, {}});
        FAIL() << "accepted";
    } catch (const ToolError& error) {
        EXPECT_EQ(error.code(), ExitCode::BadInput);
        EXPECT_NE(std::string(error.what()).find("under 4 GiB"), std::string::npos);
    }
    EXPECT_FALSE(opened);
}

struct Damage {
    const char* name;
    std::function<void(Bytes&)> apply;
    const char* message;
};

void putU32(Bytes& b, std::size_t at, std::uint32_t v) {
    writeU32(std::span(b).subspan(at), v);
}
void putU16(Bytes& b, std::size_t at, std::uint16_t v) {
    writeU16(std::span(b).subspan(at), v);
}

// Five frames: text, random (NC), text, text, partial text; version 1.
Bytes validDax() {
    return compress(concat({test::textBytes(kFrame, 11), test::randomBytes(kFrame, 12),
                            test::textBytes(kFrame * 2, 13), test::textBytes(500, 14)}),
                    {6, 8192, {}})
        .bytes;
}
constexpr std::size_t kOffsets = 32, kLengths = 32 + 4 * 5, kTable = 32 + 6 * 5;

class DaxCorruption : public testing::TestWithParam<Damage> {};

TEST_P(DaxCorruption, IsAClearInputError) {
    Bytes dax = validDax();
    ASSERT_EQ(parse(dax).areas, (std::vector<FrameRange>{{1, 1}}));
    GetParam().apply(dax);
    try {
        decompress(dax);
        FAIL() << "accepted a damaged image";
    } catch (const ToolError& error) {
        EXPECT_EQ(error.code(), ExitCode::BadInput);
        EXPECT_NE(std::string(error.what()).find(GetParam().message), std::string::npos)
            << error.what();
    }
}

INSTANTIATE_TEST_SUITE_P(
    Table, DaxCorruption,
    testing::Values(
        Damage{"too_short", [](Bytes& d) { d.resize(10); }, "too short"},
        Damage{"bad_magic", [](Bytes& d) { d[1] = 'X'; }, "no DAX signature"},
        Damage{"version_2", [](Bytes& d) { putU32(d, 8, 2); }, "unsupported DAX version 2"},
        Damage{"areas_in_version_0", [](Bytes& d) { putU32(d, 8, 0); }, "version 0 image"},
        Damage{"more_than_192_areas", [](Bytes& d) { putU32(d, 12, 193); }, "more than 192"},
        Damage{"truncated_tables", [](Bytes& d) { d.resize(kTable + 100); }, "truncated"},
        Damage{"huge_size_claim", [](Bytes& d) { putU32(d, 4, 0xffffffffu); }, "truncated"},
        Damage{"area_past_the_end", [](Bytes& d) { putU32(d, kTable + 4, 9); },
               "names frames past the end"},
        Damage{"offset_past_the_end", [](Bytes& d) { putU32(d, kOffsets + 8, 0x7fffffff); },
               "frame 2 lies outside"},
        Damage{"offset_inside_tables", [](Bytes& d) { putU32(d, kOffsets, 40); },
               "frame 0 lies outside"},
        Damage{"length_over_9216", [](Bytes& d) { putU16(d, kLengths + 4, 9217); },
               "frame 2 is longer than 9216"},
        Damage{"nc_frame_too_short", [](Bytes& d) { putU16(d, kLengths + 2, 100); },
               "NC frame 1 is too short"},
        Damage{"bad_adler",
               [](Bytes& d) {
                   std::uint32_t at = readU32(std::span(d).subspan(kOffsets));
                   std::uint16_t length = readU16(std::span(d).subspan(kLengths));
                   d[at + length - 1] ^= 0x55;
               },
               "frame 0 does not inflate"},
        Damage{"garbage_stream",
               [](Bytes& d) {
                   std::uint32_t at = readU32(std::span(d).subspan(kOffsets + 12));
                   for (int i = 2; i < 10; ++i)
                       d[at + i] = 0xff;
               },
               "frame 3 does not inflate"},
        Damage{"wrong_size_last_frame",
               [](Bytes& d) { putU32(d, 4, readU32(std::span(d).subspan(4)) - 10); },
               "frame 4 does not inflate to 490 bytes"}),
    [](const testing::TestParamInfo<Damage>& param) { return std::string(param.param.name); });

}  // namespace
}  // namespace vz::image
