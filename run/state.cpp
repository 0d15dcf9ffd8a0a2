// The run state: its definitions, the first-frame rule and its reset.
#include "run/state.h"

Screen current_screen = Screen::none;
int dialog_active = 0;
int frame_counter = 0;
float frame_step = 0;
bool frame_drawn = true;

int desktop_w = 0, desktop_h = 0;
int window_x = 0, window_y = 0, window_w = 0, window_h = 0;
bool full_screen = false;

platform::Texture* charset_texture = nullptr;
DenseTextures charset_dense;
ImageCache layer_cache;
ImageCache region_cache;

SoundBank* sound_bank = nullptr;
uint16_t alarm_sound = NO_SOUND;

char player_name[PLAYER_NAME_SIZE] = {};
int32_t level = 1;
int32_t score = 0;
bool new_game_flag = false;

void release_dense(DenseTextures& dense) {
    for (platform::Texture* texture : dense.at) platform::texture_release(texture);
    dense = {};
}

bool first_frame(int& remembered) {
    const bool first = frame_counter - remembered != 1;
    remembered = frame_counter;
    return first;
}

void run_state_reset() {
    current_screen = Screen::none;
    dialog_active = 0;
    frame_counter = 0;
    frame_step = 0;
    frame_drawn = true;
    desktop_w = desktop_h = 0;
    window_x = window_y = window_w = window_h = 0;
    full_screen = false;
    platform::texture_release(charset_texture);
    charset_texture = nullptr;
    release_dense(charset_dense);
    for (ImageCache* cache : {&layer_cache, &region_cache}) {
        platform::texture_release(cache->texture);
        release_dense(cache->dense);
        *cache = {};
    }
    player_name[0] = '\0';
    level = 1;
    score = 0;
    new_game_flag = false;
}
