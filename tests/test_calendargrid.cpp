#include "view/calendargrid.h"
#include "view/planview.h"

#include <wx/datetime.h>
#include <wx/gdicmn.h>

#include <gtest/gtest.h>

#include <climits>
#include <memory>

namespace {

TEST(DayOfWeek, AnswersTheKnownDatesAndRefusesDaysThatDoNotExist)
{
    struct Case { int day, month, year, expected; };
    const Case cases[] = {
        { 1, 1, 2001, 0 },   // a Monday
        { 29, 2, 2000, 1 },  // leap year by the 400 rule
        { 29, 2, 1900, -1 }, // not a leap year by the 100 rule
        { 29, 2, 2015, -1 },
        { 31, 4, 2015, -1 },
        { 1, 0, 2015, -1 },
        { 1, 13, 2015, -1 },
        { 1, 1, 0, -1 },
        { 0, 1, 2015, -1 },
        { 1, 1, 1, 0 },      // the proleptic calendar starts on a Monday
    };
    for (const Case& c : cases)
        EXPECT_EQ(c.expected, DayOfWeek(c.day, c.month, c.year)) << c.day << "/" << c.month << "/" << c.year;
}

TEST(DayOfWeek, MatchesACountedCalendarForEveryDayOfYearsOneTo2400)
{
    // Count the days one by one from Monday 1 January of year 1; the month lengths come
    // from the toolkit's calendar.
    int weekday = 0;
    for (int year = 1; year <= 2400; ++year) {
        for (int month = 1; month <= 12; ++month) {
            const int length = wxDateTime::GetNumberOfDays(static_cast<wxDateTime::Month>(month - 1), year);
            ASSERT_EQ(length, DaysInMonth(month, year)) << month << "/" << year;
            for (int day = 1; day <= 31; ++day) {
                if (day > length) {
                    ASSERT_EQ(-1, DayOfWeek(day, month, year)) << day << "/" << month << "/" << year;
                    continue;
                }
                ASSERT_EQ(weekday, DayOfWeek(day, month, year)) << day << "/" << month << "/" << year;
                weekday = (weekday + 1) % 7;
            }
        }
    }
}

TEST(DayOfWeek, StaysInRangeForTheLargestYears)
{
    for (int year : { 9999, 10000, INT_MAX - 1, INT_MAX }) {
        const int w = DayOfWeek(31, 12, year);
        EXPECT_GE(w, 0) << year;
        EXPECT_LE(w, 6) << year;
    }
}

TEST(GridCellIndex, PlacesDaysByTheRowAndColumnRule)
{
    struct Case { int baseYear, year, month, day, firstDayOfWeek, expected; };
    const Case cases[] = {
        // March 2015 begins on a Sunday: with Monday first, day 1 is column 6, day 31 column 36.
        { 2015, 2015, 3, 1, 0, 2 * 38 + 6 },
        { 2015, 2015, 3, 31, 0, 2 * 38 + 36 },
        // First day of the week equal to the weekday of the first: day 1 in column 0.
        { 2015, 2015, 3, 1, 6, 2 * 38 + 0 },
        // The following year fills rows 12-23.
        { 2015, 2016, 1, 1, 0, 12 * 38 + 4 }, // Friday
        { 2015, 2016, 12, 31, 0, 23 * 38 + 3 + 30 },
        // Dates without a cell.
        { 2015, 2014, 12, 31, 0, -1 },
        { 2015, 2017, 1, 1, 0, -1 },
        { 2015, 2015, 2, 29, 0, -1 },
        { 9999, 10000, 1, 1, 0, -1 },
        { INT_MIN, 1, 1, 1, 0, -1 },
        { INT_MAX, 9999, 1, 1, 0, -1 },
    };
    for (const Case& c : cases)
        EXPECT_EQ(c.expected, GridCellIndex(c.baseYear, c.year, c.month, c.day, c.firstDayOfWeek))
            << c.day << "/" << c.month << "/" << c.year << " on page " << c.baseYear << " from " << c.firstDayOfWeek;
}

TEST(GridCellIndex, ReadsAFirstDayOfTheWeekOutsideTheWeekAsItsRemainder)
{
    for (int outside : { 7, 9, 13, -1, -7, -8, 1000, INT_MAX, INT_MIN }) {
        const int weekday = ((outside % 7) + 7) % 7;
        for (int day = 1; day <= 31; ++day) {
            const int cell = GridCellIndex(2015, 2015, 5, day, outside);
            EXPECT_EQ(GridCellIndex(2015, 2015, 5, day, weekday), cell) << outside;
            EXPECT_GE(cell, 4 * 38);
            EXPECT_LT(cell, 4 * 38 + 37);
        }
    }
}

TEST(ClearGrid, ResetsEveryCell)
{
    std::unique_ptr<TextEditView> view = std::make_unique<TextEditView>();
    for (int cell = 0; cell < GRID_CELLS; cell += 7) {
        view->m_cellText[cell] = "31Party";
        view->m_cellColours[cell].Add(wxColour(1, 2, 3));
        view->m_cellColours[cell].Add(wxColour(4, 5, 6));
        view->m_cellTextColour[cell] = wxColour(200, 0, 0);
    }
    view->ClearGrid();
    for (int cell = 0; cell < GRID_CELLS; ++cell) {
        ASSERT_TRUE(view->m_cellText[cell].empty()) << cell;
        ASSERT_TRUE(view->m_cellColours[cell].IsEmpty()) << cell;
        ASSERT_TRUE(view->m_cellTextColour[cell].IsOk()) << cell;
        ASSERT_EQ(wxColour(0, 0, 0), view->m_cellTextColour[cell]) << cell;
    }
}

TEST(ColourFromName, ResolvesDatabaseNamesAndGivesWhiteOtherwise)
{
    wxTheColourDatabase->AddColour("Navy", wxColour(0, 0, 153));
    struct Case { const char* name; wxColour expected; };
    const Case cases[] = {
        { "Navy", wxColour(0, 0, 153) },
        { "NAVY", wxColour(0, 0, 153) },
        { "RED", wxColour(255, 0, 0) },
        { "", wxColour(255, 255, 255) },
        { "No such colour", wxColour(255, 255, 255) },
        { "#990000", wxColour(255, 255, 255) }, // the database does not read hexadecimal names
    };
    for (const Case& c : cases)
        EXPECT_EQ(c.expected, ColourFromName(c.name)) << c.name;
}

} // namespace
