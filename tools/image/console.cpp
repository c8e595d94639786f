#include "image/console.h"

#ifdef _WIN32
#include <io.h>
#include <windows.h>
#define isatty _isatty
#define STDIN_FILENO 0
#define STDERR_FILENO 2
#else
#include <unistd.h>
#endif

#include <cstdio>
#include <exception>
#include <new>
#include <thread>

#include "image/tool_error.h"

namespace vz::image {

std::vector<std::string> splitWindowsArguments(const std::string& text) {
    std::vector<std::string> arguments;
    std::size_t at = 0;
    while (true) {
        while (at < text.size() && (text[at] == ' ' || text[at] == '\t'))
            ++at;
        if (at >= text.size())
            break;
        std::string argument;
        bool quoted = false;
        while (at < text.size() && (quoted || (text[at] != ' ' && text[at] != '\t'))) {
            std::size_t slashes = 0;
            while (at < text.size() && text[at] == '\\') {
                ++slashes;
                ++at;
            }
            if (at < text.size() && text[at] == '"') {
                argument.append(slashes / 2, '\\');
                if (slashes % 2 == 1) {
                    argument += '"';
                } else if (quoted && at + 1 < text.size() && text[at + 1] == '"') {
                    argument += '"';  // "" inside quotes is one quote
                    ++at;
                } else {
                    quoted = !quoted;
                }
                ++at;
            } else {
                argument.append(slashes, '\\');
                if (at < text.size() && (quoted || (text[at] != ' ' && text[at] != '\t'))) {
                    argument += text[at++];
                }
            }
        }
        arguments.push_back(argument);
    }
    return arguments;
}

std::vector<std::string> commandArguments(int argc, char** argv) {
#ifdef _WIN32
    std::string line = GetCommandLineA();
    char module[MAX_PATH * 4];
    DWORD length = GetModuleFileNameA(nullptr, module, sizeof module);
    std::string self(module, length);
    // The program's own path, unquoted as the window writes it, or quoted, or as argv[0].
    std::size_t skip = 0;
    if (!line.empty() && line[0] == '"') {
        std::size_t close = line.find('"', 1);
        skip = close == std::string::npos ? line.size() : close + 1;
    } else if (line.size() >= self.size() &&
               CompareStringA(LOCALE_INVARIANT, NORM_IGNORECASE, line.c_str(),
                              static_cast<int>(self.size()), self.c_str(),
                              static_cast<int>(self.size())) == CSTR_EQUAL) {
        skip = self.size();
    } else {
        skip = line.find_first_of(" \t");
        if (skip == std::string::npos)
            skip = line.size();
    }
    (void)argc;
    (void)argv;
    return splitWindowsArguments(line.substr(skip));
#else
    return std::vector<std::string>(argv + 1, argv + argc);
#endif
}

bool takeCommonOption(const std::string& argument, const std::function<const char*()>& next,
                      CommonOptions& options) {
    if (argument == "--quiet") {
        options.quiet = true;
    } else if (argument == "--progress") {
        options.progress = true;
    } else if (argument == "--threads" || argument.rfind("--threads=", 0) == 0) {
        std::string value;
        if (argument == "--threads") {
            const char* following = next();
            if (!following)
                throw usageError("--threads needs a number");
            value = following;
        } else {
            value = argument.substr(10);
        }
        if (value.empty() || value.size() > 3 ||
            value.find_first_not_of("0123456789") != std::string::npos || std::stoi(value) < 1) {
            throw usageError("--threads takes a number from 1 to 999, not '" + value + "'");
        }
        options.threads = static_cast<unsigned>(std::stoi(value));
    } else {
        return false;
    }
    return true;
}

unsigned workerCount(const CommonOptions& options) {
    if (options.threads != 0)
        return options.threads;
    unsigned cores = std::thread::hardware_concurrency();
    return cores == 0 ? 1 : cores;
}

bool stdinIsTerminal() {
    return isatty(STDIN_FILENO);
}

bool progressWanted(const CommonOptions& options) {
    return !options.quiet && (options.progress || isatty(STDERR_FILENO));
}

ProgressLine::ProgressLine(bool enabled)
    : enabled_(enabled), start_(std::chrono::steady_clock::now()), last_(start_) {}

void ProgressLine::update(std::uint64_t done, std::uint64_t total) {
    if (!enabled_)
        return;
    auto now = std::chrono::steady_clock::now();
    if (shown_ && now - last_ < std::chrono::milliseconds(100) && done < total)
        return;
    last_ = now;
    shown_ = true;
    double seconds = std::chrono::duration<double>(now - start_).count();
    double rate = seconds > 0 ? static_cast<double>(done) / seconds : 0;
    double percent = total ? 100.0 * static_cast<double>(done) / static_cast<double>(total) : 100;
    long left = rate > 0 ? static_cast<long>(static_cast<double>(total - done) / rate + 0.5) : 0;
    std::fprintf(stderr, "\r%5.1f%%  %7.1f MiB/s  %ld:%02ld left ", percent, rate / 1048576.0,
                 left / 60, left % 60);
    std::fflush(stderr);
}

void ProgressLine::finish() {
    if (!shown_)
        return;
    std::fprintf(stderr, "\r%*s\r", 40, "");
    std::fflush(stderr);
}

namespace {

std::string mebibytes(std::uint64_t bytes) {
    char text[32];
    std::snprintf(text, sizeof text, "%.1f MiB", static_cast<double>(bytes) / 1048576.0);
    return text;
}

}  // namespace

std::string summaryText(const std::string& input, const std::string& output,
                        const ConversionStats& stats, double seconds, const char* blockWord,
                        const char* storedWord) {
    double ratio = stats.inputBytes ? 100.0 * static_cast<double>(stats.outputBytes) /
                                          static_cast<double>(stats.inputBytes)
                                    : 100.0;
    std::uint64_t larger = std::max(stats.inputBytes, stats.outputBytes);
    double rate = seconds > 0 ? static_cast<double>(larger) / 1048576.0 / seconds : 0;
    char text[512];
    std::snprintf(text, sizeof text,
                  "%s -> %s\n  input %s, output %s (%.1f%%), %llu %s, %llu %s, %.2f s, "
                  "%.1f MiB/s\n",
                  input.c_str(), output.c_str(), mebibytes(stats.inputBytes).c_str(),
                  mebibytes(stats.outputBytes).c_str(), ratio,
                  static_cast<unsigned long long>(stats.blocks), blockWord,
                  static_cast<unsigned long long>(stats.storedBlocks), storedWord, seconds, rate);
    return text;
}

int runTool(const char* tool, const std::function<void()>& body) {
    try {
        body();
        return static_cast<int>(ExitCode::Done);
    } catch (const ToolError& error) {
        std::fprintf(stderr, "%s: %s\n", tool, error.what());
        return static_cast<int>(error.code());
    } catch (const std::bad_alloc&) {
        std::fprintf(stderr, "%s: out of memory\n", tool);
    } catch (const std::exception& error) {
        std::fprintf(stderr, "%s: %s\n", tool, error.what());
    }
    return static_cast<int>(ExitCode::BadInput);
}

}  // namespace vz::image
