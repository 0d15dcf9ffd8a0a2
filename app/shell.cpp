// The shell: start-up order, the message loop and its geometry, and shut-down.
#include "app/shell.h"

#include <algorithm>
#include <cstdio>

#include "app/device.h"
#include "app/frame.h"
#include "app/reminders.h"
#include "gfx/bar.h"
#include "gfx/images.h"
#include "input/keyboard.h"
#include "input/mouse.h"
#include "platform/files.h"
#include "platform/process.h"
#include "platform/renderer.h"
#include "platform/window.h"
#include "players/players.h"
#include "players/settings.h"
#include "screens/name_box.h"
#include "screens/name_check.h"
#include "screens/next_level_screen.h"
#include "screens/options_screen.h"
#include "screens/play_screen.h"
#include "screens/player_list.h"
#include "screens/start_screen.h"
#include "screens/task_editor.h"
#include "screens/todo_panel.h"
#include "screens/window_controls.h"
#include "store/archive.h"
#include "store/background_save.h"
#include "store/datafile.h"
#include "sudoku/board.h"
#include "sudoku/notes.h"
#include "todo/notices.h"

namespace {

// The message loop's memory; lives for the run, wiped by game_Reset.
struct ShellLoop {
    struct Placement {
        int x, y, w, h;
        bool operator==(const Placement&) const = default;
    };
    // What the window was last given; the first pass always re-applies the rectangle.
    Placement applied{0, 0, 512, 512};
    platform::Message last_message{platform::WM_NULL, 0};
    bool full_screen_keys = false; // F11 or Alt+Enter was down at the last pass
};
ShellLoop shell_loop;

// F11 or Alt+Enter going down turns full screen on or off. Leaving it, the window manager gives the
// window its own rectangle back; one changed meanwhile (settings read) is applied after.
void full_screen_toggle() {
    const bool alt = keyboard.held(DIK_LMENU, true) || keyboard.held(DIK_RMENU, false);
    const bool keys = keyboard.held(DIK_F11, false) || (alt && keyboard.held(DIK_RETURN, false));
    if (keys && !shell_loop.full_screen_keys) {
        full_screen = !full_screen;
        platform::window_set_fullscreen(full_screen);
    }
    shell_loop.full_screen_keys = keys;
}

// The window's size on a first start: the layout at the largest whole multiple that takes at most
// half of the desktop's height, so that a high-density screen (2048 pixels high or more) shows it
// at 2x or more rather than a few centimetres wide.
int first_multiple() {
    return std::max(1, desktop_h / (2 * platform::BACKBUFFER_H));
}

} // namespace

void game_Reset() {
    saves_stop(); // what the writer holds goes to disk before anything else is wiped
    run_state_reset();
    datafile_reset();
    frame_reset();
    shell_loop = {};
    keyboard.create();
    mouse.create();
    bar_reset();
    name_box_reset();
    window_controls_reset();
    board_reset();
    notes_reset();
    play_screen_reset();
    settings_reset();
    players_reset();
    player_list_reset();
    name_check_reset();
    todo_panel_reset();
    task_editor_reset();
    notices_reset();
    start_screen_reset();
    next_level_screen_reset();
    options_screen_reset();
}

bool game_Start(int& exit_code) {
    game_Reset();
    exit_code = static_cast<int>(E_FAIL);
    if (!platform::video_init("gridhollow")) {
        std::fprintf(stderr, "Gridhollow needs a graphical display: %s\n", platform::video_error());
        return false;
    }
    platform::Rect desktop = platform::desktop_rect();
    desktop_w = desktop.right - desktop.left;
    desktop_h = desktop.bottom - desktop.top;
    const int side = first_multiple() * platform::BACKBUFFER_W;
    window_x = (desktop_w - (side - 8)) / 2;
    window_y = (desktop_h - (side - 34)) / 2;
    if (!platform::window_create("Gridhollow", window_x, window_y, side + platform::FRAME_W,
                                 side + platform::FRAME_H))
        return false;
    platform::window_set_icon();
    platform::Rect rect = platform::window_rect();
    window_w = rect.right - rect.left;
    window_h = rect.bottom - rect.top;
    exit_code = 0;
    if (!game_InitDevice()) return false;
    platform::make_directory("edit");
    Game_0Stage0();
    return true;
}

long Game_0Stage0() {
    if (loadtexture(platform::asset_path(ARCHIVE_FILE).c_str(), IMAGE_CHARSET.name,
                    &charset_texture) < 0) {
        platform::message_box("chrset1.tga", "Game_0Stage0()", platform::MB_OK);
        return E_FAIL;
    }
    alarm_sound = sound_bank->loadwav(platform::asset_path("alarm.wav").c_str());
    current_screen = Screen::start;
    return 0;
}

long game_WindowProcedure(unsigned message) {
    if (message == platform::WM_CLOSE || message == platform::WM_DESTROY)
        platform::post_quit_message(0);
    return 0;
}

bool game_LoopPass() {
    platform::peek_message(shell_loop.last_message);
    if (shell_loop.last_message.message == platform::WM_ENDSESSION) { // the system ends the program
        game_SaveOnEnd();
        return false;
    }
    game_Render(game_FrameTime());
    full_screen_toggle();
    const ShellLoop::Placement wanted{window_x, window_y, window_w, window_h};
    if (!full_screen && wanted != shell_loop.applied) {
        platform::window_move(window_x, window_y, window_w, window_h);
        shell_loop.applied = wanted;
    }
    game_PaceFrame();
    return shell_loop.last_message.message != platform::WM_QUIT;
}

int game_Finish() {
    saves_stop(); // every save handed to the writer is on disk before the program ends
    clearunlocked();
    game_Cleanup();
    // Tasks with a moment to come are reminded of after the game: a reminder program that already
    // runs on the folder makes the new one end at once.
    notices_update();
    if (notices_next_moment() != UINT64_MAX) platform::start_detached(REMINDERS_PROGRAM);
    return shell_loop.last_message.message == platform::WM_QUIT ? shell_loop.last_message.code : 0;
}

int game_Main() {
    int exit_code;
    if (!game_Start(exit_code)) return exit_code;
    while (game_LoopPass()) {
    }
    return game_Finish();
}
