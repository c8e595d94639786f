// The file handed to the program at start becomes a ready-made job or list.
#include <cctype>

#include "platform/paths.h"
#include "platform/system.h"
#include "shell/principal.h"

namespace vz {

void TPrincipal::AbrirArchivo(const std::string& path) {
    if (!system.fileExists(path))
        return;
    std::string extension = extensionOf(path);
    for (char& c : extension) {
        if (c >= 'a' && c <= 'z')
            c = static_cast<char>(c - 'a' + 'A');
    }
    if (extension == ".DAX") {
        formatodax.setChecked(true);
        mdesClick();
        mdes.setChecked(true);
        editiso.setText(path);
        editdax.setText(changeExtension(editiso.text(), ".iso"));
        editini.setText(changeExtension(editiso.text(), ".ini"));
    } else if (extension == ".ISO") {
        editiso.setText(path);
        editdax.setText(changeExtension(editiso.text(), ".dax"));
        editlog.setText(changeExtension(editiso.text(), ".txt"));
        editini.setText(changeExtension(editiso.text(), ".ini"));
    } else if (extension == ".LVT") {
        usarlotes.setChecked(true);
        CargarLista(path);
    } else if (extension == ".CSO") {
        formatocso.setChecked(true);
        mdes.setChecked(true);
        editiso.setText(path);
        editdax.setText(changeExtension(editiso.text(), ".iso"));
    }
}

}  // namespace vz
