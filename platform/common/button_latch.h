// The mouse buttons as a read once a frame reports them: each press and each release the backend
// saw since the previous read is reported by a read of its own, so a click shorter than a frame (a
// touchpad's tap, a remote desktop's click) is seen as a press and then a release.
#pragma once
#include <cstdint>

namespace platform::detail {

class ButtonLatch {
  public:
    // A button (0 left, 1 right, 2 middle, 3 and 4 the side buttons) went down or up.
    void change(int button, bool down);
    // Fills a read's buttons (0x80 while down) from the buttons the backend holds now (one bit
    // each): a press not yet reported is down, else a release not yet reported is up, else the
    // button is as held.
    void read(uint8_t held, uint8_t (&buttons)[8]);
    // Drops the changes not yet reported (the window lost the mouse).
    void forget();

  private:
    uint8_t pressed = 0, released = 0; // changes since the previous read
    uint8_t reported = 0;              // what the previous read said
};

} // namespace platform::detail
