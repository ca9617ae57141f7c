// Shared main of the test programs: every test process runs with its own
// empty HOME and runtime folder and a GUI application object, so device
// contexts, windows and the configuration store work as in the program.
#include "tests/testsupport.h"
#include "app/app.h"
#include "view/docmanager.h"

#include <wx/evtloop.h>
#include <wx/filefn.h>
#include <wx/filename.h>
#include <wx/init.h>
#include <wx/log.h>
#include <wx/stopwatch.h>
#include <wx/utils.h>

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>
#include <unistd.h>

wxIMPLEMENT_APP_NO_MAIN(TovendalApp);

namespace {

std::vector<std::string> g_tempDirs;
std::string g_home;

std::string NewTempDir()
{
    char pattern[] = "/tmp/tovendal-test-XXXXXX";
    const char* dir = mkdtemp(pattern);
    if (!dir) {
        std::perror("mkdtemp");
        std::exit(2);
    }
    g_tempDirs.push_back(dir);
    return dir;
}

class WxEnvironment : public ::testing::Environment
{
public:
    WxEnvironment(int argc, char** argv) : m_argc(argc), m_argv(argv) {}

    void SetUp() override
    {
        g_home = NewTempDir();
        setenv("HOME", g_home.c_str(), 1);
        const std::string runtime = NewTempDir();
        setenv("XDG_RUNTIME_DIR", runtime.c_str(), 1);

        wxApp::SetInstance(new TovendalApp);
        if (!wxEntryStart(m_argc, m_argv)) {
            std::fprintf(stderr, "could not start the toolkit (no display?)\n");
            std::exit(2);
        }
        // Log messages go to the test's output: a message box would wait for a person.
        delete wxLog::SetActiveTarget(new wxLogStderr);
    }

    void TearDown() override
    {
        if (wxTheApp)
            wxTheApp->ProcessIdle();
        wxEntryCleanup();
        for (const std::string& dir : g_tempDirs)
            wxFileName::Rmdir(dir, wxPATH_RMDIR_RECURSIVE);
    }

private:
    int m_argc;
    char** m_argv;
};

} // namespace

wxString MakeTempDir()
{
    return wxString(NewTempDir());
}

wxString TestHome()
{
    return wxString(g_home);
}

void RunEventsFor(int milliseconds)
{
    wxStopWatch watch;
    do {
        if (wxTheApp)
            wxTheApp->Yield(true);
        wxMilliSleep(5);
    } while (watch.Time() < milliseconds);
}

bool StartTovendal()
{
    return wxGetApp().OnInit();
}

void StopTovendal()
{
    TovendalApp& app = wxGetApp();
    if (!app.m_instanceChecker && !app.m_docManager)
        return;
    if (app.m_docManager) {
        for (wxDocument* doc : app.m_docManager->GetDocumentsVector())
            doc->Modify(false);
    }
    if (wxWindow* top = app.GetTopWindow())
        top->Close(true);
    app.ProcessIdle();
    app.OnExit();
}

int main(int argc, char** argv)
{
    ::testing::InitGoogleTest(&argc, argv);
    ::testing::AddGlobalTestEnvironment(new WxEnvironment(argc, argv));
    return RUN_ALL_TESTS();
}
