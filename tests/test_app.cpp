// The application object: name groups, shared state after start-up, shut-down.
#include "app/app.h"
#include "app/mainframe.h"
#include "app/versioninfo.h"
#include "document/planevent.h"
#include "tests/testsupport.h"

#include <wx/bitmap.h>
#include <wx/colour.h>
#include <wx/file.h>

#include <gtest/gtest.h>

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
