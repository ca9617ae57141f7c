#include "view/bankholidays.h"
#include "view/calendargrid.h"
#include "view/planview.h"

#include <gtest/gtest.h>

#include <climits>
#include <cstdio>
#include <map>
#include <memory>
#include <string>
#include <utility>

namespace {

// Weekday by Zeller's congruence, 0 = Monday.
int ZellerWeekday(int day, int month, int year)
{
    if (month < 3) {
        month += 12;
        --year;
    }
    const int k = year % 100;
    const int j = year / 100;
    const int h = (day + 13 * (month + 1) / 5 + k + k / 4 + j / 4 + 5 * j) % 7; // 0 = Saturday
    return (h + 5) % 7;
}

int MonthLength(int month, int year)
{
    if (month == 2)
        return (year % 4 == 0 && year % 100 != 0) || year % 400 == 0 ? 29 : 28;
    return month == 4 || month == 6 || month == 9 || month == 11 ? 30 : 31;
}

// Easter Sunday by Gauss's method, with its two exceptions; day of March (32 and on run into April).
int GaussEasterMarchDay(int year)
{
    const int a = year % 19, b = year % 4, c = year % 7;
    const int k = year / 100;
    const int p = (13 + 8 * k) / 25;
    const int q = k / 4;
    const int bigM = (15 - p + k - q) % 30;
    const int bigN = (4 + k - q) % 7;
    const int d = (19 * a + bigM) % 30;
    const int e = (2 * b + 4 * c + 6 * d + bigN) % 7;
    if (d == 29 && e == 6)
        return 31 + 19;
    if (d == 28 && e == 6 && (11 * bigM + 11) % 30 < 19)
        return 31 + 18;
    return 22 + d + e;
}

std::string Number(int day)
{
    char text[16];
    std::snprintf(text, sizeof text, "%2d", day);
    return text;
}

// The cell texts of one calendar year, keyed by (month, day), as the UK holiday rules give them.
std::map<std::pair<int, int>, std::string> ExpectedYear(int year)
{
    std::map<std::pair<int, int>, std::string> texts;
    for (int month = 1; month <= 12; ++month)
        for (int day = 1; day <= MonthLength(month, year); ++day)
            texts[{ month, day }] = Number(day);
    const auto set = [&](int month, int day, const std::string& text) { texts[{ month, day }] = text; };
    const auto append = [&](int month, int day) { texts[{ month, day }] += " Bk Hol "; };
    const auto weekend = [&](int month, int day) { return ZellerWeekday(day, month, year) >= 5; };

    int newYear = 1;
    while (weekend(1, newYear))
        ++newYear;
    set(1, newYear, Number(newYear) + " Bk Hol ");

    const int easter = GaussEasterMarchDay(year);
    const auto marchDay = [&](int marchDay, const std::string& label) {
        const int month = marchDay > 31 ? 4 : 3;
        const int day = marchDay > 31 ? marchDay - 31 : marchDay;
        set(month, day, Number(day) + label);
    };
    marchDay(easter - 2, " G.Frid ");
    marchDay(easter, " Easter");
    marchDay(easter + 1, " Bk Hol ");

    if (year == 1995 || year == 2020) {
        set(5, 8, " 8 Bk Hol ");
    } else {
        int monday = 1;
        while (ZellerWeekday(monday, 5, year) != 0)
            ++monday;
        set(5, monday, Number(monday) + " Bk Hol ");
    }

    const auto lastMonday = [&](int month) {
        int day = MonthLength(month, year);
        while (ZellerWeekday(day, month, year) != 0)
            --day;
        return day;
    };
    const std::map<int, std::pair<int, int>> movedSpring = { { 2002, { 3, 4 } }, { 2012, { 4, 5 } }, { 2022, { 2, 3 } } };
    const auto moved = movedSpring.find(year);
    if (moved != movedSpring.end()) {
        append(6, moved->second.first);
        append(6, moved->second.second);
    } else {
        append(5, lastMonday(5));
    }
    append(8, lastMonday(8));

    // Christmas and Boxing Day are the first two weekdays from 25 December on; Christmas Day
    // is labelled on the day itself, Boxing Day on 26 December when Christmas is a weekday.
    set(12, 25, "25 Christ ");
    int found = 0;
    for (int day = 25; found < 2; ++day) {
        if (weekend(12, day))
            continue;
        ++found;
        if (day == 25)
            continue;
        if (day == 26 && !weekend(12, 25))
            set(12, 26, "26 Bk Hol ");
        else
            append(12, day);
    }

    const std::map<int, std::pair<int, int>> extra = { { 1999, { 12, 31 } }, { 2011, { 4, 29 } }, { 2022, { 9, 19 } }, { 2023, { 5, 8 } } };
    const auto one = extra.find(year);
    if (one != extra.end())
        append(one->second.first, one->second.second);
    return texts;
}

class BankHolidayTest : public ::testing::Test
{
protected:
    std::unique_ptr<TextEditView> m_view = std::make_unique<TextEditView>();

    void Build(int year, int firstDayOfWeek)
    {
        m_view->ClearGrid();
        m_view->AddDayNumbers(year, firstDayOfWeek);
        m_view->AddBankHolidays(year, firstDayOfWeek);
    }
};

TEST(EasterSunday, GivesTheKnownDates)
{
    struct Case { int year, day, month; };
    const Case cases[] = { { 2011, 24, 4 }, { 2012, 8, 4 }, { 2008, 23, 3 }, { 2013, 31, 3 }, { 2018, 1, 4 }, { 2285, 22, 3 }, { 2038, 25, 4 } };
    for (const Case& c : cases) {
        int day = 0, month = 0;
        EasterSunday(c.year, &day, &month);
        EXPECT_EQ(c.day, day) << c.year;
        EXPECT_EQ(c.month, month) << c.year;
    }
}

TEST(EasterSunday, AgreesWithGausssMethodFrom1583To4099)
{
    for (int year = 1583; year <= 4099; ++year) {
        int day = 0, month = 0;
        EasterSunday(year, &day, &month);
        ASSERT_EQ(GaussEasterMarchDay(year), month == 3 ? day : 31 + day) << year;
        ASSERT_TRUE(month == 3 || month == 4) << year;
    }
}

TEST_F(BankHolidayTest, EveryCellOfPages1950To2100MatchesTheHolidayRules)
{
    for (int year = 1950; year <= 2100; ++year) {
        const std::map<std::pair<int, int>, std::string> years[2] = { ExpectedYear(year), ExpectedYear(year + 1) };
        for (int firstDay = 0; firstDay < 7; ++firstDay) {
            std::string expected[GRID_CELLS];
            for (int half = 0; half < 2; ++half) {
                for (const auto& entry : years[half]) {
                    const int month = entry.first.first, day = entry.first.second;
                    const int column = (ZellerWeekday(1, month, year + half) - firstDay + 7) % 7 + day - 1;
                    expected[(half * 12 + month - 1) * GRID_COLUMNS + column] = entry.second;
                }
            }
            Build(year, firstDay);
            for (int cell = 0; cell < GRID_CELLS; ++cell)
                ASSERT_EQ(expected[cell], m_view->m_cellText[cell].ToStdString())
                    << "page " << year << " from " << firstDay << ": row " << cell / GRID_COLUMNS
                    << " column " << cell % GRID_COLUMNS;
        }
    }
}

TEST_F(BankHolidayTest, MarksTheHolidaysAndOneOffChangesOfNamedYears)
{
    struct Case { int page, firstDay, year, month, day; const char* text; };
    const Case cases[] = {
        // 2011: New Year on a Saturday, the royal wedding, Christmas on a Sunday.
        { 2011, 0, 2011, 1, 1, " 1" }, { 2011, 0, 2011, 1, 3, " 3 Bk Hol " },
        { 2011, 0, 2011, 4, 22, "22 G.Frid " }, { 2011, 0, 2011, 4, 24, "24 Easter" },
        { 2011, 0, 2011, 4, 29, "29 Bk Hol " }, { 2011, 0, 2011, 5, 2, " 2 Bk Hol " },
        { 2011, 0, 2011, 12, 25, "25 Christ " }, { 2011, 0, 2011, 12, 27, "27 Bk Hol " },
        { 2010, 4, 2011, 4, 29, "29 Bk Hol " }, // in the following year's rows too
        // The spring holiday moved in the jubilee years; the last Monday of May stays plain.
        { 2002, 0, 2002, 5, 27, "27" }, { 2002, 0, 2002, 6, 4, " 4 Bk Hol " },
        { 2012, 5, 2012, 5, 28, "28" }, { 2012, 5, 2012, 6, 5, " 5 Bk Hol " },
        { 2021, 1, 2022, 5, 30, "30" }, { 2022, 1, 2022, 6, 2, " 2 Bk Hol " }, { 2022, 1, 2022, 6, 3, " 3 Bk Hol " },
        { 2022, 6, 2022, 9, 19, "19 Bk Hol " },
        // Early May moved to VE day, or VE day / the coronation added.
        { 1995, 0, 1995, 5, 1, " 1" }, { 1995, 0, 1995, 5, 8, " 8 Bk Hol " },
        { 2019, 3, 2020, 5, 4, " 4" }, { 2020, 3, 2020, 5, 8, " 8 Bk Hol " },
        { 2023, 0, 2023, 5, 1, " 1 Bk Hol " }, { 2023, 0, 2023, 5, 8, " 8 Bk Hol " },
        { 1999, 2, 1999, 12, 31, "31 Bk Hol " }, { 2000, 2, 2000, 12, 29, "29" },
        // Easter at the turn of March and April; Christmas on a Friday.
        { 2013, 0, 2013, 3, 29, "29 G.Frid " }, { 2013, 0, 2013, 4, 1, " 1 Bk Hol " },
        { 2018, 0, 2018, 3, 30, "30 G.Frid " },
        { 2015, 3, 2015, 12, 26, "26" }, { 2015, 3, 2015, 12, 28, "28 Bk Hol " },
    };
    for (const Case& c : cases) {
        Build(c.page, c.firstDay);
        const int cell = GridCellIndex(c.page, c.year, c.month, c.day, c.firstDay);
        ASSERT_GE(cell, 0);
        EXPECT_EQ(std::string(c.text), m_view->m_cellText[cell].ToStdString())
            << c.day << "/" << c.month << "/" << c.year << " on page " << c.page << " from " << c.firstDay;
    }
}

TEST_F(BankHolidayTest, PageYearsOutsideTheCalendarMarkOnlyTheYearsThatHaveRows)
{
    for (int year : { INT_MIN, -1, 10000, INT_MAX }) {
        for (int firstDay : { 0, -3, 100 }) {
            Build(year, firstDay);
            for (int cell = 0; cell < GRID_CELLS; ++cell)
                ASSERT_TRUE(m_view->m_cellText[cell].empty()) << year << " " << cell;
        }
    }
    Build(0, 0); // an empty year field: year 1 fills rows 12-23
    EXPECT_EQ(" 1 Bk Hol ", m_view->m_cellText[GridCellIndex(0, 1, 1, 1, 0)]);
    EXPECT_EQ("25 Christ ", m_view->m_cellText[GridCellIndex(0, 1, 12, 25, 0)]);
    Build(9999, 0);
    EXPECT_EQ("25 Christ ", m_view->m_cellText[GridCellIndex(9999, 9999, 12, 25, 0)]);
    for (int cell = 12 * GRID_COLUMNS; cell < GRID_CELLS; ++cell)
        ASSERT_TRUE(m_view->m_cellText[cell].empty()) << cell;
}

} // namespace
