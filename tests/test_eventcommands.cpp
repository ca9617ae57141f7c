// Event editing through the real plan window: the commands, the event editor
// and the highlight colour picker, answered as the user would answer them.
#include "planwindow/eventdialog.h"
#include "planwindow/highlight.h"
#include "tests/planwindowfixture.h"

#include <wx/checkbox.h>
#include <wx/datectrl.h>
#include <wx/textctrl.h>
#include <wx/toolbar.h>

#include <functional>

namespace {

using Rows = std::vector<std::string>;

// The picker's swatches; the colours with a name here are those the program's start-up adds.
const struct { int id; const char* name; const char* colour; } s_swatches[] = {
    {ID_HIGHLIGHT_BLACK, nullptr, "#000000"},   {ID_HIGHLIGHT_DARK_GREY, "Dark Grey", "#999999"},
    {ID_HIGHLIGHT_MAROON, "Maroon", "#990000"}, {ID_HIGHLIGHT_OLIVE, "Olive", "#999900"},
    {ID_HIGHLIGHT_GREEN, "Green", "#009900"},   {ID_HIGHLIGHT_TEAL, "Teal", "#009999"},
    {ID_HIGHLIGHT_NAVY, "Navy", "#000099"},     {ID_HIGHLIGHT_PURPLE, "Purple", "#990099"},
    {ID_HIGHLIGHT_WHITE, nullptr, "#FFFFFF"},   {ID_HIGHLIGHT_LIGHT_GREY, "Light Grey", "#CCCCCC"},
    {ID_HIGHLIGHT_RED, nullptr, "#FF0000"},     {ID_HIGHLIGHT_YELLOW, nullptr, "#FFFF00"},
    {ID_HIGHLIGHT_LIME, "Lime", "#00FF00"},     {ID_HIGHLIGHT_AQUA, "Aqua", "#00FFFF"},
    {ID_HIGHLIGHT_BLUE, nullptr, "#0000FF"},    {ID_HIGHLIGHT_FUCHSIA, "Fuchsia", "#FF00FF"}};

/// Clicks the button with the given id inside window, as the user would.
bool Click(wxWindow* window, int id)
{
    wxWindow* button = window->FindWindow(id);
    wxCommandEvent click(wxEVT_BUTTON, id);
    return button && button->GetEventHandler()->ProcessEvent(click);
}

/// Answers the event editor: shown with its controls filled, changed by fill, then accepted.
struct Accept : wxExpectModalBase<diaryEvents, Accept>
{
    explicit Accept(std::function<void(diaryEvents*)> fill = [](diaryEvents*) {}) : m_fill(fill) {}
    int OnInvoked(diaryEvents* editor) const override
    {
        editor->Show();
        m_fill(editor);
        EXPECT_TRUE(Click(editor, wxID_OK));
        editor->Hide();
        return wxID_OK;
    }
    std::function<void(diaryEvents*)> m_fill;
};

class EventCommandsTest : public planwindowtest::PlanWindowFixture
{
protected:
    // The colour database as the program's start-up leaves it; nothing held.
    void SetUp() override
    {
        for (const auto& swatch : s_swatches)
            if (swatch.name)
                wxTheColourDatabase->AddColour(swatch.name, wxColour(swatch.colour));
        delete wxGetApp().m_eventClipboard;
        wxGetApp().m_eventClipboard = nullptr;
    }

    /// A plan opened from a file of the first count of three events (keys 0, 1, 2).
    static PlanDocument* PlanWith(int count)
    {
        const wxString events[] = {"<event date='2015-03-01'>Spring</event>",
            "<event date='2015-12-31' todate='2016-01-02' annual='yes' fstdayonly='yes' "
            "colour='MAROON' textcolour='WHITE'>Holiday</event>",
            "<event date='2015-01-10'>Sale</event>"};
        const wxString path = MakeTempDir() + "/plan.tovendal";
        const wxString xml = wxJoin(wxArrayString(count, events), '\n');
        wxFile(path, wxFile::write).Write("<tovendal><dates>" + xml + "</dates></tovendal>");
        return OpenPlan(path);
    }

    /// Sends a command as the tool bar and the menus do.
    static void Command(PlanDocument* doc, int id)
    {
        wxCommandEvent click(wxEVT_MENU, id);
        FrameOf(doc)->ProcessWindowEvent(click);
    }

    static wxListCtrl* List(PlanDocument* doc) { return FrameOf(doc)->m_eventsList; }

    static void Select(PlanDocument* doc, long row)
    {
        List(doc)->SetItemState(row, wxLIST_STATE_SELECTED, wxLIST_STATE_SELECTED);
    }

    /// Enabled (1) or not (0): tools new, edit, delete, remove all, cut, copy, paste, then
    /// after "/" the Edit menu's cut, copy and paste.
    static wxString States(PlanDocument* doc)
    {
        TovendalProject* frame = FrameOf(doc);
        frame->UpdateWindowUI(wxUPDATE_UI_RECURSE);
        wxString text;
        for (int id : {int(wxID_ADD), int(ID_EDIT_EVENT), int(wxID_DELETE), int(wxID_REPLACE_ALL),
                       int(wxID_CUT), int(wxID_COPY), int(wxID_PASTE)})
            text += frame->m_eventsToolBar->GetToolEnabled(id) ? "1" : "0";
        text += "/";
        for (int id : {wxID_CUT, wxID_COPY, wxID_PASTE})
            text += frame->GetMenuBar()->IsEnabled(id) ? "1" : "0";
        return text;
    }

    /// The record of key as "text|from|to|hasTo annual firstDayOnly|colour|text colour".
    static std::string Record(PlanDocument* doc, long key)
    {
        const PlanEvent& e = *doc->m_events[key];
        return wxString::Format("%s|%s|%s|%d%d%d|%s|%s", e.m_text, e.m_date.FormatISODate(),
                                e.m_toDate.IsValid() ? e.m_toDate.FormatISODate() : "",
                                e.m_hasToDate, e.m_annual, e.m_firstDayOnly, e.m_colour,
                                e.m_textColour).ToStdString();
    }
};

// The three events in date order.
const Rows s_rows = {"2|2015/01|10|Sale||", "0|2015/03|01|Spring||",
                     "1|2015/12|31|Holiday|2016/01/02|Yes"};

} // namespace

TEST_F(EventCommandsTest, NewAppendsRowAndRecordUnderTheNextKey)
{
    PlanDocument* doc = PlanWith(3);
    wxTEST_DIALOG(Command(doc, wxID_ADD), wxExpectDismissableModal<diaryEvents>(wxID_CANCEL));
    EXPECT_FALSE(doc->IsModified());

    // Opens white on black without an end date; "1st Day Only" follows the To date.
    wxTEST_DIALOG(Command(doc, wxID_ADD), Accept([](diaryEvents* editor) {
        EXPECT_EQ(*wxWHITE, editor->m_descriptionText->GetBackgroundColour());
        EXPECT_EQ(*wxBLACK, editor->m_descriptionText->GetForegroundColour());
        EXPECT_FALSE(editor->m_toDatePicker->GetValue().IsValid());
        EXPECT_FALSE(editor->m_firstDayOnlyCheck->IsEnabled());
        editor->m_toDatePicker->SetValue(wxDateTime(2, wxDateTime::Mar, 2016));
        editor->UpdateWindowUI(wxUPDATE_UI_RECURSE);
        EXPECT_TRUE(editor->m_firstDayOnlyCheck->IsEnabled());
        editor->m_firstDayOnlyCheck->SetValue(true);
        editor->m_fromDatePicker->SetValue(wxDateTime(29, wxDateTime::Feb, 2016));
        editor->m_descriptionText->SetValue("Leap");
        // The text colour button opens the picker on the colour shown ("BLACK").
        EXPECT_TRUE(Click(editor, ID_EVENT_TEXT_COLOUR));
    }), wxExpectDismissableModal<winHighlight>(wxID_OK));
    EXPECT_EQ("3|2016/02|29|Leap|2016/03/02|", RowsOf(doc)[3]);
    EXPECT_EQ("Leap|2016-02-29|2016-03-02|101|white|BLACK", Record(doc, 3));
    EXPECT_TRUE(doc->IsModified());
}

TEST_F(EventCommandsTest, EditWritesRowAndRecordAndTheSavedPlanShowsThem)
{
    PlanDocument* doc = PlanWith(3);
    List(doc)->SetItem(2, 1, "30");  // the start date is read back from the row's texts
    Select(doc, 2);
    wxTEST_DIALOG(Command(doc, ID_EDIT_EVENT), Accept([](diaryEvents* editor) {
        EXPECT_EQ(wxDateTime(30, wxDateTime::Dec, 2015), editor->m_fromDatePicker->GetValue());
        EXPECT_EQ(wxDateTime(2, wxDateTime::Jan, 2016), editor->m_toDatePicker->GetValue());
        EXPECT_TRUE(editor->m_firstDayOnlyCheck->GetValue());
        editor->m_toDatePicker->SetValue(wxDefaultDateTime);
        editor->UpdateWindowUI(wxUPDATE_UI_RECURSE);
        EXPECT_FALSE(editor->m_firstDayOnlyCheck->IsEnabled());
        editor->m_descriptionText->SetValue("New Year");
        editor->m_backgroundColourName = "";  // "No Highlight", as the picker answers it
    }));
    EXPECT_EQ("1|2015/12|30|New Year||Yes", RowsOf(doc)[2]);
    EXPECT_EQ(List(doc)->GetBackgroundColour(), List(doc)->GetItemBackgroundColour(2));
    // Without a To date the record loses its end date and first-day-only flag too.
    EXPECT_EQ("New Year|2015-12-30||010||WHITE", Record(doc, 1));
    EXPECT_TRUE(doc->IsModified());

    // Enter or a double click on a row edits it; a row without colours gets the defaults.
    Select(doc, 0);
    wxListEvent activated(wxEVT_LIST_ITEM_ACTIVATED, ID_EVENTS_LIST);
    wxTEST_DIALOG(List(doc)->GetEventHandler()->ProcessEvent(activated), Accept());
    EXPECT_EQ("Sale|2015-01-10||000|white|black", Record(doc, 2));

    // Saved and opened again: the events as edited, written (and keyed anew) in date order.
    const wxString path = doc->GetFilename();
    ASSERT_TRUE(doc->OnSaveDocument(path));
    wxGetApp().m_docManager->CloseDocument(doc, true);
    EXPECT_EQ((Rows{"0|2015/01|10|Sale||", "1|2015/03|01|Spring||", "2|2015/12|30|New Year||Yes"}),
              RowsOf(OpenPlan(path)));
}

TEST_F(EventCommandsTest, CutInOnePlanPastesIntoAnotherUnderItsOwnKey)
{
    PlanDocument* first = PlanWith(3);
    PlanDocument* second = PlanWith(1);
    Command(second, wxID_PASTE);  // nothing held: nothing happens
    EXPECT_FALSE(second->IsModified());
    Select(first, 2);
    Command(first, wxID_CUT);
    EXPECT_EQ(Rows(s_rows.begin(), s_rows.begin() + 2), RowsOf(first));
    EXPECT_EQ(0u, first->m_events.count(1));
    EXPECT_TRUE(first->IsModified());

    // The held event outlives the plan it came from and pastes more than once.
    first->Modify(false);
    wxGetApp().m_docManager->CloseDocument(first, true);
    Command(second, wxID_PASTE);
    Command(second, wxID_PASTE);
    EXPECT_EQ((Rows{s_rows[1], s_rows[2], "2|2015/12|31|Holiday|2016/01/02|Yes"}), RowsOf(second));
    EXPECT_EQ(wxColour(153, 0, 0), List(second)->GetItemBackgroundColour(1));
    EXPECT_EQ("Holiday|2015-12-31|2016-01-02|111|MAROON|WHITE", Record(second, 2));
    EXPECT_TRUE(second->IsModified());
}

TEST_F(EventCommandsTest, CopyDeleteAndRemoveAllWithTheirToolStates)
{
    PlanDocument* doc = PlanWith(3);
    EXPECT_EQ("1001000/000", States(doc));
    Select(doc, 1);
    EXPECT_EQ("1111110/110", States(doc));
    Command(doc, wxID_COPY);
    EXPECT_EQ("Spring", wxGetApp().m_eventClipboard->m_text);
    EXPECT_FALSE(doc->IsModified());
    EXPECT_EQ("1111111/111", States(doc));

    Command(doc, wxID_DELETE);
    EXPECT_EQ((Rows{s_rows[0], s_rows[2]}), RowsOf(doc));
    EXPECT_EQ(0u, doc->m_events.count(0));
    EXPECT_TRUE(doc->IsModified());
    EXPECT_EQ("1001001/001", States(doc));

    doc->Modify(false);
    for (int answer : {wxNO, wxCANCEL})
        wxTEST_DIALOG(Command(doc, wxID_REPLACE_ALL), wxExpectModal<wxMessageDialog>(answer));
    EXPECT_FALSE(doc->IsModified());
    wxTEST_DIALOG(Command(doc, wxID_REPLACE_ALL), wxExpectModal<wxMessageDialog>(wxYES));
    EXPECT_TRUE(RowsOf(doc).empty() && doc->m_events.empty());
    EXPECT_TRUE(doc->IsModified());
    EXPECT_EQ("1000001/001", States(doc));
    // The copy outlives the record it was taken from.
    Command(doc, wxID_PASTE);
    EXPECT_EQ((Rows{"3|2015/03|01|Spring||"}), RowsOf(doc));
}

TEST_F(EventCommandsTest, RowWithoutItsRecordIsNeverDereferenced)
{
    PlanDocument* doc = PlanWith(3);
    List(doc)->SetItemData(0, 77);
    Select(doc, 0);
    Command(doc, ID_EDIT_EVENT);  // no editor opens
    Command(doc, wxID_COPY);
    Command(doc, wxID_DELETE);
    EXPECT_EQ(nullptr, wxGetApp().m_eventClipboard);
    EXPECT_EQ(Rows(s_rows.begin() + 1, s_rows.end()), RowsOf(doc));
    EXPECT_EQ(3u, doc->m_events.size());
    EXPECT_EQ(0u, doc->m_events.count(77));
}

TEST_F(EventCommandsTest, PickerNamesFocusNoHighlightAndEscape)
{
    const auto open = [](winHighlight& picker, const char* entry) {
        picker.m_colourName = entry;
        picker.Create(s_mainFrame, ID_HIGHLIGHT_DIALOG, "", wxPoint(50, 60), wxDefaultSize, 0);
        wxWindow* focus = wxWindow::FindFocus();
        return focus && focus->GetParent() == &picker ? focus->GetId() : int(wxID_NONE);
    };
    winHighlight picker, maroon, magenta;
    EXPECT_EQ(wxID_NONE, open(picker, "#990000"));  // a colour without a name
    for (const auto& swatch : s_swatches) {
        EXPECT_TRUE(Click(&picker, swatch.id));
        // A database name (not "#rrggbb") that gives the swatch's colour back.
        EXPECT_FALSE(picker.m_colourName.StartsWith("#")) << swatch.colour;
        EXPECT_EQ(wxColour(swatch.colour), wxTheColourDatabase->Find(picker.m_colourName));
    }
    EXPECT_TRUE(Click(&picker, wxID_OK));  // "No Highlight"
    EXPECT_EQ("", picker.m_colourName);

    // The entry's colour has the focus, whatever its name.
    EXPECT_EQ(ID_HIGHLIGHT_MAROON, open(maroon, "MAROON"));
    EXPECT_EQ(ID_HIGHLIGHT_FUCHSIA, open(magenta, "MAGENTA"));
    magenta.Show();
    wxKeyEvent escape(wxEVT_CHAR_HOOK);
    escape.m_keyCode = WXK_ESCAPE;
    magenta.ProcessWindowEvent(escape);
    EXPECT_FALSE(magenta.IsShown());
    EXPECT_EQ("MAGENTA", magenta.m_colourName);
}
