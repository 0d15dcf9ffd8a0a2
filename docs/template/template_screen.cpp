// A screen to copy when adding one: a heading, the number of visits and a Back button that (like
// Escape, or Enter on the focused button) returns to the start screen.
#include "docs/template/template_screen.h"

#include "gfx/cursor.h"
#include "gfx/sprites.h"
#include "gfx/text.h"
#include "input/area.h"
#include "input/keyboard.h"
#include "platform/files.h"
#include "run/state.h"
#include "screens/layout.h"

namespace {

// The screen's clickable areas (open bounds: see input/area.h).
constexpr Area BACK{206, 440, 306, 470};

TemplateRun template_run;
TemplateVisit template_visit;

} // namespace

const TemplateRun& template_screen_run() {
    return template_run;
}

const TemplateVisit& template_screen_visit() {
    return template_visit;
}

void template_screen_reset() {
    template_run = {};
    template_visit = {};
}

void template_screen_enter() {
    template_visit = {};
    ++template_run.visits;
}

namespace {

// One frame: input to state, including any saves the screen makes. The focus keys act on Back
// through the code a click on it runs.
void update() {
    fade_in(template_visit.fade);
    template_visit.back_hovered = BACK.hovered();
    const int sizes[] = {1}; // the groups of controls the focus moves over: Back
    const bool keyed = move_focus(template_visit.focus, read_focus_keys(), sizes);
    if (BACK.pressed() || keyed || keyboard.keypressed(DIK_ESCAPE, true))
        current_screen = Screen::start;
}

// One frame's picture: reads state, writes none, touches no file.
void draw() {
    const platform::DrawPhase drawing;
    game_DisplayLayer(IMAGE_BACKGROUND, template_visit.fade);
    game_DisplayFontText("template", TEXT_ADVANCE, LAYOUT_CENTRE_X, 200, TEXT_SCALE,
                         TextAnchor::centre);
    game_DisplayNumber(template_run.visits, TEXT_SCALE, LAYOUT_CENTRE_X, 240,
                       NumberAlign::centre_top, -1, -1);
    game_DisplayFontText("back", TEXT_ADVANCE, LAYOUT_CENTRE_X, 455,
                         template_visit.back_hovered ? 0.8f : TEXT_SCALE, TextAnchor::centre);
    if (focus_on(template_visit.focus, 0)) draw_focus_mark(BACK);
    game_DisplayCursor(true);
}

} // namespace

int template_screen_next_change(bool seen) {
    return seen && template_visit.fade < OPAQUE ? 1 : NO_CHANGE;
}

void game_TemplateScreen() {
    update();
    draw();
}
