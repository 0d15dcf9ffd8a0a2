#!/bin/sh
# A level played from start to finish with the keyboard alone, on the real program under an X
# server, keys held as people hold them: the focus to New game, a name typed, the first puzzle of a
# fresh program solved with the arrows and the digit keys, every entry on the disk as it is made.
# Midway the program is killed (kill -9); started again, the player is continued by the keys and
# every entry but the last is there. Then a wrong digit undone with Ctrl+Z, a pencil mark, a pause,
# the last digit, Save and stop on the next-level screen, and Escape to quit.
# Usage: xvfb_keys_test.sh GRIDHOLLOW_BINARY BUILD_DIR
BINARY=$(readlink -f "$1")
BUILD=$(readlink -f "$2")
. "$(dirname "$0")/xvfb_lib.sh"
LAYOUT=de # Ctrl+Z is the key that says Z, where a US keyboard has Y
name=KEYS
# The first puzzle of a fresh program at level 1 and the grid it was cut from: four empty cells,
# at (5, 2), (7, 2), (2, 3) and (0, 7): 1, 6, 3 and 7.
puzzle=169253487437896521825470903510627849946185372278349156392568714054912638681734295
grid=169253487437896521825471963513627849946185372278349156392568714754912638681734295

# The board of the saved game as it stands on the disk: 81 codes, one line.
saved_board() {
    (cd "$data" && "$BUILD/gridhollow_show_file" "edit\\$name.txt" 2>/dev/null) |
        tr ',' '\n' | head -n 81 | tr '\n' ' '
}
# The board expected with the first COUNT empty cells entered rightly.
expected_board() {
    python3 - "$puzzle" "$grid" "$1" <<'PYTHON'
import sys
puzzle, grid, count = sys.argv[1], sys.argv[2], int(sys.argv[3])
codes = []
for p, g in zip(puzzle, grid):
    if p == '0' and count > 0:
        codes.append(str(10 + int(g)))
        count -= 1
    else:
        codes.append(p)
print(' '.join(codes) + ' ', end='')
PYTHON
}
expect_saved() {
    want=$(expected_board "$1")
    for _ in $(seq 50); do [ "$(saved_board)" = "$want" ] && return 0; sleep 0.1; done
    fail "after $1 entries the saved game holds: $(saved_board)"
}

start_game
tap Tab # shows the focus, on New game while the list is empty
tap Return
type_keys "$name"
tap Return
wait_for scores.txt || fail "no scores.txt after the name was entered"
# The selection starts on the first empty cell, (5, 2).
tap 1
expect_saved 1
tap Right
tap Right
tap 6
kill -9 "$game_pid" # at once: the entry may not be on the disk yet
wait "$game_pid" 2>/dev/null
launch_game
tap Tab # shows the focus, on the player's row
tap Return
sleep 0.5
# Continued on the first empty cell: (7, 2) when the last entry was lost, else (2, 3).
if [ "$(saved_board)" = "$(expected_board 1)" ]; then
    tap 6
    expect_saved 2
    tap Down
    for _ in 1 2 3 4 5; do tap Left; done
else
    expect_saved 2
fi
tap 9 # a wrong digit, undone
xdotool keydown ctrl keydown z
sleep 0.15
xdotool keyup z keyup ctrl
sleep 0.15
expect_saved 2
tap n # a pencil mark, then the entry
tap 4
tap n
tap 3
expect_saved 3
tap p # paused, and any key resumes
tap space
for _ in 1 2 3 4; do tap Down; done
tap Left
tap Left
tap 7 # the last one: the next-level screen
# The tally runs; the keys act once it is done, when the screen stands still.
for _ in $(seq 60); do
    cp "$data.fb/Xvfb_screen0" "$data.still"
    sleep 0.7
    cmp -s "$data.still" "$data.fb/Xvfb_screen0" && break
done
tap Tab # shows the focus, on Play on
tap Tab
tap Return # Save and stop: the next level's puzzle is saved and the start screen follows
for _ in $(seq 50); do
    (cd "$data" && "$BUILD/gridhollow_show_file" scores.txt 2>/dev/null) | grep -q "$name.*2" && break
    sleep 0.1
done
(cd "$data" && "$BUILD/gridhollow_show_file" scores.txt) | grep -q "$name.*2" ||
    fail "the player's record does not hold level 2: $(cd "$data" && "$BUILD/gridhollow_show_file" scores.txt)"
quit_game
echo "xvfb: a level played from the start screen to the next level with the keyboard alone"
