// Synthesizes "alarm.wav": three bright bell strikes, rising, in 1.5 s of 16-bit mono PCM.
#include <cmath>
#include <cstdint>
#include <vector>

#include "platform/files.h"
#include "tools/mkassets/mkassets.h"

namespace {

constexpr int RATE = 22050;
constexpr double SECONDS = 1.5;

void put16(std::vector<uint8_t>& out, uint32_t v) {
    out.push_back(static_cast<uint8_t>(v));
    out.push_back(static_cast<uint8_t>(v >> 8));
}

void put32(std::vector<uint8_t>& out, uint32_t v) {
    put16(out, v & 0xFFFF);
    put16(out, v >> 16);
}

// One bell strike at time t (seconds since it began): a quick attack, a ringing decay, and a few
// inharmonic partials that make it a bell rather than a beep.
double strike(double t, double pitch) {
    if (t < 0) return 0;
    double attack = std::min(1.0, t / 0.004);
    double ring = std::exp(-t * 5.5);
    const double partials[][2] = {{1.0, 1.0}, {2.0, 0.45}, {2.76, 0.25}, {5.4, 0.12}};
    double v = 0;
    for (const auto& p : partials)
        v += p[1] * std::sin(2 * M_PI * pitch * p[0] * t) * std::exp(-t * p[0] * 1.5);
    return attack * ring * v;
}

} // namespace

bool write_alarm(const std::string& out_dir) {
    const int count = static_cast<int>(RATE * SECONDS);
    // Two quick strikes and a higher third: the pattern reads as an alarm from across a room.
    const double starts[] = {0.0, 0.22, 0.44};
    const double pitches[] = {880.0, 880.0, 1174.66};
    std::vector<uint8_t> wav;
    wav.insert(wav.end(), {'R', 'I', 'F', 'F'});
    put32(wav, 36 + count * 2);
    wav.insert(wav.end(), {'W', 'A', 'V', 'E', 'f', 'm', 't', ' '});
    put32(wav, 16);
    put16(wav, 1); // PCM
    put16(wav, 1); // mono
    put32(wav, RATE);
    put32(wav, RATE * 2);
    put16(wav, 2);
    put16(wav, 16);
    wav.insert(wav.end(), {'d', 'a', 't', 'a'});
    put32(wav, count * 2);
    for (int i = 0; i < count; ++i) {
        double t = static_cast<double>(i) / RATE;
        double v = 0;
        for (int s = 0; s < 3; ++s) v += strike(t - starts[s], pitches[s]);
        double fade = std::min(1.0, (SECONDS - t) / 0.05); // no click at the end
        int sample = static_cast<int>(std::lround(std::tanh(v * 0.9) * 0.8 * fade * 32767));
        put16(wav, static_cast<uint16_t>(static_cast<int16_t>(sample)));
    }
    return platform::file_write((out_dir + "/alarm.wav").c_str(), wav.data(), wav.size());
}
