// Kill trials: a child process saves in a loop and is killed with SIGKILL at a random moment; every
// data file must then hold its old or its new content, pass its check, and keep every record once.
// In the keyboard trial the child plays the whole game loop by keys: every entry made before the
// kill but the last must be in the saved game the next start continues.
//
// Usage: gridhollow_kill_trials [trials] [seed] [files|keyboard]
// (100 trials of every kind by default; without a seed, or with 0, a random one)
#include <algorithm>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <filesystem>
#include <random>
#include <set>
#include <string>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

#include "app/shell.h"
#include "platform/files.h"
#include "platform/headless/headless.h"
#include "players/players.h"
#include "players/settings.h"
#include "run/state.h"
#include "store/background_save.h"
#include "store/datafile.h"
#include "sudoku/board.h"
#include "sudoku/notes_file.h"
#include "sudoku/saved_game.h"
#include "todo/tasks.h"

namespace {

// One kind of save: prepare the files, save in a loop in the child, check the files after the kill.
struct Trial {
    const char* name;
    void (*prepare)();
    void (*save_loop)(); // never returns
    // An empty string when the files are sound, otherwise what is wrong.
    std::string (*check)();
    int longest_delay = 30000; // microseconds: most kills land within the first saves
};

constexpr int TASKS = 12;

// ---- stored-form data files through the writer's recipe ----------------------------------------

const char* const STORED = "edit\\stored.txt";
std::string stored_content(int version) {
    return "Player" + std::to_string(version) + " " + std::string(200 + version, 'x') + "\r\n";
}

void prepare_stored() {
    writedatafile(STORED, stored_content(0));
}

[[noreturn]] void save_stored() {
    for (int version = 1;; version ^= 1) writedatafile(STORED, stored_content(version));
}

std::string check_stored() {
    std::string content;
    if (!readdatafile(STORED, content)) return "the stored file fails its check";
    if (content != stored_content(0) && content != stored_content(1))
        return "the stored file holds neither version";
    return "";
}

// ---- players file -----------------------------------------------------------------------------
// Players P0 .. P7 stay in the file whatever happens; "Extra" comes and goes.

constexpr int PLAYERS = 8;

// The names of the file's records by row, or false when a row does not read.
std::vector<std::string> player_names() {
    std::vector<std::string> names;
    for (int row = 1;; ++row) {
        char name[PLAYER_NAME_SIZE] = "\x01"; // no record has this name: look up by row only
        int32_t score = 0, level = 0;
        if (!game_LoadPlayer(row, name, &score, &level)) return names;
        names.push_back(name);
    }
}

void prepare_players() {
    platform::file_delete(PLAYERS_FILE);
    for (int i = 0; i < PLAYERS; ++i)
        game_StorePlayer(("P" + std::to_string(i)).c_str(), 100 * i, 1 + i, 0);
}

[[noreturn]] void save_players() {
    for (int turn = 0;; ++turn) {
        const std::string name = "P" + std::to_string(turn % PLAYERS);
        game_StorePlayer(name.c_str(), (turn * 37) % 1000, 1 + turn % 99, 1);
        game_SortScores();
        game_StorePlayer("Extra", turn % 500, 1, 0);
        const std::vector<std::string> names = player_names();
        for (size_t row = 0; row < names.size(); ++row)
            if (names[row] == "Extra") game_RemovePlayer(static_cast<int>(row + 1));
    }
}

std::string check_players() {
    std::string content;
    if (!readdatafile(PLAYERS_FILE, content)) return "the players file fails its check";
    std::vector<std::string> names = player_names();
    const auto extra = std::count(names.begin(), names.end(), "Extra");
    if (extra > 1) return "Extra is in the file twice";
    std::erase(names, "Extra");
    std::sort(names.begin(), names.end());
    std::vector<std::string> expected;
    for (int i = 0; i < PLAYERS; ++i) expected.push_back("P" + std::to_string(i));
    return names == expected ? "" : "a player was dropped or repeated";
}

// ---- saved games ----------------------------------------------------------------------------
// Two games alternate; the file must always hold one of them whole.

void game_values(int version, int32_t* board_values, int32_t* solution_values) {
    for (int i = 0; i < 81; ++i) {
        solution_values[i] = 1 + (i + version) % 9;
        board_values[i] = i % 3 == version ? 0 : solution_values[i] + 10 * (i % 2 + 1);
    }
}

void prepare_saved_game() {
    int32_t b[81], s[81];
    game_values(0, b, s);
    wrong_entries = 0;
    game_WriteGame("Ada Lovelace", b, s);
}

[[noreturn]] void save_saved_game() {
    for (int version = 1;; version ^= 1) {
        int32_t b[81], s[81];
        game_values(version, b, s);
        wrong_entries = version;
        game_WriteGame("Ada Lovelace", b, s);
    }
}

std::string check_saved_game() {
    int32_t b[81], s[81];
    wrong_entries = -1;
    if (game_LoadGame("Ada Lovelace", b, s) != 162) return "the saved game does not read whole";
    for (int version : {0, 1}) {
        int32_t want_b[81], want_s[81];
        game_values(version, want_b, want_s);
        if (std::equal(b, b + 81, want_b) && std::equal(s, s + 81, want_s) &&
            wrong_entries == version)
            return "";
    }
    return "the saved game holds neither game";
}

// ---- settings and theme --------------------------------------------------------------------

void prepare_settings() {
    window_x = 10, window_y = 20, window_w = 520, window_h = 546;
    game_SaveSettings(Screen::start);
    board_theme = 2;
    game_SaveTheme("Ada");
}

[[noreturn]] void save_settings() {
    for (int turn = 0;; ++turn) {
        window_x = turn % 2 ? 11 : 10;
        game_SaveSettings(Screen::start);
        board_theme = turn % 2 ? 3 : 2;
        game_SaveTheme("Ada");
    }
}

std::string check_settings() {
    window_x = -1;
    if (!game_LoadSettings(Screen::start)) return "settings unreadable";
    if ((window_x != 10 && window_x != 11) || window_y != 20 || window_w != 520 || window_h != 546)
        return "settings hold neither placement";
    if (!game_LoadTheme("Ada") || (board_theme != 2 && board_theme != 3))
        return "theme holds neither value";
    return "";
}

// ---- task files ----------------------------------------------------------------------------
// Each task carries its number in its description ("task 7"); the checks count them.

TaskRecord task(int number) {
    TaskRecord r;
    std::snprintf(r.description, sizeof r.description, "task %d", number);
    r.when = {2026, static_cast<uint16_t>(1 + number % 12),
              0,    static_cast<uint16_t>(1 + number % 28),
              9,    30,
              0,    0};
    r.alarm = number % 2 == 0;
    return r;
}

// The task numbers of a file in order; false when a record does not read as a task.
bool numbers(const char* file, std::vector<int>& out) {
    out.clear();
    TaskRecord r;
    for (int index = 0; readtask(index, r, file); ++index) {
        int number = -1;
        if (std::sscanf(r.description, "task %d", &number) != 1) return false;
        out.push_back(number);
    }
    return true;
}

void write_tasks(int count, const char* heading) {
    platform::file_delete(TODO_FILE);
    platform::file_delete(DONE_FILE);
    for (int i = 0; i < count; ++i) appendtask(task(i), TODO_FILE, i == 0 ? heading : "");
}

// The open tasks must be `first` .. `first + count - 1` in order for some count in [low, high].
std::string expect_run(const std::vector<int>& got, int first, size_t low, size_t high) {
    if (got.size() < low || got.size() > high) return "wrong number of tasks";
    for (size_t i = 0; i < got.size(); ++i)
        if (got[i] != first + static_cast<int>(i)) return "a task was dropped or repeated";
    return "";
}

void prepare_append() {
    write_tasks(1, "Heading");
}

[[noreturn]] void save_append() {
    for (int i = 1;; ++i) {
        if (i == TASKS) { // start afresh so the file stays small
            platform::file_replace(TODO_FILE, "", 0);
            i = 0;
        }
        appendtask(task(i), TODO_FILE, "");
    }
}

std::string check_append() {
    std::vector<int> got;
    if (!numbers(TODO_FILE, got)) return "a task does not read";
    return expect_run(got, 0, 0, TASKS);
}

void prepare_delete() {
    write_tasks(TASKS, "Heading");
}

[[noreturn]] void save_delete() {
    for (;;) deletetask(0, TODO_FILE);
}

std::string check_delete() {
    std::vector<int> got;
    if (!numbers(TODO_FILE, got)) return "a task does not read";
    if (got.empty()) return "";
    return expect_run(got, TASKS - static_cast<int>(got.size()), 0, TASKS);
}

// Complete moves tasks from the open file to the done file: between them they hold every task.
void prepare_complete() {
    write_tasks(TASKS, "Heading");
}

[[noreturn]] void save_complete() {
    for (;;) completetask(0);
}

std::string check_complete() {
    std::vector<int> open, done;
    if (!numbers(TODO_FILE, open) || !numbers(DONE_FILE, done)) return "a task does not read";
    std::vector<int> all = done;
    all.insert(all.end(), open.begin(), open.end());
    return expect_run(all, 0, TASKS, TASKS);
}

// Replace and sort: dates change and the file is reordered; every task stays exactly once.
void prepare_reorder() {
    write_tasks(TASKS, "Heading");
}

[[noreturn]] void save_reorder() {
    for (int turn = 0;; ++turn) {
        TaskRecord r;
        const int index = turn % TASKS;
        readtask(index, r, TODO_FILE);
        r.when.wDay = static_cast<uint16_t>(1 + (r.when.wDay + 7) % 28);
        replacetask(index, r);
        sorttasks();
    }
}

std::string check_reorder() {
    std::vector<int> got;
    if (!numbers(TODO_FILE, got)) return "a task does not read";
    std::sort(got.begin(), got.end());
    return expect_run(got, 0, TASKS, TASKS);
}

void prepare_heading() {
    write_tasks(4, "Alpha");
}

[[noreturn]] void save_heading() {
    for (int turn = 0;; ++turn) writeheading(TODO_FILE, turn % 2 ? "Alpha" : "Beta");
}

std::string check_heading() {
    TaskRecord r;
    readtask(-1, r, TODO_FILE);
    if (std::strcmp(r.heading, "Alpha") != 0 && std::strcmp(r.heading, "Beta") != 0)
        return "the heading is neither";
    std::vector<int> got;
    if (!numbers(TODO_FILE, got)) return "a task does not read";
    return expect_run(got, 0, 4, 4);
}

// ---- keyboard play --------------------------------------------------------------------------
// The child runs the game loop at 60 passes a second and fills empty cells by keys: arrows to the
// cell (the selection starts at the first empty cell), then its digit; the keys are held 1, 3 and
// 10 passes in turn. It reports each entry the board shows, as (cell, code), on a pipe.

constexpr int KEY_UP = 200, KEY_DOWN = 208, KEY_LEFT = 203, KEY_RIGHT = 205;
constexpr const char* KEYBOARD_PLAYER = "Kim";
constexpr int NO_ENTRY = 3; // the child's exit code when a digit typed made no entry
int entries_pipe[2] = {-1, -1};

void prepare_keyboard() {
    for (int& end : entries_pipe)
        if (end >= 0) close(end);
    if (pipe(entries_pipe) != 0) entries_pipe[0] = entries_pipe[1] = -1;
    platform::file_delete("edit\\Kim.txt");
    platform::file_delete("edit\\Kim.notes");
}

void pass() {
    game_LoopPass();
    usleep(1000000 / 60);
}

void press(int key) {
    static int turn = 0;
    const int hold[] = {1, 3, 10};
    platform::headless::set_key(key, true);
    for (int i = hold[turn++ % 3]; i > 0; --i) pass();
    platform::headless::set_key(key, false);
    pass();
}

int first_empty() {
    for (int cell = 0; cell < 81; ++cell)
        if (board[cell] == CELL_EMPTY) return cell;
    return -1;
}

[[noreturn]] void play_by_keyboard() {
    close(entries_pipe[0]);
    platform::headless::reset();
    int code = 0;
    if (!game_Start(code)) _exit(2);
    std::strcpy(player_name, KEYBOARD_PLAYER);
    level = 1;
    game_StartLevel();
    if (!game_SaveGame()) _exit(2);
    pass();
    for (int selected = first_empty(), target; (target = first_empty()) >= 0;) {
        for (; selected % 9 < target % 9; ++selected) press(KEY_RIGHT);
        for (; selected % 9 > target % 9; --selected) press(KEY_LEFT);
        for (; selected / 9 < target / 9; selected += 9) press(KEY_DOWN);
        for (; selected / 9 > target / 9; selected -= 9) press(KEY_UP);
        press(1 + solution[target]); // DIK_1 is 2, DIK_9 is 10
        if (board[target] == CELL_EMPTY) _exit(NO_ENTRY);
        const uint8_t entry[2] = {static_cast<uint8_t>(target),
                                  static_cast<uint8_t>(board[target])};
        if (write(entries_pipe[1], entry, 2) != 2) _exit(2);
    }
    for (;;) pass(); // the board is full: play on until the kill
}

std::string check_keyboard() {
    std::vector<uint8_t> entries;
    fcntl(entries_pipe[0], F_SETFL, O_NONBLOCK);
    uint8_t bytes[512];
    for (ssize_t n; (n = read(entries_pipe[0], bytes, sizeof bytes)) > 0;)
        entries.insert(entries.end(), bytes, bytes + n);
    if (entries.empty() && !platform::file_exists("edit\\Kim.txt"))
        return ""; // killed before the game was first saved
    if (game_LoadGame(KEYBOARD_PLAYER, board, solution) != 162)
        return "the saved game does not read whole";
    std::string notes; // a missing notes file is no notes
    if (platform::file_exists("edit\\Kim.notes") &&
        (!readdatafile("edit\\Kim.notes", notes) || !notes_whole(notes)))
        return "the notes file does not read whole";
    for (size_t at = 0; at + 1 < entries.size(); at += 2) {
        const bool last = at + 2 >= entries.size();
        const int32_t there = board[entries[at]];
        if (there != entries[at + 1] && !(last && there == CELL_EMPTY))
            return "entry " + std::to_string(at / 2 + 1) + " of " +
                   std::to_string(entries.size() / 2) + " is not in the saved game";
    }
    return "";
}

const Trial TRIALS[] = {
    {"stored file", prepare_stored, save_stored, check_stored},
    {"players file", prepare_players, save_players, check_players},
    {"saved game", prepare_saved_game, save_saved_game, check_saved_game},
    {"settings and theme", prepare_settings, save_settings, check_settings},
    {"task append", prepare_append, save_append, check_append},
    {"task delete", prepare_delete, save_delete, check_delete},
    {"task complete", prepare_complete, save_complete, check_complete},
    {"task replace and sort", prepare_reorder, save_reorder, check_reorder},
    {"task heading", prepare_heading, save_heading, check_heading},
    {"keyboard play", prepare_keyboard, play_by_keyboard, check_keyboard, 1500000},
};

// Runs one trial: the child saves until it is killed after `delay` microseconds.
std::string run(const Trial& trial, int delay) {
    saves_stop(); // no writer thread runs while the process forks
    trial.prepare();
    int ready[2];
    if (pipe(ready) != 0) return "no pipe";
    const pid_t child = fork();
    if (child == 0) {
        close(ready[0]);
        const char go = 1;
        if (write(ready[1], &go, 1) != 1) _exit(1);
        trial.save_loop();
        _exit(1);
    }
    close(ready[1]);
    char go = 0;
    const bool started = read(ready[0], &go, 1) == 1;
    close(ready[0]);
    usleep(static_cast<useconds_t>(delay));
    kill(child, SIGKILL);
    int status = 0;
    waitpid(child, &status, 0);
    if (!started) return "the child did not start";
    if (WIFEXITED(status) && WEXITSTATUS(status) == NO_ENTRY) return "the keys made no entry";
    if (!WIFSIGNALED(status) || WTERMSIG(status) != SIGKILL) return "the child ended by itself";
    return trial.check();
}

} // namespace

int main(int argc, char** argv) {
    const int trials = argc > 1 ? std::atoi(argv[1]) : 100;
    unsigned seed = argc > 2 ? static_cast<unsigned>(std::atoi(argv[2])) : 0;
    if (seed == 0) seed = std::random_device{}();
    const std::string kind = argc > 3 ? argv[3] : "";
    std::vector<const Trial*> chosen;
    for (const Trial& trial : TRIALS)
        if (kind.empty() || (kind == "keyboard") == (trial.save_loop == play_by_keyboard))
            chosen.push_back(&trial);
    const std::string folder = platform::enter_temporary_folder("gridhollow-kill");
    if (folder.empty()) return 2;
    for (const char* name : {"_data.loc", "alarm.wav"}) // the game the keyboard trial starts
        std::filesystem::copy_file(std::string(ASSET_DIR) + "/" + name, name);
    platform::headless::reset();
    game_Reset();
    platform::make_directory("edit");

    std::mt19937 random(seed);
    int failures = 0;
    for (int i = 0; i < trials; ++i) {
        const Trial& trial = *chosen[i % chosen.size()];
        // Most kills land within the first saves, some later, a few before the first save ends.
        const std::string fault =
            run(trial, std::uniform_int_distribution<int>(0, trial.longest_delay)(random));
        if (!fault.empty()) {
            ++failures;
            std::printf("trial %d (%s): %s\n", i, trial.name, fault.c_str());
        }
    }
    std::printf("kill trials: %d, failures: %d, seed %u\n", trials, failures, seed);
    std::filesystem::remove_all(folder);
    return failures == 0 ? 0 : 1;
}
