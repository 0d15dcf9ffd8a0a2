// The local time, from the C library: the game and the reminder program read it alike.
#include <ctime>

#include "platform/clock.h"
#include "platform/timeconv.h"

namespace platform {

SYSTEMTIME local_time() {
    timespec now;
    clock_gettime(CLOCK_REALTIME, &now);
    // The calendar fields are converted once a second: the C library's conversion costs more than
    // the rest of a pass the idle wait catches up.
    thread_local std::time_t converted = -1;
    thread_local SYSTEMTIME fields;
    if (now.tv_sec != converted) {
        fields = local_time_at(now.tv_sec);
        converted = now.tv_sec;
    }
    SYSTEMTIME t = fields;
    t.wMilliseconds = static_cast<uint16_t>(now.tv_nsec / 1000000);
    return t;
}

} // namespace platform
