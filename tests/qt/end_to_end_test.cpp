// The window, offscreen, presses "Iniciar" with the real ciso and daxcr of the build tree.
#include <gtest/gtest.h>

#include <QApplication>
#include <QPushButton>
#include <QRadioButton>
#include <filesystem>

#include "platform/qt/form_view.h"
#include "shell/principal.h"
#include "support/scripted_host.h"
#include "support/tool_support.h"

namespace vz {
namespace {

namespace fs = std::filesystem;
using Bytes = std::vector<std::uint8_t>;

class EndToEnd : public testing::Test {
  protected:
    EndToEnd() {
        system.executable = VZ_PROGRAM_DIR "/vortel";
        form.create("");
        form.setVisible(true);
        fs::path tree = dir / "arbol";
        fs::create_directories(tree / "PSP_GAME" / "USRDIR");
        test::writeFile(tree / "PSP_GAME" / "USRDIR" / "DATA.BIN", test::textBytes(150000, 41));
        Bytes movie = test::randomBytes(60000, 42);
        std::copy_n("PSMF0015", 8, movie.begin());
        test::writeFile(tree / "PSP_GAME" / "USRDIR" / "OPEN.PMF", movie);
        test::makeIsoImage(tree, dir / "juego.iso");
        original = test::readFile(dir / "juego.iso");
    }

    void click(const char* name) {
        auto* button = qobject_cast<QAbstractButton*>(view.widgetFor(name));
        ASSERT_NE(button, nullptr) << name;
        button->click();
    }
    void start(const std::string& input, const std::string& output) {
        form.editiso.setText(at(input));
        form.editdax.setText(at(output));
        click("Iniciar");
        ASSERT_TRUE(host.errors.empty()) << host.errors.front();
        ASSERT_TRUE(fs::exists(dir / output)) << output;
    }
    // Unpacks with the tools directly and compares with the original image.
    void expectOriginal(const std::string& packed) {
        fs::path back = dir / ("check-" + packed + ".iso");
        bool dax = packed.ends_with(".dax");
        test::RunResult result =
            dax ? test::runProgram(VZ_PROGRAM_DIR "/kvt/daxcr", {"-d", at(packed), back.string()})
                : test::runProgram(VZ_PROGRAM_DIR "/kvt/ciso", {"0", at(packed), back.string()});
        ASSERT_EQ(result.exitCode, 0) << result.output;
        EXPECT_EQ(test::readFile(back), original) << packed;
    }
    std::string at(const std::string& name) const { return (dir / name).string(); }

    test::TempDir dir;
    test::ScriptedHost host;
    test::FakeSystem system;
    TPrincipal form{host, system};
    FormView view{form, host, [this] { form.MinimizaralTray1Click(); }};
    Bytes original;
};

TEST_F(EndToEnd, EverySingleJobOfTheSixModesAndFormats) {
    form.areasNCvideos.setChecked(true);
    start("juego.iso", "juego.dax");  // Comprimir, DAX, NC areas and forced video
    expectOriginal("juego.dax");

    click("formatocso");
    start("juego.iso", "juego.cso");  // Comprimir, CSO
    expectOriginal("juego.cso");

    click("mdes");
    start("juego.cso", "desde-cso.iso");  // Descomprimir, CSO
    EXPECT_EQ(test::readFile(dir / "desde-cso.iso"), original);

    click("mtrans");
    start("juego.dax", "convertido.cso");  // .DAX -> .CSO
    expectOriginal("convertido.cso");

    click("formatodax");
    click("mdes");
    start("juego.dax", "desde-dax.iso");  // Descomprimir, DAX
    EXPECT_EQ(test::readFile(dir / "desde-dax.iso"), original);

    click("mtrans");
    start("juego.cso", "convertido.dax");  // .CSO -> .DAX
    expectOriginal("convertido.dax");

    EXPECT_FALSE(fs::exists(dir / "convertido.iso")) << "temporary ISO removed";
    EXPECT_TRUE(form.visible()) << "restored after every run";
}

TEST_F(EndToEnd, AListRunOverThreeRows) {
    for (const char* copy : {"uno.iso", "dos.iso", "tres.iso"})
        fs::copy_file(dir / "juego.iso", dir / copy);
    click("usarlotes");
    for (const char* name : {"uno", "dos", "tres"}) {
        form.editiso.setText(at(std::string(name) + ".iso"));
        form.editdax.setText(at(std::string(name) + ".dax"));
        form.addlote.click();
    }
    ASSERT_EQ(form.suiStringGrid1.rowCount(), 3);
    click("Iniciar");
    for (const char* name : {"uno.dax", "dos.dax", "tres.dax"})
        expectOriginal(name);
}

}  // namespace
}  // namespace vz
