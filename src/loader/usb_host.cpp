// The loader plug-in's USB host mode, switched in its daxziso.ini, and the menu command that
// writes a loader configuration file.
#include "platform/host.h"
#include "platform/paths.h"
#include "platform/profile.h"
#include "shell/principal.h"

namespace vz {
namespace {

constexpr const char* kRemembered = "RutaUSB";

}  // namespace

std::optional<std::string> TPrincipal::chooseLoaderFile() {
    DialogUSBConfig.fileName =
        readProfileString(settingsPath(), "CONFIGURACION", kRemembered, "daxziso.ini");
    if (!DialogUSBConfig.execute())
        return std::nullopt;
    return DialogUSBConfig.fileName;
}

void TPrincipal::USBActivarClick() {
    auto path = chooseLoaderFile();
    if (!path)
        return;
    writeProfileString(*path, "HOST", "driver", " \"ms0:/DAXZISO/usbhostfs.prx\"");
    writeProfileString(*path, "HOST", "name", " \"USBHostFSDriver\"");
    writeProfileString(*path, "HOST", "type", " USB");
    const std::string settings = settingsPath();
    ensureSettingsFolder(settings);
    writeProfileString(settings, "CONFIGURACION", kRemembered, *path);
}

void TPrincipal::USBDesactivarClick() {
    auto path = chooseLoaderFile();
    if (!path)
        return;
    writeProfileString(*path, "HOST", "driver", " null");
    writeProfileString(*path, "HOST", "name", " null");
    writeProfileString(*path, "HOST", "type", " USB");
}

void TPrincipal::ComprobarEstado1Click() {
    auto path = chooseLoaderFile();
    if (!path)
        return;
    std::string name = readProfileString(*path, "HOST", "name", " null");
    const char* state = name == "null"              ? "DESACTIVADO"
                        : name == "USBHostFSDriver" ? "ACTIVADO"
                                                    : nullptr;
    if (!state)
        return;
    MiMensaje.show("Estado USB",
                   std::string("Configuracion DAX ZISO Para Via USB\r\n\r\nESTADO: ") + state,
                   MessageIcon::Information, 1);
}

void TPrincipal::CrearConfiguracionDAXZISOINI1Click() {
    IniDialog.fileName = namePart(editini.text());
    if (IniDialog.execute()) {
        editini.setText(IniDialog.fileName);
        if (configurationForm_)
            host.showModal(*configurationForm_);
    }
    editini.setText("");
}

}  // namespace vz
