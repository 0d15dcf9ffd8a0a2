// Tasks as an iCalendar text (RFC 5545) and back.
#include "todo/ics.h"

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <cstring>
#include <map>
#include <optional>
#include <string_view>

#include "todo/dates.h"

using platform::SYSTEMTIME;

namespace {

constexpr size_t FOLD_OCTETS = 75;
constexpr int MAX_WARN_MINUTES = 999;
constexpr const char* BIRTHDAY_CATEGORY = "BIRTHDAY";

// ---- Writing

// A description's bytes as UTF-8, each byte taken as the character of its number (Latin-1), with
// the text escapes of RFC 5545.
std::string text_value(const char* text) {
    std::string out;
    for (const unsigned char* p = reinterpret_cast<const unsigned char*>(text); *p; ++p) {
        if (*p == '\\' || *p == ';' || *p == ',') out += '\\';
        if (*p < 0x80) {
            out += static_cast<char>(*p);
        } else {
            out += static_cast<char>(0xC0 | *p >> 6);
            out += static_cast<char>(0x80 | (*p & 0x3F));
        }
    }
    return out;
}

// A content line ended by CR LF, folded so that no line is longer than 75 octets: a fold never
// splits a character's bytes.
void put_line(std::string& out, const std::string& line) {
    size_t start = 0, room = FOLD_OCTETS;
    while (line.size() - start > room) {
        size_t cut = start + room;
        while ((static_cast<unsigned char>(line[cut]) & 0xC0) == 0x80) --cut;
        out.append(line, start, cut - start);
        out += "\r\n ";
        start = cut;
        room = FOLD_OCTETS - 1; // the space that begins a continuation line counts
    }
    out.append(line, start);
    out += "\r\n";
}

std::string moment_value(const SYSTEMTIME& t) {
    char text[32];
    snprintf(text, sizeof text, "%04d%02d%02dT%02d%02d%02d", t.wYear, t.wMonth, t.wDay, t.wHour,
             t.wMinute, t.wSecond);
    return text;
}

// The RRULE of a repeat kind from a start: a day beyond the 28th falls on the month's last day in
// shorter months, as the task's own countdown places it. Empty for a task that does not repeat.
std::string repeat_rule(int repeat, const SYSTEMTIME& start) {
    switch (repeat) {
    case REPEAT_DAILY:
        return "FREQ=DAILY";
    case REPEAT_WEEKLY:
        return "FREQ=WEEKLY";
    case REPEAT_MONTHLY:
        if (start.wDay == 31) return "FREQ=MONTHLY;BYMONTHDAY=-1";
        if (start.wDay > 28)
            return start.wDay == 30 ? "FREQ=MONTHLY;BYMONTHDAY=28,29,30;BYSETPOS=-1"
                                    : "FREQ=MONTHLY;BYMONTHDAY=28,29;BYSETPOS=-1";
        return "FREQ=MONTHLY";
    case REPEAT_BIRTHDAY:
    case REPEAT_YEARLY:
        return start.wMonth == 2 && start.wDay == 29 ? "FREQ=YEARLY;BYMONTH=2;BYMONTHDAY=-1"
                                                     : "FREQ=YEARLY";
    default:
        return "";
    }
}

// A UID of the task's description, moment and repeat (FNV-1a, 64 bits): the same task has the same
// UID in every export; a second task alike gets "-2", and so on.
std::string task_uid(const TaskRecord& t, std::map<uint64_t, int>& seen) {
    uint64_t hash = 14695981039346656037ull;
    const std::string key =
        std::string(t.description) + '\0' + moment_value(t.when) + '\0' + std::to_string(t.repeat);
    for (unsigned char c : key) hash = (hash ^ c) * 1099511628211ull;
    char text[64];
    const int n = ++seen[hash];
    snprintf(text, sizeof text, n > 1 ? "%016llx-%d@gridhollow" : "%016llx@gridhollow",
             static_cast<unsigned long long>(hash), n);
    return text;
}

void put_task(std::string& out, const TaskRecord& t, bool done, const std::string& stamp,
              std::map<uint64_t, int>& seen) {
    const char* component = done ? "VTODO" : "VEVENT";
    const SYSTEMTIME start = fromticks(filetimeticks(t.due));
    put_line(out, std::string("BEGIN:") + component);
    put_line(out, "UID:" + task_uid(t, seen));
    put_line(out, "DTSTAMP:" + stamp);
    put_line(out, "DTSTART:" + moment_value(start));
    put_line(out, "SUMMARY:" + text_value(t.description));
    if (done) put_line(out, "STATUS:COMPLETED");
    if (t.repeat == REPEAT_BIRTHDAY) put_line(out, std::string("CATEGORIES:") + BIRTHDAY_CATEGORY);
    if (const std::string rule = repeat_rule(t.repeat, start); !rule.empty())
        put_line(out, "RRULE:" + rule);
    if (t.alarm) {
        put_line(out, "BEGIN:VALARM");
        put_line(out, "ACTION:AUDIO");
        put_line(out, "TRIGGER:PT0S");
        put_line(out, "END:VALARM");
    }
    if (t.warn_minutes) {
        put_line(out, "BEGIN:VALARM");
        put_line(out, "ACTION:DISPLAY");
        put_line(out, "DESCRIPTION:" + text_value(t.description));
        put_line(out, "TRIGGER:-PT" + std::to_string(t.warn_minutes) + "M");
        put_line(out, "END:VALARM");
    }
    put_line(out, std::string("END:") + component);
}

// ---- Reading

// A content line: NAME;PARAM=VALUE...:VALUE, the name and parameter names in capitals.
struct Property {
    std::string name;
    std::map<std::string, std::string> params;
    std::string value;
};

// A VEVENT or VTODO with its properties and those of each VALARM in it.
struct Entry {
    std::string component;
    int line = 0;
    std::vector<Property> properties;
    std::vector<std::vector<Property>> alarms;
};

std::string upper(std::string_view text) {
    std::string out(text);
    for (char& c : out) c = static_cast<char>(toupper(static_cast<unsigned char>(c)));
    return out;
}

// The logical lines of the text, continuation lines joined, each with the number of its first
// physical line.
std::vector<std::pair<int, std::string>> unfolded(const std::string& text) {
    std::vector<std::pair<int, std::string>> lines;
    int number = 0;
    for (size_t start = 0; start < text.size();) {
        size_t end = text.find('\n', start);
        if (end == std::string::npos) end = text.size();
        std::string_view line(text.data() + start, end - start);
        if (line.ends_with('\r')) line.remove_suffix(1);
        ++number;
        if (!lines.empty() && !line.empty() && (line[0] == ' ' || line[0] == '\t'))
            lines.back().second.append(line.substr(1));
        else if (!line.empty())
            lines.emplace_back(number, std::string(line));
        start = end + 1;
    }
    return lines;
}

bool name_char(char c) {
    return isalnum(static_cast<unsigned char>(c)) || c == '-';
}

// Splits a content line; false when it is none.
bool parse_property(const std::string& line, Property& p) {
    size_t i = 0;
    while (i < line.size() && name_char(line[i])) ++i;
    if (i == 0) return false;
    p.name = upper(line.substr(0, i));
    while (i < line.size() && line[i] == ';') {
        const size_t name_start = ++i;
        while (i < line.size() && name_char(line[i])) ++i;
        if (i == name_start || i >= line.size() || line[i] != '=') return false;
        const std::string name = upper(line.substr(name_start, i - name_start));
        std::string value;
        for (++i; i < line.size() && line[i] != ';' && line[i] != ':'; ++i) {
            if (line[i] != '"') {
                value += line[i];
                continue;
            }
            const size_t close = line.find('"', i + 1);
            if (close == std::string::npos) return false;
            value += line.substr(i + 1, close - i - 1);
            i = close;
        }
        p.params[name] = value;
    }
    if (i >= line.size() || line[i] != ':') return false;
    p.value = line.substr(i + 1);
    return true;
}

// Whether the innermost of `depth` open components lies in the last entry, and the entry is the
// second of them.
bool in_entry(const std::vector<std::pair<std::string, int>>& open,
              const std::vector<Entry>& entries, size_t depth) {
    return open.size() == depth && !entries.empty() && entries.back().line == open[1].second;
}

// The entries of a whole calendar text; false, with `error` set, when the text is not one.
bool parse_entries(const std::string& text, std::vector<Entry>& entries, std::string& error) {
    std::vector<std::pair<std::string, int>> open; // the components begun and not yet ended
    bool calendar = false;
    for (const auto& [number, line] : unfolded(text)) {
        Property p;
        const std::string at = "line " + std::to_string(number) + ": ";
        if (!parse_property(line, p)) {
            error = at + "not a content line (NAME:VALUE)";
            return false;
        }
        const std::string value = upper(p.value);
        if (p.name == "BEGIN") {
            if (open.empty() && value != "VCALENDAR") {
                error = at + "BEGIN:" + p.value + " outside a VCALENDAR";
                return false;
            }
            if (open.size() == 1 && (value == "VEVENT" || value == "VTODO"))
                entries.push_back({value, number, {}, {}});
            if (value == "VALARM" && in_entry(open, entries, 2))
                entries.back().alarms.emplace_back();
            open.emplace_back(value, number);
            calendar = true;
        } else if (p.name == "END") {
            if (open.empty() || open.back().first != value) {
                error = at + "END:" + p.value +
                        (open.empty() ? " outside a VCALENDAR" : " ends no " + open.back().first);
                return false;
            }
            open.pop_back();
        } else if (open.empty()) {
            error = at + p.name + " outside a VCALENDAR";
            return false;
        } else if (in_entry(open, entries, 2)) {
            entries.back().properties.push_back(std::move(p));
        } else if (in_entry(open, entries, 3) && open[2].first == "VALARM") {
            entries.back().alarms.back().push_back(std::move(p));
        }
    }
    if (!open.empty()) {
        error = "the file ends inside the " + open.back().first + " begun on line " +
                std::to_string(open.back().second) + ": it is cut short";
        return false;
    }
    if (!calendar) error = "no VCALENDAR in the file";
    return calendar;
}

const Property* find(const std::vector<Property>& properties, const char* name) {
    for (const Property& p : properties)
        if (p.name == name) return &p;
    return nullptr;
}

// A text value unescaped, as the task's bytes: characters up to 255 as their byte, others as "?";
// line breaks become spaces.
std::string task_text(const std::string& value) {
    std::string out;
    for (size_t i = 0; i < value.size(); ++i) {
        unsigned char c = static_cast<unsigned char>(value[i]);
        if (c == '\\' && i + 1 < value.size()) {
            const char next = value[++i];
            out += next == 'n' || next == 'N' ? ' ' : next;
        } else if (c < 0x80) {
            out += static_cast<char>(c);
        } else if ((c & 0xE0) == 0xC0 && i + 1 < value.size() && c < 0xC4) {
            out += static_cast<char>((c & 0x1F) << 6 | (value[++i] & 0x3F));
        } else if ((c & 0xC0) != 0x80) {
            out += '?'; // the first byte of a character beyond 255; its other bytes are dropped
        }
    }
    return out;
}

// The local moment of a DATE or DATE-TIME value; none when it is none, or lies in a named zone.
std::optional<SYSTEMTIME> moment(const Property& p, std::string& why) {
    if (p.params.count("TZID")) {
        why = p.name + " in the time zone " + p.params.at("TZID") +
              " (only local times, UTC times and dates are read)";
        return std::nullopt;
    }
    int y, mo, d, h = 0, mi = 0, s = 0, n = 0;
    const char* v = p.value.c_str();
    const bool date = sscanf(v, "%4d%2d%2d%n", &y, &mo, &d, &n) == 3 && n == 8;
    bool utc = false;
    if (date && v[8] == 'T') {
        int m = 0;
        if (sscanf(v + 9, "%2d%2d%2d%n", &h, &mi, &s, &m) != 3 || m != 6) n = 0;
        utc = p.value.size() > 15 && v[15] == 'Z';
        n = n ? 15 + utc : 0;
    }
    SYSTEMTIME t{static_cast<uint16_t>(y),
                 static_cast<uint16_t>(mo),
                 0,
                 static_cast<uint16_t>(d),
                 static_cast<uint16_t>(h),
                 static_cast<uint16_t>(mi),
                 static_cast<uint16_t>(s),
                 0};
    if (!date || static_cast<size_t>(n) != p.value.size() || y < 1601 || validdate(y, mo, d) ||
        !validtime(h, mi, s)) {
        why = p.name + " " + p.value + " is no date or time";
        return std::nullopt;
    }
    if (!utc) return t;
    SYSTEMTIME local = platform::local_time_at(static_cast<int64_t>(toticks(t) / TICKS_PER_SECOND) -
                                               platform::UNIX_EPOCH_SECONDS);
    local.wDayOfWeek = 0; // not kept by a task
    return local;
}

// The repeat kind of an RRULE from the start; none when a task cannot repeat so.
std::optional<int> repeat_of(const std::string& rule, const SYSTEMTIME& start, bool birthday) {
    for (int kind : {REPEAT_DAILY, REPEAT_WEEKLY, REPEAT_MONTHLY, REPEAT_YEARLY}) {
        const std::string own = repeat_rule(kind, start);
        if (rule == own || rule == own.substr(0, own.find(';')))
            return kind == REPEAT_YEARLY && birthday ? REPEAT_BIRTHDAY : kind;
    }
    return std::nullopt;
}

// Seconds of a DURATION value ([+-]P[nW][nD][T[nH][nM][nS]]); none when it is none.
std::optional<long> duration_seconds(const std::string& value) {
    size_t i = 0;
    const bool before = value[0] == '-';
    if (value[0] == '-' || value[0] == '+') ++i;
    if (i >= value.size() || value[i++] != 'P') return std::nullopt;
    long total = 0, number = -1;
    bool time = false, any = false;
    for (; i < value.size(); ++i) {
        const char c = value[i];
        if (isdigit(static_cast<unsigned char>(c)) && number < 1000000) {
            number = std::max(number, 0L) * 10 + (c - '0');
            continue;
        }
        if (c == 'T' && !time && number < 0) {
            time = true;
            continue;
        }
        const size_t unit = std::string_view(time ? "HMS" : "WD").find(c);
        const long sizes[] = {time ? 3600 : 604800, time ? 60 : 86400, 1};
        if (unit == std::string_view::npos || number < 0) return std::nullopt;
        total += number * sizes[unit];
        number = -1;
        any = true;
    }
    if (number >= 0 || !any) return std::nullopt;
    return before ? -total : total;
}

// Sets the task's alarm tick or warning from a VALARM; false, with why, when it cannot hold it.
bool take_alarm(const std::vector<Property>& alarm, TaskRecord& t, std::string& why) {
    const Property* trigger = find(alarm, "TRIGGER");
    if (!trigger) {
        why = "an alarm without a TRIGGER";
        return false;
    }
    const auto related = trigger->params.find("RELATED");
    const bool from_start = related == trigger->params.end() || upper(related->second) == "START";
    const std::optional<long> seconds =
        trigger->params.count("VALUE") ? std::nullopt : duration_seconds(trigger->value);
    if (!from_start || !seconds) {
        why = "the alarm " + trigger->value + " is not a time before the start";
        return false;
    }
    if (*seconds == 0) {
        t.alarm = true;
        return true;
    }
    const long minutes = -*seconds / 60;
    if (*seconds > 0 || *seconds % 60 || minutes > MAX_WARN_MINUTES || t.warn_minutes) {
        why = "the alarm " + trigger->value + " (a task warns once, 1 to 999 minutes ahead)";
        return false;
    }
    t.warn_minutes = static_cast<uint16_t>(minutes);
    return true;
}

// The task of an entry; none, with why, when a task cannot hold it.
std::optional<TaskRecord> entry_task(const Entry& e, std::string& why) {
    for (const char* unexpressed : {"RDATE", "EXDATE", "EXRULE", "RECURRENCE-ID"})
        if (find(e.properties, unexpressed)) {
            why = std::string(unexpressed) + " cannot be expressed";
            return std::nullopt;
        }
    const Property* status = find(e.properties, "STATUS");
    const std::string state = status ? upper(status->value) : "";
    if (state == "CANCELLED" || state == "COMPLETED" || find(e.properties, "COMPLETED")) {
        why = state == "CANCELLED" ? "cancelled" : "completed";
        return std::nullopt;
    }
    const Property* summary = find(e.properties, "SUMMARY");
    TaskRecord t;
    const std::string description = summary ? task_text(summary->value) : "";
    snprintf(t.description, sizeof t.description, "%s", description.c_str());
    if (!t.description[0]) {
        why = "no SUMMARY";
        return std::nullopt;
    }
    const Property* start = e.component == "VTODO" ? find(e.properties, "DUE") : nullptr;
    if (!start) start = find(e.properties, "DTSTART");
    if (!start) {
        why = "no DTSTART";
        return std::nullopt;
    }
    const std::optional<SYSTEMTIME> when = moment(*start, why);
    if (!when) return std::nullopt;
    t.when = *when;
    t.due = ticksfiletime(toticks(t.when));
    if (const Property* rule = find(e.properties, "RRULE")) {
        const Property* categories = find(e.properties, "CATEGORIES");
        const bool birthday =
            categories && upper(categories->value).find(BIRTHDAY_CATEGORY) != std::string::npos;
        const std::optional<int> repeat = repeat_of(upper(rule->value), t.when, birthday);
        if (!repeat) {
            why = "RRULE " + rule->value + " cannot be expressed (only FREQ alone)";
            return std::nullopt;
        }
        t.repeat = *repeat;
    }
    for (const std::vector<Property>& alarm : e.alarms)
        if (!take_alarm(alarm, t, why)) return std::nullopt;
    return t;
}

} // namespace

std::string tasks_to_ics(const std::vector<TaskRecord>& open, const std::vector<TaskRecord>& done,
                         std::time_t stamp) {
    const std::string stamp_text =
        moment_value(fromticks((stamp + platform::UNIX_EPOCH_SECONDS) * TICKS_PER_SECOND)) + "Z";
    std::string out;
    put_line(out, "BEGIN:VCALENDAR");
    put_line(out, "VERSION:2.0");
    put_line(out, "PRODID:-//Gridhollow//Gridhollow tasks//EN");
    put_line(out, "CALSCALE:GREGORIAN");
    std::map<uint64_t, int> seen;
    for (const TaskRecord& t : open) put_task(out, t, false, stamp_text, seen);
    for (const TaskRecord& t : done) put_task(out, t, true, stamp_text, seen);
    put_line(out, "END:VCALENDAR");
    return out;
}

IcsImport tasks_from_ics(const std::string& text) {
    IcsImport result;
    std::vector<Entry> entries;
    if (!parse_entries(text, entries, result.error)) return result;
    result.whole = true;
    for (const Entry& e : entries) {
        std::string why;
        if (std::optional<TaskRecord> t = entry_task(e, why)) {
            result.tasks.push_back(*t);
            continue;
        }
        const Property* summary = find(e.properties, "SUMMARY");
        result.skipped.push_back(e.component + " \"" + (summary ? task_text(summary->value) : "") +
                                 "\" (line " + std::to_string(e.line) + "): " + why);
    }
    return result;
}
