#include "loader/formini.h"

#include "platform/file_text.h"
#include "platform/profile.h"

namespace vz {
namespace {

constexpr int rowTop(int row) {
    return 12 + 24 * row;
}
constexpr Bounds label(int row) {
    return {10, rowTop(row) + 3, 122, 17};
}
constexpr Bounds field(int row) {
    return {136, rowTop(row), 128, 21};
}
constexpr Bounds on(int row) {
    return {136, rowTop(row) + 2, 56, 17};
}
constexpr Bounds off(int row) {
    return {200, rowTop(row) + 2, 56, 17};
}

struct ModeRow {
    const char* caption;
    const char* value;
};

constexpr ModeRow kModes[] = {
    {"Off", "OFF"},
    {"System Menu", "SYSTEMMENU"},
    {"Direct Load", "DIRECTLOAD"},
    {"Copy Load", "COPYLOAD"},
    {"MPHGL Direct", "MPHGL"},
    {"UMDEmulator", "ORIGINALUME"},
    {"MPHGL System", "SYSTEMMENUMPHGL"},
    {"MPHGL VSHExec", "VSHEXECMPHGL"},
    {"Direct LoadExec", "DIRECTLOADEXEC"},
    {"MPHGL LoadExec", "MPHGLOADEXEC"},
    {"RUNUMD LoadExec", "RUNUMDLOADEXEC"},
    {"RUNUMD System", "SYSTEMMENURUNUMD"},
    {"RUNUMD Direct", "RUNUMD"},
};

// Only the ASCII letters change.
std::string upper(std::string text) {
    for (char& c : text) {
        if (c >= 'a' && c <= 'z')
            c = static_cast<char>(c - 'a' + 'A');
    }
    return text;
}

std::string trueFalse(const RadioButton& on) {
    return on.checked() ? "true" : "false";
}

std::string region(const ComboBox& combo) {
    return combo.text() == "regionfree" ? "FREE" : upper(combo.text());
}

}  // namespace

Tformini::Tformini(const Edit& configurationPath)
    : Form("Tformini", " :: Archivo de Configuracion .INI", 274, 374),
      Label1(*this, "Label1", label(0)),
      combocpuspeed(*this, "combocpuspeed", field(0)),
      Label2(*this, "Label2", label(1)),
      combomode(*this, "combomode", field(1)),
      Label3(*this, "Label3", label(2)),
      comboiso(*this, "comboiso", field(2)),
      Label4(*this, "Label4", label(3)),
      comboumd(*this, "comboumd", field(3)),
      Label5(*this, "Label5", label(4)),
      comboupdater(*this, "comboupdater", field(4)),
      Label6(*this, "Label6", label(5)),
      radiobootON(*this, "radiobootON", on(5), bootGroup),
      radiobootOFF(*this, "radiobootOFF", off(5), bootGroup),
      Label7(*this, "Label7", label(6)),
      radioregionON(*this, "radioregionON", on(6), regionGroup),
      radioregionOFF(*this, "radioregionOFF", off(6), regionGroup),
      Label8(*this, "Label8", label(7)),
      comborgame(*this, "comborgame", field(7)),
      Label9(*this, "Label9", label(8)),
      comborvideo(*this, "comborvideo", field(8)),
      Label10(*this, "Label10", label(9)),
      comboraudio(*this, "comboraudio", field(9)),
      Label11(*this, "Label11", label(10)),
      radiofl0ON(*this, "radiofl0ON", on(10), flash0Group),
      radiofl0OFF(*this, "radiofl0OFF", off(10), flash0Group),
      Label12(*this, "Label12", label(11)),
      radiofl1ON(*this, "radiofl1ON", on(11), flash1Group),
      radiofl1OFF(*this, "radiofl1OFF", off(11), flash1Group),
      Label13(*this, "Label13", label(12)),
      radiotablesON(*this, "radiotablesON", on(12), tablesGroup),
      radiotablesOFF(*this, "radiotablesOFF", off(12), tablesGroup),
      botonini(*this, "botonini", {100, rowTop(13) + 8, 75, 25}),
      configurationPath_(configurationPath) {
    const char* captions[] = {"CPU/BUS speed:",       "Emulation mode:",   "Disctype ISO:",
                              "Disctype UMD:",        "Updater icon:",     "Use boot.bin",
                              "Regioncode override:", "Regioncode game:",  "Regioncode video:",
                              "Regioncode audio:",    "Flash0 emulation:", "Flash1 emulation:",
                              "Allocate tables:"};
    Label* labels[] = {&Label1, &Label2, &Label3,  &Label4,  &Label5,  &Label6, &Label7,
                       &Label8, &Label9, &Label10, &Label11, &Label12, &Label13};
    for (int i = 0; i < 13; ++i)
        labels[i]->setCaption(captions[i]);

    combocpuspeed.setItems({"222/111 MHz", "266/133 MHz", "333/166 MHz"});
    combocpuspeed.setItemIndex(2);
    std::vector<std::string> modes;
    for (const ModeRow& row : kModes)
        modes.push_back(row.caption);
    combomode.setItems(modes);
    combomode.setItemIndex(2);
    for (ComboBox* disc : {&comboiso, &comboumd}) {
        disc->setItems({"game", "video", "audio"});
        disc->setItemIndex(0);
    }
    comboupdater.setItems({"remove", "original", "memstick"});
    comboupdater.setText("remove");
    for (ComboBox* code : {&comborgame, &comborvideo, &comboraudio}) {
        code->setItems({"regionfree", "japan", "america", "europe"});
        code->setItemIndex(0);
    }
    for (ComboBox* combo : {&combocpuspeed, &combomode, &comboiso, &comboumd, &comboupdater,
                            &comborgame, &comborvideo, &comboraudio}) {
        combo->setDropDownCount(static_cast<int>(combo->items().size()));
        combo->onKeyPress = [this](char& key) { combocpuspeedKeyPress(key); };
    }
    for (RadioButton* button :
         {&radiobootON, &radioregionON, &radiofl0ON, &radiofl1ON, &radiotablesON}) {
        button->setCaption("ON");
    }
    for (RadioButton* button :
         {&radiobootOFF, &radioregionOFF, &radiofl0OFF, &radiofl1OFF, &radiotablesOFF}) {
        button->setCaption("OFF");
        button->setChecked(true);
    }
    botonini.setCaption("OK");
    botonini.onClick = [this] { botoniniClick(); };
}

void Tformini::combocpuspeedKeyPress(char& key) {
    key = '\0';
}

void Tformini::botoniniClick() {
    for (const ModeRow& row : kModes) {
        if (combomode.text() == row.caption) {
            remembered_.mode = row.value;
            break;
        }
    }
    remembered_.usebootbin = trueFalse(radiobootON);
    remembered_.f0emu = trueFalse(radiofl0ON);
    remembered_.f1emu = trueFalse(radiofl1ON);
    remembered_.override_ = trueFalse(radioregionON);
    remembered_.allocatetables = trueFalse(radiotablesON);
    remembered_.game = region(comborgame);
    remembered_.video = region(comborvideo);
    remembered_.audio = region(comboraudio);
    Creararchivoini(configurationPath_.text());
    close();
}

std::string Tformini::configurationText() const {
    // Entries as the profile functions would add them to a fresh file holding the header.
    std::string text = "####### Vortel Zaduvuv generated file #######\r\n\r\n";
    auto add = [&](const char* section, const char* key, const std::string& value) {
        text = writeProfileText(text, section, key, " " + value);
    };
    const LoaderValues& v = remembered_;
    add("EMULATION", "\r\nmode", v.mode);
    add("EMULATION", "f0emu", v.f0emu);
    add("EMULATION", "f1emu", v.f1emu);
    add("EMULATION", "usebootbin", v.usebootbin + "\r\n");
    add("DISCTYPE", "\r\niso", upper(comboiso.text()));
    add("DISCTYPE", "umd", upper(comboumd.text()) + "\r\n");
    add("REGION", "\r\noverride", v.override_);
    add("REGION", "game", v.game);
    add("REGION", "video", v.video);
    add("REGION", "audio", v.audio + "\r\n");
    add("MISC", "\r\nspeed", combocpuspeed.text().substr(0, 3));
    add("MISC", "updateicon", upper(comboupdater.text()));
    add("MISC", "allocatetables", v.allocatetables);
    return text;
}

void Tformini::Creararchivoini(const std::string& path) {
    // The whole file first, then one replacement: a failure keeps the old configuration.
    replaceFile(path, configurationText());
}

}  // namespace vz
