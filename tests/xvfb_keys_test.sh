#!/bin/sh
# A level played from start to finish with the keyboard alone, on the real program under an X
# server, keys held as people hold them: the focus to New game, a name typed, the first puzzle of a
# fresh program solved with the arrows and the digit keys, every entry on the disk as it is made.
# Midway the program is killed (kill -9); started again, the player is continued by the keys and
# every entry but the last is there. Then a wrong digit undone with Ctrl+Z, a pencil mark, a pause,
# the last digit, Save and stop on the next-level screen, and Escape to quit. Then on a Russian
# layout, where no key types a Latin letter, the keys in the US letters' places: a new player RU
# (the keys that say К and Г), a pencil mark in notes mode (Т), an entry undone with Ctrl+Я and
# redone with Ctrl+Н, each seen on the disk.
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

# The players' table as it stands on the disk, and a wait of up to five seconds for it to hold a
# text (a pattern).
scores() { (cd "$data" && "$BUILD/gridhollow_show_file" scores.txt 2>/dev/null); }
expect_record() {
    for _ in $(seq 50); do scores | grep -q "$1" && return 0; sleep 0.1; done
    fail "$2: $(scores)"
}
# Waits for the saved game to hold COUNT entries: codes of cells the player filled.
expect_entries() {
    for _ in $(seq 50); do
        [ "$(saved_board | tr ' ' '\n' | awk '$1 > 9' | wc -l)" -eq "$1" ] && return 0
        sleep 0.1
    done
    fail "the saved game does not hold $1 entries: $(saved_board)"
}
ctrl_tap() {
    xdotool keydown ctrl keydown "$1"
    sleep 0.15
    xdotool keyup "$1" keyup ctrl
    sleep 0.15
}

start_game
tap Tab # shows the focus, on New game while the list is empty
tap Return
type_keys "$name"
tap Return
wait_for scores.txt || fail "no scores.txt after the name was entered"
# The selection starts on the first empty cell, (5, 2). The first digit is tapped while the game is
# busy (stopped): its press and release reach it in one read of the events.
kill -STOP "$game_pid"
xdotool keydown 1 keyup 1
kill -CONT "$game_pid"
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
ctrl_tap z
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
expect_record "$name.*2" "the player's record does not hold level 2"
quit_game

# On a Russian layout no key types a Latin letter: the keys at the US letters' places type them
# and give the commands. A new player RU (the keys that say К and Г), a pencil mark in notes mode
# (Т), an entry, Ctrl+Я undoing it and Ctrl+Н doing it again, each seen on the disk.
setxkbmap -layout ru || fail "no keyboard layout ru"
name=RU
launch_game
tap Tab # shows the focus, on the player's row
tap Tab # New game
tap Return
tap Cyrillic_ka
tap Cyrillic_ghe
tap Return
expect_record "$name" "no player $name after the name was typed on a Russian layout"
tap Cyrillic_te # notes mode: the digit is a pencil mark
tap 3
wait_for "edit/$name.notes" || fail "no notes file after the pencil mark"
expect_entries 0
tap Cyrillic_te
tap 5
expect_entries 1
ctrl_tap Cyrillic_ya
expect_entries 0
ctrl_tap Cyrillic_en
expect_entries 1
tap Escape # leaves the game
quit_game
echo "xvfb: a level played from the start screen to the next level with the keyboard alone, and"
echo "      a game started and undone on a Russian layout"
