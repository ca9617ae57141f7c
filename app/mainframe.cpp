#include "app/mainframe.h"

// Placeholder until the main frame lands.
wxIMPLEMENT_CLASS(TovendalMain, wxDocMDIParentFrame);

wxBEGIN_EVENT_TABLE(TovendalMain, wxDocMDIParentFrame)
wxEND_EVENT_TABLE()

TovendalMain::TovendalMain(wxDocManager* manager, wxFrame* parent, wxWindowID id,
                           const wxString& title, const wxPoint& pos, const wxSize& size, long style)
    : wxDocMDIParentFrame(manager, parent, id, title, pos, size, style, "frame")
{
    CreateStatusBar(2);
}

TovendalMain::~TovendalMain() {}
void TovendalMain::OnRemove(wxCommandEvent&) {}

bool DropTarget::OnDropFiles(wxCoord, wxCoord, const wxArrayString&) { return false; }
