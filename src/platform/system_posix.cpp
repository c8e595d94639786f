#include <unistd.h>

#include <climits>
#include <string>

#include "platform/error.h"
#include "platform/system.h"

namespace vz {
namespace {

class PosixSystem final : public System {
public:
    std::string executablePath() override {
        std::string path(PATH_MAX, '\0');
        ssize_t length = readlink("/proc/self/exe", path.data(), path.size());
        if (length <= 0) throw Error("No se puede determinar la carpeta del programa");
        path.resize(static_cast<std::size_t>(length));
        return path;
    }
};

}  // namespace

System& realSystem() {
    static PosixSystem system;
    return system;
}

}  // namespace vz
