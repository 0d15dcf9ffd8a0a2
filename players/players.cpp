// The players and their high-score table: the players file and the clickable list.
#include "players/players.h"

#include <algorithm>
#include <array>
#include <climits>
#include <cstdlib>
#include <cstring>
#include <utility>
#include <vector>

#include "gfx/bar.h"
#include "gfx/sprites.h"
#include "gfx/text.h"
#include "input/keyboard.h"
#include "input/mouse.h"
#include "platform/files.h"
#include "store/datafile.h"

int list_first_row = 1;
int list_expanded = 0;
char list_hover_name[52] = {};
std::string list_text;
int list_visible_chars = 0;
int list_frame = -1;
int name_check_result = 0;
float name_check_timer = 0;
int name_check_frame = -1;
bool players_saved = false;

namespace {

constexpr size_t FIELD_LIMIT = 51;
constexpr size_t SORT_LIMIT = 1000;
constexpr float WARNING_TIME = 500; // five seconds at 100 units a second
constexpr float LIST_WIDTH = 350;
constexpr float TEXT_ADVANCE = 15;
constexpr float TEXT_SCALE = 0.65f;

// One complete record: name, score and level as they stand in the file.
struct PlayerRecord {
    std::array<std::string, 3> field;
    const std::string& name() const { return field[0]; }
};

// The complete records of the plain players file; text after the last one is no record.
std::vector<PlayerRecord> parse_players(const std::string& text) {
    std::vector<PlayerRecord> records;
    PlayerRecord record;
    size_t index = 0;
    for (unsigned char c : text) {
        if (c < 32) continue; // line ends and control bytes; a space stays part of the field
        if (c == ',') {
            if (++index == record.field.size()) {
                records.push_back(std::move(record));
                record = {};
                index = 0;
            }
            continue;
        }
        std::string& field = record.field[index];
        if (field.size() == FIELD_LIMIT) field.clear();
        field += static_cast<char>(c);
    }
    return records;
}

// Whether the plain players file is read whole: no byte a record cannot hold (control bytes other
// than the line ends) and no record cut short (nothing but line ends after the last one).
bool players_whole(const std::string& text) {
    size_t commas = 0;
    bool after_last = false; // bytes stand after the last complete record
    for (unsigned char c : text) {
        if (c == '\r' || c == '\n') continue;
        if (c < 32) return false;
        after_last = c != ',' || ++commas % 3 != 0;
    }
    return !after_last;
}

// The records the list shows, as it last read them.
std::vector<PlayerRecord> list_records;

enum class Source { missing, read, damaged };

// Reads the players file into its records; a file that fails its check gives no records.
Source read_players(std::vector<PlayerRecord>& records) {
    records.clear();
    std::string text;
    if (readdatafile(PLAYERS_FILE, text)) {
        records = parse_players(text);
        return Source::read;
    }
    return platform::file_exists(PLAYERS_FILE) ? Source::damaged : Source::missing;
}

void put_copy(std::string& out, const PlayerRecord& record) {
    for (const std::string& field : record.field) out += field + ',';
    out += "\r\n";
}

void put_new(std::string& out, const char* name, int32_t score, int32_t level) {
    out += std::string(name) + ',' + std::to_string(score) + ',' + std::to_string(level) + ",\r\n";
}

// Writes the work file, then replaces the players file with the same text; the work file stays
// only with keep_work. Returns (and notes in players_saved) whether the players file was written.
bool write_players(const std::string& text, bool keep_work) {
    platform::file_set_normal(PLAYERS_WORK_FILE);
    platform::file_write(PLAYERS_WORK_FILE, text.data(), text.size());
    players_saved = writedatafile(PLAYERS_FILE, text, players_whole);
    if (!keep_work) platform::file_delete(PLAYERS_WORK_FILE);
    return players_saved;
}

bool inside(float value, float low, float high) {
    return value > low && value < high;
}

void list_label(const char* text, float x, float y, TextAnchor anchor = TextAnchor::top_left) {
    game_DisplayFontText(text, TEXT_ADVANCE, x, y, TEXT_SCALE, anchor);
}

// One of the list's controls, its sheet region drawn with its top edge centred on (cx, cy),
// larger while the mouse is within (left, right) x (cy, cy + height). True when pressed on it.
bool list_control(float cx, float cy, platform::Rect region, float left, float right, float height,
                  float enlarged) {
    const bool on = inside(static_cast<float>(mouse.x), left, right) &&
                    inside(static_cast<float>(mouse.y), cy, cy + height);
    const float scale = on ? enlarged : 1;
    game_DisplayCell({.x = cx,
                      .y = cy,
                      .left = region.left,
                      .top = region.top,
                      .right = region.right,
                      .bottom = region.bottom,
                      .scale_x = scale,
                      .scale_y = scale,
                      .anchor = CellAnchor::top_middle});
    return on && mouse.button_pressed[0];
}

// The scroll arrows and the toggle, shown while the mouse is over the list. rows is the number of
// rows the list shows, records the number of records plus one.
void list_controls(float x, float y, float bottom, float top, float h, int rows, int records) {
    if (!inside(static_cast<float>(mouse.x), x, x + LIST_WIDTH) ||
        !inside(static_cast<float>(mouse.y), y - 30, bottom + 30))
        return;
    if (list_control(256, bottom, {102, 400, 176, 420}, 220, 300, h, 1.3f) &&
        list_first_row + rows < records)
        ++list_first_row;
    if (list_control(256, top, {24, 400, 100, 420}, 220, 300, h, 1.3f) && list_first_row > 1)
        --list_first_row;
    if (list_control(316, bottom, {200, 400, 225, 425}, 304, 328, 25, 1.1f)) {
        list_expanded = list_expanded == 0 ? 1 : 0;
        list_first_row = 0; // shows from the first record
    }
}

bool list_character(char c) {
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == ':' ||
           c == ' ';
}

// A field as the list shows it: the characters the list's lettering has.
void list_field(const std::string& field, float x, float y) {
    char shown[FIELD_LIMIT + 1];
    size_t length = 0;
    for (char c : field)
        if (list_character(c)) shown[length++] = c;
    shown[length] = '\0';
    list_label(shown, x, y);
}

// One row of the list at row_y: hovered or selected, the record's number, name, score and level.
// A press on the row selects it; hovering it makes its name the one the options screen uses.
void draw_row(const PlayerRecord& r, int record, float x, float row_y, float h, int preselected,
              int& selection) {
    const bool hovered = inside(static_cast<float>(mouse.x), x, x + LIST_WIDTH) &&
                         inside(static_cast<float>(mouse.y), row_y, row_y + 0.8f * h) &&
                         (preselected == 0 || mouse.button_down[0]);
    if (hovered && mouse.button_down[0]) selection = record;
    if (hovered || record == selection)
        game_DisplayCell(
            {.x = x, .y = row_y, .left = 15, .opacity = 40, .scale_x = 7, .scale_y = 0.3f});
    if (hovered) std::memcpy(list_hover_name, r.name().c_str(), r.name().size() + 1);
    game_DisplayNumber(record, 0.5f, x, row_y, NumberAlign::left_top, 50, 450);
    list_field(r.field[0], x + 50, row_y);
    list_field(r.field[1], x + 180, row_y);
    list_field(r.field[2], x + 300, row_y);
    const float percent =
        static_cast<float>(std::clamp(leading_number(r.field[2].c_str()), 0, 100));
    game_DisplayBar(x + 330, row_y + 4, percent, 30, 8);
}

} // namespace

void players_reset() {
    list_first_row = 1;
    list_expanded = 0;
    list_hover_name[0] = '\0';
    list_text.clear();
    list_visible_chars = 0;
    list_frame = -1;
    list_records.clear();
    name_check_result = 0;
    name_check_timer = 0;
    name_check_frame = -1;
    players_saved = false;
}

int32_t leading_number(const char* text) {
    return static_cast<int32_t>(
        std::clamp<long>(std::strtol(text, nullptr, 10), INT32_MIN, INT32_MAX));
}

int game_CheckNewPlayer(const char* name) {
    if (name[0] == '\0') return 3;
    if (first_frame(name_check_frame)) {
        name_check_result = 0;
        name_check_timer = 0;
        std::vector<PlayerRecord> records;
        read_players(records);
        for (const PlayerRecord& record : records) {
            if (record.name() == name) {
                name_check_result = 2;
                break;
            }
        }
    }
    if (name_check_timer >= WARNING_TIME || name_check_result != 2) return name_check_result;
    name_check_timer += 0.5f * frame_step;
    if (static_cast<int>(name_check_timer) % 50 < 25)
        game_DisplayFontText("name already exist. please enter different name.", TEXT_ADVANCE, 256,
                             256, 0.55f, TextAnchor::centre);
    return keyboard.keypressed(DIK_ESCAPE, true) ? 2 : 1;
}

bool game_StorePlayer(const char* name, int32_t score, int32_t level, int mode) {
    std::vector<PlayerRecord> records;
    if (read_players(records) == Source::damaged && mode == 1) {
        players_saved = false; // nothing to replace in, and the damaged file stays as it is
        return false;
    }
    std::string out;
    bool replaced = false;
    for (const PlayerRecord& record : records) {
        if (mode == 1 && !replaced && record.name() == name) {
            put_new(out, name, score, level);
            replaced = true;
        } else {
            put_copy(out, record);
        }
    }
    if (mode == 0) put_new(out, name, score, level);
    return write_players(out, true) && replaced;
}

bool game_LoadPlayer(int row, char* name, int32_t* score, int32_t* level) {
    std::vector<PlayerRecord> records;
    read_players(records);
    for (size_t i = 0; i < records.size(); ++i) {
        const PlayerRecord& record = records[i];
        if (record.name() != name && static_cast<size_t>(row) != i + 1) continue;
        const size_t length = std::min(record.name().size(), size_t{PLAYER_NAME_SIZE - 1});
        std::memcpy(name, record.name().data(), length);
        name[length] = '\0';
        *score = leading_number(record.field[1].c_str());
        *level = leading_number(record.field[2].c_str());
        return true;
    }
    return false;
}

void game_SortScores() {
    std::string text;
    if (!readdatafile(PLAYERS_FILE, text)) return;
    const std::vector<PlayerRecord> records = parse_players(text);
    std::vector<std::pair<int32_t, size_t>> order;
    for (size_t i = 0; i < std::min(records.size(), SORT_LIMIT); ++i)
        order.emplace_back(leading_number(records[i].field[1].c_str()), i);
    std::stable_sort(order.begin(), order.end(),
                     [](const auto& a, const auto& b) { return a.first > b.first; });
    std::string out;
    for (const auto& [score, i] : order) put_copy(out, records[i]);
    for (size_t i = order.size(); i < records.size(); ++i) put_copy(out, records[i]);
    if (out != text) write_players(out, true);
}

bool game_RemovePlayer(int row) {
    std::vector<PlayerRecord> records;
    if (read_players(records) == Source::damaged) {
        players_saved = false;
        return false;
    }
    std::string out;
    bool removed = false;
    for (size_t i = 0; i < records.size(); ++i) {
        if (!removed && row > 0 && static_cast<size_t>(row) == i + 1)
            removed = true;
        else
            put_copy(out, records[i]);
    }
    return write_players(out, false) && removed;
}

void players_list_enter() {
    list_frame = -1;
}

int game_DisplayPlayers(float x, float y, int mode, int preselected, float h, int visible_rows,
                        int* toggle) {
    const int rows = visible_rows > 0 ? visible_rows : 8;
    float row_y = y;
    float top = row_y - h;
    if (first_frame(list_frame)) {
        game_SortScores();
        list_records.clear();
        if (!readdatafile(PLAYERS_FILE, list_text)) {
            // No table: every frame stays a first frame until the file appears.
            list_frame = frame_counter - 1;
            list_visible_chars = 0;
            list_controls(x, y, row_y, top, h, rows, 1);
            if (toggle) *toggle = list_expanded;
            return 0;
        }
        list_records = parse_players(list_text);
        list_visible_chars =
            static_cast<int>(std::count_if(list_text.begin(), list_text.end(), list_character));
    }
    if (list_visible_chars < 3) {
        list_label(mode == 1 ? "high score table is empty" : "Click 'play' to start a new game",
                   256, row_y, TextAnchor::centre);
        return 0;
    }
    if (mode == 0) {
        game_DisplayCell({.x = 256,
                          .y = row_y,
                          .top = 350,
                          .right = 100,
                          .bottom = 375,
                          .anchor = CellAnchor::centre});
        row_y += 1.2f * h;
        list_label("name", x + 50, row_y);
        list_label("score", x + 180, row_y);
        list_label("level", x + 300, row_y);
        row_y += 1.2f * h;
    }
    top = row_y - h;
    int selection = preselected > 0 ? preselected : 0;
    int rows_left = rows;
    for (size_t i = 0; i < list_records.size() && rows_left > 0; ++i) {
        const int record = static_cast<int>(i) + 1;
        if (record < list_first_row) continue;
        draw_row(list_records[i], record, x, row_y, h, preselected, selection);
        row_y += 0.8f * h;
        --rows_left;
    }
    list_controls(x, y, row_y, top, h, rows, static_cast<int>(list_records.size()) + 1);
    if (toggle) *toggle = list_expanded;
    return selection;
}
