// The window placement, board theme and puzzle mode files.
#include "players/settings.h"

#include <cctype>
#include <climits>
#include <cstdio>
#include <string>
#include <string_view>

#include "platform/files.h"
#include "players/players.h"
#include "run/state.h"
#include "store/datafile.h"

int board_theme = 0;
int puzzle_mode = PUZZLES_DESIGNED;
int run_puzzle_mode = -1;

void settings_reset() {
    board_theme = 0;
    puzzle_mode = PUZZLES_DESIGNED;
}

namespace {

constexpr int FILE_NUMBER_SEED = 0x55;
constexpr const char* GENERAL_SETTINGS = "settings.txt";

// The settings file for a screen: the current player's on the game screen, else the general one.
std::string settings_path(Screen screen) {
    if (screen != Screen::game) return GENERAL_SETTINGS;
    char path[32];
    std::snprintf(path, sizeof path, "edit\\settings%d.txt", game_PlayerFileNumber(player_name));
    return path;
}

// A player's own plain file: "edit\<stem><n>.txt".
std::string player_path(const char* stem, const char* name) {
    char path[32];
    std::snprintf(path, sizeof path, "edit\\%s%d.txt", stem, game_PlayerFileNumber(name));
    return path;
}

// Reads letter-number pairs up to ">": digits build a number (held at INT_MAX when it grows
// beyond), and each closing letter or ">" ends it, handing take (the letter before it, the number)
// before starting afresh. Other bytes, a minus sign among them, are skipped. True when ">" came.
template <typename Take>
bool read_pairs(const std::string& text, std::string_view closers, Take take) {
    char letter = 0;
    int value = 0;
    for (char c : text) {
        if (c >= '0' && c <= '9') {
            const int digit = c - '0';
            value = value > (INT_MAX - digit) / 10 ? INT_MAX : value * 10 + digit;
        } else if (c == '>' || (c != '\0' && closers.find(c) != std::string_view::npos)) {
            take(letter, value);
            if (c == '>') return true;
            letter = c;
            value = 0;
        }
    }
    return false;
}

// Whether a plain settings, theme or puzzle mode file is read whole: printable text and white space
// that the closing ">" ends.
bool pairs_whole(const std::string& text) {
    for (unsigned char c : text)
        if ((c < 32 && !std::isspace(c)) || c > 126) return false;
    return text.empty() || text.find('>') != std::string::npos;
}

// Writes "<letter><value>>" plain into the player's file "edit\<stem><n>.txt"; false when it could
// not be written.
bool save_player_value(const char* stem, char letter, const char* name, int value) {
    const std::string path = player_path(stem, name);
    char text[16];
    const int length = std::snprintf(text, sizeof text, "%c%d>", letter, value);
    if (!keepunreadable(path.c_str(), pairs_whole)) return false;
    platform::file_set_normal(path.c_str());
    return platform::file_replace(path.c_str(), text, static_cast<size_t>(length));
}

// Reads the number after the letter from the player's file into value (a number after no letter
// is dropped); true when the text reached ">" and the value is 0 to count - 1.
bool load_player_value(const char* stem, char letter, const char* name, int count, int& value) {
    std::string text;
    int read = value;
    const char closers[2] = {letter, '\0'};
    const bool complete = readdatafile(player_path(stem, name).c_str(), text) &&
                          read_pairs(text, closers, [&](char before, int number) {
                              if (before == letter) read = number;
                          });
    if (!complete || read < 0 || read >= count) return false;
    value = read;
    return true;
}

} // namespace

int game_PlayerFileNumber(const char* name) {
    int number = FILE_NUMBER_SEED;
    for (const unsigned char* p = reinterpret_cast<const unsigned char*>(name); *p != '\0'; ++p)
        number ^= *p;
    return number;
}

bool game_SaveSettings(Screen screen) {
    char text[64];
    std::snprintf(text, sizeof text, "x%d y%d w%d h%d>", window_x, window_y, window_w, window_h);
    return writedatafile(settings_path(screen).c_str(), text, pairs_whole);
}

bool game_LoadSettings(Screen screen) {
    std::string text;
    if (!readdatafile(settings_path(screen).c_str(), text)) return false;
    int w = window_w, h = window_h, x = window_x, y = window_y;
    const bool complete = read_pairs(text, "whxymsab", [&](char letter, int value) {
        switch (letter) {
        case 'w':
            w = value;
            break;
        case 'h':
            h = value;
            break;
        case 'x':
            x = value;
            break;
        case 'y':
            y = value;
            break;
        default:
            break; // m, s, a and b are read and dropped
        }
    });
    if (!complete) return false;
    window_w = w;
    window_h = h;
    window_x = x;
    window_y = y;
    return true;
}

bool game_SaveTheme(const char* name) {
    return save_player_value("thame", 't', name, board_theme);
}

bool game_LoadTheme(const char* name) {
    int theme = board_theme;
    if (load_player_value("thame", 't', name, THEME_COUNT, theme)) {
        board_theme = theme;
        return true;
    }
    board_theme = 0;
    return false;
}

int game_StoredPuzzleMode(const char* name) {
    int mode = PUZZLES_DESIGNED;
    return load_player_value("puzzles", 'p', name, 2, mode) ? mode : PUZZLES_DESIGNED;
}

bool game_SavePuzzleMode(const char* name, int mode) {
    return save_player_value("puzzles", 'p', name, mode);
}

void game_LoadPuzzleMode(const char* name) {
    if (run_puzzle_mode >= 0)
        puzzle_mode = run_puzzle_mode;
    else
        puzzle_mode = name[0] == '\0' ? PUZZLES_DESIGNED : game_StoredPuzzleMode(name);
}
