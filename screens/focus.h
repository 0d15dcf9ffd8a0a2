// The keyboard focus of the start, next-level and options screens: the keys that move it and act,
// its moves over a screen's groups of controls, and the mark drawn round the focused control.
#pragma once
#include <span>

#include "input/area.h"

// One frame's presses of the focus keys.
struct FocusKeys {
    int item = 0;     // Down or Right +1, Up or Left -1: the next or previous control or list row
    int group = 0;    // Tab +1, Shift+Tab -1: the first control of the next or previous group
    bool act = false; // Enter, Space or keypad Enter: the focused control acts as if clicked

    bool any() const { return item != 0 || group != 0 || act; }
};

// No group: the keys act on none of a screen's controls.
constexpr int NO_GROUP = -1;

// Reads the focus keys' presses; a screen calls it once a frame, while no box over it has the
// keyboard. A press that acts is taken whole: a box it opens does not find its Enter or Space
// typed.
FocusKeys read_focus_keys();

// A screen's focus: an item of one of its groups of controls (a button is a group of one, a list
// or a column of choices a group of its rows). It lives in the screen's per-visit state.
struct Focus {
    int group = 0, item = 0;
    bool shown = false; // the keyboard was used on this visit: the mark is drawn
};

// Moves the focus by the keys over groups of the given sizes (0: the group is not shown now);
// Tab and the arrows wrap round. The first key of a visit only shows the focus where it stands
// (or on the next shown group), as does a key after the focused group went. Returns whether the
// focused control acts.
bool move_focus(Focus& focus, const FocusKeys& keys, std::span<const int> sizes);

// Whether the mark is on the group's item.
inline bool focus_on(const Focus& focus, int group, int item = 0) {
    return focus.shown && focus.group == group && focus.item == item;
}

// The mark: four amber corners just outside the area.
void draw_focus_mark(const Area& area);
