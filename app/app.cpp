#include "app/app.h"
#include "app/ipc.h"
#include "app/mainframe.h"
#include "document/plandocument.h"
#include "document/planevent.h"
#include "images/images.h"
#include "planwindow/planwindow.h"
#include "platform/gdkxpm.h"
#include "platform/gtklayout.h"
#include "view/docmanager.h"
#include "view/planview.h"

#include <wx/cmdline.h>
#include <wx/cmndata.h>
#include <wx/datetime.h>
#include <wx/dialog.h>
#include <wx/evtloop.h>
#include <wx/filename.h>
#include <wx/fileconf.h>
#include <wx/frame.h>
#include <wx/gdicmn.h>
#include <wx/image.h>
#include <wx/msgdlg.h>
#include <wx/snglinst.h>
#include <wx/splash.h>
#include <wx/statusbr.h>
#include <wx/stopwatch.h>
#include <wx/timer.h>
#include <wx/utils.h>

#include <gtk/gtk.h>

#include <csignal>
#include <cstdio>

wxIMPLEMENT_CLASS(TovendalApp, wxApp);

wxBEGIN_EVENT_TABLE(TovendalApp, wxApp)
wxEND_EVENT_TABLE()

namespace {

/// The colours that event colours may be named by, beside the toolkit's own names.
struct NamedColour
{
    const char* name;
    unsigned char red, green, blue;
};

const NamedColour g_namedColours[] = {
    {"Maroon", 153, 0, 0},       {"Green", 0, 153, 0},         {"Olive", 153, 153, 0},
    {"Navy", 0, 0, 153},         {"Purple", 153, 0, 153},      {"Fuchsia", 255, 0, 255},
    {"Teal", 0, 153, 153},       {"Lime", 0, 255, 0},          {"Light Grey", 204, 204, 204},
    {"Dark Grey", 153, 153, 153}, {"Aqua", 0, 255, 255},
};

/// Writes a failed toolkit assertion to standard error. A modal box would stop a user who can
/// do nothing about it, and release builds would otherwise switch every assertion off.
void LogAssert(const wxString& file, int line, const wxString& func, const wxString& cond,
               const wxString& msg)
{
    static bool reporting = false;
    if (reporting)
        return;
    reporting = true;
    std::fprintf(stderr, "Tovendal: assertion failed in %s() at %s:%d: %s%s%s\n",
                 func.utf8_str().data(), file.utf8_str().data(), line, cond.utf8_str().data(),
                 msg.empty() ? "" : ": ", msg.utf8_str().data());
    std::fflush(stderr);
    reporting = false;
}

const long PLAN_WINDOW_STYLE = wxCAPTION | wxSYSTEM_MENU | wxMINIMIZE_BOX | wxCLOSE_BOX;

} // namespace

void ReadNameGroup(wxConfigBase* config, const wxString& group, size_t count,
                   const wxArrayString& defaults, wxArrayString& names)
{
    names.Clear();
    if (config->Exists(group)) {
        config->SetPath(group);
        if (config->GetNumberOfEntries(false) == count) {
            names.Add(wxEmptyString, count);
            wxString name;
            long cookie;
            for (bool more = config->GetFirstEntry(name, cookie); more;
                 more = config->GetNextEntry(name, cookie)) {
                long index = -1;
                if (!config->Read(name, &index, -1L))
                    index = -1;
                if (index >= 0 && index < static_cast<long>(count))
                    names[index] = name;
            }
            return;
        }
    }
    names = defaults;
}

void SetMainStatusText(const wxString& text)
{
    wxFrame* frame = wxTheApp ? wxDynamicCast(wxTheApp->GetTopWindow(), wxFrame) : nullptr;
    wxStatusBar* bar = frame ? frame->GetStatusBar() : nullptr;
    if (bar && bar->GetFieldsCount() > 1)
        frame->SetStatusText(text, 1);
}

namespace {

/// The signals that end a session (SIGTERM from the login manager) or a program's terminal
/// (SIGHUP). The toolkit runs the handler from its event loop, not inside the signal.
const int END_SESSION_SIGNALS[] = {SIGTERM, SIGHUP};

void EndSessionOnSignal(int WXUNUSED(signal))
{
    wxGetApp().EndSession();
}

/// Cancels every dialog that is showing; false when none was. Message boxes and the print
/// dialogs are GTK's own dialogs, the toolkit's dialogs are windows of GTK's.
bool CancelDialogs()
{
    bool any = false;
    for (wxWindow* window : wxTopLevelWindows) {
        wxDialog* dialog = dynamic_cast<wxDialog*>(window);
        if (dialog && dialog->IsModal() && !GTK_IS_DIALOG(dialog->GetHandle())) {
            dialog->EndModal(wxID_CANCEL);
            any = true;
        }
    }
    GList* windows = gtk_window_list_toplevels();
    for (GList* item = windows; item; item = item->next) {
        if (GTK_IS_DIALOG(item->data) && gtk_widget_get_mapped(GTK_WIDGET(item->data))) {
            gtk_dialog_response(GTK_DIALOG(item->data), GTK_RESPONSE_CANCEL);
            any = true;
        }
    }
    g_list_free(windows);
    return any;
}

} // namespace

TovendalApp::TovendalApp()
    : m_docManager(nullptr), m_config(nullptr), m_printData(nullptr), m_pageSetupData(nullptr),
      m_splashScreen(nullptr), m_eventClipboard(nullptr), m_instanceChecker(nullptr),
      m_ddeServer(nullptr), m_ddeClient(nullptr), m_endSessionTimer(nullptr)
{
    m_versionInfo.LoadExecutable();
}

TovendalApp::~TovendalApp() {}

bool TovendalApp::OnInit()
{
    wxSetAssertHandler(LogAssert);
    // The lock sits beside the hand-over socket and is named by the same key: a later start
    // that finds it finds the socket of that very program.
    m_instanceChecker = new wxSingleInstanceChecker;
    const wxString instanceFolder = InstanceFolder();
    if (!instanceFolder.empty() && m_instanceChecker->Create(InstanceLockName(), instanceFolder) &&
        m_instanceChecker->IsAnotherRunning() && HandOver()) {
        // A later start hands its file over and ends before it touches the printer or the
        // configuration, which belong to the running program.
        return false;
    }

    wxImage::AddHandler(new wxXPMHandler);
    wxImage::AddHandler(new wxPNGHandler);

    // Read by GDK: the toolkit's reader takes a sixth of the start-up over its thousands of colours.
    const wxBitmap splash = BitmapFromXpmByGdk(Splash_png_xpm);
    m_splashScreen = new wxSplashScreen(splash, wxSPLASH_CENTRE_ON_SCREEN | wxSPLASH_TIMEOUT, 4000,
                                        nullptr, wxID_ANY, wxDefaultPosition, wxDefaultSize,
                                        wxSIMPLE_BORDER | wxFRAME_NO_TASKBAR | wxSTAY_ON_TOP);

    m_pageSetupData = new wxPageSetupDialogData;
    m_printData = new wxPrintData;
    if (m_printData->IsOk()) {
        m_printData->SetPaperId(wxPAPER_A4);
        m_pageSetupData->SetPrintData(*m_printData);
        // Millimetres on every side.
        m_pageSetupData->SetMarginTopLeft(wxPoint(5, 5));
        m_pageSetupData->SetMarginBottomRight(wxPoint(5, 5));
    } else {
        wxMessageBox("There was a problem setting printer defaults.\n"
                     "Perhaps your current printer is not set correctly?",
                     "Tovendal", wxOK);
    }

    m_config = new wxFileConfig("Tovendal", "Halvorix", wxEmptyString, wxEmptyString,
                                wxCONFIG_USE_LOCAL_FILE | wxCONFIG_USE_GLOBAL_FILE);

    m_docManager = new myDocManager;
    new wxDocTemplate(m_docManager, "Tovendal", "*.tovendal", "", "tovendal", "Plan Doc",
                      TEXT_VIEW_NAME, CLASSINFO(PlanDocument), CLASSINFO(TextEditView),
                      wxTEMPLATE_VISIBLE);

    m_config->SetPath("/history");
    m_docManager->FileHistoryLoad(*m_config);

    wxArrayString defaults;
    for (int month = wxDateTime::Jan; month <= wxDateTime::Dec; ++month)
        defaults.Add(wxDateTime::GetMonthName(static_cast<wxDateTime::Month>(month),
                                              wxDateTime::Name_Full));
    ReadNameGroup(m_config, "/MonthNames", 12, defaults, m_monthNames);

    // Monday first, although the toolkit numbers Sunday 0.
    defaults.Clear();
    for (int day = 1; day <= 7; ++day)
        defaults.Add(wxDateTime::GetWeekDayName(static_cast<wxDateTime::WeekDay>(day % 7),
                                                wxDateTime::Name_Abbr).Left(2));
    ReadNameGroup(m_config, "/DayNames", 7, defaults, m_dayNames);

    TovendalMain* frame = new TovendalMain(
        m_docManager, nullptr, ID_MAIN_FRAME, _("Tovendal"), wxDefaultPosition, wxSize(400, 500),
        wxSYSTEM_MENU | wxRESIZE_BORDER | wxMINIMIZE_BOX | wxMAXIMIZE_BOX | wxCLOSE_BOX | wxCAPTION);
    // The size the last plan window had: making one here to measure would take a good part of
    // the start-up. Without it the frame fits its tools and grows with the first plan window.
    frame->FitPlanWindow(TovendalMain::RememberedPlanWindowSize());
    frame->Show(true);
    SetTopWindow(frame);

    for (const NamedColour& colour : g_namedColours)
        wxTheColourDatabase->AddColour(colour.name,
                                       wxColour(colour.red, colour.green, colour.blue));

    for (const int signal : END_SESSION_SIGNALS)
        SetSignalHandler(signal, EndSessionOnSignal);

    m_ddeServer = new MyServer;
    if (m_ddeServer->Create(TOVENDAL_SERVICE_NAME)) {
        SetMainStatusText("DDE Active.");
    } else {
        SetMainStatusText("DDE Failed.");
        delete m_ddeServer;
        m_ddeServer = nullptr;
    }

    return wxApp::OnInit();
}

namespace {

// How long a later start waits for the program whose lock it found to take hand-overs; past
// that (its server could not start) the later start runs as a program of its own rather than
// leave its file unopened. Milliseconds.
const long HAND_OVER_WAIT_MS = 5000;

} // namespace

bool TovendalApp::HandOver()
{
    wxCmdLineParser parser(argc, argv);
    OnInitCmdLine(parser);
    switch (parser.Parse(false)) {
    case -1:
        OnCmdLineHelp(parser);
        return true;
    case 0:
        break;
    default:
        OnCmdLineError(parser);
        return true;
    }

    m_ddeClient = new MyClient;
    // The first program takes its lock at once but serves only at the end of its start-up.
    bool handed = m_ddeClient->Connect("localhost", TOVENDAL_SERVICE_NAME, "Open");
    for (wxStopWatch watch; !handed && watch.Time() < HAND_OVER_WAIT_MS;) {
        wxMilliSleep(100);
        handed = m_ddeClient->Connect("localhost", TOVENDAL_SERVICE_NAME, "Open");
    }
    if (handed) {
        for (size_t i = 0; handed && i < parser.GetParamCount(); ++i) {
            // The running program has its own current folder: a relative name is made
            // absolute here, where the user typed it.
            wxFileName path(parser.GetParam(i));
            path.MakeAbsolute();
            // A program that refuses the plan (it is closing) or ends before it answers leaves
            // the plan to this start, which then opens it as a program of its own.
            handed = m_ddeClient->m_connection->HandOver(path.GetFullPath());
        }
        m_ddeClient->Disconnect();
    }
    delete m_ddeClient;
    m_ddeClient = nullptr;
    if (handed)
        wxApp::OnCmdLineParsed(parser);
    return handed;
}

void TovendalApp::EndSession()
{
    // A dialog, or a command that lets events run, is still inside the command that started it,
    // which goes on using its plan once it returns: end the dialogs now, the plans after it.
    const wxEventLoopBase* loop = wxEventLoopBase::GetActive();
    if (CancelDialogs() || (loop && (loop != GetMainLoop() || loop->IsYielding()))) {
        if (!m_endSessionTimer) {
            m_endSessionTimer = new wxTimer(this);
            Bind(wxEVT_TIMER, [this](wxTimerEvent&) { EndSession(); }, m_endSessionTimer->GetId());
        }
        // Milliseconds: soon, but not in a loop of its own while the dialog returns.
        m_endSessionTimer->StartOnce(50);
        return;
    }
    // Nobody is there to say whether to save: every plan closes as it was last saved.
    if (m_docManager)
        for (wxDocument* doc : m_docManager->GetDocumentsVector())
            doc->Modify(false);
    if (wxWindow* top = GetTopWindow())
        top->Close(true);
    // The program ends once its last window has gone, the splash and a preview among them.
    const wxWindowList windows = wxTopLevelWindows;
    for (wxWindow* window : windows)
        window->Close(true);
    // Closed frames are deleted, and the program ended, when the loop next runs idle: a signal
    // brings no event of the windows' own to start it.
    wxWakeUpIdle();
}

int TovendalApp::OnExit()
{
    for (const int signal : END_SESSION_SIGNALS)
        std::signal(signal, SIG_DFL);
    delete m_endSessionTimer;
    m_endSessionTimer = nullptr;
    if (m_config && m_docManager) {
        m_config->SetPath("/history");
        m_docManager->FileHistorySave(*m_config);
    }
    delete m_docManager;
    m_docManager = nullptr;
    delete m_config;
    m_config = nullptr;
    delete m_eventClipboard;
    m_eventClipboard = nullptr;
    delete m_instanceChecker;
    m_instanceChecker = nullptr;
    delete m_ddeServer;
    m_ddeServer = nullptr;
    delete m_ddeClient;
    m_ddeClient = nullptr;
    return wxApp::OnExit();
}

void TovendalApp::OnInitCmdLine(wxCmdLineParser& parser)
{
    wxApp::OnInitCmdLine(parser);
    parser.AddParam("Tovendal to Open", wxCMD_LINE_VAL_STRING, wxCMD_LINE_PARAM_OPTIONAL);
}

bool TovendalApp::OnCmdLineParsed(wxCmdLineParser& parser)
{
    for (size_t i = 0; i < parser.GetParamCount(); ++i)
        m_docManager->CreateDocument(parser.GetParam(i), wxDOC_SILENT);
    return wxApp::OnCmdLineParsed(parser);
}

TovendalProject* TovendalApp::CreateChildFrame(wxDocument* doc, wxView* view)
{
    TovendalProject* frame = new TovendalProject(
        doc, view, wxStaticCast(GetTopWindow(), wxMDIParentFrame), ID_PROJECT_FRAME,
        _("Label: untitled"), wxDefaultPosition, wxSize(400, 300), PLAN_WINDOW_STYLE);
    frame->InitDialog();
    frame->Show(true);
    // Names longer than those measured at start-up can widen a plan window.
    if (TovendalMain* main = dynamic_cast<TovendalMain*>(GetTopWindow())) {
        const wxSize planWindowSize = frame->GetBestSize();
        main->FitPlanWindow(planWindowSize);
        TovendalMain::RememberPlanWindowSize(planWindowSize);
    }
    // The plan's load shows its status at once, which draws the new tab.
    AllocatePendingSizes(frame);
    return frame;
}
