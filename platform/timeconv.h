// Calendar time as the game knows it: SYSTEMTIME fields and FILETIME ticks (100 ns since
// 1601-01-01).
#pragma once
#include <cstdint>

namespace platform {

struct SYSTEMTIME {
    uint16_t wYear;
    uint16_t wMonth;     // 1 to 12
    uint16_t wDayOfWeek; // 0 Sunday to 6 Saturday
    uint16_t wDay;
    uint16_t wHour;
    uint16_t wMinute;
    uint16_t wSecond;
    uint16_t wMilliseconds;
};

struct FILETIME {
    uint32_t dwLowDateTime;
    uint32_t dwHighDateTime;
};

constexpr uint64_t TICKS_PER_SECOND = 10000000;
constexpr uint64_t TICKS_PER_DAY = 86400 * TICKS_PER_SECOND;

// False (and *out untouched) unless the year is 1601 to 30827, the month 1 to 12, the day within
// its month, the hour below 24, minute and second below 60 and milliseconds below 1000. The day of
// the week is not looked at.
bool SystemTimeToFileTime(const SYSTEMTIME* in, FILETIME* out);
// False for tick counts of 2^63 or more; otherwise fills every field, the day of the week too.
bool FileTimeToSystemTime(const FILETIME* in, SYSTEMTIME* out);

// Seconds from 1601-01-01 to the Unix epoch, 1970-01-01.
constexpr int64_t UNIX_EPOCH_SECONDS = 11644473600;
// The wall-clock time in the system's time zone of a moment given as seconds since the Unix epoch,
// the day of the week too, milliseconds 0; a leap second reads as second 59.
SYSTEMTIME local_time_at(int64_t unix_seconds);

} // namespace platform
