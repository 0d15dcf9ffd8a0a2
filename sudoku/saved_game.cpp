// Saved games: one file per player in "edit", named from the player's name.
#include "sudoku/saved_game.h"

#include <cctype>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <string>

#include "platform/window.h"
#include "players/players.h"
#include "store/datafile.h"
#include "sudoku/board.h"
#include "sudoku/notes_file.h"

namespace {

constexpr int CELLS = 81;
constexpr size_t VALUE_LIMIT = 51;

// "edit\NAME.txt" (the notes file: "edit\NAME.notes"), with the bytes of the name that cannot
// stand in a file name percent-encoded, so that every name has its own files inside "edit" and none
// reaches outside it. A saved game's name always ends ".txt": no notes file is ever one.
std::string game_file_path(const char* name, const char* extension) {
    std::string path = "edit\\";
    for (const unsigned char* p = reinterpret_cast<const unsigned char*>(name); *p; ++p) {
        if (*p < 32 || *p == 127 || *p == '/' || *p == '\\' || *p == ':' || *p == '%') {
            char code[4];
            std::snprintf(code, sizeof code, "%%%02X", *p);
            path += code;
        } else {
            path += static_cast<char>(*p);
        }
    }
    return path + extension;
}

std::string saved_game_path(const char* name) {
    return game_file_path(name, ".txt");
}

std::string notes_path(const char* name) {
    return game_file_path(name, ".notes");
}

// The saved game's plain content: the 162 values, each followed by a comma, then the wrong
// entries before "m" and the play clock's ticks before "t".
std::string saved_game_text(const int32_t* board, const int32_t* solution) {
    std::string text;
    char value[32];
    for (int i = 0; i < SAVED_GAME_VALUES; ++i) {
        std::snprintf(value, sizeof value, "%d,", i < CELLS ? board[i] : solution[i - CELLS]);
        text += value;
    }
    std::snprintf(value, sizeof value, "%dm%lut", wrong_entries,
                  static_cast<unsigned long>(static_cast<uint32_t>(elapsed_ticks)));
    return text + value;
}

// Whether a plain saved game is read whole: 162 values and the two counters, nothing else but
// white space.
bool saved_game_whole(const std::string& text) {
    int values = 0;
    for (unsigned char c : text) {
        if (c == ',')
            ++values;
        else if (!std::isdigit(c) && !std::isspace(c) && c != '-' && c != 'm' && c != 't')
            return false;
    }
    return values == SAVED_GAME_VALUES || text.empty();
}

} // namespace

bool game_SaveGame(bool* notes_saved) {
    game_StorePlayer(player_name, score, level, 1);
    const bool stored = players_file.saved;
    const bool game = game_WriteGame(player_name, board, solution);
    const bool notes = writedatafile(notes_path(player_name).c_str(),
                                     notes_text(play_notes, board, solution), notes_whole);
    if (notes_saved) *notes_saved = notes;
    return game && stored;
}

void game_SaveInBackground() {
    writedatafile_in_background(saved_game_path(player_name).c_str(),
                                saved_game_text(board, solution), saved_game_whole);
    writedatafile_in_background(notes_path(player_name).c_str(),
                                notes_text(play_notes, board, solution), notes_whole);
}

void game_LoadNotes(const char* name) {
    std::string text, puzzle;
    const auto notes = std::make_unique<PlayNotes>();
    if (readdatafile(notes_path(name).c_str(), text) && notes_parse(text, puzzle, *notes) &&
        puzzle == puzzle_fingerprint(board, solution))
        play_notes = *notes;
    else
        notes_reset();
}

void game_SaveGameOrTell() {
    bool notes = true;
    if (!game_SaveGame(&notes))
        platform::message_box("the game could not be saved", "game_SaveGame()", platform::MB_OK);
    else if (!notes)
        platform::message_box("the pencil marks and undo history could not be saved",
                              "game_SaveGame()", platform::MB_OK);
}

bool game_WriteGame(const char* name, const int32_t* board, const int32_t* solution) {
    return writedatafile(saved_game_path(name).c_str(), saved_game_text(board, solution),
                         saved_game_whole);
}

int game_LoadGame(const char* name, int32_t* board, int32_t* solution) {
    std::string text;
    if (!readdatafile(saved_game_path(name).c_str(), text)) return 0;
    int count = 0;
    char buffer[VALUE_LIMIT + 1];
    size_t length = 0;
    for (unsigned char c : text) {
        buffer[length] = '\0';
        if (c == ',' && count < SAVED_GAME_VALUES) {
            (count < CELLS ? board[count] : solution[count - CELLS]) = leading_number(buffer);
            ++count;
        } else if (c == 'm') {
            wrong_entries = leading_number(buffer);
        } else if (c == 't') {
            // Written unsigned: the long conversion gives the same 32 bits back.
            elapsed_ticks = static_cast<int32_t>(std::strtoul(buffer, nullptr, 10));
        } else {
            if (c > ' ') {
                if (length == VALUE_LIMIT) length = 0; // the buffer restarts after 51 characters
                buffer[length++] = static_cast<char>(c);
            }
            continue;
        }
        length = 0;
    }
    return count;
}
