// Tests of the built archive's images, read back through the game's archive reader and texture
// loader: every entry, its size and alpha, and the map of the character sheet as the game reads it.
#include <algorithm>
#include <cstdlib>
#include <string>
#include <vector>

#include "gfx/images.h"
#include "platform/files.h"
#include "platform/headless/headless.h"
#include "platform/window.h"
#include "store/archive.h"
#include "support.h"

namespace {

using platform::Rect;

constexpr uint32_t BACK_A = 0xFFFF00FF, BACK_B = 0xFF00FF00;

// An image of the archive drawn 1:1 at (0, 0) over two different back colours. A pixel that comes
// out as the back colour both times is transparent; one that comes out the same both times is
// opaque. A drawing at density 2 or 3 is drawn on a back buffer of that density (the layout at
// full screen on a desktop that many times its size), its pixels 1:1 again; the questions are
// asked in layout pixels, a rectangle of every pixel it covers at the density, a point of the
// top-left pixel of its square.
class Rendered {
  public:
    explicit Rendered(const char* name, int density = 1) : d(density) {
        platform::Texture* texture = nullptr;
        const std::string entry = dense_entry(name, density);
        EXPECT_EQ(loadtexture("_data.loc", entry.c_str(), &texture, density), 0) << entry;
        if (!texture) return;
        platform::texture_size(texture, w, h);
        platform::headless::set_desktop(512 * density, 512 * density);
        platform::window_set_fullscreen(density > 1);
        for (uint32_t back : {BACK_A, BACK_B}) {
            platform::render_clear(back);
            platform::SpriteDraw draw;
            draw.texture = texture;
            platform::render_sprite(draw);
            int shown_w, shown_h;
            EXPECT_TRUE(
                platform::headless::read_pixels(shown_w, shown_h, back == BACK_A ? on_a : on_b));
            EXPECT_EQ(shown_w, 512 * density);
            shown = shown_w;
        }
        platform::texture_release(texture);
        platform::window_set_fullscreen(false);
    }
    bool clear(int x, int y) const { return pixel_clear(x * d, y * d); }
    bool opaque(int x, int y) const { return pixel_opaque(x * d, y * d); }
    uint32_t colour(int x, int y) const { return at(on_a, x * d, y * d); }
    bool any_ink(const Rect& r) const {
        for (int y = r.top * d; y < r.bottom * d; ++y)
            for (int x = r.left * d; x < r.right * d; ++x)
                if (!pixel_clear(x, y)) return true;
        return false;
    }
    bool all_clear(const Rect& r) const { return !any_ink(r); }
    bool all_opaque(const Rect& r) const {
        for (int y = r.top * d; y < r.bottom * d; ++y)
            for (int x = r.left * d; x < r.right * d; ++x)
                if (!pixel_opaque(x, y)) return false;
        return true;
    }
    int w = 0, h = 0; // in pixels

  private:
    bool pixel_clear(int x, int y) const {
        return at(on_a, x, y) == BACK_A && at(on_b, x, y) == BACK_B;
    }
    bool pixel_opaque(int x, int y) const { return at(on_a, x, y) == at(on_b, x, y); }
    uint32_t at(const std::vector<uint32_t>& pixels, int x, int y) const {
        return x >= 0 && y >= 0 && x < w && y < h ? pixels[size_t(y) * shown + x] : 0;
    }
    int d, shown = 0;
    std::vector<uint32_t> on_a, on_b;
};

class ArtTest : public GameTest {
  protected:
    void SetUp() override {
        GameTest::SetUp();
        copy_assets();
    }
};

TEST_F(ArtTest, EveryImageIsA32BitTgaWithAlphaOfItsSize) {
    for (const Image& image : ALL_IMAGES) {
        SCOPED_TRACE(image.name);
        long size = 0;
        const uint8_t* tga = texture_archive.unlockmemory("_data.loc", image.name, size);
        ASSERT_NE(tga, nullptr);
        ASSERT_EQ(size, 18 + 4L * image.w * image.h);
        EXPECT_EQ(tga[2], 2);            // uncompressed true colour
        EXPECT_EQ(tga[16], 32);          // bits per pixel
        EXPECT_EQ(tga[17] & 0x0F, 8);    // alpha bits
        EXPECT_EQ(tga[17] & 0x20, 0x20); // rows from the top
        // At 1x and, run-length coded under their own entries, at exactly 2x and 3x.
        for (int d = 1; d <= 3; ++d) {
            const Rendered rendered(image.name, d);
            EXPECT_EQ(rendered.w, d * image.w) << d;
            EXPECT_EQ(rendered.h, d * image.h) << d;
        }
        const uint8_t* dense =
            texture_archive.unlockmemory("_data.loc", dense_entry(image.name, 3).c_str(), size);
        ASSERT_NE(dense, nullptr);
        EXPECT_EQ(dense[2], 10); // run-length coded true colour
        EXPECT_LT(size, 18 + 4L * 9 * image.w * image.h);
    }
    // The stored grids are still there beside the images.
    for (const char* grid : {"edit\\emg0.txt", "edit\\emg89.txt"}) {
        long size = 0;
        EXPECT_NE(grid_archive.unlockmemory("_data.loc", grid, size), nullptr) << grid;
    }
}

// The images at 1x are those the game has always had, byte for byte (a checksum of each entry):
// the larger drawings are added beside them. An image redrawn on purpose gets its new sum here.
TEST_F(ArtTest, The1xImagesKeepTheirBytes) {
    const std::pair<const char*, uint64_t> sums[] = {
        {"img\\chrset1.tga", 0xbd21a49c04335635}, // the play and hint aids, the focus's corners
        {"img\\startscnbkg.tga", 0xaaff0033f07a28cb},
        {"img\\startscreenchrset.tga", 0x251b8c9f0825b1f0},
        {"img\\nextlevel.tga", 0x2b237723d5565a37},
        {"img\\dialogs.tga", 0x283c0c3d3f28821e},
        {"img\\optionscreen.tga", 0x6aded76b68b73740}, // redrawn with the puzzle boxes
        {"img\\todoedit.tga", 0x9c8b04b9f5654bb4}};
    for (const auto& [name, sum] : sums) {
        long size = 0;
        const uint8_t* data = texture_archive.unlockmemory("_data.loc", name, size);
        ASSERT_NE(data, nullptr) << name;
        uint64_t fnv = 0xcbf29ce484222325; // FNV-1a, 64 bits
        for (long i = 0; i < size; ++i) fnv = (fnv ^ data[i]) * 0x100000001b3;
        EXPECT_EQ(fnv, sum) << name;
    }
}

// The font: every glyph the text maps to has ink in the part of its cell that is drawn, none in
// the cell's last row and column (never drawn), and keeps to a narrow column at the left so that
// text reads at the tightest advances: 12 for letters, 10 for the digits and signs of clocks.
TEST_F(ArtTest, GlyphsStandInTheLeftOfTheirCells) {
    for (int d = 1; d <= 3; ++d) { // every density: the rectangles the game reads, times d
        SCOPED_TRACE("at " + std::to_string(d) + "x");
        const Rendered sheet(IMAGE_CHARSET.name, d);
        std::vector<int> glyphs;
        for (int g = 0; g < 26; ++g) glyphs.push_back(g);
        for (int g : {27, 28, 29, 30, 42, 43, 48, 49, 50}) glyphs.push_back(g);
        for (int g = 32; g < 42; ++g) glyphs.push_back(g);
        for (int g : glyphs) {
            SCOPED_TRACE("glyph " + std::to_string(g));
            const int left = 25 * (g % 8), top = 175 + 25 * (g / 8);
            EXPECT_TRUE(sheet.any_ink({left, top, left + 24, top + 24}));
            const bool clock_sign = (g >= 32 && g <= 41) || g == 30 || g == 43;
            const int column = clock_sign ? 12 : 14;
            EXPECT_TRUE(sheet.all_clear({left + column, top, left + 25, top + 25}));
            EXPECT_TRUE(sheet.all_clear({left, top + 24, left + 25, top + 25}));
        }
        // The space (glyph 26) shows nothing.
        EXPECT_TRUE(sheet.all_clear({50, 250, 75, 275}));
    }
}

// The digit strips and the colon: each digit inked within its own 20-pixel slot, so that cutting
// a digit out never shows a sliver of its neighbour.
TEST_F(ArtTest, DigitsAndColonKeepToTheirSlots) {
    for (int d = 1; d <= 3; ++d) { // every density: the rectangles the game reads, times d
        SCOPED_TRACE("at " + std::to_string(d) + "x");
        const Rendered sheet(IMAGE_CHARSET.name, d);
        for (const Rect strip :
             {Rect{50, 450, 250, 474}, Rect{275, 450, 475, 474}, Rect{50, 475, 250, 499}}) {
            for (int d = 0; d < 10; ++d) {
                SCOPED_TRACE("digit " + std::to_string(d) + " of the strip at " +
                             std::to_string(strip.left) + "," + std::to_string(strip.top));
                const int left = strip.left + 20 * d;
                EXPECT_TRUE(sheet.any_ink({left + 1, strip.top, left + 19, strip.bottom}));
                EXPECT_TRUE(sheet.all_clear({left, strip.top, left + 1, strip.bottom}));
                EXPECT_TRUE(sheet.all_clear({left + 19, strip.top, left + 20, strip.bottom}));
            }
        }
        // The pencil marks' small digits, 15 x 16 slots from (210, 185), drawn 15 apart.
        for (int digit = 1; digit <= 9; ++digit) {
            SCOPED_TRACE("note digit " + std::to_string(digit));
            const int left = 210 + 15 * (digit - 1);
            EXPECT_TRUE(sheet.any_ink({left + 1, 186, left + 14, 200}));
            EXPECT_TRUE(sheet.all_clear({left, 185, left + 1, 201}));
            EXPECT_TRUE(sheet.all_clear({left + 14, 185, left + 15, 201}));
            EXPECT_TRUE(sheet.all_clear({left, 185, left + 15, 186}));
            EXPECT_TRUE(sheet.all_clear({left, 200, left + 15, 201}));
        }
        EXPECT_TRUE(sheet.any_ink({127, 425, 132, 449}));
        EXPECT_TRUE(sheet.all_clear({125, 425, 126, 449}));
        EXPECT_TRUE(sheet.all_clear({133, 425, 134, 449}));
        // The three strips differ digit for digit (a wrong entry never looks like a right one).
        for (int d = 0; d < 10; ++d) {
            int differing = 0;
            for (int y = 0; y < 24; ++y)
                for (int x = 0; x < 20; ++x)
                    differing += sheet.colour(50 + 20 * d + x, 475 + y) !=
                                 sheet.colour(275 + 20 * d + x, 450 + y);
            EXPECT_GT(differing, 40) << "digit " << d;
        }
    }
}

TEST_F(ArtTest, CellsControlsAndBarPiecesAreWhereTheGameReadsThem) {
    for (int d = 1; d <= 3; ++d) { // every density: the rectangles the game reads, times d
        SCOPED_TRACE("at " + std::to_string(d) + "x");
        const Rendered sheet(IMAGE_CHARSET.name, d);
        auto cell = [](int i) {
            return Rect{50 * (i % 10), 50 * (i / 10), 50 * (i % 10) + 50, 50 * (i / 10) + 50};
        };
        // Tiles are solid in the middle; each theme's given tile differs from its empty one.
        for (int empty : {0, 16, 18, 20, 22, 24, 26}) {
            SCOPED_TRACE("tile " + std::to_string(empty));
            const Rect e = cell(empty), g = cell(empty + 1);
            EXPECT_TRUE(sheet.all_opaque({e.left + 5, e.top + 5, e.right - 5, e.bottom - 5}));
            EXPECT_TRUE(sheet.all_opaque({g.left + 5, g.top + 5, g.right - 5, g.bottom - 5}));
            EXPECT_NE(sheet.colour(e.left + 25, e.top + 25), sheet.colour(g.left + 25, g.top + 25));
        }
        // The selection frame is open in the middle; the picker's keys are drawn.
        EXPECT_TRUE(sheet.any_ink(cell(2)));
        EXPECT_TRUE(sheet.all_clear({110, 10, 140, 40}));
        for (int key = 4; key <= 14; ++key) EXPECT_TRUE(sheet.any_ink(cell(key))) << "key " << key;
        // The same-digit mark lets the digit show through: nothing in it is solid.
        EXPECT_TRUE(sheet.any_ink(cell(28)));
        for (int y = 100; y < 150; ++y)
            for (int x = 400; x < 450; ++x) ASSERT_FALSE(sheet.opaque(x, y)) << x << "," << y;
        // The plain square is one even, solid colour, so a list can stretch it.
        for (int y = 50; y < 100; ++y)
            for (int x = 250; x < 300; ++x) {
                ASSERT_TRUE(sheet.opaque(x, y));
                ASSERT_EQ(sheet.colour(x, y), sheet.colour(250, 50));
            }

        // The pointer's hot spot, its top-left pixel, is solid.
        EXPECT_TRUE(sheet.opaque(0, 400));
        const Rect pieces[] = {
            {24, 400, 100, 420},  {102, 400, 176, 420}, {0, 424, 16, 498},    {18, 424, 32, 498},
            {35, 422, 64, 450},   {64, 422, 96, 450},   {98, 422, 122, 450},  {200, 422, 225, 450},
            {200, 400, 225, 425}, {225, 400, 250, 425}, {175, 400, 200, 425}, {225, 425, 250, 450},
            {175, 425, 200, 450}, {0, 350, 100, 375},   {0, 380, 90, 398},    {100, 380, 154, 398},
            {160, 380, 226, 398}, {0, 150, 80, 175},    {450, 300, 475, 325}, {420, 160, 429, 169},
            {433, 160, 442, 169}, {420, 173, 429, 182}, {433, 173, 442, 182}};
        for (const Rect& r : pieces)
            EXPECT_TRUE(sheet.any_ink(r))
                << r.left << "," << r.top << "-" << r.right << "," << r.bottom;
        for (int kind = 0; kind < 6; ++kind)
            EXPECT_TRUE(sheet.any_ink({300 + 25 * kind, 300, 325 + 25 * kind, 325})) << kind;
        // The focus's corners are brackets, open towards the control they frame.
        for (const Rect& r : {Rect{425, 165, 429, 169}, Rect{433, 165, 437, 169},
                              Rect{425, 173, 429, 177}, Rect{433, 173, 437, 177}})
            EXPECT_TRUE(sheet.all_clear(r)) << r.left << "," << r.top;
        // The expand button (to row 424) and the deactivate button (from row 422) share three rows;
        // both keep them clear, so neither shows a piece of the other.
        EXPECT_TRUE(sheet.all_clear({200, 422, 225, 425}));
        // The options marker's badge covers the remove box's 16 x 14 pixels when drawn at (245,
        // 267).
        EXPECT_TRUE(sheet.all_opaque({175 + 2, 425 + 11, 175 + 14, 425 + 21}));

        // The bar: one-pixel caps and edges, solid, and fill rows whose stripes repeat every 20
        // pixels, so the 100-pixel drift wraps without a seam.
        EXPECT_TRUE(sheet.all_opaque({275, 350, 276, 375}));
        EXPECT_TRUE(sheet.all_opaque({474, 350, 475, 375}));
        EXPECT_TRUE(sheet.all_opaque({280, 350, 512, 351}));
        EXPECT_TRUE(sheet.all_opaque({280, 374, 512, 375}));
        EXPECT_TRUE(sheet.all_opaque({275, 400, 475, 448}));
        for (int y = 400; y < 448; ++y)
            for (int x = 275; x + 20 < 475; ++x)
                ASSERT_EQ(sheet.colour(x, y), sheet.colour(x + 20, y)) << x << "," << y;
        EXPECT_NE(sheet.colour(300, 412), sheet.colour(300, 436)); // a full bar has its own colour

        // The notes switch is solid across, and lit when on; the paused panel hides the board
        // beneath it.
        EXPECT_TRUE(sheet.all_opaque({213, 163, 241, 175}));
        EXPECT_TRUE(sheet.all_opaque({253, 163, 281, 175}));
        EXPECT_NE(sheet.colour(213, 169), sheet.colour(253, 169));
        EXPECT_TRUE(sheet.all_opaque({215, 215, 405, 265}));
    }
}

TEST_F(ArtTest, ScreenImagesShowEveryControlTheScreensActOn) {
    for (int d = 1; d <= 3; ++d) { // every density: the rectangles the game reads, times d
        SCOPED_TRACE("at " + std::to_string(d) + "x");
        EXPECT_TRUE(Rendered(IMAGE_BACKGROUND.name, d).all_opaque({0, 0, 512, 512}));
        EXPECT_TRUE(Rendered(IMAGE_TODO_EDIT.name, d).all_opaque({0, 0, 512, 512}));
        // A control is solid across its middle: the start buttons, the link card, the next-level
        // buttons, and the options screen's two buttons.
        auto solid_middle = [](const Rendered& image, const Rect& r) {
            return image.all_opaque({r.left + 12, (r.top + r.bottom) / 2 - 4, r.right - 12,
                                     (r.top + r.bottom) / 2 + 4});
        };
        const Rendered start(IMAGE_START.name, d);
        EXPECT_TRUE(start.any_ink({0, 0, 511, 200}));
        for (const Rect& r : {Rect{360, 400, 510, 430}, Rect{360, 435, 510, 465},
                              Rect{360, 470, 510, 505}, Rect{30, 390, 143, 490}})
            EXPECT_TRUE(solid_middle(start, r)) << r.left << "," << r.top;
        // The title leaves the to-do heading's line (y 162 to 178) free, and the link panel is
        // clear outside its card, where the lists and the to-do buttons are drawn before it.
        EXPECT_TRUE(start.all_clear({0, 160, 512, 200}));
        EXPECT_TRUE(start.all_clear({160, 375, 300, 511}));
        const Rendered next(IMAGE_NEXT_LEVEL.name, d);
        EXPECT_TRUE(solid_middle(next, {50, 450, 150, 475}));  // save and stop
        EXPECT_TRUE(solid_middle(next, {200, 450, 300, 475})); // play on
        const Rendered options(IMAGE_OPTIONS.name, d);
        EXPECT_TRUE(solid_middle(options, {350, 475, 415, 500}));
        EXPECT_TRUE(solid_middle(options, {450, 475, 485, 500}));
        EXPECT_TRUE(options.any_ink({245, 276, 261, 290}));
        const Rendered dialog(IMAGE_DIALOGS.name, d);
        EXPECT_TRUE(dialog.all_opaque({0 + 10, 10, 160, 75}));
    }
}

// The asset maker gives the same archive byte for byte on every run, and writes the window icon
// for the executable and the icons for the desktop.
TEST_F(ArtTest, AssetMakerIsReproducible) {
    const std::string command = std::string(ASSET_DIR) + "/mkassets " + folder + "/again";
    ASSERT_TRUE(platform::make_directory("again"));
    ASSERT_EQ(std::system(command.c_str()), 0);
    std::vector<uint8_t> first, second;
    ASSERT_TRUE(platform::file_read("_data.loc", first));
    ASSERT_TRUE(platform::file_read("again/_data.loc", second));
    EXPECT_TRUE(first == second);
    std::vector<uint8_t> icon;
    ASSERT_TRUE(platform::file_read("again/window_icon.cpp", icon));
    const std::string source(icon.begin(), icon.end());
    EXPECT_NE(source.find("gridhollow_icon_size = 64;"), std::string::npos);
    // The icon theme's pictures, each of its own size, and an SVG the same on every run.
    for (int size : {48, 64, 128, 256}) {
        std::vector<uint8_t> png;
        const std::string name = "again/gridhollow-" + std::to_string(size) + ".png";
        ASSERT_TRUE(platform::file_read(name.c_str(), png)) << name;
        ASSERT_GE(png.size(), 24u) << name;
        EXPECT_EQ(png[16] << 24 | png[17] << 16 | png[18] << 8 | png[19], size) << name;
        EXPECT_EQ(png[20] << 24 | png[21] << 16 | png[22] << 8 | png[23], size) << name;
    }
    std::vector<uint8_t> svg, built_svg;
    ASSERT_TRUE(platform::file_read("again/gridhollow.svg", svg));
    ASSERT_TRUE(platform::file_read(ASSET_DIR "/gridhollow.svg", built_svg));
    EXPECT_TRUE(svg == built_svg);
    EXPECT_NE(std::string(svg.begin(), svg.end()).find("width=\"256px\""), std::string::npos);
}

} // namespace
