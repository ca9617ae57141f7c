#ifndef TOVENDAL_VIEW_CALENDARGRID_H
#define TOVENDAL_VIEW_CALENDARGRID_H

#include <wx/colour.h>
#include <wx/dynarray.h>
#include <wx/string.h>

WX_DECLARE_OBJARRAY(wxColour, CellColourArray);

/// Weekday of a date, 0 = Monday ... 6 = Sunday; -1 when the date does not exist.
int DayOfWeek(int day, int month, int year);

/// The colour an event colour name stands for; white for an empty or unknown name.
wxColour ColourFromName(const wxString& name);

#endif // TOVENDAL_VIEW_CALENDARGRID_H
