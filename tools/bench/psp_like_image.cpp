#include "psp_like_image.h"

#include <sys/wait.h>
#include <unistd.h>

#include <fstream>
#include <random>
#include <stdexcept>
#include <string>
#include <vector>

namespace vz::bench {
namespace {

namespace fs = std::filesystem;
using Bytes = std::vector<std::uint8_t>;

void put32(Bytes& out, std::uint32_t word) {
    for (int i = 0; i < 4; ++i)
        out.push_back(static_cast<std::uint8_t>(word >> (8 * i)));
}

// Machine-code-like words: a small set of opcodes with small immediates.
Bytes codeBytes(std::size_t size, std::mt19937& engine) {
    std::vector<std::uint32_t> opcodes;
    for (int i = 0; i < 200; ++i)
        opcodes.push_back(engine() & 0xffff0000u);
    Bytes out;
    out.reserve(size + 4);
    std::geometric_distribution<int> immediate(0.05);
    while (out.size() < size) {
        std::uint32_t op = opcodes[engine() % opcodes.size()];
        put32(out, op | static_cast<std::uint32_t>(immediate(engine) & 0xffff));
    }
    out.resize(size);
    return out;
}

Bytes textBytes(std::size_t size, std::mt19937& engine) {
    static const char* words[] = {"the ",    "player ", "enemy ",  "stage ", "level ", "score ",
                                  "<text ",  "id=\"",   "\" />\n", "menu ",  "sound ", "0123 ",
                                  "Attack ", "Defend ", "Item ",   "Magic ", "\r\n",   "save "};
    Bytes out;
    out.reserve(size + 16);
    while (out.size() < size) {
        const char* word = words[engine() % std::size(words)];
        out.insert(out.end(), word, word + std::char_traits<char>::length(word));
    }
    out.resize(size);
    return out;
}

Bytes noiseBytes(std::size_t size, std::mt19937& engine, const char* magic) {
    Bytes out(size);
    for (auto& byte : out)
        byte = static_cast<std::uint8_t>(engine());
    for (std::size_t i = 0; magic[i] && i < size; ++i)
        out[i] = static_cast<std::uint8_t>(magic[i]);
    return out;
}

void save(const fs::path& path, const Bytes& bytes) {
    fs::create_directories(path.parent_path());
    std::ofstream out(path, std::ios::binary);
    out.write(reinterpret_cast<const char*>(bytes.data()),
              static_cast<std::streamsize>(bytes.size()));
    if (!out)
        throw std::runtime_error("cannot write " + path.string());
}

void run(const std::vector<std::string>& command) {
    std::vector<char*> argv;
    for (const auto& part : command)
        argv.push_back(const_cast<char*>(part.c_str()));
    argv.push_back(nullptr);
    pid_t pid = fork();
    if (pid == 0) {
        execv(argv[0], argv.data());
        _exit(127);
    }
    int status = 0;
    waitpid(pid, &status, 0);
    if (!WIFEXITED(status) || WEXITSTATUS(status) != 0) {
        throw std::runtime_error(command[0] + " failed");
    }
}

}  // namespace

void makePspLikeImage(const fs::path& tree, const fs::path& image, std::uint64_t mebibytes) {
    std::mt19937 engine(20261211);
    const std::size_t unit = static_cast<std::size_t>(mebibytes) << 20;
    const fs::path game = tree / "PSP_GAME";
    save(game / "PARAM.SFO", textBytes(1200, engine));
    save(game / "SYSDIR" / "EBOOT.BIN", codeBytes(unit * 12 / 100, engine));
    save(game / "SYSDIR" / "BOOT.BIN", codeBytes(unit * 3 / 100, engine));
    save(game / "USRDIR" / "DATA.BIN", textBytes(unit * 25 / 100, engine));
    save(game / "USRDIR" / "PAD.BIN", Bytes(unit * 20 / 100, 0));
    for (int i = 0; i < 4; ++i) {
        save(game / "USRDIR" / "MOVIE" / ("OPEN" + std::to_string(i) + ".PMF"),
             noiseBytes(unit * 7 / 100, engine, "PSMF0015"));
    }
    for (int i = 0; i < 6; ++i) {
        save(game / "USRDIR" / "SOUND" / ("BGM" + std::to_string(i) + ".AT3"),
             noiseBytes(unit * 2 / 100, engine, "RIFF"));
    }
    run({"/usr/bin/xorriso", "-as", "mkisofs", "-quiet", "-iso-level", "3", "-V", "VZBENCH", "-o",
         image.string(), tree.string()});
}

}  // namespace vz::bench
