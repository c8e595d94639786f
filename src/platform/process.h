// Starting a console tool and waiting for it.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace vz {

// A tool's command line: the program by its full path, the arguments it receives, and the
// one-string text of the line. The program is always started by its path and the argument
// list as they are, never by re-reading the text, so no path is searched for or re-split.
struct CommandLine {
    std::string program;
    std::vector<std::string> arguments;
    std::string text;
    bool operator==(const CommandLine&) const = default;
};

inline constexpr std::uint16_t kShowNormal = 1;

// Runs the tool and blocks until it ends; its exit code, or -1 when it cannot be started.
int EjecutarYEsperar(const CommandLine& line, std::uint16_t showMode);

}  // namespace vz
