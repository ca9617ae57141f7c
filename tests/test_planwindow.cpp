#include "tests/planwindowfixture.h"

#include <wx/checkbox.h>
#include <wx/choice.h>
#include <wx/filehistory.h>
#include <wx/menu.h>
#include <wx/print.h>
#include <wx/textctrl.h>

using PlanWindowTest = planwindowtest::PlanWindowFixture;

TEST_F(PlanWindowTest, OpenedPlanShowsItsValuesAndEventsInDateOrder)
{
    s_mainFrame->SetStatusText("stale", 1);
    PlanDocument* doc = OpenPlan(WriteSamplePlan());
    TovendalProject* frame = FrameOf(doc);
    ASSERT_NE(nullptr, frame);
    EXPECT_EQ("Family", frame->m_titleText->GetValue());
    EXPECT_EQ("2015", frame->m_yearFromText->GetValue());
    EXPECT_EQ("20160", frame->m_yearToText->GetValue()) << "shown in full";
    EXPECT_EQ("April", frame->m_startMonthChoice->GetStringSelection());
    EXPECT_EQ("Su", frame->m_firstDayChoice->GetStringSelection());
    EXPECT_FALSE(frame->m_bankHolidaysCheck->GetValue());
    EXPECT_TRUE(frame->m_daysAcrossCheck->GetValue());
    EXPECT_EQ("Remember the cake", frame->m_commentsText->GetValue());

    // Rows in date order, each carrying the key of its event.
    EXPECT_EQ((std::vector<std::string>{"1|2015/01|10|January|2015/01/12|Yes",
                                        "2|2015/02|05|February||", "0|2015/03|01|March||"}),
              RowsOf(doc));
    wxListCtrl* list = frame->m_eventsList;
    // Only colour names the program knows colour a row.
    EXPECT_EQ(*wxBLUE, list->GetItemTextColour(0));
    EXPECT_FALSE(list->GetItemTextColour(2).IsOk());
    // A row whose event is gone sorts last and adds no event to the plan.
    list->SetItemData(0, 77);
    list->SortItems(CompareEventDates, reinterpret_cast<wxIntPtr>(frame));
    EXPECT_EQ(77u, list->GetItemData(2));
    EXPECT_EQ(3u, doc->m_events.size());
    EXPECT_EQ("", StatusText());
    EXPECT_FALSE(doc->IsModified());
}

TEST_F(PlanWindowTest, ChangesCountUntilSavedAndTheSaveWritesTheWindowsValues)
{
    const wxString path = WriteSamplePlan();
    PlanDocument* doc = OpenPlan(path);
    TovendalProject* frame = FrameOf(doc);
    ASSERT_NE(nullptr, frame);
    // A choice or box changed and changed back counts as unchanged (both hold other than 0).
    for (wxChoice* choice : {frame->m_startMonthChoice, frame->m_firstDayChoice}) {
        const int stored = choice->GetSelection();
        choice->SetSelection(0);
        EXPECT_TRUE(doc->IsModified()) << stored;
        choice->SetSelection(stored);
        EXPECT_FALSE(doc->IsModified()) << stored;
    }
    for (wxCheckBox* box : {frame->m_bankHolidaysCheck, frame->m_daysAcrossCheck}) {
        box->SetValue(!box->GetValue());
        EXPECT_TRUE(doc->IsModified()) << box->GetLabel();
        box->SetValue(!box->GetValue());
        EXPECT_FALSE(doc->IsModified()) << box->GetLabel();
    }

    // A typed character stays a change until the plan is saved from its File menu.
    ASSERT_TRUE(InsertText(frame->m_titleText, "s", frame->m_titleText->GetLastPosition()));
    EXPECT_TRUE(doc->IsModified());
    frame->m_startMonthChoice->SetSelection(8);
    frame->m_daysAcrossCheck->SetValue(false);
    frame->m_fileMenu->SendEvent(wxID_SAVE);
    EXPECT_FALSE(doc->IsModified());
    wxString saved;
    ASSERT_TRUE(wxFile(path).ReadAll(&saved));
    for (const char* attribute : {"title=\"Familys\"", "daysacross=\"false\"", "startmonth=\"8\"",
                                  "yearend=\"20160\""})
        EXPECT_NE(wxNOT_FOUND, saved.Find(attribute)) << attribute;
}

TEST_F(PlanWindowTest, FileMenuListsTheRecentFilesAndLeavesTheHistoryWithItsWindow)
{
    wxFileHistory* history = wxGetApp().m_docManager->GetFileHistory();
    const size_t menusBefore = history->GetMenus().GetCount();
    TovendalProject* frame = FrameOf(OpenPlan(WriteSamplePlan()));
    ASSERT_NE(nullptr, frame);
    EXPECT_TRUE(frame->m_fileMenu->GetLabel(history->GetBaseId()).Contains("Family"));
    wxGetApp().m_docManager->AddFileToHistory(MakeTempDir() + "/second.tovendal");
    EXPECT_TRUE(frame->m_fileMenu->GetLabel(history->GetBaseId()).Contains("second"));

    // Closed from its own File menu, and a window without a plan destroyed.
    frame->m_fileMenu->SendEvent(wxID_CLOSE);
    (new TovendalProject(nullptr, nullptr, s_mainFrame, ID_PROJECT_FRAME, "Label: untitled",
                         wxDefaultPosition, wxSize(400, 300), wxCAPTION))->Destroy();
    wxTheApp->ProcessIdle();
    EXPECT_EQ(0, CountPlanWindows());
    EXPECT_TRUE(wxGetApp().m_docManager->GetDocumentsVector().empty());
    EXPECT_EQ(menusBefore, history->GetMenus().GetCount());
    // The history must not write into a destroyed menu (the sanitizer build sees it).
    wxGetApp().m_docManager->AddFileToHistory(MakeTempDir() + "/later.tovendal");
}

TEST_F(PlanWindowTest, YearFieldsKeepFourCharactersWhateverTheUserInserts)
{
    TovendalProject* frame = FrameOf(OpenPlan(WriteSamplePlan()));
    ASSERT_NE(nullptr, frame);
    const struct { wxTextCtrl* field; const char* before; long at; const char *inserted, *after; }
        cases[] = {{frame->m_yearFromText, "20", 2, "123456", "2012"},
                   {frame->m_yearFromText, "20", 1, "123456", "2120"},
                   {frame->m_yearFromText, "", 0, "1999", "1999"},
                   // The stored year longer than four characters stays as it is.
                   {frame->m_yearToText, nullptr, 5, "1", "20160"},
                   {frame->m_yearToText, nullptr, 0, "12", "20160"}};
    for (const auto& c : cases) {
        if (c.before)
            c.field->SetValue(c.before);
        ASSERT_TRUE(InsertText(c.field, c.inserted, c.at));
        EXPECT_EQ(c.after, c.field->GetValue().ToStdString()) << c.inserted;
    }
}

TEST_F(PlanWindowTest, AnySaveTitlesThePlanWithTheFilesBaseName)
{
    // Save As on an opened plan, and the first save of a new plan, which asks for a name too.
    struct Case { bool opened; int command; };
    for (const Case& save : {Case{true, wxID_SAVEAS}, Case{false, wxID_SAVE}}) {
        PlanDocument* doc = save.opened ? OpenPlan(WriteSamplePlan()) : NewPlan();
        TovendalProject* frame = FrameOf(doc);
        ASSERT_NE(nullptr, frame);
        const wxString path = MakeTempDir() + "/Trip.tovendal";
        wxTEST_DIALOG(frame->m_fileMenu->SendEvent(save.command), ChooseFile(path));
        EXPECT_TRUE(wxFileExists(path)) << save.command;
        EXPECT_EQ("Trip", doc->GetTitle()) << save.command;
        EXPECT_EQ("Trip", frame->GetTitle()) << save.command;
        wxPrintout* printout = ViewOf(doc)->OnCreatePrintout();
        ASSERT_NE(nullptr, printout);
        EXPECT_EQ("Trip", printout->GetTitle()) << save.command;
        delete printout;
        CloseAllPlans();
    }
}

TEST_F(PlanWindowTest, ClosedPlanWindowsGiveTheirMemoryBack)
{
    // Opened, shown with its menus in the main frame, closed.
    const wxString path = WriteSamplePlan();
    const auto openAndClose = [&path] {
        ASSERT_NE(nullptr, FrameOf(OpenPlan(path)));
        wxTheApp->ProcessIdle();
        CloseAllPlans();
    };
    const double kept = HeapBytesKeptPerRound(openAndClose);
    // About 3.5 KB stay with the toolkit (fonts, event loop); a window keeping its images kept 26 KB.
    EXPECT_LT(kept, 6000) << "bytes kept per plan window";
}
