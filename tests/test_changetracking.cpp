#include "document/plandocument.h"
#include "planwindow/planwindow.h"
#include "tests/testsupport.h"
#include "view/planview.h"

#include <wx/checkbox.h>
#include <wx/choice.h>
#include <wx/frame.h>
#include <wx/notebook.h>
#include <wx/panel.h>
#include <wx/textctrl.h>

#include <gtest/gtest.h>

#include <functional>
#include <ostream>
#include <memory>
#include <vector>

namespace {

/// A stand-in for the plan window: the same ids, nested as deeply as the real one.
class PlanWindowTree
{
public:
    PlanWindowTree()
    {
        m_frame = new wxFrame(nullptr, wxID_ANY, "plan");
        wxPanel* outer = new wxPanel(m_frame, ID_PLAN_PANEL);
        wxNotebook* notebook = new wxNotebook(outer, ID_PLAN_NOTEBOOK);
        wxPanel* options = new wxPanel(notebook, ID_OPTIONS_PANEL);
        notebook->AddPage(options, "Options");
        wxPanel* commentsPanel = new wxPanel(notebook, ID_COMMENTS_PANEL);
        notebook->AddPage(commentsPanel, "Comments");

        m_yearFrom = new wxTextCtrl(options, ID_YEAR_FROM, "2015");
        m_yearTo = new wxTextCtrl(options, ID_YEAR_TO, "2016");
        m_title = new wxTextCtrl(options, ID_PLAN_TITLE, "Tovendal");
        const wxString months[] = {"January", "February", "March", "April"};
        m_startMonth = new wxChoice(options, ID_START_MONTH, wxDefaultPosition, wxDefaultSize,
                                    WXSIZEOF(months), months);
        const wxString days[] = {"Monday", "Tuesday", "Wednesday"};
        m_firstDay = new wxChoice(options, ID_FIRST_DAY, wxDefaultPosition, wxDefaultSize,
                                  WXSIZEOF(days), days);
        m_bankHolidays = new wxCheckBox(options, ID_BANK_HOLIDAYS, "Bank holidays");
        m_daysAcross = new wxCheckBox(options, ID_DAYS_ACROSS, "Days across");
        m_otherChoice = new wxChoice(options, wxID_ANY, wxDefaultPosition, wxDefaultSize,
                                     WXSIZEOF(days), days);
        m_otherCheck = new wxCheckBox(options, wxID_ANY, "Other");
        m_comments = new wxTextCtrl(commentsPanel, ID_COMMENTS_TEXT, "", wxDefaultPosition,
                                    wxDefaultSize, wxTE_MULTILINE);
    }

    ~PlanWindowTree() { m_frame->Destroy(); }

    /// Shows a new document's values: January, Monday, holidays on, days down.
    void ShowDefaults()
    {
        m_startMonth->SetSelection(0);
        m_firstDay->SetSelection(0);
        m_bankHolidays->SetValue(true);
        m_daysAcross->SetValue(false);
        m_otherChoice->SetSelection(0);
        m_otherCheck->SetValue(false);
    }

    std::vector<wxTextCtrl*> TextControls() const
    {
        return {m_yearFrom, m_yearTo, m_title, m_comments};
    }

    wxFrame* m_frame;
    wxTextCtrl* m_yearFrom;
    wxTextCtrl* m_yearTo;
    wxTextCtrl* m_title;
    wxChoice* m_startMonth;
    wxChoice* m_firstDay;
    wxCheckBox* m_bankHolidays;
    wxCheckBox* m_daysAcross;
    wxChoice* m_otherChoice;
    wxCheckBox* m_otherCheck;
    wxTextCtrl* m_comments;
};

struct ControlCase
{
    const char* name;
    std::function<void(PlanWindowTree&)> change;
    bool differs;
};

/// Names the case in test listings instead of dumping its bytes.
void PrintTo(const ControlCase& c, std::ostream* os)
{
    *os << c.name;
}

class ControlsDifferCase : public ::testing::TestWithParam<ControlCase>
{
};

} // namespace

TEST_P(ControlsDifferCase, ComparesTheBoundControlsWithTheSnapshot)
{
    PlanDocument doc;
    PlanWindowTree window;
    window.ShowDefaults();
    ASSERT_FALSE(doc.ControlsDiffer(window.m_frame));
    GetParam().change(window);
    EXPECT_EQ(GetParam().differs, doc.ControlsDiffer(window.m_frame));
}

const ControlCase CONTROL_CASES[] = {
    {"StartMonthChosen", [](PlanWindowTree& w) { w.m_startMonth->SetSelection(3); }, true},
    {"StartMonthChosenBack",
     [](PlanWindowTree& w) {
         w.m_startMonth->SetSelection(3);
         w.m_startMonth->SetSelection(0);
     },
     false},
    {"StartMonthWithoutSelection",
     [](PlanWindowTree& w) { w.m_startMonth->SetSelection(wxNOT_FOUND); }, true},
    {"FirstDayChosen", [](PlanWindowTree& w) { w.m_firstDay->SetSelection(2); }, true},
    {"BankHolidaysUnticked", [](PlanWindowTree& w) { w.m_bankHolidays->SetValue(false); }, true},
    {"DaysAcrossTicked", [](PlanWindowTree& w) { w.m_daysAcross->SetValue(true); }, true},
    {"DaysAcrossTickedAndUnticked",
     [](PlanWindowTree& w) {
         w.m_daysAcross->SetValue(true);
         w.m_daysAcross->SetValue(false);
     },
     false},
    {"OtherChoiceAndCheckBoxTakeNoPart",
     [](PlanWindowTree& w) {
         w.m_otherChoice->SetSelection(2);
         w.m_otherCheck->SetValue(true);
     },
     false},
    {"TitleTyped", [](PlanWindowTree& w) { w.m_title->MarkDirty(); }, true},
    {"CommentsOnAnotherPageTyped", [](PlanWindowTree& w) { w.m_comments->MarkDirty(); }, true},
    {"TextSetByProgramIsNoEdit", [](PlanWindowTree& w) { w.m_title->ChangeValue("x"); }, false},
    {"TypingDiscarded",
     [](PlanWindowTree& w) {
         w.m_yearTo->MarkDirty();
         w.m_yearTo->DiscardEdits();
     },
     false},
};

INSTANTIATE_TEST_SUITE_P(Controls, ControlsDifferCase, ::testing::ValuesIn(CONTROL_CASES),
                         [](const ::testing::TestParamInfo<ControlCase>& info) {
                             return std::string(info.param.name);
                         });

TEST(ChangeTracking, SnapshotFollowsTheDocumentNotTheControls)
{
    PlanDocument doc;
    PlanWindowTree window;
    window.ShowDefaults();
    window.m_startMonth->SetSelection(2);
    window.m_daysAcross->SetValue(true);
    EXPECT_TRUE(doc.ControlsDiffer(window.m_frame));

    // As after a save: the values reached the document, then the snapshot is retaken.
    doc.m_startMonth = 2;
    doc.m_daysAcross = true;
    doc.Modify(false);
    EXPECT_EQ(2, doc.m_savedStartMonth);
    EXPECT_TRUE(doc.m_savedDaysAcross);
    EXPECT_FALSE(doc.ControlsDiffer(window.m_frame));
    EXPECT_FALSE(doc.IsModified());

    window.m_startMonth->SetSelection(0);
    EXPECT_TRUE(doc.ControlsDiffer(window.m_frame));
}

TEST(ChangeTracking, SetTextControlsModifiedReachesEveryTextControl)
{
    PlanDocument doc;
    PlanWindowTree window;
    doc.SetTextControlsModified(window.m_frame, true);
    for (wxTextCtrl* text : window.TextControls())
        EXPECT_TRUE(text->IsModified()) << text->GetId();

    doc.SetTextControlsModified(window.m_frame, false);
    for (wxTextCtrl* text : window.TextControls())
        EXPECT_FALSE(text->IsModified()) << text->GetId();

    doc.SetTextControlsModified(nullptr, true);
    EXPECT_FALSE(doc.ControlsDiffer(nullptr));
}

namespace {

/// Adds a view of the given name to doc; takes it out again on destruction.
class AttachedView
{
public:
    AttachedView(PlanDocument& doc, const wxString& name) : m_doc(doc), m_view(new TextEditView)
    {
        m_view->SetViewName(name);
        m_view->SetDocument(&doc);
    }

    ~AttachedView()
    {
        // Detached by hand: removing the last view through the toolkit deletes the document.
        m_doc.GetViews().DeleteObject(m_view);
        m_view->SetDocument(nullptr);
        delete m_view;
    }

    PlanDocument& m_doc;
    TextEditView* m_view;
};

} // namespace

TEST(ChangeTracking, WithoutAPlanWindowOnlyTheFlagCounts)
{
    const wxString names[] = {"", "Text View", "Other View"};
    for (int views = 0; views < 2; ++views) {
        for (const wxString& name : names) {
            PlanDocument doc;
            std::unique_ptr<AttachedView> view(views ? new AttachedView(doc, name) : nullptr);
            SCOPED_TRACE(views ? name : wxString("no view"));

            EXPECT_FALSE(doc.IsModified());
            doc.m_startMonth = 5;
            doc.m_incUKbankhols = false;
            doc.Modify(true);
            EXPECT_TRUE(doc.IsModified());
            EXPECT_EQ(5, doc.m_savedStartMonth);
            EXPECT_FALSE(doc.m_savedIncUKbankhols);
            doc.Modify(false);
            EXPECT_FALSE(doc.IsModified());
            EXPECT_EQ(nullptr, doc.GetPlanWindow());
        }
    }
}

TEST(ChangeTracking, TheTextViewIsFoundByName)
{
    PlanDocument doc;
    AttachedView other(doc, "Other View");
    EXPECT_EQ(nullptr, doc.GetTextView());
    AttachedView text(doc, "Text View");
    EXPECT_EQ(text.m_view, doc.GetTextView());
}
