#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "shell/principal.h"
#include "support/scripted_host.h"
#include "support/tool_support.h"

namespace vz {
namespace {

struct OpenCase {
    const char* name;
    std::string file;  // created in the test folder; "" for an empty argument
    bool storedCso;
    std::function<void(TPrincipal&, const std::string& path)> check;
};

class CommandLineOpen : public testing::TestWithParam<OpenCase> {
  protected:
    CommandLineOpen() {
        system.executable = (dir / "vortel").string();
        std::ofstream(dir / "vortelcfg.ini")
            << (GetParam().storedCso ? "[CONFIGURACION]\r\nFormatoCSO=1\r\n" : "");
    }
    test::TempDir dir;
    test::ScriptedHost host;
    test::FakeSystem system;
    TPrincipal form{host, system};
};

TEST_P(CommandLineOpen, PreparesTheJob) {
    std::string path;
    if (!GetParam().file.empty()) {
        path = (dir / GetParam().file).string();
        if (GetParam().file == "carpeta.iso") {
            std::filesystem::create_directory(path);
        } else if (GetParam().file != "falta.iso") {
            std::ofstream(path, std::ios::binary) << "a.iso\r\na.dax\r\nb.iso\r\nb.dax\r\n";
        }
    }
    form.create(path);
    EXPECT_TRUE(host.errors.empty());
    GetParam().check(form, path);
}

void untouched(TPrincipal& f, const std::string&) {
    EXPECT_EQ(f.editiso.text(), "");
    EXPECT_TRUE(f.mcom.checked());
    EXPECT_FALSE(f.usarlotes.checked());
}

INSTANTIATE_TEST_SUITE_P(
    Table, CommandLineOpen,
    testing::Values(OpenCase{"dax", "juego.dax", false,
                             [](TPrincipal& f, const std::string& p) {
                                 EXPECT_TRUE(f.mdes.checked());
                                 EXPECT_TRUE(f.formatodax.checked());
                                 EXPECT_EQ(f.Label1.caption(), "Entrada (Archivo DAX):");
                                 EXPECT_EQ(f.editiso.text(), p);
                                 EXPECT_EQ(f.editdax.text(), p.substr(0, p.size() - 4) + ".iso");
                                 EXPECT_EQ(f.editini.text(), p.substr(0, p.size() - 4) + ".ini");
                                 EXPECT_EQ(f.editlog.text(), "");
                             }},
                    OpenCase{"dax_any_case_from_cso", "juego.Dax", true,
                             [](TPrincipal& f, const std::string& p) {
                                 EXPECT_TRUE(f.formatodax.checked());
                                 EXPECT_TRUE(f.mdes.checked());
                                 EXPECT_EQ(f.editiso.text(), p);
                             }},
                    OpenCase{"iso_with_cso_stored", "juego.iso", true,
                             [](TPrincipal& f, const std::string& p) {
                                 EXPECT_TRUE(f.formatocso.checked());
                                 EXPECT_TRUE(f.mcom.checked());
                                 std::string base = p.substr(0, p.size() - 4);
                                 EXPECT_EQ(f.editdax.text(), base + ".dax");
                                 EXPECT_EQ(f.editlog.text(), base + ".txt");
                                 EXPECT_EQ(f.editini.text(), base + ".ini");
                             }},
                    OpenCase{"list", "trabajos.LVT", false,
                             [](TPrincipal& f, const std::string&) {
                                 EXPECT_TRUE(f.usarlotes.checked());
                                 EXPECT_FALSE(f.PaneLotes.collapsed());
                                 EXPECT_EQ(f.suiStringGrid1.rowCount(), 2);
                                 EXPECT_EQ(f.suiStringGrid1.cell(1, 1), "b.dax");
                             }},
                    OpenCase{"cso", "juego.cso", false,
                             [](TPrincipal& f, const std::string& p) {
                                 EXPECT_TRUE(f.formatocso.checked());
                                 EXPECT_TRUE(f.mdes.checked());
                                 EXPECT_EQ(f.Label1.caption(), "Entrada (Archivo CSO):");
                                 EXPECT_EQ(f.editdax.text(), p.substr(0, p.size() - 4) + ".iso");
                             }},
                    OpenCase{"unknown_extension", "notas.txt", false, untouched},
                    OpenCase{"folder", "carpeta.iso", false, untouched},
                    OpenCase{"missing_file", "falta.iso", false, untouched},
                    OpenCase{"empty_argument", "", false, untouched}),
    [](const testing::TestParamInfo<OpenCase>& param) { return std::string(param.param.name); });

}  // namespace
}  // namespace vz
