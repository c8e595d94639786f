// The program's file associations on freedesktop desktops: a desktop entry that opens ISO,
// DAX, CSO and list files, with the three verbs as its actions, and MIME types for the
// extensions the system does not know.
#pragma once

#include <string>

namespace vz {

// $XDG_DATA_HOME, or ~/.local/share.
std::string xdgDataHome();
void registerXdgFileTypes(const std::string& dataHome, const std::string& executable);
// Removes exactly what registering added, and the caches generated only for it.
void unregisterXdgFileTypes(const std::string& dataHome);
// The Exec value that starts the program with one file.
std::string desktopExecLine(const std::string& executable);

}  // namespace vz
