#include "batch/list_file.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "platform/dispatch.h"
#include "shell/principal.h"
#include "support/scripted_host.h"
#include "support/tool_support.h"

namespace vz {
namespace {

using test::Rows;

class ListFileTest : public testing::Test {
  protected:
    ListFileTest() {
        form.create("");
        // A grid that already holds rows: loading never appends, and keeps unreached cells.
        setRows({{"a0", "b0"}, {"a1", "b1"}, {"a2", "b2"}, {"a3", "b3"}, {"a4", "b4"}});
    }
    void setRows(const Rows& rows) { test::setGridRows(form.suiStringGrid1, rows); }
    Rows rows() const { return test::gridRows(form.suiStringGrid1); }
    std::string write(const std::string& name, const std::string& bytes) {
        std::string path = (dir / name).string();
        std::ofstream(path, std::ios::binary) << bytes;
        return path;
    }
    std::string content(const std::string& path) {
        std::ifstream in(path, std::ios::binary);
        return std::string((std::istreambuf_iterator<char>(in)), {});
    }

    test::TempDir dir;
    test::ScriptedHost host;
    test::FakeSystem system;
    TPrincipal form{host, system};
};

struct ReadCase {
    const char* name;
    std::string bytes;
    Rows after;
};

class Reading : public ListFileTest, public testing::WithParamInterface<ReadCase> {};

TEST_P(Reading, FillsTheGridAsTheFileSays) {
    form.CargarLista(write("lista.lvt", GetParam().bytes));
    EXPECT_EQ(rows(), GetParam().after);
}

INSTANTIATE_TEST_SUITE_P(
    Table, Reading,
    testing::Values(ReadCase{"crlf", "x\r\ny\r\nz\r\nw\r\n", {{"x", "y"}, {"z", "w"}}},
                    ReadCase{"lf", "x\ny\nz\nw\n", {{"x", "y"}, {"z", "w"}}},
                    ReadCase{"lone_cr", "x\ry\rz\rw\r", {{"x", "y"}, {"z", "w"}}},
                    ReadCase{"no_end_on_last_line", "x\r\ny\r\nz\r\nw", {{"x", "y"}, {"z", "w"}}},
                    ReadCase{"mixed_ends", "x\ny\r\nz\rw", {{"x", "y"}, {"z", "w"}}},
                    ReadCase{"five_lines", "x\ny\nz\nw\nv\n", {{"x", "y"}, {"z", "w"}}},
                    ReadCase{"one_line", "solo\r\n", {{"solo", "b0"}}},
                    ReadCase{"empty_file", "", {{"a0", "b0"}}},
                    ReadCase{
                        "blank_lines_are_empty_cells", "\r\n\r\nz\r\n\r\n", {{"", ""}, {"z", ""}}},
                    ReadCase{"first_line_empty", "\r\nsalida.dax\r\n", {{"", "salida.dax"}}},
                    ReadCase{"blanks_kept", "  a b \r\n\tc\r\n", {{"  a b ", "\tc"}}}),
    [](const testing::TestParamInfo<ReadCase>& param) { return std::string(param.param.name); });

TEST_F(ListFileTest, SaveWritesEveryCellWithCrLfAndLoadsBackTheSame) {
    setRows({{"/psp/uno.iso", "/psp/uno.dax"}, {"/psp/dos dos.iso", "/psp/dos.dax"}});
    std::string path = (dir / "lista.lvt").string();
    host.fileAnswers.push_back(path);
    form.BotonSaveLVT.click();
    EXPECT_EQ(content(path),
              "/psp/uno.iso\r\n/psp/uno.dax\r\n/psp/dos dos.iso\r\n/psp/dos.dax\r\n");
    EXPECT_EQ(host.fileDialogs.at(0).name, "SaveLVT");
    EXPECT_EQ(host.fileDialogs.at(0).presetFileName, "lista1");
    setRows({{"", ""}});
    form.CargarLista(path);
    EXPECT_EQ(rows(),
              (Rows{{"/psp/uno.iso", "/psp/uno.dax"}, {"/psp/dos dos.iso", "/psp/dos.dax"}}));
    host.fileAnswers.push_back(path);
    form.BotonSaveLVT.click();  // replaces without asking
    EXPECT_EQ(listFileLines(content(path)).size(), 4u);
    EXPECT_TRUE(host.messages.empty());
}

TEST_F(ListFileTest, ANameWithoutExtensionIsSavedWithLvt) {
    host.fileAnswers.push_back((dir / "mis juegos").string());
    form.BotonSaveLVT.click();
    EXPECT_TRUE(std::filesystem::exists(dir / "mis juegos.lvt"));
}

TEST_F(ListFileTest, SavingAnEmptyListSaysSoAndShowsNoDialog) {
    setRows({{"", "x"}, {"y", "z"}});
    form.BotonSaveLVT.click();
    EXPECT_TRUE(host.fileDialogs.empty());
    ASSERT_EQ(host.messages.size(), 1u);
    EXPECT_EQ(host.messages[0].caption, "Lista de Procesos");
    EXPECT_EQ(host.messages[0].text, "La lista de procesos esta vacia");
}

#ifndef _WIN32  // the file-size limit that makes the write fail is POSIX's
TEST_F(ListFileTest, AFailedSaveLeavesTheOldFileAndNamesIt) {
    std::string path = write("lista.lvt", "viejo\r\nviejo.dax\r\n");
    setRows({{std::string(100, 'x'), "y"}});
    host.fileAnswers.push_back(path);
    bool handled = true;
    test::withFileSizeLimit(16,
                            [&] { handled = dispatch(host, [&] { form.BotonSaveLVT.click(); }); });
    EXPECT_FALSE(handled);
    ASSERT_EQ(host.errors.size(), 1u);
    EXPECT_EQ(host.errors[0].rfind("Cannot create file \"" + path + "\". ", 0), 0u)
        << host.errors[0];
    EXPECT_EQ(content(path), "viejo\r\nviejo.dax\r\n");
    EXPECT_EQ(test::folderEntries(dir.path()), std::vector<std::string>{"lista.lvt"});
}
#endif

TEST_F(ListFileTest, SavingIntoAMissingFolderNamesTheFile) {
    std::string path = (dir / "no" / "lista.lvt").string();
    host.fileAnswers.push_back(path);
    EXPECT_FALSE(dispatch(host, [&] { form.BotonSaveLVT.click(); }));
    ASSERT_EQ(host.errors.size(), 1u);
    EXPECT_NE(host.errors[0].find(path), std::string::npos);
}

TEST_F(ListFileTest, AnUnreadableFileChangesNothingAndLeavesTheListHidden) {
    host.fileAnswers.push_back((dir / "nada.lvt").string());
    bool handled = dispatch(host, [&] { form.botonOpenLVT.click(); });
    EXPECT_FALSE(handled);
    ASSERT_EQ(host.errors.size(), 1u);
    EXPECT_NE(host.errors[0].find("nada.lvt"), std::string::npos);
    EXPECT_EQ(rows().size(), 5u);
    EXPECT_FALSE(form.usarlotes.checked());
}

TEST_F(ListFileTest, OpeningShowsTheListEvenWhenCancelled) {
    form.botonOpenLVT.click();
    EXPECT_EQ(host.fileDialogs.at(0).name, "OpenLVT");
    EXPECT_TRUE(form.usarlotes.checked());
    EXPECT_FALSE(form.PaneLotes.collapsed());
    host.fileAnswers.push_back(write("dos.lvt", "p\r\nq\r\n"));
    form.botonOpenLVT.click();
    EXPECT_EQ(rows(), (Rows{{"p", "q"}}));
}

}  // namespace
}  // namespace vz
