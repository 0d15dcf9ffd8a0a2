// The ends the system asks for on Windows: a console's Ctrl+C, Ctrl+Break and close, and (the
// window's, platform/sdl/system_windows.cpp) the end of the session. Each is noted as the signal
// that stands for it on POSIX (SIGINT, SIGTERM) and wakes a wait for input with an event of its
// own in SDL's queue. SIGINT and SIGTERM raised in the process itself are noted too.
#include "platform/common/end_signal.h"

#include <SDL.h>
#include <windows.h>

#include <csignal>
#include <initializer_list>

namespace platform::detail {

namespace {

volatile LONG caught = 0;

BOOL WINAPI note_console_end(DWORD event) {
    const bool interrupt = event == CTRL_C_EVENT || event == CTRL_BREAK_EVENT;
    note_system_end(interrupt ? SIGINT : SIGTERM);
    // The process ends as soon as this returns from a close, log-off or shut-down: the game saves
    // and exits meanwhile, on its own thread, within the seconds the system gives it.
    if (!interrupt) Sleep(10000);
    return TRUE;
}

// The C library gives a signal its default action back before it calls the handler.
void note_signal(int signal) {
    std::signal(signal, note_signal);
    note_system_end(signal);
}

} // namespace

void note_system_end(int signal) {
    InterlockedExchange(&caught, signal);
    SDL_Event wake = {};
    wake.type = SDL_USEREVENT;
    SDL_PushEvent(&wake);
}

void catch_end_signals(bool on) {
    SetConsoleCtrlHandler(note_console_end, on);
    for (int signal : {SIGINT, SIGTERM}) std::signal(signal, on ? note_signal : SIG_DFL);
}

int take_end_signal() {
    return InterlockedExchange(&caught, 0);
}

} // namespace platform::detail
