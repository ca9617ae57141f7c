#include "planwindow/eventcommands.h"
#include "tests/eventtestsupport.h"
#include "tests/planwindowfixture.h"

#include <wx/checkbox.h>
#include <wx/datectrl.h>
#include <wx/listctrl.h>
#include <wx/menu.h>
#include <wx/textctrl.h>
#include <wx/toolbar.h>

#include <gtest/gtest.h>

#include <vector>

namespace {

wxDateTime Day(int day, wxDateTime::Month month, int year)
{
    return wxDateTime(wxDateTime::wxDateTime_t(day), month, year);
}

/// One event as read from a file: start, end (or none), text, annual, first day only, colours.
struct EventSpec
{
    wxDateTime from, to;
    const char* text;
    bool annual, firstDayOnly;
    const char *background, *textColour;
};

// Keys 0, 1, 2; shown in date order as rows with the keys 2, 0, 1.
const std::vector<EventSpec> s_threeEvents = {
    { Day(1, wxDateTime::Mar, 2015), wxInvalidDateTime, "Spring", false, false, "", "" },
    { Day(31, wxDateTime::Dec, 2015), Day(2, wxDateTime::Jan, 2016), "Holiday", true, true,
      "MAROON", "WHITE" },
    { Day(10, wxDateTime::Jan, 2015), wxInvalidDateTime, "Sale", false, false, "#990000", "bad" },
};

class EventCommandsTest : public planwindowtest::PlanWindowFixture
{
protected:
    void SetUp() override
    {
        AddNamedColours();
        DropHeldEvent();
    }

    void TearDown() override
    {
        DropHeldEvent();
        PlanWindowFixture::TearDown();
    }

    static void DropHeldEvent()
    {
        delete wxGetApp().m_eventClipboard;
        wxGetApp().m_eventClipboard = nullptr;
    }

    /// A new plan holding events as a load leaves it: keys 0, 1, ..., list filled, unmodified.
    static PlanDocument* PlanWith(const std::vector<EventSpec>& events)
    {
        PlanDocument* doc = NewPlan();
        for (const EventSpec& spec : events) {
            PlanEvent* record = new PlanEvent;
            record->m_date = spec.from;
            record->m_toDate = spec.to;
            record->m_hasToDate = spec.to.IsValid();
            record->m_text = spec.text;
            record->m_annual = spec.annual;
            record->m_firstDayOnly = spec.firstDayOnly;
            record->m_colour = spec.background;
            record->m_textColour = spec.textColour;
            doc->m_events[doc->m_nextEventId++] = record;
        }
        ViewOf(doc)->FillEventList(doc, FrameOf(doc));
        doc->Modify(false);
        return doc;
    }

    /// Sends a command as a click on the events tool bar does.
    static void Command(PlanDocument* doc, int id)
    {
        wxToolBar* tools = FrameOf(doc)->m_eventsToolBar;
        wxCommandEvent click(wxEVT_MENU, id);
        click.SetEventObject(tools);
        tools->GetEventHandler()->ProcessEvent(click);
    }

    static wxListCtrl* List(PlanDocument* doc) { return FrameOf(doc)->m_eventsList; }

    static void Select(PlanDocument* doc, long row, bool on = true)
    {
        List(doc)->SetItemState(row, on ? wxLIST_STATE_SELECTED : 0, wxLIST_STATE_SELECTED);
    }

    /// The five column texts of a row, joined by "|".
    static wxString Row(PlanDocument* doc, long row)
    {
        wxString texts = List(doc)->GetItemText(row, 0);
        for (int column = 1; column < 5; ++column)
            texts += "|" + List(doc)->GetItemText(row, column);
        return texts;
    }

    /// Every row's item data, top to bottom.
    static std::vector<long> Keys(PlanDocument* doc)
    {
        std::vector<long> keys;
        for (long row = 0; row < List(doc)->GetItemCount(); ++row)
            keys.push_back(long(List(doc)->GetItemData(row)));
        return keys;
    }

    static PlanEvent* Record(PlanDocument* doc, long key)
    {
        PlanEventMap::iterator it = doc->m_events.find(key);
        return it == doc->m_events.end() ? nullptr : it->second;
    }

    static void SetStatus(const wxString& text) { s_mainFrame->SetStatusText(text, 1); }
};

} // namespace

TEST_F(EventCommandsTest, NewAppendsRowAndRecordUnderTheNextKey)
{
    PlanDocument* doc = PlanWith(s_threeEvents);
    wxTEST_DIALOG(Command(doc, wxID_ADD), EditorAnswer(nullptr, wxID_CANCEL));
    EXPECT_FALSE(doc->IsModified());

    wxTEST_DIALOG(Command(doc, wxID_ADD), EditorAnswer([](diaryEvents* editor) {
        editor->m_fromDatePicker->SetValue(Day(29, wxDateTime::Feb, 2016));
        editor->m_toDatePicker->SetValue(Day(2, wxDateTime::Mar, 2016));
        editor->m_descriptionText->SetValue("Leap");
        dynamic_cast<wxCheckBox*>(editor->FindWindow(ID_EVENT_ANNUAL))->SetValue(true);
        editor->m_firstDayOnlyCheck->SetValue(true);
        editor->m_backgroundColourName = "maroon";  // as the picker would set it
    }));
    EXPECT_EQ((std::vector<long>{ 2, 0, 1, 3 }), Keys(doc));
    EXPECT_EQ("2016/02|29|Leap|2016/03/02|Yes", Row(doc, 3));
    EXPECT_EQ(wxColour(153, 0, 0), List(doc)->GetItemBackgroundColour(3));
    EXPECT_EQ(4, doc->m_nextEventId);
    EXPECT_TRUE(doc->IsModified());
    const PlanEvent* record = Record(doc, 3);
    ASSERT_TRUE(record);
    EXPECT_EQ(Day(29, wxDateTime::Feb, 2016), record->m_date);
    EXPECT_EQ(Day(2, wxDateTime::Mar, 2016), record->m_toDate);
    EXPECT_TRUE(record->IsFirstDayOnly() && record->m_annual);
    EXPECT_EQ("maroon", record->m_colour);
    EXPECT_EQ("black", record->m_textColour);

    // Accepted as it opens: no end date and the editor's default colours.
    wxTEST_DIALOG(Command(doc, wxID_ADD), EditorAnswer(nullptr));
    ASSERT_TRUE(Record(doc, 4));
    EXPECT_FALSE(Record(doc, 4)->m_hasToDate || Record(doc, 4)->m_toDate.IsValid());
    EXPECT_EQ("white", Record(doc, 4)->m_colour);
    EXPECT_EQ("", List(doc)->GetItemText(4, 3));
}

TEST_F(EventCommandsTest, EditOpensOnRowAndRecordAndWritesBothBack)
{
    PlanDocument* doc = PlanWith(s_threeEvents);
    Select(doc, 2);
    wxTEST_DIALOG(Command(doc, ID_EDIT_EVENT), EditorAnswer([](diaryEvents* editor) {
        EXPECT_EQ(Day(31, wxDateTime::Dec, 2015), editor->m_fromDatePicker->GetValue());
        EXPECT_EQ(Day(2, wxDateTime::Jan, 2016), editor->m_toDatePicker->GetValue());
        EXPECT_EQ("Holiday", editor->m_descriptionText->GetValue());
        EXPECT_TRUE(editor->m_firstDayOnlyCheck->GetValue());
        EXPECT_EQ("MAROON", editor->GetBackgroundColourName());
        EXPECT_EQ("WHITE", editor->GetTextColourName());
        editor->m_toDatePicker->SetValue(wxDefaultDateTime);
        editor->m_descriptionText->SetValue("New Year");
        editor->m_backgroundColourName = "";  // "No Highlight"
    }));
    EXPECT_EQ("2015/12|31|New Year||Yes", Row(doc, 2));
    EXPECT_EQ((std::vector<long>{ 2, 0, 1 }), Keys(doc));
    EXPECT_EQ(List(doc)->GetBackgroundColour(), List(doc)->GetItemBackgroundColour(2));
    const PlanEvent* record = Record(doc, 1);
    EXPECT_EQ("New Year", record->m_text);
    EXPECT_FALSE(record->m_hasToDate || record->m_toDate.IsValid() || record->m_firstDayOnly);
    EXPECT_EQ("", record->m_colour);
    EXPECT_TRUE(doc->IsModified());

    // Activating a row edits it too; a row without colours gets the editor's defaults.
    doc->Modify(false);
    Select(doc, 0);
    wxListEvent activated(wxEVT_LIST_ITEM_ACTIVATED, ID_EVENTS_LIST);
    wxTEST_DIALOG(List(doc)->GetEventHandler()->ProcessEvent(activated), EditorAnswer(nullptr));
    EXPECT_EQ("2015/01|10|Sale||", Row(doc, 0));
    EXPECT_EQ("white", Record(doc, 2)->m_colour);
    EXPECT_EQ("black", Record(doc, 2)->m_textColour);
    EXPECT_TRUE(doc->IsModified());
}

TEST_F(EventCommandsTest, SelectionCommandsAskForARowAndTheMessageClears)
{
    PlanDocument* doc = PlanWith(s_threeEvents);
    for (int id : { int(ID_EDIT_EVENT), int(wxID_DELETE), int(wxID_CUT), int(wxID_COPY) }) {
        SetStatus("");
        Command(doc, id);
        EXPECT_EQ("Please select an Event.", StatusText()) << id;
    }
    EXPECT_EQ(3u, doc->m_events.size());
    EXPECT_EQ(nullptr, wxGetApp().m_eventClipboard);
    EXPECT_FALSE(doc->IsModified());

    Select(doc, 0);
    EXPECT_EQ("", StatusText());
    SetStatus("x");
    Select(doc, 0, false);
    EXPECT_EQ("", StatusText());
    SetStatus("x");
    FrameOf(doc)->Close();
    EXPECT_EQ("", StatusText());
}

TEST_F(EventCommandsTest, CutInOnePlanPastesIntoAnotherUnderItsOwnKey)
{
    PlanDocument* first = PlanWith(s_threeEvents);
    PlanDocument* second = PlanWith({ s_threeEvents[0] });
    Select(first, 2);
    Command(first, wxID_CUT);
    EXPECT_EQ((std::vector<long>{ 2, 0 }), Keys(first));
    EXPECT_EQ(nullptr, Record(first, 1));
    EXPECT_TRUE(first->IsModified());
    const PlanEvent* held = wxGetApp().m_eventClipboard;
    ASSERT_TRUE(held);

    // The held event outlives the plan it came from and pastes more than once.
    first->Modify(false);
    wxGetApp().m_docManager->CloseDocument(first, true);
    Command(second, wxID_PASTE);
    Command(second, wxID_PASTE);
    EXPECT_EQ((std::vector<long>{ 0, 1, 2 }), Keys(second));
    EXPECT_EQ("2015/12|31|Holiday|2016/01/02|Yes", Row(second, 1));
    EXPECT_EQ(wxColour(153, 0, 0), List(second)->GetItemBackgroundColour(1));
    EXPECT_EQ(*wxWHITE, List(second)->GetItemTextColour(2));
    EXPECT_TRUE(Record(second, 2)->IsFirstDayOnly());
    EXPECT_TRUE(second->IsModified());

    Select(second, 2);
    wxTEST_DIALOG(Command(second, ID_EDIT_EVENT), EditorAnswer([](diaryEvents* editor) {
        editor->m_descriptionText->SetValue("Edited copy");
    }));
    EXPECT_EQ("Holiday", Record(second, 1)->m_text);
    EXPECT_EQ(held, wxGetApp().m_eventClipboard);
    EXPECT_EQ("Holiday", held->m_text);
}

TEST_F(EventCommandsTest, CopyDeleteAndRemoveAll)
{
    PlanDocument* doc = PlanWith(s_threeEvents);
    Command(doc, wxID_PASTE);  // nothing held: nothing happens
    Select(doc, 2);
    Command(doc, wxID_COPY);
    Select(doc, 1);
    Command(doc, wxID_COPY);
    ASSERT_TRUE(wxGetApp().m_eventClipboard);
    EXPECT_EQ("Spring", wxGetApp().m_eventClipboard->m_text);
    EXPECT_NE(Record(doc, 0), wxGetApp().m_eventClipboard);
    EXPECT_FALSE(doc->IsModified());

    Command(doc, wxID_DELETE);
    EXPECT_EQ((std::vector<long>{ 2, 1 }), Keys(doc));
    EXPECT_EQ(nullptr, Record(doc, 0));
    EXPECT_TRUE(doc->IsModified());

    doc->Modify(false);
    for (int answer : { wxNO, wxCANCEL })
        wxTEST_DIALOG(Command(doc, wxID_REPLACE_ALL), wxExpectModal<wxMessageDialog>(answer));
    EXPECT_EQ(2, List(doc)->GetItemCount());
    EXPECT_FALSE(doc->IsModified());
    wxTEST_DIALOG(Command(doc, wxID_REPLACE_ALL), wxExpectModal<wxMessageDialog>(wxYES));
    EXPECT_EQ(0, List(doc)->GetItemCount());
    EXPECT_TRUE(doc->m_events.empty());
    EXPECT_TRUE(doc->IsModified());
    Command(doc, wxID_PASTE);
    EXPECT_EQ((std::vector<long>{ 3 }), Keys(doc));
}

TEST_F(EventCommandsTest, ToolsAndEditItemsFollowSelectionRowsAndHeldEvent)
{
    PlanDocument* doc = PlanWith({});
    TovendalProject* frame = FrameOf(doc);
    const auto states = [frame]() {
        frame->UpdateWindowUI(wxUPDATE_UI_RECURSE);
        wxString text;
        for (int id : { int(wxID_ADD), int(ID_EDIT_EVENT), int(wxID_DELETE),
                        int(wxID_REPLACE_ALL), int(wxID_CUT), int(wxID_COPY), int(wxID_PASTE) })
            text += frame->m_eventsToolBar->GetToolEnabled(id) ? "1" : "0";
        text += "/";
        for (int id : { wxID_CUT, wxID_COPY, wxID_PASTE })
            text += frame->GetMenuBar()->IsEnabled(id) ? "1" : "0";
        return text;
    };
    // Tools: new edit delete all cut copy paste / Edit menu: cut copy paste.
    EXPECT_EQ("1000000/000", states());
    wxTEST_DIALOG(Command(doc, wxID_ADD), EditorAnswer(nullptr));
    EXPECT_EQ("1001000/000", states());
    Select(doc, 0);
    EXPECT_EQ("1111110/110", states());
    Command(doc, wxID_COPY);
    EXPECT_EQ("1111111/111", states());
    Select(doc, 0, false);
    EXPECT_EQ("1001001/001", states());
}

TEST_F(EventCommandsTest, RowWithoutItsRecordIsNeverDereferenced)
{
    PlanDocument* doc = PlanWith(s_threeEvents);
    List(doc)->SetItemData(0, 77);
    Select(doc, 0);
    Command(doc, ID_EDIT_EVENT);  // no editor opens
    Command(doc, wxID_COPY);
    Command(doc, wxID_DELETE);
    EXPECT_EQ(nullptr, wxGetApp().m_eventClipboard);
    EXPECT_EQ((std::vector<long>{ 0, 1 }), Keys(doc));
    EXPECT_EQ(3u, doc->m_events.size());
    EXPECT_EQ(nullptr, Record(doc, 77));

    wxContextMenuEvent request(wxEVT_CONTEXT_MENU, ID_PLAN_TITLE);
    request.SetEventObject(FrameOf(doc)->m_titleText);
    FrameOf(doc)->OnContextMenu(request);
    EXPECT_TRUE(request.GetSkipped());
}

TEST_F(EventCommandsTest, SavedAndReopenedPlanShowsTheEditedEvents)
{
    PlanDocument* doc = PlanWith(s_threeEvents);
    Select(doc, 0);
    Command(doc, wxID_DELETE);
    Select(doc, 1);
    wxTEST_DIALOG(Command(doc, ID_EDIT_EVENT), EditorAnswer([](diaryEvents* editor) {
        editor->m_fromDatePicker->SetValue(Day(24, wxDateTime::Dec, 2015));
        editor->m_descriptionText->SetValue("Christmas");
    }));
    wxTEST_DIALOG(Command(doc, wxID_ADD), EditorAnswer([](diaryEvents* editor) {
        editor->m_fromDatePicker->SetValue(Day(5, wxDateTime::Feb, 2015));
        editor->m_descriptionText->SetValue("Added");
    }));
    const std::vector<wxString> dateOrder = { Row(doc, 2), Row(doc, 0), Row(doc, 1) };
    EXPECT_EQ("2015/12|24|Christmas|2016/01/02|Yes", dateOrder[2]);

    const wxString path = MakeTempDir() + "/edited.tovendal";
    ASSERT_TRUE(doc->OnSaveDocument(path));
    doc->Modify(false);
    wxGetApp().m_docManager->CloseDocument(doc, true);
    PlanDocument* reopened =
        dynamic_cast<PlanDocument*>(wxGetApp().m_docManager->CreateDocument(path, wxDOC_SILENT));
    ASSERT_TRUE(reopened);
    std::vector<wxString> rows;
    for (long row = 0; row < List(reopened)->GetItemCount(); ++row)
        rows.push_back(Row(reopened, row));
    EXPECT_EQ(dateOrder, rows);
}

TEST(EventsMenu, ItemsInOrderWithTheirImages)
{
    wxMenu* menu = CreateEventsMenu();
    const struct { int id; const char *label, *help; } items[] = {
        { wxID_ADD, "Add Event...", "Create New Event..." },
        { ID_EDIT_EVENT, "Edit Event...", "Edit Existing Event..." },
        { wxID_DELETE, "Delete Event", "Remove Selected Event." },
        { wxID_SEPARATOR, "", "" },
        { wxID_REPLACE_ALL, "Remove All Events...", "Remove All Events from the list." },
    };
    ASSERT_EQ(5u, menu->GetMenuItemCount());
    for (size_t i = 0; i < 5; ++i) {
        const wxMenuItem* item = menu->FindItemByPosition(i);
        EXPECT_EQ(items[i].id, item->GetId()) << i;
        EXPECT_EQ(items[i].label, item->GetItemLabel());
        EXPECT_EQ(items[i].help, item->GetHelp());
        EXPECT_EQ(!item->IsSeparator(), item->GetBitmap().IsOk());
    }
    delete menu;
    EXPECT_EQ(wxSize(16, 16), GetEventsMenuBitmap("stock_delete-16.png").GetSize());
    EXPECT_FALSE(GetEventsMenuBitmap("stock_delete-16.xpm").IsOk());
}
