// The calendar grid: date arithmetic, UK bank holidays and event placement, each checked
// against an independent statement of the calendar, the holiday rules or the placement rules.
#include "document/plandocument.h"
#include "view/bankholidays.h"
#include "view/calendargrid.h"
#include "view/planview.h"

#include <gtest/gtest.h>

#include <array>
#include <climits>
#include <cstdlib>
#include <ctime>
#include <map>
#include <memory>
#include <vector>

namespace {

// Weekday by Sakamoto's method, 0 = Monday.
int SakamotoWeekday(int day, int month, int year)
{
    static const int offsets[] = { 0, 3, 2, 5, 0, 3, 5, 1, 4, 6, 2, 4 };
    year -= month < 3;
    return (year + year / 4 - year / 100 + year / 400 + offsets[month - 1] + day + 6) % 7;
}

int MonthLength(int month, int year)
{
    return wxDateTime::GetNumberOfDays(wxDateTime::Month(month - 1), year);
}

// Easter Sunday by Gauss's method with its two exceptions, as a day of March (32 on is April).
int GaussEasterMarchDay(int year)
{
    const int a = year % 19, b = year % 4, c = year % 7, k = year / 100;
    const int bigM = (15 - (13 + 8 * k) / 25 + k - k / 4) % 30, bigN = (4 + k - k / 4) % 7;
    const int d = (19 * a + bigM) % 30, e = (2 * b + 4 * c + 6 * d + bigN) % 7;
    if (d == 29 && e == 6)
        return 50;
    if (d == 28 && e == 6 && (11 * bigM + 11) % 30 < 19)
        return 49;
    return 22 + d + e;
}

using YearTexts = std::map<std::pair<int, int>, wxString>;

// The cell texts of one calendar year by (month, day) under the UK holiday rules, with the
// one-off changes; none for a year outside 1-9999.
YearTexts ExpectedYear(long long wideYear)
{
    YearTexts texts;
    if (wideYear < 1 || wideYear > 9999)
        return texts;
    const int year = static_cast<int>(wideYear);
    for (int month = 1; month <= 12; ++month)
        for (int day = 1; day <= MonthLength(month, year); ++day)
            texts[{ month, day }] = wxString::Format("%2d", day);
    // No two holidays share a day, so a holiday's label always follows a plain day number.
    const auto mark = [&](int month, int day, const char* label) { texts[{ month, day }] += label; };
    const auto firstMonday = [&](int month) { return 1 + (7 - SakamotoWeekday(1, month, year)) % 7; };

    mark(1, SakamotoWeekday(1, 1, year) < 5 ? 1 : 8 - SakamotoWeekday(1, 1, year), " Bk Hol ");
    const int easter = GaussEasterMarchDay(year);
    const auto markMarchDay = [&](int day, const char* label) { mark(day > 31 ? 4 : 3, day > 31 ? day - 31 : day, label); };
    markMarchDay(easter - 2, " G.Frid ");
    markMarchDay(easter, " Easter");
    markMarchDay(easter + 1, " Bk Hol ");
    mark(5, year == 1995 || year == 2020 ? 8 : firstMonday(5), " Bk Hol ");
    // The last Monday of a 31-day month is a week before the next month's first Monday; the
    // spring holiday moved into June in the jubilee years.
    if (year != 2002 && year != 2012 && year != 2022)
        mark(5, firstMonday(6) + 24, " Bk Hol ");
    mark(8, firstMonday(9) + 24, " Bk Hol ");
    // Christmas and Boxing Day take the first two weekdays from 25 December on.
    mark(12, 25, " Christ ");
    int holidays = SakamotoWeekday(25, 12, year) < 5 ? 1 : 0;
    for (int day = 26; holidays < 2; ++day) {
        if (SakamotoWeekday(day, 12, year) < 5) {
            mark(12, day, " Bk Hol ");
            ++holidays;
        }
    }
    // The one-off extra and moved-to days.
    for (const auto& date : { std::array<int, 3>{ 1977, 6, 7 }, { 1981, 7, 29 }, { 1999, 12, 31 }, { 2002, 6, 3 }, { 2002, 6, 4 },
                              { 2011, 4, 29 }, { 2012, 6, 4 }, { 2012, 6, 5 }, { 2022, 6, 2 }, { 2022, 6, 3 }, { 2022, 9, 19 }, { 2023, 5, 8 } })
        if (date[0] == year)
            mark(date[1], date[2], " Bk Hol ");
    return texts;
}

wxDateTime At(int day, int month, int year, int hour = 0)
{
    return wxDateTime(wxDateTime::wxDateTime_t(day), wxDateTime::Month(month - 1), year, wxDateTime::wxDateTime_t(hour));
}

class GridTest : public ::testing::Test
{
protected:
    PlanEvent* Add(const wxString& text, const wxDateTime& from, const wxDateTime& to = wxDefaultDateTime)
    {
        PlanEvent* event = new PlanEvent;
        event->m_text = text;
        event->m_date = from;
        event->m_toDate = to;
        event->m_hasToDate = to.IsValid();
        m_doc->m_events[m_doc->m_nextEventId++] = event;
        return event;
    }

    void Place(int year, int startMonth, int firstDay = 0)
    {
        m_view->ClearGrid();
        m_view->AddDayNumbers(year, firstDay);
        m_view->AddBankHolidays(year, firstDay);
        m_view->AddEvents(m_doc.get(), year, startMonth, firstDay);
    }

    std::unique_ptr<PlanDocument> m_doc = std::make_unique<PlanDocument>();
    std::unique_ptr<TextEditView> m_view = std::make_unique<TextEditView>();
};

TEST(DayOfWeek, MatchesSakamotosMethodForEveryDayOfYearsOneTo2400AndRefusesDaysThatDoNotExist)
{
    for (int year = 1; year <= 2400; ++year)
        for (int month = 1; month <= 12; ++month) {
            for (int day = 1; day <= MonthLength(month, year); ++day)
                ASSERT_EQ(SakamotoWeekday(day, month, year), DayOfWeek(day, month, year)) << day << "/" << month << "/" << year;
            ASSERT_EQ(-1, DayOfWeek(MonthLength(month, year) + 1, month, year)) << month << "/" << year;
        }
}

TEST(EasterSunday, AgreesWithGausssMethodFrom1583To4099)
{
    for (int year = 1583; year <= 4099; ++year) {
        int day = 0, month = 0;
        EasterSunday(year, &day, &month);
        ASSERT_EQ(GaussEasterMarchDay(year), month == 3 ? day : 31 + day) << year;
    }
}

// Pages 1950-2100 and at the calendar's edges, under every first day of the week and ones
// outside 0-6 (read as their remainder): every cell's text of both years.
TEST_F(GridTest, DayNumbersAndBankHolidaysOfEveryCellFollowTheRules)
{
    std::vector<int> years = { INT_MIN, -1, 0, 1, 9998, 9999, 10000, INT_MAX };
    for (int year = 1950; year <= 2100; ++year)
        years.push_back(year);
    for (int year : years) {
        const YearTexts halves[2] = { ExpectedYear(year), ExpectedYear(static_cast<long long>(year) + 1) };
        for (int firstDay : { 0, 1, 2, 3, 4, 5, 6, 7, -1, INT_MAX, INT_MIN }) {
            wxString expected[GRID_CELLS];
            for (int half = 0; half < 2; ++half)
                for (const auto& entry : halves[half]) {
                    const int month = entry.first.first;
                    const int column = ((SakamotoWeekday(1, month, year + half) - firstDay % 7) % 7 + 7) % 7;
                    expected[(half * 12 + month - 1) * GRID_COLUMNS + column + entry.first.second - 1] = entry.second;
                }
            Place(year, 1, firstDay);
            for (int cell = 0; cell < GRID_CELLS; ++cell)
                ASSERT_EQ(expected[cell].ToStdString(), m_view->m_cellText[cell].ToStdString())
                    << "page " << year << " from " << firstDay << ": row " << cell / GRID_COLUMNS << " column " << cell % GRID_COLUMNS;
        }
    }
}

TEST_F(GridTest, AnEventColoursEachOfItsDaysOnceInsideThePlansTwelveMonths)
{
    // British time, so that runs cross real changes of the clocks.
    setenv("TZ", "Europe/London", 1);
    tzset();
    struct Case { const char* what; int year, startMonth; bool annual; wxDateTime from, to, first; int days; };
    const Case cases[] = {
        { "last day of a May plan", 2015, 5, false, At(30, 4, 2016, 15), wxDefaultDateTime, At(30, 4, 2016), 1 },
        { "before a May plan", 2015, 5, false, At(30, 4, 2015), wxDefaultDateTime, wxDefaultDateTime, 0 },
        { "after a May plan", 2015, 5, false, At(1, 5, 2016), wxDefaultDateTime, wxDefaultDateTime, 0 },
        { "annual 29 February, leap year", 2015, 3, true, At(29, 2, 2012), wxDefaultDateTime, At(29, 2, 2016), 1 },
        { "annual from 29 February, common year", 2015, 1, true, At(29, 2, 2012), At(2, 3, 2012), At(28, 2, 2015), 3 },
        { "annual to 29 February, common year", 2015, 1, true, At(26, 2, 2012), At(29, 2, 2012), At(26, 2, 2015), 3 },
        { "annual, end before start once moved", 2015, 1, true, At(30, 12, 2000), At(2, 1, 2001), At(30, 12, 2015), 1 },
        { "annual, over the year end", 2015, 5, true, At(30, 12, 2000), At(2, 1, 2001), At(30, 12, 2015), 4 },
        { "many years, cut at the page's end", 2011, 1, false, At(1, 3, 2011), At(1, 1, 2015), At(1, 3, 2011), 306 },
        { "clocks go forward", 2016, 1, false, At(25, 3, 2016), At(29, 3, 2016), At(25, 3, 2016), 5 },
        { "late start over the change", 2016, 1, false, At(26, 3, 2016, 23), At(28, 3, 2016), At(26, 3, 2016), 3 },
        { "clocks go back", 2016, 1, false, At(28, 10, 2016, 14), At(1, 11, 2016), At(28, 10, 2016), 5 },
        { "over the start of 1970", 1969, 5, false, At(30, 12, 1969), At(2, 1, 1970), At(30, 12, 1969), 4 },
        { "start month 13 reads as January", 2015, 13, true, At(31, 12, 1999), At(5, 1, 2000), At(31, 12, 2015), 1 },
        { "page year 9999", 9999, 1, true, At(30, 12, 1999), At(31, 12, 1999), At(30, 12, 9999), 2 },
        { "page year INT_MAX", INT_MAX, INT_MAX, true, At(30, 12, 1999), wxDefaultDateTime, wxDefaultDateTime, 0 },
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        m_doc = std::make_unique<PlanDocument>();
        Add("Away", c.from, c.to)->m_annual = c.annual;
        Place(c.year, c.startMonth);
        std::vector<int> expected;
        for (wxDateTime day = c.first; expected.size() < size_t(c.days); day += wxDateSpan::Day())
            expected.push_back(GridCellIndex(c.year, day.GetYear(), day.GetMonth() + 1, day.GetDay(), 0));
        std::vector<int> coloured; // every cell with a background, once per background
        for (int cell = 0; cell < GRID_CELLS; ++cell)
            coloured.insert(coloured.end(), m_view->m_cellColours[cell].GetCount(), cell);
        EXPECT_EQ(expected, coloured);
    }
}

TEST_F(GridTest, CellsShowTheLastTextTheFirstTextColourAndEveryBackground)
{
    Add("Course", At(10, 6, 2015), At(12, 6, 2015))->m_firstDayOnly = true;
    Add("Dentist", At(20, 6, 2015))->m_firstDayOnly = true; // counts only with an end date
    Add(wxString::FromUTF8("Café 50%"), At(19, 1, 2015));
    Add("Picnic", At(31, 8, 2015));
    Add("", At(24, 12, 2015), At(26, 12, 2015));
    PlanEvent* trip = Add("Trip", At(8, 7, 2015), At(10, 7, 2015));
    trip->m_textColour = "RED";
    trip->m_colour = "CYAN";
    Add("Party", At(9, 7, 2015))->m_textColour = "BLUE";
    // Damaged events are left out, but for the start of one without a valid end date.
    Add("No date", wxDefaultDateTime);
    Add("Broken end", At(21, 7, 2015))->m_hasToDate = true;
    m_doc->m_events[m_doc->m_nextEventId++] = nullptr;
    Place(2015, 1);
    m_view->AddEvents(nullptr, 2015, 1, 0);

    const struct { int day, month; const char* text; } cases[] = {
        { 10, 6, "10Course   " }, { 11, 6, "11" }, { 20, 6, "20Dentist  " }, { 19, 1, "19Café 50% " }, { 31, 8, "31Picnic   " },
        { 24, 12, "24" }, { 25, 12, "25 Christ " }, { 9, 7, " 9Party    " }, { 10, 7, "10Trip     " }, { 21, 7, "21Broken end" },
    };
    for (const auto& c : cases)
        EXPECT_EQ(wxString::FromUTF8(c.text), m_view->m_cellText[GridCellIndex(2015, 2015, c.month, c.day, 0)]) << c.text;
    const int met = GridCellIndex(2015, 2015, 7, 9, 0);
    EXPECT_EQ(wxColour(255, 0, 0), m_view->m_cellTextColour[met]);
    ASSERT_EQ(2u, m_view->m_cellColours[met].GetCount());
    EXPECT_EQ(wxColour(0, 255, 255), m_view->m_cellColours[met][0]);
    EXPECT_EQ(wxColour(255, 255, 255), m_view->m_cellColours[met][1]); // no colour name: white
}

} // namespace
