// Due reminders: whether a task has fallen due or lies within its warning, how many periods a
// repeating task is late, and the alarm sound.
#pragma once
#include <cstdint>

#include "platform/timeconv.h"

// Bits of the reminder word; its low 8 bits count the periods gone by since the due moment.
constexpr uint32_t DUE_FLAG = 0x100000; // the due moment has come
constexpr uint32_t WARN_FLAG = 0x10000; // within the warning minutes (repeating kinds: with due)
constexpr uint32_t COUNT_MASK = 0xFF;   // the part of the count the panel shows

// The reminder word of a task at the local time. Called by the panel for each open task it draws,
// every frame; a due task with its alarm tick starts the alarm when it is not already playing.
uint32_t alarmstate(const platform::FILETIME& due, int repeat, int warn_minutes, bool alarm);
