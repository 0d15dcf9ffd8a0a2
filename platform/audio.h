// Sound output: static PCM buffers, each played from its start, mixed by one output device.
#pragma once
#include <cstdint>

namespace platform {

// The wave format block of a RIFF wave file's 'fmt ' chunk (18 bytes on disk).
struct WaveFormat {
    uint16_t format_tag;
    uint16_t channels;
    uint32_t samples_per_sec;
    uint32_t avg_bytes_per_sec;
    uint16_t block_align;
    uint16_t bits_per_sample;
    uint16_t extra_size;
};
constexpr uint16_t WAVE_FORMAT_PCM = 1;

struct SoundBuffer;

// The number of sound drivers found (0: no sound at all).
int audio_driver_count();
// Opens the output device, which stays open until the process ends; false when it cannot be opened.
bool audio_open();

// A buffer holding PCM samples of any rate, width (8, 16, 24, 32 bits) and channel count the
// device can convert; null when the format cannot be played.
SoundBuffer* sound_buffer_create(const WaveFormat& format, const uint8_t* data, uint32_t size);
// Restarts the buffer from its beginning; volume in hundredths of a decibel (0 = full).
void sound_buffer_play(SoundBuffer* buffer, int volume, bool loop);
void sound_buffer_stop(SoundBuffer* buffer);
bool sound_buffer_playing(SoundBuffer* buffer);

} // namespace platform
