// The local time, as Windows keeps it.
#include <windows.h>

#include "platform/clock.h"

namespace platform {

SYSTEMTIME local_time() {
    ::SYSTEMTIME t;
    GetLocalTime(&t);
    return SYSTEMTIME{t.wYear, t.wMonth,  t.wDayOfWeek, t.wDay,
                      t.wHour, t.wMinute, t.wSecond,    t.wMilliseconds};
}

} // namespace platform
