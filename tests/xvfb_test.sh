#!/bin/sh
# The real program on a real X server with a German keyboard layout, played as a player would with
# xdotool: Escape in the name box and in the task editor closes only the box; New game, a name
# typed on the layout, Enter, a digit through the picker, Escape (the game is saved), classic
# puzzles chosen for the player on the options screen, then Escape again to quit.
# Usage: xvfb_test.sh GRIDHOLLOW_BINARY BUILD_DIR
BINARY=$(readlink -f "$1")
BUILD=$(readlink -f "$2")
. "$(dirname "$0")/xvfb_lib.sh"
LAYOUT=de
name=TESTZY # typed with the keys that say Z and Y on the layout, not where a US keyboard has them

start_game
click 430 400 # New game
type_keys AB
tap Escape
sleep 0.5
running || fail "the game ended on Escape in the name box"
point 256 180 # the to-do panel's buttons show under the pointer
sleep 1
click 256 180 # new task
type_keys C
tap Escape
sleep 0.5
running || fail "the game ended on Escape in the task editor"

click 430 400 # New game
type_keys "$name"
tap Return
wait_for scores.txt || fail "no scores.txt after the name was entered"
# The first puzzle of a fresh program is always the same; its cell in column 5, row 2 is empty.
# Taps: the cell, then the picker's first item, the digit 1, which opens below the cell.
quick_click 305 155
quick_click 305 190
tap Escape
wait_for "edit/$name.txt" || fail "no saved game edit/$name.txt after Escape"
running || fail "the game ended on Escape from the game screen"
[ -f "$data/scores.txt" ] || fail "no scores.txt after saving"
# Options, the player's row, the classic puzzles' label, Confirm: the player's mode is stored in
# the file named by the player's file number (64 for TESTZY). Two of the clicks are taps.
click 430 435
quick_click 200 60
quick_click 420 458
click 380 486
wait_for edit/puzzles64.txt "p1>" || fail "the options screen stored no classic puzzle mode"
quit_game
echo "xvfb: a new player played, saved and chose classic puzzles under Xvfb; the game ended with code 0"
