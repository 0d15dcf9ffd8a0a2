// The keyboard: per-key press edges and typed characters from DirectInput key-code snapshots.
#pragma once
#include <cstdint>

// DirectInput key codes the screens ask about.
enum : int {
    DIK_ESCAPE = 1,
    DIK_1 = 2, // to DIK_9 = 10, the digit row
    DIK_BACK = 14,
    DIK_TAB = 15,
    DIK_Q = 16, // to DIK_P = 25, the top letter row (on a Latin layout)
    DIK_RETURN = 28,
    DIK_LCONTROL = 29,
    DIK_A = 30, // to DIK_L = 38, the middle letter row
    DIK_LSHIFT = 42,
    DIK_Z = 44, // to DIK_M = 50, the bottom letter row
    DIK_B = 48,
    DIK_SLASH = 53,
    DIK_RSHIFT = 54,
    DIK_LMENU = 56, // the left Alt
    DIK_SPACE = 57,
    DIK_NUMPAD7 = 71,
    DIK_NUMPAD8 = 72,
    DIK_NUMPAD9 = 73,
    DIK_NUMPAD4 = 75,
    DIK_NUMPAD5 = 76,
    DIK_NUMPAD6 = 77,
    DIK_NUMPAD1 = 79,
    DIK_NUMPAD2 = 80,
    DIK_NUMPAD3 = 81,
    DIK_F11 = 87,
    DIK_COLON = 146,
    DIK_NUMPADENTER = 156,
    DIK_RCONTROL = 157,
    DIK_RMENU = 184, // the right Alt
    DIK_UP = 200,
    DIK_LEFT = 203,
    DIK_RIGHT = 205,
    DIK_DOWN = 208,
    DIK_DELETE = 211,
};

// What readchar reports for keys that type no letter, digit or sign (0: no key went down).
constexpr uint8_t CHAR_UNTYPED = 1; // only keys without a character went down
constexpr uint8_t CHAR_BACKSPACE = 8, CHAR_TAB = 9, CHAR_ENTER = 13, CHAR_ESCAPE = 27;

class Keyboard {
  public:
    // Opens the keyboard; without one every query answers false or 0.
    void create();
    // True when the key went down since this key was last asked about. With refresh the state is
    // read anew first; without it the last snapshot is used.
    bool keypressed(int key, bool refresh);
    // The character of the highest-coded key that went down since the last call (capitals, no
    // shift), 1 when only keys without a character went down, 0 when none did.
    uint8_t readchar(bool refresh);
    // Whether the key is down (read anew first with refresh); the press edges are left alone.
    // Inline: the game screen asks it of every key a pass.
    bool held(int key, bool refresh) {
        if (refresh && !read()) return false;
        return key_state[key & 0xFF] != 0;
    }
    // The letter key that types the letter (lower case) on the user's keyboard layout, 0 when
    // none does: the game screen's letter commands follow the keys' labels. On a layout without
    // Latin letters they are the US layout's keys.
    static int letter_key(char letter);
    // Every key in the last snapshot, 0x80 down and 0 up, as held reads it without refresh.
    const uint8_t* snapshot() const { return key_state; }
    ~Keyboard();

    // While set, a refresh finds the keys as they were: the frame loop's catch-up frames stand
    // for moments before the input that ended its wait.
    bool frozen = false;

  private:
    bool read();
    uint8_t key_state[256] = {};
    uint8_t key_memory[256] = {};
    uint8_t char_memory[256] = {};
    bool device = false;
};

extern Keyboard keyboard;
