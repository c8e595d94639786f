// The daxcr program as the window runs it.
#include <gtest/gtest.h>

#include <filesystem>

#include "image/file_io.h"
#include "image/iso9660.h"
#include "image/little_endian.h"
#include "image/nc_areas.h"
#include "support/tool_support.h"

namespace vz::test {
namespace {

namespace fs = std::filesystem;
using Bytes = std::vector<std::uint8_t>;

const std::string kDaxcr = VZ_TOOLS_DIR "/daxcr";

std::vector<image::FrameRange> ncTable(const Bytes& dax) {
    std::span<const std::uint8_t> v(dax);
    std::uint32_t frames = (image::readU32(v.subspan(4)) + 8191) / 8192;
    std::uint32_t count = image::readU32(v.subspan(12));
    std::vector<image::FrameRange> areas;
    for (std::uint32_t i = 0; i < count; ++i) {
        areas.push_back({image::readU32(v.subspan(32 + 6 * frames + 8 * i)),
                         image::readU32(v.subspan(32 + 6 * frames + 8 * i + 4))});
    }
    return areas;
}

class DaxcrCli : public testing::Test {
  protected:
    DaxcrCli() {
        // Compressible text, then two incompressible frames, then text with a partial end.
        iso = textBytes(8192 * 6, 31);
        Bytes noise = randomBytes(8192 * 2, 32);
        iso.insert(iso.end(), noise.begin(), noise.end());
        Bytes tail = textBytes(8192 * 3 + 99, 33);
        iso.insert(iso.end(), tail.begin(), tail.end());
        writeFile(dir / "juego.iso", iso);
    }
    std::string at(const std::string& name) const { return (dir / name).string(); }
    RunResult daxcr(std::vector<std::string> arguments) { return runProgram(kDaxcr, arguments); }

    TempDir dir;
    Bytes iso;
};

TEST_F(DaxcrCli, RoundTripWithTheWindowsLinesNeverWaitsWithoutATerminal) {
    RunResult packed = daxcr({"-w", "-l0", "-a8192", at("juego.iso"), at("juego.dax"), ""});
    ASSERT_EQ(packed.exitCode, 0) << packed.output;
    EXPECT_EQ(ncTable(readFile(dir / "juego.dax")), (std::vector<image::FrameRange>{{6, 2}}));
    RunResult unpacked = daxcr({"-w", "-d", at("juego.dax"), at("vuelta.iso")});
    ASSERT_EQ(unpacked.exitCode, 0) << unpacked.output;
    EXPECT_EQ(readFile(dir / "vuelta.iso"), iso);
    EXPECT_EQ(folderEntries(dir.path()),
              (std::vector<std::string>{"juego.dax", "juego.iso", "vuelta.iso"}))
        << "an empty LOG writes no log";
}

TEST_F(DaxcrCli, ThresholdVariants) {
    struct {
        std::vector<std::string> options;
        std::vector<image::FrameRange> areas;
    } cases[] = {
        {{"-l9"}, {}},
        {{"-a"}, {{6, 2}}},
        {{"-a9000"}, {{6, 2}}},
        {{"-a0"}, {{0, 11}}},  // every full frame; the partial last one stays compressed
    };
    for (const auto& c : cases) {
        std::vector<std::string> arguments = c.options;
        arguments.push_back(at("juego.iso"));
        arguments.push_back(at("juego.dax"));
        RunResult result = daxcr(arguments);
        ASSERT_EQ(result.exitCode, 0) << result.output;
        Bytes dax = readFile(dir / "juego.dax");
        EXPECT_EQ(ncTable(dax), c.areas) << c.options[0];
        EXPECT_EQ(image::readU32(std::span(dax).subspan(8)), c.areas.empty() ? 0u : 1u);
        ASSERT_EQ(daxcr({"-d", at("juego.dax"), at("vuelta.iso")}).exitCode, 0);
        EXPECT_EQ(readFile(dir / "vuelta.iso"), iso) << c.options[0];
    }
}

TEST_F(DaxcrCli, WritesTheLogItIsGiven) {
    RunResult result = daxcr({"-l9", "-a8192", at("juego.iso"), at("juego.dax"), at("juego.txt")});
    ASSERT_EQ(result.exitCode, 0) << result.output;
    Bytes log = readFile(dir / "juego.txt");
    std::string text(log.begin(), log.end());
    for (const char* expected :
         {"input:  ", "juego.iso", "output: ", "juego.dax", "level:  9",
          "frames: 12 (10 compressed, 2 NC)", "NC areas: 1", "first frame 6, 2 frames", "time:"}) {
        EXPECT_NE(text.find(expected), std::string::npos) << expected << "\n" << text;
    }
}

TEST_F(DaxcrCli, ForcesTheFramesOfVideoAndAudioFiles) {
    fs::path tree = dir / "arbol";
    fs::create_directories(tree / "PSP_GAME" / "USRDIR");
    Bytes movie = textBytes(30000, 34);  // compressible: only -v makes it NC
    std::copy_n("PSMF0015", 8, movie.begin());
    writeFile(tree / "PSP_GAME" / "USRDIR" / "OPEN.PMF", movie);
    writeFile(tree / "PSP_GAME" / "USRDIR" / "BGM.AT3", textBytes(20000, 35));
    writeFile(tree / "PSP_GAME" / "USRDIR" / "DATA.BIN", textBytes(70000, 36));
    makeIsoImage(tree, dir / "disco.iso");
    image::FileSource disc(at("disco.iso"));
    std::vector<image::IsoFile> files = image::listIsoFiles(disc);
    auto framesOf = [&](const std::string& path) {
        for (const auto& f : files) {
            if (f.path == path) {
                return std::pair<std::uint32_t, std::uint32_t>(
                    static_cast<std::uint32_t>(f.offset / 8192),
                    static_cast<std::uint32_t>((f.offset + f.size - 1) / 8192));
            }
        }
        ADD_FAILURE() << path;
        return std::pair<std::uint32_t, std::uint32_t>{};
    };
    for (const char* option : {"-v", "-s"}) {
        ASSERT_EQ(daxcr({option, at("disco.iso"), at("disco.dax")}).exitCode, 0);
        auto wanted = framesOf(std::string(option) == "-v" ? "/PSP_GAME/USRDIR/OPEN.PMF"
                                                           : "/PSP_GAME/USRDIR/BGM.AT3");
        std::vector<image::FrameRange> areas = ncTable(readFile(dir / "disco.dax"));
        ASSERT_EQ(areas.size(), 1u) << option;
        EXPECT_EQ(areas[0].first, wanted.first) << option;
        EXPECT_EQ(areas[0].first + areas[0].count - 1, wanted.second) << option;
        ASSERT_EQ(daxcr({"-d", at("disco.dax"), at("disco2.iso")}).exitCode, 0);
        EXPECT_EQ(readFile(dir / "disco2.iso"), readFile(dir / "disco.iso"));
    }
}

struct BadCall {
    const char* name;
    std::vector<std::string> arguments;  // "@x": the file x in the test folder
    int exitCode;
    const char* message;
};

class DaxcrBadCall : public DaxcrCli, public testing::WithParamInterface<BadCall> {};

TEST_P(DaxcrBadCall, FailsWithItsCodeAndLeavesNothing) {
    std::vector<std::string> arguments;
    for (const auto& a : GetParam().arguments) {
        arguments.push_back(a.rfind("@", 0) == 0 ? at(a.substr(1)) : a);
    }
    RunResult result = daxcr(arguments);
    EXPECT_EQ(result.exitCode, GetParam().exitCode) << result.output;
    EXPECT_NE(result.output.find(GetParam().message), std::string::npos) << result.output;
    EXPECT_EQ(folderEntries(dir.path()), std::vector<std::string>{"juego.iso"});
}

INSTANTIATE_TEST_SUITE_P(
    Table, DaxcrBadCall,
    testing::Values(
        BadCall{"no_arguments", {}, 1, "expected IN OUT"},
        BadCall{"too_many", {"@juego.iso", "@a.dax", "@a.txt", "@more"}, 1, "expected IN OUT"},
        BadCall{"level_twelve", {"-l12", "@juego.iso", "@a.dax"}, 1, "not '12'"},
        BadCall{"level_letter", {"-lx", "@juego.iso", "@a.dax"}, 1, "not 'x'"},
        BadCall{"threshold_letter", {"-ax", "@juego.iso", "@a.dax"}, 1, "-aN"},
        BadCall{"unknown_option", {"-q", "@juego.iso", "@a.dax"}, 1, "unknown option -q"},
        BadCall{"missing_input", {"@nada.iso", "@a.dax"}, 2, "nada.iso: cannot open"},
        BadCall{"not_a_dax", {"-d", "@juego.iso", "@a.iso"}, 2, "no DAX signature"},
        BadCall{"same_file", {"@juego.iso", "@juego.iso"}, 1, "same file"},
        BadCall{"log_is_input", {"@juego.iso", "@a.dax", "@juego.iso"}, 1, "same file"},
        BadCall{"output_folder_missing", {"@juego.iso", "@no/a.dax"}, 3, "cannot create"},
        BadCall{"log_folder_missing",
                {"@juego.iso", "@a.dax", "@no/a.txt"},
                3,
                "a.txt: cannot create"}),
    [](const testing::TestParamInfo<BadCall>& param) { return std::string(param.param.name); });

}  // namespace
}  // namespace vz::test
