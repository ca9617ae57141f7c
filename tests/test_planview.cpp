#include "tests/planwindowfixture.h"

#include <wx/choice.h>
#include <wx/filehistory.h>
#include <wx/testing.h>

using PlanViewTest = planwindowtest::PlanWindowFixture;

TEST_F(PlanViewTest, ChangedPlanAsksOnceOnCloseAndCancelKeepsItOpen)
{
    PlanDocument* doc = OpenPlan(WriteSamplePlan());
    TovendalProject* frame = FrameOf(doc);
    ASSERT_NE(nullptr, frame);
    frame->m_startMonthChoice->SetSelection(7);
    s_mainFrame->SetStatusText("Please select an Event.", 1);

    // Cancel on the close box keeps the plan, its window and its File menu in the history.
    bool closed = true;
    wxTEST_DIALOG(closed = frame->Close(), wxExpectModal<wxMessageDialog>(wxID_CANCEL));
    wxTheApp->ProcessIdle();
    EXPECT_FALSE(closed);
    EXPECT_EQ("", StatusText()) << "the close clears the status line";
    EXPECT_EQ(frame, FrameOf(doc));
    EXPECT_EQ(1, CountPlanWindows());
    EXPECT_EQ(7, frame->m_startMonthChoice->GetSelection());
    EXPECT_TRUE(doc->IsModified());
    EXPECT_NE(nullptr, wxGetApp().m_docManager->GetFileHistory()->GetMenus().Find(frame->m_fileMenu));

    // No closes it after that one prompt: the view must not ask again.
    wxTEST_DIALOG(closed = wxGetApp().m_docManager->CloseDocument(doc),
                  wxExpectModal<wxMessageDialog>(wxID_NO));
    wxTheApp->ProcessIdle();
    EXPECT_TRUE(closed);
    EXPECT_EQ(0, CountPlanWindows());
    EXPECT_TRUE(wxGetApp().m_docManager->GetDocumentsVector().empty());
}

TEST_F(PlanViewTest, FailedLoadLeavesNoPlanWindowBehind)
{
    const wxString dir = MakeTempDir();
    wxFile(dir + "/broken.tovendal", wxFile::write).Write("<tovendal title=\"x\"><dates>");
    for (const char* name : {"/missing.tovendal", "/broken.tovendal"}) {
        wxDocument* doc = nullptr;
        wxTEST_DIALOG(doc = OpenPlan(dir + name), wxExpectModal<wxMessageDialog>(wxID_OK));
        wxTheApp->ProcessIdle();
        EXPECT_EQ(nullptr, doc) << name;
        EXPECT_EQ(0, CountPlanWindows()) << name;
        EXPECT_TRUE(wxGetApp().m_docManager->GetDocumentsVector().empty()) << name;
    }
    EXPECT_EQ("Load failed.", StatusText());
}

TEST_F(PlanViewTest, PrintoutIsMadeFromTheWindowsValuesOnlyWhenTheyAreValid)
{
    PlanDocument* doc = NewPlan();
    FrameOf(doc)->m_yearFromText->ChangeValue("abcd");
    wxPrintout* printout = nullptr;
    wxTEST_DIALOG(printout = ViewOf(doc)->OnCreatePrintout(),
                  wxExpectModal<wxMessageDialog>(wxID_OK));
    EXPECT_EQ(nullptr, printout);
    FrameOf(doc)->m_yearFromText->ChangeValue("2016");
    printout = ViewOf(doc)->OnCreatePrintout();
    ASSERT_NE(nullptr, printout);
    EXPECT_EQ("2016", doc->m_year);
    delete printout;
}
