#!/bin/sh
# The real program on a real X server, played as a player would with xdotool: New game, a name,
# Enter, a digit through the picker, Escape (the game is saved), then Escape again to quit.
# Usage: xvfb_test.sh GRIDHOLLOW_BINARY BUILD_DIR
set -u
binary=$(readlink -f "$1")
build=$(readlink -f "$2")
name=TESTER
for tool in Xvfb xdotool; do
    command -v "$tool" >/dev/null || { echo "xvfb_test: $tool is missing (make deps installs it)"; exit 1; }
done

data=$(mktemp -d /tmp/gridhollow-xvfb-XXXXXX)
log=$data.log
xvfb_pid=
game_pid=
finish() {
    [ -n "$game_pid" ] && kill "$game_pid" 2>/dev/null
    [ -n "$xvfb_pid" ] && kill "$xvfb_pid" 2>/dev/null
    rm -rf "$data" "$log" "$data.display"
}
trap finish EXIT
fail() {
    echo "xvfb_test: $*"
    [ -s "$log" ] && { echo "--- the game's output:"; cat "$log"; }
    exit 1
}

for f in _data.loc alarm.wav; do cp "$build/$f" "$data/" || fail "no $f in $build"; done

# A display of our own: the server picks a free number and writes it to the file.
Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp 3>"$data.display" 2>/dev/null &
xvfb_pid=$!
for _ in $(seq 50); do [ -s "$data.display" ] && break; sleep 0.1; done
[ -s "$data.display" ] || fail "Xvfb did not start"
DISPLAY=:$(cat "$data.display")
export DISPLAY

(cd "$data" && SDL_VIDEODRIVER=x11 SDL_AUDIODRIVER=dummy exec "$binary") >"$log" 2>&1 &
game_pid=$!

window=$(timeout 10 xdotool search --sync --name '^Gridhollow$' | head -n 1)
[ -n "$window" ] || fail "the game's window did not appear"
xdotool windowfocus --sync "$window" 2>/dev/null
sleep 1
eval "$(xdotool getwindowgeometry --shell "$window")"

# Moves the pointer to a point of the 512 x 512 layout, through the window's stretch.
point() {
    xdotool mousemove $((X + $1 * WIDTH / 512)) $((Y + $2 * HEIGHT / 512))
    sleep 0.2
}
# A press and a release, each held for some frames.
click() {
    point "$1" "$2"
    xdotool mousedown 1
    sleep 0.2
    xdotool mouseup 1
    sleep 0.3
}
tap() {
    xdotool keydown "$1"
    sleep 0.15
    xdotool keyup "$1"
    sleep 0.15
}
running() { kill -0 "$game_pid" 2>/dev/null; }

click 430 400 # New game
for letter in $(echo "$name" | sed 's/./& /g'); do tap "$(echo "$letter" | tr A-Z a-z)"; done
tap Return
sleep 0.5
[ -f "$data/scores.txt" ] || fail "no scores.txt after the name was entered"
# The first puzzle of a fresh program is always the same; its cell in column 5, row 2 is empty.
click 305 155
click 305 190 # the picker's first item, the digit 1, opens below the cell
tap Escape
sleep 0.5
running || fail "the game ended on Escape from the game screen"
[ -f "$data/scores.txt" ] || fail "no scores.txt after saving"
[ -f "$data/edit/$name.txt" ] || fail "no saved game edit/$name.txt after Escape"
tap Escape
for _ in $(seq 50); do running || break; sleep 0.1; done
running && fail "the game did not end on Escape from the start screen"
wait "$game_pid"
code=$?
game_pid=
[ "$code" -eq 0 ] || fail "the game ended with exit code $code"
echo "xvfb_test: a new player played and saved under Xvfb; the game ended with code 0"
