#ifndef TOVENDAL_PLANWINDOW_EVENTCOMMANDS_H
#define TOVENDAL_PLANWINDOW_EVENTCOMMANDS_H

#include <wx/bitmap.h>
#include <wx/string.h>

class wxMenu;

/// Builds the events pop-up menu of a plan window.
wxMenu* CreateEventsMenu();
/// The compiled-in image of the events menu of the given name, or the null bitmap.
wxBitmap GetEventsMenuBitmap(const wxString& name);

#endif // TOVENDAL_PLANWINDOW_EVENTCOMMANDS_H
