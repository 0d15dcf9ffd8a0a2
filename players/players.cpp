// The players and their high-score table: the players file, parsed, stored, loaded, sorted.
#include "players/players.h"

#include <algorithm>
#include <climits>
#include <cstdlib>
#include <cstring>
#include <string_view>
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

void put_copy(std::string& out, const PlayerRecord& record) {
    for (const std::string& field : record.field) out += field + ',';
    out += "\r\n";
}

// A field of a recovered record: at least one byte, each of them one the test takes, ended by the
// line's next comma at `at` (moved past it).
template <typename Takes>
bool take_field(std::string_view line, size_t& at, std::string& field, Takes takes) {
    const size_t comma = line.find(',', at);
    if (comma == std::string_view::npos || comma == at || comma - at > FIELD_LIMIT) return false;
    field = line.substr(at, comma - at);
    at = comma + 1;
    return std::all_of(field.begin(), field.end(), takes);
}

// The records of a players file that failed its check: every line (ended by CR LF, or by the end of
// the text) that is exactly a name of printable bytes, a decimal score with an optional minus and a
// decimal level, each followed by a comma. A changed byte spoils only the line it stands in (both
// lines, when it is their line end).
std::vector<PlayerRecord> recover_players(const std::string& text) {
    std::vector<PlayerRecord> records;
    const auto printable = [](unsigned char c) { return c >= 32; };
    const auto digit = [](char c) { return c >= '0' && c <= '9'; };
    const auto score_digit = [&](char c) { return digit(c) || c == '-'; };
    for (size_t start = 0; start < text.size();) {
        const size_t end = std::min(text.find("\r\n", start), text.size());
        const std::string_view line(text.data() + start, end - start);
        PlayerRecord record;
        size_t at = 0;
        if (take_field(line, at, record.field[0], printable) &&
            take_field(line, at, record.field[1], score_digit) &&
            record.field[1].find('-', 1) == std::string::npos &&
            take_field(line, at, record.field[2], digit) && at == line.size())
            records.push_back(std::move(record));
        start = end + 2;
    }
    return records;
}

enum class Source { missing, read, recovered, unreadable };

// Reads the players file as the game takes it: a file that fails its check gives the records that
// still parse whole (the player is told how many), written out afresh.
Source read_players_text(std::string& text) {
    if (readdatafile(PLAYERS_FILE, text)) return Source::read;
    if (!platform::file_exists(PLAYERS_FILE)) return Source::missing;
    if (!readdamaged(PLAYERS_FILE, text)) return Source::unreadable;
    const std::vector<PlayerRecord> records = recover_players(text);
    text.clear();
    for (const PlayerRecord& record : records) put_copy(text, record);
    tell_recovered(PLAYERS_FILE, records.size());
    return Source::recovered;
}

Source read_players(std::vector<PlayerRecord>& records) {
    std::string text;
    const Source source = read_players_text(text);
    records = parse_players(text);
    return source;
}

// The records a change of the file starts from; false, with nothing written, when the file exists
// but the system refuses to read it: it stays as it is.
bool read_for_change(std::vector<PlayerRecord>& records) {
    if (read_players(records) != Source::unreadable) return true;
    players_file.saved = false;
    return false;
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
    if (!read_for_change(records)) return false;
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

bool read_players_file(std::string& text) {
    const Source source = read_players_text(text);
    return source == Source::read || source == Source::recovered;
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
    if (!read_for_change(records)) return false;
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
