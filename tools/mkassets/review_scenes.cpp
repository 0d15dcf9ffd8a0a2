// Screenshots for the review: the real screens driven by the headless player in a scratch folder
// with the archive of the current folder, saved as "scene-NAME.png"; and a sheet of the lettering.
#include <filesystem>
#include <string>
#include <unistd.h>

#include "gfx/sprites.h"
#include "gfx/text.h"
#include "input/keyboard.h"
#include "platform/headless/headless.h"
#include "tools/driver/driver.h"
#include "tools/mkassets/review.h"

namespace fs = std::filesystem;

namespace {

std::string review_folder;
bool all_written = true;

void shoot(const char* name) {
    const std::string path = review_folder + "/scene-" + name + ".png";
    all_written = platform::headless::save_png(path.c_str()) && all_written;
}

// Every glyph and digit strip at the scales and advances the screens use, on the background.
void shoot_lettering() {
    platform::render_clear(0xFF000000);
    game_DisplayLayer(IMAGE_BACKGROUND, 100);
    float y = 8;
    for (float scale : {1.0f, 0.65f, 0.55f}) {
        for (float advance : {15, 12, 10, 18}) {
            game_DisplayFontText("the quick brown fox: 0123456789", advance, 8, y, scale,
                                 TextAnchor::top_left);
            y += 27 * scale + 2;
        }
        game_DisplayFontText("abcdefghijklmnopqrstuvwxyz ,.':+/-%", 15, 8, y, scale,
                             TextAnchor::top_left);
        y += 30 * scale;
    }
    game_DisplayFontText("name already exist. please enter different name.", 15, 256, y + 8, 0.55f,
                         TextAnchor::centre);
    y += 24;
    for (float scale : {1.0f, 0.65f, 0.45f}) {
        float x = game_DisplayNumber(1234567890, scale, 8, y, NumberAlign::left_top, 50, 450) + 8;
        x = game_DisplayNumber(1234567890, scale, x, y, NumberAlign::left_top, 275, 450) + 8;
        game_DisplayNumber(1234567890, scale, x, y, NumberAlign::left_top, 50, 475);
        y += 26 * scale + 4;
    }
    game_DisplayTime(12 * 216000 + 34 * 3600 + 56 * 60, 1, 8, y, TimeAlign::left, true);
    shoot("type");
}

// A new player's first level, the tally, and the options screen with that player.
void play_through() {
    drive_pass(400); // the start screen fades in
    drive_point(430, 400);
    shoot("start");
    drive_click(430, 400); // New game
    drive_type("ALICE");
    shoot("dialog");
    drive_press(DIK_RETURN);
    drive_pass(2);
    drive_click(305, 155); // an empty cell: the picker opens below it
    drive_point(340, 225);
    shoot("game");
    drive_press(DIK_ESCAPE); // closes the picker
    drive_solve();
    drive_pass(2000); // the tally runs to its end
    drive_point(250, 462);
    shoot("next-level");
    drive_click(100, 462); // save and stop
    drive_pass(400);
    drive_click(430, 435); // Options
    drive_pass(400);
    drive_click(200, 60);  // the first player
    drive_click(50, 410);  // theme row 3
    drive_point(380, 486); // over Confirm
    shoot("options");
    drive_click(380, 486); // the theme is stored; back on the start screen
    drive_click(430, 435);
    drive_click(250, 280); // the remove box
    drive_click(380, 486); // Confirm without a player
    drive_pass(5);
    shoot("options-remove");
}

} // namespace

bool write_scenes(const std::string& review_dir) {
    review_folder = fs::absolute(review_dir).string();
    const fs::path previous = fs::current_path();
    char scratch[] = "/tmp/gridhollow-review-XXXXXX";
    if (!mkdtemp(scratch)) return false;
    std::error_code error;
    for (const char* name : {"_data.loc", "alarm.wav"})
        fs::copy_file(previous / name, fs::path(scratch) / name, error);
    bool started = !error && chdir(scratch) == 0 && drive_start();
    if (started) {
        play_through();
        shoot_lettering();
    }
    if (chdir(previous.c_str()) != 0) started = false;
    fs::remove_all(scratch, error);
    // A missing image shows a message box (recorded by the headless backend) and draws nothing.
    return started && all_written && platform::headless::message_boxes().empty();
}
