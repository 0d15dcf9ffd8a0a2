// The players and their high-score table.
#pragma once

constexpr int PLAYER_NAME_SIZE = 12; // 11 characters and the terminator

extern char player_name[PLAYER_NAME_SIZE]; // the current player; the name dialog edits it
