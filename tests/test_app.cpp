// The application object: name groups, shared state after start-up, shut-down.
#include "app/app.h"
#include "app/mainframe.h"
#include "app/versioninfo.h"
#include "document/planevent.h"
#include "tests/testsupport.h"

#include <wx/bitmap.h>
#include <wx/colour.h>
#include <wx/file.h>
#include <wx/filename.h>

#include <gtest/gtest.h>

#include <cstdio>
#include <cstring>
#include <unistd.h>

namespace {

class Startup : public ::testing::Test
{
protected:
    void TearDown() override { StopTovendal(); }
};

} // namespace

TEST_F(Startup, MonthNamesNeedExactlyTwelveEntriesEachPlacedByItsValue)
{
    const wxString months[] = {"January", "February", "March",     "April",   "May",      "June",
                               "July",    "August",   "September", "October", "November", "December"};
    for (int count : {11, 12, 13}) {
        // Two entries point outside the twelve places; the rest fill them from the end.
        wxString text = "[MonthNames]\nLow=-1\nHigh=12\n";
        for (int i = 2; i < count; ++i)
            text += wxString::Format("M%d=%d\n", i, 13 - i);
        wxFile(wxFileName(TestHome(), ".Tovendal").GetFullPath(), wxFile::write).Write(text);
        ASSERT_TRUE(StartTovendal());
        wxArrayString expected(12, months);
        if (count == 12) {
            for (int place = 0; place < 12; ++place)
                expected[place] = place < 2 ? wxString() : wxString::Format("M%d", 13 - place);
        }
        EXPECT_EQ(wxJoin(expected, ',').ToStdString(),
                  wxJoin(wxGetApp().m_monthNames, ',').ToStdString())
            << count << " entries";
        StopTovendal();
    }
}

TEST_F(Startup, SharedStateIsReadyAndShutDownFreesTheHeldEvent)
{
    ASSERT_TRUE(StartTovendal());
    TovendalApp& app = wxGetApp();
    const wxString days[] = {"Mo", "Tu", "We", "Th", "Fr", "Sa", "Su"};
    EXPECT_EQ(wxArrayString(7, days), app.m_dayNames);
    EXPECT_EQ(wxPAPER_A4, app.m_printData->GetPaperId());
    EXPECT_EQ(wxPoint(5, 5), app.m_pageSetupData->GetMarginBottomRight());
    wxStatusBar* status = wxStaticCast(app.GetTopWindow(), TovendalMain)->GetStatusBar();
    EXPECT_EQ("DDE Active.", status->GetStatusText(1));
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
    std::FILE* captured = std::tmpfile();
    ASSERT_NE(nullptr, captured);
    std::fflush(stderr);
    const int savedStderr = dup(2);
    dup2(fileno(captured), 2);
    const int width = wxBitmap().GetWidth();
    const bool loaded = VVersionInfo().Load("");
    std::fflush(stderr);
    dup2(savedStderr, 2);
    close(savedStderr);
    wxSetAssertHandler(tests);

    EXPECT_EQ(-1, width);
    EXPECT_FALSE(loaded);
    char text[2048] = {};
    std::rewind(captured);
    text[std::fread(text, 1, sizeof text - 1, captured)] = '\0';
    std::fclose(captured);
    EXPECT_NE(nullptr, std::strstr(text, "invalid bitmap")) << text;
    EXPECT_NE(nullptr, std::strstr(text, "pszFileName.Len()")) << text;
}
