// The next-level screen: the tally of a finished level's bonuses into the score, then play on or
// save and stop.
#pragma once
#include <cstdint>

#include "screens/focus.h"

// The tally's phases.
enum : int32_t { TALLY_TIME = 0, TALLY_ACCURACY, TALLY_TOTAL, TALLY_LEVEL, TALLY_DONE };

constexpr int32_t TALLY_TIME_START = 90000; // ticks from which the time bonus counts down
constexpr int32_t TALLY_ERRORS_START = 10;  // wrong entries from which the accuracy bonus counts

// The buttons the keyboard focus moves over, left to right.
enum NextLevelButton : int { NEXT_SAVE_AND_STOP, NEXT_PLAY_ON, NEXT_BUTTONS };

// The tally and the buttons' focus; wiped on every entry into the screen (next_level_screen_enter).
struct NextLevelVisit {
    int32_t tally_phase = TALLY_TIME;
    int32_t time_left = TALLY_TIME_START; // counts down from 90000 to elapsed_ticks
    int32_t time_bonus = 0;
    int32_t errors_left = TALLY_ERRORS_START; // counts down from 10 to wrong_entries
    int32_t accuracy_bonus = 0;
    int32_t level_total = 0;     // counts up to time_bonus + accuracy_bonus, added to the score
    int32_t level_bonus = 0;     // counts up to 100, added to the score
    float tally_accumulator = 0; // frame steps since the last tally step
    float fade = 0;              // opacity of the background, 0 to 100
    Focus focus{.group = NEXT_PLAY_ON}; // moves and acts once the tally is done
};
// The screen's visit as it stands, for reading.
const NextLevelVisit& next_level_screen_visit();

void next_level_screen_reset();
// Entering the screen: the tally and the fade start afresh.
void next_level_screen_enter();

// When the system ends the program on this screen: the tally's bonuses are counted in whole, and
// the player and the next level's saved game are stored as save-and-stop stores them.
bool game_NextLevelSaveOnEnd();

// One frame of the next-level screen; returns level_total.
int32_t game_NextLevelScreen();
// When the screen next changes by itself, in passes (layout.h): at once while it fades in or the
// tally runs (up to the frame that draws it done).
int next_level_screen_next_change(bool seen);
