// Running the game's other programs by fork and exec.
#include "platform/process.h"

#include <sys/wait.h>
#include <unistd.h>

#include <climits>
#include <string>

#include "platform/files.h"

namespace platform {

void run_instead(const char* program) {
    char folder[PATH_MAX];
    if (!getcwd(folder, sizeof folder)) return;
    std::string path = executable_folder() + "/" + program;
    char* argv[] = {const_cast<char*>(program), const_cast<char*>("--data-dir"), folder, nullptr};
    execv(path.c_str(), argv);
}

void start_detached(const char* program) {
    const pid_t child = fork();
    if (child < 0) return;
    if (child > 0) {
        waitpid(child, nullptr, 0);
        return;
    }
    // The child starts a session of its own and leaves the program to a grandchild, which nobody
    // waits for: the system adopts it.
    setsid();
    if (fork() == 0) run_instead(program);
    _exit(0);
}

} // namespace platform
