#include "image/iso9660.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "image/little_endian.h"
#include "image/media_files.h"
#include "image/tool_error.h"
#include "support/tool_support.h"

namespace vz::image {
namespace {

using Bytes = std::vector<std::uint8_t>;
constexpr std::size_t kSector = 2048;

Bytes record(const std::string& name, std::uint32_t extent, std::uint32_t length, bool directory) {
    std::size_t size = 33 + name.size() + (name.size() % 2 == 0 ? 1 : 0);
    Bytes r(size, 0);
    r[0] = static_cast<std::uint8_t>(size);
    writeU32(std::span(r).subspan(2), extent);
    writeU32(std::span(r).subspan(10), length);
    r[25] = directory ? 0x02 : 0;
    r[32] = static_cast<std::uint8_t>(name.size());
    std::copy(name.begin(), name.end(), r.begin() + 33);
    return r;
}

// A small image by hand: the root at sector 18 holds the records given.
Bytes handMadeImage(const std::vector<Bytes>& rootRecords, std::size_t sectors = 24) {
    Bytes image(sectors * kSector, 0);
    std::uint8_t* pvd = image.data() + 16 * kSector;
    pvd[0] = 1;
    std::copy_n("CD001", 5, pvd + 1);
    pvd[6] = 1;
    Bytes root = record(std::string(1, '\0'), 18, kSector, true);
    std::copy(root.begin(), root.end(), pvd + 156);
    std::size_t at = 18 * kSector;
    for (const Bytes& r : {record(std::string(1, '\0'), 18, kSector, true),
                           record(std::string(1, '\1'), 18, kSector, true)}) {
        std::copy(r.begin(), r.end(), image.begin() + static_cast<long>(at));
        at += r.size();
    }
    for (const Bytes& r : rootRecords) {
        std::copy(r.begin(), r.end(), image.begin() + static_cast<long>(at));
        at += r.size();
    }
    return image;
}

std::vector<IsoFile> list(const Bytes& image) {
    MemorySource source("disc.iso", image);
    return listIsoFiles(source);
}

TEST(Iso9660, ListsTheFilesOfARealImage) {
    test::TempDir dir;
    auto tree = dir / "tree";
    std::filesystem::create_directories(tree / "PSP_GAME" / "USRDIR");
    Bytes data = test::textBytes(5000, 1);
    test::writeFile(tree / "PSP_GAME" / "USRDIR" / "DATA.BIN", data);
    test::writeFile(tree / "PSP_GAME" / "PARAM.SFO", test::textBytes(300, 2));
    test::makeIsoImage(tree, dir / "disc.iso");
    Bytes image = test::readFile(dir / "disc.iso");
    std::vector<IsoFile> files = list(image);
    ASSERT_EQ(files.size(), 2u);
    const IsoFile* found = nullptr;
    for (const auto& file : files) {
        if (file.path == "/PSP_GAME/USRDIR/DATA.BIN")
            found = &file;
    }
    ASSERT_NE(found, nullptr);
    EXPECT_EQ(found->size, data.size());
    EXPECT_TRUE(
        std::equal(data.begin(), data.end(), image.begin() + static_cast<long>(found->offset)));
}

TEST(Iso9660, SkipsLoopsAndExtentsOutsideTheImage) {
    Bytes image = handMadeImage({
        record("LOOP", 18, kSector, true),            // the root again
        record("FAR.BIN;1", 5000, 100, false),        // past the end
        record("LONG.BIN;1", 20, 0x7fffffff, false),  // runs past the end
        record("BIGDIR", 19, 0x40000000, true),       // absurd directory length
        record("OK.BIN;1", 20, 100, false),
    });
    std::vector<IsoFile> files = list(image);
    ASSERT_EQ(files.size(), 1u);
    EXPECT_EQ(files[0].path, "/OK.BIN");
    EXPECT_EQ(files[0].offset, 20 * kSector);
}

TEST(Iso9660, BrokenRecordsAreSkippedOrEndTheSector) {
    Bytes longName = record("X.BIN;1", 20, 10, false);
    longName[32] = 200;  // a name longer than its record: skipped
    Bytes tooShort = record("Y.BIN;1", 20, 10, false);
    tooShort[0] = 5;  // shorter than any record: the rest of the sector is not trusted
    Bytes image = handMadeImage(
        {record("A.BIN;1", 20, 10, false), longName, tooShort, record("B.BIN;1", 20, 10, false)});
    std::vector<IsoFile> files = list(image);
    ASSERT_EQ(files.size(), 1u);
    EXPECT_EQ(files[0].path, "/A.BIN");
}

TEST(Iso9660, SomethingElseIsAnInputError) {
    for (const Bytes& image : {Bytes(100, 0), Bytes(40 * kSector, 0)}) {
        EXPECT_THROW(list(image), ToolError);
    }
}

TEST(MediaFiles, VideoByContentAudioByExtension) {
    Bytes image =
        handMadeImage({record("MOVIE.PMF;1", 20, 9000, false), record("FAKE.PMF;1", 21, 100, false),
                       record("BGM.at3;1", 22, 100, false), record("DATA.BIN;1", 23, 100, false)},
                      40);
    std::copy_n("PSMF0015", 8, image.begin() + 20 * kSector);
    MemorySource source("disc.iso", image);
    std::vector<MediaFile> both = findMediaFiles(source, true, true);
    ASSERT_EQ(both.size(), 2u);
    EXPECT_EQ(both[0].file.path, "/MOVIE.PMF");
    EXPECT_TRUE(both[0].video);
    EXPECT_EQ(both[1].file.path, "/BGM.at3");
    EXPECT_FALSE(both[1].video);
    EXPECT_EQ(findMediaFiles(source, false, true).size(), 1u);
    // 9000 bytes from sector 20 (byte 40960): frames 5 and 6 of 8192.
    EXPECT_EQ(framesOf({both[0]}, 8192), (std::vector<FrameRange>{{5, 2}}));
}

}  // namespace
}  // namespace vz::image
