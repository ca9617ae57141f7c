#include "view/calendargrid.h"
#include "view/planview.h"
#include "document/plandocument.h"

#include <wx/gdicmn.h>

#include <gtest/gtest.h>

#include <climits>
#include <cstdlib>
#include <ctime>
#include <memory>
#include <ostream>
#include <vector>

// Cell texts show as text in failure messages.
void PrintTo(const wxString& text, std::ostream* os)
{
    *os << '"' << text.utf8_string() << '"';
}

namespace {

struct Date { int day, month, year; };

wxDateTime At(const Date& date, int hour = 0, int minute = 0)
{
    return wxDateTime(static_cast<wxDateTime::wxDateTime_t>(date.day), static_cast<wxDateTime::Month>(date.month - 1),
                      date.year, static_cast<wxDateTime::wxDateTime_t>(hour), static_cast<wxDateTime::wxDateTime_t>(minute));
}

class EventPlacementTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        // British time, so that runs cross real changes of the clocks.
        setenv("TZ", "Europe/London", 1);
        tzset();
        // The application adds these at start-up, which the tests do not run.
        wxTheColourDatabase->AddColour("Maroon", wxColour(153, 0, 0));
        wxTheColourDatabase->AddColour("Navy", wxColour(0, 0, 153));
        wxTheColourDatabase->AddColour("Teal", wxColour(0, 153, 153));
    }

    /// Puts a new event into the plan, as the loader does, and answers it for further setting.
    PlanEvent* Add(const wxString& text, const wxDateTime& date, const wxDateTime& toDate = wxInvalidDateTime)
    {
        PlanEvent* event = new PlanEvent;
        event->m_text = text;
        event->m_date = date;
        event->m_toDate = toDate;
        event->m_hasToDate = toDate.IsValid();
        event->m_colour = "Navy";
        m_doc.m_events[m_doc.m_nextEventId++] = event;
        return event;
    }

    void Place(int year, int startMonth, int firstDay = 0, bool holidays = false)
    {
        m_view->ClearGrid();
        m_view->AddDayNumbers(year, firstDay);
        if (holidays)
            m_view->AddBankHolidays(year, firstDay);
        m_view->AddEvents(&m_doc, year, startMonth, firstDay);
        m_year = year;
        m_firstDay = firstDay;
    }

    void ClearEvents()
    {
        for (PlanEventMap::iterator it = m_doc.m_events.begin(); it != m_doc.m_events.end(); ++it)
            delete it->second;
        m_doc.m_events.clear();
    }

    int Cell(const Date& date) const
    {
        const int cell = GridCellIndex(m_year, date.year, date.month, date.day, m_firstDay);
        EXPECT_GE(cell, 0) << date.day << "/" << date.month << "/" << date.year;
        return cell < 0 ? 0 : cell;
    }
    wxString Text(const Date& date) const { return m_view->m_cellText[Cell(date)]; }
    const CellColourArray& Colours(const Date& date) const { return m_view->m_cellColours[Cell(date)]; }
    wxColour TextColour(const Date& date) const { return m_view->m_cellTextColour[Cell(date)]; }

    size_t TotalColours() const
    {
        size_t total = 0;
        for (const CellColourArray& colours : m_view->m_cellColours)
            total += colours.GetCount();
        return total;
    }

    /// True when exactly the given days carry one colour each and no other cell has any.
    void ExpectPlacedOn(const std::vector<Date>& days) const
    {
        EXPECT_EQ(days.size(), TotalColours());
        for (const Date& day : days)
            EXPECT_EQ(1u, Colours(day).GetCount()) << day.day << "/" << day.month << "/" << day.year;
    }

    PlanDocument m_doc;
    std::unique_ptr<TextEditView> m_view = std::make_unique<TextEditView>();
    int m_year = 0;
    int m_firstDay = 0;
};

TEST_F(EventPlacementTest, PlacesSingleEventsThatStartInsideThePlansTwelveMonths)
{
    struct Case { int year, startMonth; Date date; bool placed; };
    const Case cases[] = {
        { 2015, 1, { 1, 1, 2015 }, true },
        { 2015, 1, { 1, 1, 2016 }, false },
        { 2015, 1, { 31, 12, 2014 }, false },
        { 2015, 5, { 1, 5, 2015 }, true },
        { 2015, 5, { 30, 4, 2016 }, true },
        { 2015, 5, { 30, 4, 2015 }, false },
        { 2015, 5, { 1, 5, 2016 }, false },
    };
    for (const Case& c : cases) {
        ClearEvents();
        Add("Meeting", At(c.date, 15, 30));
        Place(c.year, c.startMonth);
        SCOPED_TRACE(testing::Message() << c.date.day << "/" << c.date.month << "/" << c.date.year);
        if (c.placed) {
            ExpectPlacedOn({ c.date });
            EXPECT_EQ(wxString::Format("%2dMeeting  ", c.date.day), Text(c.date));
        } else {
            EXPECT_EQ(0u, TotalColours());
        }
    }
}

TEST_F(EventPlacementTest, AnnualEventsLandInThePagesTwelveMonths)
{
    struct Case { int year, startMonth; Date stored, placed; };
    const Case cases[] = {
        { 2015, 1, { 15, 12, 2030 }, { 15, 12, 2015 } },
        { 2015, 1, { 1, 1, 1950 }, { 1, 1, 2015 } },
        { 2015, 5, { 10, 5, 1990 }, { 10, 5, 2015 } },
        { 2015, 5, { 30, 4, 1990 }, { 30, 4, 2016 } },
        // 29 February falls on 28 February in a common year, inside its own month.
        { 2015, 1, { 29, 2, 2012 }, { 28, 2, 2015 } },
        { 2015, 3, { 29, 2, 2012 }, { 29, 2, 2016 } },
        { 2016, 3, { 29, 2, 2012 }, { 28, 2, 2017 } },
        { 2016, 1, { 29, 2, 2012 }, { 29, 2, 2016 } },
    };
    for (const Case& c : cases) {
        ClearEvents();
        PlanEvent* owned = Add("Birthday", At(c.stored));
        owned->m_annual = true;
        Place(c.year, c.startMonth);
        SCOPED_TRACE(testing::Message() << c.placed.day << "/" << c.placed.month << "/" << c.placed.year);
        ExpectPlacedOn({ c.placed });
        EXPECT_EQ(wxString::Format("%2dBirthday ", c.placed.day), Text(c.placed));
    }
}

TEST_F(EventPlacementTest, MultiDayEventsFillEachDayOnceUpToTheirEndOrThePlansEnd)
{
    struct Case {
        const char* what;
        int year, startMonth;
        bool annual;
        wxDateTime from, to;
        std::vector<Date> days;
    };
    const Case cases[] = {
        { "cut at the plan's end", 2015, 1, false, At({ 30, 12, 2015 }), At({ 3, 1, 2016 }),
          { { 30, 12, 2015 }, { 31, 12, 2015 } } },
        { "annual, end before start once moved", 2015, 1, true, At({ 30, 12, 2000 }), At({ 2, 1, 2001 }),
          { { 30, 12, 2015 } } },
        { "annual, over the year end of a May plan", 2015, 5, true, At({ 30, 12, 2000 }), At({ 2, 1, 2001 }),
          { { 30, 12, 2015 }, { 31, 12, 2015 }, { 1, 1, 2016 }, { 2, 1, 2016 } } },
        { "end before start", 2015, 1, false, At({ 10, 6, 2015 }), At({ 5, 6, 2015 }), { { 10, 6, 2015 } } },
        { "clocks go forward", 2016, 1, false, At({ 25, 3, 2016 }), At({ 29, 3, 2016 }),
          { { 25, 3, 2016 }, { 26, 3, 2016 }, { 27, 3, 2016 }, { 28, 3, 2016 }, { 29, 3, 2016 } } },
        { "clocks go back", 2016, 1, false, At({ 28, 10, 2016 }), At({ 1, 11, 2016 }),
          { { 28, 10, 2016 }, { 29, 10, 2016 }, { 30, 10, 2016 }, { 31, 10, 2016 }, { 1, 11, 2016 } } },
        { "late start over the change", 2016, 1, false, At({ 26, 3, 2016 }, 23, 30), At({ 28, 3, 2016 }),
          { { 26, 3, 2016 }, { 27, 3, 2016 }, { 28, 3, 2016 } } },
        { "afternoon start, midnight end", 2016, 1, false, At({ 29, 10, 2016 }, 14), At({ 31, 10, 2016 }),
          { { 29, 10, 2016 }, { 30, 10, 2016 }, { 31, 10, 2016 } } },
        { "before 1970", 1960, 1, false, At({ 29, 6, 1960 }), At({ 2, 7, 1960 }),
          { { 29, 6, 1960 }, { 30, 6, 1960 }, { 1, 7, 1960 }, { 2, 7, 1960 } } },
        { "over the start of 1970", 1969, 5, false, At({ 30, 12, 1969 }), At({ 2, 1, 1970 }),
          { { 30, 12, 1969 }, { 31, 12, 1969 }, { 1, 1, 1970 }, { 2, 1, 1970 } } },
        { "annual from 29 February in a common year", 2015, 1, true, At({ 29, 2, 2012 }), At({ 2, 3, 2012 }),
          { { 28, 2, 2015 }, { 1, 3, 2015 }, { 2, 3, 2015 } } },
        { "annual to 29 February in a common year", 2015, 1, true, At({ 26, 2, 2012 }), At({ 29, 2, 2012 }),
          { { 26, 2, 2015 }, { 27, 2, 2015 }, { 28, 2, 2015 } } },
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        ClearEvents();
        PlanEvent* owned = Add("Away", c.from, c.to);
        owned->m_annual = c.annual;
        Place(c.year, c.startMonth);
        ExpectPlacedOn(c.days);
        for (const Date& day : c.days)
            EXPECT_EQ(wxString::Format("%2dAway     ", day.day), Text(day));
    }
}

TEST_F(EventPlacementTest, AnEventOverManyYearsFillsTheRestOfThePageOnly)
{
    Add("", At({ 1, 3, 2011 }), At({ 1, 1, 2015 }));
    Place(2011, 1);
    EXPECT_EQ(306u, TotalColours()); // 1 March to 31 December 2011
    for (int cell = 12 * GRID_COLUMNS; cell < GRID_CELLS; ++cell)
        ASSERT_TRUE(m_view->m_cellColours[cell].IsEmpty()) << cell;
}

TEST_F(EventPlacementTest, DescriptionsFollowTheEmptyAndFirstDayOnlyRules)
{
    Add("", At({ 3, 6, 2015 }), At({ 5, 6, 2015 }));
    PlanEvent* firstOnly = Add("Course", At({ 10, 6, 2015 }), At({ 12, 6, 2015 }));
    firstOnly->m_firstDayOnly = true;
    // First-day-only counts only together with an end date.
    PlanEvent* single = Add("Dentist", At({ 20, 6, 2015 }));
    single->m_firstDayOnly = true;
    Place(2015, 1);

    const struct { Date day; const char* text; } cases[] = {
        { { 3, 6, 2015 }, " 3" }, { { 4, 6, 2015 }, " 4" }, { { 5, 6, 2015 }, " 5" },
        { { 10, 6, 2015 }, "10Course   " }, { { 11, 6, 2015 }, "11" }, { { 12, 6, 2015 }, "12" },
        { { 20, 6, 2015 }, "20Dentist  " },
    };
    for (const auto& c : cases) {
        EXPECT_EQ(c.text, Text(c.day)) << c.day.day;
        EXPECT_EQ(1u, Colours(c.day).GetCount()) << c.day.day;
    }
    EXPECT_EQ(7u, TotalColours());
}

TEST_F(EventPlacementTest, WritesTheDayAndTheDescriptionPaddedToNineCharactersUncut)
{
    const struct { Date day; const char* description; const char* text; } cases[] = {
        { { 5, 1, 2015 }, "Gym", " 5Gym      " },
        { { 6, 1, 2015 }, "Twelve chars", " 6Twelve chars" },
        { { 18, 1, 2015 }, "50% off", "1850% off  " },
        { { 19, 1, 2015 }, "Café ünï", "19Café ünï " },
    };
    for (const auto& c : cases)
        Add(wxString::FromUTF8(c.description), At(c.day));
    Place(2015, 1);
    for (const auto& c : cases)
        EXPECT_EQ(wxString::FromUTF8(c.text), Text(c.day));
}

TEST_F(EventPlacementTest, WhereEventsMeetTheLastTextTheFirstTextColourAndEveryBackgroundShow)
{
    PlanEvent* trip = Add("Trip", At({ 8, 7, 2015 }), At({ 10, 7, 2015 }));
    trip->m_textColour = "Maroon";
    trip->m_colour = "Teal";
    PlanEvent* party = Add("Party", At({ 9, 7, 2015 }));
    party->m_textColour = "Navy";
    party->m_colour = "";
    // A first event whose text colour does not resolve keeps the cell black.
    PlanEvent* unnamed = Add("Call", At({ 20, 7, 2015 }));
    unnamed->m_textColour = "#123456";
    PlanEvent* later = Add("Visit", At({ 20, 7, 2015 }));
    later->m_textColour = "Maroon";
    Place(2015, 1);

    EXPECT_EQ(" 9Party    ", Text({ 9, 7, 2015 }));
    EXPECT_EQ(wxColour(153, 0, 0), TextColour({ 9, 7, 2015 }));
    const CellColourArray& met = Colours({ 9, 7, 2015 });
    ASSERT_EQ(2u, met.GetCount());
    EXPECT_EQ(wxColour(0, 153, 153), met[0]);
    EXPECT_EQ(wxColour(255, 255, 255), met[1]);
    EXPECT_EQ(wxColour(153, 0, 0), TextColour({ 10, 7, 2015 }));

    EXPECT_EQ("20Visit    ", Text({ 20, 7, 2015 }));
    EXPECT_EQ(wxColour(0, 0, 0), TextColour({ 20, 7, 2015 }));
    ASSERT_EQ(2u, Colours({ 20, 7, 2015 }).GetCount());
    EXPECT_EQ(wxColour(0, 0, 153), Colours({ 20, 7, 2015 })[1]);
}

TEST_F(EventPlacementTest, EventTextsReplaceHolidayTexts)
{
    Add("Picnic", At({ 25, 8, 2014 }));
    Add("", At({ 25, 12, 2014 }));
    Place(2014, 1, 2, true);
    EXPECT_EQ("25Picnic   ", Text({ 25, 8, 2014 }));
    EXPECT_EQ("25 Christ ", Text({ 25, 12, 2014 }));
    EXPECT_EQ("26 Bk Hol ", Text({ 26, 12, 2014 }));
}

TEST_F(EventPlacementTest, DamagedPlanValuesNeverWriteOutsideTheGrid)
{
    Add("Start", At({ 1, 1, 2015 }), At({ 3, 1, 2015 }));
    PlanEvent* annual = Add("Yearly", At({ 31, 12, 1999 }), At({ 5, 1, 2000 }));
    annual->m_annual = true;
    Add("No date", wxInvalidDateTime);
    PlanEvent* brokenEnd = Add("Broken end", At({ 10, 1, 2015 }));
    brokenEnd->m_hasToDate = true; // but no valid end date
    m_doc.m_events[m_doc.m_nextEventId++] = nullptr;

    // A start month outside 1-12 reads as January.
    for (int startMonth : { 0, 13, -7, INT_MAX }) {
        Place(2015, startMonth);
        EXPECT_EQ(5u, TotalColours()) << startMonth;
        EXPECT_EQ("10Broken end", Text({ 10, 1, 2015 }));
        EXPECT_EQ("31Yearly   ", Text({ 31, 12, 2015 }));
    }
    m_doc.m_events.erase(m_doc.m_nextEventId - 1);

    // A first day of the week outside 0-6 reads as its remainder.
    Place(2015, 1, 9);
    EXPECT_EQ(" 1Start    ", m_view->m_cellText[GridCellIndex(2015, 2015, 1, 1, 2)]);

    // Page years at and beyond the grid's calendar.
    for (int year : { INT_MIN, -1, 0, 9999, 10000, INT_MAX }) {
        Place(year, 1);
        const size_t expected = year == 9999 ? 1u : 0u; // the annual event's 31 December 9999
        EXPECT_EQ(expected, TotalColours()) << year;
    }

    m_view->AddEvents(nullptr, 2015, 1, 0);
}

} // namespace
