#!/bin/sh
# The real program on a real X server, played as a player would with xdotool: New game, a name,
# Enter, a digit through the picker, Escape (the game is saved), classic puzzles chosen for the
# player on the options screen, then Escape again to quit.
# Usage: xvfb_test.sh GRIDHOLLOW_BINARY BUILD_DIR
BINARY=$(readlink -f "$1")
BUILD=$(readlink -f "$2")
. "$(dirname "$0")/xvfb_lib.sh"
name=TESTER

start_game
click 430 400 # New game
type_keys "$name"
tap Return
wait_for scores.txt || fail "no scores.txt after the name was entered"
# The first puzzle of a fresh program is always the same; its cell in column 5, row 2 is empty.
click 305 155
click 305 190 # the picker's first item, the digit 1, opens below the cell
tap Escape
wait_for "edit/$name.txt" || fail "no saved game edit/$name.txt after Escape"
running || fail "the game ended on Escape from the game screen"
[ -f "$data/scores.txt" ] || fail "no scores.txt after saving"
# Options, the player's row, the classic puzzles' label, Confirm: the player's mode is stored in
# the file named by the player's file number (84 for TESTER).
click 430 435
click 200 60
click 420 458
click 380 486
wait_for edit/puzzles84.txt "p1>" || fail "the options screen stored no classic puzzle mode"
quit_game
echo "xvfb: a new player played, saved and chose classic puzzles under Xvfb; the game ended with code 0"
