#include "view/bankholidays.h"
#include "view/calendargrid.h"
#include "view/planview.h"

namespace {

const char* const kAppendedHoliday = " Bk Hol ";

// Day (1-31) of the first Monday of a month.
int FirstMonday(int month, int year)
{
    return 1 + (7 - DayOfWeek(1, month, year)) % 7;
}

// Day of the last Monday of a month.
int LastMonday(int month, int year)
{
    const int last = DaysInMonth(month, year);
    return last - DayOfWeek(last, month, year);
}

} // namespace

void EasterSunday(int year, int* day, int* month)
{
    const int a = year % 19;
    const int b = year / 100;
    const int c = year % 100;
    const int d = b / 4;
    const int e = b % 4;
    const int g = (8 * b + 13) / 25;
    const int h = (19 * a + b - d - g + 15) % 30;
    const int j = c / 4;
    const int k = c % 4;
    const int m = (a + 11 * h) / 319;
    const int r = (2 * e + 2 * j - k - h + m + 32) % 7;
    *month = (h - m + r + 90) / 25;
    *day = (h - m + r + *month + 19) % 32;
}

void myViewBase::AddBankHolidays(int year, int firstDayOfWeek)
{
    // Cells are looked up through the grid rule, which refuses dates without a cell,
    // so any year read from a plan file is safe here.
    const auto set = [&](int y, int month, int day, const wxString& text) {
        const int cell = GridCellIndex(year, y, month, day, firstDayOfWeek);
        if (cell >= 0)
            m_cellText[cell] = text;
    };
    const auto append = [&](int y, int month, int day) {
        const int cell = GridCellIndex(year, y, month, day, firstDayOfWeek);
        if (cell >= 0)
            m_cellText[cell] += kAppendedHoliday;
    };
    const auto holiday = [](int day) { return wxString::Format("%2d Bk Hol ", day); };

    // No two rules mark the same day, so each year can be marked whole.
    for (int offset = 0; offset < 2; ++offset) {
        const long long wide = static_cast<long long>(year) + offset;
        if (wide < GRID_FIRST_YEAR || wide > GRID_LAST_YEAR)
            continue;
        const int y = static_cast<int>(wide);

        const int newYear = DayOfWeek(1, 1, y);
        if (newYear >= 5)
            set(y, 1, 8 - newYear, holiday(8 - newYear));
        else
            set(y, 1, 1, holiday(1));

        int day, month;
        EasterSunday(y, &day, &month);
        set(y, month, day, wxString::Format("%2d Easter", day));
        int fridayDay = day - 2, fridayMonth = month;
        if (fridayDay < 1) {
            fridayDay += 31;
            --fridayMonth;
        }
        set(y, fridayMonth, fridayDay, wxString::Format("%2d G.Frid ", fridayDay));
        int mondayDay = day + 1, mondayMonth = month;
        if (mondayDay > 31) {
            mondayDay = 1;
            ++mondayMonth;
        }
        set(y, mondayMonth, mondayDay, holiday(mondayDay));

        // Royal days: the Silver Jubilee in 1977, royal weddings in 1981 and 2011.
        if (y == 1977)
            append(y, 6, 7);
        if (y == 1981)
            append(y, 7, 29);
        if (y == 2011)
            append(y, 4, 29);

        // Early May. In 1995 and 2020 it moved to 8 May and the first Monday stayed a
        // working day; in 2023 8 May was an extra holiday.
        if (y == 1995 || y == 2020) {
            set(y, 5, 8, holiday(8));
        } else {
            const int monday = FirstMonday(5, y);
            set(y, 5, monday, holiday(monday));
        }
        if (y == 2023)
            append(y, 5, 8);

        // Spring holiday: the last Monday of May, except in the jubilee years.
        if (y == 2002) {
            append(y, 6, 3);
            append(y, 6, 4);
        } else if (y == 2012) {
            append(y, 6, 4);
            append(y, 6, 5);
        } else if (y == 2022) {
            append(y, 6, 2);
            append(y, 6, 3);
        } else {
            append(y, 5, LastMonday(5, y));
        }

        append(y, 8, LastMonday(8, y));
        if (y == 2022)
            append(y, 9, 19);

        set(y, 12, 25, "25 Christ ");
        switch (DayOfWeek(25, 12, y)) {
        case 4:
            append(y, 12, 28);
            break;
        case 5:
            append(y, 12, 27);
            append(y, 12, 28);
            break;
        case 6:
            append(y, 12, 26);
            append(y, 12, 27);
            break;
        default:
            set(y, 12, 26, "26 Bk Hol ");
            break;
        }
        // 31 December 1999 was an extra holiday for the millennium.
        if (y == 1999)
            append(y, 12, 31);
    }
}
