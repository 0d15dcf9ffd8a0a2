#!/bin/sh
# Installs the build into a temporary prefix and checks the tree, validates the desktop entry,
# the metainfo and the manual page, and runs the installed gridhollow command: its options, and
# the game started in a data folder that it makes itself and that holds only the player's files; and
# that `make run` builds the game alone.
# Usage: install_test.sh SOURCE_DIR BUILD_DIR COMPONENT_ID
set -eu
source=$1
build=$2
id=$3
prefix=$(mktemp -d /tmp/gridhollow-install-XXXXXX)
game_pid=
trap '[ -z "$game_pid" ] || kill -KILL "$game_pid" 2>/dev/null; rm -rf "$prefix"' EXIT
fail() {
    echo "install test: $*" >&2
    exit 1
}

cmake --install "$build" --prefix "$prefix" >/dev/null
cd "$prefix"
for f in share/gridhollow/_data.loc share/gridhollow/alarm.wav; do
    cmp -s "$build/${f##*/}" "$f" || fail "$f is not the built one"
done
about="$source/docs/about.html"
[ ! -f "$about" ] || cmp -s "$about" share/gridhollow/about.html || fail "no about page"
for size in 48 64 128 256; do
    cmp -s "$build/gridhollow-$size.png" "share/icons/hicolor/${size}x$size/apps/gridhollow.png" ||
        fail "no $size-pixel icon"
done
for f in share/icons/hicolor/scalable/apps/gridhollow.svg share/man/man6/gridhollow.6.gz; do
    [ -s "$f" ] || fail "$f is missing"
done
cmp -s "$source/data/copyright" share/doc/gridhollow/copyright || fail "no copyright file"
for f in bin/gridhollow libexec/gridhollow/gridhollow libexec/gridhollow/gridhollow-reminders; do
    [ -x "$f" ] || fail "$f is not a program"
done

desktop-file-validate share/applications/gridhollow.desktop etc/xdg/autostart/gridhollow-reminders.desktop
# Not even a pedantic note.
appstreamcli validate --pedantic --no-net "share/metainfo/$id.metainfo.xml" >appstream.log &&
    ! grep -q '^[EWIP]:' appstream.log || { cat appstream.log; fail "the metainfo does not validate"; }
warnings=$(LC_ALL=C.UTF-8 MANWIDTH=80 man --warnings -l share/man/man6/gridhollow.6.gz 2>&1 >/dev/null)
[ -z "$warnings" ] || fail "the manual page: $warnings"

# The options, through the launcher on the PATH.
PATH="$prefix/bin:$PATH"
gridhollow --version | grep -q '^gridhollow [0-9]' || fail "--version"
gridhollow --help | grep -q '^Usage: gridhollow' || fail "--help"
code=0
gridhollow --data-dir x --bogus >out.txt 2>err.txt || code=$?
[ "$code" = 2 ] && [ ! -s out.txt ] && grep -q '^Usage: gridhollow' err.txt ||
    fail "an unknown option gave $code"
[ ! -e x ] || fail "a wrong command line made its data folder"
# The reminders after login, for a user without tasks: the installed reminder program runs on the
# default folder and ends at once.
XDG_DATA_HOME="$prefix/reminded" timeout 10 gridhollow --reminders || fail "--reminders ended with $?"
[ -f "$prefix/reminded/gridhollow/reminders.lock" ] || fail "--reminders did not run on the default folder"

# Starts the game on SDL's dummy drivers and waits until it has made its "edit" folder in the
# data folder, which shows that it runs there; then ends it. The game reads its own data where it
# is installed (a box, said on the terminal without a display, would tell it missing).
starts_in() {
    rm -rf "$folder/edit"
    env -u DISPLAY -u WAYLAND_DISPLAY SDL_VIDEODRIVER=dummy SDL_AUDIODRIVER=dummy \
        XDG_DATA_HOME="$prefix/xdg" HOME="$prefix/home" gridhollow "$@" >out.txt 2>&1 &
    game_pid=$!
    tries=0
    until [ -d "$folder/edit" ]; do
        tries=$((tries + 1))
        [ "$tries" -lt 300 ] && kill -0 "$game_pid" 2>/dev/null || fail "the game did not start in $folder"
        sleep 0.1
    done
    sleep 0.5
    kill -KILL "$game_pid"
    wait "$game_pid" 2>/dev/null || true
    game_pid=
    [ ! -s out.txt ] || { cat out.txt; fail "the game in $folder said something"; }
}

# The default folder and the folders above it, made by the game, with none of the game's own data;
# an old copy of it there is neither read nor touched, nor are the player's files.
folder="$prefix/xdg/gridhollow"
starts_in
for f in _data.loc _data.loc.new alarm.wav about.html; do
    [ ! -e "$folder/$f" ] || fail "the game's own $f was put in the data folder"
done
echo stale >"$folder/_data.loc"
printf 'ANN,120,3,\r\n' >"$folder/scores.txt" # a players table, sorted, as the game keeps it
cp "$folder/scores.txt" "$prefix/scores.kept"
starts_in
cmp -s "$prefix/scores.kept" "$folder/scores.txt" || fail "scores.txt was touched"
[ "$(cat "$folder/_data.loc")" = stale ] || fail "the old copy of the game data was touched"
# Another household's folder, by a relative name with a space.
folder="$prefix/household two"
starts_in --data-dir "household two"

# `make run` builds the game, its assets and its launcher: what it would build from nothing names
# no test, benchmark or trial.
build_command=$(make -s -C "$source" -n run BUILD="$build" | grep '^cmake --build')
[ -n "$build_command" ] || fail "make run builds nothing"
built=$(eval "$build_command -- -n -B" |
    grep -oE 'gridhollow_(tests|bench|kill_trials|soak|sdl_smoke|show_file|solve|check_solver)' | sort -u)
[ -z "$built" ] || fail "make run builds $(echo $built)"
echo "install test: passed"
