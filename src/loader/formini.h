// The loader plug-in configuration window: the user's picks, and the file written from them.
#pragma once

#include <string>

#include "platform/controls.h"

namespace vz {

// The values recomputed at every "OK" and kept for the whole run.
struct LoaderValues {
    std::string mode;
    std::string usebootbin;
    std::string f0emu;
    std::string f1emu;
    std::string override_;
    std::string allocatetables;
    std::string game;
    std::string video;
    std::string audio;
};

class Tformini : public Form {
  public:
    // `configurationPath` is the main window's field the file is written to.
    explicit Tformini(const Edit& configurationPath);

    void botoniniClick();
    void Creararchivoini(const std::string& path);
    void combocpuspeedKeyPress(char& key);
    // The file's bytes for the current picks and remembered values.
    std::string configurationText() const;

    RadioGroup bootGroup;
    RadioGroup regionGroup;
    RadioGroup flash0Group;
    RadioGroup flash1Group;
    RadioGroup tablesGroup;

    Label Label1;
    ComboBox combocpuspeed;
    Label Label2;
    ComboBox combomode;
    Label Label3;
    ComboBox comboiso;
    Label Label4;
    ComboBox comboumd;
    Label Label5;
    ComboBox comboupdater;
    Label Label6;
    RadioButton radiobootON;
    RadioButton radiobootOFF;
    Label Label7;
    RadioButton radioregionON;
    RadioButton radioregionOFF;
    Label Label8;
    ComboBox comborgame;
    Label Label9;
    ComboBox comborvideo;
    Label Label10;
    ComboBox comboraudio;
    Label Label11;
    RadioButton radiofl0ON;
    RadioButton radiofl0OFF;
    Label Label12;
    RadioButton radiofl1ON;
    RadioButton radiofl1OFF;
    Label Label13;
    RadioButton radiotablesON;
    RadioButton radiotablesOFF;
    Button botonini;

  private:
    const Edit& configurationPath_;
    LoaderValues remembered_;
};

}  // namespace vz
