#include "loader/formini.h"

namespace vz {

Tformini::Tformini() : Form("Tformini", " :: Archivo de Configuracion .INI", 274, 374) {}

}  // namespace vz
