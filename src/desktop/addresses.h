// The program's two web addresses, kept in one place.
#pragma once

namespace vz {

// Handed to the update module, which fetches it; the program never reads it.
inline constexpr const char* kUpdateManifestAddress =
    "https://vortelzaduvuv.example/actualizaciones/vortel.ezm";
inline constexpr const char* kCompatibilityListAddress =
    "https://vortelzaduvuv.example/compatibilidad/";

}  // namespace vz
