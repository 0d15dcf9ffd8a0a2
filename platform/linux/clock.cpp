// The local time, from the C library: the game and the reminder program read it alike.
#include <ctime>

#include "platform/clock.h"

namespace platform {

SYSTEMTIME local_time() {
    timespec now;
    clock_gettime(CLOCK_REALTIME, &now);
    tm t;
    localtime_r(&now.tv_sec, &t);
    return SYSTEMTIME{static_cast<uint16_t>(t.tm_year + 1900),
                      static_cast<uint16_t>(t.tm_mon + 1),
                      static_cast<uint16_t>(t.tm_wday),
                      static_cast<uint16_t>(t.tm_mday),
                      static_cast<uint16_t>(t.tm_hour),
                      static_cast<uint16_t>(t.tm_min),
                      static_cast<uint16_t>(t.tm_sec > 59 ? 59 : t.tm_sec),
                      static_cast<uint16_t>(now.tv_nsec / 1000000)};
}

} // namespace platform
