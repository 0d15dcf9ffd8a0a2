#!/usr/bin/python3
"""A calendar exported by the game (--export-ics) as other programs read it: python3-icalendar
parses it, and calcurse imports it and lists every appointment of 2027 where the task's repeat puts
it (dateutil, python3-icalendar's own helper, expands every rule). Usage: ics_calendar_test.py
LAUNCHER (the gridhollow command, which gives the game its data folder)"""
import calendar, datetime as dt, os, re, subprocess, sys, tempfile
import icalendar
from dateutil.rrule import rrulestr

# description, moment, repeat (0 once, 1 birthday, 2 daily, 3 weekly, 4 monthly, 5 yearly)
TASKS = [("Dentist", dt.datetime(2027, 5, 14, 9, 30), 0), ("Ann", dt.datetime(1990, 6, 15, 8), 1),
         ("Plants", dt.datetime(2027, 1, 3, 7, 15), 2), ("Bins", dt.datetime(2027, 1, 4, 19), 3),
         ("Rent", dt.datetime(2027, 1, 15, 12), 4), ("Meter", dt.datetime(2027, 1, 29, 12), 4),
         ("Invoice", dt.datetime(2027, 1, 30, 12), 4), ("Payday", dt.datetime(2027, 1, 31, 12), 4),
         ("Tax", dt.datetime(2026, 4, 1, 10), 5), ("Leap", dt.datetime(2024, 2, 29, 6), 5)]
FIRST, LAST = dt.datetime(2027, 1, 1), dt.datetime(2027, 12, 31, 23, 59)

def on_day(year, month, day, at):  # the day, or the month's last when it is shorter
    return at.replace(year=year, month=month, day=min(day, calendar.monthrange(year, month)[1]))

def expected(at, repeat):  # the moments of 2027 the game's countdown gives
    step = {2: dt.timedelta(days=1), 3: dt.timedelta(weeks=1)}.get(repeat)
    if repeat == 0 or step:
        moments = [at + k * step for k in range(400)] if step else [at]
    elif repeat == 4:
        moments = [on_day(2027, m, at.day, at) for m in range(1, 13)]
    else:
        moments = [on_day(2027, at.month, at.day, at)]
    return sorted(m for m in moments if FIRST <= m <= LAST and m >= at)

with tempfile.TemporaryDirectory() as home:
    folder = os.path.join(home, "gridhollow")  # the launcher's data folder under XDG_DATA_HOME
    os.mkdir(folder)
    with open(os.path.join(folder, "todo.txt"), "w", newline="") as todo:
        for name, at, repeat in TASKS:
            todo.write(f"{name}_x {at.day}_D {at.month}_M {at.year}_Y {at.hour}_h {at.minute}_m 0_s "
                       f"{repeat}_? 0_j 1_a 15_n|\r\n")
    with open(os.path.join(folder, "todo_done.txt"), "w", newline="") as done:
        done.write("Completed tasks_t\r\nFiled_x 2_D 1_M 2027_Y 9_h 0_m 0_s 0_? 1_j 0_a 0_n|\r\n")
    ics = os.path.join(folder, "tasks.ics")
    # No display: a window the export tried to open would end it.
    env = {k: v for k, v in os.environ.items() if k not in ("DISPLAY", "WAYLAND_DISPLAY")}
    subprocess.run([sys.argv[1], "--export-ics", ics], env=dict(env, XDG_DATA_HOME=home), check=True)
    text = open(ics, "rb").read()
    assert all(len(line) <= 75 for line in text.split(b"\r\n")) and b"\n" not in text.replace(b"\r\n", b"")
    parsed = icalendar.Calendar.from_ical(text)
    events = {str(e["SUMMARY"]): e for e in parsed.walk("VEVENT")}
    todos = [(str(t["SUMMARY"]), str(t["STATUS"])) for t in parsed.walk("VTODO")]
    assert sorted(events) == sorted(t[0] for t in TASKS) and todos == [("Filed", "COMPLETED")], todos
    want = {name: expected(at, repeat) for name, at, repeat in TASKS}
    for name, event in events.items():
        start = event.decoded("DTSTART")
        assert start.tzinfo is None, name  # floating local time
        rule = event.get("RRULE")
        got = rrulestr(rule.to_ical().decode(), dtstart=start).between(FIRST, LAST, inc=True) \
            if rule else [start] * (FIRST <= start <= LAST)
        assert got == want[name], (name, got, want[name])
        triggers = sorted(a.decoded("TRIGGER") for a in event.walk("VALARM"))
        assert triggers == [dt.timedelta(minutes=-15), dt.timedelta(0)], name

    cc = os.path.join(home, "calcurse")
    os.mkdir(cc)
    subprocess.run(["calcurse", "-D", cc, "-i", ics], check=True, capture_output=True)
    form = "%(start:%Y-%m-%d %H:%M) %m\\n"
    listing = subprocess.run(["calcurse", "-D", cc, "-Q", "--from", "01/01/2027", "--days", "365",
                              "--filter-type", "cal", "--format-apt", form, "--format-recur-apt",
                              form], check=True, capture_output=True, text=True).stdout
    print(listing)
    listed = {name: [] for name, _, _ in TASKS}
    for moment, name in re.findall(r"^(\d{4}-\d\d-\d\d \d\d:\d\d) (.*)$", listing, re.M):
        listed[name].append(dt.datetime.strptime(moment, "%Y-%m-%d %H:%M"))
    # calcurse reads no BYSETPOS: a monthly task on the 29th or 30th it lists on the 28th too.
    for name in listed:
        exact = name not in ("Meter", "Invoice") or set(listed[name]) >= set(want[name])
        assert exact and (listed[name] == want[name]) == (name not in ("Meter", "Invoice")), name
print("The calendar parses, and calcurse lists every appointment where the game counts it.")
