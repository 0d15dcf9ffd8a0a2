// Keyboard and mouse: a 256-byte key snapshot indexed by DirectInput key codes, relative mouse
// motion.
#pragma once
#include <cstdint>

namespace platform {

constexpr int INPUT_OK = 0;
constexpr int DIERR_INPUTLOST = static_cast<int>(0x8007001E);
constexpr int DIERR_NOTACQUIRED = static_cast<int>(0x8007000C);
constexpr int DIERR_OTHERAPPHASPRIO = static_cast<int>(0x80070005);
constexpr int DIERR_NOTINITIALIZED = static_cast<int>(0x80070015);

// Key state: non-zero (0x80) for keys held, indexed by DirectInput key code (DIK_*). A click on
// the window manager's close box reads as the Escape key held for the pass after it, so that it
// acts as Escape does on the screen shown.
constexpr int ESCAPE_KEY = 1; // DIK_ESCAPE
bool keyboard_open();
bool keyboard_read(uint8_t keys[256]);
void keyboard_close();
// The character the user's keyboard layout gives the key at this place without shift (a
// lower-case letter, "/", ...), 0 for a key without one.
char key_layout_char(int dik);
// Counts the changes of the user's keyboard layout: what key_layout_char answers holds until the
// count moves.
unsigned key_layout_changes();
// Whether Num Lock is on: the keypad then types digits, else its 2, 4, 6 and 8 are arrows.
bool numlock_on();

struct MouseRead {
    int32_t dx, dy, dz; // motion since the previous read, in device units; dz 120 per wheel notch
    uint8_t buttons[8]; // 0x80 while held: left, right, middle, ...
    // Set when the pointer was placed at an absolute position since the previous read (tablets,
    // virtual machines, remote desktops, synthetic input) with no relative motion: (x, y) is
    // then that position in 512 x 512 layout pixels, mapped through the window's stretch.
    bool absolute;
    int32_t x, y;
};

// The mouse is exclusive while the window has the focus; reads fail while it has not.
int mouse_open();
int mouse_acquire();
int mouse_read(MouseRead& state);
void mouse_close();

} // namespace platform
