// Tests of the organiser's clock: differences, recurrence, validity and texts, with a calendar
// cross-check against std::chrono.
#include <chrono>
#include <cstdlib>
#include <random>

#include "platform/headless/headless.h"
#include "support.h"
#include "todo/dates.h"

using platform::SYSTEMTIME;

namespace {

SYSTEMTIME at(int y, int mo, int d, int h = 0, int mi = 0, int s = 0) {
    auto f = [](int v) { return static_cast<uint16_t>(v); };
    return SYSTEMTIME{f(y), f(mo), 0, f(d), f(h), f(mi), f(s), 0};
}

// Year, month, day, hour, minute, second as one comparable text.
std::string fields(const SYSTEMTIME& t) {
    return std::to_string(t.wYear) + "-" + std::to_string(t.wMonth) + "-" + std::to_string(t.wDay) +
           " " + timetext(t);
}

// Tests that set the local time run with a fresh headless backend.
using TodoDates = GameTest;

} // namespace

TEST(TodoDatesTest, DifferencesAndTheirTexts) {
    TimeDiff d = timediff(at(2008, 5, 14, 10), at(2008, 4, 3, 9));
    EXPECT_EQ(fields(d), "1601-1-10 01:00:00");
    EXPECT_EQ(countdowntext(d, REPEAT_NORMAL), "+01M 10D");

    d = timediff(at(2008, 4, 3, 9), at(2008, 5, 14, 10)); // the same span behind
    EXPECT_EQ(d.wYear, 1600);
    EXPECT_EQ(countdowntext(d, REPEAT_NORMAL), "-01M 10D");
    EXPECT_EQ(countdowntext(d, REPEAT_DAILY), "-");

    SYSTEMTIME a = at(2008, 5, 14, 10), b = a;
    b.wMilliseconds = 500; // milliseconds and weekdays take no part
    b.wDayOfWeek = 3;
    d = timediff(a, b);
    EXPECT_EQ(fields(d), "1601-0-0 00:00:00");
    EXPECT_EQ(countdowntext(d, REPEAT_NORMAL), "+");
    EXPECT_EQ(comparetimes(a, a), 0);
    EXPECT_EQ(comparetimes(a, at(2008, 5, 14, 9)), 1);
    EXPECT_EQ(comparetimes(a, at(2008, 5, 15)), 2);

    // 40 days: one month of 31 days and 9 more; 427 days behind is -1Y 02M 03D.
    EXPECT_EQ(fields(timediff(at(2008, 2, 10), at(2008, 1, 1))), "1601-1-9 00:00:00");
    d = timediff(at(2008, 1, 1), fromticks(toticks(at(2008, 1, 1)) + 427 * TICKS_PER_DAY));
    EXPECT_EQ(countdowntext(d, REPEAT_NORMAL), "-1Y 02M 03D");
    // Years are counted from 1601, so the leap day of 2008 shows as one day more.
    EXPECT_EQ(countdowntext(timediff(at(2010, 1, 4), at(2008, 1, 1)), REPEAT_YEARLY),
              "+2Y 00M 04D");
    EXPECT_EQ(countdowntext(timediff(at(2008, 1, 1), at(2008, 1, 4)), REPEAT_NORMAL), "-03D");

    EXPECT_EQ(fields(addseconds(at(2008, 12, 31, 23, 59, 30), 45)), "2009-1-1 00:00:15");
    EXPECT_EQ(toticks(at(2009, 2, 29)), 0u); // a moment that does not exist lies behind all
}

TEST(TodoDatesTest, CalendarAgreesWithChrono) {
    using namespace std::chrono;
    std::mt19937 rng(6);
    auto pick = [&](int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(rng); };
    auto moment = [&] {
        int y = pick(1601, 3200), m = pick(1, 12);
        int last = static_cast<int>(unsigned((year{y} / month(m) / std::chrono::last).day()));
        return at(y, m, pick(1, last), pick(0, 23), pick(0, 59), pick(0, 59));
    };
    const sys_days epoch = year{1601} / January / 1;
    auto chrono_ticks = [&](const SYSTEMTIME& t) {
        sys_days day = year{t.wYear} / month(t.wMonth) / t.wDay;
        int64_t seconds =
            (day - epoch).count() * 86400LL + t.wHour * 3600 + t.wMinute * 60 + t.wSecond;
        return seconds * static_cast<int64_t>(TICKS_PER_SECOND);
    };
    for (int i = 0; i < 300; ++i) {
        SYSTEMTIME a = moment(), b = moment();
        if (i % 10 == 0) b = fromticks(toticks(a) + pick(0, 90) * TICKS_PER_DAY); // close pairs
        int64_t ta = chrono_ticks(a), tb = chrono_ticks(b);
        ASSERT_EQ(static_cast<int64_t>(toticks(a)), ta) << fields(a);
        EXPECT_EQ(comparetimes(a, b), ta == tb ? 0 : ta > tb ? 1 : 2);

        platform::FILETIME ft = ticksfiletime(toticks(a));
        SYSTEMTIME back;
        ASSERT_TRUE(platform::FileTimeToSystemTime(&ft, &back));
        EXPECT_EQ(back.wDayOfWeek,
                  weekday(sys_days(year{a.wYear} / month(a.wMonth) / a.wDay)).c_encoding())
            << fields(a);

        // The difference laid along the calendar from 1 January 1601.
        int64_t span = std::llabs(ta - tb);
        year_month_day ymd{epoch + days(span / static_cast<int64_t>(TICKS_PER_DAY))};
        int years = int(ymd.year()) - 1601;
        SYSTEMTIME rest = fromticks(static_cast<uint64_t>(span) % TICKS_PER_DAY);
        SYSTEMTIME want = at(ta >= tb ? 1601 + years : 1600 - years, unsigned(ymd.month()) - 1,
                             unsigned(ymd.day()) - 1, rest.wHour, rest.wMinute, rest.wSecond);
        EXPECT_EQ(fields(timediff(a, b)), fields(want)) << fields(a) << " against " << fields(b);

        // A weekly task's next occurrence keeps its weekday and lies within a week ahead.
        SYSTEMTIME when = a;
        countdown(when, REPEAT_WEEKLY, b);
        int64_t ahead = chrono_ticks(when) - tb;
        EXPECT_TRUE(ahead >= 0 &&
                    (ta >= tb ? ahead == ta - tb : ahead < static_cast<int64_t>(TICKS_PER_WEEK)));
        EXPECT_EQ((chrono_ticks(when) - ta) % static_cast<int64_t>(TICKS_PER_WEEK), 0);

        int y = pick(1601, 3200), m = pick(0, 13), d = pick(0, 32);
        EXPECT_EQ(validdate(y, m, d) == 0, (year{y} / month(m) / d).ok()) << y << m << d;
    }
}

TEST_F(TodoDates, CountdownOfEachKind) {
    struct Case {
        SYSTEMTIME when;
        int repeat;
        SYSTEMTIME now;
        const char* occurrence;
    };
    const Case cases[] = {
        {at(2008, 1, 31, 12), REPEAT_MONTHLY, at(2008, 4, 10, 9), "2008-4-30 12:00:00"},
        // Past its time on 30 April: the day stepped back in April stays.
        {at(2008, 1, 31, 12), REPEAT_MONTHLY, at(2008, 4, 30, 13), "2008-5-30 12:00:00"},
        {at(2008, 12, 15, 8), REPEAT_MONTHLY, at(2008, 12, 20), "2009-1-15 08:00:00"},
        {at(2008, 2, 29, 7), REPEAT_YEARLY, at(2009, 1, 10), "2009-2-28 07:00:00"},
        {at(2008, 2, 29, 7), REPEAT_YEARLY, at(2011, 3, 1), "2012-2-28 07:00:00"},
        {at(1980, 5, 3, 9), REPEAT_BIRTHDAY, at(2008, 5, 10), "2009-5-3 09:00:00"},
        {at(1980, 5, 20, 9), REPEAT_BIRTHDAY, at(2008, 5, 10), "2008-5-20 09:00:00"},
        {at(1980, 5, 10, 9), REPEAT_BIRTHDAY, at(2008, 5, 10, 10), "2008-5-10 09:00:00"},
        {at(1980, 2, 29, 9), REPEAT_BIRTHDAY, at(2009, 1, 1), "2009-2-28 09:00:00"},
        {at(2000, 1, 1, 8), REPEAT_DAILY, at(2008, 5, 14, 9), "2008-5-14 08:00:00"},
        {at(2008, 4, 22, 10), REPEAT_WEEKLY, at(2008, 5, 14, 10), "2008-5-20 10:00:00"},
        {at(2008, 4, 22, 10), 6, at(2008, 5, 14), "2008-4-22 10:00:00"},
    };
    for (const Case& c : cases) {
        SYSTEMTIME when = c.when;
        countdown(when, c.repeat, c.now);
        EXPECT_EQ(fields(when), c.occurrence) << fields(c.when) << " " << c.repeat;
    }

    SYSTEMTIME when = at(1980, 5, 10, 9); // a birthday whose time passed today stays today
    EXPECT_EQ(countdowntext(countdown(when, REPEAT_BIRTHDAY, at(2008, 5, 10, 10)), REPEAT_BIRTHDAY),
              "-");
    when = at(2000, 1, 1, 8); // a daily task whose time passed: tomorrow, shown as "+"
    TimeDiff d = countdown(when, REPEAT_DAILY, at(2008, 5, 14, 9));
    EXPECT_EQ(fields(d), "1601-0-0 23:00:00");
    EXPECT_EQ(countdowntext(d, REPEAT_DAILY), "+");
    when = at(2008, 4, 22, 10);
    EXPECT_EQ(countdowntext(countdown(when, REPEAT_WEEKLY, at(2008, 5, 14, 10)), REPEAT_WEEKLY),
              "+06D");
    EXPECT_EQ(countdown(when, 6, at(2008, 5, 14)).wYear, 0);

    platform::headless::set_local_time(at(2008, 5, 14, 9, 30));
    when = at(2008, 5, 14, 10);
    EXPECT_EQ(fields(countdown(when, REPEAT_NORMAL)), "1601-0-0 00:30:00");
}

TEST_F(TodoDates, AdvanceTask) {
    platform::headless::set_local_time(at(2008, 5, 14, 10));
    SYSTEMTIME when = at(2008, 1, 31, 9);
    EXPECT_EQ(fields(advancetask(when, REPEAT_MONTHLY, 1)), "2008-2-29 09:00:00");
    when = at(2008, 11, 30, 9);
    EXPECT_EQ(fields(advancetask(when, REPEAT_MONTHLY, 3)), "2009-2-28 09:00:00");
    when = at(2008, 2, 29, 9);
    EXPECT_EQ(fields(advancetask(when, REPEAT_YEARLY, 1)), "2009-2-28 09:00:00");
    when = at(2008, 4, 23, 9); // three weeks before, a little earlier in the day
    EXPECT_EQ(fields(advancetask(when, REPEAT_WEEKLY, 1)), "2008-5-21 09:00:00");
    when = at(2008, 5, 14, 10); // exactly now: the step strictly after
    EXPECT_EQ(fields(advancetask(when, REPEAT_WEEKLY, 1)), "2008-5-21 10:00:00");
    when = at(2008, 5, 28, 10); // ahead already
    EXPECT_EQ(fields(advancetask(when, REPEAT_WEEKLY, 1)), "2008-5-28 10:00:00");
    when = at(2001, 3, 3, 7);
    EXPECT_EQ(fields(advancetask(when, REPEAT_DAILY, 1)), "2008-5-15 07:00:00");
    EXPECT_EQ(fields(when), "2008-5-14 07:00:00");
}

TEST(TodoDatesTest, ValidityClosenessNamesAndTexts) {
    EXPECT_EQ(validdate(2008, 2, 29), 0);
    EXPECT_NE(validdate(2009, 2, 29), 0);
    EXPECT_NE(validdate(2008, 4, 31), 0);
    EXPECT_NE(validdate(2008, 0, 10), 0);
    EXPECT_NE(validdate(1601, 1, 0), 0);
    EXPECT_NE(validdate(70000, 1, 1), 0);
    EXPECT_TRUE(validtime(23, 59, 59));
    EXPECT_FALSE(validtime(24, 0, 0));
    EXPECT_FALSE(validtime(9, 60, 0));
    EXPECT_FALSE(validtime(9, 0, -1));

    SYSTEMTIME now = at(2008, 5, 14, 9, 30);
    EXPECT_FLOAT_EQ(closeness(now, now), 100.0f);
    EXPECT_FLOAT_EQ(closeness(at(2009, 5, 14, 9, 30), now), 0.0f);
    EXPECT_GT(closeness(at(2008, 5, 13), now), 100.0f); // past: the panel limits it
    EXPECT_NEAR(closeness(at(2008, 5, 14, 21, 30), now), 99.863f, 0.001f);

    EXPECT_STREQ(weekdayname(0), "Sunday");
    EXPECT_STREQ(weekdayname(6), "Saturday");
    EXPECT_STREQ(weekdayname(7), "Sunday");
    EXPECT_STREQ(weekdayname(9), "");
    EXPECT_STREQ(weekdayname(-1), "");
    EXPECT_STREQ(repeatlabel(REPEAT_WEEKLY), "3:6 weekly");
    EXPECT_STREQ(repeatlabel(6), "");

    SYSTEMTIME t = at(2008, 5, 14, 9, 30, 7);
    t.wDayOfWeek = 3;
    EXPECT_EQ(clocktext(t, true, true), "2008/5/14 Wednesday 9:30:07");
    EXPECT_EQ(clocktext(t, false, true), "9:30:07");
    EXPECT_EQ(clocktext(t, true, false), "2008/5/14 Wednesday ");
    EXPECT_EQ(editorclocktext(t), "2008/05/14 Wednesday 9:30:07");
    EXPECT_EQ(datetext(t), "2008/05/14");
    EXPECT_EQ(timetext(t), "09:30:07");
    EXPECT_EQ(dateboxtext(t), "2008/5/14");
    EXPECT_EQ(timeboxtext(t), "9:30:07 hr");
}
