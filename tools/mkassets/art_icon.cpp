// The game's icon: the title's emblem, a three-by-three block of tiles with its middle one picked
// out, on a rounded night-blue square; for the window, the desktop's icon theme and as an SVG.
#include <cairo-svg.h>

#include <cstdint>
#include <cstdio>
#include <iterator>
#include <vector>

#include "platform/files.h"
#include "tools/mkassets/art.h"
#include "tools/mkassets/mkassets.h"
#include "tools/mkassets/tga.h"

namespace {

// The window carries the small picture; the icon theme gets every size a desktop asks for.
constexpr int ICON_SIZE = 64;
constexpr int THEME_SIZES[] = {48, 64, 128, 256};
constexpr int SVG_SIZE = 256;
// The Windows executable's icon holds the small sizes Explorer and the taskbar show too.
constexpr int EXE_SIZES[] = {16, 32, 48, 64, 128, 256};

void draw_icon(cairo_t* cr, int size) {
    // Drawn on a 180-unit square: a 15-unit margin around three 50-unit cells.
    cairo_scale(cr, size / 180.0, size / 180.0);
    rounded_rect(cr, {2, 2, 176, 176}, 34);
    set_gradient(cr, 0, 180, {0.118, 0.188, 0.259}, {0.039, 0.063, 0.098});
    cairo_fill_preserve(cr);
    set_colour(cr, palette::amber, 0.9);
    cairo_set_line_width(cr, 4);
    cairo_stroke(cr);
    for (int i = 0; i < 9; ++i)
        draw_tile(cr, {15.0 + 50 * (i % 3), 15.0 + 50 * (i / 3), 50, 50}, 0, i % 2 == 0);
    draw_selection_frame(cr, {65, 65, 50, 50});
    TextStyle digit{Face::condensed_bold, 40, palette::cream};
    digit.outline = 2;
    draw_label(cr, "9", {65, 65, 50, 50}, digit);
}

// The same drawing on Cairo's SVG surface, in pixels.
bool write_svg(const std::string& path) {
    cairo_surface_t* surface = cairo_svg_surface_create(path.c_str(), SVG_SIZE, SVG_SIZE);
    cairo_svg_surface_set_document_unit(surface, CAIRO_SVG_UNIT_PX);
    cairo_t* cr = cairo_create(surface);
    draw_icon(cr, SVG_SIZE);
    bool drawn = cairo_status(cr) == CAIRO_STATUS_SUCCESS;
    cairo_destroy(cr);
    cairo_surface_finish(surface);
    drawn = drawn && cairo_surface_status(surface) == CAIRO_STATUS_SUCCESS;
    cairo_surface_destroy(surface);
    return drawn;
}

bool write_window_icon(const std::string& out_dir) {
    const std::vector<uint8_t> rgba = straight_rgba(art_icon(ICON_SIZE));
    std::string source =
        "// The window icon, " + std::to_string(ICON_SIZE) + " x " + std::to_string(ICON_SIZE) +
        " pixels of R, G, B, A bytes, rows from the top: made by mkassets.\n"
        "extern const int gridhollow_icon_size = " +
        std::to_string(ICON_SIZE) + ";\nextern const unsigned char gridhollow_icon_rgba[] = {";
    char byte[16];
    for (size_t i = 0; i < rgba.size(); ++i) {
        std::snprintf(byte, sizeof byte, "%s%u,", i % 16 == 0 ? "\n    " : " ", rgba[i]);
        source += byte;
    }
    source += "\n};\n";
    return platform::file_write((out_dir + "/window_icon.cpp").c_str(), source.data(),
                                source.size());
}

// "gridhollow.ico": one PNG picture per size after the icon file's header and directory.
bool write_exe_icon(const std::string& out_dir) {
    const uint16_t count = std::size(EXE_SIZES);
    std::vector<uint8_t> header = {0, 0, 1, 0, static_cast<uint8_t>(count), 0};
    std::vector<uint8_t> pictures;
    uint32_t offset = 6 + 16 * count;
    for (int size : EXE_SIZES) {
        const std::string path = out_dir + "/gridhollow-icon.png";
        std::vector<uint8_t> png;
        if (!write_png(art_icon(size), path) || !platform::file_read(path.c_str(), png))
            return false;
        platform::file_delete(path.c_str());
        const auto length = static_cast<uint32_t>(png.size());
        const uint8_t side = size >= 256 ? 0 : static_cast<uint8_t>(size); // 0 stands for 256
        header.insert(header.end(), {side, side, 0, 0, 1, 0, 32, 0});
        for (uint32_t value : {length, offset})
            for (int shift = 0; shift < 32; shift += 8)
                header.push_back(static_cast<uint8_t>(value >> shift));
        pictures.insert(pictures.end(), png.begin(), png.end());
        offset += length;
    }
    header.insert(header.end(), pictures.begin(), pictures.end());
    return platform::file_write((out_dir + "/gridhollow.ico").c_str(), header.data(),
                                header.size());
}

} // namespace

Art art_icon(int size) {
    Canvas canvas(size, size);
    draw_icon(canvas.cr, size);
    return canvas.finish("", {});
}

bool write_icon(const std::string& out_dir) {
    if (!write_window_icon(out_dir) || !write_svg(out_dir + "/gridhollow.svg")) return false;
    for (int size : THEME_SIZES)
        if (!write_png(art_icon(size), out_dir + "/gridhollow-" + std::to_string(size) + ".png"))
            return false;
    return write_exe_icon(out_dir);
}
