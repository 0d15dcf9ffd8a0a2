#!/bin/sh
# The organiser on a real X server, used as a player would with xdotool: a new task due in a few
# seconds is typed into the editor and added, falls due, is moved on and ticked done from the
# editor, which moves it to the completed tasks. Then Escape ends the game.
# Usage: xvfb_todo_test.sh GRIDHOLLOW_BINARY BUILD_DIR
BINARY=$(readlink -f "$1")
BUILD=$(readlink -f "$2")
. "$(dirname "$0")/xvfb_lib.sh"

start_game
# With no task file the panel shows only its buttons under y 170 while the pointer is near:
# expand, new task, switch list; the row settles centred while the pointer stays.
point 256 180
sleep 1
click 256 180
due=$(($(date +%s) + 40))
type_keys WATER
click 150 170 # the date box
for _ in $(seq 10); do tap BackSpace; done
type_keys "$(date -d "@$due" +%Y%m%d)"
click 150 225 # the time box
for _ in $(seq 8); do tap BackSpace; done
type_keys "$(date -d "@$due" +%H%M%S)"
click 120 387 # Add
wait_for todo.txt WATER_x || fail "the new task is not in todo.txt"

# Once it is due: a click selects its row, a second opens the editor. The editor saves no task
# whose moment has passed, so the task is moved on an hour, then ticked done and updated.
while [ "$(date +%s)" -le "$due" ]; do sleep 1; done
sleep 1
click 200 210
click 200 210
later=$(($(date +%s) + 3600))
click 150 170
for _ in $(seq 10); do tap BackSpace; done
type_keys "$(date -d "@$later" +%Y%m%d)"
click 150 225
for _ in $(seq 8); do tap BackSpace; done
type_keys "$(date -d "@$later" +%H%M%S)"
click 262 175 # done
click 300 387 # update
wait_for todo_done.txt WATER_x || fail "the task did not move to todo_done.txt"
grep -q "WATER_x" "$data/todo.txt" && fail "the completed task is still in todo.txt"
quit_game
echo "xvfb: a task was created, fell due and was completed under Xvfb; the game ended with code 0"
