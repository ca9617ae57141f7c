#include "document/plandocument.h"
#include "planwindow/planwindow.h"
#include "tests/planwindowfixture.h"

#include <wx/checkbox.h>
#include <wx/choice.h>
#include <wx/frame.h>
#include <wx/notebook.h>
#include <wx/panel.h>
#include <wx/textctrl.h>

#include <gtk/gtk.h>

#include <gtest/gtest.h>

#include <functional>

// The walk over a stand-in for the plan window: the same ids, nested as deeply as the real one.
TEST(ChangeTracking, ControlsDifferFromTheSnapshotOnlyWhereTheUserChangedThem)
{
    wxFrame* frame = new wxFrame(nullptr, wxID_ANY, "plan");
    wxNotebook* notebook = new wxNotebook(new wxPanel(frame, ID_PLAN_PANEL), ID_PLAN_NOTEBOOK);
    wxPanel* options = new wxPanel(notebook, ID_OPTIONS_PANEL);
    const wxString names[] = {"a", "b", "c", "d"};
    wxTextCtrl* title = new wxTextCtrl(options, ID_PLAN_TITLE, "Tovendal");
    wxTextCtrl* comments = new wxTextCtrl(new wxPanel(notebook, ID_COMMENTS_PANEL), ID_COMMENTS_TEXT);
    wxChoice* month = new wxChoice(options, ID_START_MONTH, wxDefaultPosition, wxDefaultSize, 4, names);
    wxChoice* day = new wxChoice(options, ID_FIRST_DAY, wxDefaultPosition, wxDefaultSize, 4, names);
    wxCheckBox* holidays = new wxCheckBox(options, ID_BANK_HOLIDAYS, "h");
    wxCheckBox* across = new wxCheckBox(options, ID_DAYS_ACROSS, "a");
    const struct { const char* name; std::function<void()> change; bool differs; } cases[] = {
        {"start month", [&] { month->SetSelection(3); }, true},
        {"first day", [&] { day->SetSelection(2); }, true},
        {"bank holidays", [&] { holidays->SetValue(!holidays->GetValue()); }, true},
        {"days across", [&] { across->SetValue(!across->GetValue()); }, true},
        {"title typed", [&] { title->MarkDirty(); }, true},
        {"comments on another page typed", [&] { comments->MarkDirty(); }, true},
        {"text set by the program", [&] { title->ChangeValue("x"); }, false},
    };
    PlanDocument doc;
    for (const auto& c : cases) {
        // As a save does: the values reach the document, the snapshot is retaken, typing is cleared.
        doc.m_startMonth = month->GetSelection();
        doc.m_firstDayOfWeek = day->GetSelection();
        doc.m_incUKbankhols = holidays->GetValue();
        doc.m_daysAcross = across->GetValue();
        doc.Modify(false);
        doc.SetTextControlsModified(frame, false);
        ASSERT_FALSE(doc.ControlsDiffer(frame)) << c.name;
        c.change();
        EXPECT_EQ(c.differs, doc.ControlsDiffer(frame)) << c.name;
    }
    frame->Destroy();
}

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
    const struct { const char* name; std::function<void()> edit; } edits[] = {
        {"title typed", [&] { Type(frame->m_titleText, "x"); }},
        {"first year typed", [&] { Type(frame->m_yearFromText, "1"); }},
        {"comments typed", [&] { Type(frame->m_commentsText, "note"); }},
        {"start month chosen", [&] { frame->m_startMonthChoice->SetSelection(3); }},
        {"days across ticked", [&] { frame->m_daysAcrossCheck->SetValue(true); }},
        {"event changed", [&] { doc->Modify(true); }},
    };
    for (const auto& e : edits) {
        // As a save leaves the plan: values in the document, edits cleared.
        frame->TransferDataFromWindow();
        doc->Modify(false);
        wxTheApp->ProcessIdle();
        EXPECT_FALSE(doc->IsModified()) << e.name;
        EXPECT_FALSE(frame->GetTitle().EndsWith("*")) << e.name << ": " << frame->GetTitle();
        e.edit();
        wxTheApp->ProcessIdle();
        EXPECT_TRUE(doc->IsModified()) << e.name;
        EXPECT_TRUE(frame->GetTitle().EndsWith("*")) << e.name << ": " << frame->GetTitle();
    }
}
