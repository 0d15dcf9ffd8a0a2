// Other programs of the game, found beside this program's executable and run on the current folder
// (as "--data-dir FOLDER").
#pragma once

namespace platform {

// Starts the program detached: in a session of its own, it outlives this process and holds none of
// its files.
void start_detached(const char* program);
// Runs the program in place of this process; returns only when it cannot be run.
void run_instead(const char* program);

} // namespace platform
