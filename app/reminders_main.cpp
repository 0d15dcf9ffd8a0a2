// The reminder program, gridhollow-reminders --data-dir DIR: the tasks' desktop notices while no
// game runs on the folder. "gridhollow --reminders" and the game, when it closes, start it.
#include <cerrno>
#include <cstdio>
#include <cstring>

#include "app/reminders.h"
#include "platform/files.h"

int main(int argc, char** argv) {
    if (argc != 3 || std::strcmp(argv[1], "--data-dir") != 0) {
        std::fprintf(stderr, "Usage: %s --data-dir DIR\n", REMINDERS_PROGRAM);
        return 2;
    }
    if (!platform::change_directory(argv[2])) {
        std::fprintf(stderr, "%s: cannot enter '%s': %s\n", REMINDERS_PROGRAM, argv[2],
                     std::strerror(errno));
        return 1;
    }
    long holder = 0;
    return platform::lock_current_folder(holder, REMINDERS_LOCK) ? game_Reminders() : 0;
}
