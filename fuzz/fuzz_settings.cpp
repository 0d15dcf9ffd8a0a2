// Fuzz target: any bytes as a settings file and as a theme file go through their readers, which
// must take values only from a text that reaches ">", never negative ones, and keep the theme
// within the board's themes; a placement written back reads back unchanged.
#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <vector>

#include "app/frame.h"
#include "app/shell.h"
#include "fuzz/fuzz_folder.h"
#include "platform/files.h"
#include "players/players.h"
#include "players/settings.h"
#include "store/datafile.h"

namespace {

void check(bool ok) {
    if (!ok) std::abort();
}

// Writes the bytes as the named file; true when its content as the readers see it has a ">".
bool write_file(const char* name, const uint8_t* data, size_t size) {
    platform::file_write(name, data, size);
    std::vector<uint8_t> plain;
    return unlockbytes(name, {data, data + size}, plain) &&
           std::find(plain.begin(), plain.end(), '>') != plain.end();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size > 4096 || !fuzz_folder("gridhollow-fuzz-settings", {"edit"})) return 0;
    std::strcpy(player_name, "AB");
    bool closed = write_file("edit\\settings86.txt", data, size);
    window_x = window_y = window_w = window_h = 7;
    const bool taken = game_LoadSettings(Screen::game);
    check(!taken || closed);
    if (taken)
        check(window_x >= 0 && window_y >= 0 && window_w >= 0 && window_h >= 0);
    else
        check(window_x == 7 && window_y == 7 && window_w == 7 && window_h == 7);
    if (taken) {
        const int x = window_x, y = window_y, w = window_w, h = window_h;
        game_SaveSettings(Screen::game);
        window_x = window_y = window_w = window_h = -1;
        check(game_LoadSettings(Screen::game));
        check(window_x == x && window_y == y && window_w == w && window_h == h);
    }

    closed = write_file("edit\\thame86.txt", data, size);
    board_theme = 1;
    const bool theme = game_LoadTheme("BA");
    check(!theme || closed);
    check(board_theme >= 0 && board_theme < THEME_COUNT);
    check(theme || board_theme == 0);
    return 0;
}
