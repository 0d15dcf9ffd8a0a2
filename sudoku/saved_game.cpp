// Saved games (stubs until they are built).
#include "sudoku/saved_game.h"

bool game_SaveGame() {
    return false;
}
bool game_WriteGame(const char*, const int32_t*, const int32_t*) {
    return false;
}
int game_LoadGame(const char*, int32_t*, int32_t*) {
    return 0;
}
