// Desktop notifications through the freedesktop notification service on the session bus (sd-bus),
// and the reminder process's sleep: a timer to the moment, inotify on the current folder and the
// bus, in one poll.
#include "platform/notify.h"

#include <poll.h>
#include <sys/inotify.h>
#include <sys/timerfd.h>
#include <systemd/sd-bus.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <ctime>
#include <vector>

#include "platform/clock.h"

namespace platform {

namespace {

constexpr const char* SERVICE = "org.freedesktop.Notifications";
constexpr const char* PATH = "/org/freedesktop/Notifications";
constexpr uint64_t REPLY_TIMEOUT = 2000000; // microseconds a notification server may take

// The bus, opened with the first notification and kept for its "Show" answers.
struct Bus {
    sd_bus* bus = nullptr;
    bool told = false;          // the failure line was written
    bool show = false;          // "Show" was chosen since the last notify_show_chosen
    std::vector<uint32_t> sent; // the server's ids of this process's notifications
};
Bus bus;

int on_action(sd_bus_message* message, void*, sd_bus_error*) {
    uint32_t id = 0;
    const char* action = nullptr;
    if (sd_bus_message_read(message, "us", &id, &action) >= 0 && std::strcmp(action, "show") == 0 &&
        std::ranges::find(bus.sent, id) != bus.sent.end())
        bus.show = true;
    return 0;
}

bool fail(const char* why) {
    if (!bus.told) std::fprintf(stderr, "gridhollow: no desktop notifications: %s\n", why);
    bus.told = true;
    return false;
}

bool connect() {
    if (bus.bus && sd_bus_is_open(bus.bus) > 0) return true;
    bus.bus = sd_bus_flush_close_unref(bus.bus); // a bus that went away is opened again
    bus.sent.clear();
    int r = sd_bus_open_user(&bus.bus);
    if (r < 0) {
        bus.bus = nullptr;
        return fail("no session bus");
    }
    // The signal comes from the server's unique name, so the match names no sender.
    r = sd_bus_match_signal(bus.bus, nullptr, nullptr, PATH, SERVICE, "ActionInvoked", on_action,
                            nullptr);
    return r >= 0 || fail(std::strerror(-r));
}

// Takes what the bus brought (the "Show" answers) without waiting.
void drain() {
    if (bus.bus)
        while (sd_bus_process(bus.bus, nullptr) > 0) {
        }
}

} // namespace

bool notify_send(const std::string& summary, const std::string& body) {
    if (!connect()) return false;
    sd_bus_message *call = nullptr, *reply = nullptr;
    sd_bus_error error = SD_BUS_ERROR_NULL;
    int r = sd_bus_message_new_method_call(bus.bus, &call, SERVICE, PATH, SERVICE, "Notify");
    // Application, replaced id, icon, summary, body, actions (key, label), hints, expiry.
    if (r >= 0)
        r = sd_bus_message_append(call, "susssas", "Gridhollow", 0u, "gridhollow", summary.c_str(),
                                  body.c_str(), 2, "show", "Show");
    if (r >= 0)
        r = sd_bus_message_append(call, "a{sv}", 2, "desktop-entry", "s", "gridhollow", "urgency",
                                  "y", uint8_t{1});
    if (r >= 0) r = sd_bus_message_append(call, "i", -1);
    if (r >= 0) r = sd_bus_call(bus.bus, call, REPLY_TIMEOUT, &error, &reply);
    const bool sent = r >= 0 || fail(error.message ? error.message : std::strerror(-r));
    uint32_t id = 0;
    if (sent && sd_bus_message_read(reply, "u", &id) >= 0) bus.sent.push_back(id);
    sd_bus_error_free(&error);
    sd_bus_message_unref(reply);
    sd_bus_message_unref(call);
    return sent;
}

bool notify_show_chosen() {
    drain();
    const bool show = bus.show;
    bus.show = false;
    return show;
}

void wait_for_moment(uint64_t moment) {
    const int timer = timerfd_create(CLOCK_REALTIME, TFD_CLOEXEC);
    const int watch = inotify_init1(IN_CLOEXEC);
    if (watch >= 0)
        inotify_add_watch(watch, ".", IN_CLOSE_WRITE | IN_MOVED_TO | IN_CREATE | IN_DELETE);
    if (timer >= 0 && moment != UINT64_MAX) {
        // The moment as the wall clock's: from the local time now, the same distance on.
        const SYSTEMTIME local = local_time();
        FILETIME ft{};
        SystemTimeToFileTime(&local, &ft);
        const uint64_t now = (uint64_t{ft.dwHighDateTime} << 32) | ft.dwLowDateTime;
        timespec real{};
        clock_gettime(CLOCK_REALTIME, &real);
        const uint64_t ahead = moment > now ? moment - now : 0;
        real.tv_sec += static_cast<time_t>(ahead / 10000000);
        real.tv_nsec += static_cast<long>(ahead % 10000000) * 100;
        if (real.tv_nsec >= 1000000000) {
            ++real.tv_sec;
            real.tv_nsec -= 1000000000;
        }
        const itimerspec at{{0, 0}, real};
        timerfd_settime(timer, TFD_TIMER_ABSTIME | TFD_TIMER_CANCEL_ON_SET, &at, nullptr);
    }
    // What the bus brought first: the bus is then watched for more.
    drain();
    pollfd fds[3] = {{timer, POLLIN, 0}, {watch, POLLIN, 0}, {-1, 0, 0}};
    if (bus.bus)
        fds[2] = {sd_bus_get_fd(bus.bus), static_cast<short>(sd_bus_get_events(bus.bus)), 0};
    if (!bus.show) poll(fds, 3, -1);
    drain();
    if (timer >= 0) close(timer);
    if (watch >= 0) close(watch);
}

} // namespace platform
