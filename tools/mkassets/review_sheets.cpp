// Contact sheets: every image of the archive at twice its size over a checkerboard, with each
// region the game reads outlined and named, so the map can be checked by eye.
#include "platform/files.h"
#include "tools/mkassets/art.h"
#include "tools/mkassets/mkassets.h"
#include "tools/mkassets/review.h"

namespace {

constexpr int ZOOM = 2, MARGIN = 16, HEADER = 28;

// Outline colours, taken in turn so that neighbouring regions differ.
const Colour OUTLINES[] = {{1, 0.25, 0.6}, {0.2, 0.9, 1},  {1, 0.9, 0.2},
                           {0.5, 1, 0.3},  {1, 0.55, 0.1}, {0.7, 0.5, 1}};

void draw_checkerboard(cairo_t* cr, double x, double y, double w, double h) {
    constexpr int SQUARE = 8;
    for (int row = 0; row * SQUARE < h; ++row) {
        for (int col = 0; col * SQUARE < w; ++col) {
            const double shade = (row + col) % 2 ? 0.42 : 0.5;
            cairo_set_source_rgb(cr, shade, shade, shade);
            cairo_rectangle(cr, x + col * SQUARE, y + row * SQUARE,
                            std::min<double>(SQUARE, w - col * SQUARE),
                            std::min<double>(SQUARE, h - row * SQUARE));
            cairo_fill(cr);
        }
    }
}

void draw_region(cairo_t* cr, const Region& region, Colour colour) {
    const Box b{MARGIN + ZOOM * double(region.rect.left),
                HEADER + MARGIN + ZOOM * double(region.rect.top),
                ZOOM * double(region.rect.right - region.rect.left),
                ZOOM * double(region.rect.bottom - region.rect.top)};
    cairo_rectangle(cr, b.x + 0.5, b.y + 0.5, b.w - 1, b.h - 1);
    set_colour(cr, colour);
    cairo_set_line_width(cr, 1);
    cairo_stroke(cr);
    TextStyle style{Face::condensed_bold, 10, colour};
    const double width = text_width(cr, region.name, style);
    cairo_rectangle(cr, b.x + 1, b.y + 1, width + 4, 12);
    set_colour(cr, {0, 0, 0}, 0.7);
    cairo_fill(cr);
    draw_text(cr, region.name, b.x + 3, b.y + 10.5, Align::left, style);
}

bool write_contact_sheet(const Art& art, const std::string& path) {
    Canvas canvas(art.w * ZOOM + 2 * MARGIN, art.h * ZOOM + 2 * MARGIN + HEADER);
    cairo_t* cr = canvas.cr;
    cairo_set_source_rgb(cr, 0.16, 0.16, 0.18);
    cairo_paint(cr);
    draw_text(cr, art.entry + "  " + std::to_string(art.w) + " x " + std::to_string(art.h), MARGIN,
              20, Align::left, {Face::condensed_bold, 15, palette::cream});
    draw_checkerboard(cr, MARGIN, HEADER + MARGIN, art.w * ZOOM, art.h * ZOOM);
    cairo_save(cr);
    cairo_translate(cr, MARGIN, HEADER + MARGIN);
    cairo_scale(cr, ZOOM, ZOOM);
    cairo_surface_t* image = art_surface(art);
    cairo_set_source_surface(cr, image, 0, 0);
    cairo_pattern_set_filter(cairo_get_source(cr), CAIRO_FILTER_NEAREST);
    cairo_paint(cr);
    cairo_surface_destroy(image);
    cairo_restore(cr);
    size_t colour = 0;
    for (const Region& region : art.regions)
        draw_region(cr, region, OUTLINES[colour++ % std::size(OUTLINES)]);
    return write_png(canvas.finish(art.entry, {}), path);
}

} // namespace

bool write_contact_sheets(const std::string& review_dir) {
    for (const Art& art : archive_art()) {
        // "img\chrset1.tga" becomes "sheet-chrset1.png".
        const std::string file = art.entry.substr(4, art.entry.size() - 8);
        if (!write_contact_sheet(art, review_dir + "/sheet-" + file + ".png")) return false;
    }
    return true;
}

bool write_review(const std::string& review_dir) {
    platform::make_directory(review_dir.c_str());
    return write_contact_sheets(review_dir) && write_scenes(review_dir);
}
