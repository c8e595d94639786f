#include "batch/list_file.h"

#include <algorithm>

#include "platform/controls.h"
#include "platform/file_text.h"
#include "platform/host.h"
#include "shell/principal.h"

namespace vz {

std::string listFileText(const StringGrid& grid) {
    std::string text;
    for (int row = 0; row < grid.rowCount(); ++row) {
        for (int column = 0; column < 2; ++column) {
            text += grid.cell(column, row);
            text += "\r\n";
        }
    }
    return text;
}

std::vector<std::string> listFileLines(const std::string& text) {
    std::vector<std::string> lines;
    std::size_t start = 0;
    while (start < text.size()) {
        std::size_t end = text.find_first_of("\r\n", start);
        if (end == std::string::npos) {
            lines.push_back(text.substr(start));
            break;
        }
        lines.push_back(text.substr(start, end - start));
        start = end + (text[end] == '\r' && end + 1 < text.size() && text[end + 1] == '\n' ? 2 : 1);
    }
    return lines;
}

void fillGrid(StringGrid& grid, const std::vector<std::string>& lines) {
    grid.setRowCount(static_cast<int>(std::min<std::size_t>(lines.size() / 2, 1 << 30)));
    for (std::size_t i = 0; i < lines.size(); ++i) {
        int row = static_cast<int>(i / 2);
        if (row >= grid.rowCount())
            break;  // the unpaired last line of an odd file
        grid.setCell(static_cast<int>(i % 2), row, lines[i]);
    }
}

void TPrincipal::CargarLista(const std::string& path) {
    fillGrid(suiStringGrid1, listFileLines(readWholeFile(path)));
}

void TPrincipal::botonOpenLVTClick() {
    if (OpenLVT.execute())
        CargarLista(OpenLVT.fileName);
    usarlotes.setChecked(true);
}

void TPrincipal::BotonSaveLVTClick() {
    if (listEmpty()) {
        MiMensaje.show("Lista de Procesos", "La lista de procesos esta vacia", MessageIcon::Stop,
                       1);
        return;
    }
    if (!SaveLVT.execute())
        return;
    replaceFile(SaveLVT.fileName, listFileText(suiStringGrid1));
}

}  // namespace vz
