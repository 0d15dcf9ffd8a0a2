// The taken-name check: the players file looked up on the check's first frame, then the warning
// that blinks for five seconds or until Escape.
#include "screens/name_check.h"

#include "gfx/text.h"
#include "input/keyboard.h"
#include "platform/files.h"
#include "players/players.h"
#include "run/state.h"
#include "screens/layout.h"

namespace {

constexpr float WARNING_TIME = 500; // five seconds at 100 units a second

// Wiped when the check starts afresh (name_check_enter).
struct NameCheckVisit {
    NameCheck result = NameCheck::free; // free or taken, as the players file says
    float timer = 0;                    // the taken-name warning's time, 100 units a second
};
// Wiped only when the game resets (name_check_reset).
struct NameCheckRun {
    int frame = -1; // the check's first-frame memory
};
NameCheckVisit name_check_visit;
NameCheckRun name_check_run;

} // namespace

void name_check_reset() {
    name_check_visit = {};
    name_check_run = {};
}

namespace {

void name_check_enter(const char* name) {
    name_check_visit = {};
    if (player_taken(name)) name_check_visit.result = NameCheck::taken;
}

// Whether the warning runs this frame: the name is taken and the five seconds are not over.
bool warning_due() {
    return name_check_visit.result == NameCheck::taken && name_check_visit.timer < WARNING_TIME;
}

// The warning's time goes on; taken when Escape ends it.
NameCheck update_warning() {
    name_check_visit.timer += 0.5f * frame_step;
    return keyboard.keypressed(DIK_ESCAPE, true) ? NameCheck::taken : NameCheck::warning;
}

} // namespace

void name_check_draw() {
    const platform::DrawPhase drawing;
    if (blink_lit(name_check_visit.timer))
        game_DisplayFontText("name already exist. please enter different name.", TEXT_ADVANCE,
                             LAYOUT_CENTRE_X, LAYOUT_CENTRE_Y, SMALL_TEXT_SCALE,
                             TextAnchor::centre);
}

int name_check_next_change() {
    return warning_due() ? blink_next_change(name_check_visit.timer, 0.5f) : NO_CHANGE;
}

NameCheck game_CheckNewPlayer(const char* name) {
    if (name[0] == '\0') return NameCheck::empty;
    if (first_frame(name_check_run.frame)) name_check_enter(name);
    if (!warning_due()) return name_check_visit.result;
    return update_warning();
}
