// The run state every module reads: the current screen, the frame values, the window geometry,
// the character sheet and the image caches, the sound bank, and the current player.
#pragma once
#include <cstdint>

#include "platform/renderer.h"
#include "sound/dswav.h"

// The screens the dispatcher runs, one a frame; `none` runs none and leaves the frame black. The
// template screen (docs/template) is run only by its test. The name box is no screen: it runs over
// them while dialog_active is 1.
enum class Screen { none, start, game, next_level, options, template_screen, count };

extern Screen current_screen; // the screen run each frame
extern int dialog_active;     // 1 while the name dialog replaces the screens
extern int frame_counter;     // +1 at the start of every dispatch
extern float frame_step;      // 200 units per second since the last frame, at most 20, never 0
// False on the frames an idle wait catches up (app/frame.cpp): nobody sees their picture, so an
// entry point whose draw writes no state may leave it out.
extern bool frame_drawn;

extern int desktop_w, desktop_h;
// The wanted outer rectangle of the window; the loop applies changes at the end of each pass. At
// full screen it stays the window's own, which leaving full screen restores.
extern int window_x, window_y, window_w, window_h;
extern bool full_screen; // F11 or Alt+Enter: the layout fills the screen

// An image's drawings at the densities above 1 (2 and 3), each loaded the first time a frame is
// drawn at its density; a load that failed is not tried again.
struct DenseTextures {
    platform::Texture* at[platform::LARGEST_DENSITY - 1] = {};
    bool tried[platform::LARGEST_DENSITY - 1] = {};
};
// Releases the drawings and forgets the tries.
void release_dense(DenseTextures& dense);

extern platform::Texture* charset_texture; // "img\chrset1.tga": font, digits, pointer, controls
extern DenseTextures charset_dense;        // and its larger drawings

// A one-image cache: the caller-chosen number of the image now held, its archive entry (a name of
// the images table, which lives as long as the program), its texture and its larger drawings.
struct ImageCache {
    int id = 0;
    const char* name = nullptr;
    platform::Texture* texture = nullptr;
    DenseTextures dense;
};
extern ImageCache layer_cache;  // the whole-image form of game_DisplayLayer
extern ImageCache region_cache; // the region form of game_DisplayLayer

extern SoundBank* sound_bank; // made by the device set-up, lives until the process ends
extern uint16_t alarm_sound;  // the reminders' alarm in the sound bank

constexpr int PLAYER_NAME_SIZE = 12; // 11 characters and the terminator

// The current player.
extern char player_name[PLAYER_NAME_SIZE]; // the name dialog edits it
extern int32_t level;                      // 1 to 99
extern int32_t score;                      // the running score
extern bool new_game_flag;                 // a newly typed name waits for the game screen's check

// Every per-frame routine recognises its first frame by remembering frame_counter: a call whose
// counter does not follow the remembered one by exactly one starts afresh. Remembers the counter
// and returns whether this call is such a first frame.
bool first_frame(int& remembered);

// Puts the run state back at its start values, releasing the cached images.
void run_state_reset();
