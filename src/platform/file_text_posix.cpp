#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

#include "platform/error.h"
#include "platform/file_text.h"
#include "platform/paths.h"

namespace vz {
namespace {

std::string reason() {
    return std::strerror(errno);
}

Error cannotCreate(const std::string& path, const std::string& why) {
    return Error("Cannot create file \"" + path + "\". " + why);
}

}  // namespace

std::string readWholeFile(const std::string& path) {
    std::optional<std::string> content = readFileIfPresent(path);
    if (!content)
        throw Error("Cannot open file \"" + path + "\". " + std::strerror(ENOENT));
    return *content;
}

std::optional<std::string> readFileIfPresent(const std::string& path) {
    int fd = open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0 && errno == ENOENT)
        return std::nullopt;
    if (fd < 0)
        throw Error("Cannot open file \"" + path + "\". " + reason());
    std::string content;
    char buffer[65536];
    for (;;) {
        ssize_t got = read(fd, buffer, sizeof buffer);
        if (got < 0 && errno == EINTR)
            continue;
        if (got < 0) {
            std::string why = reason();
            close(fd);
            throw Error("Cannot read file \"" + path + "\". " + why);
        }
        if (got == 0)
            break;
        content.append(buffer, static_cast<std::size_t>(got));
    }
    close(fd);
    return content;
}

void replaceFile(const std::string& path, const std::string& content) {
    std::string temporary = folderPart(path) + "." + namePart(path) + ".XXXXXX";
    int fd = mkostemp(temporary.data(), O_CLOEXEC);
    if (fd < 0)
        throw cannotCreate(path, reason());
    // Keep the mode of the file being replaced, or an ordinary new file's.
    struct stat old {};
    mode_t mask = umask(0);
    umask(mask);
    fchmod(fd, stat(path.c_str(), &old) == 0 ? (old.st_mode & 07777) : (0666 & ~mask));
    std::size_t done = 0;
    while (done < content.size()) {
        ssize_t put = write(fd, content.data() + done, content.size() - done);
        if (put < 0 && errno == EINTR)
            continue;
        if (put < 0) {
            std::string why = reason();
            close(fd);
            unlink(temporary.c_str());
            throw cannotCreate(path, why);
        }
        done += static_cast<std::size_t>(put);
    }
    if (fsync(fd) != 0 || close(fd) != 0 || rename(temporary.c_str(), path.c_str()) != 0) {
        std::string why = reason();
        unlink(temporary.c_str());
        throw cannotCreate(path, why);
    }
}

}  // namespace vz
