// The command line: help and version on stdout, wrong options on stderr, the data folder made,
// entered and held.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <fcntl.h>
#include <filesystem>
#include <string>
#include <sys/file.h>
#include <unistd.h>
#include <vector>

#include "app/cmdline.h"
#include "platform/files.h"
#include "platform/headless/headless.h"
#include "players/settings.h"
#include "tests/support.h"
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

const std::string USAGE = "Usage: gridhollow [--data-dir DIR] [--puzzles classic|designed] "
                          "[--reminders] [--help] [--version]\n";

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
