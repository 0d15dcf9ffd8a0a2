// The players and their high-score table: the players file, parsed, stored, loaded, sorted.
#include "players/players.h"

#include <algorithm>
#include <climits>
#include <cstdlib>
#include <cstring>
#include <utility>
#include <vector>

#include "platform/files.h"
#include "store/datafile.h"

char list_hover_name[52] = {};
PlayersFile players_file;

namespace {

constexpr size_t SORT_LIMIT = 1000;

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
// only with keep_work. Returns (and notes in players_file) whether the players file was written.
bool write_players(const std::string& text, bool keep_work) {
    platform::file_set_normal(PLAYERS_WORK_FILE);
    platform::file_write(PLAYERS_WORK_FILE, text.data(), text.size());
    players_file.saved = writedatafile(PLAYERS_FILE, text, players_whole);
    if (!keep_work) platform::file_delete(PLAYERS_WORK_FILE);
    return players_file.saved;
}

} // namespace

void players_reset() {
    list_hover_name[0] = '\0';
    players_file = {};
}

int32_t leading_number(const char* text) {
    return static_cast<int32_t>(
        std::clamp<long>(std::strtol(text, nullptr, 10), INT32_MIN, INT32_MAX));
}

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

bool player_taken(const char* name) {
    std::vector<PlayerRecord> records;
    read_players(records);
    return std::any_of(records.begin(), records.end(),
                       [name](const PlayerRecord& record) { return record.name() == name; });
}

bool game_StorePlayer(const char* name, int32_t score, int32_t level, int mode) {
    std::vector<PlayerRecord> records;
    if (read_players(records) == Source::damaged && mode == 1) {
        players_file.saved = false; // nothing to replace in, and the damaged file stays as it is
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
        players_file.saved = false;
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
