#!/bin/sh
# One game per data folder, on a real X server: a second start on the folder of a running game
# raises its minimised window (through the window manager), changes no file and ends with code 0; a
# start with another --data-dir, a folder the game makes, runs beside it.
# Usage: xvfb_lock_test.sh GRIDHOLLOW_BINARY BUILD_DIR
BINARY=$(readlink -f "$1")
BUILD=$(readlink -f "$2")
. "$(dirname "$0")/xvfb_lib.sh"
command -v openbox >/dev/null || fail "openbox is missing (make deps installs it)"
files() { find "$data" -type f -exec ls -l --time-style=+%s.%N {} + -exec md5sum {} + | sort; }

start_game
click 430 400 # New game: a player with a saved game
type_keys ANN
tap Return
wait_for scores.txt || fail "no scores.txt after the name was entered"
tap Escape
wait_for edit/ANN.txt || fail "no saved game after Escape"
openbox >/dev/null 2>&1 &
wm_pid=$!
sleep 1
xdotool windowminimize --sync "$window"
sleep 1
before=$(files)
code=0
(cd "$data" && SDL_VIDEODRIVER=x11 SDL_AUDIODRIVER=dummy exec timeout 10 "$BINARY") >>"$log" 2>&1 ||
    code=$?
[ "$code" = 0 ] || fail "the second start on the same folder ended with code $code"
[ "$(files)" = "$before" ] || fail "the second start changed the data folder"
xdotool search --onlyvisible --name '^Gridhollow$' | grep -qx "$window" || fail "no window raised"

SDL_VIDEODRIVER=x11 SDL_AUDIODRIVER=dummy timeout 5 "$BINARY" --data-dir "$data.other/a" >>"$log" 2>&1
[ $? = 124 ] && [ -d "$data.other/a/edit" ] || fail "the game with another data folder did not run"
xdotool windowactivate --sync "$window"
quit_game
echo "xvfb: a second start on a running game's folder raised it and ended with 0; another folder ran"
