// The keyboard: snapshots, per-key press edges and the character table.
#include "input/keyboard.h"

#include <algorithm>
#include <array>
#include <climits>
#include <iterator>

#include "platform/input.h"

Keyboard keyboard;

namespace {

// The rows of letter keys: from Q (16) to M (50).
constexpr int DIK_FIRST_LETTER = DIK_Q, DIK_LAST_LETTER = 50; // the letter rows, DIK_Q to DIK_M
// What a US layout types on the keys from Q (16) to "/" (53), of the characters the name box
// takes: the letters and "/" by place.
constexpr char US_KEYS[] = "qwertyuiop    asdfghjkl     zxcvbnm  /";
constexpr int DIK_US_FIRST = 16;

bool typable(char c) {
    return (c >= 'a' && c <= 'z') || c == '/';
}

// Whether the user's layout has Latin letters: some letter key types one.
bool latin_layout() {
    for (int k = DIK_FIRST_LETTER; k <= DIK_LAST_LETTER; ++k)
        if (const char c = platform::key_layout_char(k); c >= 'a' && c <= 'z') return true;
    return false;
}

// The key's character on the user's layout; on a layout without Latin letters (Russian, Greek) a
// key whose character the name box does not take gives what it gives on a US layout instead, as
// desktop toolkits do for their shortcuts, so the letters and the letter commands work there too.
char layout_char(int k, bool latin) {
    const char c = platform::key_layout_char(k);
    const int place = k - DIK_US_FIRST;
    if (latin || typable(c) || place < 0 || place >= int{sizeof US_KEYS} - 1) return c;
    return US_KEYS[place] == ' ' ? c : US_KEYS[place];
}

// The character a key types, 0 for keys without one. Letters and "/" come from the user's
// keyboard layout (a letter the layout puts elsewhere is typed where the layout has it; a key
// whose character is none of these types none, but on a layout without Latin letters it types
// the US layout's); the digit row, space, the colon key and the keys that act are read by their
// place.
uint8_t key_character(int k) {
    if (k >= 2 && k <= 10) return static_cast<uint8_t>('1' + k - 2);
    switch (k) {
    case 11:
        return '0';
    case DIK_SPACE:
        return ' ';
    case DIK_RETURN:
        return 13;
    case DIK_BACK:
        return 8;
    case DIK_ESCAPE:
        return 27;
    case DIK_TAB:
        return 9;
    case DIK_COLON:
        return ':';
    case DIK_LSHIFT:
        return 1;
    default:
        break;
    }
    const char c = layout_char(k, latin_layout());
    if (c >= 'a' && c <= 'z') return static_cast<uint8_t>(c - 'a' + 'A');
    return c == '/' ? '/' : 0;
}

} // namespace

void Keyboard::create() {
    device = platform::keyboard_open();
    std::fill(std::begin(key_state), std::end(key_state), 0);
    std::fill(std::begin(key_memory), std::end(key_memory), 0);
    std::fill(std::begin(char_memory), std::end(char_memory), 0);
}

Keyboard::~Keyboard() {
    if (device) platform::keyboard_close();
}

bool Keyboard::read() {
    if (!device || frozen) return device;
    uint8_t fresh[256];
    if (!platform::keyboard_read(fresh)) return false;
    std::copy(fresh, fresh + 256, key_state);
    return true;
}

bool Keyboard::keypressed(int key, bool refresh) {
    if (refresh && !read()) return false;
    key &= 0xFF;
    bool result = key_memory[key] == 0 && key_state[key] != 0;
    key_memory[key] = key_state[key];
    return result;
}

uint8_t Keyboard::readchar(bool refresh) {
    if (refresh && !read()) return 0;
    uint8_t result = 0;
    // Alt+Enter is the full-screen chord: its Enter types nothing.
    const bool alt = key_state[DIK_LMENU] != 0 || key_state[DIK_RMENU] != 0;
    for (int k = 0; k < 256; ++k) {
        if (char_memory[k] == 0 && key_state[k] != 0) {
            if (result == 0) result = 1;
            if (uint8_t c = k == DIK_RETURN && alt ? 0 : key_character(k)) {
                result = c;
                // A press read as a character is taken: it is no new press for keypressed,
                // so an Escape that closed a box does not also reach the screen under it.
                key_memory[k] = key_state[k];
            }
        }
        char_memory[k] = key_state[k] != 0;
    }
    return result;
}

int Keyboard::letter_key(char letter) {
    // Looked up once a layout: the game screen asks for its letters every pass. A letter two keys
    // type is the first key's.
    static unsigned layout = UINT_MAX;
    static std::array<uint8_t, 26> keys{};
    if (letter < 'a' || letter > 'z') return 0;
    if (const unsigned now = platform::key_layout_changes(); now != layout) {
        layout = now;
        keys.fill(0);
        const bool latin = latin_layout();
        for (int k = DIK_LAST_LETTER; k >= DIK_FIRST_LETTER; --k)
            if (const char c = layout_char(k, latin); c >= 'a' && c <= 'z')
                keys[c - 'a'] = static_cast<uint8_t>(k);
    }
    return keys[letter - 'a'];
}
