// The organiser's clock: comparing moments, differences, recurrence, validity and date texts.
#pragma once
#include <cstdint>
#include <string>

#include "platform/timeconv.h"

// Recurrence kinds, as a task's `repeat` stores them.
enum : int {
    REPEAT_NORMAL = 0,
    REPEAT_BIRTHDAY = 1,
    REPEAT_DAILY = 2,
    REPEAT_WEEKLY = 3,
    REPEAT_MONTHLY = 4,
    REPEAT_YEARLY = 5,
};

// FILETIME ticks (100 ns): the platform's second and day, a minute and a week.
using platform::TICKS_PER_DAY;
using platform::TICKS_PER_SECOND;
constexpr uint64_t TICKS_PER_MINUTE = 60 * TICKS_PER_SECOND;
constexpr uint64_t TICKS_PER_WEEK = 7 * TICKS_PER_DAY;
constexpr uint32_t SECONDS_PER_DAY = 86400;

// A difference of two moments kept in a SYSTEMTIME: the year field is 1601 + whole years when the
// first moment lies ahead of the second and 1600 - whole years when it lies behind; the month
// field holds whole months, the day field the days beyond them, then hours, minutes and seconds.
// The years, months and days are counted along the calendar from 1 January 1601.
using TimeDiff = platform::SYSTEMTIME;

// Ticks since 1 January 1601; a moment that does not exist (30 February, hour 25, year 1600)
// counts as 0, so it lies behind every real moment.
uint64_t toticks(const platform::SYSTEMTIME& t);
// The moment of a tick count, with day of week and milliseconds 0 (all zero from 2^63 ticks on).
platform::SYSTEMTIME fromticks(uint64_t ticks);
uint64_t filetimeticks(const platform::FILETIME& ft);
platform::FILETIME ticksfiletime(uint64_t ticks);

// What comparetimes says of a against b.
enum : int { TIME_SAME = 0, TIME_LATER = 1, TIME_EARLIER = 2 };
// TIME_SAME when a and b are the same moment, TIME_LATER when a is later, TIME_EARLIER when a is
// earlier.
int comparetimes(const platform::SYSTEMTIME& a, const platform::SYSTEMTIME& b);
platform::SYSTEMTIME addseconds(const platform::SYSTEMTIME& t, uint32_t seconds);
// The difference of a against b; day of week and milliseconds of both are left out.
TimeDiff timediff(platform::SYSTEMTIME a, platform::SYSTEMTIME b);
// "Sunday" to "Saturday" for 0 to 6, "Sunday" for 7, empty otherwise.
const char* weekdayname(int n);
// The editor's label of a recurrence kind ("3:6 weekly"); empty for an unknown kind.
const char* repeatlabel(int repeat);

// Time from now to the task's next occurrence. `when` is a working copy that is moved to that
// occurrence. An unknown kind gives the all-zero record and leaves `when` alone.
TimeDiff countdown(platform::SYSTEMTIME& when, int repeat);
TimeDiff countdown(platform::SYSTEMTIME& when, int repeat, const platform::SYSTEMTIME& now);
// The moment a repeating task moves on to when it is completed. A daily task's `when` takes
// today's date as well.
platform::SYSTEMTIME advancetask(platform::SYSTEMTIME& when, int repeat, int count);
// How close `when` is, in percent: 100 now, 0 a 365-day year ahead (not limited to 0..100).
float closeness(const platform::SYSTEMTIME& when, const platform::SYSTEMTIME& now);
// 0 when the date exists; otherwise 1, 2 or 3 as the day, the month or the year came back changed.
int validdate(int year, int month, int day);
// Steps the day back while the date does not exist, stopping at the month's last day: a 31st in a
// 30-day month, 29 February in a common year.
void fit_day(platform::SYSTEMTIME& t);
bool validtime(int hour, int minute, int second);
// The short text of a difference: "+01M 10D", "-1Y 02M 03D", "+" ...; daily tasks show only the
// sign.
std::string countdowntext(const TimeDiff& diff, int repeat);

// The texts in which moments are shown.
// The list's clock: "2008/5/14 Wednesday " with `date`, then "9:30:0" with `time`.
std::string clocktext(const platform::SYSTEMTIME& now, bool date, bool time);
// The editor's clock: "2008/05/14 Wednesday 9:30:00".
std::string editorclocktext(const platform::SYSTEMTIME& now);
// "2008/05/14" (list rows, the date box while edited) and "09:30:00" (list rows, the time box
// while edited, and the hours of a difference).
std::string datetext(const platform::SYSTEMTIME& t);
std::string timetext(const platform::SYSTEMTIME& t);
// The editor's boxes at rest: "2008/5/14" and "9:30:00 hr".
std::string dateboxtext(const platform::SYSTEMTIME& t);
std::string timeboxtext(const platform::SYSTEMTIME& t);
