// The command line: --help, --version, --data-dir DIR, --puzzles MODE and the calendar options,
// read before the game starts, and the data folder made ready.
#include "app/cmdline.h"

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <string>
#include <string_view>

#include "app/calendar_files.h"
#include "app/reminders.h"
#include "platform/files.h"
#include "platform/process.h"
#include "platform/window.h"
#include "players/settings.h"
#include "store/archive.h"

namespace {

constexpr const char* USAGE =
    "Usage: gridhollow [--data-dir DIR] [--puzzles classic|designed] [--help] [--version]\n"
    "       gridhollow [--data-dir DIR] --export-ics FILE | --import-ics FILE | --reminders\n";
constexpr const char* HELP =
    "Sudoku for several named players, with a small to-do organiser.\n"
    "\n"
    "  --data-dir DIR  keep the players, scores, saved games and tasks in the folder DIR\n"
    "                  (by default %s)\n"
    "  --puzzles MODE  every player plays MODE puzzles this run, whatever the options screen\n"
    "                  chose: classic (exactly one solution, harder with the level) or designed\n"
    "                  (the game's own)\n"
    "  --export-ics FILE\n"
    "                  write the open and completed tasks to FILE as an iCalendar file and exit;\n"
    "                  it runs beside a game on the same folder\n"
    "  --import-ics FILE\n"
    "                  add the events and to-dos of the iCalendar file FILE that a task can hold\n"
    "                  to the open tasks, list the entries left out and why, and exit; not while\n"
    "                  a game runs on the same folder\n"
    "  --reminders     run without a window: show a desktop notification when a task of the\n"
    "                  data folder falls due while no game runs on it; ends when no open task\n"
    "                  has a moment to come (started after login and when the game closes)\n"
    "  --help          print this help and exit\n"
    "  --version       print the version and exit\n";
constexpr std::string_view DATA_DIR = "--data-dir";
constexpr std::string_view PUZZLES = "--puzzles";
constexpr std::string_view EXPORT_ICS = "--export-ics";
constexpr std::string_view IMPORT_ICS = "--import-ics";
constexpr std::string_view REMINDERS = "--reminders";
constexpr const char* ALREADY_RUNNING = "Gridhollow is already running with this data folder.";

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

// The game's read-only files: beside the program in the build folder, or where the installation
// put them (GRIDHOLLOW_ASSETS, relative to the installed program). The current folder when the
// system does not tell where the program is.
std::string asset_folder() {
    const std::string program = platform::executable_folder();
    if (program.empty() || platform::file_exists((program + "/" + ARCHIVE_FILE).c_str()))
        return program;
    return program + "/" GRIDHOLLOW_ASSETS;
}

int tell(const std::string& text) {
    platform::message_box(text.c_str(), "Gridhollow", platform::MB_OK);
    return 1;
}

// Makes the data folder where it is missing and enters it; what went wrong, or empty.
std::string make_and_enter(const char* dir) {
    if (platform::make_folders(dir) && platform::change_directory(dir)) return "";
    return std::string("Gridhollow cannot make or enter its data folder '") + dir +
           "': " + std::strerror(errno) + ".";
}

// Makes the data folder where it is missing, enters it and takes its lock, before any file of it is
// read or written. A folder that cannot be made or entered is told in a box (exit code 1), one
// that cannot be written in too, and the game runs on it (every save then says it failed);
// while another copy of the game runs in it, that copy's window comes to the front, or a box says
// so, and this one ends with 0 having changed nothing. Returns -1 when the game runs.
int enter_data_folder(const char* dir, bool reminders) {
    if (const std::string trouble = make_and_enter(dir); !trouble.empty()) return tell(trouble);
    if (reminders) {
        platform::run_instead(REMINDERS_PROGRAM);
        return tell(std::string("Gridhollow cannot start ") + REMINDERS_PROGRAM + ": " +
                    std::strerror(errno) + ".");
    }
    if (!platform::current_folder_writable()) // the players' files still read: the game runs on
        tell(std::string("Gridhollow cannot write in its data folder '") + dir +
             "'. You can play, but nothing you change can be saved.");
    long holder = 0;
    if (platform::lock_current_folder(holder)) return -1;
    if (!platform::window_raise_other(holder)) tell(ALREADY_RUNNING);
    return 0;
}

// The calendar options, with the files named relative to the folder the program started in. They
// open no window: what goes wrong is said on err, the data files' messages too. An export reads
// the task files, which a running game only ever replaces whole, so it runs beside a game; an
// import writes "todo.txt" and takes the folder's lock: while a game holds it, nothing is added.
int calendar_command(const char* dir, const char* export_file, const char* import_file,
                     std::FILE* out, std::FILE* err) {
    if (export_file && import_file)
        return usage_error(err, "give --export-ics or --import-ics, not both:", import_file);
    std::error_code error;
    const std::string file =
        std::filesystem::absolute(export_file ? export_file : import_file, error).string();
    platform::message_boxes_on_terminal();
    if (const std::string trouble = make_and_enter(dir); !trouble.empty()) {
        std::fprintf(err, "%s\n", trouble.c_str());
        return 1;
    }
    if (export_file) return export_calendar(file.c_str(), out, err);
    long holder = 0;
    if (!platform::lock_current_folder(holder)) {
        std::fprintf(err,
                     "gridhollow: a game is running with the data folder '%s'; close it and "
                     "import again. No task was added.\n",
                     dir);
        return 1;
    }
    return import_calendar(file.c_str(), out, err);
}

} // namespace

int game_CommandLine(int argc, char** argv, std::FILE* out, std::FILE* err) {
    const char* data_dir = nullptr;
    const char *export_file = nullptr, *import_file = nullptr;
    bool reminders = false;
    run_puzzle_mode = -1;
    for (int i = 1; i < argc; ++i) {
        const std::string_view arg = argv[i];
        if (arg == "--help") {
            std::fputs(USAGE, out);
            std::fprintf(out, HELP, platform::default_data_folder_name());
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
        } else if (is_option(EXPORT_ICS, arg) || is_option(IMPORT_ICS, arg)) {
            const bool exporting = is_option(EXPORT_ICS, arg);
            const char* file = option_value(exporting ? EXPORT_ICS : IMPORT_ICS, argc, argv, i);
            if (!file || !*file) return usage_error(err, "a calendar file must follow", argv[i]);
            (exporting ? export_file : import_file) = file;
        } else if (arg == REMINDERS) {
            reminders = true;
        } else {
            return usage_error(err, "unknown option", argv[i]);
        }
    }
    const std::string folder = data_dir ? data_dir : platform::default_data_folder();
    if (export_file || import_file)
        return calendar_command(folder.c_str(), export_file, import_file, out, err);
    platform::set_asset_folder(asset_folder());
    return enter_data_folder(folder.c_str(), reminders);
}
