#!/bin/sh
# The Windows build under Wine (make test-windows): the unit tests on the headless backend; the
# real game on an X server of its own, which maps its window and draws a picture, where a second
# start ends at once, a new player is made and a digit entered with xdotool until the saved game
# appears in the data folder (%APPDATA%\Gridhollow), and the end of the session ends the game;
# then the installer run silently, the installed game started, and the silent uninstaller, which
# must leave no program file and keep the data.
# Usage: wine_test.sh WIN_BUILD VERSION. The Wine prefix is kept in WIN_BUILD/wine.
BUILD=$(readlink -f "$1")
VERSION=$2
set -u
export WINEPREFIX="$BUILD/wine" WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
WINE=/usr/lib/wine/wine64
WINESERVER=/usr/lib/wine/wineserver
[ -x "$WINE" ] || { echo "wine: wine64 is missing (make test-windows installs it)"; exit 1; }
fail() {
    echo "wine: $*"
    [ -s "$log" ] && { echo "--- the game's output:"; cat "$log"; }
    exit 1
}
log=$(mktemp /tmp/gridhollow-wine-XXXXXX)
xvfb_pid=
game_pid=
finish() {
    [ -n "$game_pid" ] && kill "$game_pid" 2>/dev/null
    "$WINESERVER" -k 2>/dev/null
    [ -n "$xvfb_pid" ] && kill "$xvfb_pid" 2>/dev/null
    rm -rf "$log" "$log".*
}
trap finish EXIT

[ -d "$WINEPREFIX" ] || { "$WINE" wineboot --init >/dev/null 2>&1 || fail "the Wine prefix could not be made"; }
echo "wine: $("$WINE" --version)"

# The unit tests. Left out: those that run a Linux program (the asset maker; sox, which makes the
# sound tests' wave files), and (when building) the test files of POSIX calls.
linux_programs=ArtTest.AssetMakerIsReproducible:SoundTest.LoadsPcm*:SoundTest.PlayRestarts*
linux_programs=$linux_programs:SoundDeathTest.NonPcm*:SoundDeathTest.MissingOrDamaged*
linux_programs=$linux_programs:SoundDeathTest.TheHundredAndFirst*
cd "$BUILD" || exit 1
"$WINE" ./gridhollow_tests.exe --gtest_brief=1 --gtest_filter="-$linux_programs" ||
    fail "the unit tests failed under Wine"
# The Wine session started without a display ends before the game's starts on one.
"$WINESERVER" -w

# A display of our own, as the X server runs have; the game's picture is kept in an XWD file.
mkdir -p "$log.fb"
Xvfb -displayfd 3 -screen 0 1024x768x24 -fbdir "$log.fb" -noreset -nolisten tcp 3>"$log.display" 2>/dev/null &
xvfb_pid=$!
for _ in $(seq 50); do [ -s "$log.display" ] && break; sleep 0.1; done
[ -s "$log.display" ] || fail "Xvfb did not start"
DISPLAY=:$(cat "$log.display")
export DISPLAY
appdata="$WINEPREFIX/drive_c/users/$(id -un)/AppData/Roaming/Gridhollow"
rm -rf "$appdata"

# Starts a game (its path in the first argument) and waits for its window.
launch() {
    SDL_AUDIODRIVER=dummy "$WINE" "$1" >>"$log" 2>&1 &
    game_pid=$!
    window=$(timeout 60 xdotool search --sync --name '^Gridhollow$' | head -n 1)
    [ -n "$window" ] || fail "the game's window did not appear"
    xdotool windowfocus --sync "$window" 2>/dev/null
    sleep 2
    eval "$(xdotool getwindowgeometry --shell "$window")"
}
point() {
    xdotool mousemove $((X + $1 * WIDTH / 512)) $((Y + $2 * HEIGHT / 512))
    sleep 0.3
}
click() {
    point "$1" "$2"
    xdotool mousedown 1
    sleep 0.2
    xdotool mouseup 1
    sleep 0.5
}
tap() {
    xdotool keydown "$1"
    sleep 0.15
    xdotool keyup "$1"
    sleep 0.15
}
# The game must end within ten seconds with code 0; the second argument says after what.
ended() {
    for _ in $(seq 100); do kill -0 "$game_pid" 2>/dev/null || break; sleep 0.1; done
    kill -0 "$game_pid" 2>/dev/null && fail "the game did not end on $1"
    wait "$game_pid"
    code=$?
    game_pid=
    [ "$code" -eq 0 ] || fail "the game ended with exit code $code on $1"
}
wait_for_file() {
    for _ in $(seq 100); do [ -f "$1" ] && return 0; sleep 0.1; done
    return 1
}

launch "$BUILD/gridhollow.exe"
# More than a handful of colours on the screen: a picture, not a blank or a single-colour window.
colours=$(python3 - "$log.fb/Xvfb_screen0" <<'EOF'
import struct, sys
data = open(sys.argv[1], "rb").read()
header, width, height = struct.unpack(">I", data[:4])[0], *struct.unpack(">II", data[16:24])
line = struct.unpack(">I", data[48:52])[0]
colours = struct.unpack(">I", data[76:80])[0]
pixels = data[header + 12 * colours:]
print(len({pixels[y * line + 4 * x:y * line + 4 * x + 3] for y in range(height) for x in range(0, width, 2)}))
EOF
)
[ "${colours:-0}" -gt 16 ] || fail "the window shows $colours colours, not a picture"
# A second start on the same data folder finds it locked, raises the first one's window and ends.
"$WINE" "$BUILD/gridhollow.exe" >>"$log" 2>&1 || fail "a second start ended with code $?"
[ "$(xdotool search --name '^Gridhollow$' | wc -l)" -eq 1 ] || fail "a second start opened a window"
click 430 400 # New game
for key in w i n e; do tap "$key"; done
tap Return
wait_for_file "$appdata/scores.txt" || fail "no scores.txt in %APPDATA%\\Gridhollow after the name was entered"
# The first puzzle of a fresh program is always the same; its cell in column 5, row 2 is empty:
# the cell, then the picker's first item, the digit 1.
click 305 155
click 305 190
wait_for_file "$appdata/edit/WINE.txt" || fail "no saved game edit\\WINE.txt after a digit was entered"
# The session ends (as at log-off): the game saves as on SIGTERM and ends with code 0.
"$WINE" wineboot --end-session
ended "the end of the session"
echo "wine: the game showed $colours colours; a new player's saved game appeared in %APPDATA%\\Gridhollow"

# The installer, silently; the installed game starts; the silent uninstaller.
programs="$WINEPREFIX/drive_c/users/$(id -un)/AppData/Local/Programs/Gridhollow"
"$WINE" "$BUILD/gridhollow-$VERSION-win64-setup.exe" /S || fail "the installer failed"
[ -f "$programs/gridhollow.exe" ] && [ -f "$programs/SDL2.dll" ] || fail "the installer put no game in $programs"
launch "$programs/gridhollow.exe"
tap Escape
ended "Escape from the start screen"
"$WINE" "$programs/Uninstall.exe" /S || fail "the uninstaller failed"
# The uninstaller runs from a copy of itself in the temporary folder and returns at once.
for _ in $(seq 100); do [ -d "$programs" ] || break; sleep 0.2; done
[ -d "$programs" ] && fail "the uninstaller left $(find "$programs" -type f | wc -l) files in $programs"
[ -f "$appdata/edit/WINE.txt" ] || fail "the uninstaller removed the player's data"
echo "wine: installed silently, the installed game started, uninstalled leaving the data"
