// The devices: the renderer tried on the graphics card, then in software, then (with the
// player's consent) on the slow reference path; then the sound bank, keyboard and mouse.
#include "app/device.h"

#include <memory>

#include "input/keyboard.h"
#include "input/mouse.h"
#include "platform/renderer.h"
#include "platform/window.h"

unsigned backbuffer_w = 0, backbuffer_h = 0;

namespace {
constexpr const char* DEVICE_CAPTION = "Orbfall Raid";
// The sound bank of the last start-up, which sound_bank points at, until the process ends.
std::unique_ptr<SoundBank> bank;
} // namespace

bool game_InitDevice() {
    using platform::DeviceType;
    if (!platform::device_create(DeviceType::hardware) &&
        !platform::device_create(DeviceType::software)) {
        platform::message_box("Direct3D9 - hardware emulation failed", DEVICE_CAPTION,
                              platform::MB_OK);
        if (!platform::device_create(DeviceType::reference)) {
            platform::message_box(
                "Software emulation failed.  Make sure correct video card driver installed",
                DEVICE_CAPTION, platform::MB_OK);
            return false;
        }
        if (platform::message_box(
                "Game will run very slow without video hardware support.  Continue (y/n)",
                DEVICE_CAPTION, platform::MB_YESNO) == platform::IDNO)
            return false;
    }
    bank = std::make_unique<SoundBank>(); // a second start-up (tests, the soak) replaces it
    sound_bank = bank.get();
    keyboard.create();
    mouse.create();
    mouse.x = 256;
    mouse.y = 256;
    platform::backbuffer_size(backbuffer_w, backbuffer_h);
    return true;
}

void game_Cleanup() {
    if (sound_bank) sound_bank->stopall();
    platform::device_release();
}
