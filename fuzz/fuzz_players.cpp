// Fuzz target: any bytes as the players file and as a saved game go through their readers and
// writers, which must neither misbehave nor lose or invent a record, and must never store more
// than 162 saved values.
#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <vector>

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

// The number of complete records the players file holds as its readers see it: every third
// comma of the plain content; -1 when the file fails its check.
long records() {
    std::string text;
    if (!readdatafile(PLAYERS_FILE, text)) return -1;
    return std::count(text.begin(), text.end(), ',') / 3;
}

// Removes the copies of damaged files the earlier inputs kept: after a thousand copies of one file
// no further copy is made, the file is no longer written and the checks below would fail.
void forget_kept_copies() {
    std::vector<std::filesystem::path> copies;
    for (const char* folder : {".", "edit"})
        for (const auto& entry : std::filesystem::directory_iterator(folder))
            if (entry.path().filename().string().find(".damaged") != std::string::npos)
                copies.push_back(entry.path());
    for (const auto& copy : copies) std::filesystem::remove(copy);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static const bool ready =
        !platform::enter_temporary_folder("gridhollow-fuzz-players").empty() &&
        platform::make_directory("edit");
    if (!ready || size > 8192) return 0;

    platform::headless::reset(); // the draws the list records would pile up across inputs
    forget_kept_copies();
    platform::file_write(PLAYERS_FILE, data, size);
    const long before = records();
    char name[PLAYER_NAME_SIZE] = "";
    int32_t s = 0, l = 0;
    game_LoadPlayer(size % 7, name, &s, &l);
    check(name[PLAYER_NAME_SIZE - 1] == '\0');
    ++frame_counter;
    game_CheckNewPlayer("ANN LEE");
    ++frame_counter;
    game_DisplayPlayers(80, 290, static_cast<int>(size % 2), 0, 16, 3, nullptr);
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
