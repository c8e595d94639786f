#include <fcntl.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <climits>
#include <cstdlib>
#include <filesystem>
#include <initializer_list>
#include <string>
#include <vector>

#include "platform/error.h"
#include "platform/process.h"
#include "platform/registry.h"
#include "platform/system.h"
#include "platform/xdg_file_types.h"

namespace vz {
namespace {

// Starts a helper program without waiting for it. The intermediate child ends at once, so
// the helper is never left a zombie of ours.
bool startDetached(const std::vector<std::string>& command) {
    std::vector<char*> argv;
    for (const auto& part : command)
        argv.push_back(const_cast<char*>(part.c_str()));
    argv.push_back(nullptr);
    pid_t child = fork();
    if (child < 0)
        return false;
    if (child == 0) {
        if (fork() == 0) {
            int null = open("/dev/null", O_RDWR);
            for (int fd = 0; fd < 3; ++fd)
                dup2(null, fd);
            execv(argv[0], argv.data());
        }
        _exit(0);
    }
    int status = 0;
    while (waitpid(child, &status, 0) < 0 && errno == EINTR) {
    }
    return true;
}

std::string findProgram(std::initializer_list<const char*> names) {
    for (const char* folder : {"/usr/bin", "/bin", "/usr/local/bin"}) {
        for (const char* name : names) {
            std::string path = std::string(folder) + "/" + name;
            if (access(path.c_str(), X_OK) == 0)
                return path;
        }
    }
    return "";
}

const char* homeFolder() {
    const char* home = std::getenv("HOME");
    return home ? home : "";
}

class PosixSystem final : public System {
  public:
    std::string executablePath() override {
        std::string path(PATH_MAX, '\0');
        ssize_t length = readlink("/proc/self/exe", path.data(), path.size());
        if (length <= 0)
            throw Error("No se puede determinar la carpeta del programa");
        path.resize(static_cast<std::size_t>(length));
        return path;
    }

    bool fileExists(const std::string& path) override {
        struct stat info {};
        return stat(path.c_str(), &info) == 0 && S_ISREG(info.st_mode);
    }

    bool deleteFile(const std::string& path) override { return unlink(path.c_str()) == 0; }

    bool folderWritable(const std::string& folder) override {
        return access(folder.c_str(), W_OK | X_OK) == 0;
    }

    std::string userConfigFolder() override {
        const char* config = std::getenv("XDG_CONFIG_HOME");
        std::string base = config && *config ? config : std::string(homeFolder()) + "/.config";
        return base + "/vortel-zaduvuv/";
    }

    bool createFolders(const std::string& folder) override {
        std::error_code error;
        std::filesystem::create_directories(folder, error);
        return std::filesystem::is_directory(folder, error);
    }

    void powerOff() override {
        // systemd-logind decides, with the desktop's policy, whether this user may.
        std::string systemctl = findProgram({"systemctl"});
        if (!systemctl.empty())
            startDetached({systemctl, "poweroff"});
    }

    void openAddress(const std::string& address) override {
        std::string opener = findProgram({"xdg-open"});
        if (!opener.empty())
            startDetached({opener, address});
    }

    void startProgram(const CommandLine& line) override {
        std::vector<std::string> command{line.program};
        command.insert(command.end(), line.arguments.begin(), line.arguments.end());
        startDetached(command);
    }

    void playSound(const std::string& path) override {
        std::string player = findProgram({"paplay", "aplay"});
        if (player.empty())
            return;
        if (player.ends_with("aplay") && !player.ends_with("paplay")) {
            startDetached({player, "-q", path});
        } else {
            startDetached({player, path});
        }
    }

    // No registry here: the registry algorithm runs over keys that live for the run, and the
    // desktop's own conventions carry the associations.
    Registry& classesRoot() override { return registry_; }
    void notifyAssociationsChanged() override {}
    void registerDesktopFileTypes(const std::string& executable) override {
        registerXdgFileTypes(xdgDataHome(), executable);
    }
    void unregisterDesktopFileTypes() override { unregisterXdgFileTypes(xdgDataHome()); }

  private:
    MemoryRegistry registry_;
};

}  // namespace

System& realSystem() {
    static PosixSystem system;
    return system;
}

}  // namespace vz
