#ifndef TOVENDAL_VIEW_DOCMANAGER_H
#define TOVENDAL_VIEW_DOCMANAGER_H

#include <wx/docview.h>

/// The program's document manager, which also takes the print, preview and page setup commands.
class myDocManager : public wxDocManager
{
    wxDECLARE_DYNAMIC_CLASS(myDocManager);

public:
    myDocManager(long flags = 0, bool initialize = true);

    /// Prints the current plan through the print dialog.
    void OnPrint(wxCommandEvent& event);
    /// Opens the print preview of the current plan.
    void OnPreview(wxCommandEvent& event);
    /// Shows the page setup dialog for the shared printer settings.
    void OnPrintSetup(wxCommandEvent& event);

private:
    wxDECLARE_EVENT_TABLE();
};

#endif // TOVENDAL_VIEW_DOCMANAGER_H
