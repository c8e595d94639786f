#include <gtest/gtest.h>

#include <fstream>

#include "platform/dispatch.h"
#include "shell/principal.h"
#include "support/scripted_host.h"
#include "support/tool_support.h"

namespace vz {
namespace {

class SettingsTest : public testing::Test {
  protected:
    SettingsTest() { system.executable = (dir / "vortel").string(); }
    std::string settings() const { return (dir / "vortelcfg.ini").string(); }
    void writeSettings(const std::string& text) {
        std::ofstream(settings(), std::ios::binary) << text;
    }
    std::string readSettings() const {
        std::ifstream in(settings(), std::ios::binary);
        return std::string((std::istreambuf_iterator<char>(in)), {});
    }
    std::string sound() const { return (dir / "xtras" / "convfin.wav").string(); }

    test::TempDir dir;
    test::ScriptedHost host;
    test::FakeSystem system;
    TPrincipal form{host, system};
};

constexpr const char* kFullFile =
    "[CONFIGURACION]\r\nNivelCompresion=0\r\nUsoNC=1\r\nNCvideos=0\r\nNCaudio=0\r\nFrameNC=8192\r\n"
    "VerResumen=1\r\nMenuContextual=1\r\nExtensionDAX=1\r\nExtensionISODAX=0\r\nBorrarIso=0\r\n"
    "ApagaWin=0\r\nFormatoDAX=1\r\nFormatoCSO=0\r\n[XTRAS]\r\nReproSoundFin=0\r\nSonidoFin=";

TEST_F(SettingsTest, FirstRunRegistersAndTheCloseWritesAFullFile) {
    form.create("");
    EXPECT_TRUE(form.Menucontextual1.checked());
    EXPECT_EQ(system.shellNotifications, 4);
    EXPECT_EQ(form.endSoundPath(), sound());
    form.close();
    EXPECT_EQ(readSettings(), std::string(kFullFile) + sound() + "\r\n");
}

TEST_F(SettingsTest, AnEmptyFileGivesEveryDefaultAndRegistersNothing) {
    writeSettings("");
    form.create("");
    EXPECT_EQ(system.shellNotifications, 0);
    EXPECT_TRUE(form.Menucontextual1.checked());
    EXPECT_TRUE(form.formatodax.checked());
    EXPECT_EQ(form.suiComboBox1.text(), "0");
    EXPECT_EQ(form.editframe.text(), "8192");
    EXPECT_EQ(form.endSoundPath(), sound());
}

struct LoadCase {
    const char* name;
    std::string file;
    std::function<void(TPrincipal&)> check;
};

class Loading : public SettingsTest, public testing::WithParamInterface<LoadCase> {};

TEST_P(Loading, AppliesTheStoredValues) {
    writeSettings(GetParam().file);
    form.create("");
    GetParam().check(form);
}

INSTANTIATE_TEST_SUITE_P(
    Table, Loading,
    testing::Values(
        LoadCase{"both_formats_off", "[CONFIGURACION]\r\nFormatoDAX=0\r\nFormatoCSO=0\r\n",
                 [](TPrincipal& f) {
                     EXPECT_FALSE(f.formatodax.checked());
                     EXPECT_FALSE(f.formatocso.checked());
                     EXPECT_EQ(f.Label2.caption(), "Salida (Archivo DAX):");
                 }},
        LoadCase{"both_formats_on", "[CONFIGURACION]\r\nFormatoDAX=1\r\nFormatoCSO=1\r\n",
                 [](TPrincipal& f) {
                     EXPECT_TRUE(f.formatocso.checked());
                     EXPECT_FALSE(f.formatodax.checked());
                     EXPECT_EQ(f.Label2.caption(), "Salida (Archivo CSO):");
                 }},
        LoadCase{"level_twelve", "[CONFIGURACION]\r\nNivelCompresion=12\r\n",
                 [](TPrincipal& f) { EXPECT_EQ(f.suiComboBox1.text(), "12"); }},
        LoadCase{"level_hex", "[CONFIGURACION]\r\nNivelCompresion=$A\r\n",
                 [](TPrincipal& f) { EXPECT_EQ(f.suiComboBox1.text(), "10"); }},
        LoadCase{"frame_abc", "[CONFIGURACION]\r\nFrameNC=abc\r\n",
                 [](TPrincipal& f) { EXPECT_EQ(f.editframe.text(), "8192"); }},
        LoadCase{"boolean_words", "[CONFIGURACION]\r\nUsoNC=true\r\nNCvideos=2\r\nNCaudio=0x1\r\n",
                 [](TPrincipal& f) {
                     EXPECT_TRUE(f.areasNC.checked());
                     EXPECT_TRUE(f.areasNCvideos.checked());
                     EXPECT_TRUE(f.areasNCaudio.checked());
                 }},
        LoadCase{"word_true_is_the_default",
                 "[CONFIGURACION]\r\nVerResumen=true\r\nBorrarIso=true\r\n",
                 [](TPrincipal& f) {
                     EXPECT_TRUE(f.pausaresumen.checked());
                     EXPECT_FALSE(f.BorrarIsoFin.checked());
                 }},
        LoadCase{"both_dax_marks", "[CONFIGURACION]\r\nExtensionDAX=1\r\nExtensionISODAX=1\r\n",
                 [](TPrincipal& f) {
                     EXPECT_TRUE(f.DAX1.checked());
                     EXPECT_TRUE(f.ISODAX1.checked());
                 }},
        LoadCase{"empty_sound", "[XTRAS]\r\nSonidoFin=\r\n",
                 [](TPrincipal& f) { EXPECT_EQ(f.endSoundPath(), ""); }},
        LoadCase{
            "old_sound_kept", "[XTRAS]\r\nSonidoFin=/old/place/xtras/convfin.wav\r\n",
            [](TPrincipal& f) { EXPECT_EQ(f.endSoundPath(), "/old/place/xtras/convfin.wav"); }},
        LoadCase{"cso_then_nc_chain",
                 "[CONFIGURACION]\r\nFormatoCSO=1\r\nUsoNC=0\r\nNCvideos=1\r\n",
                 [](TPrincipal& f) {
                     EXPECT_TRUE(f.formatocso.checked());
                     EXPECT_TRUE(f.mcom.checked());
                     EXPECT_TRUE(f.areasNC.checked());
                     EXPECT_FALSE(f.areasNC.enabled());
                     EXPECT_TRUE(f.Label5.enabled());
                     EXPECT_TRUE(f.editframe.enabled());
                 }},
        LoadCase{"menu_mark_only", "[CONFIGURACION]\r\nMenuContextual=0\r\n",
                 [](TPrincipal& f) { EXPECT_FALSE(f.Menucontextual1.checked()); }}),
    [](const testing::TestParamInfo<LoadCase>& param) { return std::string(param.param.name); });

TEST_F(SettingsTest, SaveKeepsRutaUsbAndUnknownKeys) {
    writeSettings(
        "[CONFIGURACION]\r\nRutaUSB=/media/psp/daxziso.ini\r\nOtra=x\r\n[MIA]\r\nk=v\r\n");
    form.create("");
    form.suiComboBox1.setText("7");
    form.close();
    std::string saved = readSettings();
    EXPECT_EQ(
        saved.rfind(
            "[CONFIGURACION]\r\nRutaUSB=/media/psp/daxziso.ini\r\nOtra=x\r\nNivelCompresion=7\r\n",
            0),
        0u)
        << saved;
    EXPECT_NE(saved.find("[MIA]\r\nk=v\r\n[XTRAS]\r\n"), std::string::npos) << saved;
}

TEST_F(SettingsTest, AnEmptiedLevelStopsTheSaveAndTheWindowStaysOpen) {
    writeSettings("[CONFIGURACION]\r\nUsoNC=1\r\n");
    form.create("");
    form.setVisible(true);
    form.areasNC.setChecked(false);
    form.editframe.setText("");
    EXPECT_FALSE(dispatch(host, [&] { form.close(); }));
    ASSERT_EQ(host.errors.size(), 1u);
    EXPECT_EQ(host.errors[0], "'' is not a valid integer value");
    EXPECT_FALSE(form.closed());
    std::string saved = readSettings();
    EXPECT_NE(saved.find("UsoNC=0"), std::string::npos) << "keys before it are written";
    EXPECT_EQ(saved.find("FrameNC"), std::string::npos) << "the save stops there";
}

TEST_F(SettingsTest, AnUnwritableFileIsReportedAndTheWindowStillCloses) {
    form.create("");
    std::filesystem::create_directory(settings());  // a folder where the file should be
    form.close();
    ASSERT_EQ(host.errors.size(), 1u);
    EXPECT_EQ(host.errors[0], "Unable to write to " + settings());
    EXPECT_TRUE(form.closed());
}

TEST_F(SettingsTest, AnInstalledCopyKeepsItsSettingsInTheUsersFolder) {
    system.programFolderWritable = false;
    form.create("");
    form.close();
    EXPECT_FALSE(std::filesystem::exists(settings()));
    EXPECT_TRUE(std::filesystem::exists(system.configFolder + "vortelcfg.ini"));
    EXPECT_EQ(form.settingsPath(), system.configFolder + "vortelcfg.ini");
}

TEST_F(SettingsTest, ResetInDescomprimirReturnsToComprimirAndEmptiesThePaths) {
    writeSettings("[CONFIGURACION]\r\nRutaUSB=x\r\n");
    form.create("");
    form.mdes.click();
    form.editiso.setText("a.dax");
    form.suiComboBox1.setText("9");
    form.areasNCvideos.setChecked(true);
    form.ISODAX1.click();
    form.setEndSoundPath("/otro.wav");
    form.Restablecervalorespordefecto1.click();
    EXPECT_TRUE(form.mcom.checked());
    EXPECT_EQ(form.editiso.text(), "");
    EXPECT_EQ(form.suiComboBox1.text(), "0");
    EXPECT_FALSE(form.areasNCvideos.checked());
    EXPECT_TRUE(form.areasNC.enabled());
    EXPECT_TRUE(form.DAX1.checked());
    EXPECT_EQ(form.endSoundPath(), sound());
    EXPECT_FALSE(std::filesystem::exists(settings()));
    form.close();
    EXPECT_EQ(readSettings().find("RutaUSB"), std::string::npos);
}

TEST_F(SettingsTest, ResetInComprimirKeepsThePaths) {
    form.create("");
    form.editiso.setText("a.iso");
    form.Restablecervalorespordefecto1.click();
    EXPECT_EQ(form.editiso.text(), "a.iso");
}

}  // namespace
}  // namespace vz
