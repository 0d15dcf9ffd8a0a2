// The gridhollow executable: the command line, then the whole program runs in game_Main.
#include <cstdio>

#include "app/cmdline.h"
#include "app/shell.h"

int main(int argc, char** argv) {
    const int exit_code = game_CommandLine(argc, argv, stdout, stderr);
    return exit_code >= 0 ? exit_code : game_Main();
}
