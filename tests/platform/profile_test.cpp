#include "platform/profile.h"

#include <gtest/gtest.h>

#include <fstream>

#include "support/tool_support.h"

namespace vz {
namespace {

struct WriteCase {
    const char* name;
    std::string before;
    const char* section;
    const char* key;
    std::string value;
    std::string after;
};

class ProfileWrite : public testing::TestWithParam<WriteCase> {};

TEST_P(ProfileWrite, ChangesOnlyWhatItMust) {
    const WriteCase& c = GetParam();
    EXPECT_EQ(writeProfileText(c.before, c.section, c.key, c.value), c.after);
}

INSTANTIATE_TEST_SUITE_P(
    Table, ProfileWrite,
    testing::Values(
        WriteCase{"new_file", "", "CONFIGURACION", "UsoNC", "1", "[CONFIGURACION]\r\nUsoNC=1\r\n"},
        WriteCase{"new_section_at_the_end", "[A]\r\nx=1\r\n", "XTRAS", "k", "v",
                  "[A]\r\nx=1\r\n[XTRAS]\r\nk=v\r\n"},
        WriteCase{"new_section_after_unended_line", "[A]\r\nx=1", "B", "k", "v",
                  "[A]\r\nx=1\r\n[B]\r\nk=v\r\n"},
        WriteCase{"new_key_at_the_end_of_its_section", "[A]\r\nx=1\r\n\r\n[B]\r\ny=2\r\n", "a", "z",
                  "3", "[A]\r\nx=1\r\nz=3\r\n\r\n[B]\r\ny=2\r\n"},
        WriteCase{"new_key_in_last_section_without_end", "[A]\r\nx=1", "A", "z", "3",
                  "[A]\r\nx=1\r\nz=3\r\n"},
        WriteCase{"value_replaced_in_place", "; nota\r\n[A]\r\n  X = viejo \r\nw=1\r\n", "A", "x",
                  "nuevo", "; nota\r\n[A]\r\nX=nuevo\r\nw=1\r\n"},
        WriteCase{"same_key_in_other_section_untouched", "[B]\r\nx=1\r\n[A]\r\nx=2\r\n", "A", "x",
                  "9", "[B]\r\nx=1\r\n[A]\r\nx=9\r\n"},
        WriteCase{"written_exactly_as_passed", "", "S", " k ", " a\r\nb ",
                  "[S]\r\n k = a\r\nb \r\n"},
        WriteCase{"lf_file_keeps_its_lines", "[A]\nx=1\n", "A", "y", "2", "[A]\nx=1\ny=2\r\n"}),
    [](const testing::TestParamInfo<WriteCase>& param) { return std::string(param.param.name); });

struct ReadCase {
    const char* name;
    std::string text;
    const char* section;
    const char* key;
    const char* fallback;
    std::string expected;
};

class ProfileRead : public testing::TestWithParam<ReadCase> {};

TEST_P(ProfileRead, FindsTheValueAsTheSystemDoes) {
    const ReadCase& c = GetParam();
    EXPECT_EQ(readProfileText(c.text, c.section, c.key, c.fallback), c.expected);
}

INSTANTIATE_TEST_SUITE_P(
    Table, ProfileRead,
    testing::Values(
        ReadCase{"plain", "[A]\r\nx=1\r\n", "A", "x", "d", "1"},
        ReadCase{"any_case", "[a]\r\nXx=1\r\n", "A", "xX", "d", "1"},
        ReadCase{"blanks_around", "[A]\r\n x =  uno dos  \r\n", "A", "x", "d", "uno dos"},
        ReadCase{"double_quotes", "[A]\r\nx=\" a \"\r\n", "A", "x", "d", " a "},
        ReadCase{"single_quotes", "[A]\r\nx='b'\r\n", "A", "x", "d", "b"},
        ReadCase{"unpaired_quote_kept", "[A]\r\nx=\"b\r\n", "A", "x", "d", "\"b"},
        ReadCase{"present_but_empty", "[A]\r\nx=\r\n", "A", "x", "d", ""},
        ReadCase{"missing_key_default_trimmed", "[A]\r\ny=1\r\n", "A", "x", " def  ", " def"},
        ReadCase{"missing_section", "[B]\r\nx=1\r\n", "A", "x", "d", "d"},
        ReadCase{"first_key_wins", "[A]\r\nx=1\r\nx=2\r\n", "A", "x", "d", "1"},
        ReadCase{"long_value_cut", "[A]\r\nx=" + std::string(3000, 'v') + "\r\n", "A", "x", "d",
                 std::string(2047, 'v')}),
    [](const testing::TestParamInfo<ReadCase>& param) { return std::string(param.param.name); });

TEST(ProfileFile, WritesCreateAndReplaceTheFile) {
    test::TempDir dir;
    std::string path = (dir / "vortelcfg.ini").string();
    EXPECT_EQ(readProfileString(path, "A", "x", "nada"), "nada");
    writeProfileString(path, "A", "x", "1");
    writeProfileString(path, "B", "y", "2");
    writeProfileString(path, "A", "x", "3");
    std::ifstream in(path, std::ios::binary);
    EXPECT_EQ(std::string((std::istreambuf_iterator<char>(in)), {}),
              "[A]\r\nx=3\r\n[B]\r\ny=2\r\n");
    EXPECT_EQ(test::folderEntries(dir.path()), std::vector<std::string>{"vortelcfg.ini"});
}

TEST(ProfileFile, AFailedWriteSaysUnableToWrite) {
    test::TempDir dir;
    std::string path = (dir / "no" / "vortelcfg.ini").string();
    try {
        writeProfileString(path, "A", "x", "1");
        FAIL();
    } catch (const ProfileWriteError& error) {
        EXPECT_EQ(std::string(error.what()), "Unable to write to " + path);
    }
}

}  // namespace
}  // namespace vz
