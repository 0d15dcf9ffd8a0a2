// The check that a newly typed name is free, with its blinking warning when it is taken.
#pragma once

extern int name_check_result;  // 0 the new name is free, 2 it is taken
extern float name_check_timer; // the taken-name warning's time, 100 units a second

// Wiped by name_check_reset (game_Reset).
struct NameCheckState {
    int frame = -1; // the check's first-frame memory
};
extern NameCheckState name_check_state;

void name_check_reset();
// Called every frame while a newly typed name waits: 3 the name is empty, 0 it is free, 1 it is
// taken and the warning still blinks, 2 it is taken and the warning is over or Escape was pressed.
int game_CheckNewPlayer(const char* name);
