// The start screen: the title, the three buttons, the player list, the to-do panel, the web-link
// panel and the window-edge controls; continuing a player's game and starting a new one.
#pragma once

#include "screens/focus.h"

// The to-do panel's values the start screen keeps from frame to frame and from visit to visit;
// wiped only when the game resets (start_screen_reset).
struct StartTodo {
    int selection = 0; // the panel's selection as the start screen keeps it
    int count = 0;     // the task count the panel reported
    float width = 0;   // r of the panel's previous frame: the x just right of its rows
};
// For reading only (tests).
const StartTodo& start_screen_todo();

// The groups the keyboard focus moves over, top down: the to-do panel's tasks and buttons, the
// player list's rows and the three buttons.
enum StartFocusGroup : int {
    START_TASKS,
    START_PANEL_BUTTONS,
    START_LIST,
    START_NEW_GAME,
    START_OPTIONS,
    START_QUIT,
    START_GROUPS
};

// Wiped on every entry into the screen (start_screen_enter).
struct StartVisit {
    float fade = 0;                   // opacity of the background, 0 to 100
    Focus focus{.group = START_LIST}; // the first key finds it on the player list, or New game
};
// The screen's visit as it stands, for reading.
const StartVisit& start_screen_visit();

void start_screen_reset();

// Entering the start screen: the fade starts afresh, the window placement is read and the player
// list reads the players file again.
void start_screen_enter();
// One frame of the start screen.
void game_StartScreen();
// When the screen next changes by itself, in passes (layout.h): its panels' changes (the to-do
// panel's alarms even unseen), at once while it fades in.
int start_screen_next_change(bool seen);
// Level 1, score 0, a new puzzle, and the new name waits for the game screen's check.
void game_NewGame();
