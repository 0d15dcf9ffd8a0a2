// The cost of one game-screen frame on the headless backend (a busy board, the picker open under
// the pointer), with the heap allocations and the file operations such frames make; at 1x, and at
// 3x (full screen on a 3840 x 2160 desktop). The cost of the save after an entry: on the main
// thread, and the writer's whole write.
#include <benchmark/benchmark.h>

#include <cstring>
#include <filesystem>
#include <sys/inotify.h>
#include <unistd.h>

#include "allocations.h"
#include "app/device.h"
#include "app/frame.h"
#include "app/shell.h"
#include "input/mouse.h"
#include "platform/files.h"
#include "platform/headless/headless.h"
#include "platform/window.h"
#include "run/state.h"
#include "screens/play_screen.h"
#include "store/background_save.h"
#include "sudoku/notes.h"
#include "sudoku/saved_game.h"

namespace fs = std::filesystem;

namespace {

// Events of every file opened, read, written, created, moved or deleted in the watched folders.
constexpr uint32_t FILE_EVENTS = IN_ACCESS | IN_MODIFY | IN_ATTRIB | IN_OPEN | IN_CLOSE |
                                 IN_CREATE | IN_DELETE | IN_MOVED_FROM | IN_MOVED_TO;

// Drains the watch and returns how many file events it held.
long file_events(int watch) {
    long count = 0;
    alignas(inotify_event) char buffer[4096];
    for (ssize_t n; (n = read(watch, buffer, sizeof buffer)) > 0;) {
        for (char* p = buffer; p < buffer + n;) {
            const auto* event = reinterpret_cast<const inotify_event*>(p);
            ++count;
            p += sizeof(inotify_event) + event->len;
        }
    }
    return count;
}

// A level-30 puzzle with most of its empty cells filled, one in four of them wrongly.
void busy_board() {
    int filled = 0;
    for (int i = 0; i < 81; ++i) {
        if (board[i] != CELL_EMPTY || i % 7 == 0) continue;
        board[i] = ++filled % 4 == 0 ? CELL_WRONG + solution[i] % 9 + 1 : CELL_RIGHT + solution[i];
    }
}

// A history of `steps` steps of `changes` cells each (400 of 21: the fullest there is).
void full_history(int steps, int changes) {
    for (int s = 0; s < steps; ++s) {
        HistoryStep& step = play_notes.steps[s];
        step.count = changes;
        for (int i = 0; i < changes; ++i)
            step.changes[i] = {static_cast<uint8_t>(1 + 2 * ((s + i) % 40)), 0, CELL_RIGHT + 5,
                               0x3FE, 0x3DE};
    }
    play_notes.step_count = play_notes.applied = steps;
}

} // namespace

// The first argument is the density; with a second argument of 1 the board is the fullest the
// pencil marks make it instead: all nine marks in every empty cell, a given selected (its digit
// marked wherever it stands) and the history full; with 2, every empty cell's candidates and a
// hint shown whole (its second tier: houses, reasons, its conclusion and the panel).
static void BM_GameScreenFrame(benchmark::State& state) {
    const fs::path assets = fs::current_path();
    char name[] = "/tmp/gridhollow-bench-XXXXXX";
    const fs::path folder = mkdtemp(name);
    for (const char* file : {"_data.loc", "alarm.wav"})
        if (fs::exists(assets / file)) fs::copy_file(assets / file, folder / file);
    fs::current_path(folder);
    platform::headless::reset();
    game_Reset();
    if (state.range(0) == 3) {
        platform::headless::set_desktop(3840, 2160);
        platform::window_set_fullscreen(true);
    }
    platform::make_directory("edit");
    if (!game_InitDevice() || Game_0Stage0() != 0) {
        state.SkipWithError("run it in the build folder, beside _data.loc");
        fs::current_path(assets);
        return;
    }
    level = 30;
    game_StartLevel();
    if (state.range(1) == 1) {
        for (int i = 0; i < 81; ++i)
            if (board[i] == CELL_EMPTY) play_notes.marks[i] = 0x3FE;
        full_history(HISTORY_STEPS, STEP_CELLS);
        int given = 0;
        while (board[given] == CELL_EMPTY) ++given;
        apply_move({.kind = MoveKind::select_cell, .cell = given});
    } else if (state.range(1) == 2) {
        for (MoveKind kind : {MoveKind::fill_candidates, MoveKind::hint, MoveKind::hint})
            apply_move({.kind = kind});
    } else {
        busy_board();
        apply_move({.kind = MoveKind::select_cell, .cell = 40}); // the middle cell, at (255, 255)
        apply_move({.kind = MoveKind::open_picker});             // its first item at (255, 290)
    }
    mouse.x = 290; // over the picker's second item
    mouse.y = 290;

    const int watch = inotify_init1(IN_NONBLOCK);
    for (const char* watched : {".", "edit"}) inotify_add_watch(watch, watched, FILE_EVENTS);
    long frames = 0, counted = 0;
    for (auto _ : state) {
        const long before = allocations_so_far();
        platform::headless::advance_clock(1.0 / 60);
        game_Render();
        if (frames++ > 0) counted += allocations_so_far() - before;
    }
    state.counters["allocations_per_frame"] =
        frames > 1 ? static_cast<double>(counted) / static_cast<double>(frames - 1) : 0;
    state.counters["file_operations"] = static_cast<double>(file_events(watch));
    // The watch at work: the same folders seen through one save.
    game_SaveGame();
    state.counters["file_operations_of_a_save"] = static_cast<double>(file_events(watch));
    close(watch);
    game_Cleanup();
    fs::current_path(assets);
    fs::remove_all(folder);
}
BENCHMARK(BM_GameScreenFrame)->Args({1, 0})->Args({3, 0})->Args({1, 1})->Args({3, 1})->Args({1, 2});

namespace {

// A game in play for the saves: a level-30 sized board, marks in every empty cell, and a history
// of `steps` steps of `changes` cells each (400 of 21: the largest notes file there is).
void game_with_notes(int steps, int changes) {
    std::strcpy(player_name, "ANN");
    for (int i = 0; i < 81; ++i) {
        solution[i] = 1 + (i * 4 + i / 27) % 9;
        board[i] = i % 2 == 0 ? solution[i] : CELL_EMPTY;
        play_notes.marks[i] = board[i] == CELL_EMPTY ? 0x3FE : 0;
    }
    full_history(steps, changes);
}

// Runs a save benchmark in a fresh folder with the game above; arguments: steps, cells a step.
template <typename Save> void save_benchmark(benchmark::State& state, Save save) {
    const fs::path previous = fs::current_path();
    const std::string folder = platform::enter_temporary_folder("gridhollow-bench");
    platform::headless::reset();
    game_Reset();
    platform::make_directory("edit");
    game_with_notes(static_cast<int>(state.range(0)), static_cast<int>(state.range(1)));
    game_SaveGame();
    int entry = 0;
    for (auto _ : state) {
        board[1] = (++entry % 2) ? CELL_RIGHT + solution[1] : CELL_EMPTY; // an entry, a clear
        save();
    }
    saves_stop();
    fs::current_path(previous);
    fs::remove_all(folder);
}

} // namespace

// The main thread's part of the save after an entry: both texts made, locked and handed over.
static void BM_SaveAfterEntryMainThread(benchmark::State& state) {
    save_benchmark(state, [] { game_SaveInBackground(); });
}
BENCHMARK(BM_SaveAfterEntryMainThread)->Args({0, 0})->Args({400, 3})->Args({400, 21});

// The whole save after an entry, waited for: the main thread's part and the writer's two file
// replacements (written, synced, renamed, folder synced).
static void BM_SaveAfterEntryOnDisk(benchmark::State& state) {
    save_benchmark(state, [] {
        game_SaveInBackground();
        saves_flush();
    });
}
BENCHMARK(BM_SaveAfterEntryOnDisk)->Args({0, 0})->Args({400, 3})->Args({400, 21})->UseRealTime();
