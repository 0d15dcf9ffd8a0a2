// Tests that saves on a full disk or into a read-only folder report failure and leave every data
// file as it was, that a damaged file is never replaced before it is kept, and that a completed
// task cut off between its two files ends in exactly one of them.
#include <cstring>
#include <functional>
#include <map>
#include <random>
#include <string>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

#include "platform/files.h"
#include "platform/headless/headless.h"
#include "players/players.h"
#include "players/settings.h"
#include "run/state.h"
#include "store/datafile.h"
#include "store_support.h"
#include "sudoku/board.h"
#include "sudoku/saved_game.h"
#include "support.h"
#include "todo/tasks.h"

namespace hl = platform::headless;

namespace {

const char* const DATA_FILES[] = {"scores.txt",        "settings.txt", "edit\\settings86.txt",
                                  "edit\\thame86.txt", TODO_FILE,      DONE_FILE};

TaskRecord task(const char* description, int day) {
    TaskRecord t;
    std::strcpy(t.description, description);
    t.when = {2026, 3, 0, static_cast<uint16_t>(day), 8, 0, 0, 0};
    return t;
}

// Every save the game makes, each reporting whether it wrote.
const std::vector<std::pair<const char*, std::function<bool()>>>& saves() {
    static const std::vector<std::pair<const char*, std::function<bool()>>> all = {
        {"stored file", [] { return writedatafile("scores.txt", "Ada 120 3\r\nBob 80 2\r\n"); }},
        {"settings", [] { return game_SaveSettings(Screen::start); }},
        {"player settings", [] { return game_SaveSettings(Screen::game); }},
        {"theme", [] { return game_SaveTheme("AB"); }},
        {"append", [] { return appendtask(task("New", 9), TODO_FILE, "") >= 0; }},
        {"replace", [] { return replacetask(0, task("Changed", 4)); }},
        {"delete", [] { return deletetask(1, TODO_FILE); }},
        {"heading", [] { return writeheading(TODO_FILE, "Other week"); }},
        {"sort", [] { return sorttasks(); }},
        {"complete", [] { return completetask(0) >= 0; }},
    };
    return all;
}

class DataSafety : public GameTest {
  protected:
    void SetUp() override {
        GameTest::SetUp();
        ASSERT_TRUE(platform::make_directory("edit"));
        std::strcpy(player_name, "AB"); // file number 86
        window_x = 40;
        board_theme = 4;
        ASSERT_TRUE(writedatafile("scores.txt", "Ada 100 2\r\n"));
        ASSERT_TRUE(game_SaveSettings(Screen::start) && game_SaveSettings(Screen::game));
        ASSERT_TRUE(game_SaveTheme("AB"));
        // Out of date order, so that sorting has to write.
        for (int day : {20, 10, 30}) appendtask(task("Task", day), TODO_FILE, "Week");
        appendtask(task("Old", 1), DONE_FILE, "Completed tasks");
        platform::headless::set_local_time({2026, 3, 0, 1, 0, 0, 0, 0});
    }

    std::map<std::string, std::string> snapshot() {
        std::map<std::string, std::string> files;
        for (const char* name : DATA_FILES) files[name] = readfile(name);
        return files;
    }
};

TEST_F(DataSafety, FullDiskFailsEverySaveAndKeepsTheFiles) {
    // From an empty disk to one with room for the smaller writes but not the larger ones.
    for (long long space : {0LL, 1LL, 30LL, 100LL, 200LL, 400LL}) {
        for (const auto& [name, save] : saves()) {
            const auto before = snapshot();
            platform::set_disk_space(space);
            const bool saved = save();
            platform::set_disk_space(-1);
            if (space == 0) {
                EXPECT_FALSE(saved) << name;
            }
            if (!saved) {
                EXPECT_EQ(snapshot(), before) << name << " with " << space << " bytes";
            }
        }
    }
    // The files still read, and the game goes on saving once there is room again.
    std::string scores;
    EXPECT_TRUE(readdatafile("scores.txt", scores));
    EXPECT_TRUE(game_LoadSettings(Screen::game) && game_LoadTheme("AB"));
    for (const auto& [name, save] : saves()) EXPECT_TRUE(save()) << name;
}

TEST_F(DataSafety, DamagedFileIsNotReplacedWhenItCannotBeKept) {
    std::vector<uint8_t> stored = lockbytes("scores.txt", std::vector<uint8_t>(300, 'Z'));
    stored[41] ^= 1; // a content byte no longer matches the checksum
    const std::string damaged(stored.begin(), stored.end());
    writefile("scores.txt", damaged);
    // Room for the new file's 75 bytes but not for a copy of the damaged one.
    platform::set_disk_space(300);
    EXPECT_FALSE(writedatafile("scores.txt", "Ada 1 1\r\n"));
    platform::set_disk_space(-1);
    EXPECT_EQ(readfile("scores.txt"), damaged);
    EXPECT_TRUE(writedatafile("scores.txt", "Ada 1 1\r\n"));
    EXPECT_EQ(readfile("scores.txt.damaged"), damaged);
}

// A file the game cannot read whole as its own (cut short, random bytes, one byte of a stored
// header changed) is kept as "NAME.damaged" before the game first replaces it, and the player is
// told once a run for each file; a plain file read whole is taken as it is.
TEST_F(DataSafety, FilesThatCannotBeReadWholeAreKeptAndToldOnce) {
    const struct {
        const char* path;
        std::string plain; // a file the game writes, in its plain form
        bool stored;       // written in the stored form
        std::function<bool()> save;
    } kinds[] = {
        {"scores.txt", "ADA,100,2,\r\nBOB,80,1,\r\n", true,
         [] { return game_StorePlayer("ZED", 1, 1, 0) || players_file.saved; }},
        {"edit\\AB.txt", "", true, [] { return game_WriteGame("AB", board, solution); }},
        {"settings.txt", "x40 y0 w520 h546>", true, [] { return game_SaveSettings(Screen::start); }},
        {"edit\\thame86.txt", "t4>", false, [] { return game_SaveTheme("AB"); }},
        {TODO_FILE,
         "Week_t\r\nDentist_x 14_D 5_M 2026_Y 9_h 30_m 0_s 0_? 0_j 1_a 10_n 0_e 0_f|\r\n", false,
         [] { return appendtask(task("New", 9), TODO_FILE, "") >= 0; }},
    };
    std::mt19937 random(7);
    std::string noise(200, '\0');
    for (char& c : noise) c = static_cast<char>(random());
    size_t told = 0;
    for (const auto& kind : kinds) {
        std::string plain = kind.plain;
        if (plain.empty()) { // a saved game as the game writes it
            ASSERT_TRUE(game_WriteGame("AB", board, solution));
            ASSERT_TRUE(readdatafile(kind.path, plain));
        }
        const std::vector<uint8_t> locked = lockbytes(kind.path, {plain.begin(), plain.end()});
        const std::string whole = kind.stored ? std::string(locked.begin(), locked.end()) : plain;
        std::vector<std::string> damages = {whole.substr(0, whole.size() / 2), noise};
        if (kind.stored) {
            for (size_t at : {3, 15}) { // in the outer header, in the checked layer's
                damages.push_back(whole);
                damages.back()[at] ^= 1;
            }
        }
        writefile(kind.path, plain); // a plain file read whole is no damage
        ASSERT_TRUE(kind.save()) << kind.path;
        EXPECT_EQ(readfile((std::string(kind.path) + ".damaged").c_str()), "<missing>");
        for (size_t i = 0; i < damages.size(); ++i) {
            writefile(kind.path, damages[i]);
            EXPECT_TRUE(kind.save()) << kind.path << " damage " << i;
            const std::string copy =
                std::string(kind.path) + ".damaged" + (i == 0 ? "" : std::to_string(i + 1));
            EXPECT_EQ(readfile(copy.c_str()), damages[i]) << copy;
        }
        ASSERT_EQ(hl::message_boxes().size(), ++told) << kind.path; // once for the file
        EXPECT_NE(hl::message_boxes().back().text.find(std::string(kind.path) + ".damaged\""),
                  std::string::npos);
    }
}

// Runs the saves with the data folder and "edit" read-only. Root writes into read-only folders,
// so as root the saves run in a child process of the unprivileged user "nobody". Returns the
// names of the saves that reported success.
std::string saves_in_readonly_folder() {
    chmod("edit", 0555);
    chmod(".", 0555);
    std::string succeeded;
    if (geteuid() != 0) {
        for (const auto& [name, save] : saves())
            if (save()) succeeded += std::string(name) + ";";
    } else {
        int report[2];
        if (pipe(report) != 0) return "no pipe";
        const pid_t child = fork();
        if (child == 0) {
            close(report[0]);
            if (setgid(65534) != 0 || setuid(65534) != 0) _exit(1);
            for (const auto& [name, save] : saves())
                if (save() && write(report[1], name, std::strlen(name)) < 0) _exit(1);
            _exit(0);
        }
        close(report[1]);
        char buffer[256];
        for (ssize_t n; (n = read(report[0], buffer, sizeof buffer)) > 0;)
            succeeded.append(buffer, static_cast<size_t>(n));
        close(report[0]);
        int status = 0;
        waitpid(child, &status, 0);
        if (!WIFEXITED(status) || WEXITSTATUS(status) != 0) succeeded += "child failed";
    }
    chmod(".", 0755);
    chmod("edit", 0755);
    return succeeded;
}

TEST_F(DataSafety, ReadOnlyFolderFailsEverySaveAndKeepsTheFiles) {
    chmod(folder.c_str(), 0755); // the test folder must be readable by the other user
    const auto before = snapshot();
    EXPECT_EQ(saves_in_readonly_folder(), "");
    EXPECT_EQ(snapshot(), before);
    for (const auto& [name, save] : saves()) EXPECT_TRUE(save()) << name;
}

TEST_F(DataSafety, CompletedTaskCutOffBetweenItsFilesEndsInOne) {
    const std::string open = readfile(TODO_FILE), done = readfile(DONE_FILE);
    // Cut off before the move was decided: only the completed file's new contents exist.
    writefile("todo_done.txt.move", "Completed tasks_t\r\nTask_x|\r\n");
    TaskRecord t;
    EXPECT_TRUE(readtask(0, t, DONE_FILE));
    EXPECT_FALSE(platform::file_exists("todo_done.txt.move"));
    EXPECT_EQ(readfile(TODO_FILE), open);
    EXPECT_EQ(readfile(DONE_FILE), done);

    // Cut off after the completed file was replaced: the open file follows at the next read.
    writefile(DONE_FILE, "Completed tasks_t\r\nMoved_x|\r\n");
    writefile("todo.txt.move", "Week_t\r\nStays_x|\r\n");
    EXPECT_TRUE(readtask(0, t, TODO_FILE));
    EXPECT_STREQ(t.description, "Stays");
    EXPECT_FALSE(platform::file_exists("todo.txt.move"));

    // The whole move: both new contents are put in place in order.
    writefile("todo_done.txt.move", "Completed tasks_t\r\nA_x|\r\nB_x|\r\n");
    writefile("todo.txt.move", "Week_t\r\n");
    EXPECT_FALSE(readtask(0, t, TODO_FILE));
    EXPECT_TRUE(readtask(1, t, DONE_FILE));
    EXPECT_STREQ(t.description, "B");
}

} // namespace
