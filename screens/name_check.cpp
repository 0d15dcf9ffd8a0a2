// The taken-name check: the players file looked up on the check's first frame, then the warning
// that blinks for five seconds or until Escape.
#include "screens/name_check.h"

#include "gfx/text.h"
#include "input/keyboard.h"
#include "platform/files.h"
#include "players/players.h"
#include "run/state.h"

namespace {
constexpr float WARNING_TIME = 500; // five seconds at 100 units a second
constexpr int WARNING_BLINK = 50;   // a blink cycle: on for its first half
} // namespace

int name_check_result = 0;
float name_check_timer = 0;
NameCheckState name_check_state;

void name_check_reset() {
    name_check_result = 0;
    name_check_timer = 0;
    name_check_state = {};
}

namespace {

void name_check_enter(const char* name) {
    name_check_result = player_taken(name) ? 2 : 0;
    name_check_timer = 0;
}

// Whether the warning runs this frame: the name is taken and the five seconds are not over.
bool warning_due() {
    return name_check_result == 2 && name_check_timer < WARNING_TIME;
}

// The warning's time goes on; 2 when Escape ends it, else 1.
int update_warning() {
    name_check_timer += 0.5f * frame_step;
    return keyboard.keypressed(DIK_ESCAPE, true) ? 2 : 1;
}

void draw_warning() {
    const platform::DrawPhase drawing;
    if (static_cast<int>(name_check_timer) % WARNING_BLINK < WARNING_BLINK / 2)
        game_DisplayFontText("name already exist. please enter different name.", 15, 256, 256,
                             0.55f, TextAnchor::centre);
}

} // namespace

int game_CheckNewPlayer(const char* name) {
    if (name[0] == '\0') return 3;
    if (first_frame(name_check_state.frame)) name_check_enter(name);
    if (!warning_due()) return name_check_result;
    const int result = update_warning();
    draw_warning();
    return result;
}
