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

std::string selfPath() {
    return fs::canonical("/proc/self/exe").string();
}

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
    double seconds =
        std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    std::printf("MEASURED %.6f %ld %d\n", seconds, usage.ru_maxrss,
                WIFEXITED(status) ? WEXITSTATUS(status) : 128);
    return 0;
}

int repeats = 3;

// Runs the command through the measuring mode; the command may print "OUTPUT n".
Figures measureOnce(const std::vector<std::string>& command) {
    std::string line = "'" + selfPath() + "' --measure";
    for (const auto& part : command)
        line += " '" + part + "'";
    FILE* pipe = popen(line.c_str(), "r");
    if (!pipe)
        throw std::runtime_error("popen");
    Figures figures;
    char text[4096];
    int code = -1;
    while (std::fgets(text, sizeof text, pipe)) {
        unsigned long long output;
        if (std::sscanf(text, "OUTPUT %llu", &output) == 1)
            figures.outputBytes = output;
        std::sscanf(text, "MEASURED %lf %ld %d", &figures.seconds, &figures.peakKiB, &code);
    }
    pclose(pipe);
    if (code != 0)
        throw std::runtime_error("failed: " + line);
    return figures;
}

// One measured step: a command, the file it writes (removed before each run, since
// replacing an old output costs the file system more than writing a new one), and the step
// whose speed is its baseline.
struct Step {
    std::string label;
    std::vector<std::string> command;
    fs::path output;
    int baseline;  // index of the baseline step; itself for a baseline
    Figures best;
};

// Runs every step once per round, in order, and keeps each step's fastest run: the
// machine's own noise only ever slows a run down, and interleaving spreads any drift
// over baselines and tools alike.
void runRounds(std::vector<Step>& steps) {
    for (int round = 0; round < repeats; ++round) {
        for (Step& step : steps) {
            if (!step.output.empty())
                fs::remove(step.output);
            Figures figures = measureOnce(step.command);
            if (!step.output.empty())
                figures.outputBytes = fs::file_size(step.output);
            if (round == 0 || figures.seconds < step.best.seconds)
                step.best = figures;
        }
    }
}

// Reads the image block by block, as a simple one-thread tool would.
void forEachBlock(const fs::path& image, std::size_t blockSize,
                  const std::function<void(const std::uint8_t*)>& use) {
    std::ifstream in(image, std::ios::binary);
    std::vector<std::uint8_t> buffer(1 << 20);
    for (;;) {
        in.read(reinterpret_cast<char*>(buffer.data()),
                static_cast<std::streamsize>(buffer.size()));
        std::size_t got = static_cast<std::size_t>(in.gcount());
        if (got == 0)
            break;
        std::memset(buffer.data() + got, 0, buffer.size() - got);
        for (std::size_t at = 0; at < got; at += blockSize)
            use(buffer.data() + at);
    }
}

// One thread, zlib, every block deflated: the size any writer with zlib reaches. CSO: raw
// 2048-byte blocks, stored when not smaller; DAX: 8192-byte zlib frames.
std::uint64_t baselineDeflate(const fs::path& image, int level, bool dax) {
    const std::size_t blockSize = dax ? 8192 : 2048;
    z_stream stream{};
    deflateInit2(&stream, level, Z_DEFLATED, dax ? 15 : -15, 8, Z_DEFAULT_STRATEGY);
    std::vector<std::uint8_t> out(2 * blockSize);
    std::uint64_t blocks = 0;
    std::uint64_t data = 0;
    const std::uint64_t size = fs::file_size(image);
    forEachBlock(image, blockSize, [&](const std::uint8_t* block) {
        std::uint64_t left = size - blocks * blockSize;
        deflateReset(&stream);
        stream.next_in = const_cast<Bytef*>(block);
        stream.avail_in = static_cast<uInt>(dax && left < blockSize ? left : blockSize);
        stream.next_out = out.data();
        stream.avail_out = static_cast<uInt>(out.size());
        deflate(&stream, Z_FINISH);
        data += dax ? stream.total_out : std::min<std::uint64_t>(stream.total_out, blockSize);
        ++blocks;
    });
    deflateEnd(&stream);
    return dax ? 32 + 6 * blocks + data : 24 + 4 * (blocks + 1) + data;
}

// One thread, zlib inflate of every frame of a DAX file without NC areas.
std::uint64_t baselineInflateDax(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::vector<std::uint8_t> file((std::istreambuf_iterator<char>(in)), {});
    std::uint32_t size;
    std::memcpy(&size, file.data() + 4, 4);
    std::uint64_t frames = (size + 8191) / 8192;
    std::vector<std::uint8_t> out(8192);
    z_stream stream{};
    inflateInit(&stream);
    for (std::uint64_t i = 0; i < frames; ++i) {
        std::uint32_t offset;
        std::uint16_t length;
        std::memcpy(&offset, file.data() + 32 + 4 * i, 4);
        std::memcpy(&length, file.data() + 32 + 4 * frames + 2 * i, 2);
        inflateReset(&stream);
        stream.next_in = file.data() + offset;
        stream.avail_in = length;
        stream.next_out = out.data();
        stream.avail_out = 8192;
        if (inflate(&stream, Z_FINISH) != Z_STREAM_END)
            _exit(1);
    }
    inflateEnd(&stream);
    return size;
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
            if (inflate(&stream, Z_FINISH) != Z_STREAM_END)
                _exit(1);
        }
        total += 2048;
    }
    inflateEnd(&stream);
    return total;
}

bool sameContent(const fs::path& a, const fs::path& b) {
    std::ifstream x(a, std::ios::binary), y(b, std::ios::binary);
    return std::equal(std::istreambuf_iterator<char>(x), {}, std::istreambuf_iterator<char>(y), {});
}

void row(const char* what, const Figures& figures, std::uint64_t imageBytes,
         std::uint64_t sizeForRatio, double baselineRate) {
    double rate = static_cast<double>(imageBytes) / 1048576.0 / figures.seconds;
    std::printf("%-36s %8.1f MiB/s  x%5.2f  %10.1f MiB  %5.1f%%  %7.1f MiB peak\n", what, rate,
                rate / baselineRate, static_cast<double>(sizeForRatio) / 1048576.0,
                100.0 * static_cast<double>(sizeForRatio) / static_cast<double>(imageBytes),
                static_cast<double>(figures.peakKiB) / 1024.0);
}

}  // namespace

int main(int argc, char** argv) {
    if (argc > 2 && std::string(argv[1]) == "--measure")
        return measureMode(argv + 2);
    if (argc == 5 && std::string(argv[1]) == "--baseline-deflate") {
        bool dax = std::string(argv[4]) == "dax";
        std::printf("OUTPUT %llu\n", static_cast<unsigned long long>(
                                         baselineDeflate(argv[2], std::stoi(argv[3]), dax)));
        return 0;
    }
    if (argc == 4 && std::string(argv[1]) == "--baseline-inflate") {
        bool dax = std::string(argv[3]) == "dax";
        std::printf("OUTPUT %llu\n",
                    static_cast<unsigned long long>(dax ? baselineInflateDax(argv[2])
                                                        : baselineInflateCso(argv[2])));
        return 0;
    }
    std::uint64_t mebibytes = 300;
    int level = 9;
    fs::path keep;
    for (int i = 1; i + 1 < argc; i += 2) {
        std::string option = argv[i];
        if (option == "--size")
            mebibytes = std::stoull(argv[i + 1]);
        if (option == "--level")
            level = std::stoi(argv[i + 1]);
        if (option == "--keep")
            keep = argv[i + 1];
        if (option == "--repeat")
            repeats = std::max(1, std::stoi(argv[i + 1]));
    }
    const fs::path tools =
        fs::canonical("/proc/self/exe").parent_path().parent_path() / "bin" / "kvt";
    const fs::path work =
        keep.empty() ? fs::temp_directory_path() / ("vz-bench-" + std::to_string(getpid())) : keep;
    fs::create_directories(work);
    const fs::path image = work / "game.iso";
    if (!fs::exists(image))
        vz::bench::makePspLikeImage(work / "tree", image, mebibytes);
    const std::uint64_t imageBytes = fs::file_size(image);
    const std::string all = std::to_string(std::thread::hardware_concurrency());
    const std::string lv = std::to_string(level);
    std::printf("image %.1f MiB, level %d, %s cores\n", static_cast<double>(imageBytes) / 1048576.0,
                level, all.c_str());
    std::printf("%-36s %14s  %6s  %14s  %6s  %12s\n", "step", "speed", "ratio", "output", "size",
                "memory");

    const std::string self = selfPath();
    const std::string in = image.string();
    auto tool = [&](const char* name, std::vector<std::string> arguments) {
        arguments.insert(arguments.begin(), {(tools / name).string(), "--quiet"});
        return arguments;
    };
    const fs::path cso1 = work / "one.cso", csoN = work / "all.cso", back = work / "back.iso";
    const fs::path dax1 = work / "one.dax", daxN = work / "all.dax", daxNc = work / "nc.dax";
    const fs::path back2 = work / "back2.iso", back3 = work / "back3.iso";
    const std::string dl = "-l" + lv;
    std::vector<Step> steps = {
        {"CSO baseline zlib deflate, 1 thread",
         {self, "--baseline-deflate", in, lv, "cso"},
         {},
         0,
         {}},
        {"ciso compress, 1 worker",
         tool("ciso", {"--threads", "1", lv, in, cso1.string()}),
         cso1,
         0,
         {}},
        {"ciso compress, " + all + " workers",
         tool("ciso", {"--threads", all, lv, in, csoN.string()}),
         csoN,
         0,
         {}},
        {"CSO baseline zlib inflate, 1 thread",
         {self, "--baseline-inflate", csoN.string(), "cso"},
         {},
         3,
         {}},
        {"ciso decompress, " + all + " workers",
         tool("ciso", {"0", csoN.string(), back.string()}),
         back,
         3,
         {}},
        {"DAX baseline zlib deflate, 1 thread",
         {self, "--baseline-deflate", in, lv, "dax"},
         {},
         5,
         {}},
        {"daxcr compress, 1 worker",
         tool("daxcr", {"--threads", "1", dl, in, dax1.string()}),
         dax1,
         5,
         {}},
        {"daxcr compress, " + all + " workers",
         tool("daxcr", {"--threads", all, dl, in, daxN.string()}),
         daxN,
         5,
         {}},
        {"daxcr -a8192 -v -s, " + all + " workers",
         tool("daxcr", {"--threads", all, dl, "-a8192", "-v", "-s", in, daxNc.string()}),
         daxNc,
         5,
         {}},
        {"DAX baseline zlib inflate, 1 thread",
         {self, "--baseline-inflate", daxN.string(), "dax"},
         {},
         9,
         {}},
        {"daxcr decompress, " + all + " workers",
         tool("daxcr", {"-d", daxN.string(), back2.string()}),
         back2,
         9,
         {}},
        {"daxcr decompress NC, " + all + " workers",
         tool("daxcr", {"-d", daxNc.string(), back3.string()}),
         back3,
         9,
         {}},
    };
    runRounds(steps);
    for (const Step& step : steps) {
        double baseRate = static_cast<double>(imageBytes) / 1048576.0 /
                          steps[static_cast<std::size_t>(step.baseline)].best.seconds;
        std::uint64_t size = step.best.outputBytes;
        if (step.label.find("inflate") != std::string::npos)
            size = imageBytes;
        row(step.label.c_str(), step.best, imageBytes, size, baseRate);
    }
    std::printf(
        "CSO: outputs identical for 1 and %s workers: %s; size equals the baseline's: %s; "
        "round trip exact: %s\n",
        all.c_str(), sameContent(cso1, csoN) ? "yes" : "NO",
        steps[2].best.outputBytes == steps[0].best.outputBytes ? "yes" : "NO",
        sameContent(image, back) ? "yes" : "NO");
    std::printf(
        "DAX: outputs identical for 1 and %s workers: %s; size equals the baseline's: %s; "
        "round trips exact: %s\n",
        all.c_str(), sameContent(dax1, daxN) ? "yes" : "NO",
        steps[7].best.outputBytes == steps[5].best.outputBytes ? "yes" : "NO",
        sameContent(image, back2) && sameContent(image, back3) ? "yes" : "NO");
    if (keep.empty())
        fs::remove_all(work);
    return 0;
}
