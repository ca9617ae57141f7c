#include "view/docmanager.h"
#include "app/app.h"
#include "view/printout.h"

#include <wx/busyinfo.h>
#include <wx/cmndata.h>
#include <wx/modalhook.h>
#include <wx/msgdlg.h>
#include <wx/print.h>
#include <wx/printdlg.h>

#include <memory>

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

/// The busy notice while a command works. On this toolkit the notice is a stay-on-top frame that
/// would cover any dialog or message box shown after it, so it goes before the first one opens.
class BusyNotice : public wxModalDialogHook
{
public:
    explicit BusyNotice(wxWindow* parent) : m_info(new wxBusyInfo(BUSY_TEXT, parent))
    {
        Register();
        YieldOnce();
    }
    ~BusyNotice() override { Unregister(); }

    /// Takes the notice down; the command's work is done.
    void Close() { m_info.reset(); }

private:
    int Enter(wxDialog*) override
    {
        Close();
        return wxID_NONE;
    }
    void Exit(wxDialog*) override {}

    std::unique_ptr<wxBusyInfo> m_info;
};

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
    // Nothing here takes long enough for the busy notice: the dialog is all there is.
    wxWindow* top = wxTheApp->GetTopWindow();
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

    BusyNotice busy(view->GetFrame());
    wxPrintout* printout = CreatePrintout(view);
    if (!printout)
        return;
    busy.Close();

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
    BusyNotice busy(top);
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
    frame->Initialize();
    // The preview's tool bar is wider than the 600 pixels asked for, and the frame's minimum size
    // grows to it. Once the window manager's frame sizes are known (every frame after the first),
    // GTK drops a size below that minimum, height included, and the frame opens at its minimum:
    // the tool bar alone. Asking again for a size that respects the minimum keeps the height.
    wxSize size = frame->GetSize();
    size.IncTo(frame->GetMinSize());
    frame->SetSize(size);
    frame->Centre(wxBOTH);
    busy.Close();
    frame->Show(true);
}
