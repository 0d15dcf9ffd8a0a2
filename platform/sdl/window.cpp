// The real window on SDL2: creation by outer rectangle, the event pump, message boxes, the exit.
#include <SDL.h>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <deque>
#include <string>

#include "platform/common/end_signal.h"
#include "platform/sdl/sdl_backend.h"
#include "platform/window.h"

// The window icon's pixels (R, G, B, A bytes, rows from the top), written by the asset maker.
extern const int gridhollow_icon_size;
extern const unsigned char gridhollow_icon_rgba[];

namespace platform {

namespace sdl {
SDL_Window* window = nullptr;
bool focused() {
    return window && (SDL_GetWindowFlags(window) & SDL_WINDOW_INPUT_FOCUS);
}
bool deactivated = false;
int wheel = 0;
} // namespace sdl

namespace {
std::deque<Message> queue;
} // namespace

bool video_init(const char* wm_class) {
    // X11 takes the window class from the environment when video starts.
    setenv("SDL_VIDEO_X11_WMCLASS", wm_class, 0);
    SDL_SetHint(SDL_HINT_RENDER_SCALE_QUALITY, "1");
    // The end signals are the game's own event, not SDL's quit (which stands for the close box).
    SDL_SetHint(SDL_HINT_NO_SIGNAL_HANDLERS, "1");
    detail::catch_end_signals(true);
    return SDL_Init(SDL_INIT_VIDEO | SDL_INIT_EVENTS) == 0;
}

const char* video_error() {
    return SDL_GetError();
}

bool window_create(const char* title, int x, int y, int w, int h) {
    sdl::window = SDL_CreateWindow(title, x, y, w - FRAME_W, h - FRAME_H, SDL_WINDOW_SHOWN);
    return sdl::window != nullptr;
}

void window_set_icon() {
    if (!sdl::window) return;
    const int size = gridhollow_icon_size;
    SDL_Surface* icon =
        SDL_CreateRGBSurfaceWithFormatFrom(const_cast<unsigned char*>(gridhollow_icon_rgba), size,
                                           size, 32, size * 4, SDL_PIXELFORMAT_RGBA32);
    if (!icon) return;
    SDL_SetWindowIcon(sdl::window, icon);
    SDL_FreeSurface(icon);
}

void window_move(int x, int y, int w, int h) {
    SDL_SetWindowSize(sdl::window, w - FRAME_W, h - FRAME_H);
    SDL_SetWindowPosition(sdl::window, x, y);
}

Rect window_rect() {
    int x = 0, y = 0, w = 0, h = 0;
    if (sdl::window) {
        SDL_GetWindowPosition(sdl::window, &x, &y);
        SDL_GetWindowSize(sdl::window, &w, &h);
    }
    return {x, y, x + w + FRAME_W, y + h + FRAME_H};
}

Rect desktop_rect() {
    SDL_DisplayMode mode;
    if (SDL_GetDesktopDisplayMode(0, &mode) != 0) return {0, 0, 1024, 768};
    return {0, 0, mode.w, mode.h};
}

void window_deactivate() {
    sdl::deactivated = true;
    SDL_SetRelativeMouseMode(SDL_FALSE);
}

bool window_focused() {
    return sdl::focused() && !sdl::deactivated;
}

bool peek_message(Message& msg) {
    if (const int signal = detail::take_end_signal()) {
        msg = {WM_ENDSESSION, signal};
        return true;
    }
    SDL_Event e;
    while (SDL_PollEvent(&e)) {
        switch (e.type) {
        case SDL_MOUSEWHEEL:
            sdl::wheel += e.wheel.y * 120;
            break;
        case SDL_MOUSEBUTTONDOWN:
            sdl::deactivated = false;
            break;
        default:
            break; // the close box and other window-manager requests have no effect
        }
    }
    if (queue.empty()) {
        msg = {WM_NULL, 0};
        return false;
    }
    msg = queue.front();
    queue.pop_front();
    return true;
}

void post_quit_message(int code) {
    queue.push_back({WM_QUIT, code});
}

int message_box(const char* text, const char* caption, unsigned buttons) {
    // The box needs the system pointer back while it is up.
    bool relative = SDL_GetRelativeMouseMode();
    SDL_SetRelativeMouseMode(SDL_FALSE);
    const SDL_MessageBoxButtonData ok[] = {
        {SDL_MESSAGEBOX_BUTTON_RETURNKEY_DEFAULT | SDL_MESSAGEBOX_BUTTON_ESCAPEKEY_DEFAULT, IDOK,
         "OK"}};
    const SDL_MessageBoxButtonData yes_no[] = {
        {SDL_MESSAGEBOX_BUTTON_ESCAPEKEY_DEFAULT, IDNO, "No"},
        {SDL_MESSAGEBOX_BUTTON_RETURNKEY_DEFAULT, IDYES, "Yes"}};
    bool ask = buttons == MB_YESNO;
    SDL_MessageBoxData data{SDL_MESSAGEBOX_INFORMATION, nullptr, caption, text, ask ? 2 : 1,
                            ask ? yes_no : ok,          nullptr};
    int answer = ask ? IDYES : IDOK;
    if (SDL_ShowMessageBox(&data, &answer) != 0) {
        // No way to show a box (no display): say it on the terminal instead.
        std::fprintf(stderr, "%s: %s\n", caption, text);
        answer = ask ? IDYES : IDOK;
    }
    if (answer < 0) answer = ask ? IDNO : IDOK; // the box was closed without a button
    SDL_SetRelativeMouseMode(relative ? SDL_TRUE : SDL_FALSE);
    return answer;
}

bool window_visible() {
    return sdl::window && (SDL_GetWindowFlags(sdl::window) & SDL_WINDOW_SHOWN) &&
           !(SDL_GetWindowFlags(sdl::window) & SDL_WINDOW_HIDDEN);
}

void open_url(const char* url) {
    if (std::strstr(url, "://")) {
        SDL_OpenURL(url);
        return;
    }
    char* path = realpath(url, nullptr);
    if (!path) return;
    SDL_OpenURL((std::string("file://") + path).c_str());
    std::free(path);
}

void exit_process(int code) {
    SDL_Quit();
    std::exit(code);
}

} // namespace platform
