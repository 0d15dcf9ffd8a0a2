// The command line: --help, --version, --data-dir DIR and --puzzles MODE, read before the game
// starts.
#include "app/cmdline.h"

#include <cstring>
#include <string_view>

#include "platform/files.h"
#include "players/settings.h"

namespace {

constexpr const char* USAGE =
    "Usage: gridhollow [--data-dir DIR] [--puzzles classic|designed] [--help] [--version]\n";
constexpr const char* HELP =
    "Sudoku for several named players, with a small to-do organiser.\n"
    "\n"
    "  --data-dir DIR  keep the players, scores, saved games and tasks in the folder DIR\n"
    "                  (by default $XDG_DATA_HOME/gridhollow, that is ~/.local/share/gridhollow)\n"
    "  --puzzles MODE  every player plays MODE puzzles this run, whatever the options screen\n"
    "                  chose: classic (exactly one solution, harder with the level) or designed\n"
    "                  (the game's own)\n"
    "  --help          print this help and exit\n"
    "  --version       print the version and exit\n";
constexpr std::string_view DATA_DIR = "--data-dir";
constexpr std::string_view PUZZLES = "--puzzles";

int usage_error(std::FILE* err, const char* what, const char* arg) {
    std::fprintf(err, "gridhollow: %s '%s'\n%s", what, arg, USAGE);
    return 2;
}

// The option's value: the next argument, or what follows "=" in this one; null when there is none.
const char* option_value(std::string_view option, int argc, char** argv, int& i) {
    const std::string_view arg = argv[i];
    if (arg == option) return i + 1 < argc ? argv[++i] : nullptr;
    return argv[i] + option.size() + 1;
}

bool is_option(std::string_view option, std::string_view arg) {
    return arg == option || (arg.starts_with(option) && arg[option.size()] == '=');
}

} // namespace

int game_CommandLine(int argc, char** argv, std::FILE* out, std::FILE* err) {
    const char* data_dir = nullptr;
    run_puzzle_mode = -1;
    for (int i = 1; i < argc; ++i) {
        const std::string_view arg = argv[i];
        if (arg == "--help") {
            std::fprintf(out, "%s%s", USAGE, HELP);
            return 0;
        }
        if (arg == "--version") {
            std::fputs("gridhollow " GRIDHOLLOW_VERSION "\n", out);
            return 0;
        }
        if (is_option(DATA_DIR, arg)) {
            data_dir = option_value(DATA_DIR, argc, argv, i);
            if (!data_dir) return usage_error(err, "a folder must follow", argv[i]);
        } else if (is_option(PUZZLES, arg)) {
            const char* mode = option_value(PUZZLES, argc, argv, i);
            if (!mode) return usage_error(err, "classic or designed must follow", argv[i]);
            if (std::string_view(mode) == "classic")
                run_puzzle_mode = PUZZLES_CLASSIC;
            else if (std::string_view(mode) == "designed")
                run_puzzle_mode = PUZZLES_DESIGNED;
            else
                return usage_error(err, "puzzles are classic or designed, not", mode);
        } else {
            return usage_error(err, "unknown option", argv[i]);
        }
    }
    if (data_dir && !platform::change_directory(data_dir)) {
        std::fprintf(err, "gridhollow: cannot enter the data folder '%s'\n", data_dir);
        return 1;
    }
    return -1;
}
