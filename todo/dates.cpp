// The organiser's clock: comparing moments, differences, recurrence, validity and date texts.
#include "todo/dates.h"

#include <algorithm>
#include <cstdarg>
#include <cstdio>

#include "platform/clock.h"

using platform::FILETIME;
using platform::SYSTEMTIME;

namespace {

__attribute__((format(printf, 1, 2))) std::string format(const char* pattern, ...) {
    char text[128];
    va_list args;
    va_start(args, pattern);
    vsnprintf(text, sizeof text, pattern, args);
    va_end(args);
    return text;
}

void add_months(SYSTEMTIME& t, int count) {
    int months = t.wYear * 12 + t.wMonth - 1 + count;
    t.wYear = static_cast<uint16_t>(months / 12);
    t.wMonth = static_cast<uint16_t>(months % 12 + 1);
}

} // namespace

void fit_day(SYSTEMTIME& t) {
    t.wDay = std::min<uint16_t>(t.wDay, 31);
    while (t.wDay > 1 && validdate(t.wYear, t.wMonth, t.wDay) != 0) --t.wDay;
}

uint64_t toticks(const SYSTEMTIME& t) {
    FILETIME ft;
    return platform::SystemTimeToFileTime(&t, &ft) ? filetimeticks(ft) : 0;
}

SYSTEMTIME fromticks(uint64_t ticks) {
    FILETIME ft = ticksfiletime(ticks);
    SYSTEMTIME t{};
    if (!platform::FileTimeToSystemTime(&ft, &t)) return SYSTEMTIME{};
    t.wDayOfWeek = 0;
    t.wMilliseconds = 0;
    return t;
}

uint64_t filetimeticks(const FILETIME& ft) {
    return static_cast<uint64_t>(ft.dwHighDateTime) << 32 | ft.dwLowDateTime;
}

FILETIME ticksfiletime(uint64_t ticks) {
    return FILETIME{static_cast<uint32_t>(ticks), static_cast<uint32_t>(ticks >> 32)};
}

int comparetimes(const SYSTEMTIME& a, const SYSTEMTIME& b) {
    uint64_t ta = toticks(a), tb = toticks(b);
    return ta == tb ? 0 : ta > tb ? 1 : 2;
}

SYSTEMTIME addseconds(const SYSTEMTIME& t, uint32_t seconds) {
    return fromticks(toticks(t) + seconds * TICKS_PER_SECOND);
}

TimeDiff timediff(SYSTEMTIME a, SYSTEMTIME b) {
    a.wDayOfWeek = b.wDayOfWeek = 0;
    a.wMilliseconds = b.wMilliseconds = 0;
    uint64_t ta = toticks(a), tb = toticks(b);
    if (ta == tb) return TimeDiff{1601, 0, 0, 0, 0, 0, 0, 0};
    TimeDiff d = fromticks(ta > tb ? ta - tb : tb - ta);
    --d.wMonth;
    --d.wDay;
    if (ta < tb) d.wYear = static_cast<uint16_t>(3201 - d.wYear);
    return d;
}

const char* weekdayname(int n) {
    static const char* const names[8] = {"Sunday",   "Monday", "Tuesday",  "Wednesday",
                                         "Thursday", "Friday", "Saturday", "Sunday"};
    return n >= 0 && n < 8 ? names[n] : "";
}

const char* repeatlabel(int repeat) {
    static const char* const labels[6] = {"0:6 normal", "1:6 birthdays", "2:6 daily",
                                          "3:6 weekly", "4:6 monthly",   "5:6 yearly"};
    return repeat >= 0 && repeat < 6 ? labels[repeat] : "";
}

TimeDiff countdown(SYSTEMTIME& when, int repeat) {
    return countdown(when, repeat, platform::local_time());
}

namespace {

// The next monthly or yearly occurrence of when, now or after.
SYSTEMTIME next_of_month_or_year(const SYSTEMTIME& when, int repeat, const SYSTEMTIME& now) {
    SYSTEMTIME next = when;
    next.wYear = now.wYear;
    if (repeat == REPEAT_MONTHLY) next.wMonth = now.wMonth;
    next.wDayOfWeek = next.wMilliseconds = 0;
    fit_day(next);
    if (comparetimes(now, next) == TIME_LATER) {
        if (repeat == REPEAT_MONTHLY)
            add_months(next, 1);
        else
            ++next.wYear;
        // The day stepped back in the month before stays: the 31st seen on 30 April after its
        // time falls on 30 May.
        fit_day(next);
    }
    return next;
}

} // namespace

TimeDiff countdown(SYSTEMTIME& when, int repeat, const SYSTEMTIME& now) {
    switch (repeat) {
    case REPEAT_NORMAL:
        return timediff(when, now);
    case REPEAT_BIRTHDAY:
        when.wYear = now.wYear;
        if (when.wMonth < now.wMonth || (when.wMonth == now.wMonth && when.wDay < now.wDay))
            ++when.wYear;
        fit_day(when); // a 29 February birthday falls on the 28th in common years
        return timediff(when, now);
    case REPEAT_DAILY: {
        when.wYear = now.wYear;
        when.wMonth = now.wMonth;
        when.wDay = now.wDay;
        SYSTEMTIME next =
            comparetimes(when, now) == TIME_EARLIER ? addseconds(when, SECONDS_PER_DAY) : when;
        return timediff(next, now);
    }
    case REPEAT_WEEKLY: {
        uint64_t t = toticks(when), n = toticks(now);
        if (t < n) t += (n - t + TICKS_PER_WEEK - 1) / TICKS_PER_WEEK * TICKS_PER_WEEK;
        when = fromticks(t);
        return timediff(when, now);
    }
    case REPEAT_MONTHLY:
    case REPEAT_YEARLY:
        when = next_of_month_or_year(when, repeat, now);
        return timediff(when, now);
    default:
        return TimeDiff{};
    }
}

SYSTEMTIME advancetask(SYSTEMTIME& when, int repeat, int count) {
    SYSTEMTIME now = platform::local_time();
    switch (repeat) {
    case REPEAT_DAILY:
        when.wYear = now.wYear;
        when.wMonth = now.wMonth;
        when.wDay = now.wDay;
        return fromticks(toticks(when) + static_cast<uint64_t>(int64_t{count}) * TICKS_PER_DAY);
    case REPEAT_WEEKLY: {
        // A count below 1 would never get past now; it steps one week.
        uint64_t weeks = static_cast<uint64_t>(std::max(count, 1));
        uint64_t step = weeks * TICKS_PER_WEEK, t = toticks(when), n = toticks(now);
        if (t <= n) t += ((n - t) / step + 1) * step;
        return fromticks(t + (weeks - 1) * TICKS_PER_WEEK);
    }
    default: {
        SYSTEMTIME next = when;
        if (repeat == REPEAT_MONTHLY)
            add_months(next, count);
        else
            ++next.wYear;
        next.wDayOfWeek = next.wMilliseconds = 0;
        fit_day(next);
        return next;
    }
    }
}

float closeness(const SYSTEMTIME& when, const SYSTEMTIME& now) {
    float minutes = static_cast<float>(when.wYear - now.wYear) * 525600.0f;
    minutes += static_cast<float>(when.wMonth - now.wMonth) * 44640.0f;
    minutes += static_cast<float>(when.wDay - now.wDay) * 1440.0f;
    minutes += static_cast<float>(when.wHour - now.wHour) * 60.0f;
    minutes += static_cast<float>(when.wMinute - now.wMinute);
    return (1.0f - minutes / 525600.0f) * 100.0f;
}

int validdate(int year, int month, int day) {
    auto field = [](int v) { return static_cast<uint16_t>(v > 0 && v <= 0xFFFF ? v : 0); };
    SYSTEMTIME date{field(year), field(month), 0, field(day), 0, 0, 0, 0};
    SYSTEMTIME back = fromticks(toticks(date));
    int code = 0;
    if (back.wDay != day) code = 1;
    if (back.wMonth != month) code = 2;
    if (back.wYear != year) code = 3;
    return code;
}

bool validtime(int hour, int minute, int second) {
    return hour >= 0 && hour < 24 && minute >= 0 && minute < 60 && second >= 0 && second < 60;
}

std::string countdowntext(const TimeDiff& diff, int repeat) {
    int years = diff.wYear - 1601;
    const char* sign = years < 0 ? "-" : "+";
    if (repeat == REPEAT_DAILY) return sign;
    if (years < 0) years = -(years + 1);
    if (years > 0) return format("%s%dY %02dM %02dD", sign, years, diff.wMonth, diff.wDay);
    if (diff.wMonth > 0) return format("%s%02dM %02dD", sign, diff.wMonth, diff.wDay);
    if (diff.wDay > 0) return format("%s%02dD", sign, diff.wDay);
    return sign;
}

std::string clocktext(const SYSTEMTIME& now, bool date, bool time) {
    std::string text;
    if (date)
        text = format("%d/%d/%d %s ", now.wYear, now.wMonth, now.wDay, weekdayname(now.wDayOfWeek));
    if (time) text = format("%s%d:%02d:%02d", text.c_str(), now.wHour, now.wMinute, now.wSecond);
    return text;
}

std::string editorclocktext(const SYSTEMTIME& now) {
    return format("%d/%02d/%02d %s %d:%02d:%02d", now.wYear, now.wMonth, now.wDay,
                  weekdayname(now.wDayOfWeek), now.wHour, now.wMinute, now.wSecond);
}

std::string datetext(const SYSTEMTIME& t) {
    return format("%02d/%02d/%02d", t.wYear, t.wMonth, t.wDay);
}

std::string timetext(const SYSTEMTIME& t) {
    return format("%02d:%02d:%02d", t.wHour, t.wMinute, t.wSecond);
}

std::string dateboxtext(const SYSTEMTIME& t) {
    return format("%d/%d/%d", t.wYear, t.wMonth, t.wDay);
}

std::string timeboxtext(const SYSTEMTIME& t) {
    return format("%d:%02d:%02d hr", t.wHour, t.wMinute, t.wSecond);
}
