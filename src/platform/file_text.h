// Whole-file reads and all-or-nothing replacement, with the error texts the user sees.
#pragma once

#include <optional>
#include <string>

namespace vz {

// The file's bytes; an Error naming the file and the system's reason when it cannot be read.
std::string readWholeFile(const std::string& path);
// The same, or nothing when there is no such file.
std::optional<std::string> readFileIfPresent(const std::string& path);
// Writes a sibling file and renames it over `path`, so the old content stays until the new
// one is complete; an Error naming the file and the reason when that fails.
void replaceFile(const std::string& path, const std::string& content);

}  // namespace vz
