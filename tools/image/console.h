// What the two tools share on the console: options, the progress line, the summary, and
// turning errors into one line and an exit code.
#pragma once

#include <chrono>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "image/conversion.h"

namespace vz::image {

// The options both tools take besides their own.
struct CommonOptions {
    unsigned threads = 0;  // 0: one per core
    bool quiet = false;
    bool progress = false;  // force the progress line even when not on a terminal
};

// The tool's arguments. On Windows the command line is read again: the window writes the
// tool's path unquoted, so a folder with blanks would otherwise split into extra arguments.
std::vector<std::string> commandArguments(int argc, char** argv);
// Splits the text after the program path by the C runtime's rules for quotes and backslashes.
std::vector<std::string> splitWindowsArguments(const std::string& text);

// Takes --threads N, --threads=N, --quiet and --progress out of the arguments; true when
// `argument` was one of them. `next` yields the following argument for "--threads N".
bool takeCommonOption(const std::string& argument, const std::function<const char*()>& next,
                      CommonOptions& options);
unsigned workerCount(const CommonOptions& options);

// One line on the terminal, rewritten at most ten times a second.
class ProgressLine {
  public:
    explicit ProgressLine(bool enabled);
    void update(std::uint64_t done, std::uint64_t total);
    void finish();

  private:
    bool enabled_;
    bool shown_ = false;
    std::chrono::steady_clock::time_point start_;
    std::chrono::steady_clock::time_point last_;
};

bool progressWanted(const CommonOptions& options);
bool stdinIsTerminal();

// The closing summary of a conversion.
// blockWord names the units ("blocks", "frames"), storedWord those kept uncompressed.
std::string summaryText(const std::string& input, const std::string& output,
                        const ConversionStats& stats, double seconds, const char* blockWord,
                        const char* storedWord);

// Runs the tool's body and turns an escaping error into "tool: message" and its exit code.
int runTool(const char* tool, const std::function<void()>& body);

}  // namespace vz::image
