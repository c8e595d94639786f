// The update launcher, the compatibility list, the About box and the end sound chooser.
#include "desktop/addresses.h"
#include "platform/paths.h"
#include "platform/process.h"
#include "platform/system.h"
#include "shell/principal.h"

namespace vz {
namespace {

#ifdef _WIN32
constexpr const char* kUpdaterName = "DuRorera.exe";
#else
constexpr const char* kUpdaterName = "DuRorera";
#endif

}  // namespace

CommandLine TPrincipal::updateLine() const {
    CommandLine line;
    line.program = inProgramFolder({"update", kUpdaterName});
    // The Windows program's own name, whatever the running file is called.
    std::string executable = programFolder_ + "vortel.exe";
    line.text = line.program + " " + kProgramVersion + "\"" + executable + "\"" +
                kUpdateManifestAddress + "\"";
    line.arguments = {kProgramVersion, executable, kUpdateManifestAddress};
    return line;
}

void TPrincipal::Actualizar1Click() {
    CommandLine line = updateLine();
    if (!system.fileExists(line.program)) {
        MiMensaje.show("Actualizacion", "El modulo de actualizacion no ha sido instalado",
                       MessageIcon::Information, 1);
        return;
    }
    system.startProgram(line);
    close();
}

void TPrincipal::ListadeCompatibilidad1Click() {
    system.openAddress(kCompatibilityListAddress);
}

void TPrincipal::Acercade1Click() {
    MiMensaje.show("Acerca de Vortel Zaduvuv",
                   std::string("Vortel Zaduvuv v") + kProgramVersion +
                       "\r\nAutor: Zelbrin\r\n"
                       "Comprime y descomprime imágenes de PSP entre ISO, DAX y CSO.",
                   MessageIcon::Information, 1);
}

void TPrincipal::SonidoalTerminar1Click() {
    if (OpenSound.execute())
        endSoundPath_ = OpenSound.fileName;
}

}  // namespace vz
