// The command lines of the two tools, built piece by piece as the window defines them.
#pragma once

#include <optional>
#include <string>

#include "platform/process.h"

namespace vz {

// The option pieces of a daxcr line; each is empty or starts with one blank.
struct DaxOptionPieces {
    std::string level;
    std::string frame;
    std::string video;
    std::string audio;
};

DaxOptionPieces daxOptionPieces(const std::string& levelText, bool areasNC,
                                const std::string& frameText, bool video, bool audio);
// " 0" to decompress; otherwise " 9" for an empty level, " 6" for "0", else the level.
std::string csoLevelPiece(bool decompress, const std::string& levelText);

// The tools' paths in the program folder.
std::string daxcrPath(const std::string& programFolder);
std::string cisoPath(const std::string& programFolder);

struct DaxMainLine {
    bool wait = false;
    bool decompress = false;
    DaxOptionPieces options;
    std::string input;
    std::string output;
    std::optional<std::string> log;  // the log path, when a log is asked for
};

// daxcr compressing or decompressing, the main step of every DAX job.
CommandLine daxMainLine(const std::string& programFolder, const DaxMainLine& line);
// ciso with its level piece, the main step of every CSO job.
CommandLine cisoMainLine(const std::string& programFolder, const std::string& levelPiece,
                         const std::string& input, const std::string& output);
// The first step of a conversion to DAX: the CSO input unpacked into the temporary ISO.
CommandLine cisoUnpackLine(const std::string& programFolder, const std::string& input,
                           const std::string& temporaryIso);
// The first step of a conversion to CSO: the DAX input unpacked into the temporary ISO.
CommandLine daxUnpackLine(const std::string& programFolder, const std::string& input,
                          const std::string& temporaryIso);

}  // namespace vz
