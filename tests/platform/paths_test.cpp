#include "platform/paths.h"

#include <gtest/gtest.h>

namespace vz {
namespace {

struct ExtensionCase {
    const char* path;
    const char* extension;
    const PathRules* rules;
    const char* expected;
};

class ChangeExtension : public testing::TestWithParam<ExtensionCase> {};

TEST_P(ChangeExtension, ReplacesOnlyTheFinalComponentsExtension) {
    const auto& c = GetParam();
    EXPECT_EQ(changeExtension(c.path, c.extension, *c.rules), c.expected);
}

INSTANTIATE_TEST_SUITE_P(
    Table, ChangeExtension,
    testing::Values(
        ExtensionCase{"D:\\PSP\\game.iso", ".dax", &kWindowsPaths, "D:\\PSP\\game.dax"},
        ExtensionCase{"D:\\PSP\\game.iso", ".iso.dax", &kWindowsPaths, "D:\\PSP\\game.iso.dax"},
        ExtensionCase{"D:\\PSP\\game.iso.dax", ".iso", &kWindowsPaths, "D:\\PSP\\game.iso.iso"},
        ExtensionCase{"D:\\my.dir\\game", ".dax", &kWindowsPaths, "D:\\my.dir\\game.dax"},
        ExtensionCase{"D:/my.dir/game", ".dax", &kWindowsPaths, "D:/my.dir/game.dax"},
        ExtensionCase{"C:game", ".txt", &kWindowsPaths, "C:game.txt"},
        ExtensionCase{"/home/u/my.dir/game", ".dax", &kPosixPaths, "/home/u/my.dir/game.dax"},
        ExtensionCase{"/home/u/game.iso", ".ini", &kPosixPaths, "/home/u/game.ini"},
        ExtensionCase{"/home/u/a\\b.c", ".d", &kPosixPaths, "/home/u/a\\b.d"},
        ExtensionCase{"", ".iso", &kPosixPaths, ".iso"}));

TEST(PathParts, FolderAndNameSplitAtTheLastSeparator) {
    EXPECT_EQ(folderPart("C:\\Conversor\\vortel.exe", kWindowsPaths), "C:\\Conversor\\");
    EXPECT_EQ(namePart("C:\\Conversor\\vortel.exe", kWindowsPaths), "vortel.exe");
    EXPECT_EQ(folderPart("/opt/vortel/vortel", kPosixPaths), "/opt/vortel/");
    EXPECT_EQ(namePart("D:game.iso", kWindowsPaths), "game.iso");
    EXPECT_EQ(namePart("game.iso", kPosixPaths), "game.iso");
    EXPECT_EQ(folderPart("game.iso", kPosixPaths), "");
    EXPECT_EQ(extensionOf("/a.b/c", kPosixPaths), "");
    EXPECT_EQ(extensionOf("/a/c.Dax", kPosixPaths), ".Dax");
    EXPECT_EQ(relativePath({"kvt", "ciso"}, kWindowsPaths), "kvt\\ciso");
}

}  // namespace
}  // namespace vz
