#include "view/calendargrid.h"
#include "view/planview.h"

#include <wx/gdicmn.h>

#include <wx/arrimpl.cpp>
WX_DEFINE_OBJARRAY(CellColourArray);

namespace {

bool IsLeapYear(long long year)
{
    return year % 400 == 0 || (year % 4 == 0 && year % 100 != 0);
}

// Days of the year before the first of each month, in a common year.
const int kDaysBefore[12] = { 0, 31, 59, 90, 120, 151, 181, 212, 243, 273, 304, 334 };

// The day numbers as the grid shows them ("%2d"), made once.
const wxString& DayNumberText(int day)
{
    static const wxArrayString texts = [] {
        wxArrayString made;
        for (int d = 0; d <= 31; ++d)
            made.Add(wxString::Format("%2d", d));
        return made;
    }();
    return texts[day];
}

} // namespace

int DaysInMonth(int month, int year)
{
    static const int lengths[12] = { 31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31 };
    if (month < 1 || month > 12)
        return 0;
    if (month == 2 && IsLeapYear(year))
        return 29;
    return lengths[month - 1];
}

int DayOfWeek(int day, int month, int year)
{
    if (year < 1 || month < 1 || month > 12 || day < 1 || day > DaysInMonth(month, year))
        return -1;
    // Wide arithmetic: the sum overflows an int for years near its limit.
    const long long y = year;
    long long daysBefore = kDaysBefore[month - 1];
    if (month > 2 && IsLeapYear(y))
        ++daysBefore;
    return static_cast<int>((y + (y - 1) / 4 - (y - 1) / 100 + (y - 1) / 400 + daysBefore + day + 5) % 7);
}

int GridCellIndex(int baseYear, int year, int month, int day, int firstDayOfWeek)
{
    if (year < GRID_FIRST_YEAR || year > GRID_LAST_YEAR)
        return -1;
    const long long row = (static_cast<long long>(year) - baseYear) * 12 + month - 1;
    if (row < 0 || row >= GRID_ROWS)
        return -1;
    const int first = DayOfWeek(1, month, year);
    if (first < 0 || DayOfWeek(day, month, year) < 0)
        return -1;
    // A true modulo, so that a first day of the week outside 0-6 (from a damaged file)
    // still gives a column 0-6 for the first of the month.
    const long long offset = ((first - static_cast<long long>(firstDayOfWeek)) % 7 + 7) % 7;
    return static_cast<int>(row * GRID_COLUMNS + offset + day - 1);
}

wxColour ColourFromName(const wxString& name)
{
    const wxColour colour = wxTheColourDatabase->Find(name);
    if (colour.IsOk())
        return colour;
    return wxColour(255, 255, 255);
}

void myViewBase::ClearGrid()
{
    static const wxColour black(0, 0, 0);
    for (int cell = 0; cell < GRID_CELLS; ++cell) {
        m_cellText[cell].clear();
        m_cellColours[cell].Clear();
        m_cellTextColour[cell] = black;
    }
}

void myViewBase::AddDayNumbers(int year, int firstDayOfWeek)
{
    for (int offset = 0; offset < 2; ++offset) {
        const long long y = static_cast<long long>(year) + offset;
        if (y < GRID_FIRST_YEAR || y > GRID_LAST_YEAR)
            continue;
        for (int month = 1; month <= 12; ++month) {
            const int days = DaysInMonth(month, static_cast<int>(y));
            for (int day = 1; day <= days; ++day) {
                const int cell = GridCellIndex(year, static_cast<int>(y), month, day, firstDayOfWeek);
                if (cell >= 0)
                    m_cellText[cell] = DayNumberText(day);
            }
        }
    }
}
