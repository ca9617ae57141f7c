#include "view/planview.h"
#include "document/plandocument.h"
#include "view/calendargrid.h"

#include <wx/gdicmn.h>
#include <wx/hashmap.h>

namespace {

// A calendar date. Events are placed by their local calendar dates rather than by
// date-time arithmetic, so a change of the clocks, a time of day other than
// midnight or a date before 1970 cannot drop or repeat a day.
struct CalendarDate
{
    int year;
    int month; // 1-12
    int day;

    long long Key() const { return (static_cast<long long>(year) * 13 + month) * 32 + day; }
    bool operator<(const CalendarDate& other) const { return Key() < other.Key(); }
    bool operator<=(const CalendarDate& other) const { return Key() <= other.Key(); }

    CalendarDate Next() const
    {
        if (day < DaysInMonth(month, year))
            return { year, month, day + 1 };
        if (month < 12)
            return { year, month + 1, 1 };
        return { year + 1, 1, 1 };
    }
};

// The local calendar date of a date-time; false when it holds no date the grid can show.
bool LocalDate(const wxDateTime& when, CalendarDate* date)
{
    if (!when.IsValid())
        return false;
    const wxDateTime::Tm tm = when.GetTm();
    date->year = tm.year;
    date->month = tm.mon + 1;
    date->day = tm.mday;
    return DayOfWeek(date->day, date->month, date->year) >= 0;
}

// An annual date moved into the page's twelve months: year Y from the start month on,
// Y + 1 before it. 29 February falls on 28 February in a common year, so that the
// event stays in its own month.
CalendarDate IntoPlanYear(CalendarDate date, int year, int startMonth)
{
    date.year = date.month < startMonth ? year + 1 : year;
    if (date.day > DaysInMonth(date.month, date.year))
        date.day = DaysInMonth(date.month, date.year);
    return date;
}

// "%2d%-9s": the day number right-aligned in two characters, then the description
// padded with blanks to nine characters at least, never cut.
wxString EventText(int day, const wxString& description)
{
    wxString text;
    text.reserve(description.length() + 11);
    text += day < 10 ? wxUniChar(' ') : wxUniChar('0' + day / 10);
    text += wxUniChar('0' + day % 10);
    text += description;
    if (description.length() < 9)
        text.append(9 - description.length(), ' ');
    return text;
}

WX_DECLARE_STRING_HASH_MAP(wxColour, ColourByName);

// Remembers what a colour lookup gave for each name during one pass: the database
// lookup rewrites every name it is asked for, and a plan uses few names many times.
class ColourCache
{
public:
    explicit ColourCache(wxColour (*lookUp)(const wxString&)) : m_lookUp(lookUp) {}

    wxColour Get(const wxString& name)
    {
        ColourByName::iterator found = m_colours.find(name);
        if (found != m_colours.end())
            return found->second;
        const wxColour colour = m_lookUp(name);
        m_colours[name] = colour;
        return colour;
    }

private:
    wxColour (*m_lookUp)(const wxString&);
    ColourByName m_colours;
};

wxColour FindInDatabase(const wxString& name)
{
    return wxTheColourDatabase->Find(name);
}

} // namespace

void myViewBase::AddEvents(PlanDocument* doc, int year, int startMonth, int firstDayOfWeek)
{
    if (!doc)
        return;
    // The page must lie inside the years the grid holds; Y + 1 must not overflow either.
    if (year < GRID_FIRST_YEAR - 1 || year > GRID_LAST_YEAR)
        return;
    if (startMonth < 1 || startMonth > 12)
        startMonth = 1;
    const CalendarDate planStart = { year, startMonth, 1 };
    const CalendarDate planEnd = { year + 1, startMonth, 1 };
    ColourCache textColours(FindInDatabase);
    ColourCache backgrounds(ColourFromName);

    for (PlanEventMap::const_iterator it = doc->m_events.begin(); it != doc->m_events.end(); ++it) {
        const PlanEvent* event = it->second;
        CalendarDate first;
        if (!event || !LocalDate(event->m_date, &first))
            continue;
        if (event->m_annual)
            first = IntoPlanYear(first, year, startMonth);
        else if (first < planStart || !(first < planEnd))
            continue;

        const wxString& description = event->m_text;
        const wxColour textColour = textColours.Get(event->GetTextColour());
        const wxColour background = backgrounds.Get(event->GetColour());
        const bool textOnFollowingDays = !description.empty() && !event->IsFirstDayOnly();

        const auto place = [&](const CalendarDate& date, bool writeText) {
            const int cell = GridCellIndex(year, date.year, date.month, date.day, firstDayOfWeek);
            if (cell < 0)
                return;
            if (writeText)
                m_cellText[cell] = EventText(date.day, description);
            if (textColour.IsOk() && m_cellColours[cell].IsEmpty())
                m_cellTextColour[cell] = textColour;
            m_cellColours[cell].Add(background);
        };

        place(first, !description.empty());

        CalendarDate last;
        if (!event->m_hasToDate || !LocalDate(event->m_toDate, &last))
            continue;
        if (event->m_annual)
            last = IntoPlanYear(last, year, startMonth);
        for (CalendarDate day = first.Next(); day <= last && day < planEnd; day = day.Next())
            place(day, textOnFollowingDays);
    }
}
