// A headless player: start-up, loop passes, and the pointer, button and keys through the backend.
#include "tools/driver/driver.h"

#include <cstring>

#include "app/shell.h"
#include "input/keyboard.h"
#include "platform/headless/headless.h"
#include "screens/play_screen.h"

namespace hl = platform::headless;

namespace {
bool ended = false;
} // namespace

bool drive_start() {
    ended = false;
    int code = -1;
    if (!game_Start(code)) return false;
    return drive_pass();
}

bool drive_pass(int n) {
    for (int i = 0; i < n && !ended; ++i) ended = !game_LoopPass();
    return !ended;
}

bool drive_ended() {
    return ended;
}

void drive_point(int x, int y) {
    hl::place_mouse(x, y);
    drive_pass();
}

void drive_click(int x, int y) {
    drive_point(x, y); // as a player's hand does, the pointer rests there for a frame first
    hl::set_button(0, true);
    drive_pass();
    hl::set_button(0, false);
    drive_pass();
}

void drive_press(int dik, int frames) {
    hl::set_key(dik, true);
    drive_pass(frames);
    hl::set_key(dik, false);
    drive_pass();
}

void drive_type(const std::string& text) {
    // The DirectInput codes of the digit row and the letter rows.
    static const char* const rows[] = {"1234567890", "QWERTYUIOP", "ASDFGHJKL", "ZXCVBNM"};
    static const int first_codes[] = {DIK_1, DIK_Q, DIK_A, DIK_Z};
    for (char c : text)
        for (int r = 0; r < 4; ++r)
            if (const char* at = c ? std::strchr(rows[r], c) : nullptr)
                drive_press(first_codes[r] + static_cast<int>(at - rows[r]));
}

bool drive_solve() {
    for (int cell = 0; cell < 81 && !ended; ++cell) {
        const int code = board[cell];
        if ((code >= 1 && code <= 9) || code == solution[cell] + CELL_RIGHT) continue;
        // The picker opens beside the cell, the digit's item in it.
        drive_click(static_cast<int>(cell_centre_x(cell)), static_cast<int>(cell_centre_y(cell)));
        const int item = solution[cell];
        drive_click(static_cast<int>(picker_slot_x(item)), static_cast<int>(picker_slot_y(item)));
        if (current_screen != Screen::game) break;
    }
    return current_screen == Screen::next_level || boardcomplete(board);
}
