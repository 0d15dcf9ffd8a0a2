// The keyboard focus: its keys, its moves over groups of controls and its mark.
#include "screens/focus.h"

#include <algorithm>

#include "gfx/sprites.h"
#include "input/keyboard.h"

namespace {

// The corners on the sheet (top left, top right, bottom left, bottom right), 9 pixels square,
// drawn 3 pixels outside the area.
constexpr platform::Rect CORNERS[4] = {
    {420, 160, 429, 169}, {433, 160, 442, 169}, {420, 173, 429, 182}, {433, 173, 442, 182}};
constexpr float CORNER = 9, OUTSET = 3;

// The next group from `group` in the direction (+1 or -1) with something to focus, wrapping;
// `group` itself when no other has.
int next_group(int group, int direction, std::span<const int> sizes) {
    const int count = static_cast<int>(sizes.size());
    for (int step = 1; step <= count; ++step) {
        const int k = ((group + direction * step) % count + count) % count;
        if (sizes[k] > 0) return k;
    }
    return group;
}

} // namespace

FocusKeys read_focus_keys() {
    const bool down = keyboard.keypressed(DIK_DOWN, true);
    const bool up = keyboard.keypressed(DIK_UP, false);
    const bool right = keyboard.keypressed(DIK_RIGHT, false);
    const bool left = keyboard.keypressed(DIK_LEFT, false);
    const bool tab = keyboard.keypressed(DIK_TAB, false);
    const bool enter = keyboard.keypressed(DIK_RETURN, false);
    const bool space = keyboard.keypressed(DIK_SPACE, false);
    const bool pad_enter = keyboard.keypressed(DIK_NUMPADENTER, false);
    const bool shift = keyboard.held(DIK_LSHIFT, false) || keyboard.held(DIK_RSHIFT, false);
    // Alt+Enter is the full-screen chord, not an act.
    const bool alt = keyboard.held(DIK_LMENU, false) || keyboard.held(DIK_RMENU, false);
    FocusKeys keys;
    keys.item = (down || right ? 1 : 0) - (up || left ? 1 : 0);
    keys.group = tab ? (shift ? -1 : 1) : 0;
    keys.act = ((enter || pad_enter) && !alt) || space;
    if (keys.act) keyboard.readchar(false);
    return keys;
}

bool move_focus(Focus& focus, const FocusKeys& keys, std::span<const int> sizes) {
    if (!keys.any()) return false;
    // Groups come and go (the lists hide each other, a file is read anew): a key that finds the
    // focus unshown or on a control no longer shown only shows it, on something shown.
    const bool found = focus.shown && sizes[focus.group] > 0;
    if (sizes[focus.group] <= 0) {
        focus.group = next_group(focus.group, 1, sizes);
        focus.item = 0;
    }
    if (sizes[focus.group] <= 0) return false; // nothing to focus
    focus.item = std::clamp(focus.item, 0, sizes[focus.group] - 1);
    focus.shown = true;
    if (!found) return false;
    if (keys.group != 0) {
        focus.group = next_group(focus.group, keys.group, sizes);
        focus.item = 0;
    } else if (keys.item != 0) {
        focus.item += keys.item;
        if (focus.item < 0 || focus.item >= sizes[focus.group]) {
            focus.group = next_group(focus.group, keys.item, sizes);
            focus.item = keys.item > 0 ? 0 : sizes[focus.group] - 1;
        }
    }
    return keys.act;
}

void draw_focus_mark(const Area& area) {
    const float left = area.left - OUTSET, right = area.right + OUTSET - CORNER;
    const float top = area.top - OUTSET, bottom = area.bottom + OUTSET - CORNER;
    const float xs[4] = {left, right, left, right}, ys[4] = {top, top, bottom, bottom};
    for (int i = 0; i < 4; ++i)
        draw_sheet_region(CORNERS[i], xs[i], ys[i], 1, CellAnchor::top_left);
}
