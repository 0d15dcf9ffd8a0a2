#!/bin/sh
# Desktop notifications on a session bus of its own (run under dbus-run-session), received by a
# stand-in notification server (python3-dbusmock's notification daemon template) that logs every
# Notify. The real game on an X server: a task due on the game screen is notified once, one due
# while its row shows in the focused window is not, and one due while the window is minimised is
# notified once in all while a reminder process waits on the same folder. gridhollow --reminders
# alone: a task due in 3 s and one added while it waits are each notified within a second of their
# moment; killed and started again it repeats nothing and tells a task missed meanwhile once; it
# does not wake while it waits, in less than 4 MB. Without a notification server: one line on standard error.
# Usage: notify_test.sh GRIDHOLLOW_BINARY BUILD_DIR
BINARY=$(readlink -f "$1")
BUILD=$(readlink -f "$2")
. "$(dirname "$0")/xvfb_lib.sh"
command -v openbox >/dev/null || fail "openbox is missing (make deps installs it)"
notices=$data.notices
/usr/bin/python3 -m dbusmock --template notification_daemon -l "$notices" >/dev/null 2>&1 &
mock_pid=$!
reminders_pid=
trap 'kill $mock_pid $reminders_pid 2>/dev/null; finish' EXIT

# A task line due at the moment given in seconds since 1970: task NAME SECONDS
task() {
    /usr/bin/python3 -c '
import datetime, sys
t = datetime.datetime.fromtimestamp(int(sys.argv[2]))
n = int((t - datetime.datetime(1601, 1, 1)).total_seconds()) * 10**7
print(f"{sys.argv[1]}_x {t.day}_D {t.month}_M {t.year}_Y {t.hour}_h {t.minute}_m {t.second}_s "
      f"0_? 0_j 0_a 0_n {n & 0xFFFFFFFF}_e {n >> 32}_f|", end="\r\n")' "$1" "$2"
}
until_second() { while [ "$(date +%s)" -lt "$1" ]; do sleep 0.1; done; }
count() { grep -c ' Notify ' "$notices" 2>/dev/null || true; }
expect() { [ "$(count)" = "$1" ] || fail "$2: $(count) notifications, not $1: $(cat "$notices")"; }
# The notice of task NAME says "Task due" and was sent within a second of its moment.
sent_at() {
    at=$(grep " \"Task due\" \"$1\$" "$notices" | cut -d' ' -f1)
    [ -n "$at" ] && awk "BEGIN { exit !($at >= $2 && $at < $2 + 1) }" ||
        fail "$1 (due at $2) was notified at '$at'"
}
reminders() { (cd "$data" && exec "$BINARY" --reminders) 2>>"$log" & reminders_pid=$!; }
voluntary() { sed -n 's/^voluntary_ctxt_switches:\s*//p' "/proc/$reminders_pid/status"; }

now=$(date +%s)
{ task ONGAME $((now + 12)); task SHOWN $((now + 18)); task HIDDEN $((now + 24)); } >"$data/todo.txt"
start_game
click 430 400 # New game: a player on the game screen
type_keys ANN
tap Return
wait_for scores.txt || fail "no scores.txt after the name was entered"
until_second $((now + 13))
expect 1 "due on the game screen"
sent_at ONGAME $((now + 12))
tap Escape # the start screen, the rows shown
until_second $((now + 19))
expect 1 "due with its row shown"
openbox >/dev/null 2>&1 & # minimising needs a window manager
wm_pid=$!
sleep 1
xdotool windowminimize --sync "$window"
reminders
until_second $((now + 25))
expect 2 "due while minimised, a reminder process waiting"
grep -q '"HIDDEN' "$notices" || fail "HIDDEN was not notified"
kill "$game_pid" # the game ends as the system asks it to
wait "$game_pid" || fail "the game ended with code $? on a termination signal"
game_pid=
wait "$reminders_pid" # nothing is left to come: it ends

now=$(date +%s)
{ task SOON $((now + 3)); task LATER $((now + 3600)); } >"$data/todo.txt"
reminders
sleep 1
task ADDED $((now + 5)) >>"$data/todo.txt"
until_second $((now + 6))
sent_at SOON $((now + 3))
sent_at ADDED $((now + 5))
expect 4 "due while the reminder process waits"
kill -9 "$reminders_pid" 2>/dev/null
wait "$reminders_pid" 2>/dev/null
task MISSED $((now - 60)) >>"$data/todo.txt"
reminders
sleep 1
expect 5 "started again after a task fell due meanwhile"
grep -q '"Task due (missed)" "MISSED' "$notices" || fail "MISSED was not told as missed"
before=$(voluntary)
sleep 3
after=$(voluntary)
[ "$after" = "$before" ] || fail "the waiting reminder process woke $((after - before)) times in 3 s"
rss=$(sed -n 's/^VmRSS:\s*\([0-9]*\) kB/\1/p' "/proc/$reminders_pid/status")
[ "$rss" -lt 4096 ] || fail "the waiting reminder program takes $rss kB"
echo "notify: the reminder program waiting: $rss kB resident, no wake-up in 3 s"

kill "$mock_pid"
mkdir "$data.quiet"
{ task GONE $((now - 30)); task GONE2 $((now - 20)); } >"$data.quiet/todo.txt"
"$BINARY" --data-dir "$data.quiet" --reminders 2>"$data.err" || fail "--reminders failed without a server"
[ "$(wc -l <"$data.err")" = 1 ] || fail "without a server: $(cat "$data.err")"
echo "notify: Notify logged by the stand-in server:"
cat "$notices"
