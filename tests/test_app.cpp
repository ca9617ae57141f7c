// The application object: name groups, shared state after start-up, shut-down.
#include "app/app.h"
#include "app/mainframe.h"
#include "app/versioninfo.h"
#include "document/planevent.h"
#include "view/docmanager.h"
#include "tests/testsupport.h"

#include <wx/bitmap.h>
#include <wx/colour.h>
#include <wx/dialog.h>
#include <wx/docview.h>
#include <wx/file.h>
#include <wx/fileconf.h>
#include <wx/msgdlg.h>
#include <wx/testing.h>

#include <gtest/gtest.h>

#include <csignal>
#include <string>
#include <utility>

namespace {

class Startup : public ::testing::Test
{
protected:
    void TearDown() override { StopTovendal(); }
};

} // namespace

TEST_F(Startup, MonthNamesNeedExactlyTwelveEntriesEachPlacedByItsValue)
{
    const char* const defaults = "January,February,March,April,May,June,July,August,September,October,November,December";
    const std::pair<int, const char*> cases[] = {
        {11, defaults}, {12, ",,M11,M10,M9,M8,M7,M6,M5,M4,M3,M2"}, {13, defaults}};
    for (const auto& c : cases) {
        // Two entries point outside the twelve places; the rest fill them from the end.
        wxString text = "[MonthNames]\nLow=-1\nHigh=12\n";
        for (int i = 2; i < c.first; ++i)
            text += wxString::Format("M%d=%d\n", i, 13 - i);
        wxFile(TestHome() + "/.Tovendal", wxFile::write).Write(text);
        ASSERT_TRUE(StartTovendal());
        EXPECT_EQ(c.second, wxJoin(wxGetApp().m_monthNames, ',').ToStdString()) << c.first << " entries";
        StopTovendal();
    }
}

TEST_F(Startup, SharedStateIsReadyAndShutDownFreesTheHeldEvent)
{
    ASSERT_TRUE(StartTovendal());
    TovendalApp& app = wxGetApp();
    EXPECT_EQ("Mo,Tu,We,Th,Fr,Sa,Su", wxJoin(app.m_dayNames, ','));
    EXPECT_EQ(wxPAPER_A4, app.m_printData->GetPaperId());
    EXPECT_EQ(wxPoint(5, 5), app.m_pageSetupData->GetMarginBottomRight());
    EXPECT_EQ("DDE Active.", wxStaticCast(app.GetTopWindow(), TovendalMain)->GetStatusBar()->GetStatusText(1));
    EXPECT_EQ(wxColour(0, 153, 0), wxTheColourDatabase->Find("GREEN"));
    EXPECT_EQ(wxColour(153, 0, 0), wxTheColourDatabase->Find("maroon"));

    app.m_eventClipboard = new PlanEvent;
    StopTovendal();
    EXPECT_EQ(nullptr, app.m_eventClipboard);
}

TEST_F(Startup, ProgramWritesAssertionsToStandardErrorWhileTestsKeepFailingOnThem)
{
    const wxAssertHandler_t tests = wxTheAssertHandler;
    ASSERT_TRUE(StartTovendal());
    EXPECT_EQ(tests, wxTheAssertHandler);
    StopTovendal();

    // The start-up as the program runs it: a toolkit check and the version reader's own
    // assertion reach standard error, and the run goes on.
    ASSERT_TRUE(wxGetApp().OnInit());
    testing::internal::CaptureStderr();
    const int width = wxBitmap().GetWidth();
    const bool loaded = VVersionInfo().Load("");
    const std::string text = testing::internal::GetCapturedStderr();
    wxSetAssertHandler(tests);
    EXPECT_EQ(-1, width);
    EXPECT_FALSE(loaded);
    EXPECT_NE(std::string::npos, text.find("invalid bitmap")) << text;
    EXPECT_NE(std::string::npos, text.find("pszFileName.Len()")) << text;
}

TEST_F(Startup, EndOfSessionCancelsTheDialogAndClosesEveryPlanUnsavedWithoutAQuestion)
{
    // The session ends while a dialog of the toolkit's or one of GTK's own (a message box) shows.
    for (const bool messageBox : {false, true}) {
        const wxString path = MakeTempDir() + "/edited.tovendal";
        const std::string saved = "<tovendal title=\"Saved\" year=\"2015\" yearend=\"2015\" />";
        wxFile(path, wxFile::write).Write(saved);
        ASSERT_TRUE(StartTovendal());
        TovendalApp& app = wxGetApp();
        wxDocument* doc = app.m_docManager->CreateDocument(path, wxDOC_SILENT);
        ASSERT_NE(nullptr, doc);
        doc->Modify(true);

        app.CallAfter([] { raise(SIGTERM); });
        if (messageBox) {
            EXPECT_EQ(wxCANCEL, wxMessageBox("Go on?", "Tovendal", wxYES_NO | wxCANCEL, app.GetTopWindow()));
        } else {
            wxDialog* dialog = new wxDialog(app.GetTopWindow(), wxID_ANY, "Dialog");
            EXPECT_EQ(wxID_CANCEL, dialog->ShowModal());
            dialog->Destroy();
        }
        {
            // No question is asked: there is nobody to answer it.
            wxTestingModalHook noQuestion;
            for (int waited = 0; dynamic_cast<TovendalMain*>(app.GetTopWindow()) && waited < 5000; waited += 20)
                RunEventsFor(20);
            noQuestion.CheckUnmetExpectations();
        }
        EXPECT_EQ(nullptr, dynamic_cast<TovendalMain*>(app.GetTopWindow())) << messageBox;
        EXPECT_TRUE(app.m_docManager->GetDocumentsVector().empty()) << messageBox;
        StopTovendal();
        wxString text;
        wxFile(path).ReadAll(&text);
        EXPECT_EQ(saved, text.ToStdString()) << messageBox;
        EXPECT_EQ(path, wxFileConfig("", "", TestHome() + "/.Tovendal", "", wxCONFIG_USE_LOCAL_FILE).Read("/history/file1")) << messageBox;
    }
}
