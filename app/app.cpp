#include "app/app.h"
#include "app/ipc.h"
#include "app/mainframe.h"
#include "document/plandocument.h"
#include "planwindow/planwindow.h"
#include "view/docmanager.h"
#include "view/planview.h"

#include <wx/cmdline.h>
#include <wx/config.h>
#include <wx/cmndata.h>
#include <wx/snglinst.h>
#include <wx/splash.h>

// Placeholder start-up until the application shell lands: one template and the main frame.
wxIMPLEMENT_CLASS(TovendalApp, wxApp);

wxBEGIN_EVENT_TABLE(TovendalApp, wxApp)
wxEND_EVENT_TABLE()

TovendalApp::TovendalApp()
    : m_docManager(nullptr), m_config(nullptr), m_printData(nullptr), m_pageSetupData(nullptr),
      m_splashScreen(nullptr), m_eventClipboard(nullptr), m_instanceChecker(nullptr),
      m_ddeServer(nullptr), m_ddeClient(nullptr)
{
    m_versionInfo.LoadExecutable();
}

TovendalApp::~TovendalApp() {}

bool TovendalApp::OnInit()
{
    m_docManager = new myDocManager;
    new wxDocTemplate(m_docManager, "Tovendal", "*.tovendal", "", "tovendal", "Plan Doc",
                      "Text View", CLASSINFO(PlanDocument), CLASSINFO(TextEditView));
    TovendalMain* frame = new TovendalMain(m_docManager, nullptr, ID_MAIN_FRAME, _("Tovendal"),
                                           wxDefaultPosition, wxSize(400, 500),
                                           wxDEFAULT_FRAME_STYLE);
    frame->Show(true);
    SetTopWindow(frame);
    return wxApp::OnInit();
}

int TovendalApp::OnExit()
{
    delete m_docManager;
    m_docManager = nullptr;
    delete m_eventClipboard;
    m_eventClipboard = nullptr;
    return wxApp::OnExit();
}

void TovendalApp::OnInitCmdLine(wxCmdLineParser& parser) { wxApp::OnInitCmdLine(parser); }
bool TovendalApp::OnCmdLineParsed(wxCmdLineParser& parser) { return wxApp::OnCmdLineParsed(parser); }

TovendalProject* TovendalApp::CreateChildFrame(wxDocument* doc, wxView* view)
{
    TovendalProject* frame = new TovendalProject(
        doc, view, wxStaticCast(GetTopWindow(), wxMDIParentFrame), ID_PROJECT_FRAME,
        _("Label: untitled"), wxDefaultPosition, wxSize(400, 300),
        wxCAPTION | wxSYSTEM_MENU | wxMINIMIZE_BOX | wxCLOSE_BOX);
    frame->InitDialog();
    frame->Show(true);
    return frame;
}
