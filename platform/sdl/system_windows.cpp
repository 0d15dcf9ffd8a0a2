// What the SDL backend asks of Windows itself: the pointer, another running copy's window, the
// end of the session, and opening a page through the shell.
// The game's names of window messages come first: Windows' own, defined as macros, follow them.
#include "platform/common/end_signal.h"
#include "platform/sdl/sdl_backend.h"
#include "platform/window.h"

#include <SDL_syswm.h>
#include <csignal>
#include <cstring>
#include <filesystem>

namespace platform {

namespace {

WNDPROC sdl_window_proc = nullptr;

// A log-off or shut-down asks every window first: the game answers yes and notes the end as
// SIGTERM, so the loop saves as on a POSIX end signal and exits. The system waits for the answer
// to its next message, the end itself, while the game saves, since the game takes no message
// until it has.
LRESULT CALLBACK session_window_proc(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
    if (message == WM_QUERYENDSESSION || (message == WM_ENDSESSION && wparam)) {
        detail::note_system_end(SIGTERM);
        return TRUE;
    }
    return CallWindowProcW(sdl_window_proc, window, message, wparam, lparam);
}

struct Search {
    DWORD process;
    HWND found;
};

BOOL CALLBACK find_process_window(HWND window, LPARAM search_address) {
    auto* search = reinterpret_cast<Search*>(search_address);
    DWORD process = 0;
    GetWindowThreadProcessId(window, &process);
    if (process != search->process || !IsWindowVisible(window)) return TRUE;
    search->found = window;
    return FALSE;
}

} // namespace

namespace sdl {

void pointer_position(int& x, int& y) {
    SDL_GetGlobalMouseState(&x, &y); // asked of the system at the moment of the call
}

void watch_session_end() {
    SDL_SysWMinfo info;
    SDL_VERSION(&info.version);
    if (!window || !SDL_GetWindowWMInfo(window, &info) || info.subsystem != SDL_SYSWM_WINDOWS)
        return;
    sdl_window_proc = reinterpret_cast<WNDPROC>(SetWindowLongPtrW(
        info.info.win.window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(session_window_proc)));
}

} // namespace sdl

// The system lets the process the player just started hand the foreground to another.
bool window_raise_other(long pid) {
    if (pid <= 0) return false;
    Search search{static_cast<DWORD>(pid), nullptr};
    EnumWindows(find_process_window, reinterpret_cast<LPARAM>(&search));
    if (!search.found) return false;
    if (IsIconic(search.found)) ShowWindow(search.found, SW_RESTORE);
    SetForegroundWindow(search.found);
    return true;
}

// The shell opens a page, or a file of the current folder with the program the system has for it.
void open_url(const char* url) {
    if (std::strstr(url, "://")) {
        SDL_OpenURL(url);
        return;
    }
    std::error_code error;
    const std::filesystem::path path = std::filesystem::absolute(std::filesystem::u8path(url));
    if (std::filesystem::exists(path, error))
        SDL_OpenURL(reinterpret_cast<const char*>(path.u8string().c_str()));
}

} // namespace platform
