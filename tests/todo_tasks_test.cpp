// Tests of the task files: record lines, reading back, replacing, deleting, headings, completing
// and sorting.
#include <cstring>
#include <filesystem>
#include <vector>

#include "platform/files.h"
#include "platform/headless/headless.h"
#include "support.h"
#include "todo/dates.h"
#include "todo/tasks.h"

using platform::SYSTEMTIME;

namespace {

SYSTEMTIME at(int y, int mo, int d, int h = 0, int mi = 0, int s = 0) {
    auto f = [](int v) { return static_cast<uint16_t>(v); };
    return SYSTEMTIME{f(y), f(mo), 0, f(d), f(h), f(mi), f(s), 0};
}

TaskRecord task(const char* description, SYSTEMTIME when, int repeat = REPEAT_NORMAL) {
    TaskRecord t;
    strncpy(t.description, description, sizeof t.description - 1);
    t.when = when;
    t.repeat = repeat;
    t.due = ticksfiletime(toticks(when));
    return t;
}

// Every field of a record as one comparable text.
std::string describe(const TaskRecord& t) {
    const SYSTEMTIME& w = t.when;
    char text[300];
    snprintf(text, sizeof text, "%s|%d-%d-%d %d:%d:%d|a%d j%d n%d ?%d|%s|b%d|%08x%08x",
             t.description, w.wYear, w.wMonth, w.wDay, w.wHour, w.wMinute, w.wSecond, t.alarm,
             t.done, t.warn_minutes, t.repeat, t.heading, t.reserved, t.due.dwHighDateTime,
             t.due.dwLowDateTime);
    return text;
}

std::string contents(const char* name) {
    std::vector<uint8_t> bytes;
    platform::file_read(name, bytes);
    return std::string(bytes.begin(), bytes.end());
}

void put(const char* name, const std::string& text) {
    platform::file_write(name, text.data(), text.size());
}

// The descriptions of a file's records, in file order.
std::vector<std::string> descriptions(const char* name) {
    std::vector<std::string> found;
    std::string text = contents(name);
    for (size_t start = 0, bar; (bar = text.find('|', start)) != std::string::npos;
         start = bar + 1) {
        size_t line = text.rfind('\n', text.find("_x", start));
        line = line == std::string::npos || line < start ? start : line + 1;
        found.push_back(text.substr(line, text.find("_x", start) - line));
    }
    return found;
}

const std::string DENTIST =
    "Dentist_x 14_D 5_M 2008_Y 9_h 30_m 0_s 0_? 0_j 1_a 10_n 345709568_e 29930917_f|\r\n";

using TodoTasks = GameTest;

} // namespace

TEST_F(TodoTasks, RecordsRoundTripEveryField) {
    TaskRecord dentist = task("Dentist", at(2008, 5, 14, 9, 30));
    dentist.alarm = true;
    dentist.warn_minutes = 10;
    EXPECT_EQ(appendtask(dentist, TODO_FILE, "My list"), 1);
    EXPECT_EQ(contents(TODO_FILE), "My list_t\r\n" + DENTIST);
    EXPECT_FALSE(platform::file_exists("writting.txt"));

    TaskRecord back;
    ASSERT_TRUE(readtask(0, back, TODO_FILE));
    strcpy(dentist.heading, "My list");
    EXPECT_EQ(describe(back), describe(dentist));

    // Replaced in place the record gains the reserved field; appended it has none.
    TaskRecord other = task("CALL ANNA AT 5", at(2030, 12, 31, 23, 59, 58), REPEAT_YEARLY);
    other.done = 1;
    other.warn_minutes = 999;
    other.reserved = -7;
    other.due = platform::FILETIME{0xF0000001u, 0x80000002u};
    ASSERT_TRUE(replacetask(0, other));
    EXPECT_NE(contents(TODO_FILE).find(" -7_b 4026531841_e 2147483650_f|\r\n"), std::string::npos);
    ASSERT_TRUE(readtask(0, back, TODO_FILE));
    strcpy(other.heading, "My list");
    EXPECT_EQ(describe(back), describe(other));

    EXPECT_EQ(appendtask(other, TODO_FILE, ""), 2);
    ASSERT_TRUE(readtask(1, back, TODO_FILE));
    other.reserved = 0;
    other.heading[0] = 0;
    EXPECT_EQ(describe(back), describe(other));
    EXPECT_FALSE(readtask(2, back, TODO_FILE));
}

TEST_F(TodoTasks, HeadingsReadingAndDeleting) {
    for (const char* name : {"ONE", "TWO", "THREE"})
        appendtask(task(name, at(2008, 5, 14)), TODO_FILE, "Week");
    TaskRecord t;
    strcpy(t.heading, "...");
    EXPECT_FALSE(readtask(-1, t, TODO_FILE)); // the heading and the first record's fields
    EXPECT_STREQ(t.heading, "Week");
    EXPECT_STREQ(t.description, "ONE");
    ASSERT_TRUE(readtask(0, t, TODO_FILE));
    EXPECT_STREQ(t.heading, "Week");
    ASSERT_TRUE(readtask(2, t, TODO_FILE));
    EXPECT_STREQ(t.heading, "");
    EXPECT_STREQ(t.description, "THREE");

    std::string before = contents(TODO_FILE);
    EXPECT_FALSE(deletetask(3, TODO_FILE));
    EXPECT_EQ(contents(TODO_FILE), before);
    ASSERT_TRUE(deletetask(0, TODO_FILE));
    EXPECT_EQ(contents(TODO_FILE).substr(0, 8), "Week_t\r\n");
    EXPECT_EQ(descriptions(TODO_FILE), (std::vector<std::string>{"TWO", "THREE"}));
    EXPECT_TRUE(platform::file_exists("writting.txt"));
    sorttasks(); // the next sort takes it away, even when no task moves
    EXPECT_FALSE(platform::file_exists("writting.txt"));
    EXPECT_EQ(descriptions(TODO_FILE), (std::vector<std::string>{"TWO", "THREE"}));

    // A new heading replaces the old line; an empty one changes nothing.
    writeheading(TODO_FILE, "Month");
    writeheading(TODO_FILE, "");
    EXPECT_EQ(contents(TODO_FILE).substr(0, 9), "Month_t\r\n");
    EXPECT_EQ(descriptions(TODO_FILE), (std::vector<std::string>{"TWO", "THREE"}));
}

TEST_F(TodoTasks, MissingAndUnreadableFiles) {
    TaskRecord t = task("ONE", at(2008, 5, 14));
    EXPECT_FALSE(readtask(0, t, TODO_FILE));
    EXPECT_FALSE(replacetask(0, t));
    EXPECT_FALSE(deletetask(0, TODO_FILE));
    sorttasks();
    writeheading(TODO_FILE, "");
    EXPECT_TRUE(std::filesystem::is_empty(folder));

    writeheading(TODO_FILE, "Plans");
    EXPECT_EQ(contents(TODO_FILE), "Plans_t\r\n");

    // A file without a heading line keeps its first record when a heading is put in.
    put(DONE_FILE, DENTIST);
    t = task("ONE", at(2008, 5, 14));
    EXPECT_EQ(appendtask(t, DONE_FILE, "Completed tasks"), 2);
    EXPECT_EQ(contents(DONE_FILE).substr(0, 19 + DENTIST.size()),
              "Completed tasks_t\r\n" + DENTIST);
    EXPECT_EQ(descriptions(DONE_FILE), (std::vector<std::string>{"Dentist", "ONE"}));

    // A task file that exists but cannot be read is never overwritten.
    std::filesystem::remove(DONE_FILE);
    std::filesystem::create_directory(DONE_FILE);
    EXPECT_EQ(appendtask(t, DONE_FILE, "Completed tasks"), -1);
    EXPECT_TRUE(std::filesystem::is_directory(DONE_FILE));
}

TEST_F(TodoTasks, CompletingMovesTheTask) {
    appendtask(task("ONE", at(2008, 5, 14)), TODO_FILE, "Week");
    appendtask(task("TWO", at(2008, 5, 15)), TODO_FILE, "Week");
    EXPECT_EQ(completetask(1), 1);
    EXPECT_EQ(descriptions(TODO_FILE), std::vector<std::string>{"ONE"});
    TaskRecord t;
    ASSERT_TRUE(readtask(0, t, DONE_FILE));
    EXPECT_STREQ(t.heading, "Completed tasks");
    EXPECT_STREQ(t.description, "TWO");
    EXPECT_EQ(t.done, 1);
    EXPECT_EQ(filetimeticks(t.due), toticks(at(2008, 5, 15)));

    std::string open = contents(TODO_FILE), done = contents(DONE_FILE);
    EXPECT_EQ(completetask(1), -1);
    EXPECT_EQ(contents(TODO_FILE), open);
    EXPECT_EQ(contents(DONE_FILE), done);
}

TEST_F(TodoTasks, SortingPutsOverdueFirstAndKeepsTies) {
    platform::headless::set_local_time(at(2008, 5, 14, 12));
    appendtask(task("TOMORROW", at(2008, 5, 15, 12)), TODO_FILE, "Week");
    appendtask(task("TIE A", at(2008, 5, 20)), TODO_FILE, "Week");
    appendtask(task("YESTERDAY", at(2008, 5, 13, 12)), TODO_FILE, "Week");
    appendtask(task("TIE B", at(2008, 5, 20)), TODO_FILE, "Week");
    appendtask(task("DAILY", at(2001, 1, 1, 13), REPEAT_DAILY), TODO_FILE, "Week");
    appendtask(task("LAST YEAR", at(2007, 5, 14, 12)), TODO_FILE, "Week");
    sorttasks();
    EXPECT_EQ(contents(TODO_FILE).substr(0, 8), "Week_t\r\n");
    EXPECT_EQ(descriptions(TODO_FILE), (std::vector<std::string>{"LAST YEAR", "YESTERDAY", "DAILY",
                                                                 "TOMORROW", "TIE A", "TIE B"}));
    EXPECT_FALSE(platform::file_exists("writting.txt"));
}

TEST_F(TodoTasks, SortingBeyondItsLimitDropsNothing) {
    platform::headless::set_local_time(at(2008, 1, 1));
    std::string file = "Many_t\r\n";
    std::vector<std::string> expected;
    for (int i = 0; i < 1005; ++i) {
        SYSTEMTIME when = fromticks(toticks(at(2009, 1, 1)) + (1004 - i) * TICKS_PER_DAY);
        char line[100];
        snprintf(line, sizeof line, "T%d_x %d_D %d_M %d_Y 0_?|\r\n", i, when.wDay, when.wMonth,
                 when.wYear);
        file += line;
    }
    for (int i = 999; i >= 0; --i) expected.push_back("T" + std::to_string(i));
    for (int i = 1000; i < 1005; ++i) expected.push_back("T" + std::to_string(i));
    put(TODO_FILE, file);
    sorttasks();
    EXPECT_EQ(descriptions(TODO_FILE), expected);
}

TEST_F(TodoTasks, ForeignTextsAreCutAndWrittenSafely) {
    std::string heading(40, 'H'), description(950, 'D');
    put(TODO_FILE, heading + "_t\r\n" + description + "_x 7_D -1_e 4294967295_f 3_Z|\r\n_|junk");
    TaskRecord t;
    ASSERT_TRUE(readtask(0, t, TODO_FILE));
    EXPECT_EQ(t.heading, heading.substr(0, 31));
    EXPECT_EQ(t.description, description.substr(0, 99));
    EXPECT_EQ(t.when.wDay, 7);
    EXPECT_EQ(t.due.dwLowDateTime, 0xFFFFFFFFu);
    EXPECT_EQ(t.due.dwHighDateTime, 0xFFFFFFFFu);
    ASSERT_TRUE(readtask(1, t, TODO_FILE)); // "_|" still ends a record
    EXPECT_FALSE(readtask(2, t, TODO_FILE));

    // "_" and "|" cannot stand in a text: written as spaces, the file keeps its records.
    ASSERT_TRUE(replacetask(1, task("A_B|C", at(2008, 5, 14))));
    ASSERT_TRUE(readtask(1, t, TODO_FILE));
    EXPECT_STREQ(t.description, "A B C");
    EXPECT_NE(contents(TODO_FILE).find(description + "_x 7_D"), std::string::npos);
    EXPECT_EQ(contents(TODO_FILE).find("junk"), std::string::npos);
}
