#include "tests/planwindowfixture.h"
#include "tests/testsupport.h"

#include <wx/filehistory.h>
#include <wx/listctrl.h>
#include <wx/menu.h>
#include <wx/printdlg.h>
#include <wx/testing.h>
#include <wx/textctrl.h>

using planwindowtest::PlanWindowFixture;

namespace {

/// Puts an event into the plan under the next key, as the load does.
long AddEvent(PlanDocument* doc, const wxDateTime& date, const wxString& text,
              const wxDateTime& toDate = wxInvalidDateTime, bool annual = false,
              const wxString& colour = "", const wxString& textColour = "")
{
    PlanEvent* event = new PlanEvent;
    event->m_date = date;
    event->m_text = text;
    event->m_toDate = toDate;
    event->m_hasToDate = toDate.IsValid();
    event->m_annual = annual;
    event->m_colour = colour;
    event->m_textColour = textColour;
    const long key = doc->m_nextEventId++;
    doc->m_events[key] = event;
    return key;
}

wxDateTime Day(int year, int month, int day)
{
    return wxDateTime(day, wxDateTime::Month(month - 1), year);
}

std::vector<wxString> RowTexts(wxListCtrl* list, long row)
{
    std::vector<wxString> texts;
    for (int column = 0; column < list->GetColumnCount(); ++column)
        texts.push_back(list->GetItemText(row, column));
    return texts;
}

bool HistoryUsesMenu(wxMenu* menu)
{
    const wxList& menus = wxGetApp().m_docManager->GetFileHistory()->GetMenus();
    return menus.Find(menu) != nullptr;
}

} // namespace

class PlanViewTest : public PlanWindowFixture
{
};

TEST_F(PlanViewTest, CreatingAPlanNamesTheViewAndMakesItsWindow)
{
    PlanDocument* doc = NewPlan();
    ASSERT_NE(nullptr, doc);
    TextEditView* view = ViewOf(doc);
    ASSERT_NE(nullptr, view);
    EXPECT_EQ("Text View", view->GetViewName());
    ASSERT_NE(nullptr, view->m_frame);
    EXPECT_EQ(view, view->m_frame->GetView());
    EXPECT_TRUE(view->m_frame->IsShown());
    EXPECT_EQ(view, wxGetApp().m_docManager->GetCurrentView());
}

TEST_F(PlanViewTest, FillShowsEachEventInTheRowFormat)
{
    PlanDocument* doc = NewPlan();
    TovendalProject* frame = FrameOf(doc);
    ASSERT_NE(nullptr, frame);
    const long annual = AddEvent(doc, Day(2015, 4, 7), "Holiday", Day(2015, 4, 9), true);
    const long single = AddEvent(doc, Day(2015, 11, 23), "Dentist");

    ViewOf(doc)->FillEventList(doc, frame);

    wxListCtrl* list = frame->m_eventsList;
    ASSERT_EQ(2, list->GetItemCount());
    EXPECT_TRUE(list->IsShown());
    const std::vector<wxString> first = {"2015/04", "07", "Holiday", "2015/04/09", "Yes"};
    const std::vector<wxString> second = {"2015/11", "23", "Dentist", "", ""};
    EXPECT_EQ(first, RowTexts(list, 0));
    EXPECT_EQ(annual, static_cast<long>(list->GetItemData(0)));
    EXPECT_EQ(second, RowTexts(list, 1));
    EXPECT_EQ(single, static_cast<long>(list->GetItemData(1)));
    EXPECT_EQ(2u, doc->m_events.size());
}

TEST_F(PlanViewTest, FillSortsRowsByStartDate)
{
    PlanDocument* doc = NewPlan();
    TovendalProject* frame = FrameOf(doc);
    AddEvent(doc, Day(2015, 3, 1), "March");
    AddEvent(doc, Day(2015, 1, 10), "January");
    AddEvent(doc, Day(2015, 2, 5), "February");

    ViewOf(doc)->FillEventList(doc, frame);

    wxListCtrl* list = frame->m_eventsList;
    ASSERT_EQ(3, list->GetItemCount());
    const long expectedKeys[] = {1, 2, 0};
    const char* expectedMonths[] = {"2015/01", "2015/02", "2015/03"};
    for (long row = 0; row < 3; ++row) {
        EXPECT_EQ(expectedKeys[row], static_cast<long>(list->GetItemData(row))) << row;
        EXPECT_EQ(expectedMonths[row], list->GetItemText(row, 0)) << row;
    }
}

TEST_F(PlanViewTest, FillColoursRowsOnlyByKnownColourNames)
{
    PlanDocument* doc = NewPlan();
    TovendalProject* frame = FrameOf(doc);
    AddEvent(doc, Day(2015, 1, 1), "known", wxInvalidDateTime, false, "YELLOW", "blue");
    AddEvent(doc, Day(2015, 1, 2), "unknown", wxInvalidDateTime, false, "", "No Such Colour");
    AddEvent(doc, Day(2015, 1, 3), "hex", wxInvalidDateTime, false, "#123456", "#654321");

    ViewOf(doc)->FillEventList(doc, frame);

    wxListCtrl* list = frame->m_eventsList;
    ASSERT_EQ(3, list->GetItemCount());
    EXPECT_EQ(*wxBLUE, list->GetItemTextColour(0));
    EXPECT_EQ(*wxYELLOW, list->GetItemBackgroundColour(0));
    for (long row = 1; row < 3; ++row) {
        EXPECT_FALSE(list->GetItemTextColour(row).IsOk()) << row;
        EXPECT_FALSE(list->GetItemBackgroundColour(row).IsOk()) << row;
    }
}

TEST_F(PlanViewTest, FillOfAPlanWithoutEventsLeavesTheHeaderWidths)
{
    PlanDocument* doc = NewPlan();
    TovendalProject* frame = FrameOf(doc);
    wxListCtrl* list = frame->m_eventsList;
    std::vector<int> before;
    for (int column = 0; column < 5; ++column)
        before.push_back(list->GetColumnWidth(column));

    ViewOf(doc)->FillEventList(doc, frame);

    EXPECT_EQ(0, list->GetItemCount());
    EXPECT_EQ(before[0], list->GetColumnWidth(0));
    EXPECT_EQ(before[1], list->GetColumnWidth(1));
    EXPECT_EQ(before[4], list->GetColumnWidth(4));
    EXPECT_TRUE(list->IsShown());
}

TEST_F(PlanViewTest, FillWidensTheEventColumnToItsText)
{
    PlanDocument* doc = NewPlan();
    TovendalProject* frame = FrameOf(doc);
    wxListCtrl* list = frame->m_eventsList;
    const int headerWidth = list->GetColumnWidth(2);
    AddEvent(doc, Day(2015, 6, 1), "A rather long description of a summer event");

    ViewOf(doc)->FillEventList(doc, frame);

    EXPECT_GT(list->GetColumnWidth(2), headerWidth);
}

TEST_F(PlanViewTest, CompareEventDatesOrdersByCalendarDay)
{
    PlanDocument* doc = NewPlan();
    TovendalProject* frame = FrameOf(doc);
    const long early = AddEvent(doc, Day(2015, 1, 10), "a");
    const long late = AddEvent(doc, Day(2015, 3, 1), "b");
    const long sameDay = AddEvent(doc, Day(2015, 1, 10), "c");
    const wxIntPtr data = reinterpret_cast<wxIntPtr>(frame);

    struct Case
    {
        long first;
        long second;
        int expected;
    };
    const Case cases[] = {{early, late, -1}, {late, early, 1}, {early, sameDay, 0},
                          {sameDay, early, 0}};
    for (const Case& c : cases)
        EXPECT_EQ(c.expected, CompareEventDates(c.first, c.second, data))
            << c.first << " vs " << c.second;
}

TEST_F(PlanViewTest, CompareEventDatesDoesNotInventEventsForUnknownKeys)
{
    PlanDocument* doc = NewPlan();
    TovendalProject* frame = FrameOf(doc);
    const long key = AddEvent(doc, Day(2015, 1, 10), "a");
    const wxIntPtr data = reinterpret_cast<wxIntPtr>(frame);

    EXPECT_EQ(-1, CompareEventDates(key, 99, data));
    EXPECT_EQ(1, CompareEventDates(99, key, data));
    EXPECT_EQ(1u, doc->m_events.size());
}

TEST_F(PlanViewTest, CancelledSavePromptKeepsThePlanOpen)
{
    PlanDocument* doc = NewPlan();
    TextEditView* view = ViewOf(doc);
    TovendalProject* frame = view->m_frame;
    wxMenu* fileMenu = frame->m_fileMenu;
    ASSERT_TRUE(HistoryUsesMenu(fileMenu));
    doc->Modify(true);

    bool closed = true;
    wxTEST_DIALOG(closed = view->Close(true), wxExpectModal<wxMessageDialog>(wxID_CANCEL));

    EXPECT_FALSE(closed);
    EXPECT_EQ(frame, view->m_frame);
    EXPECT_EQ(1, CountPlanWindows());
    EXPECT_EQ(1u, wxGetApp().m_docManager->GetDocumentsVector().size());
    EXPECT_TRUE(HistoryUsesMenu(fileMenu));
    EXPECT_EQ(view, wxGetApp().m_docManager->GetCurrentView());
    EXPECT_TRUE(doc->IsModified());
}

TEST_F(PlanViewTest, CancelledPromptOnTheCloseBoxKeepsThePlanOpen)
{
    PlanDocument* doc = NewPlan();
    TovendalProject* frame = FrameOf(doc);
    doc->Modify(true);

    bool closed = true;
    wxTEST_DIALOG(closed = frame->Close(), wxExpectModal<wxMessageDialog>(wxID_CANCEL));
    wxTheApp->ProcessIdle();

    EXPECT_FALSE(closed);
    EXPECT_EQ(1, CountPlanWindows());
    EXPECT_EQ(frame, FrameOf(doc));
}

TEST_F(PlanViewTest, ClosingTakesTheFileMenuOutOfTheHistory)
{
    PlanDocument* doc = NewPlan();
    wxMenu* fileMenu = FrameOf(doc)->m_fileMenu;
    ASSERT_TRUE(HistoryUsesMenu(fileMenu));
    const size_t menusBefore = wxGetApp().m_docManager->GetFileHistory()->GetMenus().GetCount();

    EXPECT_TRUE(wxGetApp().m_docManager->CloseDocument(doc));
    wxTheApp->ProcessIdle();

    EXPECT_EQ(0, CountPlanWindows());
    EXPECT_EQ(menusBefore - 1, wxGetApp().m_docManager->GetFileHistory()->GetMenus().GetCount());
    // The history must not touch the destroyed menu any more.
    wxGetApp().m_docManager->AddFileToHistory(MakeTempDir() + "/later.tovendal");
    wxGetApp().m_docManager->GetFileHistory()->RemoveFileFromHistory(0);
}

TEST_F(PlanViewTest, ClosingFromThePlansOwnFileMenuDestroysItsWindow)
{
    PlanDocument* doc = NewPlan();
    TovendalProject* frame = FrameOf(doc);

    frame->m_fileMenu->SendEvent(wxID_CLOSE);
    wxTheApp->ProcessIdle();

    EXPECT_EQ(0, CountPlanWindows());
    EXPECT_TRUE(wxGetApp().m_docManager->GetDocumentsVector().empty());
    EXPECT_EQ(nullptr, wxGetApp().m_docManager->GetCurrentView());
}

TEST_F(PlanViewTest, FailedLoadLeavesNoPlanWindowBehind)
{
    const wxString missing = MakeTempDir() + "/missing.tovendal";
    wxDocument* doc = nullptr;
    wxTEST_DIALOG(doc = wxGetApp().m_docManager->CreateDocument(missing, wxDOC_SILENT),
                  wxExpectModal<wxMessageDialog>(wxID_OK));
    wxTheApp->ProcessIdle();

    EXPECT_EQ(nullptr, doc);
    EXPECT_EQ(0, CountPlanWindows());
    EXPECT_TRUE(wxGetApp().m_docManager->GetDocumentsVector().empty());
    EXPECT_EQ(nullptr, wxGetApp().m_docManager->GetCurrentView());
}

TEST_F(PlanViewTest, PrintoutIsRefusedWhenAYearFailsItsValidator)
{
    PlanDocument* doc = NewPlan();
    TovendalProject* frame = FrameOf(doc);
    doc->m_year = "abcd";
    frame->TransferDataToWindow();

    wxPrintout* printout = reinterpret_cast<wxPrintout*>(1);
    wxTEST_DIALOG(printout = ViewOf(doc)->OnCreatePrintout(),
                  wxExpectModal<wxMessageDialog>(wxID_OK));

    EXPECT_EQ(nullptr, printout);
}

TEST_F(PlanViewTest, PrintoutTakesTheWindowsValuesAndThePrintableName)
{
    PlanDocument* doc = NewPlan();
    TovendalProject* frame = FrameOf(doc);
    frame->m_titleText->ChangeValue("Family");
    frame->m_yearFromText->ChangeValue("2016");

    wxPrintout* printout = ViewOf(doc)->OnCreatePrintout();

    ASSERT_NE(nullptr, printout);
    EXPECT_EQ(doc->GetUserReadableName(), printout->GetTitle());
    EXPECT_EQ("Family", doc->m_title);
    EXPECT_EQ("2016", doc->m_year);
    delete printout;
}
