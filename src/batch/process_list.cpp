// The process list: adding, deleting and clearing jobs, and showing the list controls.
#include "shell/principal.h"

namespace vz {

bool TPrincipal::listEmpty() const {
    return suiStringGrid1.cell(0, 0).empty();
}

void TPrincipal::showNoDataToDelete() {
    MiMensaje.show("Eliminar Datos", "No hay datos para poder borrar", MessageIcon::Stop, 1);
}

void TPrincipal::addloteClick() {
    const std::string input = editiso.text();
    const std::string output = editdax.text();
    if (input.empty() || output.empty()) {
        MiMensaje.show(
            "Introducir Datos",
            "Debe rellenar los datos de entrada y salida para poder agregarlo a la lista",
            MessageIcon::Warning, 1);
        return;
    }
    int target = listEmpty() ? 0 : suiStringGrid1.rowCount();
    if (target >= suiStringGrid1.rowCount())
        suiStringGrid1.setRowCount(target + 1);
    suiStringGrid1.setCell(0, target, input);
    suiStringGrid1.setCell(1, target, output);
    suiStringGrid1.setRowCount(target + 1);
    for (Edit* field : {&editiso, &editdax, &editlog, &editini})
        field->setText("");
}

int TPrincipal::ConfirmarBorrarFila() {
    return MiMensaje.show("Eliminar", "¿Desea eliminar la fila seleccionada de la lista?",
                          MessageIcon::Stop, 2);
}

int TPrincipal::ConfirmarBorrarLista() {
    return MiMensaje.show("Eliminar Lista", "¿Desea eliminar todos los datos de la lista?",
                          MessageIcon::Stop, 2);
}

void TPrincipal::deloteClick() {
    if (listEmpty()) {
        showNoDataToDelete();
        return;
    }
    if (ConfirmarBorrarFila() != 1)
        return;
    StringGrid& grid = suiStringGrid1;
    if (grid.rowCount() == 1) {
        grid.setCell(0, 0, "");
        grid.setCell(1, 0, "");
        return;
    }
    for (int row = grid.row(); row <= grid.rowCount() - 2; ++row) {
        grid.setCell(0, row, grid.cell(0, row + 1));
        grid.setCell(1, row, grid.cell(1, row + 1));
    }
    grid.setRowCount(grid.rowCount() - 1);
}

void TPrincipal::detoloteClick() {
    if (listEmpty()) {
        showNoDataToDelete();
        return;
    }
    if (ConfirmarBorrarLista() != 1)
        return;
    suiStringGrid1.setRowCount(1);
    suiStringGrid1.setCell(0, 0, "");
    suiStringGrid1.setCell(1, 0, "");
}

void TPrincipal::usarlotesClick() {
    bool shown = usarlotes.checked();
    for (Button* button : {&addlote, &delote, &detolote})
        button->setVisible(shown);
    PaneLotes.setCollapsed(!shown);
    if (shown) {
        pausaresumen.setChecked(false);
        pausaresumen.setEnabled(false);
        pausaresumen.setCaptionColour(CaptionColour::GrayText);
        return;
    }
    if (listEmpty()) {
        pausaresumen.setChecked(true);
        pausaresumen.setEnabled(true);
    }
    pausaresumen.setCaptionColour(CaptionColour::WindowText);
}

}  // namespace vz
