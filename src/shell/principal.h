// The main window: its controls, menus, dialogs and the handlers bound to them.
#pragma once

#include <optional>
#include <string>

#include "jobs/command_lines.h"
#include "platform/controls.h"

namespace vz {

class Host;
class System;

enum class Mode { Comprimir, Descomprimir, Conversion };
enum class Format { Dax, Cso, None };

inline constexpr const char* kApplicationTitle = ":: Vortel Zaduvuv ::";
inline constexpr const char* kProgramVersion = "2.5";

class TPrincipal : public Form {
  public:
    TPrincipal(Host& host, System& system);

    // Runs FormCreate at the edge of an event: an error ends it and is reported, and the
    // window is created all the same.
    void create(const std::string& argument);
    // The creation handler; `argument` is the first command-line argument or empty.
    void FormCreate(const std::string& argument);

    void Salir1Click();
    void MinimizaralTray1Click();
    void Restaurar1Click();
    void FormClose();
    void Restablecervalorespordefecto1Click();
    void AbrirArchivo(const std::string& path);
    // The settings file: beside the program, or in the user's configuration folder when
    // the program folder cannot be written.
    std::string settingsPath() const;

    // Mode, format and file fields.
    void mcomClick();
    void mdesClick();
    void mtransClick();
    void formatodaxClick();
    void formatocsoClick();
    void areasNCClick();
    void areasNCvideosClick();
    void areasNCaudioClick();
    void crealogClick();
    void creainiClick();
    void suiComboBox1KeyPress(char& key);
    void SpeedButton1Click();
    void SpeedButton2Click();
    void SpeedButton3Click();
    void SpeedButton4Click();
    void DAX1Click();
    void ISODAX1Click();

    // Conversion jobs.
    void IniciarClick();
    DaxOptionPieces OpcionesDAX() const;
    // The loader configuration window that a single DAX job shows first.
    Form* configurationForm() const { return configurationForm_; }
    void setConfigurationForm(Form& form) { configurationForm_ = &form; }

    // Process list and list file.
    void addloteClick();
    void deloteClick();
    void detoloteClick();
    void usarlotesClick();
    int ConfirmarBorrarFila();
    int ConfirmarBorrarLista();
    void CargarLista(const std::string& path);
    void botonOpenLVTClick();
    void BotonSaveLVTClick();
    // The list is empty exactly when the input cell of its first row is.
    bool listEmpty() const;

    // Loader plug-in configuration and its USB host mode.
    void CrearConfiguracionDAXZISOINI1Click();
    void USBActivarClick();
    void USBDesactivarClick();
    void ComprobarEstado1Click();

    // Update, help links and end sound.
    void Actualizar1Click();
    void ListadeCompatibilidad1Click();
    void Acercade1Click();
    void SonidoalTerminar1Click();
    // The update module's command line.
    CommandLine updateLine() const;

    // File associations.
    void Menucontextual1Click();
    void AsociarExtension(const std::string& extension);
    void CrearTipoArchivo(const std::string& extension, const std::string& progId,
                          const std::string& description);
    void DesasociarExtension(const std::string& extension);

    // The mode and format that the radio buttons select.
    Mode mode() const;
    Format format() const;

    // The two operations of the tray icon, also used around a job run.
    void minimizeToTray();
    void restoreFromTray();

    const std::string& programFolder() const { return programFolder_; }
    const std::string& endSoundPath() const { return endSoundPath_; }
    void setEndSoundPath(std::string path) { endSoundPath_ = std::move(path); }
    // The program folder followed by a relative path such as kvt/ciso.
    std::string inProgramFolder(std::initializer_list<std::string_view> components) const;

    Host& host;
    System& system;

    // Radio groups.
    RadioGroup formatGroup;
    RadioGroup modeGroup;

    GroupBox suiGroupBox6;
    RadioButton formatodax;
    RadioButton formatocso;
    GroupBox suiGroupBox1;
    RadioButton mcom;
    RadioButton mdes;
    RadioButton mtrans;
    GroupBox suiGroupBox2;
    ComboBox suiComboBox1;
    Image Image1;
    CheckBox usarlotes;
    Button addlote;
    Button delote;
    Button detolote;

    GroupBox suiGroupBox4;
    Label Label1;
    Edit editiso;
    SpeedButton SpeedButton1;
    Label Label2;
    Edit editdax;
    SpeedButton SpeedButton2;
    CheckBox crealog;
    Edit editlog;
    SpeedButton SpeedButton3;
    CheckBox creaini;
    Edit editini;
    SpeedButton btn_ini;

    GroupBox suiGroupBox3;
    CheckBox areasNC;
    CheckBox areasNCvideos;
    CheckBox areasNCaudio;
    Label Label5;
    NumberEdit editframe;
    SpeedButton SpeedButton4;
    Label Label3;

    GroupBox suiGroupBox5;
    CheckBox pausaresumen;
    CheckBox BorrarIsoFin;
    CheckBox ApagaWindows;
    CheckBox ReproSoundalFin;

    // Created after the two group boxes it covers when expanded.
    CollapsiblePanel PaneLotes;
    StringGrid suiStringGrid1;
    SpeedButton botonOpenLVT;
    SpeedButton BotonSaveLVT;

    Button Iniciar;
    StatusBar suiStatusBar1;

    Menu suiMainMenu1;
    MenuItem N1;
    MenuItem Asistente1;
    MenuItem N9;
    MenuItem MinimizaralTray1;
    MenuItem N3;
    MenuItem Salir1;
    MenuItem Herramientas1;
    MenuItem CrearConfiguracionDAXZISOINI1;
    MenuItem N6;
    MenuItem ConfigurarDAXZISOUSB1;
    MenuItem USBActivar;
    MenuItem USBDesactivar;
    MenuItem N7;
    MenuItem ComprobarEstado1;
    MenuItem Configuracion1;
    MenuItem SonidoalTerminar1;
    MenuItem N5;
    MenuItem Salida1;
    MenuItem DAX1;
    MenuItem ISODAX1;
    MenuItem Menucontextual1;
    MenuItem N8;
    MenuItem Restablecervalorespordefecto1;
    MenuItem Ayuda1;
    MenuItem Ayuda2;
    MenuItem Actualizar1;
    MenuItem N10;
    MenuItem Web1;
    MenuItem ListadeCompatibilidad1;
    MenuItem N2;
    MenuItem Acercade1;

    Menu suiPopupMenu1;
    MenuItem Restaurar1;
    MenuItem N4;
    MenuItem Salir2;

    TrayIcon FormTrayIcon1;

    MessageDialog MiMensaje;

    FileDialog DaxDialog;
    FileDialog IsoDialog;
    FileDialog OpenCISO;
    FileDialog SaveDialog1;
    FileDialog OpenLVT;
    FileDialog SaveLVT;
    FileDialog IniDialog;
    FileDialog DialogUSBConfig;
    FileDialog OpenSound;

  private:
    void setInitialStates();
    void bindHandlers();
    void bindModeFieldHandlers();
    void lockAreasNC(bool forced, const CheckBox& otherForce);
    // The extension of DAX output names that the input picker derives.
    std::string daxOutputExtension() const;
    void endOfRun();
    void showNoDataToDelete();
    void loadSettings();
    // The user's configuration folder exists before a settings file is written there.
    void ensureSettingsFolder(const std::string& path);
    // The daxziso.ini the user picks, proposed as the one last switched on.
    std::optional<std::string> chooseLoaderFile();
    void saveSettings();
    // The executable in quotes, a blank, and "%1" in quotes.
    std::string associationCommand() const;

    std::string programFolder_;
    std::string endSoundPath_;
    Form* configurationForm_ = nullptr;
};

}  // namespace vz
