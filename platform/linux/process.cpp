// Starting the program again, detached, by fork and exec.
#include "platform/process.h"

#include <sys/wait.h>
#include <unistd.h>

#include <climits>

namespace platform {

void start_detached(const char* option) {
    char folder[PATH_MAX];
    if (!getcwd(folder, sizeof folder)) return;
    const pid_t child = fork();
    if (child < 0) return;
    if (child > 0) {
        waitpid(child, nullptr, 0);
        return;
    }
    // The child starts a session of its own and leaves the program to a grandchild, which nobody
    // waits for: the system adopts it.
    setsid();
    if (fork() == 0) {
        char* argv[] = {const_cast<char*>("gridhollow"), const_cast<char*>("--data-dir"), folder,
                        const_cast<char*>(option), nullptr};
        execv("/proc/self/exe", argv);
    }
    _exit(0);
}

} // namespace platform
