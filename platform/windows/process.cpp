// Windows runs no other program of the game: the reminder process is Linux's alone.
#include "platform/process.h"

#include <cerrno>

namespace platform {

void start_detached(const char*) {}

void run_instead(const char*) {
    errno = ENOSYS;
}

} // namespace platform
