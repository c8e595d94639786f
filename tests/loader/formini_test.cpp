#include "loader/formini.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "platform/dispatch.h"
#include "shell/principal.h"
#include "support/scripted_host.h"
#include "support/tool_support.h"

namespace vz {
namespace {

constexpr const char* kWorkedExample =
    "####### Vortel Zaduvuv generated file #######\r\n"
    "\r\n"
    "[EMULATION]\r\n"
    "\r\n"
    "mode= DIRECTLOAD\r\n"
    "f0emu= false\r\n"
    "f1emu= false\r\n"
    "usebootbin= false\r\n"
    "\r\n"
    "[DISCTYPE]\r\n"
    "\r\n"
    "iso= GAME\r\n"
    "umd= GAME\r\n"
    "\r\n"
    "[REGION]\r\n"
    "\r\n"
    "override= false\r\n"
    "game= FREE\r\n"
    "video= FREE\r\n"
    "audio= FREE\r\n"
    "\r\n"
    "[MISC]\r\n"
    "\r\n"
    "speed= 333\r\n"
    "updateicon= REMOVE\r\n"
    "allocatetables= false\r\n";

class FormIniTest : public testing::Test {
  protected:
    FormIniTest() {
        system.executable = (dir / "vortel").string();
        form.create("");
        form.setConfigurationForm(formini);
    }
    std::string read(const std::string& path) {
        std::ifstream in(path, std::ios::binary);
        return std::string((std::istreambuf_iterator<char>(in)), {});
    }
    std::string at(const char* name) { return (dir / name).string(); }
    void pressOk(const char* file) {
        form.editini.setText(at(file));
        formini.botonini.click();
    }

    test::TempDir dir;
    test::ScriptedHost host;
    test::FakeSystem system;
    TPrincipal form{host, system};
    Tformini formini{form.editini};
};

TEST_F(FormIniTest, InitialStatesWriteTheWorkedExampleByteForByte) {
    formini.open();
    pressOk("juego.ini");
    EXPECT_EQ(read(at("juego.ini")), kWorkedExample);
    EXPECT_TRUE(formini.closed());
}

struct ValueCase {
    const char* name;
    std::function<void(Tformini&)> pick;
    const char* line;
};

class Values : public FormIniTest, public testing::WithParamInterface<ValueCase> {};

TEST_P(Values, BecomeTheirLines) {
    GetParam().pick(formini);
    pressOk("juego.ini");
    std::string text = read(at("juego.ini"));
    EXPECT_NE(text.find(std::string("\r\n") + GetParam().line + "\r\n"), std::string::npos) << text;
}

INSTANTIATE_TEST_SUITE_P(
    Table, Values,
    testing::Values(
        ValueCase{"mphgl_loadexec", [](Tformini& f) { f.combomode.setItemIndex(9); },
                  "mode= MPHGLOADEXEC"},
        ValueCase{"umdemulator", [](Tformini& f) { f.combomode.setItemIndex(5); },
                  "mode= ORIGINALUME"},
        ValueCase{"runumd_direct", [](Tformini& f) { f.combomode.setItemIndex(12); },
                  "mode= RUNUMD"},
        ValueCase{"off", [](Tformini& f) { f.combomode.setItemIndex(0); }, "mode= OFF"},
        ValueCase{"speed_266", [](Tformini& f) { f.combocpuspeed.setItemIndex(1); }, "speed= 266"},
        ValueCase{"speed_short_text", [](Tformini& f) { f.combocpuspeed.setText("33"); },
                  "speed= 33"},
        ValueCase{"memstick", [](Tformini& f) { f.comboupdater.setItemIndex(2); },
                  "updateicon= MEMSTICK"},
        ValueCase{"japan", [](Tformini& f) { f.comborgame.setItemIndex(1); }, "game= JAPAN"},
        ValueCase{"europe_audio", [](Tformini& f) { f.comboraudio.setItemIndex(3); },
                  "audio= EUROPE"},
        ValueCase{"umd_video", [](Tformini& f) { f.comboumd.setItemIndex(1); }, "umd= VIDEO"},
        ValueCase{"only_ascii_upper_cased", [](Tformini& f) { f.comboiso.setText("juegoñ"); },
                  "iso= JUEGOñ"},
        ValueCase{"boot_on", [](Tformini& f) { f.radiobootON.click(); }, "usebootbin= true"},
        ValueCase{"override_on", [](Tformini& f) { f.radioregionON.click(); }, "override= true"},
        ValueCase{"flash1_on", [](Tformini& f) { f.radiofl1ON.click(); }, "f1emu= true"},
        ValueCase{"tables_on", [](Tformini& f) { f.radiotablesON.click(); },
                  "allocatetables= true"},
        ValueCase{"unknown_mode_before_any_ok", [](Tformini& f) { f.combomode.setText("Otro"); },
                  "mode= "}),
    [](const testing::TestParamInfo<ValueCase>& param) { return std::string(param.param.name); });

TEST_F(FormIniTest, PairsAreGroupsOfTheirOwn) {
    formini.radiobootON.click();
    formini.radiofl0ON.click();
    EXPECT_TRUE(formini.radiobootON.checked());
    EXPECT_FALSE(formini.radiobootOFF.checked());
    EXPECT_TRUE(formini.radiofl0ON.checked());
    EXPECT_TRUE(formini.radiotablesOFF.checked());
}

TEST_F(FormIniTest, AnUnknownModeKeepsTheLastValue) {
    formini.combomode.setItemIndex(4);
    pressOk("uno.ini");
    formini.combomode.setText("nada de eso");
    pressOk("dos.ini");
    EXPECT_NE(read(at("dos.ini")).find("mode= MPHGL\r\n"), std::string::npos);
}

TEST_F(FormIniTest, EveryTypedCharacterIsDiscarded) {
    for (ComboBox* combo :
         {&formini.combocpuspeed, &formini.combomode, &formini.comboiso, &formini.comboumd,
          &formini.comboupdater, &formini.comborgame, &formini.comborvideo, &formini.comboraudio}) {
        for (char key : {'a', '1', ' '})
            EXPECT_EQ(combo->typeCharacter(key), '\0') << combo->name();
    }
}

TEST_F(FormIniTest, AnExistingFileIsReplacedEntirely) {
    std::ofstream(at("juego.ini")) << "[OLD]\r\nmucho=texto viejo que no debe quedar\r\n";
    pressOk("juego.ini");
    EXPECT_EQ(read(at("juego.ini")), kWorkedExample);
}

#ifndef _WIN32  // the file-size limit that makes the write fail is POSIX's
TEST_F(FormIniTest, AFailedWriteKeepsTheOldFileAndTheWindowOpen) {
    std::ofstream(at("juego.ini")) << "vieja";
    formini.open();
    form.editini.setText(at("juego.ini"));
    bool handled = true;
    test::withFileSizeLimit(100,
                            [&] { handled = dispatch(host, [&] { formini.botonini.click(); }); });
    EXPECT_FALSE(handled);
    ASSERT_EQ(host.errors.size(), 1u);
    EXPECT_NE(host.errors[0].find(at("juego.ini")), std::string::npos);
    EXPECT_EQ(read(at("juego.ini")), "vieja");
    EXPECT_FALSE(formini.closed());
    EXPECT_TRUE(formini.visible());
}
#endif

TEST_F(FormIniTest, MenuCommandShowsTheWindowAndEmptiesTheField) {
    form.editini.setText("/psp/juego.ini");
    host.fileAnswers.push_back(at("nuevo.ini"));
    host.whileModal = [&](Form& shown) {
        EXPECT_EQ(&shown, &formini);
        EXPECT_EQ(form.editini.text(), at("nuevo.ini"));
        formini.botonini.click();
    };
    form.CrearConfiguracionDAXZISOINI1.click();
    EXPECT_EQ(host.fileDialogs.at(0).name, "IniDialog");
    EXPECT_EQ(host.fileDialogs.at(0).presetFileName, "juego.ini");
    EXPECT_EQ(read(at("nuevo.ini")), kWorkedExample);
    EXPECT_EQ(form.editini.text(), "");

    form.editini.setText("x.ini");
    host.whileModal = nullptr;
    form.CrearConfiguracionDAXZISOINI1.click();  // cancelled
    EXPECT_EQ(form.editini.text(), "");
    EXPECT_EQ(host.modalForms.size(), 1u);
}

TEST_F(FormIniTest, ChoicesLastAcrossShowings) {
    // Closed without "OK" the first time: nothing is written, the choice stays.
    host.fileAnswers.push_back(at("a.ini"));
    host.whileModal = [&](Form&) { formini.comborgame.setItemIndex(2); };
    form.CrearConfiguracionDAXZISOINI1Click();
    EXPECT_FALSE(std::filesystem::exists(at("a.ini")));
    host.fileAnswers.push_back(at("a.ini"));
    host.whileModal = [&](Form&) {
        EXPECT_EQ(formini.comborgame.text(), "america");
        formini.botonini.click();
    };
    form.CrearConfiguracionDAXZISOINI1Click();
    EXPECT_NE(read(at("a.ini")).find("game= AMERICA"), std::string::npos);
}

}  // namespace
}  // namespace vz
