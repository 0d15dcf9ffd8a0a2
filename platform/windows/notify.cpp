// Windows has no desktop notifications or reminder process of the game's yet: a notice is not
// shown (the alarm in the game's window still sounds), and nobody chooses "Show".
#include "platform/notify.h"

namespace platform {

bool notify_send(const std::string&, const std::string&) {
    return false;
}

bool notify_show_chosen() {
    return false;
}

} // namespace platform
