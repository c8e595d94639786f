// The name rules every derived path follows: where the final component starts, which dot
// starts an extension, and the separator to join with.
#pragma once

#include <initializer_list>
#include <string>
#include <string_view>

namespace vz {

struct PathRules {
    std::string_view componentEnds;  // characters that end a path component
    char separator;                  // the one to write when joining
};

inline constexpr PathRules kWindowsPaths{"\\/:", '\\'};
inline constexpr PathRules kPosixPaths{"/", '/'};
#ifdef _WIN32
inline constexpr PathRules kNativePaths = kWindowsPaths;
#else
inline constexpr PathRules kNativePaths = kPosixPaths;
#endif

// Everything after the last separator.
std::string namePart(std::string_view path, const PathRules& rules = kNativePaths);
// Everything up to and including the last separator; empty when there is none.
std::string folderPart(std::string_view path, const PathRules& rules = kNativePaths);
// From the last dot of the final component, the dot included; empty when it has none.
std::string extensionOf(std::string_view path, const PathRules& rules = kNativePaths);
// Replaces the extension of the final component, or appends one when it has none.
std::string changeExtension(std::string_view path, std::string_view extension,
                            const PathRules& rules = kNativePaths);
// Joins relative components with the separator: relativePath({"kvt", "ciso"}) is "kvt/ciso".
std::string relativePath(std::initializer_list<std::string_view> components,
                         const PathRules& rules = kNativePaths);

}  // namespace vz
