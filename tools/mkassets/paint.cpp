// The shared drawing kit: palette helpers, the DejaVu faces, text, panels, fields and buttons.
#include "tools/mkassets/paint.h"

#include <cairo-ft.h>
#include <ft2build.h>
#include FT_FREETYPE_H

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "gfx/images.h"

namespace {

constexpr const char* FONT_DIR = "/usr/share/fonts/truetype/dejavu/";
const char* const FONT_FILES[] = {"DejaVuSansCondensed-Bold.ttf",
                                  "DejaVuSansCondensed-BoldOblique.ttf", "DejaVuSans-Bold.ttf"};

FT_Library library = nullptr;
cairo_font_face_t* faces[3] = {};

cairo_font_face_t* loadface(int index) {
    if (!library && FT_Init_FreeType(&library) != 0) return nullptr;
    FT_Face face;
    const std::string path = std::string(FONT_DIR) + FONT_FILES[index];
    if (FT_New_Face(library, path.c_str(), 0, &face) != 0) {
        std::fprintf(stderr, "mkassets: cannot read the font %s\n", path.c_str());
        return nullptr;
    }
    // The face lives as long as the process: the images are all drawn in one run.
    return cairo_ft_font_face_create_for_ft_face(face, 0);
}

void select(cairo_t* cr, const TextStyle& style) {
    cairo_set_font_face(cr, font(style.face));
    cairo_matrix_t m;
    cairo_matrix_init_scale(&m, style.size * style.squeeze, style.size);
    cairo_set_font_matrix(cr, &m);
}

// The text split into its UTF-8 characters.
std::vector<std::string> characters(const std::string& text) {
    std::vector<std::string> out;
    for (unsigned char c : text) {
        if ((c & 0xC0) == 0x80 && !out.empty())
            out.back() += char(c);
        else
            out.push_back(std::string(1, char(c)));
    }
    return out;
}

struct ToneColours {
    Colour top, bottom, rim, text;
};

ToneColours tone_colours(Tone tone) {
    using namespace palette;
    switch (tone) {
    case Tone::amber:
        return {mix(amber, cream, 0.35), ember, mix(ember, ink, 0.5), ink};
    case Tone::coral:
        return {mix(coral, cream, 0.25), crimson, mix(crimson, ink, 0.5), ink};
    case Tone::leaf:
        return {mix(leaf, cream, 0.3), mix(leaf, ink, 0.35), mix(leaf, ink, 0.6), ink};
    case Tone::slate:
        break;
    }
    return {mix(slate, mist, 0.3), mix(slate, ink, 0.3), ink, cream};
}

// A context on a new transparent surface; the context holds the only reference to it.
cairo_t* newcontext(int w, int h) {
    cairo_surface_t* s = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, w, h);
    cairo_t* cr = cairo_create(s);
    cairo_surface_destroy(s);
    return cr;
}

} // namespace

Colour mix(Colour a, Colour b, double t) {
    return {a.r + (b.r - a.r) * t, a.g + (b.g - a.g) * t, a.b + (b.b - a.b) * t};
}

void set_colour(cairo_t* cr, Colour c, double alpha) {
    cairo_set_source_rgba(cr, c.r, c.g, c.b, alpha);
}

void set_gradient(cairo_t* cr, double top, double bottom, Colour from, Colour to, double alpha) {
    cairo_pattern_t* g = cairo_pattern_create_linear(0, top, 0, bottom);
    cairo_pattern_add_color_stop_rgba(g, 0, from.r, from.g, from.b, alpha);
    cairo_pattern_add_color_stop_rgba(g, 1, to.r, to.g, to.b, alpha);
    cairo_set_source(cr, g);
    cairo_pattern_destroy(g); // the context keeps its own reference
}

Box box_of(const platform::Rect& r) {
    return {double(r.left), double(r.top), double(r.right - r.left), double(r.bottom - r.top)};
}

Box inset(Box b, double by) {
    return {b.x + by, b.y + by, b.w - 2 * by, b.h - 2 * by};
}

int canvas_density = 1;

Canvas::Canvas(int w, int h)
    : cr(newcontext(w * canvas_density, h * canvas_density)), surface(cairo_get_target(cr)),
      density(canvas_density) {
    if (density != 1) cairo_scale(cr, density, density);
}

Canvas::~Canvas() {
    cairo_destroy(cr);
}

Art Canvas::finish(const std::string& entry, std::vector<Region> regions) {
    // A drawing error leaves Cairo ignoring every later call: stop rather than ship a blank image.
    if (cairo_status(cr) != CAIRO_STATUS_SUCCESS) {
        std::fprintf(stderr, "mkassets: drawing %s failed: %s\n", entry.c_str(),
                     cairo_status_to_string(cairo_status(cr)));
        std::exit(1);
    }
    cairo_surface_flush(surface);
    for (Region& region : regions) {
        platform::Rect& r = region.rect;
        r = {r.left * density, r.top * density, r.right * density, r.bottom * density};
    }
    Art art{dense_entry(entry.c_str(), density),
            cairo_image_surface_get_width(surface),
            cairo_image_surface_get_height(surface),
            {},
            std::move(regions)};
    const int stride = cairo_image_surface_get_stride(surface);
    const uint8_t* data = cairo_image_surface_get_data(surface);
    art.pixels.resize(size_t(art.w) * art.h);
    for (int y = 0; y < art.h; ++y)
        std::memcpy(&art.pixels[size_t(y) * art.w], data + size_t(y) * stride, art.w * 4u);
    return art;
}

cairo_surface_t* art_surface(const Art& art) {
    cairo_surface_t* s = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, art.w, art.h);
    cairo_surface_flush(s);
    const int stride = cairo_image_surface_get_stride(s);
    uint8_t* data = cairo_image_surface_get_data(s);
    for (int y = 0; y < art.h; ++y)
        std::memcpy(data + size_t(y) * stride, &art.pixels[size_t(y) * art.w], art.w * 4u);
    cairo_surface_mark_dirty(s);
    return s;
}

bool write_png(const Art& art, const std::string& path) {
    cairo_surface_t* s = art_surface(art);
    const bool written = cairo_surface_write_to_png(s, path.c_str()) == CAIRO_STATUS_SUCCESS;
    cairo_surface_destroy(s);
    return written;
}

cairo_font_face_t* font(Face face) {
    const int index = static_cast<int>(face);
    if (!faces[index]) faces[index] = loadface(index);
    return faces[index];
}

bool fonts_available() {
    for (Face f : {Face::condensed_bold, Face::condensed_bold_oblique, Face::sans_bold})
        if (!font(f)) return false;
    return true;
}

double text_width(cairo_t* cr, const std::string& text, const TextStyle& style) {
    cairo_save(cr);
    select(cr, style);
    cairo_text_extents_t e;
    cairo_text_extents(cr, text.c_str(), &e);
    cairo_restore(cr);
    return e.x_advance + style.spacing * std::max<double>(0, double(characters(text).size()) - 1);
}

double cap_height(cairo_t* cr, const TextStyle& style) {
    cairo_save(cr);
    select(cr, style);
    cairo_text_extents_t e;
    cairo_text_extents(cr, "H", &e);
    cairo_restore(cr);
    return -e.y_bearing;
}

void draw_text(cairo_t* cr, const std::string& text, double x, double baseline, Align align,
               const TextStyle& style) {
    const double width = text_width(cr, text, style);
    if (align == Align::centre) x -= width / 2;
    if (align == Align::right) x -= width;
    cairo_save(cr);
    select(cr, style);
    cairo_new_path(cr);
    // Letter by letter when spaced out; one run otherwise (keeps the face's kerning).
    if (style.spacing == 0) {
        cairo_move_to(cr, x, baseline);
        cairo_text_path(cr, text.c_str());
    } else {
        for (const std::string& one : characters(text)) {
            cairo_move_to(cr, x, baseline);
            cairo_text_path(cr, one.c_str());
            cairo_text_extents_t e;
            cairo_text_extents(cr, one.c_str(), &e);
            x += e.x_advance + style.spacing;
        }
    }
    cairo_path_t* path = cairo_copy_path(cr);
    if (style.shadow > 0) {
        cairo_save(cr);
        cairo_translate(cr, style.shadow * 0.6, style.shadow);
        set_colour(cr, palette::ink, 0.45);
        cairo_set_line_width(cr, style.outline + style.shadow);
        cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
        cairo_stroke_preserve(cr);
        cairo_fill(cr);
        cairo_restore(cr);
        cairo_new_path(cr);
        cairo_append_path(cr, path);
    }
    if (style.outline > 0) {
        set_colour(cr, palette::ink);
        cairo_set_line_width(cr, style.outline * 2);
        cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
        cairo_stroke_preserve(cr);
    }
    set_colour(cr, style.fill);
    cairo_fill(cr);
    cairo_path_destroy(path);
    cairo_restore(cr);
}

void draw_label(cairo_t* cr, const std::string& text, Box box, TextStyle style) {
    while (style.size > 6 && text_width(cr, text, style) + 2 * style.outline > box.w)
        style.size -= 0.5;
    const double baseline = box.y + box.h / 2 + cap_height(cr, style) / 2;
    draw_text(cr, text, box.x + box.w / 2, baseline, Align::centre, style);
}

void rounded_rect(cairo_t* cr, Box b, double radius) {
    radius = std::min({radius, b.w / 2, b.h / 2});
    cairo_new_sub_path(cr);
    cairo_arc(cr, b.x + b.w - radius, b.y + radius, radius, -M_PI / 2, 0);
    cairo_arc(cr, b.x + b.w - radius, b.y + b.h - radius, radius, 0, M_PI / 2);
    cairo_arc(cr, b.x + radius, b.y + b.h - radius, radius, M_PI / 2, M_PI);
    cairo_arc(cr, b.x + radius, b.y + radius, radius, M_PI, 3 * M_PI / 2);
    cairo_close_path(cr);
}

void draw_button(cairo_t* cr, Box b, const std::string& caption, Tone tone) {
    const ToneColours c = tone_colours(tone);
    const double radius = b.h / 2;
    // Shadow, rim, a vertical gradient body and a gloss along the top.
    rounded_rect(cr, {b.x + 0.5, b.y + 1.5, b.w - 1, b.h - 1}, radius);
    set_colour(cr, palette::ink, 0.55);
    cairo_fill(cr);
    rounded_rect(cr, {b.x, b.y, b.w, b.h - 1}, radius);
    set_colour(cr, c.rim);
    cairo_fill(cr);
    const Box body = {b.x + 1, b.y + 1, b.w - 2, b.h - 3};
    rounded_rect(cr, body, radius - 1);
    set_gradient(cr, body.y, body.y + body.h, c.top, c.bottom);
    cairo_fill(cr);
    rounded_rect(cr, {body.x + 2, body.y + 1, body.w - 4, body.h * 0.42}, radius - 2);
    set_colour(cr, {1, 1, 1}, 0.18);
    cairo_fill(cr);
    TextStyle style{Face::condensed_bold, std::min(16.0, body.h * 0.62), c.text};
    if (tone == Tone::slate) style.outline = 1;
    draw_label(cr, caption, inset(body, 3), style);
}

void draw_coin(cairo_t* cr, double cx, double cy, double radius, Tone tone) {
    const ToneColours c = tone_colours(tone);
    cairo_arc(cr, cx + 0.3, cy + 1, radius, 0, 2 * M_PI);
    set_colour(cr, palette::ink, 0.55);
    cairo_fill(cr);
    cairo_arc(cr, cx, cy, radius, 0, 2 * M_PI);
    set_colour(cr, c.rim);
    cairo_fill(cr);
    cairo_pattern_t* g = cairo_pattern_create_radial(cx - radius * 0.3, cy - radius * 0.4,
                                                     radius * 0.1, cx, cy, radius);
    cairo_pattern_add_color_stop_rgb(g, 0, c.top.r, c.top.g, c.top.b);
    cairo_pattern_add_color_stop_rgb(g, 1, c.bottom.r, c.bottom.g, c.bottom.b);
    cairo_arc(cr, cx, cy, radius - 1.2, 0, 2 * M_PI);
    cairo_set_source(cr, g);
    cairo_fill(cr);
    cairo_pattern_destroy(g);
}

void draw_panel(cairo_t* cr, Box b, double radius, double alpha) {
    rounded_rect(cr, b, radius);
    set_gradient(cr, b.y, b.y + b.h, mix(palette::dusk, palette::slate, 0.25), palette::night,
                 alpha);
    cairo_fill(cr);
    rounded_rect(cr, inset(b, 0.75), radius - 0.75);
    set_colour(cr, palette::mist, 0.45);
    cairo_set_line_width(cr, 1.5);
    cairo_stroke(cr);
}

void draw_box_panel(cairo_t* cr, Box b) {
    draw_panel(cr, b, 10, 1);
    rounded_rect(cr, inset(b, 2.5), 8);
    set_colour(cr, palette::amber, 0.8);
    cairo_set_line_width(cr, 1.5);
    cairo_stroke(cr);
}

void draw_field(cairo_t* cr, Box b) {
    rounded_rect(cr, b, 4);
    set_colour(cr, palette::ink, 0.85);
    cairo_fill(cr);
    // Inner shadow along the top, a light lip along the bottom: the slot sits below the surface.
    rounded_rect(cr, {b.x + 1, b.y + 1, b.w - 2, 4}, 3);
    set_colour(cr, {0, 0, 0}, 0.5);
    cairo_fill(cr);
    cairo_move_to(cr, b.x + 4, b.y + b.h - 0.5);
    cairo_line_to(cr, b.x + b.w - 4, b.y + b.h - 0.5);
    set_colour(cr, palette::mist, 0.5);
    cairo_set_line_width(cr, 1);
    cairo_stroke(cr);
}

Box draw_plate(cairo_t* cr, const platform::Rect& r) {
    const Box b = inset(box_of(r), 0.5);
    rounded_rect(cr, b, 5);
    set_colour(cr, palette::ink);
    cairo_fill(cr);
    rounded_rect(cr, inset(b, 1), 4);
    set_gradient(cr, b.y, b.y + b.h, mix(palette::slate, palette::mist, 0.2), palette::dusk);
    cairo_fill(cr);
    return b;
}

void draw_caption(cairo_t* cr, const std::string& text, double x, double baseline, Align align,
                  double size) {
    TextStyle style{Face::condensed_bold, size, palette::mist};
    style.spacing = 0.6;
    draw_text(cr, text, x, baseline, align, style);
}
