#include "view/docmanager.h"
#include "app/app.h"
#include "app/mainframe.h"
#include "view/printout.h"

#include <wx/busyinfo.h>
#include <wx/cmndata.h>
#include <wx/modalhook.h>
#include <wx/msgdlg.h>
#include <wx/print.h>
#include <wx/printdlg.h>
#include <wx/tracker.h>
#include <wx/weakref.h>

#include <memory>
#include <vector>

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

/// Lets pending events run once, so that the busy notice paints. What the user did meanwhile runs
/// too; a close among it waits for the command (PlanCommandHold).
void YieldOnce()
{
    if (wxTheApp)
        wxTheApp->Yield(true);
}

/// While a print or preview command works on a plan, its dialogs included, the closes asked for
/// meanwhile (Close, Close All, a frame's close box, Exit, queued commands) wait and are carried
/// out once it has ended, so that the plan stays under the command. A forced close (the program
/// being ended) still goes through; the command then finds its plan gone and stops.
class PlanCommandHold
{
public:
    PlanCommandHold()
    {
        if (s_depth++ == 0)
            wxEvtHandler::AddFilter(&s_filter);
    }
    ~PlanCommandHold()
    {
        if (--s_depth > 0)
            return;
        wxEvtHandler::RemoveFilter(&s_filter);
        if (!s_filter.m_waiting.empty() && wxTheApp)
            wxTheApp->CallAfter([] { RunWaitingCloses(); });
    }

private:
    /// A close that waits: of a document (Close), of every document (Close All) or of a frame.
    struct WaitingClose
    {
        int command;
        wxWeakRef<wxDocument> document;
        wxWeakRef<wxWindow> window;
    };

    /// The one filter, installed while any command holds a plan.
    struct Filter : wxEventFilter
    {
        int FilterEvent(wxEvent& event) override
        {
            wxDocManager* manager = wxDocManager::GetDocumentManager();
            const wxEventType type = event.GetEventType();
            if (type == wxEVT_MENU && (event.GetId() == wxID_CLOSE || event.GetId() == wxID_CLOSE_ALL)) {
                m_waiting.push_back({event.GetId(), manager ? manager->GetCurrentDocument() : nullptr, nullptr});
                return Event_Processed;
            }
            if (type != wxEVT_CLOSE_WINDOW)
                return Event_Skip;
            wxCloseEvent& close = static_cast<wxCloseEvent&>(event);
            wxWindow* window = wxDynamicCast(event.GetEventObject(), wxWindow);
            // Only the frames whose close closes plans: the main frame and the plan windows.
            if (!close.CanVeto() || !window ||
                (window != wxTheApp->GetTopWindow() && !dynamic_cast<wxDocChildFrameAnyBase*>(window)))
                return Event_Skip;
            close.Veto();
            m_waiting.push_back({wxID_ANY, nullptr, window});
            return Event_Processed;
        }

        std::vector<WaitingClose> m_waiting;
    };

    static void RunWaitingCloses()
    {
        // A command that started meanwhile runs them when it ends.
        if (s_depth > 0)
            return;
        std::vector<WaitingClose> waiting;
        waiting.swap(s_filter.m_waiting);
        wxDocManager* manager = wxDocManager::GetDocumentManager();
        for (const WaitingClose& close : waiting) {
            if (close.command == wxID_CLOSE && close.document && manager)
                manager->CloseDocument(close.document);
            else if (close.command == wxID_CLOSE_ALL && manager)
                manager->CloseDocuments(false);
            else if (close.window)
                close.window->Close();
        }
    }

    static inline int s_depth = 0;
    static inline Filter s_filter;
};

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

/// The view's printout, or null when the view makes none, when the plan went meanwhile or, after
/// telling the user, when the plan's year range gives no page: the toolkit's print and preview
/// cannot run without pages.
wxPrintout* CreatePrintout(const wxWeakRef<wxView>& view)
{
    wxPrintout* printout = view->OnCreatePrintout();
    YieldOnce();
    if (!view) {
        delete printout;
        return nullptr;
    }
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

/// The preview frame of a plan, which closes when its plan's view goes: its pages are drawn by
/// that view.
class PlanPreviewFrame : public wxPreviewFrame
{
public:
    PlanPreviewFrame(wxView* view, wxPrintPreviewBase* preview, wxWindow* parent, const wxString& title,
                     const wxPoint& pos, const wxSize& size, long style, const wxString& name)
        : wxPreviewFrame(preview, parent, title, pos, size, style, name), m_watch(this, view)
    {
    }

private:
    /// Closes the frame when the view is destroyed.
    struct ViewWatch : wxTrackerNode
    {
        ViewWatch(wxFrame* frame, wxView* view) : m_frame(frame), m_view(view) { m_view->AddNode(this); }
        ~ViewWatch() override
        {
            if (m_view)
                m_view->RemoveNode(this);
        }
        void OnObjectDestroy() override
        {
            m_view = nullptr;
            // Forced, so that the windows the preview disabled are enabled again.
            m_frame->Close(true);
        }

        wxFrame* m_frame;
        wxView* m_view;
    };

    ViewWatch m_watch;
};

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
    const wxWeakRef<wxView> view(GetCurrentView());
    if (!view)
        return;

    PlanCommandHold hold;
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
    const wxWeakRef<wxView> view(GetCurrentView());
    if (!view)
        return;

    PlanCommandHold hold;
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

    wxPreviewFrame* frame = new PlanPreviewFrame(view, preview, top, _("Print Preview"), wxPoint(100, 100),
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
    KeepPositionWhenShown(frame);
    frame->Show(true);
}
