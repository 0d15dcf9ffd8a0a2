// Clocks on SDL2 and the C library: the performance counter, milliseconds, the local time.
#include <SDL.h>
#include <chrono>
#include <ctime>
#include <thread>

#include "platform/clock.h"

namespace platform {

uint64_t perf_frequency() {
    return SDL_GetPerformanceFrequency();
}
uint64_t perf_counter() {
    return SDL_GetPerformanceCounter();
}
uint32_t time_get_time() {
    return SDL_GetTicks();
}

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

void sleep_until(double seconds) {
    double now = static_cast<double>(perf_counter()) / static_cast<double>(perf_frequency());
    if (seconds > now) std::this_thread::sleep_for(std::chrono::duration<double>(seconds - now));
}

} // namespace platform
