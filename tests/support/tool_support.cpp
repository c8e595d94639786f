#include "support/tool_support.h"

#ifndef _WIN32
#include <fcntl.h>
#include <spawn.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>
#endif

#include <algorithm>
#include <csignal>
#include <fstream>
#include <random>
#include <stdexcept>

#ifndef _WIN32
extern char** environ;
#endif

namespace vz::test {

std::filesystem::path freshFolder(const char* prefix) {
    static std::mt19937_64 engine(std::random_device{}());
    for (;;) {
        auto candidate = std::filesystem::temp_directory_path() /
                         (std::string(prefix) + std::to_string(engine() % 1000000000));
        if (std::filesystem::create_directory(candidate))
            return candidate;
    }
}

TempDir::TempDir() : path_(freshFolder("vz-test-")) {}

TempDir::~TempDir() {
    std::error_code ignored;
    std::filesystem::remove_all(path_, ignored);
}

#ifndef _WIN32
RunResult runProgram(const std::string& program, const std::vector<std::string>& arguments) {
    std::vector<char*> argv;
    argv.push_back(const_cast<char*>(program.c_str()));
    for (const auto& argument : arguments)
        argv.push_back(const_cast<char*>(argument.c_str()));
    argv.push_back(nullptr);
    int pipeEnds[2];
    if (pipe(pipeEnds) != 0)
        throw std::runtime_error("pipe failed");
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, pipeEnds[1], 1);
    posix_spawn_file_actions_adddup2(&actions, pipeEnds[1], 2);
    posix_spawn_file_actions_addclose(&actions, pipeEnds[0]);
    posix_spawn_file_actions_addopen(&actions, 0, "/dev/null", O_RDONLY, 0);
    pid_t pid;
    int spawned = posix_spawn(&pid, program.c_str(), &actions, nullptr, argv.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    close(pipeEnds[1]);
    RunResult result;
    char buffer[4096];
    ssize_t got;
    while ((got = read(pipeEnds[0], buffer, sizeof buffer)) > 0) {
        result.output.append(buffer, static_cast<std::size_t>(got));
    }
    close(pipeEnds[0]);
    if (spawned != 0)
        return result;
    int status = 0;
    waitpid(pid, &status, 0);
    result.exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
    return result;
}

#endif

std::vector<std::uint8_t> randomBytes(std::size_t count, std::uint32_t seed) {
    std::mt19937 engine(seed);
    std::vector<std::uint8_t> bytes(count);
    for (auto& byte : bytes)
        byte = static_cast<std::uint8_t>(engine());
    return bytes;
}

std::vector<std::uint8_t> textBytes(std::size_t count, std::uint32_t seed) {
    static const char* words[] = {"PSP ",   "game ",   "load ",  "sector ", "module ",
                                  "EBOOT ", "UMD ",    "video ", "0x1f2e ", "\n",
                                  "init ",  "render ", "sound ", "frame ",  "data "};
    std::mt19937 engine(seed);
    std::vector<std::uint8_t> bytes;
    bytes.reserve(count + 16);
    while (bytes.size() < count) {
        const char* word = words[engine() % std::size(words)];
        bytes.insert(bytes.end(), word, word + std::char_traits<char>::length(word));
    }
    bytes.resize(count);
    return bytes;
}

std::vector<std::uint8_t> readFile(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in)
        throw std::runtime_error("cannot read " + path.string());
    return std::vector<std::uint8_t>(std::istreambuf_iterator<char>(in), {});
}

void writeFile(const std::filesystem::path& path, const std::vector<std::uint8_t>& bytes) {
    std::ofstream out(path, std::ios::binary);
    out.write(reinterpret_cast<const char*>(bytes.data()),
              static_cast<std::streamsize>(bytes.size()));
    if (!out)
        throw std::runtime_error("cannot write " + path.string());
}

std::vector<std::string> folderEntries(const std::filesystem::path& folder) {
    std::vector<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(folder)) {
        names.push_back(entry.path().filename().string());
    }
    std::sort(names.begin(), names.end());
    return names;
}

#ifndef _WIN32
void withFileSizeLimit(std::uint64_t bytes, const std::function<void()>& work) {
    rlimit old{};
    getrlimit(RLIMIT_FSIZE, &old);
    auto previous = std::signal(SIGXFSZ, SIG_IGN);
    rlimit small = old;
    small.rlim_cur = bytes;
    setrlimit(RLIMIT_FSIZE, &small);
    work();
    setrlimit(RLIMIT_FSIZE, &old);
    std::signal(SIGXFSZ, previous);
}

void makeIsoImage(const std::filesystem::path& tree, const std::filesystem::path& image) {
    RunResult result =
        runProgram("/usr/bin/xorriso", {"-as", "mkisofs", "-quiet", "-iso-level", "3", "-V",
                                        "VZTEST", "-o", image.string(), tree.string()});
    if (result.exitCode != 0)
        throw std::runtime_error("xorriso failed: " + result.output);
}
#endif

}  // namespace vz::test
