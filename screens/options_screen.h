// The options screen: a player's board theme and puzzle mode, or removing a player.
#pragma once

#include "players/settings.h"
#include "screens/focus.h"

extern float options_fade;          // opacity of the background, 0 to 100
extern int options_selection;       // the list row chosen, 0 for none
extern float options_theme_row;     // the theme row marked
extern bool options_delete_mode;    // confirming removes the chosen player instead
extern float options_warning_timer; // the "no player selected." blink, 0 when off

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
    int puzzle_mode = PUZZLES_DESIGNED; // the puzzle mode ticked
    Focus focus;
};
extern OptionsVisit options_visit;

void options_reset();
// Entering the screen: nothing chosen, the current theme marked, the player list read again.
void options_screen_enter();

// Draws the seven theme samples: each row's empty-cell and given-cell image.
void game_DisplayThemes();
// One frame of the options screen.
void game_OptionsScreen();
