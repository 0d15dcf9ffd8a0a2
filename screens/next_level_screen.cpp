// The next-level screen: the finished level's bonuses counted into the score, then the buttons.
#include "screens/next_level_screen.h"

#include "gfx/cursor.h"
#include "gfx/sheet.h"
#include "gfx/sprites.h"
#include "gfx/text.h"
#include "input/area.h"
#include "platform/files.h"
#include "screens/layout.h"
#include "sudoku/board.h"
#include "sudoku/saved_game.h"

namespace {

constexpr Area PLAY_ON{200, 450, 300, 475};
constexpr Area SAVE_AND_STOP{50, 450, 150, 475};

constexpr int32_t LAST_LEVEL = 99;
constexpr int32_t LEVEL_BONUS = 100;
constexpr int32_t ACCURACY_POINTS = 10; // for every wrong entry fewer than TALLY_ERRORS_START
constexpr int32_t TOTAL_STEP = 10;      // the bonuses go into the score 10 points a step

// The time bonus counts the ticks left down in coarse steps, then in fine ones.
constexpr int32_t COARSE_TICKS = 360, FINE_TICKS = 60;
// The frame steps between two steps of a phase: the accuracy phase's, every other phase's.
constexpr float ACCURACY_INTERVAL = 60, STEP_INTERVAL = 2;

// The figures' columns: the counters, the bonuses, and the figures centred under them.
constexpr float COUNTER_X = 200, BONUS_X = 375, CENTRE_X = 255;
// The rows of the time and the wrong entries.
constexpr float TIME_Y = 100, ERRORS_Y = 170;

// Lives for the run; wiped by next_level_screen_reset.
struct NextLevelRun {
    int shown_frame = -1;    // frame_counter of the screen's last frame
    bool shown_done = false; // that frame drew the tally done
};
NextLevelRun next_level_run;
NextLevelVisit next_level_visit;

} // namespace

const NextLevelVisit& next_level_screen_visit() {
    return next_level_visit;
}

void next_level_screen_enter() {
    next_level_visit = {};
}

void next_level_screen_reset() {
    next_level_run = {};
    next_level_visit = {};
}

namespace {

// Whether the phase's interval has passed since its last step; at most one step a frame.
bool tally_step_due(float interval) {
    next_level_visit.tally_accumulator += frame_step;
    if (next_level_visit.tally_accumulator < interval) return false;
    next_level_visit.tally_accumulator = 0;
    return true;
}

// The time bonus: 5 points for every COARSE_TICKS left, then 1 for every FINE_TICKS.
void step_time() {
    if (next_level_visit.time_left <= elapsed_ticks) {
        next_level_visit.time_left = elapsed_ticks;
        next_level_visit.tally_phase = TALLY_ACCURACY;
    } else if (next_level_visit.time_left > COARSE_TICKS) {
        next_level_visit.time_bonus += 5;
        next_level_visit.time_left -= COARSE_TICKS;
    } else {
        next_level_visit.time_bonus += 1;
        next_level_visit.time_left -= FINE_TICKS;
    }
}

// The accuracy bonus: ACCURACY_POINTS for every wrong entry fewer than TALLY_ERRORS_START.
void step_accuracy() {
    if (next_level_visit.errors_left <= wrong_entries) {
        next_level_visit.errors_left = wrong_entries;
        next_level_visit.tally_phase = TALLY_TOTAL;
    } else {
        next_level_visit.errors_left -= 1;
        next_level_visit.accuracy_bonus += ACCURACY_POINTS;
    }
}

// The two bonuses into the score, TOTAL_STEP points a step (1 when they sum to no more).
void step_total() {
    const int32_t sum = next_level_visit.time_bonus + next_level_visit.accuracy_bonus;
    if (next_level_visit.level_total >= sum) {
        next_level_visit.level_total = sum;
        next_level_visit.tally_phase = TALLY_LEVEL;
    } else {
        const int32_t step = sum > TOTAL_STEP ? TOTAL_STEP : 1;
        next_level_visit.level_total += step;
        score += step;
    }
}

// The level bonus into the score, a point a step.
void step_level() {
    next_level_visit.level_bonus += 1;
    if (next_level_visit.level_bonus >= LEVEL_BONUS) next_level_visit.tally_phase = TALLY_DONE;
    score += 1;
}

// One frame of the tally: at most one step of the current phase, once its interval has passed.
void tally() {
    switch (next_level_visit.tally_phase) {
    case TALLY_TIME:
        if (tally_step_due(STEP_INTERVAL)) step_time();
        break;
    case TALLY_ACCURACY:
        if (tally_step_due(ACCURACY_INTERVAL)) step_accuracy();
        break;
    case TALLY_TOTAL:
        if (tally_step_due(STEP_INTERVAL)) step_total();
        break;
    case TALLY_LEVEL:
        if (tally_step_due(STEP_INTERVAL)) step_level();
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
    if (next_level_visit.tally_phase != TALLY_DONE) return false;
    const int sizes[NEXT_BUTTONS] = {1, 1};
    return move_focus(next_level_visit.focus, keys, sizes);
}

// On a press (a click, or the keys on the focused button) once the tally is done: play on, or
// save and stop.
void press_buttons(bool keyed) {
    if (next_level_visit.tally_phase != TALLY_DONE) return;
    const int focused = keyed ? next_level_visit.focus.group : NO_GROUP;
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
    if (next_level_run.shown_frame != frame_counter) next_level_screen_enter();
    while (next_level_visit.tally_phase != TALLY_DONE) {
        next_level_visit.tally_accumulator = ACCURACY_INTERVAL; // every phase's step is due
        tally();
    }
    start_next_level();
    return game_SaveGame();
}

namespace {

void draw_number(int32_t value, float x, float y, NumberAlign align) {
    game_DisplayNumber(value, TEXT_SCALE, x, y, align, DIGIT_STRIP_X, DIGIT_STRIP_Y);
}

// The tally as a frame draws it: as it stood before the frame's step, with the score and the
// level it had then.
struct TallyView {
    NextLevelVisit tally;
    int32_t score, level;
};

// The background at the fade's opacity, the screen's image and the tally's figures.
void draw_tally(const TallyView& view) {
    const NextLevelVisit& t = view.tally;
    draw_screen_image(t.fade, IMAGE_NEXT_LEVEL);
    game_DisplayTime(t.time_left, TEXT_SCALE, COUNTER_X, TIME_Y, TimeAlign::left, true);
    draw_number(t.errors_left, COUNTER_X, ERRORS_Y, NumberAlign::left_top);
    draw_number(t.time_bonus, BONUS_X, TIME_Y, NumberAlign::left_top);
    draw_number(t.accuracy_bonus, BONUS_X, ERRORS_Y, NumberAlign::left_top);
    draw_number(t.level_total, BONUS_X, 227, NumberAlign::left_top);
    draw_number(view.score, CENTRE_X, 380, NumberAlign::centre_top);
    draw_number(view.level + 1, 300, 453, NumberAlign::left_top);
    if (t.level_bonus > 0) draw_number(t.level_bonus, CENTRE_X, 310, NumberAlign::centre_top);
}

void draw_focus() {
    if (focus_on(next_level_visit.focus, NEXT_PLAY_ON)) draw_focus_mark(PLAY_ON);
    if (focus_on(next_level_visit.focus, NEXT_SAVE_AND_STOP)) draw_focus_mark(SAVE_AND_STOP);
}

} // namespace

int next_level_screen_next_change(bool seen) {
    const bool moving = !next_level_run.shown_done || next_level_visit.fade < OPAQUE;
    return seen && moving ? 1 : NO_CHANGE;
}

int32_t game_NextLevelScreen() {
    next_level_run.shown_frame = frame_counter;
    fade_in(next_level_visit.fade);
    // The figures show the tally as it stood before this frame's step.
    const TallyView shown{next_level_visit, score, level};
    next_level_run.shown_done = shown.tally.tally_phase == TALLY_DONE;
    tally();
    const bool keyed = update_focus();
    press_buttons(keyed);
    const platform::DrawPhase drawing;
    draw_tally(shown);
    draw_focus();
    game_DisplayCursor(true);
    return next_level_visit.level_total;
}
