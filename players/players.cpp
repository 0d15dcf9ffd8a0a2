// The players and their high-score table.
#include "players/players.h"

int list_first_row = 1;
int list_expanded = 0;
char list_hover_name[52] = {};

void players_reset() {
    list_first_row = 1;
    list_expanded = 0;
    list_hover_name[0] = '\0';
}

int game_CheckNewPlayer(const char*) {
    return 0;
}
bool game_StorePlayer(const char*, int32_t, int32_t, int) {
    return false;
}
bool game_LoadPlayer(int, char*, int32_t*, int32_t*) {
    return false;
}
void game_SortScores() {}
bool game_RemovePlayer(int) {
    return false;
}
int game_DisplayPlayers(float, float, int, int, float, int, int*) {
    return 0;
}
