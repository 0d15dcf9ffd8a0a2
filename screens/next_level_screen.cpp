// The next-level screen: the finished level's bonuses counted into the score, then the buttons.
#include "screens/next_level_screen.h"

#include "gfx/cursor.h"
#include "gfx/sprites.h"
#include "gfx/text.h"
#include "input/area.h"
#include "platform/files.h"
#include "sudoku/board.h"
#include "sudoku/saved_game.h"

namespace {

constexpr Area PLAY_ON{200, 450, 300, 475};
constexpr Area SAVE_AND_STOP{50, 450, 150, 475};

constexpr float FIGURE_SCALE = 0.65f;
constexpr int STRIP_X = 50, STRIP_Y = 450;
constexpr int32_t LAST_LEVEL = 99;

} // namespace

int32_t tally_phase = TALLY_TIME;
int32_t time_left = TALLY_TIME_START;
int32_t time_bonus = 0;
int32_t errors_left = TALLY_ERRORS_START;
int32_t accuracy_bonus = 0;
int32_t level_total = 0;
int32_t level_bonus = 0;
float tally_accumulator = 0;
float next_fade = 0;
NextLevelVisit next_visit;

namespace {
int shown_frame = -1; // frame_counter of the screen's last frame; wiped by next_level_reset
} // namespace

void next_level_enter() {
    tally_phase = TALLY_TIME;
    time_left = TALLY_TIME_START;
    time_bonus = 0;
    errors_left = TALLY_ERRORS_START;
    accuracy_bonus = 0;
    level_total = 0;
    level_bonus = 0;
    tally_accumulator = 0;
    next_fade = 0;
    next_visit = {};
}

void next_level_reset() {
    shown_frame = -1;
    next_level_enter();
}

namespace {

// Whether the phase's interval has passed since its last step; at most one step a frame.
bool tally_step_due(float interval) {
    tally_accumulator += frame_step;
    if (tally_accumulator < interval) return false;
    tally_accumulator = 0;
    return true;
}

// The time bonus: 5 points for every 360 ticks left, then 1 for every 60.
void step_time() {
    if (time_left <= elapsed_ticks) {
        time_left = elapsed_ticks;
        tally_phase = TALLY_ACCURACY;
    } else if (time_left > 360) {
        time_bonus += 5;
        time_left -= 360;
    } else {
        time_bonus += 1;
        time_left -= 60;
    }
}

// The accuracy bonus: 10 points for every wrong entry fewer than TALLY_ERRORS_START.
void step_accuracy() {
    if (errors_left <= wrong_entries) {
        errors_left = wrong_entries;
        tally_phase = TALLY_TOTAL;
    } else {
        errors_left -= 1;
        accuracy_bonus += 10;
    }
}

// The two bonuses into the score, 10 points a step (1 when they sum to 10 or less).
void step_total() {
    const int32_t sum = time_bonus + accuracy_bonus;
    if (level_total >= sum) {
        level_total = sum;
        tally_phase = TALLY_LEVEL;
    } else {
        const int32_t step = sum > 10 ? 10 : 1;
        level_total += step;
        score += step;
    }
}

// The level bonus into the score, a point a step.
void step_level() {
    level_bonus += 1;
    if (level_bonus >= LEVEL_BONUS) tally_phase = TALLY_DONE;
    score += 1;
}

// One frame of the tally: at most one step of the current phase, once its interval has passed.
void tally() {
    switch (tally_phase) {
    case TALLY_TIME:
        if (tally_step_due(2)) step_time();
        break;
    case TALLY_ACCURACY:
        if (tally_step_due(60)) step_accuracy();
        break;
    case TALLY_TOTAL:
        if (tally_step_due(2)) step_total();
        break;
    case TALLY_LEVEL:
        if (tally_step_due(2)) step_level();
        break;
    default:
        break;
    }
}

// The next level's puzzle; after level 99 play goes on at level 1.
void start_next_level() {
    level = level >= LAST_LEVEL ? 1 : level + 1;
    game_StartLevel();
}

// The focus keys, read every frame; they move the focus only once the tally is done. Returns
// whether they press the focused button.
bool update_focus() {
    const FocusKeys keys = read_focus_keys();
    if (tally_phase != TALLY_DONE) return false;
    const int sizes[NEXT_BUTTONS] = {1, 1};
    return move_focus(next_visit.focus, keys, sizes);
}

// On a press (a click, or the keys on the focused button) once the tally is done: play on, or
// save and stop.
void press_buttons(bool keyed) {
    if (tally_phase != TALLY_DONE) return;
    const int focused = keyed ? next_visit.focus.group : -1;
    const bool play_on = PLAY_ON.pressed() || focused == NEXT_PLAY_ON;
    if (!play_on && !SAVE_AND_STOP.pressed() && focused != NEXT_SAVE_AND_STOP) return;
    // Both store what the level earned and the next level's board at once, so that the players
    // file and the saved game always describe the same level, whatever ends the run after.
    start_next_level();
    game_SaveGameOrTell();
    if (!play_on) current_screen = Screen::start;
}

} // namespace

bool game_NextLevelSaveOnEnd() {
    // The tally runs to its end at once (starting afresh when the screen has not shown yet), so the
    // player keeps every bonus of the level just finished; then save and stop, as its button does.
    if (shown_frame != frame_counter) next_level_enter();
    while (tally_phase != TALLY_DONE) {
        tally_accumulator = 60; // every phase's step is due
        tally();
    }
    start_next_level();
    return game_SaveGame();
}

namespace {

void draw_number(int32_t value, float x, float y, NumberAlign align) {
    game_DisplayNumber(value, FIGURE_SCALE, x, y, align, STRIP_X, STRIP_Y);
}

// The background at the fade's opacity, the screen's image and the tally's figures.
void draw_tally() {
    const platform::DrawPhase drawing;
    draw_screen_image(next_fade, IMAGE_NEXT_LEVEL);
    game_DisplayTime(time_left, FIGURE_SCALE, 200, 100, TimeAlign::left, true);
    draw_number(errors_left, 200, 170, NumberAlign::left_top);
    draw_number(time_bonus, 375, 100, NumberAlign::left_top);
    draw_number(accuracy_bonus, 375, 170, NumberAlign::left_top);
    draw_number(level_total, 375, 227, NumberAlign::left_top);
    draw_number(score, 255, 380, NumberAlign::centre_top);
    draw_number(level + 1, 300, 453, NumberAlign::left_top);
    if (level_bonus > 0) draw_number(level_bonus, 255, 310, NumberAlign::centre_top);
}

void draw_focus() {
    const platform::DrawPhase drawing;
    if (focus_on(next_visit.focus, NEXT_PLAY_ON)) draw_focus_mark(PLAY_ON);
    if (focus_on(next_visit.focus, NEXT_SAVE_AND_STOP)) draw_focus_mark(SAVE_AND_STOP);
}

} // namespace

int32_t game_NextLevelScreen() {
    shown_frame = frame_counter;
    fade_in(next_fade);
    // The figures show the tally as it stood before this frame's step: drawn, then stepped.
    draw_tally();
    tally();
    const bool keyed = update_focus();
    draw_focus();
    game_DisplayCursor(true);
    press_buttons(keyed);
    return level_total;
}
