// The players and their high-score table.
#include "players/players.h"
