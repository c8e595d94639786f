// The context-menu commands for ".iso", ".dax", ".cso" and ".lvt" files.
#include "platform/registry.h"
#include "platform/system.h"
#include "shell/principal.h"

namespace vz {
namespace {

constexpr const char* kExtensions[] = {".dax", ".iso", ".lvt", ".cso"};
constexpr const char* kOwnTypes[] = {"Vortel.Zaduvuv", "Vortel.DesZaduvuv", "Vortel.Listado"};

struct NewType {
    const char* progId;
    const char* description;
};

NewType newTypeFor(const std::string& extension) {
    if (extension == ".dax")
        return {"Vortel.DesZaduvuv", "Imagen DAX"};
    if (extension == ".lvt")
        return {"Vortel.Listado", "Lista Procesos Vortel Zaduvuv"};
    if (extension == ".cso")
        return {"Vortel.DesZaduvuv", "Imagen CISO"};
    return {"Vortel.Zaduvuv", "Imagen ISO"};
}

// The verb caption; a list file type of another program gets a lower-case "con".
std::string verbCaption(const std::string& extension, bool created) {
    if (extension == ".dax" || extension == ".cso")
        return "&Descomprimir con Vortel";
    if (extension == ".lvt")
        return created ? "&Listar Con Vortel" : "&Listar con Vortel";
    return "&Comprimir con Vortel";
}

}  // namespace

std::string TPrincipal::associationCommand() const {
    return "\"" + system.executablePath() + "\" \"%1\"";
}

void TPrincipal::Menucontextual1Click() {
    bool registered = Menucontextual1.checked();
    for (const char* extension : kExtensions) {
        if (registered) {
            DesasociarExtension(extension);
        } else {
            AsociarExtension(extension);
        }
    }
    if (registered) {
        system.unregisterDesktopFileTypes();
    } else {
        system.registerDesktopFileTypes(system.executablePath());
    }
    Menucontextual1.setChecked(!registered);
}

void TPrincipal::AsociarExtension(const std::string& extension) {
    Registry& registry = system.classesRoot();
    if (!registry.createKey(extension))
        return;
    std::string progId = registry.readDefault(extension);
    if (progId.empty()) {
        NewType type = newTypeFor(extension);
        CrearTipoArchivo(extension, type.progId, type.description);
        return;
    }
    std::string verb = progId + "\\Shell\\Convert";
    if (registry.createKey(verb))
        registry.writeDefault(verb, verbCaption(extension, false));
    if (registry.createKey(verb + "\\Command")) {
        registry.writeDefault(verb + "\\Command", associationCommand());
    }
}

void TPrincipal::CrearTipoArchivo(const std::string& extension, const std::string& progId,
                                  const std::string& description) {
    Registry& registry = system.classesRoot();
    // No key is checked here: a refused write is an error that ends the toggle.
    auto write = [&](const std::string& key, const std::string& value) {
        registry.createKey(key);
        registry.writeDefault(key, value);
    };
    write(extension, progId);
    write(progId, description);
    write(progId + "\\DefaultIcon", system.executablePath() + ",0");
    write(progId + "\\Shell\\Convert", verbCaption(extension, true));
    write(progId + "\\Shell\\Convert\\Command", associationCommand());
    system.notifyAssociationsChanged();
}

void TPrincipal::DesasociarExtension(const std::string& extension) {
    Registry& registry = system.classesRoot();
    if (!registry.keyExists(extension))
        return;
    std::string progId = registry.readDefault(extension);
    for (const char* own : kOwnTypes) {
        if (progId == own)
            registry.writeDefault(extension, "");
    }
    if (!progId.empty())
        registry.deleteTree(progId + "\\Shell\\Convert");
    for (const char* key :
         {"Vortel.Zaduvuv", "Vortel.DesZaduvuv", "Applications\\Vortel.exe", "Vortel.Listado"}) {
        registry.deleteTree(key);
    }
}

}  // namespace vz
