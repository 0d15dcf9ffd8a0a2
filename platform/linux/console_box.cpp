// Message boxes of a program without a window (the reminder program): the text on standard error,
// answered as the box's default button would be.
#include <cstdio>

#include "platform/window.h"

namespace platform {

int message_box(const char* text, const char* caption, unsigned buttons) {
    std::fprintf(stderr, "%s: %s\n", caption, text);
    return buttons == MB_YESNO ? IDYES : IDOK;
}

} // namespace platform
