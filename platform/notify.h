// Desktop notifications and the reminder process's sleep: what reaches the player outside the
// game's window.
#pragma once
#include <cstdint>
#include <string>

namespace platform {

// Shows a desktop notification with the game's icon and a "Show" action. False when it cannot be
// shown (no session bus, no notification server); the first such failure of the run is told in
// one line on standard error, the others are not.
bool notify_send(const std::string& summary, const std::string& body);
// Whether the player chose "Show" on one of this process's notifications since the last call.
bool notify_show_chosen();
// Sleeps until the local time reaches `moment` (ticks of 100 ns since 1601-01-01, local time;
// UINT64_MAX for no moment), a file of the current folder is written, made, moved or removed,
// "Show" is chosen on a notification, or the system's clock is set. No wake-up in between.
void wait_for_moment(uint64_t moment);

} // namespace platform
