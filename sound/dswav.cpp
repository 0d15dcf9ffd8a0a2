// The sound bank: RIFF wave parsing, channel allocation, play, status and stop.
#include "sound/dswav.h"

#include <algorithm>
#include <cstring>
#include <string>

#include "platform/files.h"
#include "platform/window.h"

namespace {

// A sound effect is short; a larger "wave" file is refused rather than read into memory.
constexpr size_t MAX_WAVE_FILE = 64u << 20;

uint16_t le16(const uint8_t* p) {
    return static_cast<uint16_t>(p[0] | p[1] << 8);
}
uint32_t le32(const uint8_t* p) {
    return le16(p) | static_cast<uint32_t>(le16(p + 2)) << 16;
}

[[noreturn]] void fail(const char* text, const char* caption) {
    platform::message_box(text, caption, platform::MB_OK);
    platform::exit_process(-1);
}

struct Chunk {
    size_t data;   // offset of the chunk's first data byte
    uint32_t size; // data bytes the header claims
};

// Finds the first chunk with the given id among the chunks between from and end.
bool find_chunk(const std::vector<uint8_t>& f, size_t from, size_t end, const char* id,
                Chunk& out) {
    for (size_t p = from; p + 8 <= end;) {
        uint32_t size = le32(&f[p + 4]);
        if (std::memcmp(&f[p], id, 4) == 0) {
            out = {p + 8, size};
            return true;
        }
        p += 8 + static_cast<size_t>(size) + (size & 1);
    }
    return false;
}

// Finds the RIFF chunk of form 'WAVE' at the top level of the file.
bool find_wave(const std::vector<uint8_t>& f, Chunk& riff) {
    for (size_t from = 0; find_chunk(f, from, f.size(), "RIFF", riff);
         from = riff.data + riff.size + (riff.size & 1)) {
        if (riff.size >= 4 && riff.data + 4 <= f.size() &&
            std::memcmp(&f[riff.data], "WAVE", 4) == 0)
            return true;
    }
    return false;
}

} // namespace

SoundBank::SoundBank() {
    if (platform::audio_driver_count() == 0) fail("unable to find Sound Driver", "Vell Racer");
    if (!platform::audio_open()) fail("unable to create direct sound", "Vell Racer");
}

int SoundBank::free_channel() {
    for (int i = 0; i < SOUND_CHANNELS; ++i)
        if (!buffers[i]) return i;
    platform::message_box("Max sound channel reached - sound fx can't load", "game terminating",
                          platform::MB_OK);
    return NO_SOUND;
}

uint16_t SoundBank::loadwav(const char* path) {
    if (!path || !*path) return NO_SOUND;
    std::string unloadable = std::string("unloadable: ") + path;
    std::vector<uint8_t> f;
    Chunk riff, fmt, data;
    if (!platform::file_read(path, f, MAX_WAVE_FILE) || !find_wave(f, riff))
        fail(unloadable.c_str(), "dswav - loadwav");
    size_t riff_end = std::min(f.size(), riff.data + riff.size);
    if (!find_chunk(f, riff.data + 4, riff_end, "fmt ", fmt) || fmt.size < 16 ||
        fmt.data + 16 > f.size())
        fail(unloadable.c_str(), "dswav - loadwav");
    const uint8_t* p = &f[fmt.data];
    platform::WaveFormat wave{
        le16(p), le16(p + 2), le32(p + 4), le32(p + 8), le16(p + 12), le16(p + 14), 0};
    if (fmt.size >= 18 && fmt.data + 18 <= f.size()) wave.extra_size = le16(p + 16);
    if (wave.format_tag != platform::WAVE_FORMAT_PCM) fail(unloadable.c_str(), "dswav - loadwav");
    format = wave;
    size_t after_fmt = fmt.data + fmt.size + (fmt.size & 1);
    if (!find_chunk(f, after_fmt, riff_end, "data", data))
        fail(unloadable.c_str(), "dswav - loadwav");
    int channel = free_channel();
    // The whole data chunk must be in the file: a short one fails the read.
    if (channel == NO_SOUND || data.data + data.size > f.size())
        fail(unloadable.c_str(), "dswav - loadwav");
    wave_data[channel].assign(f.begin() + data.data, f.begin() + data.data + data.size);
    wave_size[channel] = data.size;
    buffers[channel] =
        platform::sound_buffer_create(format, wave_data[channel].data(), wave_size[channel]);
    if (!buffers[channel]) fail("Unable to create sound buffer", "game terminating");
    return static_cast<uint16_t>(channel);
}

void SoundBank::play(uint16_t id, int flags, int volume) {
    if (id >= SOUND_CHANNELS || !buffers[id]) return;
    platform::sound_buffer_stop(buffers[id]);
    platform::sound_buffer_play(buffers[id], volume, (flags & DSBPLAY_LOOPING) != 0);
}

bool SoundBank::isplaying(uint16_t id) {
    return id < SOUND_CHANNELS && buffers[id] && platform::sound_buffer_playing(buffers[id]);
}

int SoundBank::stopall() {
    int stopped = 0;
    for (platform::SoundBuffer* b : buffers)
        if (b) {
            platform::sound_buffer_stop(b);
            ++stopped;
        }
    return stopped;
}
