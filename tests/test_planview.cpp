#include "tests/planwindowfixture.h"

#include <wx/choice.h>
#include <wx/filehistory.h>
#include <wx/listctrl.h>

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
    wxTEST_DIALOG(closed = wxGetApp().m_docManager->CloseDocument(doc), wxExpectModal<wxMessageDialog>(wxID_NO));
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
    wxTEST_DIALOG(printout = ViewOf(doc)->OnCreatePrintout(), wxExpectModal<wxMessageDialog>(wxID_OK));
    EXPECT_EQ(nullptr, printout);
    FrameOf(doc)->m_yearFromText->ChangeValue("2016");
    printout = ViewOf(doc)->OnCreatePrintout();
    ASSERT_NE(nullptr, printout);
    EXPECT_EQ("2016", doc->m_year);
    delete printout;
}

TEST_F(PlanViewTest, EventsListGetsTheRowsAndWidthsOfAddingEachTextAndSortingTheList)
{
    // Many events on few days, stored out of order; colours named, unknown, unnamed and none.
    // And a plan without events, whose columns fit their headers.
    const char* const colours[] = {"", "RED", "No Such Colour", "#123456", "LIGHT GREY"};
    for (int count : {80, 0}) {
        wxString events;
        for (int i = 0; i < count; ++i)
            events += wxString::Format(
                "<event date=\"2015-%02d-%02d\"%s colour=\"%s\" textcolour=\"%s\"%s>%s</event>",
                1 + i * 7 % 3, 1 + i * 5 % 11, i % 4 ? "" : " todate=\"2016-11-30\"", colours[i % 5],
                colours[i / 5 % 5], i % 6 ? "" : " annual=\"yes\"",
                wxString('W', i % 13) + wxString::Format("Event %d", i));
        const wxString path = MakeTempDir() + "/many.tovendal";
        wxFile(path, wxFile::write).Write("<tovendal><dates>" + events + "</dates></tovendal>");
        PlanDocument* doc = OpenPlan(path);
        TovendalProject* frame = FrameOf(doc);
        ASSERT_NE(nullptr, frame);
        wxListCtrl* list = frame->m_eventsList;

        // The same rows added a text, key and colour at a time in map order, then sorted by the list.
        wxListCtrl* added = new wxListCtrl(list->GetParent(), wxID_ANY, wxDefaultPosition, wxSize(100, -1),
                                           list->GetWindowStyleFlag());
        for (int column = 0; column < 5; ++column) {
            wxListItem header;
            header.SetMask(wxLIST_MASK_TEXT | wxLIST_MASK_FORMAT);
            list->GetColumn(column, header);
            added->InsertColumn(column, header);
        }
        for (const auto& [key, e] : doc->m_events) {
            const long row = added->InsertItem(added->GetItemCount(),
                                               wxString::Format("%04d/%02d", e->m_date.GetYear(), e->m_date.GetMonth() + 1));
            added->SetItemData(row, key);
            added->SetItem(row, 1, wxString::Format("%02d", e->m_date.GetDay()));
            added->SetItem(row, 2, e->m_text);
            added->SetItem(row, 3, e->m_hasToDate ? e->m_toDate.Format("%Y/%m/%d") : "");
            added->SetItem(row, 4, e->m_annual ? "Yes" : "");
            if (wxTheColourDatabase->Find(e->m_textColour).IsOk())
                added->SetItemTextColour(row, wxTheColourDatabase->Find(e->m_textColour));
            added->SetItemBackgroundColour(row, wxTheColourDatabase->Find(e->m_colour));
        }
        added->SortItems(CompareEventDates, reinterpret_cast<wxIntPtr>(frame));
        for (int column = 0; column < 5; ++column)
            added->SetColumnWidth(column, wxLIST_AUTOSIZE_USEHEADER);
        ASSERT_EQ(added->GetItemCount(), list->GetItemCount());
        for (long row = 0; row < list->GetItemCount(); ++row) {
            EXPECT_EQ(added->GetItemData(row), list->GetItemData(row)) << row;
            for (int column = 0; column < 5; ++column)
                EXPECT_EQ(added->GetItemText(row, column), list->GetItemText(row, column))
                    << row << "," << column;
            EXPECT_EQ(added->GetItemTextColour(row), list->GetItemTextColour(row)) << row;
            EXPECT_EQ(added->GetItemBackgroundColour(row), list->GetItemBackgroundColour(row)) << row;
        }
        for (int column = 0; column < 5; ++column)
            EXPECT_EQ(added->GetColumnWidth(column), list->GetColumnWidth(column)) << count << "," << column;
        added->Destroy();
        CloseAllPlans();
    }
}
