// gridhollow --reminders: the tasks' desktop notices while the game is closed.
#pragma once

// The reminder program, installed beside the game: a small program of its own, which loads no
// graphics or sound library. "gridhollow --reminders" runs it.
constexpr const char* REMINDERS_PROGRAM = "gridhollow-reminders";
// Its own lock in the data folder: one runs per folder.
constexpr const char* REMINDERS_LOCK = "reminders.lock";

// Runs in the data folder (entered, its reminder lock held) without a window or a sound device:
// sleeps until the next warning or due moment of the open tasks or a change of the folder's files,
// and sends the notices of the moments reached, unless a game runs on the folder (the game sends
// them then). "Show" on a notice starts the game. Returns the exit code (0) once no open task has a
// moment to come.
int game_Reminders();
