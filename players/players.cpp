// The players and their high-score table.
#include "players/players.h"

char player_name[PLAYER_NAME_SIZE] = {};
