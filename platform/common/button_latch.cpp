// The mouse button latch the backends share.
#include "platform/common/button_latch.h"

namespace platform::detail {

void ButtonLatch::change(int button, bool down) {
    const uint8_t bit = static_cast<uint8_t>(1u << (button & 7));
    (down ? pressed : released) |= bit;
}

void ButtonLatch::read(uint8_t held, uint8_t (&buttons)[8]) {
    const uint8_t press = pressed & ~reported, release = released & reported;
    reported = static_cast<uint8_t>(press | (held & ~release));
    // A press reported leaves its later release for the next read, a release its later press.
    pressed &= release;
    released &= press;
    for (int i = 0; i < 8; ++i) buttons[i] = reported >> i & 1 ? 0x80 : 0;
}

void ButtonLatch::forget() {
    pressed = released = 0;
}

} // namespace platform::detail
