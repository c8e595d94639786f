#include <unistd.h>

#include <cstdlib>
#include <filesystem>

#include "platform/file_text.h"
#include "platform/process.h"
#include "platform/xdg_file_types.h"

namespace vz {
namespace {

namespace fs = std::filesystem;

constexpr const char* kEntryName = "vortel-zaduvuv.desktop";
constexpr const char* kMimeName = "vortel-zaduvuv.xml";
constexpr const char* kMimeTypes =
    "application/x-cd-image;application/x-iso9660-image;application/x-dax-image;"
    "application/x-compressed-iso;application/x-vortel-list;";

// The argument quoted for an Exec key, then escaped as a desktop-entry string.
std::string execArgument(const std::string& argument) {
    std::string quoted = "\"";
    for (char c : argument) {
        if (c == '"' || c == '`' || c == '$' || c == '\\')
            quoted += '\\';
        quoted += c == '%' ? std::string("%%") : std::string(1, c);
    }
    quoted += '"';
    std::string escaped;
    for (char c : quoted)
        escaped += c == '\\' ? std::string("\\\\") : std::string(1, c);
    return escaped;
}

std::string desktopEntry(const std::string& executable) {
    std::string exec = desktopExecLine(executable);
    std::string text =
        "[Desktop Entry]\n"
        "Type=Application\n"
        "Version=1.0\n"
        "Name=Vortel Zaduvuv\n"
        "GenericName=Conversor de imágenes PSP\n"
        "Comment=Comprime y descomprime imágenes de discos PSP: ISO, DAX y CSO\n"
        "Exec=" +
        exec +
        "\n"
        "Terminal=false\n"
        "Categories=Utility;Archiving;\n"
        "MimeType=" +
        kMimeTypes +
        "\n"
        "Actions=Comprimir;Descomprimir;Listar;\n";
    for (const char* action : {"Comprimir", "Descomprimir", "Listar"}) {
        std::string name = std::string(action) == "Listar" ? "Listar Con Vortel"
                                                           : std::string(action) + " con Vortel";
        text += "\n[Desktop Action " + std::string(action) + "]\nName=" + name + "\nExec=" + exec +
                "\n";
    }
    return text;
}

std::string mimePackage() {
    std::string text =
        "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
        "<mime-info xmlns=\"http://www.freedesktop.org/standards/shared-mime-info\">\n";
    struct Type {
        const char* name;
        const char* comment;
        const char* glob;
    };
    for (const Type& type :
         {Type{"application/x-dax-image", "Imagen DAX", "*.dax"},
          Type{"application/x-compressed-iso", "Imagen CISO", "*.cso"},
          Type{"application/x-vortel-list", "Lista Procesos Vortel Zaduvuv", "*.lvt"}}) {
        text += std::string("  <mime-type type=\"") + type.name + "\">\n    <comment>" +
                type.comment + "</comment>\n    <glob pattern=\"" + type.glob +
                "\"/>\n  </mime-type>\n";
    }
    return text + "</mime-info>\n";
}

// Runs a database tool of the desktop when it is installed.
void refresh(const char* tool, const fs::path& folder) {
    for (const char* bin : {"/usr/bin/", "/usr/local/bin/"}) {
        std::string program = std::string(bin) + tool;
        if (access(program.c_str(), X_OK) == 0) {
            EjecutarYEsperar({program, {folder.string()}, program + " " + folder.string()},
                             kShowNormal);
            return;
        }
    }
}

bool holdsAny(const fs::path& folder, const std::string& extension) {
    std::error_code error;
    for (const auto& entry : fs::directory_iterator(folder, error)) {
        if (entry.path().extension() == extension)
            return true;
    }
    return false;
}

void removeIfEmpty(const fs::path& folder) {
    std::error_code error;
    if (fs::is_directory(folder, error) && fs::is_empty(folder, error))
        fs::remove(folder, error);
}

}  // namespace

std::string xdgDataHome() {
    if (const char* data = std::getenv("XDG_DATA_HOME"); data && *data)
        return data;
    const char* home = std::getenv("HOME");
    return std::string(home ? home : "") + "/.local/share";
}

std::string desktopExecLine(const std::string& executable) {
    return execArgument(executable) + " %f";
}

void registerXdgFileTypes(const std::string& dataHome, const std::string& executable) {
    fs::path applications = fs::path(dataHome) / "applications";
    fs::path packages = fs::path(dataHome) / "mime" / "packages";
    fs::create_directories(applications);
    fs::create_directories(packages);
    replaceFile((packages / kMimeName).string(), mimePackage());
    replaceFile((applications / kEntryName).string(), desktopEntry(executable));
    refresh("update-mime-database", fs::path(dataHome) / "mime");
    refresh("update-desktop-database", applications);
}

void unregisterXdgFileTypes(const std::string& dataHome) {
    fs::path applications = fs::path(dataHome) / "applications";
    fs::path mime = fs::path(dataHome) / "mime";
    std::error_code error;
    fs::remove(applications / kEntryName, error);
    fs::remove(mime / "packages" / kMimeName, error);
    // The user's MIME folder holds its packages and what was generated from them: with no
    // package left, all of it is stale.
    if (holdsAny(mime / "packages", ".xml")) {
        refresh("update-mime-database", mime);
    } else {
        fs::remove_all(mime, error);
    }
    if (holdsAny(applications, ".desktop")) {
        refresh("update-desktop-database", applications);
    } else {
        fs::remove(applications / "mimeinfo.cache", error);
        removeIfEmpty(applications);
    }
}

}  // namespace vz
