// Clocks on SDL2: the performance counter, milliseconds, and waiting for the next frame or for
// input (the local time is the system's: platform/linux/clock.cpp).
#include <SDL.h>
#include <chrono>
#include <cmath>
#include <thread>
#ifndef _WIN32
#include <SDL_syswm.h>
#include <X11/Xlib.h>
#include <poll.h>
#endif

#include "platform/clock.h"
#include "platform/common/end_signal.h"
#include "platform/sdl/sdl_backend.h"

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

namespace {
double now() {
    return static_cast<double>(perf_counter()) / static_cast<double>(perf_frequency());
}
} // namespace

void sleep_until(double seconds) {
    const double left = seconds - now();
    if (left > 0) std::this_thread::sleep_for(std::chrono::duration<double>(left));
}

// On X the wait watches the connection itself: anything the server sends ends it, including a
// pointer placed without relative motion, for which SDL makes no event of its own. On Windows
// SDL's own wait serves: the pointer's every move is a message there, and an end of the session
// or a console's close puts an event of its own in SDL's queue (end_signal_windows.cpp).
void wait_for_input(double seconds) {
    if (sdl::messages_waiting()) return; // a quit posted by the frame: the next pass takes it
    SDL_PumpEvents();
    if (SDL_HasEvents(SDL_FIRSTEVENT, SDL_LASTEVENT)) return;
    const double left = seconds - now();
    if (left <= 0) return;
    const int milliseconds = static_cast<int>(std::ceil(left * 1000));
#ifdef _WIN32
    SDL_WaitEventTimeout(nullptr, milliseconds);
#else
    SDL_SysWMinfo info;
    SDL_VERSION(&info.version);
    if (!sdl::window || !SDL_GetWindowWMInfo(sdl::window, &info) ||
        info.subsystem != SDL_SYSWM_X11) {
        SDL_WaitEventTimeout(nullptr, milliseconds);
        return;
    }
    Display* display = info.info.x11.display;
    if (XEventsQueued(display, QueuedAfterFlush) > 0) return; // read already, not yet pumped
    pollfd watched[2] = {{ConnectionNumber(display), POLLIN, 0},
                         {detail::end_signal_fd(), POLLIN, 0}};
    const timespec timeout{static_cast<time_t>(left),
                           static_cast<long>((left - std::floor(left)) * 1e9)};
    ppoll(watched, watched[1].fd >= 0 ? 2 : 1, &timeout, nullptr);
#endif
}

} // namespace platform
