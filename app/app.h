#ifndef TOVENDAL_APP_APP_H
#define TOVENDAL_APP_APP_H

#include "app/versioninfo.h"

#include <wx/app.h>
#include <wx/arrstr.h>

class wxConfigBase;
class wxDocument;
class wxPageSetupDialogData;
class wxPrintData;
class wxSingleInstanceChecker;
class wxSplashScreen;
class wxTimer;
class wxView;
class myDocManager;
class MyClient;
class MyServer;
class PlanEvent;
class TovendalProject;

/// The application object: start-up, shut-down and the state every window shares.
class TovendalApp : public wxApp
{
    wxDECLARE_CLASS(TovendalApp);

public:
    TovendalApp();
    ~TovendalApp() override;

    bool OnInit() override;
    int OnExit() override;
    void OnInitCmdLine(wxCmdLineParser& parser) override;
    bool OnCmdLineParsed(wxCmdLineParser& parser) override;

    /// Makes the plan window for a new or opened plan's view.
    TovendalProject* CreateChildFrame(wxDocument* doc, wxView* view);
    /// Ends the program as the end of the user's session does: every dialog cancelled, every
    /// plan closed without a question and without saving it, the settings written.
    void EndSession();

    myDocManager* m_docManager;
    wxConfigBase* m_config;
    wxArrayString m_monthNames;
    wxArrayString m_dayNames;
    wxPrintData* m_printData;
    wxPageSetupDialogData* m_pageSetupData;
    wxSplashScreen* m_splashScreen;
    VVersionInfo m_versionInfo;
    PlanEvent* m_eventClipboard;
    wxSingleInstanceChecker* m_instanceChecker;
    MyServer* m_ddeServer;
    MyClient* m_ddeClient;

private:
    /// A later start's part: hands the command line's file to the running program. False when
    /// no running program took it, so that this start goes on as a program of its own.
    bool HandOver();

    /// Runs EndSession again once the dialogs it cancelled have returned.
    wxTimer* m_endSessionTimer;

    wxDECLARE_EVENT_TABLE();
};

wxDECLARE_APP(TovendalApp);

/// Fills names with count names from the configuration group: an entry's name is the text, its
/// value the 0-based index. A missing group, or one whose entry count is not count, gives defaults.
void ReadNameGroup(wxConfigBase* config, const wxString& group, size_t count,
                   const wxArrayString& defaults, wxArrayString& names);

/// Shows text in field 1 of the main frame's status bar: the application's top window, when
/// there is one and it is a frame whose status bar has that field.
void SetMainStatusText(const wxString& text);

#endif // TOVENDAL_APP_APP_H
