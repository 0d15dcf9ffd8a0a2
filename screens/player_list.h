// The clickable list of players on the start and options screens: rows, scrolling and the toggle.
#pragma once
#include <string>
#include <vector>

#include "players/players.h"
#include "screens/focus.h"
#include "screens/layout.h"

// The list's scrolling and size survive its visits; lives for the run, wiped by player_list_reset.
struct PlayerListRun {
    int frame = -1;             // the list's first-frame memory
    int list_first_row = 1;     // first record position shown (scroll position), from 1
    bool list_expanded = false; // the start screen shows 10 rows instead of 3
};
// The players file as the list read it on its first frame; wiped and read afresh on every visit.
struct PlayerListVisit {
    bool missing = false;       // the players file was not there
    FileLook looked;            // when it was read, or looked for (look_again)
    std::string list_text;      // the plain players file, whole
    int list_visible_chars = 0; // letters, digits, ":" and spaces in list_text; below 3: empty
    std::vector<PlayerRecord> records; // the records shown
};
// The list's state as it stands, for reading.
const PlayerListRun& player_list_run();
const PlayerListVisit& player_list_visit();

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
ListFocus player_list_focus(const Focus& focus, int group, const FocusKeys& keys, bool act);

// The list's two forms: the start screen's, with a bar and the column titles above the rows, and
// the options screen's.
constexpr int LIST_START_FORM = 0, LIST_OPTIONS_FORM = 1;

void player_list_reset();
// Every entry into a screen that shows the list calls this: the list's visit starts afresh at its
// next frame, which sorts and reads the players file.
void player_list_enter();
// One frame of the list at (x, y) in the given form (LIST_..._FORM). Returns the selected row (0
// for none).
int game_DisplayPlayers(float x, float y, int form, int preselected, float row_height,
                        int visible_rows, const ListFocus& focus = {});
// The rows the list shows as its file was last read: 0 while the table is missing or empty.
int player_list_rows();
