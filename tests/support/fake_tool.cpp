// Stands in for daxcr and ciso: records its arguments in calls.log beside itself, copies its
// input to its output, and ends with the code found in <name>.exit (0 when there is none).
#ifdef _WIN32
#include <windows.h>
#endif

#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "image/console.h"

namespace fs = std::filesystem;

// Its own path: argv[0] would split at the blanks of an unquoted folder on Windows.
fs::path selfPath(const char* argv0) {
#ifdef _WIN32
    (void)argv0;
    char path[MAX_PATH * 4];
    DWORD length = GetModuleFileNameA(nullptr, path, sizeof path);
    return fs::path(std::string(path, length));
#else
    return fs::absolute(argv0);
#endif
}

int main(int argc, char** argv) {
    fs::path self = selfPath(argv[0]);
    // Named as the tool it stands for, without the ".exe" of Windows.
    std::string name = self.stem().string();
    fs::path folder = self.parent_path();
    // Read as the real tools read their command line, unquoted folders with blanks included.
    std::vector<std::string> arguments = vz::image::commandArguments(argc, argv);
    {
        std::ofstream calls(folder / "calls.log", std::ios::app);
        calls << name;
        for (const auto& argument : arguments)
            calls << '|' << argument;
        calls << '\n';
    }
    int code = 0;
    if (std::ifstream exitFile(folder / (name + ".exit")); exitFile)
        exitFile >> code;
    if (code != 0)
        return code;
    std::size_t first = 0;
    if (name.rfind("ciso", 0) == 0) {
        first = 1;  // the level comes first
    } else {
        while (first < arguments.size() && arguments[first].rfind("-", 0) == 0)
            ++first;
    }
    if (first + 1 >= arguments.size())
        return 1;
    std::error_code error;
    fs::copy_file(arguments[first], arguments[first + 1], fs::copy_options::overwrite_existing,
                  error);
    return error ? 2 : 0;
}
