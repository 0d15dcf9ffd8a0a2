// Fuzz target: any bytes as "alarm.wav" loaded by the sound bank, which must take a playable PCM
// wave or refuse it with its message, never reading outside the file.
#include <cstdint>
#include <cstdlib>

#include "fuzz/fuzz_folder.h"
#include "platform/files.h"
#include "platform/headless/headless.h"
#include "sound/dswav.h"

namespace {

// The bank ends the program on a file it cannot load; here that ends only this input.
struct Refused {};
[[noreturn]] void refuse(int) {
    throw Refused{};
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (!fuzz_folder("gridhollow-fuzz-wave")) return 0;
    platform::file_write("alarm.wav", data, size);
    platform::headless::reset();
    platform::headless::on_exit_process(refuse);
    SoundBank bank;
    try {
        const uint16_t id = bank.loadwav("alarm.wav");
        if (id != 0 || bank.format.format_tag != platform::WAVE_FORMAT_PCM) std::abort();
        bank.play(id, 0, 0);
        if (!bank.isplaying(id)) std::abort();
    } catch (const Refused&) {
        if (platform::headless::message_boxes().empty()) std::abort();
    }
    return 0;
}
