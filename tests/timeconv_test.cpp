// Windows calendar conversion: the 1601 epoch, leap years, validity rules, known dates.
#include <gtest/gtest.h>

#include <chrono>
#include <random>

#include "platform/timeconv.h"

using platform::FILETIME;
using platform::SYSTEMTIME;

namespace {

uint64_t ticks(const FILETIME& f) {
    return (uint64_t{f.dwHighDateTime} << 32) | f.dwLowDateTime;
}

bool to_ticks(int y, int mo, int d, int h, int mi, int s, int ms, uint64_t& out) {
    SYSTEMTIME t{static_cast<uint16_t>(y), static_cast<uint16_t>(mo), 0,
                 static_cast<uint16_t>(d), static_cast<uint16_t>(h),  static_cast<uint16_t>(mi),
                 static_cast<uint16_t>(s), static_cast<uint16_t>(ms)};
    FILETIME f{};
    if (!platform::SystemTimeToFileTime(&t, &f)) return false;
    out = ticks(f);
    return true;
}

} // namespace

TEST(TimeConversion, EpochsAndKnownInstants) {
    uint64_t t;
    ASSERT_TRUE(to_ticks(1601, 1, 1, 0, 0, 0, 0, t));
    EXPECT_EQ(t, 0u);
    ASSERT_TRUE(to_ticks(1970, 1, 1, 0, 0, 0, 0, t));
    EXPECT_EQ(t, 116444736000000000ull); // the Unix epoch in Windows ticks
    ASSERT_TRUE(to_ticks(2008, 5, 14, 13, 45, 30, 250, t));
    EXPECT_EQ(t, 116444736000000000ull + 1210772730ull * 10000000 + 2500000);
}

TEST(TimeConversion, ValidityRules) {
    uint64_t t;
    EXPECT_TRUE(to_ticks(2008, 2, 29, 0, 0, 0, 0, t));
    EXPECT_TRUE(to_ticks(2000, 2, 29, 0, 0, 0, 0, t));
    EXPECT_FALSE(to_ticks(1900, 2, 29, 0, 0, 0, 0, t));
    EXPECT_FALSE(to_ticks(2007, 2, 29, 0, 0, 0, 0, t));
    EXPECT_FALSE(to_ticks(2008, 4, 31, 0, 0, 0, 0, t));
    EXPECT_FALSE(to_ticks(2008, 13, 1, 0, 0, 0, 0, t));
    EXPECT_FALSE(to_ticks(2008, 0, 1, 0, 0, 0, 0, t));
    EXPECT_FALSE(to_ticks(2008, 1, 0, 0, 0, 0, 0, t));
    EXPECT_FALSE(to_ticks(2008, 1, 1, 24, 0, 0, 0, t));
    EXPECT_FALSE(to_ticks(2008, 1, 1, 0, 60, 0, 0, t));
    EXPECT_FALSE(to_ticks(2008, 1, 1, 0, 0, 60, 0, t));
    EXPECT_FALSE(to_ticks(2008, 1, 1, 0, 0, 0, 1000, t));
    EXPECT_FALSE(to_ticks(1600, 12, 31, 23, 59, 59, 999, t));
    EXPECT_TRUE(to_ticks(30827, 12, 31, 23, 59, 59, 999, t));
    EXPECT_FALSE(to_ticks(30828, 1, 1, 0, 0, 0, 0, t));

    FILETIME top{0, 0x80000000u};
    SYSTEMTIME out{};
    EXPECT_FALSE(platform::FileTimeToSystemTime(&top, &out));
}

TEST(TimeConversion, DaysOfTheWeek) {
    const struct {
        int y, m, d, weekday;
    } days[] = {
        {1601, 1, 1, 1}, {2000, 1, 1, 6}, {2008, 2, 29, 5}, {1970, 1, 1, 4}, {2026, 12, 8, 2}};
    for (const auto& day : days) {
        uint64_t t;
        ASSERT_TRUE(to_ticks(day.y, day.m, day.d, 12, 0, 0, 0, t));
        FILETIME f{static_cast<uint32_t>(t), static_cast<uint32_t>(t >> 32)};
        SYSTEMTIME s{};
        ASSERT_TRUE(platform::FileTimeToSystemTime(&f, &s));
        EXPECT_EQ(s.wDayOfWeek, day.weekday) << day.y << "-" << day.m << "-" << day.d;
    }
}

// Random instants across the whole range against the C++ calendar, both ways.
TEST(TimeConversion, AgreesWithTheStandardCalendar) {
    using namespace std::chrono;
    std::mt19937_64 random(1601);
    const sys_days epoch = sys_days{year{1601} / January / 1};
    for (int i = 0; i < 2000; ++i) {
        int y = 1601 + static_cast<int>(random() % (30827 - 1601 + 1));
        year_month_day date{year{y}, month{static_cast<unsigned>(random() % 12 + 1)},
                            day{static_cast<unsigned>(random() % 31 + 1)}};
        int h = static_cast<int>(random() % 24), mi = static_cast<int>(random() % 60);
        int s = static_cast<int>(random() % 60), ms = static_cast<int>(random() % 1000);
        uint64_t t;
        bool ok = to_ticks(y, static_cast<int>(unsigned(date.month())),
                           static_cast<int>(unsigned(date.day())), h, mi, s, ms, t);
        ASSERT_EQ(ok, date.ok());
        if (!ok) continue;
        int64_t days = (sys_days{date} - epoch).count();
        uint64_t expected = ((days * 86400ull + h * 3600 + mi * 60 + s) * 1000 + ms) * 10000;
        ASSERT_EQ(t, expected);
        FILETIME f{static_cast<uint32_t>(t), static_cast<uint32_t>(t >> 32)};
        SYSTEMTIME back{};
        ASSERT_TRUE(platform::FileTimeToSystemTime(&f, &back));
        EXPECT_EQ(back.wYear, y);
        EXPECT_EQ(back.wMonth, unsigned(date.month()));
        EXPECT_EQ(back.wDay, unsigned(date.day()));
        EXPECT_EQ(back.wHour, h);
        EXPECT_EQ(back.wMinute, mi);
        EXPECT_EQ(back.wSecond, s);
        EXPECT_EQ(back.wMilliseconds, ms);
        EXPECT_EQ(back.wDayOfWeek, weekday{sys_days{date}}.c_encoding());
    }
}
