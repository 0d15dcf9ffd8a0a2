// Clocks: the monotonic performance counter, a millisecond tick, the local time, and waiting.
#pragma once
#include <cstdint>

#include "platform/timeconv.h"

namespace platform {

// Ticks per second of the performance counter; 0 when the machine has none.
uint64_t perf_frequency();
uint64_t perf_counter();
// Milliseconds since an arbitrary origin, wrapping at 2^32.
uint32_t time_get_time();
// The local wall-clock time.
SYSTEMTIME local_time();
// Waits until the performance counter reads at least `seconds` (counter / frequency).
void sleep_until(double seconds);
// The same, but input (a key, the pointer, a button, a window event) or an end signal ends the wait
// at once, and input already waiting returns before any wait.
void wait_for_input(double seconds);

} // namespace platform
