// Keyboard and mouse on SDL2: the keyboard state mapped to DirectInput key codes, the mouse in
// relative mode while the window has the focus, and absolute pointer positions where given.
#include <SDL.h>
#include <algorithm>
#include <array>

#include "platform/input.h"
#include "platform/sdl/sdl_backend.h"

namespace platform {

namespace {

constexpr int LAYOUT_SIZE = 512; // the layout stretched over its square of the client area

struct KeyMap {
    SDL_Scancode scancode;
    uint8_t dik;
};

// A US keyboard. The semicolon key also reports the colon code (146), the key that types ":" in
// the game's character table, since the game reads no shift state.
const KeyMap KEYS[] = {
    {SDL_SCANCODE_ESCAPE, 1},
    {SDL_SCANCODE_1, 2},
    {SDL_SCANCODE_2, 3},
    {SDL_SCANCODE_3, 4},
    {SDL_SCANCODE_4, 5},
    {SDL_SCANCODE_5, 6},
    {SDL_SCANCODE_6, 7},
    {SDL_SCANCODE_7, 8},
    {SDL_SCANCODE_8, 9},
    {SDL_SCANCODE_9, 10},
    {SDL_SCANCODE_0, 11},
    {SDL_SCANCODE_MINUS, 12},
    {SDL_SCANCODE_EQUALS, 13},
    {SDL_SCANCODE_BACKSPACE, 14},
    {SDL_SCANCODE_TAB, 15},
    {SDL_SCANCODE_Q, 16},
    {SDL_SCANCODE_W, 17},
    {SDL_SCANCODE_E, 18},
    {SDL_SCANCODE_R, 19},
    {SDL_SCANCODE_T, 20},
    {SDL_SCANCODE_Y, 21},
    {SDL_SCANCODE_U, 22},
    {SDL_SCANCODE_I, 23},
    {SDL_SCANCODE_O, 24},
    {SDL_SCANCODE_P, 25},
    {SDL_SCANCODE_LEFTBRACKET, 26},
    {SDL_SCANCODE_RIGHTBRACKET, 27},
    {SDL_SCANCODE_RETURN, 28},
    {SDL_SCANCODE_LCTRL, 29},
    {SDL_SCANCODE_A, 30},
    {SDL_SCANCODE_S, 31},
    {SDL_SCANCODE_D, 32},
    {SDL_SCANCODE_F, 33},
    {SDL_SCANCODE_G, 34},
    {SDL_SCANCODE_H, 35},
    {SDL_SCANCODE_J, 36},
    {SDL_SCANCODE_K, 37},
    {SDL_SCANCODE_L, 38},
    {SDL_SCANCODE_SEMICOLON, 39},
    {SDL_SCANCODE_SEMICOLON, 146},
    {SDL_SCANCODE_APOSTROPHE, 40},
    {SDL_SCANCODE_GRAVE, 41},
    {SDL_SCANCODE_LSHIFT, 42},
    {SDL_SCANCODE_BACKSLASH, 43},
    {SDL_SCANCODE_Z, 44},
    {SDL_SCANCODE_X, 45},
    {SDL_SCANCODE_C, 46},
    {SDL_SCANCODE_V, 47},
    {SDL_SCANCODE_B, 48},
    {SDL_SCANCODE_N, 49},
    {SDL_SCANCODE_M, 50},
    {SDL_SCANCODE_COMMA, 51},
    {SDL_SCANCODE_PERIOD, 52},
    {SDL_SCANCODE_SLASH, 53},
    {SDL_SCANCODE_RSHIFT, 54},
    {SDL_SCANCODE_KP_MULTIPLY, 55},
    {SDL_SCANCODE_LALT, 56},
    {SDL_SCANCODE_SPACE, 57},
    {SDL_SCANCODE_CAPSLOCK, 58},
    {SDL_SCANCODE_F1, 59},
    {SDL_SCANCODE_F2, 60},
    {SDL_SCANCODE_F3, 61},
    {SDL_SCANCODE_F4, 62},
    {SDL_SCANCODE_F5, 63},
    {SDL_SCANCODE_F6, 64},
    {SDL_SCANCODE_F7, 65},
    {SDL_SCANCODE_F8, 66},
    {SDL_SCANCODE_F9, 67},
    {SDL_SCANCODE_F10, 68},
    {SDL_SCANCODE_NUMLOCKCLEAR, 69},
    {SDL_SCANCODE_SCROLLLOCK, 70},
    {SDL_SCANCODE_KP_7, 71},
    {SDL_SCANCODE_KP_8, 72},
    {SDL_SCANCODE_KP_9, 73},
    {SDL_SCANCODE_KP_MINUS, 74},
    {SDL_SCANCODE_KP_4, 75},
    {SDL_SCANCODE_KP_5, 76},
    {SDL_SCANCODE_KP_6, 77},
    {SDL_SCANCODE_KP_PLUS, 78},
    {SDL_SCANCODE_KP_1, 79},
    {SDL_SCANCODE_KP_2, 80},
    {SDL_SCANCODE_KP_3, 81},
    {SDL_SCANCODE_KP_0, 82},
    {SDL_SCANCODE_KP_PERIOD, 83},
    {SDL_SCANCODE_NONUSBACKSLASH, 86},
    {SDL_SCANCODE_F11, 87},
    {SDL_SCANCODE_F12, 88},
    {SDL_SCANCODE_KP_ENTER, 156},
    {SDL_SCANCODE_RCTRL, 157},
    {SDL_SCANCODE_KP_DIVIDE, 181},
    {SDL_SCANCODE_PRINTSCREEN, 183},
    {SDL_SCANCODE_RALT, 184},
    {SDL_SCANCODE_PAUSE, 197},
    {SDL_SCANCODE_HOME, 199},
    {SDL_SCANCODE_UP, 200},
    {SDL_SCANCODE_PAGEUP, 201},
    {SDL_SCANCODE_LEFT, 203},
    {SDL_SCANCODE_RIGHT, 205},
    {SDL_SCANCODE_END, 207},
    {SDL_SCANCODE_DOWN, 208},
    {SDL_SCANCODE_PAGEDOWN, 209},
    {SDL_SCANCODE_INSERT, 210},
    {SDL_SCANCODE_DELETE, 211},
    {SDL_SCANCODE_LGUI, 219},
    {SDL_SCANCODE_RGUI, 220},
    {SDL_SCANCODE_APPLICATION, 221},
};

bool keyboard = false;
bool mouse = false;
// The system pointer's position on the desktop at the previous read.
int last_global_x = 0, last_global_y = 0;

// In relative mode only relative devices report motion. A pointer placed at an absolute position
// (a tablet, a virtual machine's or remote desktop's pointer, synthetic input) moves the system
// pointer without any: then the game's pointer goes where the system pointer is, mapped through
// the square the layout is shown in. Returns whether that happened.
bool absolute_position(bool moved_relatively, int32_t& x, int32_t& y) {
    int gx = 0, gy = 0;
    sdl::pointer_position(gx, gy);
    const bool placed = !moved_relatively && (gx != last_global_x || gy != last_global_y);
    last_global_x = gx;
    last_global_y = gy;
    int wx = 0, wy = 0;
    SDL_GetWindowPosition(sdl::window, &wx, &wy);
    const SDL_Rect square = sdl::layout_square(false);
    if (!placed || square.w <= 0) return false;
    x = (gx - wx - square.x) * LAYOUT_SIZE / square.w;
    y = (gy - wy - square.y) * LAYOUT_SIZE / square.h;
    return true;
}

} // namespace

int sdl::button_index(Uint8 button) {
    switch (button) {
    case SDL_BUTTON_RIGHT:
        return 1;
    case SDL_BUTTON_MIDDLE:
        return 2;
    default:
        return button - 1; // left 0, the side buttons 3 and 4
    }
}

bool keyboard_open() {
    return keyboard = true;
}
void keyboard_close() {
    keyboard = false;
}

char key_layout_char(int dik) {
    // The first key of the table with each code, looked up at once: the game screen asks for its
    // letters every frame.
    static const std::array<SDL_Scancode, 256> scancodes = [] {
        std::array<SDL_Scancode, 256> first{};
        for (auto k = std::rbegin(KEYS); k != std::rend(KEYS); ++k) first[k->dik] = k->scancode;
        return first;
    }();
    const SDL_Scancode scancode = scancodes[dik & 0xFF];
    if (scancode == SDL_SCANCODE_UNKNOWN) return 0;
    const SDL_Keycode code = SDL_GetKeyFromScancode(scancode);
    return code > ' ' && code < 127 ? static_cast<char>(code) : 0;
}

unsigned key_layout_changes() {
    return sdl::keymap_changes;
}

bool numlock_on() {
    return (SDL_GetModState() & KMOD_NUM) != 0;
}

// The keys as of the events the loop's pass took from the queue (peek_message pumps them once a
// pass): every read of one pass sees the same keys, and none asks the X server again. A key that
// went down in those events is down for the pass even if it went up again in them.
bool keyboard_read(uint8_t keys[256]) {
    if (!keyboard) return false;
    const Uint8* state = SDL_GetKeyboardState(nullptr);
    std::fill(keys, keys + 256, 0);
    for (const KeyMap& k : KEYS)
        if (state[k.scancode] || sdl::keys_tapped[k.scancode]) keys[k.dik] = 0x80;
    if (sdl::close_box) keys[ESCAPE_KEY] = 0x80;
    return true;
}

int mouse_open() {
    mouse = true;
    return INPUT_OK;
}

void mouse_close() {
    mouse = false;
    SDL_SetRelativeMouseMode(SDL_FALSE);
}

int mouse_acquire() {
    if (!sdl::focused() || sdl::deactivated) return DIERR_OTHERAPPHASPRIO;
    SDL_SetRelativeMouseMode(SDL_TRUE);
    return INPUT_OK;
}

int mouse_read(MouseRead& out) {
    if (!mouse) return DIERR_NOTINITIALIZED;
    if (!sdl::focused() || sdl::deactivated || !SDL_GetRelativeMouseMode()) {
        SDL_GetRelativeMouseState(nullptr, nullptr); // motion while unacquired is not reported
        sdl::wheel = 0;
        sdl::buttons.forget();
        return DIERR_NOTACQUIRED;
    }
    int dx = 0, dy = 0;
    const Uint32 state = SDL_GetRelativeMouseState(&dx, &dy);
    out = MouseRead{dx, dy, sdl::wheel, {}, false, 0, 0};
    sdl::wheel = 0;
    out.absolute = absolute_position(dx != 0 || dy != 0, out.x, out.y);
    uint8_t held = 0;
    for (Uint8 button = SDL_BUTTON_LEFT; button <= SDL_BUTTON_X2; ++button)
        if (state & SDL_BUTTON(button))
            held |= static_cast<uint8_t>(1u << sdl::button_index(button));
    sdl::buttons.read(held, out.buttons);
    return INPUT_OK;
}

} // namespace platform
