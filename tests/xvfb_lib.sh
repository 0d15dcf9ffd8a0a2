# Shared by the X server runs: a display of our own, the real program started in a fresh data
# folder, and xdotool helpers that act as a player would. Sourced with BINARY and BUILD set.
set -u
for tool in Xvfb xdotool; do
    command -v "$tool" >/dev/null || { echo "xvfb: $tool is missing (make deps installs it)"; exit 1; }
done

data=$(mktemp -d /tmp/gridhollow-xvfb-XXXXXX)
log=$data.log
xvfb_pid=
wm_pid=
game_pid=
finish() {
    [ -n "$game_pid" ] && kill "$game_pid" 2>/dev/null
    [ -n "$wm_pid" ] && kill "$wm_pid" 2>/dev/null
    [ -n "$xvfb_pid" ] && kill "$xvfb_pid" 2>/dev/null
    rm -rf "$data" "$data".*
}
trap finish EXIT
fail() {
    echo "xvfb: $*"
    [ -s "$log" ] && { echo "--- the game's output:"; cat "$log"; }
    exit 1
}

# Starts the game (which reads its own data in the build folder) on a display of its own (XVFB_SCREEN=WxHxDEPTH, 1024x768x24 by default; with
# the keyboard layout LAYOUT, when set; with WINDOW_MANAGER=openbox under that window manager, as on
# a desktop) and waits for its window. -noreset keeps the server up when the game, its last client,
# ends. The screen's pixels are kept in the file $data.fb/Xvfb_screen0 (XWD).
start_game() {
    mkdir -p "$data.fb"
    # The server picks a free display number and writes it to the file.
    Xvfb -displayfd 3 -screen 0 "${XVFB_SCREEN:-1024x768x24}" -fbdir "$data.fb" -noreset -nolisten tcp \
        3>"$data.display" 2>/dev/null &
    xvfb_pid=$!
    for _ in $(seq 50); do [ -s "$data.display" ] && break; sleep 0.1; done
    [ -s "$data.display" ] || fail "Xvfb did not start"
    DISPLAY=:$(cat "$data.display")
    export DISPLAY
    [ -n "${LAYOUT:-}" ] && { setxkbmap -layout "$LAYOUT" || fail "no keyboard layout $LAYOUT"; }
    if [ -n "${WINDOW_MANAGER:-}" ]; then
        "$WINDOW_MANAGER" >/dev/null 2>&1 &
        wm_pid=$!
        sleep 1
    fi
    launch_game
}

# Starts the game on the display start_game made, and waits for its window.
launch_game() {
    (cd "$data" && SDL_VIDEODRIVER=x11 SDL_AUDIODRIVER=dummy exec "$BINARY") >>"$log" 2>&1 &
    game_pid=$!
    window=$(timeout 10 xdotool search --sync --name '^Gridhollow$' | head -n 1)
    [ -n "$window" ] || fail "the game's window did not appear"
    xdotool windowfocus --sync "$window" 2>/dev/null
    sleep 1
    measure
}

# The window's geometry anew (after going full screen, say): X, Y, WIDTH and HEIGHT, and the
# square the layout is shown in, SIDE pixels from (LEFT, TOP) of the screen.
measure() {
    eval "$(xdotool getwindowgeometry --shell "$window")"
    SIDE=$((WIDTH < HEIGHT ? WIDTH : HEIGHT))
    LEFT=$((X + (WIDTH - SIDE) / 2))
    TOP=$((Y + (HEIGHT - SIDE) / 2))
}
# Moves the pointer to a point of the 512 x 512 layout, through the layout's square.
point() {
    xdotool mousemove $((LEFT + $1 * SIDE / 512)) $((TOP + $2 * SIDE / 512))
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
# A click as a touchpad's tap or a remote desktop sends it: the release right after the press.
quick_click() {
    point "$1" "$2"
    xdotool mousedown 1 mouseup 1
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
