// The real window on SDL2: creation by outer rectangle, the event pump, message boxes, the exit.
#include <SDL.h>
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <deque>
#include <iterator>
#include <string>
#ifndef _WIN32
#include <unistd.h>
#endif

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
bool close_box = false;
bool keys_tapped[SDL_NUM_SCANCODES] = {};
unsigned keymap_changes = 0;
detail::ButtonLatch buttons;
} // namespace sdl

namespace {

std::deque<Message> queue;

// A video driver that shows nothing, not asked for by name in SDL_VIDEODRIVER.
bool invisible_driver(const char* driver) {
    if (!driver || (std::strcmp(driver, "offscreen") != 0 && std::strcmp(driver, "dummy") != 0))
        return false;
    const char* asked = std::getenv("SDL_VIDEODRIVER");
    return !asked || !std::strstr(asked, driver);
}

// Set by message_boxes_on_terminal.
bool boxes_on_terminal = false;
} // namespace

bool video_init([[maybe_unused]] const char* wm_class) {
    SDL_SetHint(SDL_HINT_RENDER_SCALE_QUALITY, "1");
    // The window's surface is a plain shared-memory image, not a texture of a renderer of SDL's
    // own choosing (which would load OpenGL for the software renderer's every frame).
    SDL_SetHint(SDL_HINT_FRAMEBUFFER_ACCELERATION, "0");
    // A puzzle left open for hours lets the screen saver and power saving do their work.
    SDL_SetHint(SDL_HINT_VIDEO_ALLOW_SCREENSAVER, "1");
    // On Windows relative mode keeps the system pointer inside the window rather than at its
    // centre, so that it follows an absolute pointer there too (a tablet, a remote desktop).
    SDL_SetHint(SDL_HINT_MOUSE_RELATIVE_MODE_CENTER, "0");
#ifndef _WIN32
    // X11 takes the window class from the environment when video starts.
    setenv("SDL_VIDEO_X11_WMCLASS", wm_class, 0);
    // SDL connects to the desktop's session bus when it starts. Where there is none, the D-Bus
    // library would launch a bus daemon for the display that outlives the game: SDL is given an
    // address that fails at once instead, for its start only, so nothing the game starts later
    // inherits it.
    const char* runtime = std::getenv("XDG_RUNTIME_DIR");
    const bool no_bus = !std::getenv("DBUS_SESSION_BUS_ADDRESS") &&
                        !(runtime && access((std::string(runtime) + "/bus").c_str(), F_OK) == 0);
    if (no_bus) setenv("DBUS_SESSION_BUS_ADDRESS", "disabled:", 1);
#endif
    // The end signals are the game's own event, not SDL's quit (which stands for the close box).
    SDL_SetHint(SDL_HINT_NO_SIGNAL_HANDLERS, "1");
    detail::catch_end_signals(true);
    bool started = SDL_Init(SDL_INIT_VIDEO | SDL_INIT_EVENTS) == 0;
#ifndef _WIN32
    if (no_bus) unsetenv("DBUS_SESSION_BUS_ADDRESS");
#endif
    // Without a desktop SDL falls back to drivers that show nothing: the game would run unseen
    // for ever. They are taken only when the user names one.
    if (started && invisible_driver(SDL_GetCurrentVideoDriver())) {
        SDL_Quit();
        SDL_SetError("no display could be opened (is DISPLAY set?)");
        started = false;
    }
    return started;
}

const char* video_error() {
    return SDL_GetError();
}

bool window_create(const char* title, int x, int y, int w, int h) {
    // Made hidden and shown once its renderer exists (device_create), made for OpenGL when the
    // player chose an OpenGL renderer: SDL never has to replace it, so one window appears.
    const char* driver = SDL_GetHint(SDL_HINT_RENDER_DRIVER);
    const bool opengl = driver && SDL_strncasecmp(driver, "opengl", 6) == 0;
    sdl::window = SDL_CreateWindow(title, x, y, w - FRAME_W, h - FRAME_H,
                                   SDL_WINDOW_HIDDEN | (opengl ? SDL_WINDOW_OPENGL : 0));
#ifdef _WIN32
    sdl::watch_session_end();
#endif
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
    sdl::close_box = false; // shown for one pass: the key goes up again
    std::fill(std::begin(sdl::keys_tapped), std::end(sdl::keys_tapped), false);
    while (SDL_PollEvent(&e)) {
        switch (e.type) {
        case SDL_KEYDOWN:
            sdl::keys_tapped[e.key.keysym.scancode] = true;
            break;
        case SDL_KEYMAPCHANGED:
            ++sdl::keymap_changes;
            break;
        case SDL_WINDOWEVENT:
            sdl::close_box = sdl::close_box || e.window.event == SDL_WINDOWEVENT_CLOSE;
            break;
        case SDL_MOUSEWHEEL:
            sdl::wheel += e.wheel.y * 120;
            break;
        case SDL_MOUSEBUTTONDOWN:
            sdl::deactivated = false;
            sdl::buttons.change(sdl::button_index(e.button.button), true);
            break;
        case SDL_MOUSEBUTTONUP:
            sdl::buttons.change(sdl::button_index(e.button.button), false);
            break;
        default:
            break; // the quit request that comes with the close box is not the system's end
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

namespace sdl {
bool messages_waiting() {
    return !queue.empty();
}
} // namespace sdl

void message_boxes_on_terminal() {
    boxes_on_terminal = true;
}

int message_box(const char* text, const char* caption, unsigned buttons) {
    if (boxes_on_terminal) {
        std::fprintf(stderr, "%s: %s\n", caption, text);
        return buttons == MB_YESNO ? IDYES : IDOK;
    }
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

void window_raise() {
    if (!sdl::window) return;
    SDL_RestoreWindow(sdl::window);
    SDL_RaiseWindow(sdl::window);
}

bool window_visible() {
    return sdl::window && (SDL_GetWindowFlags(sdl::window) & SDL_WINDOW_SHOWN) &&
           !(SDL_GetWindowFlags(sdl::window) & SDL_WINDOW_HIDDEN);
}

#ifndef _WIN32 // Windows opens it through the shell (system_windows.cpp)
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
#endif

void exit_process(int code) {
    sdl::audio_close();
    SDL_Quit();
    std::exit(code & 0xFF); // −1 ends as 255 on Windows too
}

} // namespace platform
