// The gridhollow executable: the command line, then the whole program runs in game_Main.
#include <cstdio>

#include "app/cmdline.h"
#include "app/reminders.h"
#include "app/shell.h"

int main(int argc, char** argv) {
    const int exit_code = game_CommandLine(argc, argv, stdout, stderr);
    if (exit_code == RUN_REMINDERS) return game_Reminders();
    return exit_code >= 0 ? exit_code : game_Main();
}
