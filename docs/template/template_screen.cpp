// A screen to copy when adding one: a heading, the number of visits and a Back button that (like
// Escape) returns to the start screen.
#include "docs/template/template_screen.h"

#include "gfx/cursor.h"
#include "gfx/sprites.h"
#include "gfx/text.h"
#include "input/area.h"
#include "input/keyboard.h"
#include "platform/files.h"
#include "run/state.h"

namespace {

// The screen's clickable areas (open bounds: see input/area.h).
constexpr Area BACK{206, 440, 306, 470};

constexpr float TEXT_SCALE = 0.65f;

} // namespace

TemplateRun template_run;
TemplateVisit template_visit;

void template_screen_reset() {
    template_run = {};
    template_visit = {};
}

void template_screen_enter() {
    template_visit = {};
    ++template_run.visits;
}

void template_screen_update() {
    fade_in(template_visit.fade);
    template_visit.back_hovered = BACK.hovered();
    if (BACK.pressed() || keyboard.keypressed(DIK_ESCAPE, true)) current_screen = Screen::start;
}

void template_screen_draw() {
    const platform::DrawPhase drawing;
    game_DisplayLayer(IMAGE_BACKGROUND, template_visit.fade);
    game_DisplayFontText("template", 15, 256, 200, TEXT_SCALE, TextAnchor::centre);
    game_DisplayNumber(template_run.visits, TEXT_SCALE, 256, 240, NumberAlign::centre_top, -1, -1);
    game_DisplayFontText("back", 15, 256, 455, template_visit.back_hovered ? 0.8f : TEXT_SCALE,
                         TextAnchor::centre);
    game_DisplayCursor(true);
}

void game_TemplateScreen() {
    template_screen_update();
    template_screen_draw();
}
