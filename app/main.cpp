// The gridhollow executable: the whole program runs in game_Main.
#include "app/shell.h"

int main() {
    return game_Main();
}
