#!/bin/sh
# Full screen on real X servers of 1920 x 1080 and 3840 x 2160, under a window manager (openbox)
# as on a desktop: F11 shows the layout in the
# largest square the screen holds, centred on black; a click on a cell's centre selects that cell
# (its selection frame appears there and nowhere else); Alt+Enter gives the window back its place.
# Usage: xvfb_fullscreen_test.sh GRIDHOLLOW_BINARY BUILD_DIR
BINARY=$(readlink -f "$1")
BUILD=$(readlink -f "$2")
. "$(dirname "$0")/xvfb_lib.sh"

# Prints "left top right bottom" of the pixels that differ between two XWD pictures of the screen
# within the box given in layout pixels (through the layout's square), in layout pixels; "none"
# when none does. A pixel that is black in the first picture is counted too: "black X Y" checks
# one screen pixel instead.
compare() {
    python3 - "$@" <<'PYTHON'
import struct, sys
def load(path):
    data = open(path, 'rb').read()
    h = struct.unpack('>25I', data[:100])
    return data[h[0] + h[19] * 12:], h[12], h[11] // 8
args = sys.argv[1:]
if args[0] == 'black':
    pixels, line, size = load(args[1])
    x, y = int(args[2]), int(args[3])
    print('black' if pixels[y * line + x * size:y * line + x * size + 3] == b'\0\0\0' else 'lit')
    sys.exit()
(a, line, size), (b, _, _) = load(args[0]), load(args[1])
left, top, side = int(args[2]), int(args[3]), int(args[4])
box = [int(v) for v in args[5:9]]
found = []
for ly in range(box[1], box[3]):
    y = top + ly * side // 512
    for lx in range(box[0], box[2]):
        x = left + lx * side // 512
        at = y * line + x * size
        if a[at:at + 3] != b[at:at + 3]:
            found.append((lx, ly))
if not found:
    print('none')
else:
    xs, ys = [p[0] for p in found], [p[1] for p in found]
    print(min(xs), min(ys), max(xs), max(ys))
PYTHON
}

WINDOW_MANAGER=openbox
command -v "$WINDOW_MANAGER" >/dev/null || fail "$WINDOW_MANAGER is missing (make deps installs it)"
for XVFB_SCREEN in 1920x1080x24 3840x2160x24; do
    start_game
    windowed="$X $Y $WIDTH $HEIGHT"
    tap F11
    sleep 1
    measure
    [ "${WIDTH}x${HEIGHT}x24" = "$XVFB_SCREEN" ] || fail "F11 gave a window of $WIDTH x $HEIGHT on $XVFB_SCREEN"
    [ "$(compare black "$data.fb/Xvfb_screen0" 2 2)" = black ] || fail "no black beside the square"
    click 430 400 # New game
    type_keys PLAYER
    tap Return
    wait_for scores.txt || fail "no scores.txt after the name was entered on $XVFB_SCREEN"
    sleep 1
    # The empty cell in column 5, row 2 (centre 305, 155): against the picture with the pointer
    # already there, the click changes that cell and neither of its neighbours beside or above.
    # The selection starts on it, the first empty cell: the keys move it to the empty cell (2, 3),
    # outside the compared box (a digit selected would mark its like in the box).
    for key in Down Left Left Left; do tap $key; done
    point 305 155
    sleep 0.5
    cp "$data.fb/Xvfb_screen0" "$data.before"
    xdotool mousedown 1
    sleep 0.2
    xdotool mouseup 1
    sleep 0.5
    set -- $(compare "$data.before" "$data.fb/Xvfb_screen0" "$LEFT" "$TOP" "$SIDE" 200 70 410 170)
    rm -f "$data.before"
    [ "$1" != none ] || fail "a click on the cell's centre changed nothing on $XVFB_SCREEN"
    [ "$1" -ge 276 ] && [ "$3" -le 334 ] && [ "$2" -ge 126 ] ||
        fail "the click on cell (5, 2) on $XVFB_SCREEN changed pixels from ($1, $2) to ($3, $4)"
    echo "xvfb: $XVFB_SCREEN, the layout in $SIDE x $SIDE at ($LEFT, $TOP): the click changed the" \
        "layout's pixels ($1, $2) to ($3, $4)"
    xdotool keydown alt+Return
    sleep 0.15
    xdotool keyup alt+Return
    sleep 1
    measure
    [ "$X $Y $WIDTH $HEIGHT" = "$windowed" ] ||
        fail "Alt+Enter left the window at $X $Y $WIDTH $HEIGHT, not $windowed"
    tap Escape # closes the picker
    tap Escape # saves the game and goes to the start screen
    wait_for edit/PLAYER.txt || fail "no saved game after Escape on $XVFB_SCREEN"
    quit_game
    kill "$wm_pid" "$xvfb_pid"
    wait "$wm_pid" "$xvfb_pid" 2>/dev/null
    wm_pid=
    xvfb_pid=
    rm -rf "${data:?}"/*
done
echo "xvfb: full screen on 1920 x 1080 and 3840 x 2160: a cell clicked at its centre is selected"
