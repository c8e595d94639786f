#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>

#include <cerrno>

#include "platform/process.h"

extern char** environ;

namespace vz {

int EjecutarYEsperar(const CommandLine& line, std::uint16_t /*showMode*/) {
    std::vector<char*> argv;
    argv.push_back(const_cast<char*>(line.program.c_str()));
    for (const auto& argument : line.arguments)
        argv.push_back(const_cast<char*>(argument.c_str()));
    argv.push_back(nullptr);
    // The window is hidden while the tool runs: it must never sit waiting for a keyboard that
    // nobody sees, so it reads from /dev/null.
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 0, "/dev/null", O_RDONLY, 0);
    pid_t pid;
    int started = posix_spawn(&pid, line.program.c_str(), &actions, nullptr, argv.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    if (started != 0)
        return -1;
    int status = 0;
    while (waitpid(pid, &status, 0) < 0) {
        if (errno != EINTR)
            return -1;
    }
    if (WIFEXITED(status))
        return WEXITSTATUS(status);
    return 128 + WTERMSIG(status);
}

}  // namespace vz
