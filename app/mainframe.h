#ifndef TOVENDAL_APP_MAINFRAME_H
#define TOVENDAL_APP_MAINFRAME_H

#include <wx/dnd.h>
#include <wx/docmdi.h>

/// Window ids of the main frame.
enum
{
    ID_MAIN_FRAME = 10000,
    ID_CHECK_UPDATES = 10037
};

/// The main frame: menus, tool bar, status bar and the plan windows.
class TovendalMain : public wxDocMDIParentFrame
{
    wxDECLARE_CLASS(TovendalMain);

public:
    TovendalMain(wxDocManager* manager, wxFrame* parent, wxWindowID id, const wxString& title,
                 const wxPoint& pos, const wxSize& size, long style);
    ~TovendalMain() override;

    /// Deletes a plan file chosen by the user.
    void OnRemove(wxCommandEvent& event);
    /// Shows the About box.
    void OnAbout(wxCommandEvent& event);
    /// Edits the day and month names.
    void OnPreferences(wxCommandEvent& event);
    /// Asks the maker's web site for a newer version.
    void OnCheckUpdates(wxCommandEvent& event);

private:
    wxDECLARE_EVENT_TABLE();
};

/// Opens every file dropped on the main frame as a plan.
class DropTarget : public wxFileDropTarget
{
public:
    bool OnDropFiles(wxCoord x, wxCoord y, const wxArrayString& filenames) override;
};

#endif // TOVENDAL_APP_MAINFRAME_H
