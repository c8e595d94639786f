// The settings file: read once while the window is created, written at every close, and
// deleted by the reset to defaults.
#include <cstdlib>
#include <optional>

#include "platform/host.h"
#include "platform/profile.h"
#include "platform/system.h"
#include "shell/principal.h"

namespace vz {
namespace {

constexpr const char* kSettingsName = "vortelcfg.ini";
constexpr const char* kMain = "CONFIGURACION";
constexpr const char* kExtras = "XTRAS";

// Decimal with a sign, or hexadecimal after "$" or "0x"; nothing for anything else.
std::optional<long long> integerOf(const std::string& text) {
    if (text.empty())
        return std::nullopt;
    std::size_t at = 0;
    bool negative = false;
    if (text[0] == '-' || text[0] == '+') {
        negative = text[0] == '-';
        at = 1;
    }
    int base = 10;
    if (text.compare(at, 1, "$") == 0) {
        base = 16;
        at += 1;
    } else if (text.size() > at + 2 &&
               (text.compare(at, 2, "0x") == 0 || text.compare(at, 2, "0X") == 0)) {
        base = 16;
        at += 2;
    }
    if (at >= text.size())
        return std::nullopt;
    long long value = 0;
    for (; at < text.size(); ++at) {
        int digit;
        char c = text[at];
        if (c >= '0' && c <= '9') {
            digit = c - '0';
        } else if (base == 16 && c >= 'a' && c <= 'f') {
            digit = c - 'a' + 10;
        } else if (base == 16 && c >= 'A' && c <= 'F') {
            digit = c - 'A' + 10;
        } else {
            return std::nullopt;
        }
        value = value * base + digit;
        if (value > 0xffffffffLL)
            return std::nullopt;
    }
    value = negative ? -value : value;
    if (base == 10 && (value > 2147483647LL || value < -2147483648LL))
        return std::nullopt;
    // Hexadecimal fills 32 bits, as the system's conversion does.
    if (base == 16 && value > 2147483647LL)
        value -= 0x100000000LL;
    return value;
}

}  // namespace

std::string TPrincipal::settingsPath() const {
    if (system.folderWritable(programFolder_))
        return programFolder_ + kSettingsName;
    return system.userConfigFolder() + kSettingsName;
}

void TPrincipal::ensureSettingsFolder(const std::string& path) {
    if (path != programFolder_ + kSettingsName) {
        system.createFolders(system.userConfigFolder());
    }
}

void TPrincipal::loadSettings() {
    // Decided once: on Windows every decision probes the folder with a file.
    const std::string path = settingsPath();
    if (!system.fileExists(path)) {
        Menucontextual1Click();  // first run: register the associations
        return;
    }
    auto readSettingsInteger = [&](const char* section, const char* key, int fallback) {
        auto value = integerOf(readProfileString(path, section, key, ""));
        return value ? static_cast<int>(*value) : fallback;
    };
    auto readSettingsBoolean = [&](const char* section, const char* key, bool fallback) {
        return readSettingsInteger(section, key, fallback ? 1 : 0) != 0;
    };
    formatodax.setChecked(readSettingsBoolean(kMain, "FormatoDAX", true));
    formatocso.setChecked(readSettingsBoolean(kMain, "FormatoCSO", false));
    suiComboBox1.setText(std::to_string(readSettingsInteger(kMain, "NivelCompresion", 0)));
    areasNC.setChecked(readSettingsBoolean(kMain, "UsoNC", true));
    areasNCvideos.setChecked(readSettingsBoolean(kMain, "NCvideos", false));
    areasNCaudio.setChecked(readSettingsBoolean(kMain, "NCaudio", false));
    editframe.setText(std::to_string(readSettingsInteger(kMain, "FrameNC", 8192)));
    pausaresumen.setChecked(readSettingsBoolean(kMain, "VerResumen", true));
    Menucontextual1.setChecked(readSettingsBoolean(kMain, "MenuContextual", true));
    DAX1.setChecked(readSettingsBoolean(kMain, "ExtensionDAX", true));
    ISODAX1.setChecked(readSettingsBoolean(kMain, "ExtensionISODAX", false));
    BorrarIsoFin.setChecked(readSettingsBoolean(kMain, "BorrarIso", false));
    ApagaWindows.setChecked(readSettingsBoolean(kMain, "ApagaWin", false));
    ReproSoundalFin.setChecked(readSettingsBoolean(kExtras, "ReproSoundFin", false));
    endSoundPath_ =
        readProfileString(path, kExtras, "SonidoFin", inProgramFolder({"xtras", "convfin.wav"}));
}

void TPrincipal::saveSettings() {
    auto strictInteger = [](const std::string& text) {
        auto value = integerOf(text);
        if (!value)
            throw Error("'" + text + "' is not a valid integer value");
        return std::to_string(*value);
    };
    const std::string path = settingsPath();
    ensureSettingsFolder(path);
    auto write = [&](const char* section, const char* key, const std::string& value) {
        writeProfileString(path, section, key, value);
    };
    auto flag = [](bool on) { return std::string(on ? "1" : "0"); };
    write(kMain, "NivelCompresion", strictInteger(suiComboBox1.text()));
    write(kMain, "UsoNC", flag(areasNC.checked()));
    write(kMain, "NCvideos", flag(areasNCvideos.checked()));
    write(kMain, "NCaudio", flag(areasNCaudio.checked()));
    write(kMain, "FrameNC", strictInteger(editframe.text()));
    write(kMain, "VerResumen", flag(pausaresumen.checked()));
    write(kMain, "MenuContextual", flag(Menucontextual1.checked()));
    write(kMain, "ExtensionDAX", flag(DAX1.checked()));
    write(kMain, "ExtensionISODAX", flag(ISODAX1.checked()));
    write(kMain, "BorrarIso", flag(BorrarIsoFin.checked()));
    write(kMain, "ApagaWin", flag(ApagaWindows.checked()));
    write(kMain, "FormatoDAX", flag(formatodax.checked()));
    write(kMain, "FormatoCSO", flag(formatocso.checked()));
    write(kExtras, "ReproSoundFin", flag(ReproSoundalFin.checked()));
    write(kExtras, "SonidoFin", endSoundPath_);
}

void TPrincipal::FormClose() {
    try {
        saveSettings();
    } catch (const ProfileWriteError& error) {
        // A folder that cannot be written must not trap the user: say so, and close.
        host.reportError(error.what());
    }
}

void TPrincipal::Restablecervalorespordefecto1Click() {
    system.deleteFile(settingsPath());
    mcom.click();
    suiComboBox1.setText("0");
    usarlotes.setChecked(false);
    areasNC.setChecked(true);
    areasNCvideos.setChecked(false);
    areasNCaudio.setChecked(false);
    pausaresumen.setChecked(true);
    editframe.setText("8192");
    DAX1Click();
    BorrarIsoFin.setChecked(false);
    ApagaWindows.setChecked(false);
    endSoundPath_ = inProgramFolder({"xtras", "convfin.wav"});
}

}  // namespace vz
