// daxcr [-w] [-d] [-lN] [-aN] [-v] [-s] IN OUT [LOG]: ISO to DAX, or with -d DAX to ISO.
#include <chrono>
#include <cstdio>
#include <optional>
#include <string>
#include <vector>

#include "daxcr/report.h"
#include "image/console.h"
#include "image/dax.h"
#include "image/file_io.h"
#include "image/media_files.h"
#include "image/tool_error.h"

namespace {

using namespace vz::image;

constexpr const char* kUsage =
    "usage: daxcr [-w] [-d] [-lN] [-aN] [-v] [-s] [--threads N] [--quiet] [--progress] IN OUT "
    "[LOG]\n"
    "  compress the ISO image IN into the DAX image OUT; with -d decompress a DAX image\n"
    "  -lN  zlib level 1-9; -l0 means the default level 6\n"
    "  -aN  NC areas: frames that compress to more than N bytes are kept raw (default and\n"
    "       largest 8192; 0 keeps every frame raw)\n"
    "  -v   keep the frames of video files (PSMF) raw;  -s  the same for audio files (.AT3)\n"
    "  -w   wait for Enter at the end (only on a terminal)\n"
    "  LOG  write a report of the run there (an empty LOG writes none)\n"
    "exit status: 0 done, 1 bad usage, 2 unreadable or corrupt input, 3 output not written\n";

struct Arguments {
    CommonOptions common;
    bool help = false;
    bool wait = false;
    bool decompress = false;
    int level = 6;
    std::optional<std::uint32_t> threshold;
    bool video = false;
    bool audio = false;
    std::string input;
    std::string output;
    std::string log;
};

bool digits(const std::string& text) {
    return !text.empty() && text.size() <= 9 &&
           text.find_first_not_of("0123456789") == std::string::npos;
}

// -w is looked for first, so that even a bad call waits when asked to.
Arguments parse(const std::vector<std::string>& arguments, bool& wait) {
    Arguments args;
    std::vector<std::string> positional;
    for (std::size_t i = 0; i < arguments.size(); ++i) {
        const std::string& a = arguments[i];
        auto next = [&]() -> const char* {
            return i + 1 < arguments.size() ? arguments[++i].c_str() : nullptr;
        };
        if (!positional.empty()) {
            positional.push_back(a);
        } else if (a == "--help" || a == "-h") {
            args.help = true;
        } else if (takeCommonOption(a, next, args.common)) {
        } else if (a == "-w") {
            args.wait = wait = true;
        } else if (a == "-d") {
            args.decompress = true;
        } else if (a == "-v") {
            args.video = true;
        } else if (a == "-s") {
            args.audio = true;
        } else if (a.rfind("-l", 0) == 0) {
            std::string value = a.substr(2);
            if (value.size() != 1 || !digits(value)) {
                throw usageError("the level -lN takes a number from 0 to 9, not '" + value + "'");
            }
            args.level = value == "0" ? 6 : value[0] - '0';
        } else if (a.rfind("-a", 0) == 0) {
            std::string value = a.substr(2);
            if (!value.empty() && !digits(value)) {
                throw usageError("-aN takes a number of bytes, not '" + value + "'");
            }
            std::uint64_t bytes = value.empty() ? kDaxFrameSize : std::stoull(value);
            args.threshold =
                static_cast<std::uint32_t>(std::min<std::uint64_t>(bytes, kDaxFrameSize));
        } else if (a.size() > 1 && a[0] == '-') {
            throw usageError("unknown option " + a);
        } else {
            positional.push_back(a);
        }
    }
    if (args.help)
        return args;
    if (positional.size() < 2 || positional.size() > 3) {
        throw usageError(std::string("expected IN OUT [LOG]\n") + kUsage);
    }
    args.input = positional[0];
    args.output = positional[1];
    if (positional.size() == 3)
        args.log = positional[2];
    return args;
}

// The image takes its name first, then the report.
void finish(OutputFile& image, std::optional<OutputFile>& log, RunReport& report,
            std::chrono::steady_clock::time_point started) {
    report.seconds =
        std::chrono::duration<double>(std::chrono::steady_clock::now() - started).count();
    if (log) {
        std::string text = reportText(report);
        log->write(std::span(reinterpret_cast<const std::uint8_t*>(text.data()), text.size()));
    }
    image.commit();
    if (log)
        log->commit();
}

void run(const Arguments& args) {
    if (args.help) {
        std::fputs(kUsage, stdout);
        return;
    }
    auto started = std::chrono::steady_clock::now();
    FileSource source(args.input);
    refuseSameFile(args.input, args.output);
    if (!args.log.empty()) {
        refuseSameFile(args.input, args.log);
        refuseSameFile(args.output, args.log);
        if (args.log == args.output)
            throw usageError("the log and the output are the same file");
    }
    // A log that cannot be created fails the run before any work, and leaves nothing behind.
    std::optional<OutputFile> log;
    if (!args.log.empty())
        log.emplace(args.log);
    ProgressLine progress(progressWanted(args.common));
    ConversionOptions options;
    options.threads = workerCount(args.common);
    options.progress = [&](std::uint64_t done, std::uint64_t total) {
        progress.update(done, total);
    };

    RunReport report;
    report.input = args.input;
    report.output = args.output;
    report.level = args.level;
    report.decompress = args.decompress;
    if (args.decompress) {
        OutputFile sink(args.output);
        report.stats = decompressDax(source, sink, options);
        finish(sink, log, report, started);
    } else {
        DaxCompressOptions dax;
        dax.level = args.level;
        dax.threshold = args.threshold;
        if (args.video || args.audio) {
            try {
                report.mediaFiles = findMediaFiles(source, args.video, args.audio);
            } catch (const ToolError& error) {
                std::fprintf(stderr, "daxcr: %s; -v and -s are ignored\n", error.what());
            }
            dax.forced = framesOf(report.mediaFiles, kDaxFrameSize);
        }
        DaxResult result = compressToDax(
            source, [&] { return std::make_unique<OutputFile>(args.output); }, dax, options);
        report.stats = result.stats;
        report.areas = result.areas;
        finish(static_cast<OutputFile&>(*result.sink), log, report, started);
    }
    progress.finish();
    if (!args.common.quiet) {
        std::fputs(
            summaryText(args.input, args.output, report.stats, report.seconds, "frames", "NC")
                .c_str(),
            stdout);
    }
}

}  // namespace

int main(int argc, char** argv) {
    bool wait = false;
    int code = runTool("daxcr", [&] { run(parse(commandArguments(argc, argv), wait)); });
    if (wait && stdinIsTerminal()) {
        std::fputs("Pulse Intro para terminar...", stdout);
        std::fflush(stdout);
        for (int c = std::getchar(); c != '\n' && c != EOF; c = std::getchar()) {
        }
    }
    return code;
}
