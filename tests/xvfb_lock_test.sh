#!/bin/sh
# One game per data folder, on a real X server with a window manager: a second start on the
# folder of a running game raises that game's minimised window, changes no file and ends with code
# 0; a start with another --data-dir (a folder the game makes) runs beside it.
# Usage: xvfb_lock_test.sh GRIDHOLLOW_BINARY BUILD_DIR
BINARY=$(readlink -f "$1")
BUILD=$(readlink -f "$2")
. "$(dirname "$0")/xvfb_lib.sh"
command -v openbox >/dev/null || fail "openbox is missing (make deps installs it)"
other_pid=
trap '[ -z "$other_pid" ] || kill "$other_pid" 2>/dev/null; finish' EXIT

# The data folder's files with their contents and times.
files() { find "$data" -type f -exec ls -l --time-style=+%s.%N {} + -exec md5sum {} + | sort; }

start_game
first=$window
click 430 400 # New game: a player and a saved game to keep
type_keys ANN
tap Return
wait_for scores.txt || fail "no scores.txt after the name was entered"
tap Escape
wait_for edit/ANN.txt || fail "no saved game after Escape"
# A window manager, as on a desktop, takes the window over; it can raise it.
openbox >/dev/null 2>&1 &
wm_pid=$!
sleep 1
xdotool windowminimize --sync "$first"
sleep 1
before=$(files)

code=0
(cd "$data" && SDL_VIDEODRIVER=x11 SDL_AUDIODRIVER=dummy exec timeout 10 "$BINARY") >>"$log" 2>&1 ||
    code=$?
[ "$code" = 0 ] || fail "the second start on the same folder ended with code $code"
[ "$(xdotool search --name '^Gridhollow$' | wc -l)" = 1 ] || fail "a second window opened"
xdotool search --onlyvisible --name '^Gridhollow$' | grep -qx "$first" ||
    fail "the running game's window was not raised"
[ "$(files)" = "$before" ] || fail "the second start changed the data folder"

# Another folder, named to the game itself: a second window, ended by its Escape.
SDL_VIDEODRIVER=x11 SDL_AUDIODRIVER=dummy "$BINARY" --data-dir "$data.other/household" >>"$log" 2>&1 &
other_pid=$!
for _ in $(seq 100); do
    [ "$(xdotool search --name '^Gridhollow$' | wc -l)" = 2 ] && break
    sleep 0.1
done
[ -d "$data.other/household/edit" ] || fail "the game with another data folder does not run there"
window=$(xdotool search --name '^Gridhollow$' | grep -vx "$first" | head -n 1)
xdotool windowactivate --sync "$window"
tap Escape
for _ in $(seq 50); do kill -0 "$other_pid" 2>/dev/null || break; sleep 0.1; done
code=0
wait "$other_pid" || code=$?
command -v openbox >/dev/null || fail "openbox is missing (make deps installs it)"
other_pid=
[ "$code" = 0 ] || fail "the game with another data folder ended with code $code"

window=$first
xdotool windowactivate --sync "$window"
sleep 0.5
running || fail "the first game ended"
quit_game
echo "xvfb: a second start on a running game's folder raised it and ended with 0; another folder ran"
