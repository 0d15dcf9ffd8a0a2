// The command line: help and version on stdout, wrong options on stderr, the data folder made,
// entered and held.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <fcntl.h>
#include <filesystem>
#include <regex>
#include <string>
#include <sys/file.h>
#include <unistd.h>
#include <vector>

#include "app/cmdline.h"
#include "platform/files.h"
#include "platform/headless/headless.h"
#include "players/settings.h"
#include "tests/support.h"
#include "todo/dates.h"
#include "todo/tasks.h"
#include "tools/driver/driver.h"

namespace hl = platform::headless;

namespace {

struct Outcome {
    int code;
    std::string out, err;
};

// Runs the command line on the arguments after the program's name, capturing both streams.
Outcome run(std::vector<std::string> args) {
    args.insert(args.begin(), "gridhollow");
    std::vector<char*> argv;
    for (std::string& a : args) argv.push_back(a.data());
    char *out_text = nullptr, *err_text = nullptr;
    size_t out_size = 0, err_size = 0;
    std::FILE* out = open_memstream(&out_text, &out_size);
    std::FILE* err = open_memstream(&err_text, &err_size);
    Outcome outcome{game_CommandLine(static_cast<int>(argv.size()), argv.data(), out, err), "", ""};
    std::fclose(out);
    std::fclose(err);
    outcome.out.assign(out_text, out_size);
    outcome.err.assign(err_text, err_size);
    std::free(out_text);
    std::free(err_text);
    return outcome;
}

const std::string USAGE =
    "Usage: gridhollow [--data-dir DIR] [--puzzles classic|designed] [--help] [--version]\n"
    "       gridhollow [--data-dir DIR] --export-ics FILE | --import-ics FILE | --reminders\n";

using CommandLineTest = GameTest;

} // namespace

TEST_F(CommandLineTest, HelpAndVersionPrintAndExitZero) {
    Outcome help = run({"--help"});
    EXPECT_EQ(help.code, 0);
    EXPECT_EQ(help.out.rfind(USAGE, 0), 0u);
    EXPECT_NE(help.out.find("--data-dir DIR"), std::string::npos);
    EXPECT_NE(help.out.find("--puzzles MODE"), std::string::npos);
    EXPECT_EQ(help.err, "");

    Outcome version = run({"--version"});
    EXPECT_EQ(version.code, 0);
    EXPECT_EQ(version.out.rfind("gridhollow ", 0), 0u);
    EXPECT_EQ(version.out.back(), '\n');
    EXPECT_EQ(version.err, "");

    // The first of them answers; what follows is not looked at.
    EXPECT_EQ(run({"--version", "--bogus"}).code, 0);
}

TEST_F(CommandLineTest, WrongOptionsPrintTheUsageToStderrAndExitTwo) {
    for (const std::vector<std::string>& args : {std::vector<std::string>{"--bogus"},
                                                 {"level5"},
                                                 {"-h"},
                                                 {"--data-dir"},
                                                 {"--data-direction"},
                                                 {"--bogus", "--help"},
                                                 {"--data-dir", ".", "--help=yes"},
                                                 {"--puzzles"},
                                                 {"--puzzles", "Classic"},
                                                 {"--puzzles="},
                                                 {"--puzzlesclassic"}}) {
        Outcome wrong = run(args);
        EXPECT_EQ(wrong.code, 2) << args[0];
        EXPECT_EQ(wrong.out, "") << args[0];
        EXPECT_EQ(wrong.err.rfind("gridhollow: ", 0), 0u) << args[0];
        EXPECT_NE(wrong.err.find(USAGE), std::string::npos) << args[0];
    }
    // Nothing was entered on the way.
    EXPECT_EQ(std::filesystem::current_path(), folder);
}

TEST_F(CommandLineTest, DataDirIsMadeAndEnteredBeforeTheGameRuns) {
    EXPECT_EQ(run({}).code, -1);
    EXPECT_EQ(std::filesystem::current_path(), folder);

    ASSERT_TRUE(platform::make_directory("household one"));
    EXPECT_EQ(run({"--data-dir", folder + "/household one"}).code, -1);
    EXPECT_EQ(std::filesystem::current_path(), folder + "/household one");
    // A relative folder, in the "=" form, made with the folder above it; the last one given counts.
    Outcome second = run({"--data-dir", "/", "--data-dir=../new/household two"});
    EXPECT_EQ(second.code, -1);
    EXPECT_EQ(second.out + second.err, "");
    EXPECT_EQ(std::filesystem::current_path(), folder + "/new/household two");
    EXPECT_TRUE(hl::message_boxes().empty());
}

TEST_F(CommandLineTest, DataDirThatCannotBeMadeIsToldInABoxAndEndsWithOne) {
    ASSERT_TRUE(platform::file_write("plain file", "x", 1));
    for (const char* dir : {"plain file/below", "plain file", ""}) {
        EXPECT_EQ(run({"--data-dir", dir}).code, 1) << dir;
        ASSERT_EQ(hl::message_boxes().size(), 1u) << dir;
        EXPECT_NE(hl::message_boxes()[0].text.find("data folder '" + std::string(dir) + "'"),
                  std::string::npos)
            << hl::message_boxes()[0].text;
        EXPECT_EQ(std::filesystem::current_path(), folder) << dir;
        hl::reset();
    }
}

// The game's own data is read where it was built (or installed), never from the data folder, where
// older versions kept a copy.
TEST_F(CommandLineTest, GameDataIsReadWhereTheGameIsNotFromTheDataFolder) {
    ASSERT_TRUE(platform::make_directory("old"));
    ASSERT_TRUE(platform::file_write("old/_data.loc", "stale", 5));
    ASSERT_TRUE(platform::file_write("old/alarm.wav", "stale", 5));
    ASSERT_EQ(run({"--data-dir", "old"}).code, -1);
    ASSERT_TRUE(drive_start());
    EXPECT_TRUE(hl::message_boxes().empty());
    EXPECT_TRUE(drive_pass(3));
    std::vector<uint8_t> old_copy; // left as it was
    EXPECT_TRUE(platform::file_read("_data.loc", old_copy) && old_copy.size() == 5);
}

// One game per data folder: while another copy holds its lock, a start on it says so and ends with
// 0, the holder's id left as it was; another folder runs, and so does this one once it is let go.
TEST_F(CommandLineTest, ASecondStartOnAFolderInUseSaysSoAndEndsWithZero) {
    ASSERT_TRUE(platform::file_write("gridhollow.lock", "77\n", 3));
    const int first = open("gridhollow.lock", O_RDWR);
    ASSERT_EQ(flock(first, LOCK_EX), 0);
    EXPECT_EQ(run({"--data-dir", folder}).code, 0);
    ASSERT_EQ(hl::message_boxes().size(), 1u);
    EXPECT_EQ(hl::message_boxes()[0].text, "Gridhollow is already running with this data folder.");
    std::vector<uint8_t> lock;
    EXPECT_TRUE(platform::file_read("gridhollow.lock", lock) && lock.size() == 3);
    EXPECT_EQ(run({"--data-dir", "elsewhere"}).code, -1);
    close(first);
    EXPECT_EQ(run({"--data-dir", folder}).code, -1);
    EXPECT_EQ(hl::message_boxes().size(), 1u);
}

TEST_F(CommandLineTest, PuzzlesSetTheModeOfTheRun) {
    EXPECT_EQ(run({"--puzzles", "classic"}).code, -1);
    EXPECT_EQ(run_puzzle_mode, PUZZLES_CLASSIC);
    EXPECT_EQ(run({"--puzzles=classic", "--data-dir", ".", "--puzzles=designed"}).code, -1);
    EXPECT_EQ(run_puzzle_mode, PUZZLES_DESIGNED);
    EXPECT_EQ(run({}).code, -1); // without it every player plays the mode chosen for them
    EXPECT_EQ(run_puzzle_mode, -1);
}

namespace {

// One task of every kind, with what a calendar line has to carry: escapes, a byte beyond ASCII,
// a line long enough to fold, days past the 28th, the alarm tick and warnings.
std::vector<TaskRecord> every_kind() {
    struct Row {
        std::string description;
        int year, month, day, hour, minute, repeat;
        bool alarm;
        int warn;
    };
    const Row rows[] = {{"Dentist, room 4; card \\ form", 2027, 5, 14, 9, 30, 0, true, 10},
                        {"Ann\xe9's birthday", 1990, 6, 15, 8, 0, REPEAT_BIRTHDAY, false, 0},
                        {"Water the plants", 2027, 1, 3, 7, 15, REPEAT_DAILY, true, 0},
                        {"Bins", 2027, 1, 4, 19, 0, REPEAT_WEEKLY, false, 999},
                        {"Rent", 2027, 1, 15, 12, 0, REPEAT_MONTHLY, false, 60},
                        {"Meter", 2027, 1, 29, 12, 0, REPEAT_MONTHLY, false, 0},
                        {"Invoice", 2027, 1, 30, 12, 0, REPEAT_MONTHLY, false, 0},
                        {"Pay day", 2027, 1, 31, 12, 0, REPEAT_MONTHLY, false, 0},
                        {"Tax", 2027, 4, 1, 10, 0, REPEAT_YEARLY, false, 0},
                        {"Leap day", 2024, 2, 29, 6, 0, REPEAT_YEARLY, true, 5},
                        {std::string(80, 'L') + ", folded", 2027, 3, 1, 0, 0, 0, false, 1}};
    std::vector<TaskRecord> tasks;
    for (const Row& r : rows) {
        TaskRecord& t = tasks.emplace_back();
        snprintf(t.description, sizeof t.description, "%s", r.description.c_str());
        auto u16 = [](int v) { return static_cast<uint16_t>(v); };
        t.when = {u16(r.year), u16(r.month), 0, u16(r.day), u16(r.hour), u16(r.minute), 0, 0};
        t.due = ticksfiletime(toticks(t.when));
        t.repeat = r.repeat;
        t.alarm = r.alarm;
        t.warn_minutes = u16(r.warn);
    }
    return tasks;
}

std::string text_of(const char* file) {
    std::vector<uint8_t> bytes;
    platform::file_read(file, bytes);
    return std::string(bytes.begin(), bytes.end());
}

std::string fields(const TaskRecord& t) {
    return std::string(t.description) + "|" + datetext(t.when) + " " + timetext(t.when) + "|" +
           std::to_string(filetimeticks(t.due)) + "|" + std::to_string(t.repeat) +
           (t.alarm ? "a" : "") + std::to_string(t.warn_minutes) + "|" + std::to_string(t.done);
}

} // namespace

// What goes out comes back, through the real command line into another folder; the completed task
// goes out marked so and is not added again.
TEST_F(CommandLineTest, CalendarExportThenImportGivesBackEveryKindOfTask) {
    const std::vector<TaskRecord> tasks = every_kind();
    ASSERT_GE(appendtasks(tasks, TODO_FILE, "Home"), 0);
    TaskRecord done = tasks[1];
    done.done = 1;
    ASSERT_GE(appendtask(done, DONE_FILE, "Completed tasks"), 0);
    ASSERT_EQ(run({"--export-ics", "cal.ics"}).code, 0);
    const std::string calendar = text_of("cal.ics");
    size_t uids = 0;
    for (size_t start = 0, end; (end = calendar.find("\r\n", start)) != std::string::npos;
         start = end + 2) {
        EXPECT_LE(end - start, 75u) << calendar.substr(start, end - start);
        uids += calendar.compare(start, 4, "UID:") == 0;
    }
    EXPECT_EQ(uids, tasks.size() + 1);
    ASSERT_EQ(run({"--export-ics", "again.ics"}).code, 0); // the same UIDs, another DTSTAMP maybe
    std::regex stamp("DTSTAMP:[0-9TZ]+");
    EXPECT_EQ(std::regex_replace(text_of("again.ics"), stamp, ""),
              std::regex_replace(calendar, stamp, ""));

    const Outcome imported = run({"--data-dir", "other", "--import-ics", "cal.ics"});
    EXPECT_EQ(imported.code, 0) << imported.err;
    EXPECT_NE(imported.out.find("Skipped VTODO \"Ann\xe9's birthday\" (line "), std::string::npos);
    EXPECT_NE(imported.out.find("Added 11 tasks, skipped 1 entries."), std::string::npos);
    const std::vector<TaskRecord> back = readtasks(text_of(TODO_FILE), {}).records;
    ASSERT_EQ(back.size(), tasks.size());
    for (size_t i = 0; i < tasks.size(); ++i) EXPECT_EQ(fields(back[i]), fields(tasks[i]));
}

// Each entry a task cannot hold is named with its line and why; the others are added.
TEST_F(CommandLineTest, CalendarImportListsEachEntryItSkipsAndWhy) {
    const std::string entries[] = {
        "SUMMARY:Standup\r\nDTSTART:20270104T090000\r\nRRULE:FREQ=WEEKLY;BYDAY=MO,WE",
        "SUMMARY:Yoga\r\nDTSTART:20270104T070000\r\nRRULE:FREQ=DAILY;INTERVAL=2",
        "SUMMARY:Flight\r\nDTSTART;TZID=Europe/Paris:20270301T070000",
        "SUMMARY:Holiday\r\nDTSTART;VALUE=DATE:20270801\r\nEXDATE:20280801",
        "SUMMARY:Call\r\nDTSTART:20270105T100000\r\nBEGIN:VALARM\r\nTRIGGER:-P2D\r\nEND:VALARM",
        "SUMMARY:Lunch\r\nDTSTART:20270106T123000\r\nRRULE:FREQ=MONTHLY\r\nBEGIN:VALARM\r\n"
        "ACTION:DISPLAY\r\nTRIGGER:-PT1H30M\r\nEND:VALARM"};
    std::string calendar = "BEGIN:VCALENDAR\r\n";
    for (const std::string& e : entries) calendar += "BEGIN:VEVENT\r\n" + e + "\r\nEND:VEVENT\r\n";
    calendar += "BEGIN:VTODO\r\nSUMMARY:Report\r\nDUE;VALUE=DATE:20270110\r\nEND:VTODO\r\n"
                "END:VCALENDAR\r\n";
    ASSERT_TRUE(platform::file_write("in.ics", calendar.data(), calendar.size()));
    const Outcome imported = run({"--import-ics", "in.ics"});
    EXPECT_EQ(imported.code, 0);
    EXPECT_EQ(imported.out,
              "Skipped VEVENT \"Standup\" (line 2): RRULE FREQ=WEEKLY;BYDAY=MO,WE cannot be "
              "expressed (only FREQ alone)\n"
              "Skipped VEVENT \"Yoga\" (line 7): RRULE FREQ=DAILY;INTERVAL=2 cannot be expressed "
              "(only FREQ alone)\n"
              "Skipped VEVENT \"Flight\" (line 12): DTSTART in the time zone Europe/Paris (only "
              "local times, UTC times and dates are read)\n"
              "Skipped VEVENT \"Holiday\" (line 16): EXDATE cannot be expressed\n"
              "Skipped VEVENT \"Call\" (line 21): the alarm -P2D (a task warns once, 1 to 999 "
              "minutes ahead)\n"
              "Added 2 tasks, skipped 5 entries.\n");
    const std::vector<TaskRecord> added = readtasks(text_of(TODO_FILE), {}).records;
    ASSERT_EQ(added.size(), 2u);
    EXPECT_EQ(fields(added[0]), "Lunch|2027/01/06 12:30:00|" +
                                    std::to_string(filetimeticks(added[0].due)) + "|490|0");
    EXPECT_EQ(fields(added[1]).substr(0, 27), "Report|2027/01/10 00:00:00|");
}

// A calendar cut short or not one at all, or a game holding the folder, adds nothing.
TEST_F(CommandLineTest, CalendarImportThatCannotBeWholeChangesNothing) {
    ASSERT_GE(appendtasks(every_kind(), TODO_FILE, ""), 0);
    ASSERT_EQ(run({"--export-ics", "cal.ics"}).code, 0);
    const std::string whole = text_of("cal.ics"), tasks = text_of(TODO_FILE);
    const int game = open("gridhollow.lock", O_RDWR | O_CREAT, 0666);
    ASSERT_EQ(flock(game, LOCK_EX | LOCK_NB), 0);
    Outcome refused = run({"--import-ics", "cal.ics"});
    EXPECT_EQ(refused.code, 1);
    EXPECT_NE(refused.err.find("a game is running"), std::string::npos) << refused.err;
    close(game);
    for (const std::string& text :
         {whole.substr(0, whole.size() / 3), whole.substr(0, whole.rfind("END:VCALENDAR")),
          whole.substr(0, whole.size() - 3), std::string("Hello\r\n"), std::string()}) {
        ASSERT_TRUE(platform::file_write("cut.ics", text.data(), text.size()));
        const Outcome cut = run({"--import-ics", "cut.ics"});
        EXPECT_EQ(cut.code, 1) << text.size();
        EXPECT_NE(cut.err.find("No task was added."), std::string::npos) << cut.err;
        EXPECT_EQ(text_of(TODO_FILE), tasks);
    }
    EXPECT_EQ(run({"--import-ics", "cal.ics"}).code, 0); // the whole file is added
    EXPECT_NE(text_of(TODO_FILE), tasks);
}
