// The end signals: a handler that only notes the signal, and the pump's one-time take of it.
#include "platform/common/end_signal.h"

#include <csignal>
#include <initializer_list>

namespace platform::detail {

namespace {

volatile std::sig_atomic_t caught = 0;

void note_end_signal(int signal) {
    caught = signal;
}

} // namespace

void catch_end_signals(bool on) {
    struct sigaction action = {};
    action.sa_handler = on ? note_end_signal : SIG_DFL;
    action.sa_flags = SA_RESTART; // file operations under way carry on
    sigemptyset(&action.sa_mask);
    for (int signal : {SIGTERM, SIGINT, SIGHUP}) sigaction(signal, &action, nullptr);
}

int take_end_signal() {
    const int signal = caught;
    caught = 0;
    return signal;
}

} // namespace platform::detail
