// Measures the tools against a one-thread zlib baseline on a generated PSP-like image.
// Not a test: it prints figures.
// usage: image_bench [--size MiB] [--level N] [--repeat N] [--keep DIR]
#include <fcntl.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>
#include <zlib.h>

#include <chrono>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <functional>
#include <string>
#include <thread>
#include <vector>

#include "psp_like_image.h"

namespace {

namespace fs = std::filesystem;

struct Figures {
    double seconds = 0;
    std::uint64_t outputBytes = 0;
    long peakKiB = 0;
};

std::string selfPath() { return fs::canonical("/proc/self/exe").string(); }

// "--measure PROGRAM ARGS...": runs the program from this small, freshly started process, so
// that the peak memory reported is the program's own, and prints time and peak.
int measureMode(char** command) {
    auto start = std::chrono::steady_clock::now();
    pid_t pid = fork();
    if (pid == 0) {
        execv(command[0], command);
        _exit(127);
    }
    int status = 0;
    rusage usage{};
    wait4(pid, &status, 0, &usage);
    double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    std::printf("MEASURED %.6f %ld %d\n", seconds, usage.ru_maxrss,
                WIFEXITED(status) ? WEXITSTATUS(status) : 128);
    return 0;
}

int repeats = 3;

// Runs the command through the measuring mode; the command may print "OUTPUT n".
Figures measureOnce(const std::vector<std::string>& command) {
    std::string line = "'" + selfPath() + "' --measure";
    for (const auto& part : command) line += " '" + part + "'";
    FILE* pipe = popen(line.c_str(), "r");
    if (!pipe) throw std::runtime_error("popen");
    Figures figures;
    char text[4096];
    int code = -1;
    while (std::fgets(text, sizeof text, pipe)) {
        unsigned long long output;
        if (std::sscanf(text, "OUTPUT %llu", &output) == 1) figures.outputBytes = output;
        std::sscanf(text, "MEASURED %lf %ld %d", &figures.seconds, &figures.peakKiB, &code);
    }
    pclose(pipe);
    if (code != 0) throw std::runtime_error("failed: " + line);
    return figures;
}

// The fastest of a few runs: the machine's own noise only ever slows a run down.
Figures measure(const std::vector<std::string>& command, const fs::path& output = {}) {
    Figures best;
    for (int i = 0; i < repeats; ++i) {
        // Replacing an old output costs the file system more than writing a new one.
        if (!output.empty()) fs::remove(output);
        Figures again = measureOnce(command);
        if (i == 0 || again.seconds < best.seconds) best = again;
    }
    return best;
}

Figures measureTool(const fs::path& tool, std::vector<std::string> arguments, const fs::path& output) {
    arguments.insert(arguments.begin(), {tool.string(), "--quiet"});
    Figures figures = measure(arguments, output);
    figures.outputBytes = fs::file_size(output);
    return figures;
}

// Reads the image block by block, as a simple one-thread tool would.
void forEachBlock(const fs::path& image, std::size_t blockSize,
                  const std::function<void(const std::uint8_t*)>& use) {
    std::ifstream in(image, std::ios::binary);
    std::vector<std::uint8_t> buffer(1 << 20);
    for (;;) {
        in.read(reinterpret_cast<char*>(buffer.data()), static_cast<std::streamsize>(buffer.size()));
        std::size_t got = static_cast<std::size_t>(in.gcount());
        if (got == 0) break;
        std::memset(buffer.data() + got, 0, buffer.size() - got);
        for (std::size_t at = 0; at < got; at += blockSize) use(buffer.data() + at);
    }
}

// One thread, zlib, every block deflated: the size any CSO writer with zlib reaches.
std::uint64_t baselineCso(const fs::path& image, int level) {
    z_stream stream{};
    deflateInit2(&stream, level, Z_DEFLATED, -15, 8, Z_DEFAULT_STRATEGY);
    std::vector<std::uint8_t> out(4096);
    std::uint64_t blocks = 0;
    std::uint64_t data = 0;
    forEachBlock(image, 2048, [&](const std::uint8_t* block) {
        deflateReset(&stream);
        stream.next_in = const_cast<Bytef*>(block);
        stream.avail_in = 2048;
        stream.next_out = out.data();
        stream.avail_out = static_cast<uInt>(out.size());
        deflate(&stream, Z_FINISH);
        data += stream.total_out < 2048 ? stream.total_out : 2048;
        ++blocks;
    });
    deflateEnd(&stream);
    return 24 + 4 * (blocks + 1) + data;
}

// One thread, zlib inflate of every compressed block of a CSO file.
std::uint64_t baselineInflateCso(const fs::path& cso) {
    std::ifstream in(cso, std::ios::binary);
    std::vector<std::uint8_t> file((std::istreambuf_iterator<char>(in)), {});
    std::uint64_t size;
    std::memcpy(&size, file.data() + 8, 8);
    std::uint64_t blocks = (size + 2047) / 2048;
    auto entry = [&](std::uint64_t i) {
        std::uint32_t value;
        std::memcpy(&value, file.data() + 24 + 4 * i, 4);
        return value;
    };
    std::vector<std::uint8_t> out(2048);
    z_stream stream{};
    inflateInit2(&stream, -15);
    std::uint64_t total = 0;
    for (std::uint64_t i = 0; i < blocks; ++i) {
        std::uint32_t from = entry(i) & 0x7fffffff;
        std::uint32_t to = entry(i + 1) & 0x7fffffff;
        if (entry(i) & 0x80000000u) {
            std::memcpy(out.data(), file.data() + from, 2048);
        } else {
            inflateReset(&stream);
            stream.next_in = file.data() + from;
            stream.avail_in = to - from;
            stream.next_out = out.data();
            stream.avail_out = 2048;
            if (inflate(&stream, Z_FINISH) != Z_STREAM_END) _exit(1);
        }
        total += 2048;
    }
    inflateEnd(&stream);
    return total;
}

bool sameContent(const fs::path& a, const fs::path& b) {
    std::ifstream x(a, std::ios::binary), y(b, std::ios::binary);
    return std::equal(std::istreambuf_iterator<char>(x), {}, std::istreambuf_iterator<char>(y),
                      {});
}

void row(const char* what, const Figures& figures, std::uint64_t imageBytes,
         std::uint64_t sizeForRatio, double baselineRate) {
    double rate = static_cast<double>(imageBytes) / 1048576.0 / figures.seconds;
    std::printf("%-34s %8.1f MiB/s  x%5.2f  %10.1f MiB  %5.1f%%  %7.1f MiB peak\n", what, rate,
                rate / baselineRate, static_cast<double>(sizeForRatio) / 1048576.0,
                100.0 * static_cast<double>(sizeForRatio) / static_cast<double>(imageBytes),
                static_cast<double>(figures.peakKiB) / 1024.0);
}

}  // namespace

int main(int argc, char** argv) {
    if (argc > 2 && std::string(argv[1]) == "--measure") return measureMode(argv + 2);
    if (argc == 4 && std::string(argv[1]) == "--baseline-deflate") {
        std::printf("OUTPUT %llu\n",
                    static_cast<unsigned long long>(baselineCso(argv[2], std::stoi(argv[3]))));
        return 0;
    }
    if (argc == 3 && std::string(argv[1]) == "--baseline-inflate") {
        std::printf("OUTPUT %llu\n", static_cast<unsigned long long>(baselineInflateCso(argv[2])));
        return 0;
    }
    std::uint64_t mebibytes = 300;
    int level = 9;
    fs::path keep;
    for (int i = 1; i + 1 < argc; i += 2) {
        std::string option = argv[i];
        if (option == "--size") mebibytes = std::stoull(argv[i + 1]);
        if (option == "--level") level = std::stoi(argv[i + 1]);
        if (option == "--keep") keep = argv[i + 1];
        if (option == "--repeat") repeats = std::max(1, std::stoi(argv[i + 1]));
    }
    const fs::path tools = fs::canonical("/proc/self/exe").parent_path().parent_path() / "bin" / "kvt";
    const fs::path work = keep.empty() ? fs::temp_directory_path() / ("vz-bench-" + std::to_string(getpid())) : keep;
    fs::create_directories(work);
    const fs::path image = work / "game.iso";
    if (!fs::exists(image)) vz::bench::makePspLikeImage(work / "tree", image, mebibytes);
    const std::uint64_t imageBytes = fs::file_size(image);
    const std::string all = std::to_string(std::thread::hardware_concurrency());
    const std::string lv = std::to_string(level);
    std::printf("image %.1f MiB, level %d, %s cores\n", static_cast<double>(imageBytes) / 1048576.0,
                level, all.c_str());
    std::printf("%-34s %14s  %6s  %14s  %6s  %12s\n", "step", "speed", "ratio", "output", "size",
                "memory");

    Figures base = measure({selfPath(), "--baseline-deflate", image.string(), lv});
    double baseRate = static_cast<double>(imageBytes) / 1048576.0 / base.seconds;
    row("baseline zlib deflate, 1 thread", base, imageBytes, base.outputBytes, baseRate);

    const fs::path cso1 = work / "one.cso", csoN = work / "all.cso", back = work / "back.iso";
    Figures one = measureTool(tools / "ciso", {"--threads", "1", lv, image.string(), cso1.string()}, cso1);
    row("ciso compress, 1 worker", one, imageBytes, one.outputBytes, baseRate);
    Figures many = measureTool(tools / "ciso", {"--threads", all, lv, image.string(), csoN.string()}, csoN);
    row(("ciso compress, " + all + " workers").c_str(), many, imageBytes, many.outputBytes, baseRate);

    Figures inflateBase = measure({selfPath(), "--baseline-inflate", csoN.string()});
    double inflateRate = static_cast<double>(imageBytes) / 1048576.0 / inflateBase.seconds;
    row("baseline zlib inflate, 1 thread", inflateBase, imageBytes, imageBytes, inflateRate);
    Figures unpack = measureTool(tools / "ciso", {"0", csoN.string(), back.string()}, back);
    row(("ciso decompress, " + all + " workers").c_str(), unpack, imageBytes, unpack.outputBytes,
        inflateRate);

    std::printf("outputs identical for 1 and %s workers: %s\n", all.c_str(),
                sameContent(cso1, csoN) ? "yes" : "NO");
    std::printf("output size equals the baseline's: %s\n",
                many.outputBytes == base.outputBytes ? "yes" : "NO");
    std::printf("decompressed image equals the original: %s\n",
                sameContent(image, back) ? "yes" : "NO");
    if (keep.empty()) fs::remove_all(work);
    return 0;
}
