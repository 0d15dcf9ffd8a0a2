// Sound on SDL2: each buffer is converted once to the device's format, and the device's callback
// mixes every playing buffer. While nothing plays the callback sleeps, so the device's thread
// does not wake the process: a paused SDL2 device still runs its thread to play silence.
// The device opens on a thread of its own while the game shows its first picture: finding a sound
// server or card can take longer than everything else at start-up. The device is asked for one
// fixed format, which SDL converts to the card's, so buffers are made before it is open.
#include <SDL.h>
#include <algorithm>
#include <cmath>
#include <condition_variable>
#include <cstdlib>
#include <memory>
#include <mutex>
#include <thread>
#include <vector>

#include "platform/audio.h"
#include "platform/sdl/sdl_backend.h"

namespace platform {

struct SoundBuffer {
    std::vector<float> samples; // interleaved, in the device's format
    size_t position = 0;        // next sample to mix
    float gain = 1;
    bool playing = false, loop = false;
};

namespace {

SDL_AudioDeviceID device = 0;
SDL_AudioSpec spec{}; // the buffers' format: the one asked for
std::thread opening;  // opens the device
// Buffers live until the process ends, as the sound bank's channels do.
std::vector<std::unique_ptr<SoundBuffer>> buffers;
// Guards the buffers. The callback holds SDL's own device lock while it sleeps, so the game never
// takes that one (SDL_LockAudioDevice) but this.
std::mutex mixing;
std::condition_variable woken; // a buffer started, or the device closes
bool closing = false;

bool any_playing() {
    return std::ranges::any_of(buffers, [](const auto& b) { return b->playing; });
}

void mix(void*, Uint8* stream, int len) {
    float* out = reinterpret_cast<float*>(stream);
    size_t count = static_cast<size_t>(len) / sizeof(float);
    std::fill(out, out + count, 0.0f);
    std::unique_lock lock(mixing);
    // The silence after the last sound went out with the previous call; the next sound starts
    // from its first sample in the call that wakes.
    woken.wait(lock, [] { return closing || any_playing(); });
    for (auto& b : buffers) {
        if (!b->playing || b->samples.empty()) continue;
        for (size_t i = 0; i < count; ++i) {
            if (b->position >= b->samples.size()) {
                if (!b->loop) {
                    b->playing = false;
                    break;
                }
                b->position = 0;
            }
            out[i] += b->samples[b->position++] * b->gain;
        }
    }
    for (size_t i = 0; i < count; ++i) out[i] = std::clamp(out[i], -1.0f, 1.0f);
}

// SDL has no 24-bit sample format: widen such samples to 32 bits.
std::vector<uint8_t> widen_24(const uint8_t* data, uint32_t size) {
    std::vector<uint8_t> wide;
    wide.reserve(size / 3 * 4);
    for (uint32_t i = 0; i + 3 <= size; i += 3) {
        wide.push_back(0);
        wide.insert(wide.end(), data + i, data + i + 3);
    }
    return wide;
}

} // namespace

namespace sdl {
// At the process's end the device stops before the buffers go, so the mixing thread never reads
// a buffer that is gone.
void audio_close() {
    if (opening.joinable()) opening.join();
    {
        std::lock_guard lock(mixing);
        closing = true;
    }
    woken.notify_all();
    if (device) SDL_CloseAudioDevice(device);
    device = 0;
}
} // namespace sdl

int audio_driver_count() {
    return SDL_GetNumAudioDrivers();
}

bool audio_open() {
    sdl::audio_close(); // a device opened before (SDL would wait for its sleeping thread)
    closing = false;
    spec = {};
    spec.freq = 44100;
    spec.format = AUDIO_F32SYS;
    spec.channels = 2;
    spec.samples = 1024;
    spec.callback = mix;
    opening = std::thread([] {
        if (SDL_InitSubSystem(SDL_INIT_AUDIO) == 0)
            device = SDL_OpenAudioDevice(nullptr, 0, &spec, nullptr, 0);
        if (device == 0) {
            // A machine without a working sound output still gets SDL's silent driver, so the
            // game runs mute instead of not at all.
            SDL_QuitSubSystem(SDL_INIT_AUDIO);
            SDL_SetHint(SDL_HINT_AUDIODRIVER, "dummy");
            if (SDL_InitSubSystem(SDL_INIT_AUDIO) == 0)
                device = SDL_OpenAudioDevice(nullptr, 0, &spec, nullptr, 0);
        }
        if (device != 0) SDL_PauseAudioDevice(device, 0);
    });
    static const int at_exit = std::atexit(sdl::audio_close); // before the buffers' destructor runs
    (void)at_exit;
    return true;
}

namespace {

// The SDL sample format of a PCM format's sample size (24-bit samples are widened to 32 first);
// 0 for a size the game does not play.
SDL_AudioFormat sample_format(uint16_t bits_per_sample) {
    switch (bits_per_sample) {
    case 8:
        return AUDIO_U8;
    case 16:
        return AUDIO_S16LSB;
    case 24:
    case 32:
        return AUDIO_S32LSB;
    default:
        return 0;
    }
}

} // namespace

SoundBuffer* sound_buffer_create(const WaveFormat& f, const uint8_t* data, uint32_t size) {
    const SDL_AudioFormat format = sample_format(f.bits_per_sample);
    if (format == 0 || f.format_tag != WAVE_FORMAT_PCM || f.channels == 0 || f.channels > 8)
        return nullptr;
    std::vector<uint8_t> wide;
    if (f.bits_per_sample == 24) {
        wide = widen_24(data, size);
        data = wide.data();
        size = static_cast<uint32_t>(wide.size());
    }
    SDL_AudioCVT cvt;
    if (SDL_BuildAudioCVT(&cvt, format, static_cast<Uint8>(f.channels),
                          static_cast<int>(f.samples_per_sec), spec.format, spec.channels,
                          spec.freq) < 0)
        return nullptr;
    uint32_t frame = f.channels * (SDL_AUDIO_BITSIZE(format) / 8);
    cvt.len = static_cast<int>(size - size % frame);
    if (cvt.len == 0) return nullptr;
    std::vector<uint8_t> work(static_cast<size_t>(cvt.len) * cvt.len_mult);
    std::copy(data, data + cvt.len, work.begin());
    cvt.buf = work.data();
    if (SDL_ConvertAudio(&cvt) != 0) return nullptr;
    auto buffer = std::make_unique<SoundBuffer>();
    const float* samples = reinterpret_cast<const float*>(work.data());
    buffer->samples.assign(samples, samples + cvt.len_cvt / sizeof(float));
    std::lock_guard lock(mixing);
    buffers.push_back(std::move(buffer));
    return buffers.back().get();
}

void sound_buffer_play(SoundBuffer* b, int volume, bool loop) {
    {
        std::lock_guard lock(mixing);
        b->position = 0;
        b->gain = static_cast<float>(std::pow(10.0, std::min(volume, 0) / 2000.0));
        b->loop = loop;
        b->playing = true;
    }
    woken.notify_all();
}

void sound_buffer_stop(SoundBuffer* b) {
    std::lock_guard lock(mixing);
    b->playing = false;
}

bool sound_buffer_playing(SoundBuffer* b) {
    std::lock_guard lock(mixing);
    return b->playing;
}

} // namespace platform
