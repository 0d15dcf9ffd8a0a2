// The calling thread's own processor time, so that another process taking the processor does not
// count in a measure.
#pragma once
#include <ctime>

// Microseconds of the thread's processor time since it started.
inline double threadmicros() {
    timespec now;
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
    return now.tv_sec * 1e6 + now.tv_nsec / 1e3;
}
