# Shared by the X server runs: a display of our own, the real program started in a fresh data
# folder, and xdotool helpers that act as a player would. Sourced with BINARY and BUILD set.
set -u
for tool in Xvfb xdotool; do
    command -v "$tool" >/dev/null || { echo "xvfb: $tool is missing (make deps installs it)"; exit 1; }
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
    echo "xvfb: $*"
    [ -s "$log" ] && { echo "--- the game's output:"; cat "$log"; }
    exit 1
}

# Starts the game on a display of its own and waits for its window.
start_game() {
    for f in _data.loc alarm.wav; do cp "$BUILD/$f" "$data/" || fail "no $f in $BUILD"; done
    # The server picks a free display number and writes it to the file.
    Xvfb -displayfd 3 -noreset -screen 0 1024x768x24 -nolisten tcp 3>"$data.display" 2>/dev/null &
    xvfb_pid=$!
    for _ in $(seq 50); do [ -s "$data.display" ] && break; sleep 0.1; done
    [ -s "$data.display" ] || fail "Xvfb did not start"
    DISPLAY=:$(cat "$data.display")
    export DISPLAY
    (cd "$data" && SDL_VIDEODRIVER=x11 SDL_AUDIODRIVER=dummy exec "$BINARY") >"$log" 2>&1 &
    game_pid=$!
    window=$(timeout 10 xdotool search --sync --name '^Gridhollow$' | head -n 1)
    [ -n "$window" ] || fail "the game's window did not appear"
    xdotool windowfocus --sync "$window" 2>/dev/null
    sleep 1
    eval "$(xdotool getwindowgeometry --shell "$window")"
}

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
# Types letters and digits one key at a time.
type_keys() {
    for key in $(echo "$1" | tr A-Z a-z | sed 's/./& /g'); do tap "$key"; done
}
running() { kill -0 "$game_pid" 2>/dev/null; }
# Waits up to five seconds for a file of the data folder to hold the text (to exist, without one).
wait_for() {
    for _ in $(seq 50); do
        if [ -f "$data/$1" ] && grep -q -- "${2:-}" "$data/$1"; then return 0; fi
        sleep 0.1
    done
    return 1
}

# Escape on the start screen: the game must end with exit code 0.
quit_game() {
    tap Escape
    for _ in $(seq 50); do running || break; sleep 0.1; done
    running && fail "the game did not end on Escape from the start screen"
    wait "$game_pid"
    code=$?
    game_pid=
    [ "$code" -eq 0 ] || fail "the game ended with exit code $code"
}
