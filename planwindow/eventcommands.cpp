#include "planwindow/eventcommands.h"
#include "planwindow/planwindow.h"

#include <wx/listctrl.h>
#include <wx/menu.h>

// Placeholders until the event commands land: nothing is bound to them yet.
void TovendalProject::OnClearStatus(wxCloseEvent& event) { event.Skip(); }
void TovendalProject::OnClearStatus(wxListEvent& event) { event.Skip(); }
void TovendalProject::OnEventsUpdateUI(wxUpdateUIEvent&) {}
void TovendalProject::OnContextMenu(wxContextMenuEvent&) {}
void TovendalProject::OnNewEvent(wxCommandEvent&) {}
void TovendalProject::OnEditEvent(wxCommandEvent&) {}
void TovendalProject::OnDeleteEvent(wxCommandEvent&) {}
void TovendalProject::OnRemoveAllEvents(wxCommandEvent&) {}
void TovendalProject::OnCutEvent(wxCommandEvent&) {}
void TovendalProject::OnCopyEvent(wxCommandEvent&) {}
void TovendalProject::OnPasteEvent(wxCommandEvent&) {}
void TovendalProject::OnEventActivated(wxListEvent&) {}

wxMenu* CreateEventsMenu() { return new wxMenu; }
wxBitmap GetEventsMenuBitmap(const wxString&) { return wxNullBitmap; }
