// The program's one light look, the same in every form.
#pragma once

class QApplication;

namespace vz {

void applyLightStyle(QApplication& application);

}  // namespace vz
