// Encodings of a finished image: straight alpha with bled edges, and the TGA file around it.
#include "tools/mkassets/tga.h"

namespace {

// How far (in pixels) colour spreads into the transparent surroundings of shapes.
constexpr int BLEED_PASSES = 2;

} // namespace

std::vector<uint8_t> straight_rgba(const Art& art) {
    const int w = art.w, h = art.h;
    std::vector<uint8_t> out(size_t(w) * h * 4);
    std::vector<bool> coloured(size_t(w) * h);
    for (size_t i = 0; i < art.pixels.size(); ++i) {
        const uint32_t p = art.pixels[i];
        const unsigned a = p >> 24;
        out[i * 4 + 3] = uint8_t(a);
        if (a == 0) continue;
        for (int c = 0; c < 3; ++c) {
            const unsigned v = (p >> (16 - 8 * c)) & 0xFF;
            out[i * 4 + c] = uint8_t(std::min(255u, (v * 255 + a / 2) / a));
        }
        coloured[i] = true;
    }
    for (int pass = 0; pass < BLEED_PASSES; ++pass) {
        std::vector<bool> next = coloured;
        for (int y = 0; y < h; ++y) {
            for (int x = 0; x < w; ++x) {
                const size_t i = size_t(y) * w + x;
                if (coloured[i]) continue;
                unsigned sum[3] = {}, count = 0;
                for (int dy = -1; dy <= 1; ++dy) {
                    for (int dx = -1; dx <= 1; ++dx) {
                        const int nx = x + dx, ny = y + dy;
                        if (nx < 0 || ny < 0 || nx >= w || ny >= h) continue;
                        const size_t n = size_t(ny) * w + nx;
                        if (!coloured[n]) continue;
                        for (int c = 0; c < 3; ++c) sum[c] += out[n * 4 + c];
                        ++count;
                    }
                }
                if (count == 0) continue;
                for (int c = 0; c < 3; ++c) out[i * 4 + c] = uint8_t(sum[c] / count);
                next[i] = true;
            }
        }
        coloured = std::move(next);
    }
    return out;
}

namespace {

// The 18-byte header of a 32-bit TGA of the art's size, rows from the top, of the given type.
std::vector<uint8_t> tga_header(const Art& art, uint8_t type) {
    std::vector<uint8_t> tga(18, 0);
    tga[2] = type;
    tga[12] = uint8_t(art.w & 0xFF);
    tga[13] = uint8_t(art.w >> 8);
    tga[14] = uint8_t(art.h & 0xFF);
    tga[15] = uint8_t(art.h >> 8);
    tga[16] = 32;
    tga[17] = 0x28; // 8 alpha bits, rows from the top
    return tga;
}

} // namespace

std::vector<uint8_t> tga_bytes(const Art& art) {
    std::vector<uint8_t> tga = tga_header(art, 2); // uncompressed true colour
    const std::vector<uint8_t> rgba = straight_rgba(art);
    tga.reserve(tga.size() + rgba.size());
    for (size_t i = 0; i < rgba.size(); i += 4)
        tga.insert(tga.end(), {rgba[i + 2], rgba[i + 1], rgba[i], rgba[i + 3]}); // B, G, R, A
    return tga;
}

std::vector<uint8_t> tga_rle_bytes(const Art& art) {
    constexpr int LONGEST_PACKET = 128;
    std::vector<uint8_t> tga = tga_header(art, 10); // run-length coded true colour
    const std::vector<uint8_t> rgba = straight_rgba(art);
    std::vector<uint32_t> row(art.w);
    auto put = [&tga](uint32_t bgra) {
        tga.insert(tga.end(),
                   {uint8_t(bgra), uint8_t(bgra >> 8), uint8_t(bgra >> 16), uint8_t(bgra >> 24)});
    };
    for (int y = 0; y < art.h; ++y) {
        for (int x = 0; x < art.w; ++x) {
            const uint8_t* p = &rgba[(size_t(y) * art.w + x) * 4];
            row[x] =
                uint32_t(p[2]) | uint32_t(p[1]) << 8 | uint32_t(p[0]) << 16 | uint32_t(p[3]) << 24;
        }
        // Packets stay within a row: a run of one repeated pixel, or up to the next run of two
        // equal pixels as they are.
        for (int x = 0; x < art.w;) {
            int run = 1;
            while (x + run < art.w && run < LONGEST_PACKET && row[x + run] == row[x]) ++run;
            if (run > 1) {
                tga.push_back(uint8_t(0x80 | (run - 1)));
                put(row[x]);
                x += run;
                continue;
            }
            int raw = 1;
            while (x + raw < art.w && raw < LONGEST_PACKET &&
                   (x + raw + 1 >= art.w || row[x + raw] != row[x + raw + 1]))
                ++raw;
            tga.push_back(uint8_t(raw - 1));
            for (int i = 0; i < raw; ++i) put(row[x + i]);
            x += raw;
        }
    }
    return tga;
}
