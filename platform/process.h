// Other processes of the program.
#pragma once

namespace platform {

// Starts this program again on the current folder (as "--data-dir FOLDER"), with the option when
// it is not null, detached: in a session of its own, it outlives this process and holds none of
// its files.
void start_detached(const char* option);

} // namespace platform
