#ifndef TOVENDAL_VIEW_CALENDARGRID_H
#define TOVENDAL_VIEW_CALENDARGRID_H

#include <wx/colour.h>
#include <wx/dynarray.h>
#include <wx/string.h>

/// The background colours of one day cell, one per event that reached it, in arrival order.
WX_DECLARE_OBJARRAY(wxColour, CellColourArray);

/// The calendar years the grid fills; a grid year outside them keeps its cells empty.
enum { GRID_FIRST_YEAR = 1, GRID_LAST_YEAR = 9999 };

/// Weekday of a date, 0 = Monday ... 6 = Sunday; -1 when the date does not exist.
int DayOfWeek(int day, int month, int year);

/// Number of days of a month (1-12) in a year; 0 for a month outside 1-12.
int DaysInMonth(int month, int year);

/// Index of the grid cell of a date on the page whose base year is baseYear (rows 0-11 baseYear,
/// 12-23 baseYear + 1); -1 when the date does not exist or has no cell in the grid.
int GridCellIndex(int baseYear, int year, int month, int day, int firstDayOfWeek);

/// The colour an event colour name stands for; white for an empty or unknown name.
wxColour ColourFromName(const wxString& name);

#endif // TOVENDAL_VIEW_CALENDARGRID_H
