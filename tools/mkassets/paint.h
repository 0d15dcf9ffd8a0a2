// The drawing kit every image of the asset maker shares: the palette, the type faces, shapes,
// buttons and text, and the finished picture with its named regions.
#pragma once
#include <cairo.h>

#include <cstdint>
#include <string>
#include <vector>

#include "platform/window.h"

struct Colour {
    double r, g, b;
};

// One palette for the whole game: a deep night blue, slate panels, warm cream text and amber
// controls, with a sky blue and a coral for the player's right and wrong entries.
namespace palette {
constexpr Colour ink{0.063, 0.086, 0.118};     // outlines and the darkest shadows
constexpr Colour night{0.078, 0.118, 0.161};   // backgrounds
constexpr Colour dusk{0.118, 0.176, 0.235};    // panels
constexpr Colour slate{0.200, 0.275, 0.357};   // secondary controls
constexpr Colour mist{0.580, 0.659, 0.733};    // captions
constexpr Colour cream{0.961, 0.929, 0.855};   // text and given digits
constexpr Colour amber{0.961, 0.667, 0.267};   // main controls and highlights
constexpr Colour ember{0.765, 0.447, 0.141};   // amber's shade
constexpr Colour sky{0.569, 0.835, 1.000};     // right entries
constexpr Colour coral{1.000, 0.490, 0.412};   // wrong entries and warnings
constexpr Colour crimson{0.800, 0.275, 0.243}; // the close control
constexpr Colour leaf{0.471, 0.788, 0.463};    // ticks and full bars
} // namespace palette

Colour mix(Colour a, Colour b, double t);
void set_colour(cairo_t* cr, Colour c, double alpha = 1);
// A vertical gradient from `from` at y = top to `to` at y = bottom as the source.
void set_gradient(cairo_t* cr, double top, double bottom, Colour from, Colour to, double alpha = 1);

// A box in image pixels (fractions allowed).
struct Box {
    double x, y, w, h;
};
Box box_of(const platform::Rect& r);
Box inset(Box b, double by);

// A named rectangle of an image that the game reads (right and bottom exclusive).
struct Region {
    std::string name;
    platform::Rect rect;
};

// A finished image: premultiplied ARGB pixels, rows from the top, as Cairo draws them.
struct Art {
    std::string entry; // the archive entry, "img\..."
    int w = 0, h = 0;
    std::vector<uint32_t> pixels;
    std::vector<Region> regions;
};

// How many pixels a new Canvas gives each unit it is drawn in: every image of the archive is drawn
// at 1, 2 and 3 (its rectangles scaled exactly), from the same drawing code in layout units.
extern int canvas_density;

// A drawing surface with its context; finish() hands the pixels over as an Art. Its size and
// everything drawn on it are in layout units, canvas_density pixels to each; the finished Art is
// in pixels, its entry that of its density.
class Canvas {
  public:
    Canvas(int w, int h);
    ~Canvas();
    Canvas(const Canvas&) = delete;
    Canvas& operator=(const Canvas&) = delete;
    Art finish(const std::string& entry, std::vector<Region> regions);
    cairo_t* const cr;

  private:
    cairo_surface_t* surface;
    int density;
};

// An Art's pixels as a Cairo surface (for drawing it scaled); the caller destroys it.
cairo_surface_t* art_surface(const Art& art);

// Writes the image as a PNG file; false on failure.
bool write_png(const Art& art, const std::string& path);

// The DejaVu faces, read from their files so that every machine draws the same letters.
enum class Face { condensed_bold, condensed_bold_oblique, sans_bold };
cairo_font_face_t* font(Face face);
// False (with the missing file named on stderr) when a face cannot be read.
bool fonts_available();

struct TextStyle {
    Face face = Face::condensed_bold;
    double size = 14;
    Colour fill = palette::cream;
    double outline = 0; // width of the dark rim drawn under the letters
    double shadow = 0;  // drop of a soft shadow below-right
    double squeeze = 1; // horizontal scale of the letters
    double spacing = 0; // extra pixels between letters
};
enum class Align { left, centre, right };

double text_width(cairo_t* cr, const std::string& text, const TextStyle& style);
// Height of the capitals above the baseline.
double cap_height(cairo_t* cr, const TextStyle& style);
void draw_text(cairo_t* cr, const std::string& text, double x, double baseline, Align align,
               const TextStyle& style);
// Text centred in the box (capitals centred vertically), made smaller until it fits its width.
void draw_label(cairo_t* cr, const std::string& text, Box box, TextStyle style);

// Paths.
void rounded_rect(cairo_t* cr, Box b, double radius);

// Surfaces the screens are built from.
enum class Tone { amber, slate, coral, leaf };
// A raised pill button with its caption.
void draw_button(cairo_t* cr, Box b, const std::string& caption, Tone tone);
// A raised round button (its icon is drawn by the caller).
void draw_coin(cairo_t* cr, double cx, double cy, double radius, Tone tone);
// A translucent dark panel with a fine light rim.
void draw_panel(cairo_t* cr, Box b, double radius, double alpha);
// A box standing alone in front of a screen: a solid panel with an amber rim inside its edge.
void draw_box_panel(cairo_t* cr, Box b);
// A sunken slot for typed text or a figure.
void draw_field(cairo_t* cr, Box b);
// A dark plate with an ink rim, for a label or an icon: the list's header bar, the counters'
// labels, the notes switch. Returns the plate's box (the rectangle less half a pixel).
Box draw_plate(cairo_t* cr, const platform::Rect& r);
// A small caption in the captions' colour, left-aligned on its baseline.
void draw_caption(cairo_t* cr, const std::string& text, double x, double baseline,
                  Align align = Align::left, double size = 12);
