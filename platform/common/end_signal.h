// The signals by which the system asks the program to end (SIGTERM, SIGINT, SIGHUP), caught so
// that the message pump can hand them to the game as WM_ENDSESSION.
#pragma once

namespace platform::detail {

// Catches the three signals (on) or gives them back their default action (off).
void catch_end_signals(bool on);
// The signal caught since the last call, or 0; each signal is handed out once.
int take_end_signal();
// Readable once a signal was caught and not yet taken (-1 before signals are caught): a wait for
// input watches it.
int end_signal_fd();

} // namespace platform::detail
