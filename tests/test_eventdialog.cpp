#include "planwindow/eventdialog.h"
#include "tests/eventtestsupport.h"

#include <wx/bmpbuttn.h>
#include <wx/checkbox.h>
#include <wx/datectrl.h>
#include <wx/dateevt.h>
#include <wx/frame.h>
#include <wx/textctrl.h>

#include <gtest/gtest.h>

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

    void CreateEditor(diaryEvents& editor)
    {
        editor.Create(m_frame, ID_EVENT_DIALOG, "Event", wxDefaultPosition, wxDefaultSize,
                      wxSIMPLE_BORDER);
    }

    wxFrame* m_frame = nullptr;
};

TEST_F(EventDialogTest, NewEventHasNoEndDateAndFirstDayOnlyFollowsTheToDate)
{
    diaryEvents editor(m_frame, ID_EVENT_DIALOG, "Event", wxDefaultPosition, wxDefaultSize,
                       wxSIMPLE_BORDER);
    EXPECT_EQ(*wxWHITE, editor.m_descriptionText->GetBackgroundColour());
    EXPECT_EQ(*wxBLACK, editor.m_descriptionText->GetForegroundColour());
    wxTEST_DIALOG(editor.ShowModal(), EditorAnswer([](diaryEvents* shown) {
        EXPECT_FALSE(shown->m_toDatePicker->GetValue().IsValid());
        EXPECT_FALSE(shown->m_firstDayOnlyCheck->IsEnabled());
        shown->m_toDatePicker->SetValue(wxDateTime(3, wxDateTime::May, 2016));
        shown->UpdateWindowUI(wxUPDATE_UI_RECURSE);
        EXPECT_TRUE(shown->m_firstDayOnlyCheck->IsEnabled());
        shown->m_firstDayOnlyCheck->SetValue(true);
        // Clearing the To date disables the box and keeps its tick.
        shown->m_toDatePicker->SetValue(wxDefaultDateTime);
        shown->UpdateWindowUI(wxUPDATE_UI_RECURSE);
        EXPECT_FALSE(shown->m_firstDayOnlyCheck->IsEnabled());
    }));
    EXPECT_TRUE(editor.m_firstDayOnly);
    EXPECT_FALSE(editor.m_toDatePicker->GetValue().IsValid());
    EXPECT_EQ("white", editor.GetBackgroundColourName());
    EXPECT_EQ("black", editor.GetTextColourName());
}

TEST_F(EventDialogTest, GivenNamesColourTheDescriptionAndComeBackUnchanged)
{
    diaryEvents editor;
    editor.m_backgroundColourName = "MAROON";
    editor.m_textColourName = "#990000";  // not a database name: black text
    CreateEditor(editor);
    EXPECT_EQ(wxColour(153, 0, 0), editor.m_descriptionText->GetBackgroundColour());
    EXPECT_EQ(*wxBLACK, editor.m_descriptionText->GetForegroundColour());
    EXPECT_EQ("#990000", editor.GetTextColourName());
}

TEST_F(EventDialogTest, FromDateBecomesTheToDatesLowerBound)
{
    diaryEvents editor;
    CreateEditor(editor);
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
    const auto below = [&editor](wxBitmapButton* button, const char* entryName) {
        return [&editor, button, entryName](winHighlight* picker) {
            EXPECT_EQ(editor.ClientToScreen(button->GetPosition()) +
                          wxPoint(0, button->GetSize().y),
                      picker->GetPosition());
            EXPECT_EQ(entryName, picker->m_colourName);
        };
    };
    wxTEST_DIALOG(editor.ShowModal(),
                  EditorAnswer([](diaryEvents* shown) {
                      ClickButton(shown, ID_EVENT_BG_COLOUR);
                      EXPECT_EQ("MAROON", shown->GetBackgroundColourName());
                      EXPECT_EQ(wxColour(153, 0, 0),
                                shown->m_descriptionText->GetBackgroundColour());
                      ClickButton(shown, ID_EVENT_TEXT_COLOUR);
                      EXPECT_EQ("NAVY", shown->GetTextColourName());
                      ClickButton(shown, ID_EVENT_TEXT_COLOUR);
                  }),
                  PickerAnswer(ID_HIGHLIGHT_MAROON, below(editor.m_backgroundColourButton, "WHITE")),
                  PickerAnswer(wxID_CANCEL, below(editor.m_textColourButton, "NAVY")),
                  PickerAnswer(wxID_OK, below(editor.m_textColourButton, "NAVY")));
    EXPECT_EQ("", editor.GetTextColourName());
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
    const auto send = [&editor](wxEventType type, wxPoint at, bool leftDown) {
        wxMouseEvent mouse(type);
        mouse.SetPosition(at);
        mouse.m_leftDown = leftDown;
        editor.GetEventHandler()->ProcessEvent(mouse);
    };
    send(wxEVT_LEFT_DOWN, wxPoint(10, 10), true);
    send(wxEVT_MOTION, wxPoint(60, 60), false);
    EXPECT_EQ(start, editor.GetPosition());
    send(wxEVT_MOTION, wxPoint(30, 25), true);
    EXPECT_EQ(start + wxPoint(20, 15), editor.GetPosition());
    EXPECT_EQ(size, editor.GetSize());
    editor.Hide();
}
