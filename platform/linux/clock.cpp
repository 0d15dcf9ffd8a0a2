// The local time, from the C library: the game and the reminder program read it alike.
#include <ctime>

#include "platform/clock.h"
#include "platform/timeconv.h"

namespace platform {

SYSTEMTIME local_time() {
    timespec now;
    clock_gettime(CLOCK_REALTIME, &now);
    SYSTEMTIME t = local_time_at(now.tv_sec);
    t.wMilliseconds = static_cast<uint16_t>(now.tv_nsec / 1000000);
    return t;
}

} // namespace platform
