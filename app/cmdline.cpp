// The command line: --help, --version and --data-dir DIR, read before the game starts.
#include "app/cmdline.h"

#include <cstring>
#include <string_view>

#include "platform/files.h"

namespace {

constexpr const char* USAGE = "Usage: gridhollow [--data-dir DIR] [--help] [--version]\n";
constexpr const char* HELP =
    "Sudoku for several named players, with a small to-do organiser.\n"
    "\n"
    "  --data-dir DIR  keep the players, scores, saved games and tasks in the folder DIR\n"
    "                  (by default $XDG_DATA_HOME/gridhollow, that is ~/.local/share/gridhollow)\n"
    "  --help          print this help and exit\n"
    "  --version       print the version and exit\n";
constexpr std::string_view DATA_DIR = "--data-dir";

int usage_error(std::FILE* err, const char* what, const char* arg) {
    std::fprintf(err, "gridhollow: %s '%s'\n%s", what, arg, USAGE);
    return 2;
}

} // namespace

int game_CommandLine(int argc, char** argv, std::FILE* out, std::FILE* err) {
    const char* data_dir = nullptr;
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
        if (arg == DATA_DIR) {
            if (i + 1 == argc) return usage_error(err, "a folder must follow", argv[i]);
            data_dir = argv[++i];
        } else if (arg.starts_with(DATA_DIR) && arg[DATA_DIR.size()] == '=') {
            data_dir = argv[i] + DATA_DIR.size() + 1;
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
