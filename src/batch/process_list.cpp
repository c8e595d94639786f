// The process list: adding, deleting and clearing jobs, and showing the list controls.
#include "shell/principal.h"

namespace vz {

bool TPrincipal::listEmpty() const {
    return suiStringGrid1.cell(0, 0).empty();
}

void TPrincipal::showNoDataToDelete() {
    MiMensaje.caption = "Eliminar Datos";
    MiMensaje.icon = MessageIcon::Stop;
    MiMensaje.buttonCount = 1;
    MiMensaje.text = "No hay datos para poder borrar";
    MiMensaje.showModal();
}

void TPrincipal::addloteClick() {
    const std::string input = editiso.text();
    const std::string output = editdax.text();
    if (input.empty() || output.empty()) {
        MiMensaje.caption = "Introducir Datos";
        MiMensaje.icon = MessageIcon::Warning;
        MiMensaje.buttonCount = 1;
        MiMensaje.text =
            "Debe rellenar los datos de entrada y salida para poder agregarlo a la lista";
        MiMensaje.showModal();
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
    MiMensaje.caption = "Eliminar";
    MiMensaje.icon = MessageIcon::Stop;
    MiMensaje.buttonCount = 2;
    MiMensaje.text = "¿Desea eliminar la fila seleccionada de la lista?";
    return MiMensaje.showModal();
}

int TPrincipal::ConfirmarBorrarLista() {
    MiMensaje.caption = "Eliminar Lista";
    MiMensaje.icon = MessageIcon::Stop;
    MiMensaje.buttonCount = 2;
    MiMensaje.text = "¿Desea eliminar todos los datos de la lista?";
    return MiMensaje.showModal();
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
