#include "document/plandocument.h"
#include "planwindow/eventdialog.h"
#include "planwindow/planwindow.h"
#include "tests/planwindowfixture.h"

#include <wx/checkbox.h>
#include <wx/choice.h>
#include <wx/testing.h>
#include <wx/textctrl.h>

#include <gtk/gtk.h>

#include <gtest/gtest.h>

#include <functional>

// Types into a text control the way a key press ends up in GTK's text widgets.
static void Type(wxTextCtrl* text, const char* typed)
{
    GtkWidget* widget = text->GetHandle();
    if (GTK_IS_BIN(widget))
        widget = gtk_bin_get_child(GTK_BIN(widget)); // the multi-line text view in its scroller
    g_signal_emit_by_name(widget, "insert-at-cursor", typed);
}

// The "*" on the plan's tab agrees with what Save and Close see, whichever value the user edits.
class UnsavedMarker : public planwindowtest::PlanWindowFixture {};

TEST_F(UnsavedMarker, ShowsForEveryUnsavedEditAndGoesWithTheSave)
{
    PlanDocument* doc = NewPlan();
    TovendalProject* frame = FrameOf(doc);
    ASSERT_NE(nullptr, frame);
    const auto toggle = [](wxCheckBox* box) { box->SetValue(!box->GetValue()); };
    const struct { const char* name; std::function<void()> edit; bool unsaved; } edits[] = {
        {"title typed", [&] { Type(frame->m_titleText, "x"); }, true},
        {"first year typed", [&] { Type(frame->m_yearFromText, "1"); }, true},
        {"comments on another page typed", [&] { Type(frame->m_commentsText, "note"); }, true},
        {"start month chosen", [&] { frame->m_startMonthChoice->SetSelection(3); }, true},
        {"first day chosen", [&] { frame->m_firstDayChoice->SetSelection(2); }, true},
        {"bank holidays ticked", [&] { toggle(frame->m_bankHolidaysCheck); }, true},
        {"days across ticked", [&] { toggle(frame->m_daysAcrossCheck); }, true},
        {"event changed", [&] { doc->Modify(true); }, true},
        {"title set by the program", [&] { frame->m_titleText->ChangeValue("y"); }, false},
    };
    for (const auto& e : edits) {
        // As a save leaves the plan: values in the document, the snapshot retaken, edits cleared.
        frame->TransferDataFromWindow();
        doc->Modify(false);
        wxTheApp->ProcessIdle();
        EXPECT_FALSE(doc->IsModified()) << e.name;
        EXPECT_FALSE(frame->GetTitle().EndsWith("*")) << e.name << ": " << frame->GetTitle();
        e.edit();
        wxTheApp->ProcessIdle();
        EXPECT_EQ(e.unsaved, doc->IsModified()) << e.name;
        EXPECT_EQ(e.unsaved, frame->GetTitle().EndsWith("*")) << e.name << ": " << frame->GetTitle();
    }
}

// Answers the event editor: a description typed, the plan looked at while the editor is still
// open, then the button pressed.
struct TypeInEditor : wxExpectModalBase<diaryEvents, TypeInEditor>
{
    TypeInEditor(int button, std::function<void()> whileOpen) : m_button(button), m_whileOpen(whileOpen) {}
    int OnInvoked(diaryEvents* editor) const override
    {
        editor->Show();
        Type(editor->m_descriptionText, "Dentist");
        wxTheApp->ProcessIdle();
        m_whileOpen();
        wxCommandEvent press(wxEVT_BUTTON, m_button);
        press.SetEventObject(editor->FindWindow(m_button));
        editor->ProcessWindowEvent(press);
        editor->Hide();
        return m_button;
    }
    int m_button;
    std::function<void()> m_whileOpen;
};

TEST_F(UnsavedMarker, TypingInTheEventEditorCountsOnlyOnceTheEventIsAccepted)
{
    PlanDocument* doc = NewPlan();
    TovendalProject* frame = FrameOf(doc);
    ASSERT_NE(nullptr, frame);
    for (int button : {wxID_CANCEL, wxID_OK}) {
        wxCommandEvent newEvent(wxEVT_MENU, wxID_ADD);
        wxTEST_DIALOG(frame->ProcessWindowEvent(newEvent), TypeInEditor(button, [&] {
                          EXPECT_FALSE(doc->IsModified()) << button;
                          EXPECT_FALSE(frame->GetTitle().EndsWith("*")) << button << ": " << frame->GetTitle();
                      }));
        wxTheApp->ProcessIdle();
        EXPECT_EQ(button == wxID_OK, doc->IsModified()) << button;
        EXPECT_EQ(button == wxID_OK, frame->GetTitle().EndsWith("*")) << button << ": " << frame->GetTitle();
    }
}

TEST_F(UnsavedMarker, PlanOpenedWithIndicesTheChoicesLackIsUnchangedUntilTheUserChooses)
{
    // Start month and first day stored outside the choices' items, as other tools may write them.
    const int stored[][2] = {{14, -2}, {9, 9}, {-1, 7}};
    for (const auto& [month, day] : stored) {
        const wxString path = MakeTempDir() + "/plan.tovendal";
        wxFile(path, wxFile::write).Write(wxString::Format(
            "<?xml version=\"1.0\"?><tovendal year=\"2015\" startmonth=\"%d\" firstdayofweek=\"%d\">"
            "<dates/></tovendal>", month, day));
        PlanDocument* doc = OpenPlan(path);
        ASSERT_NE(nullptr, doc);
        TovendalProject* frame = FrameOf(doc);
        wxTheApp->ProcessIdle();
        EXPECT_FALSE(doc->IsModified()) << month << " " << day;
        EXPECT_FALSE(frame->GetTitle().EndsWith("*")) << frame->GetTitle();

        // A save as it stands keeps both; choosing a month changes only the month.
        const wxString again = MakeTempDir() + "/again.tovendal";
        ASSERT_TRUE(doc->OnSaveDocument(again));
        EXPECT_EQ(month, doc->m_startMonth);
        EXPECT_EQ(day, doc->m_firstDayOfWeek);
        frame->m_startMonthChoice->SetSelection(3);
        wxTheApp->ProcessIdle();
        EXPECT_TRUE(doc->IsModified());
        ASSERT_TRUE(doc->OnSaveDocument(again));
        EXPECT_EQ(3, doc->m_startMonth);
        EXPECT_EQ(day, doc->m_firstDayOfWeek);
        EXPECT_FALSE(doc->IsModified());
        CloseAllPlans();
    }
}
