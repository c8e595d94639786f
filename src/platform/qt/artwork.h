// Our own drawings: the logo, the button glyphs and the tray icon.
#pragma once

#include <QIcon>
#include <QPixmap>

#include "platform/controls.h"

namespace vz {

QPixmap logoPixmap(int size);
QIcon glyphIcon(Glyph glyph);
QIcon applicationIcon();
QIcon trayButtonIcon();

}  // namespace vz
