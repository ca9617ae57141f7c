#include "planwindow/eventdialog.h"
#include "tests/eventtestsupport.h"
#include "tests/testsupport.h"

#include <wx/bmpbuttn.h>
#include <wx/checkbox.h>
#include <wx/datectrl.h>
#include <wx/dateevt.h>
#include <wx/frame.h>
#include <wx/textctrl.h>

#include <gtest/gtest.h>

namespace {

class EventDialogTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        FailOnToolkitAsserts();
        AddNamedColours();
        m_frame = new wxFrame(nullptr, wxID_ANY, "plan", wxPoint(0, 0), wxSize(600, 500));
        m_frame->Show();
    }

    void TearDown() override { m_frame->Destroy(); }

    /// Creates editor as the event commands do.
    void CreateEditor(diaryEvents& editor)
    {
        editor.Create(m_frame, ID_EVENT_DIALOG, _("Event"), wxDefaultPosition, wxDefaultSize,
                      wxSIMPLE_BORDER);
    }

    wxFrame* m_frame = nullptr;
};

wxCheckBox* AnnualCheck(diaryEvents* editor)
{
    return wxDynamicCast(editor->FindWindow(ID_EVENT_ANNUAL), wxCheckBox);
}

} // namespace

TEST_F(EventDialogTest, NewEventAcceptsWhiteBlackAndNoEndDate)
{
    diaryEvents editor(m_frame, ID_EVENT_DIALOG, _("Event"), wxDefaultPosition, wxDefaultSize,
                       wxSIMPLE_BORDER);
    EXPECT_EQ(*wxWHITE, editor.m_descriptionText->GetBackgroundColour());
    EXPECT_EQ(*wxBLACK, editor.m_descriptionText->GetForegroundColour());
    EXPECT_FALSE(editor.m_toDatePicker->GetValue().IsValid());

    int result = 0;
    wxTEST_DIALOG(result = editor.ShowModal(), EditorAnswer([](diaryEvents* shown) {
                      EXPECT_FALSE(shown->m_toDatePicker->GetValue().IsValid());
                      EXPECT_FALSE(shown->m_firstDayOnlyCheck->IsEnabled());
                      EXPECT_TRUE(shown->m_fromDatePicker->GetValue().IsValid());
                  }));
    EXPECT_EQ(wxID_OK, result);
    EXPECT_EQ("white", editor.GetBackgroundColourName());
    EXPECT_EQ("black", editor.GetTextColourName());
    EXPECT_TRUE(editor.GetDescription().empty());
    EXPECT_FALSE(editor.m_annual);
    EXPECT_FALSE(editor.m_firstDayOnly);
    EXPECT_FALSE(editor.m_toDatePicker->GetValue().IsValid());
}

TEST_F(EventDialogTest, CallerValuesReachTheControlsAndComeBackOnAccept)
{
    diaryEvents editor;
    editor.m_backgroundColourName = "MAROON";
    editor.m_textColourName = "#990000";
    CreateEditor(editor);
    editor.m_description = "Old text";
    editor.m_annual = true;
    editor.m_firstDayOnly = true;
    editor.m_toDatePicker->SetValue(wxDateTime(9, wxDateTime::Apr, 2015));

    // A name the database does not know gives black text and is kept as it is.
    EXPECT_EQ(wxColour(153, 0, 0), editor.m_descriptionText->GetBackgroundColour());
    EXPECT_EQ(*wxBLACK, editor.m_descriptionText->GetForegroundColour());

    int result = 0;
    wxTEST_DIALOG(result = editor.ShowModal(), EditorAnswer([](diaryEvents* shown) {
                      EXPECT_EQ("Old text", shown->m_descriptionText->GetValue());
                      EXPECT_TRUE(AnnualCheck(shown)->GetValue());
                      EXPECT_TRUE(shown->m_firstDayOnlyCheck->GetValue());
                      EXPECT_TRUE(shown->m_firstDayOnlyCheck->IsEnabled());
                      shown->m_descriptionText->SetValue("New text");
                      AnnualCheck(shown)->SetValue(false);
                  }));
    EXPECT_EQ(wxID_OK, result);
    EXPECT_EQ("New text", editor.GetDescription());
    EXPECT_FALSE(editor.m_annual);
    EXPECT_TRUE(editor.m_firstDayOnly);
    EXPECT_EQ("MAROON", editor.GetBackgroundColourName());
    EXPECT_EQ("#990000", editor.GetTextColourName());
}

TEST_F(EventDialogTest, CancelLeavesTheMembersAsTheyWere)
{
    diaryEvents editor;
    CreateEditor(editor);
    editor.m_description = "Kept";
    int result = 0;
    wxTEST_DIALOG(result = editor.ShowModal(), EditorAnswer(
                      [](diaryEvents* shown) { shown->m_descriptionText->SetValue("Typed"); },
                      wxID_CANCEL));
    EXPECT_EQ(wxID_CANCEL, result);
    EXPECT_EQ("Kept", editor.GetDescription());
}

TEST_F(EventDialogTest, FirstDayOnlyIsEnabledOnlyWithAToDate)
{
    diaryEvents editor;
    CreateEditor(editor);
    int result = 0;
    wxTEST_DIALOG(result = editor.ShowModal(), EditorAnswer([](diaryEvents* shown) {
                      EXPECT_FALSE(shown->m_firstDayOnlyCheck->IsEnabled());
                      shown->m_toDatePicker->SetValue(wxDateTime(3, wxDateTime::May, 2016));
                      shown->UpdateWindowUI(wxUPDATE_UI_RECURSE);
                      EXPECT_TRUE(shown->m_firstDayOnlyCheck->IsEnabled());
                      shown->m_firstDayOnlyCheck->SetValue(true);
                      // Clearing the To date disables the box but keeps its tick.
                      shown->m_toDatePicker->SetValue(wxDefaultDateTime);
                      shown->UpdateWindowUI(wxUPDATE_UI_RECURSE);
                      EXPECT_FALSE(shown->m_firstDayOnlyCheck->IsEnabled());
                      EXPECT_TRUE(shown->m_firstDayOnlyCheck->GetValue());
                  }));
    EXPECT_EQ(wxID_OK, result);
    EXPECT_TRUE(editor.m_firstDayOnly);
    EXPECT_FALSE(editor.m_toDatePicker->GetValue().IsValid());
}

TEST_F(EventDialogTest, FromDateBecomesTheToDatesLowerBound)
{
    diaryEvents editor;
    CreateEditor(editor);
    editor.m_toDatePicker->SetValue(wxDateTime(10, wxDateTime::Jan, 2015));
    const wxDateTime from(20, wxDateTime::Jan, 2015);
    editor.m_fromDatePicker->SetValue(from);
    wxDateEvent changed(editor.m_fromDatePicker, from, wxEVT_DATE_CHANGED);
    editor.m_fromDatePicker->GetEventHandler()->ProcessEvent(changed);

    wxDateTime lower, upper;
    EXPECT_TRUE(editor.m_toDatePicker->GetRange(&lower, &upper));
    EXPECT_EQ(from, lower);
    EXPECT_FALSE(upper.IsValid());
}

TEST_F(EventDialogTest, ColourButtonsOpenThePickerBelowThemAndTakeItsAnswer)
{
    diaryEvents editor;
    editor.m_textColourName = "NAVY";
    CreateEditor(editor);
    editor.Move(200, 150);

    const auto opensBelow = [&editor](wxBitmapButton* button, const char* entryName) {
        return [&editor, button, entryName](winHighlight* picker) {
            wxPoint expected = editor.ClientToScreen(button->GetPosition());
            expected.y += button->GetSize().y;
            EXPECT_EQ(expected, picker->GetPosition());
            EXPECT_EQ(entryName, picker->m_colourName);
        };
    };
    int result = 0;
    wxTEST_DIALOG(
        result = editor.ShowModal(),
        EditorAnswer([](diaryEvents* shown) {
            ClickButton(shown, ID_EVENT_BG_COLOUR);
            EXPECT_EQ("MAROON", shown->GetBackgroundColourName());
            EXPECT_EQ(wxColour(153, 0, 0), shown->m_descriptionText->GetBackgroundColour());
            ClickButton(shown, ID_EVENT_TEXT_COLOUR);
            EXPECT_EQ("NAVY", shown->GetTextColourName());
            ClickButton(shown, ID_EVENT_TEXT_COLOUR);
            EXPECT_TRUE(shown->GetTextColourName().empty());
            ClickButton(shown, ID_EVENT_BG_COLOUR);
            EXPECT_TRUE(shown->GetBackgroundColourName().empty());
        }),
        PickerAnswer(ID_HIGHLIGHT_MAROON, opensBelow(editor.m_backgroundColourButton, "WHITE")),
        PickerAnswer(wxID_CANCEL, opensBelow(editor.m_textColourButton, "NAVY")),
        PickerAnswer(wxID_OK, opensBelow(editor.m_textColourButton, "NAVY")),
        PickerAnswer(wxID_OK, opensBelow(editor.m_backgroundColourButton, "MAROON")));
    EXPECT_EQ(wxID_OK, result);
    EXPECT_TRUE(editor.GetTextColourName().empty());
    EXPECT_TRUE(editor.GetBackgroundColourName().empty());
    // "No Highlight" gives the field its default colours back.
    EXPECT_NE(wxColour(153, 0, 0), editor.m_descriptionText->GetBackgroundColour());
    EXPECT_NE(wxColour(0, 0, 153), editor.m_descriptionText->GetForegroundColour());
}

TEST_F(EventDialogTest, DraggingTheSurfaceMovesTheDialog)
{
    diaryEvents editor;
    CreateEditor(editor);
    editor.Show();
    editor.Move(100, 80);
    RunEventsFor(100);
    const wxPoint start = editor.GetPosition();
    const wxSize size = editor.GetSize();

    wxMouseEvent down(wxEVT_LEFT_DOWN);
    down.SetPosition(wxPoint(10, 10));
    down.m_leftDown = true;
    down.SetEventObject(&editor);
    editor.GetEventHandler()->ProcessEvent(down);

    wxMouseEvent hover(wxEVT_MOTION);
    hover.SetPosition(wxPoint(60, 60));
    hover.SetEventObject(&editor);
    editor.GetEventHandler()->ProcessEvent(hover);
    EXPECT_EQ(start, editor.GetPosition());

    wxMouseEvent drag(wxEVT_MOTION);
    drag.SetPosition(wxPoint(30, 25));
    drag.m_leftDown = true;
    drag.SetEventObject(&editor);
    editor.GetEventHandler()->ProcessEvent(drag);
    EXPECT_EQ(start + wxPoint(20, 15), editor.GetPosition());
    EXPECT_EQ(size, editor.GetSize());
    editor.Hide();
}

TEST(EventDialogImages, ButtonImagesByExactName)
{
    for (const char* name : { "stock_text_color_foreground-16.png",
                              "stock_text_color_background-16.png", "stock_calc-accept-16.png",
                              "stock_calc-cancel-16.png" }) {
        const wxBitmap bitmap = diaryEvents::GetBitmapResource(name);
        ASSERT_TRUE(bitmap.IsOk()) << name;
        EXPECT_EQ(wxSize(16, 16), bitmap.GetSize()) << name;
    }
    for (const char* missing : { "stock_calc-accept-16.PNG", "stock_calc-accept-16", "" })
        EXPECT_FALSE(diaryEvents::GetBitmapResource(missing).IsOk()) << missing;
}
