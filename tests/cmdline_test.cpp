// The command line: help and version on stdout, wrong options on stderr, the data folder entered.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "app/cmdline.h"
#include "platform/files.h"
#include "players/settings.h"
#include "tests/support.h"

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
    "Usage: gridhollow [--data-dir DIR] [--puzzles classic|designed] [--help] [--version]\n";

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

TEST_F(CommandLineTest, DataDirIsEnteredBeforeTheGameRuns) {
    EXPECT_EQ(run({}).code, -1);
    EXPECT_EQ(std::filesystem::current_path(), folder);

    ASSERT_TRUE(platform::make_directory("household one"));
    ASSERT_TRUE(platform::make_directory("household two"));
    EXPECT_EQ(run({"--data-dir", folder + "/household one"}).code, -1);
    EXPECT_EQ(std::filesystem::current_path(), folder + "/household one");
    // A relative folder, in the "=" form, and the last one given counts.
    Outcome second = run({"--data-dir", "/", "--data-dir=../household two"});
    EXPECT_EQ(second.code, -1);
    EXPECT_EQ(second.out + second.err, "");
    EXPECT_EQ(std::filesystem::current_path(), folder + "/household two");
}

TEST_F(CommandLineTest, DataDirThatCannotBeEnteredEndsWithOneAndStaysPut) {
    ASSERT_TRUE(platform::file_write("plain file", "x", 1));
    for (const char* dir : {"missing", "plain file", ""}) {
        Outcome missing = run({"--data-dir", dir});
        EXPECT_EQ(missing.code, 1) << dir;
        EXPECT_NE(missing.err.find("cannot enter the data folder"), std::string::npos) << dir;
        EXPECT_EQ(std::filesystem::current_path(), folder) << dir;
    }
}

TEST_F(CommandLineTest, PuzzlesSetTheModeOfTheRun) {
    EXPECT_EQ(run({"--puzzles", "classic"}).code, -1);
    EXPECT_EQ(run_puzzle_mode, PUZZLES_CLASSIC);
    EXPECT_EQ(run({"--puzzles=classic", "--data-dir", ".", "--puzzles=designed"}).code, -1);
    EXPECT_EQ(run_puzzle_mode, PUZZLES_DESIGNED);
    EXPECT_EQ(run({}).code, -1); // without it every player plays the mode chosen for them
    EXPECT_EQ(run_puzzle_mode, -1);
}
