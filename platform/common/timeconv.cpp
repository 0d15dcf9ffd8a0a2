// Conversion between calendar fields and 100-ns ticks since 1601-01-01, with the Windows rules.
#include "platform/timeconv.h"

#include <ctime>

namespace platform {

namespace {

bool leap(int y) {
    return (y % 4 == 0 && y % 100 != 0) || y % 400 == 0;
}

int days_in_month(int y, int m) {
    static const int days[12] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    return m == 2 && leap(y) ? 29 : days[m - 1];
}

// Days from 1601-01-01 to the given date (proleptic Gregorian calendar).
int64_t days_since_1601(int y, int m, int d) {
    int64_t years = y - 1601;
    int64_t days = years * 365 + years / 4 - years / 100 + years / 400;
    for (int i = 1; i < m; ++i) days += days_in_month(y, i);
    return days + d - 1;
}

} // namespace

bool SystemTimeToFileTime(const SYSTEMTIME* in, FILETIME* out) {
    const SYSTEMTIME& t = *in;
    if (t.wYear < 1601 || t.wYear > 30827 || t.wMonth < 1 || t.wMonth > 12 || t.wDay < 1 ||
        t.wDay > days_in_month(t.wYear, t.wMonth) || t.wHour > 23 || t.wMinute > 59 ||
        t.wSecond > 59 || t.wMilliseconds > 999)
        return false;
    uint64_t seconds = static_cast<uint64_t>(days_since_1601(t.wYear, t.wMonth, t.wDay)) * 86400 +
                       t.wHour * 3600u + t.wMinute * 60u + t.wSecond;
    uint64_t ticks = seconds * TICKS_PER_SECOND + t.wMilliseconds * 10000ull;
    out->dwLowDateTime = static_cast<uint32_t>(ticks);
    out->dwHighDateTime = static_cast<uint32_t>(ticks >> 32);
    return true;
}

bool FileTimeToSystemTime(const FILETIME* in, SYSTEMTIME* out) {
    uint64_t ticks = (static_cast<uint64_t>(in->dwHighDateTime) << 32) | in->dwLowDateTime;
    if (ticks >> 63) return false;
    uint64_t days = ticks / TICKS_PER_DAY;
    uint64_t rest = ticks % TICKS_PER_DAY;
    SYSTEMTIME t{};
    t.wDayOfWeek = static_cast<uint16_t>((days + 1) % 7); // 1601-01-01 was a Monday
    // Whole 400-year cycles of 146097 days, then centuries, 4-year groups and years.
    uint64_t cycles = days / 146097, d = days % 146097;
    uint64_t centuries = d / 36524;
    if (centuries == 4) centuries = 3;
    d -= centuries * 36524;
    uint64_t quads = d / 1461;
    d %= 1461;
    uint64_t years = d / 365;
    if (years == 4) years = 3;
    d -= years * 365;
    int y = static_cast<int>(1601 + cycles * 400 + centuries * 100 + quads * 4 + years);
    int m = 1;
    while (d >= static_cast<uint64_t>(days_in_month(y, m))) d -= days_in_month(y, m++);
    t.wYear = static_cast<uint16_t>(y);
    t.wMonth = static_cast<uint16_t>(m);
    t.wDay = static_cast<uint16_t>(d + 1);
    t.wHour = static_cast<uint16_t>(rest / (3600 * TICKS_PER_SECOND));
    t.wMinute = static_cast<uint16_t>(rest / (60 * TICKS_PER_SECOND) % 60);
    t.wSecond = static_cast<uint16_t>(rest / TICKS_PER_SECOND % 60);
    t.wMilliseconds = static_cast<uint16_t>(rest / 10000 % 1000);
    *out = t;
    return true;
}

SYSTEMTIME local_time_at(int64_t unix_seconds) {
    const std::time_t seconds = static_cast<std::time_t>(unix_seconds);
    std::tm t{};
#ifdef _WIN32
    localtime_s(&t, &seconds);
#else
    localtime_r(&seconds, &t);
#endif
    return SYSTEMTIME{static_cast<uint16_t>(t.tm_year + 1900),
                      static_cast<uint16_t>(t.tm_mon + 1),
                      static_cast<uint16_t>(t.tm_wday),
                      static_cast<uint16_t>(t.tm_mday),
                      static_cast<uint16_t>(t.tm_hour),
                      static_cast<uint16_t>(t.tm_min),
                      static_cast<uint16_t>(t.tm_sec > 59 ? 59 : t.tm_sec),
                      0};
}

} // namespace platform
