#include "image/console.h"

#include <unistd.h>

#include <cstdio>
#include <exception>
#include <new>
#include <thread>

#include "image/tool_error.h"

namespace vz::image {

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

std::string mebibytes(std::uint64_t bytes) {
    char text[32];
    std::snprintf(text, sizeof text, "%.1f MiB", static_cast<double>(bytes) / 1048576.0);
    return text;
}

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
