// Test scenes for the review: each screen put together with the game's own drawing operations from
// the images of "_data.loc" in the current folder, at the places and scales the screens use, with
// sample text, figures and bars; rendered by the headless backend and saved as "scene-NAME.png".
#include <string>

#include "gfx/bar.h"
#include "gfx/cursor.h"
#include "gfx/sprites.h"
#include "gfx/text.h"
#include "gfx/window_controls.h"
#include "input/mouse.h"
#include "platform/headless/headless.h"
#include "run/state.h"
#include "store/archive.h"
#include "tools/mkassets/review.h"

namespace {

// Anchors of the sheet's pieces and of text, as the drawing operations number them.
enum : int { TOP_LEFT = 0, CENTRE = 1, TOP_MIDDLE = 3, TEXT_TOP_RIGHT = 3, RIGHT_MIDDLE = 5 };

float say(const char* text, float advance, float x, float y, float scale, int anchor = TOP_LEFT,
          float rotation = 0) {
    return game_DisplayFontText(text, advance, x, y, scale, anchor, rotation);
}

void piece(int left, int top, int right, int bottom, float x, float y, int anchor, float scale = 1,
           float rotation = 0) {
    game_DisplayCell(x, y, left, top, right, bottom, 100, 0, scale, scale, anchor, rotation);
}

void cell(int index, float x, float y, float scale = 1, float opacity = 100, int anchor = CENTRE) {
    game_DisplayCell(x, y, index, 0, 0, 0, opacity, 0, scale, scale, anchor, 0);
}

// The list's row highlight: the plain square stretched into a bar, at 40 percent.
void highlight(float x, float y, float width_cells) {
    game_DisplayCell(x, y, 15, 0, 0, 0, 40, 0, width_cells, 0.3f, TOP_LEFT, 0);
}

void pointer(int x, int y) {
    mouse.x = x;
    mouse.y = y;
    game_DisplayCursor(true);
}

void next_frame() {
    ++frame_counter;
    frame_step = 4;
    platform::render_clear(0xFF000000);
}

// A complete grid and a puzzle on it: givens, right and wrong entries, empty cells.
int board_code(int col, int row) {
    const int digit = (3 * (row % 3) + row / 3 + col) % 9 + 1;
    const int k = (row * 4 + col * 7) % 9;
    if (k < 4) return digit;
    if (k == 4 || k == 7) return digit + 10;
    if (k == 5) return digit % 9 + 1 + 20;
    return 0;
}
float cell_x(int col) {
    return 45 + 160 * (col / 3) + 50 * (col % 3);
}
float cell_y(int row) {
    return 55 + 160 * (row / 3) + 50 * (row % 3);
}

void draw_board(int theme, int selected_col, int selected_row) {
    for (int row = 0; row < 9; ++row) {
        for (int col = 0; col < 9; ++col) {
            const int code = board_code(col, row);
            const bool given = code >= 1 && code <= 9;
            cell(theme ? 14 + 2 * theme + given : given, cell_x(col), cell_y(row));
            if (given) game_DisplayNumber(code, 1, cell_x(col), cell_y(row), 3, 50, 450);
            if (code > 10 && code < 20)
                game_DisplayNumber(code - 10, 1, cell_x(col), cell_y(row), 3, 275, 450);
            if (code > 20) game_DisplayNumber(code - 20, 1, cell_x(col), cell_y(row), 3, 50, 475);
        }
    }
    const bool on_given = board_code(selected_col, selected_row) < 10;
    cell(2, cell_x(selected_col), cell_y(selected_row), 1, on_given ? 40 : 100);
}

void draw_counters(int wrong, int ticks, int level) {
    piece(0, 380, 90, 398, 20, 3, TOP_LEFT);
    game_DisplayNumber(wrong, 0.65f, 115, 3, 0, 50, wrong > 10 ? 475 : 450);
    piece(100, 380, 154, 398, 195, 3, TOP_LEFT);
    game_DisplayTime(ticks, 0.65f, 249, 3, 0, true);
    piece(160, 380, 226, 398, 355, 3, TOP_LEFT);
    game_DisplayNumber(level, 0.65f, 425, 3, 0, 50, 450);
}

void scene_game() {
    draw_counters(2, 754 * 60, 7);
    draw_board(0, 6, 0);
    say("Alice", 15, 256, 506, 0.65f, CENTRE);
    // The picker, open below the selected empty cell, the pointer on the digit 6.
    const float px = cell_x(6), py = cell_y(0) + 35;
    for (int k = 1; k <= 11; ++k) {
        const float x = px + 35 * ((k - 1) % 4), y = py + 35 * ((k - 1) / 4);
        cell(0, x, y, 0.7f, 90);
        cell(k + 3, x, y, 0.7f, 90);
    }
    cell(2, px + 35, py + 35, 0.7f);
    // The window-edge overlay, as shown with the pointer on the grow button.
    mouse.x = 440;
    mouse.y = 12;
    game_WindowControls();
    pointer(440, 12);
}

void scene_game_theme() {
    draw_counters(12, 3 * 216000 + 5 * 3600 + 9 * 60, 42);
    draw_board(3, 0, 0);
    say("Bram", 15, 256, 506, 0.65f, CENTRE);
    pointer(60, 70);
}

void draw_todo_panel() {
    const float x = 38;
    say("to-do", 15, 256, 170, 0.65f, CENTRE);
    say("2026/1/1 Thursday 12:00:0", 10, 256, 186, 0.65f, CENTRE);
    const struct {
        const char *what, *countdown, *hms;
        int repeat;
        float closeness;
        bool due;
    } tasks[] = {{"Dentist", "-", "00:10:00", 0, 100, true},
                 {"Water the plants", "+02D", "05:30:00", 3, 72, false},
                 {"Call Mum", "+01M 12D", "00:00:00", 1, 20, false}};
    float y = 202;
    for (int i = 0; i < 3; ++i) {
        game_DisplayNumber(i + 1, 0.45f, x, y, 1, 50, 450);
        say(tasks[i].what, 15, x + 20, y, 0.65f);
        say(tasks[i].countdown, 12, x + 320, y, 0.65f, TEXT_TOP_RIGHT);
        const float e = say(tasks[i].hms, 11, x + 340, y, 0.65f);
        game_DisplayBar(e + 10, y + 3, tasks[i].closeness, 30, 10);
        if (tasks[i].due) piece(450, 300, 475, 325, e + 10, y, TOP_LEFT, 0.65f, 1);
        const int r = tasks[i].repeat;
        piece(300 + 25 * r, 300, 325 + 25 * r, 325, x + 3.75f, y, TOP_LEFT, 0.65f, 1);
        y += 16;
    }
    piece(24, 400, 100, 420, 256, 186, TOP_MIDDLE);
    piece(102, 400, 176, 420, 256, y, TOP_MIDDLE);
    // The buttons settle 65 pixels right of the middle, beside the down arrow.
    piece(200, 400, 225, 425, 311, y, TOP_MIDDLE, 1, 1);
    piece(225, 400, 250, 425, 336, y, TOP_MIDDLE, 1.1f, 1);
    piece(175, 400, 200, 425, 361, y, TOP_MIDDLE, 1, 1);
}

// Player rows as the list draws them: number, name, score, level and the level's bar.
void draw_player_rows(float x, float y, float step, int count, int highlighted) {
    const char* const names[] = {"Alice", "Bram", "Cleo", "Dmitri", "Eve"};
    const char* const scores[] = {"25460", "11820", "3050", "2900", "120"};
    const int levels[] = {7, 42, 99, 3, 1};
    for (int i = 0; i < count; ++i) {
        if (i == highlighted) highlight(x, y, 7);
        game_DisplayNumber(i + 1, 0.5f, x, y, 0, 50, 450);
        say(names[i], 15, x + 50, y, 0.65f);
        say(scores[i], 15, x + 180, y, 0.65f);
        say(std::to_string(levels[i]).c_str(), 15, x + 300, y, 0.65f);
        game_DisplayBar(x + 330, y + 4, levels[i], 30, 8);
        y += step;
    }
}

void draw_start(bool hover_new_game) {
    game_DisplayLayer(IMAGE_BACKGROUND, 100);
    game_DisplayLayer(IMAGE_START, 100, 256, 100, 0, 0, 511, 200, 1, CENTRE);
    game_DisplayLayer(IMAGE_START, 100, 505, 400, 360, 400, 510, 430, hover_new_game ? 1.1f : 1,
                      RIGHT_MIDDLE);
    game_DisplayLayer(IMAGE_START, 100, 505, 435, 360, 435, 510, 465, 1, RIGHT_MIDDLE);
    game_DisplayLayer(IMAGE_START, 100, 505, 470, 360, 470, 510, 505, 1, RIGHT_MIDDLE);
    draw_todo_panel();
    // The compact player list at (80, 290) with its header bar and column titles.
    game_DisplayCell(256, 290, 0, 350, 100, 375, 100, 0, 1, 1, CENTRE, 0);
    const float titles = 290 + 1.2f * 16;
    say("name", 15, 130, titles, 0.65f);
    say("score", 15, 260, titles, 0.65f);
    say("level", 15, 380, titles, 0.65f);
    draw_player_rows(80, titles + 1.2f * 16, 0.8f * 16, 3, 1);
    game_DisplayLayer(IMAGE_START, 100, 0, 375, 0, 375, 300, 511, 1, TOP_LEFT);
}

void scene_start() {
    draw_start(true);
    pointer(420, 405);
}

void scene_dialog() {
    draw_start(false);
    game_DisplayLayer(IMAGE_DIALOGS, 100, 256, 256, 0, 0, 170, 85, 1, CENTRE);
    say("Alice", 15, 256, 266, 0.65f, CENTRE, 1);
}

void scene_next_level() {
    game_DisplayLayer(IMAGE_BACKGROUND, 100);
    game_DisplayLayer(IMAGE_NEXT_LEVEL, 100, 0, 0, 0, 0, 511, 511, 1, TOP_LEFT);
    game_DisplayTime(4 * 3600 + 35 * 60, 0.65f, 200, 100, 0, true);
    game_DisplayNumber(2, 0.65f, 200, 170, 0, 50, 450);
    game_DisplayNumber(1032, 0.65f, 375, 100, 0, 50, 450);
    game_DisplayNumber(80, 0.65f, 375, 170, 0, 50, 450);
    game_DisplayNumber(1112, 0.65f, 375, 227, 0, 50, 450);
    game_DisplayNumber(25460, 0.65f, 255, 380, 2, 50, 450);
    game_DisplayNumber(8, 0.65f, 300, 453, 0, 50, 450);
    game_DisplayNumber(100, 0.65f, 255, 310, 2, 50, 450);
    pointer(250, 462);
}

void draw_options(bool remove_mode) {
    game_DisplayLayer(IMAGE_BACKGROUND, 100);
    game_DisplayLayer(IMAGE_OPTIONS, 100, 0, 0, 0, 0, 511, 511, 1, TOP_LEFT);
    for (int k = 0; k < 7; ++k) {
        cell(k ? 2 * k + 14 : 0, 25, 325 + 25 * k, 0.5f, 100, TOP_LEFT);
        cell(k ? 2 * k + 15 : 1, 50, 325 + 25 * k, 0.5f, 100, TOP_LEFT);
    }
    draw_player_rows(80, 50, 0.8f * 25, 5, 2);
    piece(24, 400, 100, 420, 256, 25, TOP_MIDDLE);
    piece(102, 400, 176, 420, 256, 150, TOP_MIDDLE);
    piece(200, 400, 225, 425, 316, 150, TOP_MIDDLE);
    if (remove_mode)
        piece(175, 425, 200, 450, 245, 267, TOP_LEFT);
    else
        piece(175, 425, 200, 450, 40, 325 + 25 * 3, TOP_LEFT);
}

void scene_options() {
    draw_options(false);
    pointer(380, 486);
}

void scene_options_remove() {
    draw_options(true);
    say("no player selected.", 15, 256, 256, 1, CENTRE);
    pointer(252, 282);
}

void scene_task_editor() {
    game_DisplayLayer(IMAGE_TODO_EDIT, 100);
    piece(0, 150, 50, 175, 100, 375, TOP_LEFT); // Add is off for an existing task
    // The boxes' texts stand on their bottom-left corners.
    constexpr int BOTTOM_LEFT = 4;
    say("My tasks", 18, 50, 60, 0.55f, BOTTOM_LEFT);
    say("Water the plants.", 18, 50, 135, 0.55f, BOTTOM_LEFT);
    say("2026/1/9", 15, 100, 185, 0.55f, BOTTOM_LEFT);
    say("18:30:00 hr", 15, 100, 235, 0.55f, BOTTOM_LEFT);
    say("3:6 weekly", 12, 100, 285, 0.55f, BOTTOM_LEFT);
    say("15", 15, 230, 285, 0.55f, BOTTOM_LEFT);
    piece(175, 400, 200, 425, 255, 210, TOP_LEFT);
    say("2026/01/01 Thursday 12:00:00", 10, 256, 470, 0.65f, CENTRE);
    say("Set Date, Time must be in the future", 17, 256, 256, 0.55f, CENTRE);
    pointer(300, 390);
}

// Every glyph and digit strip at the scales and advances the screens use.
void scene_type() {
    game_DisplayLayer(IMAGE_BACKGROUND, 100);
    float y = 8;
    for (float scale : {1.0f, 0.65f, 0.55f}) {
        for (float advance : {15, 12, 10, 18}) {
            say("the quick brown fox: 0123456789", advance, 8, y, scale);
            y += 27 * scale + 2;
        }
        say("abcdefghijklmnopqrstuvwxyz ,.':+/-%", 15, 8, y, scale);
        y += 30 * scale;
    }
    say("name already exist. please enter different name.", 15, 256, y + 8, 0.55f, CENTRE);
    y += 24;
    for (float scale : {1.0f, 0.65f, 0.45f}) {
        float x = game_DisplayNumber(1234567890, scale, 8, y, 0, 50, 450) + 8;
        x = game_DisplayNumber(1234567890, scale, x, y, 0, 275, 450) + 8;
        game_DisplayNumber(1234567890, scale, x, y, 0, 50, 475);
        y += 26 * scale + 4;
    }
    game_DisplayTime(12 * 216000 + 34 * 3600 + 56 * 60, 1, 8, y, 0, true);
}

} // namespace

bool write_scenes(const std::string& review_dir) {
    if (loadtexture(ARCHIVE_FILE, IMAGE_CHARSET.name, &charset_texture) < 0) return false;
    const struct {
        const char* name;
        void (*draw)();
    } scenes[] = {{"game", scene_game},
                  {"game-theme", scene_game_theme},
                  {"start", scene_start},
                  {"dialog", scene_dialog},
                  {"next-level", scene_next_level},
                  {"options", scene_options},
                  {"options-remove", scene_options_remove},
                  {"task-editor", scene_task_editor},
                  {"type", scene_type}};
    bool written = true;
    for (const auto& scene : scenes) {
        next_frame();
        scene.draw();
        const std::string path = review_dir + "/scene-" + scene.name + ".png";
        written = platform::headless::save_png(path.c_str()) && written;
    }
    // A missing image shows a message box (recorded by the headless backend) and draws nothing.
    return written && platform::headless::message_boxes().empty();
}
