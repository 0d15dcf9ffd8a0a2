// Fuzz target: any bytes as the players file and as a saved game go through their readers and
// writers, which must neither misbehave nor lose or invent a record, and must never store more
// than 162 saved values.
#include <algorithm>
#include <cstdint>
#include <cstdlib>

#include "fuzz/fuzz_folder.h"
#include "platform/files.h"
#include "platform/headless/headless.h"
#include "players/players.h"
#include "screens/name_check.h"
#include "screens/player_list.h"
#include "store/datafile.h"
#include "sudoku/board.h"
#include "sudoku/saved_game.h"

namespace {

void check(bool ok) {
    if (!ok) std::abort();
}

// The number of complete records the players file holds as its readers see it (those recovered,
// when it fails its check); -1 when it cannot be read.
long records() {
    std::string text;
    if (!read_players_file(text)) return -1;
    return static_cast<long>(parse_players(text).size());
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size > 8192 || !fuzz_folder("gridhollow-fuzz-players", {"edit"})) return 0;

    platform::headless::reset(); // the draws the list records would pile up across inputs
    platform::file_write(PLAYERS_FILE, data, size);
    const long before = records();
    char name[PLAYER_NAME_SIZE] = "";
    int32_t s = 0, l = 0;
    game_LoadPlayer(size % 7, name, &s, &l);
    check(name[PLAYER_NAME_SIZE - 1] == '\0');
    ++frame_counter;
    game_CheckNewPlayer("ANN LEE");
    ++frame_counter;
    game_DisplayPlayers(80, 290, static_cast<int>(size % 2), 0, 16, 3);
    game_SortScores();
    check(records() == before);
    game_StorePlayer(name, s, l, 1);
    check(records() == before);
    if (before > 0) {
        check(game_RemovePlayer(1));
        check(records() == before - 1);
    }

    platform::file_write("edit\\ANN.txt", data, size);
    int32_t saved_board[81], saved_solution[81];
    const int values = game_LoadGame("ANN", saved_board, saved_solution);
    check(values >= 0 && values <= 162);
    if (values == 162) {
        check(game_WriteGame("ANN", saved_board, saved_solution));
        int32_t again[81], again_solution[81];
        const int32_t wrong = wrong_entries, ticks = elapsed_ticks;
        check(game_LoadGame("ANN", again, again_solution) == 162);
        check(std::equal(again, again + 81, saved_board) &&
              std::equal(again_solution, again_solution + 81, saved_solution));
        check(wrong_entries == wrong && elapsed_ticks == ticks);
    }
    return 0;
}
