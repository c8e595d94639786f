// How the mode, format, NC-area and path controls react to each other, and the file pickers
// that fill the path fields.
#include "platform/paths.h"
#include "shell/principal.h"

namespace vz {

void TPrincipal::bindModeFieldHandlers() {
    mcom.onClick = [this] { mcomClick(); };
    mdes.onClick = [this] { mdesClick(); };
    mtrans.onClick = [this] { mtransClick(); };
    formatodax.onClick = [this] { formatodaxClick(); };
    formatocso.onClick = [this] { formatocsoClick(); };
    areasNC.onClick = [this] { areasNCClick(); };
    areasNCvideos.onClick = [this] { areasNCvideosClick(); };
    areasNCaudio.onClick = [this] { areasNCaudioClick(); };
    crealog.onClick = [this] { crealogClick(); };
    creaini.onClick = [this] { creainiClick(); };
    suiComboBox1.onKeyPress = [this](char& key) { suiComboBox1KeyPress(key); };
    editframe.onKeyPress = [this](char& key) { suiComboBox1KeyPress(key); };
    SpeedButton1.onClick = [this] { SpeedButton1Click(); };
    SpeedButton2.onClick = [this] { SpeedButton2Click(); };
    SpeedButton3.onClick = [this] { SpeedButton3Click(); };
    SpeedButton4.onClick = [this] { SpeedButton4Click(); };
    DAX1.onClick = [this] { DAX1Click(); };
    ISODAX1.onClick = [this] { ISODAX1Click(); };
}

Mode TPrincipal::mode() const {
    if (mdes.checked())
        return Mode::Descomprimir;
    if (mtrans.checked())
        return Mode::Conversion;
    return Mode::Comprimir;
}

Format TPrincipal::format() const {
    if (formatodax.checked())
        return Format::Dax;
    if (formatocso.checked())
        return Format::Cso;
    return Format::None;
}

void TPrincipal::mcomClick() {
    for (Edit* field : {&editiso, &editdax, &editlog, &editini})
        field->setText("");
    suiComboBox1.setEnabled(true);
    if (formatodax.checked()) {
        Label1.setCaption("Entrada (Archivo ISO):");
        Label2.setCaption("Salida (Archivo DAX):");
        mtrans.setCaption(".CSO -> .DAX");
        crealog.setEnabled(true);
        creaini.setEnabled(true);
        if (areasNC.checked()) {
            Label5.setEnabled(true);
            editframe.setEnabled(true);
        }
        areasNC.setEnabled(true);
        areasNCvideos.setEnabled(true);
        areasNCaudio.setEnabled(true);
        if (crealog.checked()) {
            editlog.setEnabled(true);
            SpeedButton3.setEnabled(true);
        }
        if (creaini.checked()) {
            editini.setEnabled(true);
            btn_ini.setEnabled(true);
        }
    } else {
        Label1.setCaption("Entrada (Archivo ISO):");
        Label2.setCaption("Salida (Archivo CSO):");
        mtrans.setCaption(".DAX -> .CSO");
        for (Control* control : std::initializer_list<Control*>{
                 &areasNC, &areasNCvideos, &areasNCaudio, &editframe, &Label5}) {
            control->setEnabled(false);
        }
        creaini.setEnabled(false);
        creaini.setChecked(false);
        editini.setEnabled(false);
        btn_ini.setEnabled(false);
        crealog.setEnabled(false);
        crealog.setChecked(false);
        editlog.setEnabled(false);
        SpeedButton3.setEnabled(false);
    }
    BorrarIsoFin.setCaption("Borrar .ISO");
}

void TPrincipal::mdesClick() {
    for (Edit* field : {&editiso, &editdax, &editlog, &editini})
        field->setText("");
    for (Control* control : std::initializer_list<Control*>{
             &suiComboBox1, &crealog, &editlog, &SpeedButton3, &creaini, &editini, &btn_ini,
             &areasNC, &areasNCvideos, &areasNCaudio, &Label5, &editframe}) {
        control->setEnabled(false);
    }
    bool dax = formatodax.checked();
    Label1.setCaption(dax ? "Entrada (Archivo DAX):" : "Entrada (Archivo CSO):");
    Label2.setCaption("Salida (Archivo ISO):");
    BorrarIsoFin.setCaption(dax ? "Borrar .DAX" : "Borrar .CSO");
}

void TPrincipal::mtransClick() {
    mcomClick();
    bool dax = formatodax.checked();
    Label1.setCaption(dax ? "Entrada (Archivo CSO):" : "Entrada (Archivo DAX):");
    BorrarIsoFin.setCaption(dax ? "Borrar .CSO" : "Borrar .DAX");
}

void TPrincipal::formatodaxClick() {
    // Unchecking runs nothing; checking mcom then enters Comprimir with the new format.
    for (RadioButton* button : {&mcom, &mdes, &mtrans})
        button->setChecked(false);
    mcom.setChecked(true);
}

void TPrincipal::formatocsoClick() {
    formatodaxClick();
}

void TPrincipal::areasNCClick() {
    Label5.setEnabled(areasNC.checked());
    editframe.setEnabled(areasNC.checked());
}

void TPrincipal::lockAreasNC(bool forced, const CheckBox& otherForce) {
    if (forced) {
        areasNC.setChecked(true);
        areasNC.setEnabled(false);
    } else if (!otherForce.checked()) {
        areasNC.setEnabled(true);
    }
}

void TPrincipal::areasNCvideosClick() {
    lockAreasNC(areasNCvideos.checked(), areasNCaudio);
}

void TPrincipal::areasNCaudioClick() {
    lockAreasNC(areasNCaudio.checked(), areasNCvideos);
}

void TPrincipal::crealogClick() {
    editlog.setEnabled(crealog.checked());
    SpeedButton3.setEnabled(crealog.checked());
}

void TPrincipal::creainiClick() {
    editini.setEnabled(creaini.checked());
    btn_ini.setEnabled(creaini.checked());
}

void TPrincipal::suiComboBox1KeyPress(char& key) {
    if (key < '0' || key > '9')
        key = '\0';
}

std::string TPrincipal::daxOutputExtension() const {
    return ISODAX1.checked() ? ".iso.dax" : ".dax";
}

void TPrincipal::SpeedButton1Click() {
    Format chosen = format();
    if (chosen == Format::None)
        return;
    bool dax = chosen == Format::Dax;
    FileDialog* dialog = nullptr;
    switch (mode()) {
        case Mode::Comprimir:
            dialog = &IsoDialog;
            break;
        case Mode::Descomprimir:
            dialog = dax ? &DaxDialog : &OpenCISO;
            break;
        case Mode::Conversion:
            dialog = dax ? &OpenCISO : &DaxDialog;
            break;
    }
    if (!dialog->execute())
        return;
    editiso.setText(dialog->fileName);
    const std::string& input = editiso.text();
    if (mode() == Mode::Descomprimir) {
        editdax.setText(changeExtension(input, ".iso"));
    } else if (dax) {
        editdax.setText(changeExtension(input, daxOutputExtension()));
        editlog.setText(changeExtension(input, ".txt"));
        editini.setText(changeExtension(input, ".ini"));
    } else {
        editdax.setText(changeExtension(input, ".cso"));
    }
}

void TPrincipal::SpeedButton2Click() {
    Format chosen = format();
    if (chosen == Format::None)
        return;
    bool dax = chosen == Format::Dax;
    Mode current = mode();
    FileDialog& dialog = current == Mode::Descomprimir ? IsoDialog : (dax ? DaxDialog : OpenCISO);
    if (current == Mode::Comprimir)
        dialog.fileName = namePart(editdax.text());
    if (dialog.execute())
        editdax.setText(dialog.fileName);
}

void TPrincipal::SpeedButton3Click() {
    SaveDialog1.fileName = namePart(editlog.text());
    if (SaveDialog1.execute())
        editlog.setText(SaveDialog1.fileName);
}

void TPrincipal::SpeedButton4Click() {
    MiMensaje.show(
        "Areas NC Frame Informacion",
        "Por defecto tiene el valor 8192 bytes, los frames que no se comprimen ni un sólo byte "
        "seran areas NC y el tamaño del archivo no variara. Si especificas un número inferior a "
        "8192, el tamaño del archivo aumentara, y el tiempo de carga disminuira.",
        MessageIcon::Help, 1);
}

void TPrincipal::DAX1Click() {
    DAX1.setChecked(true);
    ISODAX1.setChecked(false);
}

void TPrincipal::ISODAX1Click() {
    DAX1.setChecked(false);
    ISODAX1.setChecked(true);
}

}  // namespace vz
