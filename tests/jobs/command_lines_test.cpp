#include "jobs/command_lines.h"

#include <gtest/gtest.h>

namespace vz {
namespace {

#ifdef _WIN32
const std::string kFolder = "C:\\Mis Programas\\Conversor\\";
const std::string kDaxcr = kFolder + "kvt\\daxcr.exe";
const std::string kCiso = kFolder + "kvt\\ciso.exe";
#else
const std::string kFolder = "/opt/Mis Programas/Conversor/";
const std::string kDaxcr = kFolder + "kvt/daxcr";
const std::string kCiso = kFolder + "kvt/ciso";
#endif

struct LineCase {
    const char* name;
    CommandLine line;
    std::string text;
    std::vector<std::string> arguments;
};

class WorkedExamples : public testing::TestWithParam<LineCase> {};

TEST_P(WorkedExamples, TextAndArgumentsAgree) {
    const LineCase& c = GetParam();
    EXPECT_EQ(c.line.text, c.text);
    EXPECT_EQ(c.line.arguments, c.arguments);
    EXPECT_EQ(c.line.program, c.text.substr(0, c.line.program.size()));
}

DaxMainLine daxLine(bool wait, bool decompress, DaxOptionPieces options,
                    std::optional<std::string> log = {}) {
    DaxMainLine line;
    line.wait = wait;
    line.decompress = decompress;
    line.options = std::move(options);
    line.input = "D:\\PSP\\juego.iso";
    line.output = "D:\\PSP\\juego.dax";
    line.log = std::move(log);
    return line;
}

DaxMainLine decompressLine() {
    DaxMainLine line = daxLine(true, true, {});
    line.input = "D:\\PSP\\juego.dax";
    line.output = "D:\\PSP\\juego.iso";
    return line;
}

INSTANTIATE_TEST_SUITE_P(
    Table, WorkedExamples,
    testing::Values(
        LineCase{"dax_compress_single_with_log",
                 daxMainLine(kFolder, daxLine(true, false, daxOptionPieces("9", true, "8192", false, false),
                                              "D:\\PSP\\juego.txt")),
                 kDaxcr + " -w -l9 -a8192 \"D:\\PSP\\juego.iso\" \"D:\\PSP\\juego.dax\" \"D:\\PSP\\juego.txt\"",
                 {"-w", "-l9", "-a8192", "D:\\PSP\\juego.iso", "D:\\PSP\\juego.dax", "D:\\PSP\\juego.txt"}},
        LineCase{"dax_compress_list_with_log",
                 daxMainLine(kFolder, daxLine(false, false, daxOptionPieces("9", true, "8192", false, false),
                                              "D:\\PSP\\juego.txt")),
                 kDaxcr + " -l9 -a8192 \"D:\\PSP\\juego.iso\" \"D:\\PSP\\juego.dax\" \"D:\\PSP\\juego.txt\"",
                 {"-l9", "-a8192", "D:\\PSP\\juego.iso", "D:\\PSP\\juego.dax", "D:\\PSP\\juego.txt"}},
        LineCase{"dax_decompress_single", daxMainLine(kFolder, decompressLine()),
                 kDaxcr + " -w -d \"D:\\PSP\\juego.dax\" \"D:\\PSP\\juego.iso\" ",
                 {"-w", "-d", "D:\\PSP\\juego.dax", "D:\\PSP\\juego.iso"}},
        LineCase{"dax_all_options_empty_log",
                 daxMainLine(kFolder, daxLine(false, false, daxOptionPieces("", true, "", true, true), "")),
                 kDaxcr + " -l0 -a -v -s \"D:\\PSP\\juego.iso\" \"D:\\PSP\\juego.dax\" \"\"",
                 {"-l0", "-a", "-v", "-s", "D:\\PSP\\juego.iso", "D:\\PSP\\juego.dax", ""}},
        LineCase{"cso_compress_level_zero_means_six",
                 cisoMainLine(kFolder, csoLevelPiece(false, "0"), "D:\\PSP\\juego.iso", "D:\\PSP\\juego.cso"),
                 kCiso + " 6 \"D:\\PSP\\juego.iso\" \"D:\\PSP\\juego.cso\" ",
                 {"6", "D:\\PSP\\juego.iso", "D:\\PSP\\juego.cso"}},
        LineCase{"cso_compress_empty_level_means_nine",
                 cisoMainLine(kFolder, csoLevelPiece(false, ""), "a", "b"),
                 kCiso + " 9 \"a\" \"b\" ", {"9", "a", "b"}},
        LineCase{"cso_decompress_is_zero",
                 cisoMainLine(kFolder, csoLevelPiece(true, "7"), "a", "b"),
                 kCiso + " 0 \"a\" \"b\" ", {"0", "a", "b"}},
        LineCase{"conversion_to_dax_first_step",
                 cisoUnpackLine(kFolder, "D:\\PSP\\juego.cso", "D:\\PSP\\juego.iso"),
                 kCiso + " 0 \"D:\\PSP\\juego.cso\" \"D:\\PSP\\juego.iso\" ",
                 {"0", "D:\\PSP\\juego.cso", "D:\\PSP\\juego.iso"}},
        LineCase{"conversion_to_dax_second_step",
                 [] {
                     DaxMainLine line = daxLine(false, false, daxOptionPieces("", false, "8192", false, false));
                     return daxMainLine(kFolder, line);
                 }(),
                 kDaxcr + " -l0 \"D:\\PSP\\juego.iso\" \"D:\\PSP\\juego.dax\" ",
                 {"-l0", "D:\\PSP\\juego.iso", "D:\\PSP\\juego.dax"}},
        LineCase{"conversion_to_cso_first_step_has_no_final_blank",
                 daxUnpackLine(kFolder, "D:\\PSP\\juego.dax", "D:\\PSP\\temp.iso"),
                 kDaxcr + " -d \"D:\\PSP\\juego.dax\" \"D:\\PSP\\temp.iso\"",
                 {"-d", "D:\\PSP\\juego.dax", "D:\\PSP\\temp.iso"}},
        LineCase{"conversion_to_cso_second_step",
                 cisoMainLine(kFolder, csoLevelPiece(false, "5"), "D:\\PSP\\temp.iso", "D:\\PSP\\juego.cso"),
                 kCiso + " 5 \"D:\\PSP\\temp.iso\" \"D:\\PSP\\juego.cso\" ",
                 {"5", "D:\\PSP\\temp.iso", "D:\\PSP\\juego.cso"}}),
    [](const testing::TestParamInfo<LineCase>& param) { return std::string(param.param.name); });

TEST(OpcionesPieces, LevelFrameVideoAudio) {
    DaxOptionPieces pieces = daxOptionPieces("0", false, "4096", false, true);
    EXPECT_EQ(pieces.level, " -l0");
    EXPECT_EQ(pieces.frame, "");
    EXPECT_EQ(pieces.video, "");
    EXPECT_EQ(pieces.audio, " -s");
    EXPECT_EQ(daxOptionPieces("12", true, "4096", true, false).level, " -l12");
    EXPECT_EQ(daxOptionPieces("12", true, "4096", true, false).frame, " -a4096");
}

}  // namespace
}  // namespace vz
