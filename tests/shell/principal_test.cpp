#include "shell/principal.h"

#include <gtest/gtest.h>

#include "support/scripted_host.h"

namespace vz {
namespace {

#ifdef _WIN32
constexpr const char* kSound = "/opt/vortel/xtras\\convfin.wav";
constexpr const char* kCiso = "/opt/vortel/kvt\\ciso";
#else
constexpr const char* kSound = "/opt/vortel/xtras/convfin.wav";
constexpr const char* kCiso = "/opt/vortel/kvt/ciso";
#endif

class PrincipalTest : public testing::Test {
  protected:
    test::ScriptedHost host;
    test::FakeSystem system;
    TPrincipal form{host, system};
};

TEST_F(PrincipalTest, FormCreateSetsVersionProgramFolderAndSoundAndCollapsesTheList) {
    form.create("");
    EXPECT_TRUE(host.errors.empty());
    EXPECT_EQ(form.suiStatusBar1.panels().at(1).text, "v2.5");
    EXPECT_EQ(form.programFolder(), "/opt/vortel/");
    EXPECT_EQ(form.endSoundPath(), kSound);
    EXPECT_TRUE(form.PaneLotes.collapsed());
}

TEST_F(PrincipalTest, AnErrorInFormCreateIsReportedAndEndsTheRemainingSteps) {
    system.failExecutablePath = true;
    form.create("");
    ASSERT_EQ(host.errors.size(), 1u);
    EXPECT_EQ(host.errors[0], "executable path unavailable");
    EXPECT_EQ(form.suiStatusBar1.panels().at(1).text, "v2.5");
    EXPECT_FALSE(form.PaneLotes.collapsed());
    EXPECT_EQ(form.endSoundPath(), "");
}

TEST_F(PrincipalTest, InitialStatesAreThoseOfTheForm) {
    EXPECT_TRUE(form.formatodax.checked());
    EXPECT_FALSE(form.formatocso.checked());
    EXPECT_TRUE(form.mcom.checked());
    EXPECT_EQ(form.suiComboBox1.text(), "0");
    EXPECT_EQ(form.suiComboBox1.itemIndex(), 0);
    EXPECT_EQ(form.suiComboBox1.items().size(), 10u);
    EXPECT_EQ(form.suiComboBox1.maxLength(), 1u);
    EXPECT_EQ(form.editframe.text(), "8192");
    EXPECT_EQ(form.editframe.maxLength(), 4u);
    EXPECT_TRUE(form.areasNC.checked());
    EXPECT_TRUE(form.pausaresumen.checked());
    for (CheckBox* box :
         {&form.areasNCvideos, &form.areasNCaudio, &form.crealog, &form.creaini, &form.usarlotes,
          &form.BorrarIsoFin, &form.ApagaWindows, &form.ReproSoundalFin}) {
        EXPECT_FALSE(box->checked()) << box->name();
    }
    for (Control* off : std::initializer_list<Control*>{&form.editlog, &form.SpeedButton3,
                                                        &form.editini, &form.btn_ini}) {
        EXPECT_FALSE(off->enabled()) << off->name();
    }
    for (Button* hidden : {&form.addlote, &form.delote, &form.detolote}) {
        EXPECT_FALSE(hidden->visible()) << hidden->name();
    }
    EXPECT_EQ(form.suiStringGrid1.rowCount(), 1);
    EXPECT_EQ(form.suiStringGrid1.columnCount(), 2);
    EXPECT_TRUE(form.DAX1.checked());
    EXPECT_FALSE(form.ISODAX1.checked());
    EXPECT_FALSE(form.Menucontextual1.checked());
    EXPECT_FALSE(form.FormTrayIcon1.visible());
}

TEST_F(PrincipalTest, CaptionsCarryTheirBlanksAndPunctuation) {
    struct {
        const Control& control;
        const char* caption;
    } cases[] = {
        {form.suiGroupBox6, " Formato: "},
        {form.suiGroupBox1, " Modo: "},
        {form.suiGroupBox2, " Nivel de Compresion: "},
        {form.suiGroupBox4, " Datos: "},
        {form.suiGroupBox3, " Areas No-Comprimidas "},
        {form.suiGroupBox5, " Al Terminar: "},
        {form.mtrans, ".CSO -> .DAX"},
        {form.addlote, "+ Añadir"},
        {form.Label1, "Entrada (Archivo ISO):"},
        {form.Label2, "Salida (Archivo DAX):"},
        {form.areasNC, "Usar areas NC (No Comprimibles)"},
        {form.areasNCvideos, "Forzar Archivos de Videos a ser areas NC"},
        {form.BorrarIsoFin, "Borrar .ISO"},
        {form.PaneLotes, "Lista de Procesos"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(c.control.caption(), c.caption) << c.control.name();
    EXPECT_EQ(form.SonidoalTerminar1.caption(), "Elegir Sonido de \"Al Terminar\"...");
    EXPECT_EQ(form.caption(), ":: Vortel Zaduvuv ::");
    EXPECT_EQ(form.clientWidth(), 448);
    EXPECT_EQ(form.clientHeight(), 475);
}

TEST_F(PrincipalTest, MenusHoldTheirItemsInOrder) {
    auto captions = [](const std::vector<MenuItem*>& items) {
        std::string all;
        for (const MenuItem* item : items)
            all += item->caption() + "|";
        return all;
    };
    EXPECT_EQ(captions(form.suiMainMenu1.items()), "&Archivo|&Herramientas|&Configuracion|A&yuda|");
    EXPECT_EQ(captions(form.N1.items()), "&Asistente...|-|&Minimizar al Tray|-|&Salir|");
    EXPECT_EQ(captions(form.ConfigurarDAXZISOUSB1.items()),
              "&Activar|&Desactivar|-|&Comprobar Estado|");
    EXPECT_EQ(captions(form.Salida1.items()), "(*.&DAX)|(*.&ISO.DAX)|");
    EXPECT_EQ(captions(form.Ayuda1.items()),
              "&Ayuda|A&ctualizar|-|&Web|&Lista de Compatibilidad|-|Acerca &de...|");
    EXPECT_EQ(captions(form.suiPopupMenu1.items()), "&Restaurar|-|&Salir|");
}

TEST_F(PrincipalTest, HiddenItemsStayHidden) {
    form.create("");
    for (MenuItem* item : {&form.Asistente1, &form.Ayuda2, &form.Web1}) {
        EXPECT_FALSE(item->visible()) << item->name();
        EXPECT_FALSE(item->enabled()) << item->name();
    }
}

TEST_F(PrincipalTest, FileDialogsAsDescribed) {
    struct {
        const FileDialog& dialog;
        FileDialog::Kind kind;
        const char* title;
        const char* extension;
    } cases[] = {
        {form.DaxDialog, FileDialog::Kind::Open, "Seleccionar DAX...", "dax"},
        {form.IsoDialog, FileDialog::Kind::Open, "Seleccionar ISO...", "iso"},
        {form.OpenCISO, FileDialog::Kind::Open, "Seleccionar CISO...", ""},
        {form.SaveDialog1, FileDialog::Kind::Save, "Guardar Log...", "txt"},
        {form.OpenLVT, FileDialog::Kind::Open, "Abrir Lista de Vortel Zaduvuv...", "lvt"},
        {form.SaveLVT, FileDialog::Kind::Save, "Guardar Lista de Vortel Zaduvuv...", "lvt"},
        {form.IniDialog, FileDialog::Kind::Save, "Guardar Configuracion...", "ini"},
        {form.DialogUSBConfig, FileDialog::Kind::Open, "Abrir Archivo Configuracion DAX ZISO...",
         "ini"},
        {form.OpenSound, FileDialog::Kind::Open, "Abrir Archivo de Sonido...", "wav"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(c.dialog.kind(), c.kind) << c.dialog.name();
        EXPECT_EQ(c.dialog.title(), c.title) << c.dialog.name();
        EXPECT_EQ(c.dialog.defaultExtension(), c.extension) << c.dialog.name();
    }
    EXPECT_EQ(form.DaxDialog.filter(),
              "Archivos DAX (*.dax)|*.dax|Archivos ISO.DAX (*iso.dax)|*iso.dax|Todos los "
              "Archivos (*.*)|*.*");
    EXPECT_EQ(form.SaveLVT.fileName, "lista1");
    EXPECT_TRUE(form.OpenLVT.options().fileMustExist);
    EXPECT_TRUE(form.IniDialog.options().createPrompt);
    EXPECT_FALSE(form.SaveLVT.options().overwritePrompt);
}

TEST_F(PrincipalTest, TrayIconAppearsAtTheFirstMinimiseAndStaysAfterRestore) {
    form.create("");
    form.setVisible(true);
    EXPECT_FALSE(form.FormTrayIcon1.visible());
    form.MinimizaralTray1.click();
    EXPECT_TRUE(form.FormTrayIcon1.visible());
    EXPECT_FALSE(form.visible());
    form.FormTrayIcon1.doubleClick();
    EXPECT_TRUE(form.visible());
    EXPECT_TRUE(form.FormTrayIcon1.visible());
    form.MinimizaralTray1.click();
    form.Restaurar1.click();
    EXPECT_TRUE(form.visible());
    EXPECT_EQ(host.events,
              (std::vector<std::string>{"minimized", "restored", "minimized", "restored"}));
}

TEST_F(PrincipalTest, SalirInTheTrayMenuClosesThroughFormClose) {
    form.create("");
    form.setVisible(true);
    form.MinimizaralTray1Click();
    int closes = 0;
    auto formClose = form.onClose;
    form.onClose = [&] {
        ++closes;
        formClose();
    };
    form.Salir2.click();
    EXPECT_EQ(closes, 1);
    EXPECT_TRUE(form.closed());
}

TEST_F(PrincipalTest, ProgramFolderPathsUseThePlatformSeparator) {
    form.create("");
    EXPECT_EQ(form.inProgramFolder({"kvt", "ciso"}), kCiso);
}

}  // namespace
}  // namespace vz
