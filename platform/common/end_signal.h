// The signals by which the system asks the program to end (SIGTERM, SIGINT, SIGHUP), caught so
// that the message pump can hand them to the game as WM_ENDSESSION. On Windows
// (end_signal_windows.cpp) a console's Ctrl+C and close and the session's end stand for them.
#pragma once

namespace platform::detail {

// Catches the three signals (on) or gives them back their default action (off).
void catch_end_signals(bool on);
// The signal caught since the last call, or 0; each signal is handed out once.
int take_end_signal();
// Readable once a signal was caught and not yet taken (-1 before signals are caught): a wait for
// input watches it. POSIX only.
int end_signal_fd();
// Notes an end the system asked for as the given signal. Windows only: the window's end of the
// session calls it.
void note_system_end(int signal);

} // namespace platform::detail
