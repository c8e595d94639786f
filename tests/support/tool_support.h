// Helpers for tests that make images and run the tools as separate programs.
#pragma once

#include <cstdint>
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

namespace vz::test {

// A new, empty folder under the system's temporary folder.
std::filesystem::path freshFolder(const char* prefix);

// A fresh folder, removed with everything in it at the end of the test.
class TempDir {
  public:
    TempDir();
    ~TempDir();
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;
    const std::filesystem::path& path() const { return path_; }
    std::filesystem::path operator/(const std::string& name) const { return path_ / name; }

  private:
    std::filesystem::path path_;
};

struct RunResult {
    int exitCode = -1;
    std::string output;  // standard output and standard error together
};

#ifndef _WIN32
// Runs the program with the arguments as given, without a shell, and waits for it.
RunResult runProgram(const std::string& program, const std::vector<std::string>& arguments);

#endif

std::vector<std::uint8_t> randomBytes(std::size_t count, std::uint32_t seed);
// Text-like bytes that compress about as well as a game's executables and data.
std::vector<std::uint8_t> textBytes(std::size_t count, std::uint32_t seed);
std::vector<std::uint8_t> readFile(const std::filesystem::path& path);
void writeFile(const std::filesystem::path& path, const std::vector<std::uint8_t>& bytes);
// Names in the folder, sorted; for checking that nothing was left behind.
std::vector<std::string> folderEntries(const std::filesystem::path& folder);

#ifndef _WIN32
// Runs the work with files limited to `bytes`: writes beyond fail as on a full disk, for
// root too.
void withFileSizeLimit(std::uint64_t bytes, const std::function<void()>& work);

// Builds an ISO 9660 image with xorriso from the files of `tree`.
void makeIsoImage(const std::filesystem::path& tree, const std::filesystem::path& image);
#endif

}  // namespace vz::test
