// The application object: name groups, shared state after start-up, shut-down.
#include "app/app.h"
#include "app/mainframe.h"
#include "document/planevent.h"
#include "tests/testsupport.h"

#include <wx/colour.h>
#include <wx/file.h>
#include <wx/filename.h>

#include <gtest/gtest.h>

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
