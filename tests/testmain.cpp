// Shared main of the test programs: every test process runs with its own
// empty HOME and runtime folder and a GUI application object, so device
// contexts, windows and the configuration store work as in the program.
#include "tests/testsupport.h"
#include "app/app.h"
#include "view/docmanager.h"

#include <wx/filename.h>
#include <wx/init.h>
#include <wx/log.h>
#include <wx/stopwatch.h>
#include <wx/textctrl.h>
#include <wx/utils.h>

#include <gtk/gtk.h>

#include <gtest/gtest.h>

#include <malloc.h>

#include <cstdio>
#include <cstdlib>
#include <vector>

wxIMPLEMENT_APP_NO_MAIN(TovendalApp);

// The first is the test's HOME; all are removed when the process ends.
static std::vector<wxString> g_tempDirs;

wxString MakeTempDir()
{
    char pattern[] = "/tmp/tovendal-test-XXXXXX";
    if (!mkdtemp(pattern))
        std::abort();
    g_tempDirs.push_back(pattern);
    return pattern;
}

wxString TestHome() { return g_tempDirs.front(); }

void RunEventsFor(int milliseconds)
{
    wxStopWatch watch;
    do {
        wxTheApp->Yield(true);
        wxMilliSleep(5);
    } while (watch.Time() < milliseconds);
}

bool InsertText(wxTextCtrl* text, const wxString& inserted, long position)
{
    if (!text->GetHandle() || !GTK_IS_EDITABLE(text->GetHandle()))
        return false;
    gint at = static_cast<gint>(position);
    gtk_editable_insert_text(GTK_EDITABLE(text->GetHandle()), inserted.utf8_str(), -1, &at);
    return true;
}

double HeapBytesKeptPerRound(const std::function<void()>& round)
{
    for (int i = 0; i < 5; ++i)
        round();
    const size_t before = mallinfo2().uordblks;
    for (int i = 0; i < 10; ++i)
        round();
    return (double(mallinfo2().uordblks) - double(before)) / 10;
}

bool StartTovendal()
{
    // The program sends assertions to standard error; the tests keep failing on them.
    const wxAssertHandler_t tests = wxTheAssertHandler;
    const bool started = wxGetApp().OnInit();
    wxSetAssertHandler(tests);
    return started;
}

void StopTovendal()
{
    TovendalApp& app = wxGetApp();
    if (!app.m_instanceChecker && !app.m_docManager)
        return;
    if (app.m_docManager)
        for (wxDocument* doc : app.m_docManager->GetDocumentsVector())
            doc->Modify(false);
    if (wxWindow* top = app.GetTopWindow())
        top->Close(true);
    app.ProcessIdle();
    app.OnExit();
}

// A toolkit assertion fails the running test: its own message box would wait for a person.
static void FailOnAssert(const wxString& file, int line, const wxString& func,
                         const wxString& cond, const wxString& msg)
{
    ADD_FAILURE() << "toolkit assertion " << cond << " (" << msg << ") in " << func << " at "
                  << file << ":" << line;
}

int main(int argc, char** argv)
{
    ::testing::InitGoogleTest(&argc, argv);
    // Listing the tests needs no display.
    if (GTEST_FLAG_GET(list_tests))
        return RUN_ALL_TESTS();
    setenv("HOME", MakeTempDir().mb_str(), 1);
    setenv("XDG_RUNTIME_DIR", MakeTempDir().mb_str(), 1);
    wxApp::SetInstance(new TovendalApp);
    if (!wxEntryStart(argc, argv)) {
        std::fprintf(stderr, "could not start the toolkit (no display?)\n");
        return 2;
    }
    // Log messages go to the test's output: a message box would wait for a person.
    delete wxLog::SetActiveTarget(new wxLogStderr);
    wxSetAssertHandler(FailOnAssert);
    const int result = RUN_ALL_TESTS();
    wxTheApp->ProcessIdle();
    wxEntryCleanup();
    for (const wxString& dir : g_tempDirs)
        wxFileName::Rmdir(dir, wxPATH_RMDIR_RECURSIVE);
    return result;
}
