// Soak: the whole game on the headless backend under random but legal input (pointer moves,
// clicks, drags past the window's edges, typed keys, Escape) for a number of simulated minutes;
// every other minute a player enters a game from the start screen.
// The clock and the local time advance frame by frame. Afterwards every data file must pass its
// check; the memory in use is sampled every simulated minute and must stay flat.
//
// Usage: gridhollow_soak [minutes] [seed]   (3 simulated minutes by default)
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <random>
#include <string>
#include <unistd.h>
#include <vector>

#include "app/shell.h"
#include "input/keyboard.h"
#include "platform/clock.h"
#include "platform/files.h"
#include "platform/headless/headless.h"
#include "platform/timeconv.h"
#include "run/state.h"
#include "store/datafile.h"
#include "sudoku/board.h"
#include "todo/tasks.h"

namespace hl = platform::headless;
namespace fs = std::filesystem;

namespace {

constexpr int FRAMES_PER_MINUTE = 60 * 60;

// Resident memory in KiB.
long resident_kib() {
    long pages = 0, resident = 0;
    if (std::FILE* f = std::fopen("/proc/self/statm", "r")) {
        if (std::fscanf(f, "%ld %ld", &pages, &resident) != 2) resident = 0;
        std::fclose(f);
    }
    return resident * (sysconf(_SC_PAGESIZE) / 1024);
}

// Keys a player types: digits, letters, Backspace, Return, Space, Escape, and the keys that move
// the keyboard focus.
int random_key(std::mt19937& random) {
    static const std::vector<int> keys = [] {
        std::vector<int> k;
        for (int code = 2; code <= 11; ++code) k.push_back(code);  // 1 .. 0
        for (int code = 16; code <= 25; ++code) k.push_back(code); // Q .. P
        for (int code = 30; code <= 38; ++code) k.push_back(code); // A .. L
        for (int code = 44; code <= 50; ++code) k.push_back(code); // Z .. M
        for (int code : {+DIK_BACK, +DIK_RETURN, +DIK_SPACE, +DIK_ESCAPE, +DIK_TAB, +DIK_UP,
                         +DIK_DOWN, +DIK_LEFT, +DIK_RIGHT})
            k.push_back(code);
        return k;
    }();
    return keys[std::uniform_int_distribution<size_t>(0, keys.size() - 1)(random)];
}

// A random player: each frame may move the pointer, press or release a button, or type a key.
class Player {
  public:
    explicit Player(unsigned seed) : random(seed) {}

    void act() {
        if (key_held) { // a typed key goes up on the next frame
            hl::set_key(key_held, false);
            key_held = 0;
        }
        if (release_in > 0 && --release_in == 0) hl::set_button(0, false);
        const int choice = roll(0, 999);
        if (release_in > 0 && dragging) {
            hl::move_mouse(drag_dx, drag_dy); // a drag runs on past the window's edge
        } else if (choice < 400) {
            hl::move_mouse(roll(-25, 25), roll(-25, 25), choice < 20 ? roll(-2, 2) : 0);
        } else if (choice < 430 && release_in == 0) { // a click
            hl::set_button(0, true);
            release_in = roll(1, 6);
            dragging = false;
        } else if (choice < 435 && release_in == 0) { // a drag towards an edge
            hl::set_button(0, true);
            release_in = roll(10, 40);
            dragging = true;
            drag_dx = roll(-40, 40);
            drag_dy = roll(-40, 40);
        } else if (choice < 490) {
            key_held = choice < 436 ? DIK_ESCAPE : random_key(random);
            hl::set_key(key_held, true);
        }
    }

  private:
    int roll(int low, int high) { return std::uniform_int_distribution<int>(low, high)(random); }

    std::mt19937 random;
    int key_held = 0, release_in = 0, drag_dx = 0, drag_dy = 0;
    bool dragging = false;
};

// Moves the local time on by one second.
void advance_local_time() {
    const platform::SYSTEMTIME now = platform::local_time();
    platform::FILETIME ticks;
    platform::SystemTimeToFileTime(&now, &ticks);
    uint64_t value = (uint64_t{ticks.dwHighDateTime} << 32 | ticks.dwLowDateTime) + 10000000;
    ticks = {static_cast<uint32_t>(value), static_cast<uint32_t>(value >> 32)};
    platform::SYSTEMTIME later;
    platform::FileTimeToSystemTime(&ticks, &later);
    hl::set_local_time(later);
}

// Every other simulated minute a player goes from the start screen into a game, as the start
// screen's buttons do: a new player the first time, the same players again later.
void enter_game(long minute) {
    if (current_screen != Screen::start || dialog_active != 0) return;
    std::snprintf(player_name, sizeof player_name, "Soak %ld", minute % 4);
    new_game_flag = minute < 4;
    level = 1 + static_cast<int32_t>(minute % 5);
    score = 0;
    game_StartLevel();
    current_screen = Screen::game;
}

// Every data file in the folder and in "edit" that fails its check, and every task file whose
// records do not all read.
std::vector<std::string> damaged_files() {
    std::vector<std::string> damaged;
    for (const char* folder : {".", "edit"}) {
        for (const auto& entry : fs::directory_iterator(folder)) {
            const std::string name = entry.path().filename().string();
            if (name.find(".damaged") != std::string::npos) damaged.push_back(name);
            if (entry.path().extension() != ".txt") continue;
            const std::string path = std::string(folder) == "." ? name : "edit\\" + name;
            std::string content;
            if (!readdatafile(path.c_str(), content)) damaged.push_back(path);
        }
    }
    for (const char* file : {TODO_FILE, DONE_FILE}) {
        std::string content;
        readdatafile(file, content);
        const long bars = std::count(content.begin(), content.end(), '|');
        TaskRecord task;
        long read = 0;
        while (readtask(static_cast<int>(read), task, file)) ++read;
        if (read != bars) damaged.push_back(file);
    }
    return damaged;
}

} // namespace

int main(int argc, char** argv) {
    const int minutes = argc > 1 ? std::atoi(argv[1]) : 3;
    const unsigned seed =
        argc > 2 ? static_cast<unsigned>(std::atoi(argv[2])) : std::random_device{}();
    const std::string folder = platform::enter_temporary_folder("gridhollow-soak");
    if (folder.empty()) return 2;
    for (const char* name : {"_data.loc", "alarm.wav"})
        fs::copy_file(std::string(ASSET_DIR) + "/" + name, name);

    hl::reset();
    hl::set_local_time({2026, 3, 0, 2, 8, 59, 0, 0});
    int code = 0;
    if (!game_Start(code)) return 2;
    // A few tasks, one of them due within the run, so the reminders have work.
    for (int i = 0; i < 4; ++i) {
        TaskRecord task;
        std::snprintf(task.description, sizeof task.description, "Soak task %d", i);
        task.when = {2026, 3, 0, static_cast<uint16_t>(2 + i), 9, static_cast<uint16_t>(i), 0, 0};
        task.alarm = true;
        platform::SystemTimeToFileTime(&task.when, &task.due);
        appendtask(task, TODO_FILE, i == 0 ? "Soak" : "");
    }

    Player player(seed);
    long first_minute_kib = 0, peak_kib = 0, restarts = 0;
    long screen_frames[static_cast<int>(Screen::count)] = {}; // frames shown per screen
    const long frames = static_cast<long>(minutes) * FRAMES_PER_MINUTE;
    for (long frame = 1; frame <= frames; ++frame) {
        player.act();
        ++screen_frames[static_cast<int>(current_screen)];
        if (!game_LoopPass()) { // the player quit from the start screen: start again
            game_Finish();
            if (!game_Start(code)) return 2;
            ++restarts;
        }
        if (frame % 60 == 0) advance_local_time();
        if (frame % FRAMES_PER_MINUTE == FRAMES_PER_MINUTE / 2)
            enter_game(frame / FRAMES_PER_MINUTE);
        if (frame % FRAMES_PER_MINUTE == 0) {
            const long kib = resident_kib();
            peak_kib = std::max(peak_kib, kib);
            if (frame == FRAMES_PER_MINUTE) first_minute_kib = kib;
        }
    }
    game_Finish();
    const long end_kib = resident_kib();
    const std::vector<std::string> damaged = damaged_files();
    std::printf("soak: %d simulated minutes (%ld frames), seed %u, %ld restarts; resident memory "
                "after the first minute %ld KiB, peak %ld KiB, end %ld KiB\n",
                minutes, frames, seed, restarts, first_minute_kib, peak_kib, end_kib);
    std::printf("frames on the start screen %ld, game %ld, next level %ld, options %ld\n",
                screen_frames[static_cast<int>(Screen::start)],
                screen_frames[static_cast<int>(Screen::game)],
                screen_frames[static_cast<int>(Screen::next_level)],
                screen_frames[static_cast<int>(Screen::options)]);
    for (const std::string& name : damaged) std::printf("fails its check: %s\n", name.c_str());
    bool flat = true;
#ifndef __SANITIZE_ADDRESS__ // the sanitizer's quarantine holds freed memory back on purpose
    flat = end_kib - first_minute_kib < 16 * 1024;
    if (!flat) std::printf("memory grew by %ld KiB\n", end_kib - first_minute_kib);
#endif
    if (chdir("/") == 0) fs::remove_all(folder);
    return damaged.empty() && flat ? 0 : 1;
}
