#include "view/docmanager.h"
#include "app/app.h"
#include "view/printout.h"

#include <wx/busyinfo.h>
#include <wx/cmndata.h>
#include <wx/msgdlg.h>
#include <wx/print.h>
#include <wx/printdlg.h>

wxIMPLEMENT_DYNAMIC_CLASS(myDocManager, wxDocManager);

wxBEGIN_EVENT_TABLE(myDocManager, wxDocManager)
    EVT_MENU(wxID_PRINT,       myDocManager::OnPrint)
    EVT_MENU(wxID_PREVIEW,     myDocManager::OnPreview)
    EVT_MENU(wxID_PRINT_SETUP, myDocManager::OnPrintSetup)
wxEND_EVENT_TABLE()

namespace {

const char BUSY_TEXT[] = "Please wait, working...";
const char NO_PAGES_TEXT[] = "The plan's last year is before its first year, so there is nothing to print.";

/// The shared printer settings, made with the toolkit's defaults if start-up has not made them.
wxPrintData& SharedPrintData()
{
    TovendalApp& app = wxGetApp();
    if (!app.m_printData)
        app.m_printData = new wxPrintData;
    return *app.m_printData;
}

/// The shared page-setup settings, made with the toolkit's defaults if start-up has not made them.
wxPageSetupDialogData& SharedPageSetupData()
{
    TovendalApp& app = wxGetApp();
    if (!app.m_pageSetupData)
        app.m_pageSetupData = new wxPageSetupDialogData;
    return *app.m_pageSetupData;
}

/// Lets pending events run once, so that the busy notice paints.
void YieldOnce()
{
    if (wxTheApp)
        wxTheApp->Yield(true);
}

/// The view's printout, or null when the view makes none or, after telling the user, when the
/// plan's year range gives no page: the toolkit's print and preview cannot run without pages.
wxPrintout* CreatePrintout(wxView* view)
{
    wxPrintout* printout = view->OnCreatePrintout();
    YieldOnce();
    MyPrintOut* planPrintout = dynamic_cast<MyPrintOut*>(printout);
    if (!planPrintout)
        return printout;
    // Counted without filling in empty years: the framework's OnPreparePrinting fills them once
    // printing really starts, so that a cancelled command leaves the plan as it was.
    planPrintout->m_pageCount = planPrintout->CountPages();
    if (planPrintout->m_pageCount >= 1)
        return printout;
    delete printout;
    wxMessageBox(NO_PAGES_TEXT, "Tovendal", wxOK | wxICON_INFORMATION);
    return nullptr;
}

} // namespace

myDocManager::myDocManager(long flags, bool initialize) : wxDocManager(flags, initialize) {}

void myDocManager::OnPrintSetup(wxCommandEvent& WXUNUSED(event))
{
    wxWindow* top = wxTheApp->GetTopWindow();
    wxBusyInfo busy(BUSY_TEXT, top);
    YieldOnce();

    wxPageSetupDialogData& pageSetup = SharedPageSetupData();
    pageSetup = SharedPrintData();
    wxPageSetupDialog dialog(top, &pageSetup);
    if (dialog.ShowModal() == wxID_OK) {
        SharedPrintData() = dialog.GetPageSetupDialogData().GetPrintData();
        pageSetup = dialog.GetPageSetupDialogData();
    }
}

void myDocManager::OnPrint(wxCommandEvent& WXUNUSED(event))
{
    wxView* view = GetCurrentView();
    if (!view)
        return;

    wxBusyInfo busy(BUSY_TEXT, view->GetFrame());
    YieldOnce();
    wxPrintout* printout = CreatePrintout(view);
    if (!printout)
        return;

    wxPrintDialogData dialogData(SharedPrintData());
    wxPrinter printer(&dialogData);
    if (printer.Print(view->GetFrame(), printout, true)) {
        // The printer and the choices made in the dialog hold for the next print.
        SharedPrintData() = printer.GetPrintDialogData().GetPrintData();
    } else if (wxPrinter::GetLastError() == wxPRINTER_ERROR) {
        wxMessageBox("There was a problem printing.\nPerhaps your current printer is not set correctly?",
                     "Printing", wxOK | wxICON_NONE);
    }
    delete printout;
}

void myDocManager::OnPreview(wxCommandEvent& WXUNUSED(event))
{
    wxView* view = GetCurrentView();
    if (!view)
        return;

    wxWindow* top = wxTheApp->GetTopWindow();
    wxBusyInfo busy(BUSY_TEXT, top);
    YieldOnce();
    wxPrintout* printout = CreatePrintout(view);
    if (!printout)
        return;

    wxPrintDialogData dialogData(SharedPrintData());
    wxPrintPreview* preview = new wxPrintPreview(printout, view->OnCreatePrintout(), &dialogData);
    if (!preview->IsOk()) {
        delete preview;
        wxMessageBox(_("Sorry, print preview needs a printer to be installed."), "Message",
                     wxOK | wxCENTRE);
        return;
    }

    wxPreviewFrame* frame = new wxPreviewFrame(preview, top, _("Print Preview"), wxPoint(100, 100),
                                               wxSize(600, 650),
                                               wxDEFAULT_FRAME_STYLE | wxFRAME_FLOAT_ON_PARENT, "frame");
    frame->Centre(wxBOTH);
    frame->Initialize();
    frame->Show(true);
}
