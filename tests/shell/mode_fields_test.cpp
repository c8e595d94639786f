#include <gtest/gtest.h>

#include "shell/principal.h"
#include "support/scripted_host.h"

namespace vz {
namespace {

class ModeFieldsTest : public testing::Test {
  protected:
    ModeFieldsTest() { form.create(""); }
    void fillPaths() {
        form.editiso.setText("/psp/a.iso");
        form.editdax.setText("/psp/a.dax");
        form.editlog.setText("/psp/a.txt");
        form.editini.setText("/psp/a.ini");
    }
    bool pathsEmpty() const {
        return form.editiso.text().empty() && form.editdax.text().empty() &&
               form.editlog.text().empty() && form.editini.text().empty();
    }

    test::ScriptedHost host;
    test::FakeSystem system;
    TPrincipal form{host, system};
};

struct StateRow {
    const char* name;
    bool cso;
    Mode mode;
    const char* label1;
    const char* label2;
    const char* borrar;
    const char* mtrans;
    bool level;    // suiComboBox1 enabled
    bool options;  // crealog, creaini and the three NC boxes enabled
};

class StateTable : public ModeFieldsTest, public testing::WithParamInterface<StateRow> {};

TEST_P(StateTable, EnteringTheStateSetsCaptionsAndControls) {
    const StateRow& row = GetParam();
    if (row.cso)
        form.formatocso.click();
    fillPaths();
    RadioButton& button = row.mode == Mode::Comprimir      ? form.mcom
                          : row.mode == Mode::Descomprimir ? form.mdes
                                                           : form.mtrans;
    if (row.mode == Mode::Comprimir)
        form.mdes.click();  // so that Comprimir is entered again
    fillPaths();
    button.click();

    EXPECT_EQ(form.mode(), row.mode);
    EXPECT_EQ(form.Label1.caption(), row.label1);
    EXPECT_EQ(form.Label2.caption(), row.label2);
    EXPECT_EQ(form.BorrarIsoFin.caption(), row.borrar);
    EXPECT_EQ(form.mtrans.caption(), row.mtrans);
    EXPECT_EQ(form.suiComboBox1.enabled(), row.level);
    for (const Control* control :
         std::initializer_list<const Control*>{&form.crealog, &form.creaini, &form.areasNC,
                                               &form.areasNCvideos, &form.areasNCaudio}) {
        EXPECT_EQ(control->enabled(), row.options) << control->name();
    }
    // areasNC is checked, crealog and creaini are not: the followers show it.
    EXPECT_EQ(form.Label5.enabled(), row.options);
    EXPECT_EQ(form.editframe.enabled(), row.options);
    for (const Control* follower : std::initializer_list<const Control*>{
             &form.editlog, &form.SpeedButton3, &form.editini, &form.btn_ini}) {
        EXPECT_FALSE(follower->enabled()) << follower->name();
    }
    EXPECT_FALSE(form.crealog.checked());
    EXPECT_FALSE(form.creaini.checked());
    EXPECT_TRUE(pathsEmpty());
}

INSTANTIATE_TEST_SUITE_P(
    SixCombinations, StateTable,
    testing::Values(StateRow{"comprimir_dax", false, Mode::Comprimir, "Entrada (Archivo ISO):",
                             "Salida (Archivo DAX):", "Borrar .ISO", ".CSO -> .DAX", true, true},
                    StateRow{"comprimir_cso", true, Mode::Comprimir, "Entrada (Archivo ISO):",
                             "Salida (Archivo CSO):", "Borrar .ISO", ".DAX -> .CSO", true, false},
                    StateRow{"descomprimir_dax", false, Mode::Descomprimir,
                             "Entrada (Archivo DAX):", "Salida (Archivo ISO):", "Borrar .DAX",
                             ".CSO -> .DAX", false, false},
                    StateRow{"descomprimir_cso", true, Mode::Descomprimir, "Entrada (Archivo CSO):",
                             "Salida (Archivo ISO):", "Borrar .CSO", ".DAX -> .CSO", false, false},
                    StateRow{"conversion_dax", false, Mode::Conversion, "Entrada (Archivo CSO):",
                             "Salida (Archivo DAX):", "Borrar .CSO", ".CSO -> .DAX", true, true},
                    StateRow{"conversion_cso", true, Mode::Conversion, "Entrada (Archivo DAX):",
                             "Salida (Archivo CSO):", "Borrar .DAX", ".DAX -> .CSO", true, false}),
    [](const testing::TestParamInfo<StateRow>& param) { return std::string(param.param.name); });

TEST_F(ModeFieldsTest, ClickingTheSelectedModeChangesNothing) {
    fillPaths();
    form.mcom.click();
    EXPECT_EQ(form.editiso.text(), "/psp/a.iso");
}

TEST_F(ModeFieldsTest, FormatChangeFromDescomprimirReturnsToComprimirOnce) {
    int entries = 0;
    auto enter = form.mcom.onClick;
    form.mcom.onClick = [&] {
        ++entries;
        enter();
    };
    form.mdes.click();
    fillPaths();
    form.formatocso.click();
    EXPECT_EQ(entries, 1);
    EXPECT_TRUE(form.mcom.checked());
    EXPECT_FALSE(form.formatodax.checked());
    EXPECT_EQ(form.Label2.caption(), "Salida (Archivo CSO):");
    EXPECT_TRUE(pathsEmpty());
}

TEST_F(ModeFieldsTest, CsoUnchecksLogAndIniAndTheyStayUncheckedBackInDax) {
    form.crealog.click();
    form.creaini.click();
    EXPECT_TRUE(form.editlog.enabled());
    EXPECT_TRUE(form.btn_ini.enabled());
    form.formatocso.click();
    EXPECT_FALSE(form.crealog.checked());
    EXPECT_FALSE(form.creaini.checked());
    EXPECT_FALSE(form.editlog.enabled());
    EXPECT_FALSE(form.editini.enabled());
    form.formatodax.click();
    EXPECT_FALSE(form.crealog.checked());
    EXPECT_FALSE(form.creaini.checked());
    EXPECT_TRUE(form.crealog.enabled());
    EXPECT_FALSE(form.editlog.enabled());
}

TEST_F(ModeFieldsTest, ForceBoxesLockAndReleaseAreasNC) {
    form.areasNC.click();  // unchecked: frame controls off
    EXPECT_FALSE(form.editframe.enabled());
    form.areasNCvideos.click();
    EXPECT_TRUE(form.areasNC.checked());
    EXPECT_FALSE(form.areasNC.enabled());
    EXPECT_TRUE(form.editframe.enabled()) << "areasNCClick ran when it became checked";
    form.areasNCaudio.click();
    form.areasNCvideos.click();
    EXPECT_FALSE(form.areasNC.enabled()) << "audio still forces";
    form.areasNCaudio.click();
    EXPECT_TRUE(form.areasNC.enabled());
    EXPECT_TRUE(form.areasNC.checked());
}

TEST_F(ModeFieldsTest, DescomprimirAndBackReleasesAForcedAreasNC) {
    form.areasNCvideos.click();
    form.mdes.click();
    form.mcom.click();
    EXPECT_TRUE(form.areasNCvideos.checked());
    EXPECT_TRUE(form.areasNC.enabled());
}

TEST_F(ModeFieldsTest, DescomprimirAndBackKeepsFrameOffWhenAreasNCIsOff) {
    form.areasNC.click();
    form.mdes.click();
    form.mcom.click();
    EXPECT_FALSE(form.Label5.enabled());
    EXPECT_FALSE(form.editframe.enabled());
    EXPECT_TRUE(form.areasNC.enabled());
}

TEST_F(ModeFieldsTest, DigitFilterSwallowsEverythingButDigits) {
    for (Edit* field :
         {static_cast<Edit*>(&form.suiComboBox1), static_cast<Edit*>(&form.editframe)}) {
        EXPECT_EQ(field->typeCharacter('7'), '7');
        for (char key : {'a', '\b', ' ', '-', '\r'})
            EXPECT_EQ(field->typeCharacter(key), '\0');
    }
}

TEST_F(ModeFieldsTest, FrameHelpMessage) {
    form.SpeedButton4.click();
    ASSERT_EQ(host.messages.size(), 1u);
    EXPECT_EQ(host.messages[0].caption, "Areas NC Frame Informacion");
    EXPECT_EQ(host.messages[0].icon, MessageIcon::Help);
    EXPECT_EQ(host.messages[0].buttonCount, 1);
    EXPECT_EQ(host.messages[0].text.substr(0, 40), "Por defecto tiene el valor 8192 bytes, l");
    EXPECT_NE(host.messages[0].text.find("tiempo de carga disminuira."), std::string::npos);
}

TEST_F(ModeFieldsTest, DaxExtensionMenuKeepsOneMark) {
    form.ISODAX1.click();
    EXPECT_TRUE(form.ISODAX1.checked());
    EXPECT_FALSE(form.DAX1.checked());
    form.DAX1.click();
    EXPECT_TRUE(form.DAX1.checked());
    EXPECT_FALSE(form.ISODAX1.checked());
}

struct PickerRow {
    const char* name;
    bool cso;
    Mode mode;
    bool isoDax;
    const char* inputDialog;
    const char* chosen;
    const char* output;
    const char* log;
    const char* ini;
};

class InputPicker : public ModeFieldsTest, public testing::WithParamInterface<PickerRow> {};

TEST_P(InputPicker, FillsTheFieldsItDerives) {
    const PickerRow& row = GetParam();
    if (row.cso)
        form.formatocso.click();
    if (row.mode == Mode::Descomprimir)
        form.mdes.click();
    if (row.mode == Mode::Conversion)
        form.mtrans.click();
    if (row.isoDax)
        form.ISODAX1.click();
    host.fileAnswers.push_back(std::string(row.chosen));
    form.SpeedButton1.click();
    ASSERT_EQ(host.fileDialogs.size(), 1u);
    EXPECT_EQ(host.fileDialogs[0].name, row.inputDialog);
    EXPECT_EQ(form.editiso.text(), row.chosen);
    EXPECT_EQ(form.editdax.text(), row.output);
    EXPECT_EQ(form.editlog.text(), row.log);
    EXPECT_EQ(form.editini.text(), row.ini);
}

INSTANTIATE_TEST_SUITE_P(
    Table, InputPicker,
    testing::Values(PickerRow{"comprimir_dax", false, Mode::Comprimir, false, "IsoDialog",
                              "/psp/game.iso", "/psp/game.dax", "/psp/game.txt", "/psp/game.ini"},
                    PickerRow{"comprimir_isodax", false, Mode::Comprimir, true, "IsoDialog",
                              "/psp/game.iso", "/psp/game.iso.dax", "/psp/game.txt",
                              "/psp/game.ini"},
                    PickerRow{"no_extension_dotted_folder", false, Mode::Comprimir, false,
                              "IsoDialog", "/psp/my.dir/game", "/psp/my.dir/game.dax",
                              "/psp/my.dir/game.txt", "/psp/my.dir/game.ini"},
                    PickerRow{"comprimir_cso", true, Mode::Comprimir, false, "IsoDialog",
                              "/psp/game.iso", "/psp/game.cso", "", ""},
                    PickerRow{"descomprimir_dax", false, Mode::Descomprimir, true, "DaxDialog",
                              "/psp/game.iso.dax", "/psp/game.iso.iso", "", ""},
                    PickerRow{"descomprimir_cso", true, Mode::Descomprimir, false, "OpenCISO",
                              "/psp/game.cso", "/psp/game.iso", "", ""},
                    PickerRow{"conversion_dax", false, Mode::Conversion, false, "OpenCISO",
                              "/psp/game.cso", "/psp/game.dax", "/psp/game.txt", "/psp/game.ini"},
                    PickerRow{"conversion_cso", true, Mode::Conversion, false, "DaxDialog",
                              "/psp/game.dax", "/psp/game.cso", "", ""}),
    [](const testing::TestParamInfo<PickerRow>& param) { return std::string(param.param.name); });

TEST_F(ModeFieldsTest, ACancelledPickerChangesNothing) {
    fillPaths();
    form.SpeedButton1.click();
    form.SpeedButton2.click();
    form.SpeedButton3.click();
    EXPECT_EQ(form.editiso.text(), "/psp/a.iso");
    EXPECT_EQ(form.editdax.text(), "/psp/a.dax");
    EXPECT_EQ(form.editlog.text(), "/psp/a.txt");
}

TEST_F(ModeFieldsTest, OutputPickerPresetsTheNamePartOnlyInComprimir) {
    form.editdax.setText("/psp/juego.dax");
    host.fileAnswers.push_back(std::string("/otra/salida.dax"));
    form.SpeedButton2.click();
    EXPECT_EQ(host.fileDialogs.back().name, "DaxDialog");
    EXPECT_EQ(host.fileDialogs.back().presetFileName, "juego.dax");
    EXPECT_EQ(form.editdax.text(), "/otra/salida.dax");

    form.mtrans.click();  // the dialog keeps the name of its last use
    form.editdax.setText("/psp/x.dax");
    form.SpeedButton2.click();
    EXPECT_EQ(host.fileDialogs.back().presetFileName, "/otra/salida.dax");

    form.mdes.click();
    form.SpeedButton2.click();
    EXPECT_EQ(host.fileDialogs.back().name, "IsoDialog");
}

TEST_F(ModeFieldsTest, OutputPickerWithEmptyOutputOpensWithAnEmptyName) {
    form.DaxDialog.fileName = "old.dax";
    form.SpeedButton2.click();
    EXPECT_EQ(host.fileDialogs.back().presetFileName, "");
}

TEST_F(ModeFieldsTest, LogPickerPresetsTheLogName) {
    form.crealog.click();
    form.editlog.setText("/psp/juego.txt");
    host.fileAnswers.push_back(std::string("/psp/otro.txt"));
    form.SpeedButton3.click();
    EXPECT_EQ(host.fileDialogs.back().name, "SaveDialog1");
    EXPECT_EQ(host.fileDialogs.back().presetFileName, "juego.txt");
    EXPECT_EQ(form.editlog.text(), "/psp/otro.txt");
}

TEST_F(ModeFieldsTest, PickersShowNothingWithNeitherFormat) {
    form.formatodax.setChecked(false);
    form.SpeedButton1.click();
    form.SpeedButton2.click();
    EXPECT_TRUE(host.fileDialogs.empty());
}

}  // namespace
}  // namespace vz
