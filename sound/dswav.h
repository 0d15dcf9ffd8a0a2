// The sound bank: PCM wave files loaded whole into one of 100 channels and played from the start.
#pragma once
#include <cstdint>
#include <vector>

#include "platform/audio.h"

constexpr int SOUND_CHANNELS = 100;
constexpr uint16_t NO_SOUND = 0xFFFF;
constexpr int DSBPLAY_LOOPING = 1;

class SoundBank {
  public:
    // Finds a sound driver and opens the output; ends the program with a message on failure.
    SoundBank();
    // Loads a PCM wave file into the lowest free channel and returns the channel; an empty path
    // returns NO_SOUND. Any failure shows its message and ends the program.
    uint16_t loadwav(const char* path);
    // Restarts the effect from its beginning; volume in hundredths of a decibel (0 = full).
    void play(uint16_t id, int flags, int volume);
    bool isplaying(uint16_t id);
    // Stops every loaded channel and returns how many there are.
    int stopall();

    platform::WaveFormat format{};

  private:
    int free_channel();
    std::vector<uint8_t> wave_data[SOUND_CHANNELS];
    uint32_t wave_size[SOUND_CHANNELS] = {};
    platform::SoundBuffer* buffers[SOUND_CHANNELS] = {};
};
