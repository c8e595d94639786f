#include "shell/principal.h"

#include "platform/dispatch.h"
#include "platform/host.h"
#include "platform/paths.h"
#include "platform/system.h"

namespace vz {
namespace {

using Options = FileDialog::Options;
constexpr auto kOpen = FileDialog::Kind::Open;
constexpr auto kSave = FileDialog::Kind::Save;

constexpr const char* kDaxFilter =
    "Archivos DAX (*.dax)|*.dax|Archivos ISO.DAX (*iso.dax)|*iso.dax|Todos los Archivos "
    "(*.*)|*.*";
constexpr const char* kIsoFilter = "Archivos ISO (*.iso)|*.iso|Todos los Archivos (*.*)|*.*";
constexpr const char* kCisoFilter = "Archivos CISO (*.cso)|*.cso|Todos los Archivos (*.*)|*.*";
constexpr const char* kLogFilter = "Archivos de Texto (*.txt)|*.txt|Todos los Archivos (*.*)|*.*";
constexpr const char* kListFilter =
    "Lista Vortel Zaduvuv (*.lvt)|*.lvt|Todos los Archivos (*.*)|*.*";
constexpr const char* kIniFilter = "Configuraciones (*.ini)|*.ini|Todos los Archivos (*.*)|*.*";
constexpr const char* kUsbFilter =
    "Archivo Configuracion (daxziso.ini)|daxziso.ini|Configuraciones (*.ini)|*.ini|Todos los "
    "Archivos (*.*)|*.*";
constexpr const char* kSoundFilter = "Archivo de Sonido (*.wav)|*.wav|Todos los Archivos (*.*)|*.*";

// Rows of the " Datos: " box: caption or check box on the left, edit, then glyph button.
constexpr int rowTop(int row) {
    return 18 + 23 * row;
}
constexpr Bounds rowCaption(int row) {
    return {8, rowTop(row) + 2, 112, 17};
}
constexpr Bounds rowEdit(int row) {
    return {120, rowTop(row), 286, 21};
}
constexpr Bounds rowButton(int row) {
    return {408, rowTop(row), 21, 21};
}

}  // namespace

TPrincipal::TPrincipal(Host& hostRef, System& systemRef)
    : Form("TPrincipal", kApplicationTitle, 448, 475),
      host(hostRef),
      system(systemRef),
      suiGroupBox6(*this, "suiGroupBox6", {8, 48, 209, 49}),
      formatodax(suiGroupBox6, "formatodax", {14, 21, 80, 17}, formatGroup),
      formatocso(suiGroupBox6, "formatocso", {112, 21, 80, 17}, formatGroup),
      suiGroupBox1(*this, "suiGroupBox1", {8, 98, 209, 57}),
      mcom(suiGroupBox1, "mcom", {14, 17, 90, 17}, modeGroup),
      mdes(suiGroupBox1, "mdes", {112, 17, 92, 17}, modeGroup),
      mtrans(suiGroupBox1, "mtrans", {14, 35, 120, 17}, modeGroup),
      suiGroupBox2(*this, "suiGroupBox2", {232, 48, 121, 49}),
      suiComboBox1(suiGroupBox2, "suiComboBox1", {12, 19, 97, 21}),
      Image1(*this, "Image1", {368, 50, 70, 70}),
      usarlotes(*this, "usarlotes", {232, 102, 91, 21}),
      addlote(*this, "addlote", {230, 136, 59, 17}),
      delote(*this, "delote", {297, 136, 62, 17}),
      detolote(*this, "detolote", {368, 136, 73, 17}),
      suiGroupBox4(*this, "suiGroupBox4", {8, 156, 433, 113}),
      Label1(suiGroupBox4, "Label1", rowCaption(0)),
      editiso(suiGroupBox4, "editiso", rowEdit(0)),
      SpeedButton1(suiGroupBox4, "SpeedButton1", rowButton(0), Glyph::Browse),
      Label2(suiGroupBox4, "Label2", rowCaption(1)),
      editdax(suiGroupBox4, "editdax", rowEdit(1)),
      SpeedButton2(suiGroupBox4, "SpeedButton2", rowButton(1), Glyph::Browse),
      crealog(suiGroupBox4, "crealog", rowCaption(2)),
      editlog(suiGroupBox4, "editlog", rowEdit(2)),
      SpeedButton3(suiGroupBox4, "SpeedButton3", rowButton(2), Glyph::Browse),
      creaini(suiGroupBox4, "creaini", rowCaption(3)),
      editini(suiGroupBox4, "editini", rowEdit(3)),
      btn_ini(suiGroupBox4, "btn_ini", rowButton(3), Glyph::Ini),
      suiGroupBox3(*this, "suiGroupBox3", {8, 296, 249, 121}),
      areasNC(suiGroupBox3, "areasNC", {10, 20, 230, 17}),
      areasNCvideos(suiGroupBox3, "areasNCvideos", {22, 41, 224, 17}),
      areasNCaudio(suiGroupBox3, "areasNCaudio", {22, 62, 224, 17}),
      Label5(suiGroupBox3, "Label5", {12, 92, 38, 15}),
      editframe(suiGroupBox3, "editframe", {52, 89, 56, 21}),
      SpeedButton4(suiGroupBox3, "SpeedButton4", {112, 89, 21, 21}, Glyph::Help),
      Label3(suiGroupBox3, "Label3", {140, 92, 40, 15}),
      suiGroupBox5(*this, "suiGroupBox5", {264, 296, 177, 121}),
      pausaresumen(suiGroupBox5, "pausaresumen", {12, 20, 150, 17}),
      BorrarIsoFin(suiGroupBox5, "BorrarIsoFin", {12, 44, 150, 17}),
      ApagaWindows(suiGroupBox5, "ApagaWindows", {12, 68, 150, 17}),
      ReproSoundalFin(suiGroupBox5, "ReproSoundalFin", {12, 92, 150, 17}),
      PaneLotes(*this, "PaneLotes", {8, 272, 433, 153}),
      suiStringGrid1(PaneLotes, "suiStringGrid1", {4, 25, 425, 104}, 2),
      botonOpenLVT(PaneLotes, "botonOpenLVT", {376, 130, 20, 20}, Glyph::OpenList),
      BotonSaveLVT(PaneLotes, "BotonSaveLVT", {410, 130, 20, 20}, Glyph::SaveList),
      Iniciar(*this, "Iniciar", {368, 424, 73, 25}),
      suiStatusBar1(*this, "suiStatusBar1", {0, 475 - 19, 448, 19}),
      suiMainMenu1("suiMainMenu1"),
      N1("N1", "&Archivo"),
      Asistente1(N1, "Asistente1", "&Asistente..."),
      N9(N1, "N9", "-"),
      MinimizaralTray1(N1, "MinimizaralTray1", "&Minimizar al Tray"),
      N3(N1, "N3", "-"),
      Salir1(N1, "Salir1", "&Salir"),
      Herramientas1("Herramientas1", "&Herramientas"),
      CrearConfiguracionDAXZISOINI1(Herramientas1, "CrearConfiguracionDAXZISOINI1",
                                    "&Crear Configuracion DAX ZISO (.ini)"),
      N6(Herramientas1, "N6", "-"),
      ConfigurarDAXZISOUSB1(Herramientas1, "ConfigurarDAXZISOUSB1",
                            "Configurar DAX ZISO Para Via &USB"),
      USBActivar(ConfigurarDAXZISOUSB1, "USBActivar", "&Activar"),
      USBDesactivar(ConfigurarDAXZISOUSB1, "USBDesactivar", "&Desactivar"),
      N7(ConfigurarDAXZISOUSB1, "N7", "-"),
      ComprobarEstado1(ConfigurarDAXZISOUSB1, "ComprobarEstado1", "&Comprobar Estado"),
      Configuracion1("Configuracion1", "&Configuracion"),
      SonidoalTerminar1(Configuracion1, "SonidoalTerminar1", "Elegir Sonido de \"Al Terminar\"..."),
      N5(Configuracion1, "N5", "-"),
      Salida1(Configuracion1, "Salida1", "&Extension de Salida Formato DAX"),
      DAX1(Salida1, "DAX1", "(*.&DAX)"),
      ISODAX1(Salida1, "ISODAX1", "(*.&ISO.DAX)"),
      Menucontextual1(Configuracion1, "Menucontextual1", "&Asociado a *.ISO, *.DAX y *.CSO"),
      N8(Configuracion1, "N8", "-"),
      Restablecervalorespordefecto1(Configuracion1, "Restablecervalorespordefecto1",
                                    "&Restablecer Valores por Defecto"),
      Ayuda1("Ayuda1", "A&yuda"),
      Ayuda2(Ayuda1, "Ayuda2", "&Ayuda"),
      Actualizar1(Ayuda1, "Actualizar1", "A&ctualizar"),
      N10(Ayuda1, "N10", "-"),
      Web1(Ayuda1, "Web1", "&Web"),
      ListadeCompatibilidad1(Ayuda1, "ListadeCompatibilidad1", "&Lista de Compatibilidad"),
      N2(Ayuda1, "N2", "-"),
      Acercade1(Ayuda1, "Acercade1", "Acerca &de..."),
      suiPopupMenu1("suiPopupMenu1"),
      Restaurar1("Restaurar1", "&Restaurar"),
      N4("N4", "-"),
      Salir2("Salir2", "&Salir"),
      FormTrayIcon1("FormTrayIcon1", suiPopupMenu1),
      MiMensaje(hostRef),
      DaxDialog(hostRef, "DaxDialog", kOpen, "Seleccionar DAX...", kDaxFilter, "dax"),
      IsoDialog(hostRef, "IsoDialog", kOpen, "Seleccionar ISO...", kIsoFilter, "iso"),
      OpenCISO(hostRef, "OpenCISO", kOpen, "Seleccionar CISO...", kCisoFilter, ""),
      SaveDialog1(hostRef, "SaveDialog1", kSave, "Guardar Log...", kLogFilter, "txt"),
      OpenLVT(hostRef, "OpenLVT", kOpen, "Abrir Lista de Vortel Zaduvuv...", kListFilter, "lvt",
              Options{.pathMustExist = true, .fileMustExist = true}),
      SaveLVT(hostRef, "SaveLVT", kSave, "Guardar Lista de Vortel Zaduvuv...", kListFilter, "lvt"),
      IniDialog(hostRef, "IniDialog", kSave, "Guardar Configuracion...", kIniFilter, "ini",
                Options{.pathMustExist = true, .createPrompt = true}),
      DialogUSBConfig(hostRef, "DialogUSBConfig", kOpen, "Abrir Archivo Configuracion DAX ZISO...",
                      kUsbFilter, "ini", Options{.pathMustExist = true, .fileMustExist = true}),
      OpenSound(hostRef, "OpenSound", kOpen, "Abrir Archivo de Sonido...", kSoundFilter, "wav",
                Options{.fileMustExist = true}) {
    for (MenuItem* item : {&N1, &Herramientas1, &Configuracion1, &Ayuda1}) {
        suiMainMenu1.add(*item);
    }
    for (MenuItem* item : {&Restaurar1, &N4, &Salir2})
        suiPopupMenu1.add(*item);
    setMainMenu(suiMainMenu1);
    setInitialStates();
    bindHandlers();
}

void TPrincipal::setInitialStates() {
    suiGroupBox6.setCaption(" Formato: ");
    formatodax.setCaption("*.DAX");
    formatodax.setChecked(true);
    formatocso.setCaption("*.CSO");

    suiGroupBox1.setCaption(" Modo: ");
    mcom.setCaption("Comprimir");
    mcom.setChecked(true);
    mtrans.setCaption(".CSO -> .DAX");
    mdes.setCaption("Descomprimir");
    for (Control* control : {static_cast<Control*>(&mcom), static_cast<Control*>(&mtrans),
                             static_cast<Control*>(&mdes)}) {
        control->setHandCursor(true);
    }

    suiGroupBox2.setCaption(" Nivel de Compresion: ");
    suiComboBox1.setItems({"0", "1", "2", "3", "4", "5", "6", "7", "8", "9"});
    suiComboBox1.setItemIndex(0);
    suiComboBox1.setMaxLength(1);
    suiComboBox1.setDropDownCount(10);
    suiComboBox1.setHandCursor(true);

    usarlotes.setCaption("Usar una Lista");
    addlote.setCaption("+ Añadir");
    delote.setCaption("- Borrar");
    detolote.setCaption("Borrar Toda");
    for (Button* button : {&addlote, &delote, &detolote})
        button->setVisible(false);

    suiGroupBox4.setCaption(" Datos: ");
    Label1.setCaption("Entrada (Archivo ISO):");
    Label2.setCaption("Salida (Archivo DAX):");
    crealog.setCaption("Crear Log:");
    crealog.setHandCursor(true);
    creaini.setCaption("Crear .INI:");
    for (SpeedButton* button : {&SpeedButton1, &SpeedButton2, &SpeedButton3}) {
        button->setHint("Buscar...");
        button->setHandCursor(true);
    }
    for (Control* control : {static_cast<Control*>(&editlog), static_cast<Control*>(&SpeedButton3),
                             static_cast<Control*>(&editini), static_cast<Control*>(&btn_ini)}) {
        control->setEnabled(false);
    }

    suiGroupBox3.setCaption(" Areas No-Comprimidas ");
    areasNC.setCaption("Usar areas NC (No Comprimibles)");
    areasNC.setChecked(true);
    areasNCvideos.setCaption("Forzar Archivos de Videos a ser areas NC");
    areasNCaudio.setCaption("Forzar Archivos de Audio a ser areas NC");
    for (CheckBox* box : {&areasNC, &areasNCvideos, &areasNCaudio})
        box->setHandCursor(true);
    Label5.setCaption("Frame:");
    editframe.setText("8192");
    editframe.setMaxLength(4);
    Label3.setCaption("bytes");

    suiGroupBox5.setCaption(" Al Terminar: ");
    pausaresumen.setCaption("Dejar Resumen");
    pausaresumen.setChecked(true);
    pausaresumen.setHandCursor(true);
    BorrarIsoFin.setCaption("Borrar .ISO");
    ApagaWindows.setCaption("Apagar Windows");
    ReproSoundalFin.setCaption("Reproducir Sonido");

    PaneLotes.setCaption("Lista de Procesos");
    suiStringGrid1.setDefaultColumnWidth(200);
    suiStringGrid1.setDefaultRowHeight(19);
    botonOpenLVT.setHint("Cargar Lista");
    BotonSaveLVT.setHint("Guardar Lista");

    Iniciar.setCaption("Iniciar");
    Iniciar.setHandCursor(true);

    suiStatusBar1.setPanels({{280, ""}, {50, ""}, {50, "Autor: Zelbrin"}});

    for (MenuItem* hidden : {&Asistente1, &Ayuda2, &Web1}) {
        hidden->setEnabled(false);
        hidden->setVisible(false);
    }
    DAX1.setChecked(true);
    SaveLVT.fileName = "lista1";
}

void TPrincipal::bindHandlers() {
    bindModeFieldHandlers();
    onClose = [this] { FormClose(); };
    Salir1.onClick = [this] { Salir1Click(); };
    Salir2.onClick = [this] { Salir1Click(); };
    MinimizaralTray1.onClick = [this] { MinimizaralTray1Click(); };
    Restaurar1.onClick = [this] { Restaurar1Click(); };
    FormTrayIcon1.onDoubleClick = [this] { Restaurar1Click(); };
    Iniciar.onClick = [this] { IniciarClick(); };
    Menucontextual1.onClick = [this] { Menucontextual1Click(); };
    Actualizar1.onClick = [this] { Actualizar1Click(); };
    ListadeCompatibilidad1.onClick = [this] { ListadeCompatibilidad1Click(); };
    Acercade1.onClick = [this] { Acercade1Click(); };
    SonidoalTerminar1.onClick = [this] { SonidoalTerminar1Click(); };
    CrearConfiguracionDAXZISOINI1.onClick = [this] { CrearConfiguracionDAXZISOINI1Click(); };
    USBActivar.onClick = [this] { USBActivarClick(); };
    USBDesactivar.onClick = [this] { USBDesactivarClick(); };
    ComprobarEstado1.onClick = [this] { ComprobarEstado1Click(); };
    Restablecervalorespordefecto1.onClick = [this] { Restablecervalorespordefecto1Click(); };
    addlote.onClick = [this] { addloteClick(); };
    delote.onClick = [this] { deloteClick(); };
    detolote.onClick = [this] { detoloteClick(); };
    usarlotes.onClick = [this] { usarlotesClick(); };
    botonOpenLVT.onClick = [this] { botonOpenLVTClick(); };
    BotonSaveLVT.onClick = [this] { BotonSaveLVTClick(); };
}

void TPrincipal::create(const std::string& argument) {
    dispatch(host, [&] { FormCreate(argument); });
}

void TPrincipal::FormCreate(const std::string& argument) {
    suiStatusBar1.setPanelText(1, std::string("v") + kProgramVersion);
    programFolder_ = folderPart(system.executablePath());
    endSoundPath_ = inProgramFolder({"xtras", "convfin.wav"});
    loadSettings();
    PaneLotes.setCollapsed(true);
    AbrirArchivo(argument);
}

std::string TPrincipal::inProgramFolder(std::initializer_list<std::string_view> components) const {
    return programFolder_ + relativePath(components);
}

void TPrincipal::Salir1Click() {
    close();
}

void TPrincipal::MinimizaralTray1Click() {
    minimizeToTray();
}

void TPrincipal::Restaurar1Click() {
    restoreFromTray();
}

void TPrincipal::minimizeToTray() {
    FormTrayIcon1.setVisible(true);
    setVisible(false);
    host.minimizedToTray();
}

void TPrincipal::restoreFromTray() {
    setVisible(true);
    host.restoredFromTray();
}

}  // namespace vz
