// The options screen: a player's board theme and puzzle mode, or removing a player.
#pragma once

#include "players/settings.h"
#include "screens/focus.h"

// The groups the keyboard focus moves over: the list's rows, the theme rows, the remove box, the
// two puzzle modes, Confirm and Back.
enum OptionsFocusGroup : int {
    OPTIONS_LIST,
    OPTIONS_THEMES,
    OPTIONS_REMOVE,
    OPTIONS_PUZZLES,
    OPTIONS_CONFIRM,
    OPTIONS_BACK,
    OPTIONS_GROUPS
};

// Wiped on every entry into the screen (options_screen_enter).
struct OptionsVisit {
    float fade = 0;                     // opacity of the background, 0 to 100
    int options_selection = 0;          // the list row chosen, 0 for none
    float options_theme_row = 0;        // the theme row marked
    bool options_delete_mode = false;   // confirming removes the chosen player instead
    float options_warning_timer = 0;    // the "no player selected." blink, 0 when off
    int puzzle_mode = PUZZLES_DESIGNED; // the puzzle mode ticked
    Focus focus;
};
// The screen's visit as it stands, for reading.
const OptionsVisit& options_screen_visit();

void options_screen_reset();
// Entering the screen: nothing chosen, the current theme marked, the player list read again.
void options_screen_enter();

// One frame of the options screen.
void game_OptionsScreen();
// When the screen next changes by itself, in passes (layout.h): at once while it fades in, else the
// warning's blink while it runs.
int options_screen_next_change(bool seen);
