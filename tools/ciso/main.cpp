// ciso LEVEL IN OUT: level 1-9 compresses an ISO image into a CSO image, 0 decompresses.
#include <chrono>
#include <cstdio>
#include <string>
#include <vector>

#include "image/console.h"
#include "image/cso.h"
#include "image/file_io.h"
#include "image/tool_error.h"

namespace {

using namespace vz::image;

constexpr const char* kUsage =
    "usage: ciso [--threads N] [--quiet] [--progress] LEVEL IN OUT\n"
    "  LEVEL 1-9  compress the ISO image IN into the CSO image OUT (zlib level)\n"
    "  LEVEL 0    decompress the CSO image IN into the ISO image OUT\n"
    "  --threads N  worker threads (default: one per core)\n"
    "  --quiet      print nothing but errors\n"
    "  --progress   show the progress line even when not on a terminal\n"
    "exit status: 0 done, 1 bad usage, 2 unreadable or corrupt input, 3 output not written\n";

void run(const std::vector<std::string>& arguments) {
    CommonOptions common;
    std::vector<std::string> positional;
    for (std::size_t i = 0; i < arguments.size(); ++i) {
        const std::string& argument = arguments[i];
        if (argument == "--help" || argument == "-h") {
            std::fputs(kUsage, stdout);
            return;
        }
        auto next = [&]() -> const char* {
            return i + 1 < arguments.size() ? arguments[++i].c_str() : nullptr;
        };
        if (takeCommonOption(argument, next, common))
            continue;
        if (argument.rfind("--", 0) == 0)
            throw usageError("unknown option " + argument);
        positional.push_back(argument);
    }
    if (positional.size() != 3)
        throw usageError(std::string("expected LEVEL IN OUT\n") + kUsage);
    const std::string& level = positional[0];
    if (level.size() != 1 || level[0] < '0' || level[0] > '9') {
        throw usageError("LEVEL must be a number from 0 to 9, not '" + level + "'");
    }
    const std::string& input = positional[1];
    const std::string& output = positional[2];

    auto started = std::chrono::steady_clock::now();
    FileSource source(input);
    refuseSameFile(input, output);
    OutputFile sink(output);
    ProgressLine progress(progressWanted(common));
    ConversionOptions options;
    options.threads = workerCount(common);
    options.progress = [&](std::uint64_t done, std::uint64_t total) {
        progress.update(done, total);
    };
    ConversionStats stats = level == "0" ? decompressCso(source, sink, options)
                                         : compressToCso(source, sink, level[0] - '0', options);
    sink.commit();
    progress.finish();
    double seconds =
        std::chrono::duration<double>(std::chrono::steady_clock::now() - started).count();
    if (!common.quiet)
        std::fputs(summaryText(input, output, stats, seconds, "blocks", "stored").c_str(), stdout);
}

}  // namespace

int main(int argc, char** argv) {
    return runTool("ciso", [&] { run(commandArguments(argc, argv)); });
}
