// The end signals: a handler that only notes the signal, and the pump's one-time take of it.
#include "platform/common/end_signal.h"

#include <csignal>
#include <fcntl.h>
#include <initializer_list>
#include <unistd.h>

namespace platform::detail {

namespace {

volatile std::sig_atomic_t caught = 0;
int wake[2] = {-1, -1}; // a pipe: the handler writes a byte, which ends a wait for input

void note_end_signal(int signal) {
    caught = signal;
    if (wake[1] >= 0) {
        const ssize_t written = write(wake[1], "", 1); // full: a byte is already waiting
        (void)written;
    }
}

} // namespace

void catch_end_signals(bool on) {
    if (on && wake[0] < 0 && pipe2(wake, O_NONBLOCK | O_CLOEXEC) != 0) wake[0] = wake[1] = -1;
    struct sigaction action = {};
    action.sa_handler = on ? note_end_signal : SIG_DFL;
    action.sa_flags = SA_RESTART; // file operations under way carry on
    sigemptyset(&action.sa_mask);
    for (int signal : {SIGTERM, SIGINT, SIGHUP}) sigaction(signal, &action, nullptr);
}

int take_end_signal() {
    char bytes[16];
    while (wake[0] >= 0 && read(wake[0], bytes, sizeof bytes) > 0) {
    }
    const int signal = caught;
    caught = 0;
    return signal;
}

int end_signal_fd() {
    return wake[0];
}

} // namespace platform::detail
