// The clickable list of players on the start and options screens: rows, scrolling and the toggle.
#pragma once
#include <string>
#include <vector>

#include "players/players.h"
#include "screens/focus.h"

extern int list_first_row;     // first record position shown (scroll position), from 1
extern int list_expanded;      // 0: the start screen shows 3 rows, 1: 10 rows
extern std::string list_text;  // the plain players file as the list last read it, whole
extern int list_visible_chars; // letters, digits, ":" and spaces in list_text; below 3: empty

// Wiped by player_list_reset (game_Reset); the records are read afresh on the list's first frame.
struct ListState {
    int frame = -1;                    // the list's first-frame memory
    bool missing = false;              // the players file was not there at the last reading
    std::vector<PlayerRecord> records; // the records shown, as last read
};
extern ListState list_state;

// The keyboard's part in one frame of the list, from the screen that shows it: the record the focus
// is on (from 1; 0 when the focus is elsewhere or not shown), whether the keys moved it there (the
// list scrolls as its scroll controls do until the record is in view) and whether they pick it,
// as a click on its row does.
struct ListFocus {
    int record = 0;
    bool moved = false;
    bool pick = false;
};

// The list's part of a screen's focus whose group `group` is the list's rows.
ListFocus list_focus(const Focus& focus, int group, const FocusKeys& keys, bool act);

void player_list_reset();
// Every entry into a screen that shows the list calls this: the list reads the players file afresh
// (sorted) at its next frame.
void players_list_enter();
// One frame of the list at (x, y): mode 0 the start-screen form, 1 the options form. Returns the
// selected row (0 for none); toggle, when given, receives list_expanded.
int game_DisplayPlayers(float x, float y, int mode, int preselected, float row_height,
                        int visible_rows, int* toggle, const ListFocus& focus = {});
// The rows the list shows as its file was last read: 0 while the table is missing or empty.
int players_list_rows();
