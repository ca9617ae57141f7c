#ifndef TOVENDAL_TESTS_PLANWINDOWFIXTURE_H
#define TOVENDAL_TESTS_PLANWINDOWFIXTURE_H

// A document manager, the plan template and an MDI main frame, as the
// application's start-up makes them, so that tests open real plan windows.

#include "app/app.h"
#include "document/plandocument.h"
#include "planwindow/planwindow.h"
#include "view/docmanager.h"
#include "view/planview.h"

#include <wx/docmdi.h>
#include <wx/log.h>
#include <wx/modalhook.h>
#include <wx/msgdlg.h>

#include <gtest/gtest.h>

#include <vector>

namespace planwindowtest {

/// Turns toolkit assertions into test failures instead of blocking dialogs.
inline void FailOnAssert(const wxString& file, int line, const wxString& func,
                         const wxString& cond, const wxString& msg)
{
    ADD_FAILURE() << "wx assertion " << cond << " (" << msg << ") in " << func << " at " << file
                  << ":" << line;
}

/// Answers any dialog that no test expected with Cancel and records a failure.
class UnexpectedDialogHook : public wxModalDialogHook
{
protected:
    int Enter(wxDialog* dialog) override
    {
        wxString text = dialog->GetTitle();
        if (wxMessageDialog* box = dynamic_cast<wxMessageDialog*>(dialog))
            text = box->GetMessage();
        ADD_FAILURE() << "unexpected dialog: " << text;
        return wxID_CANCEL;
    }
    void Exit(wxDialog*) override {}
};

/// Test fixture with the program's document manager, template and main frame.
class PlanWindowFixture : public ::testing::Test
{
public:
    static void SetUpTestSuite()
    {
        wxSetAssertHandler(FailOnAssert);
        delete wxLog::SetActiveTarget(new wxLogStderr);
        static UnexpectedDialogHook hook;
        hook.Register();

        TovendalApp& app = wxGetApp();
        app.m_monthNames.clear();
        for (int m = 0; m < 12; ++m)
            app.m_monthNames.Add(wxDateTime::GetEnglishMonthName(wxDateTime::Month(m)));
        app.m_dayNames.clear();
        const wxDateTime::WeekDay days[] = {wxDateTime::Mon, wxDateTime::Tue, wxDateTime::Wed,
                                            wxDateTime::Thu, wxDateTime::Fri, wxDateTime::Sat,
                                            wxDateTime::Sun};
        for (wxDateTime::WeekDay day : days)
            app.m_dayNames.Add(wxDateTime::GetEnglishWeekDayName(day).Left(2));

        app.m_docManager = new myDocManager;
        new wxDocTemplate(app.m_docManager, "Tovendal", "*.tovendal", "", "tovendal", "Plan Doc",
                          "Text View", CLASSINFO(PlanDocument), CLASSINFO(TextEditView));
        s_mainFrame = new wxDocMDIParentFrame(app.m_docManager, nullptr, wxID_ANY, "Tovendal",
                                              wxDefaultPosition, wxSize(400, 500));
        s_mainFrame->CreateStatusBar(2);
        s_mainFrame->Show(true);
        app.SetTopWindow(s_mainFrame);
    }

    static void TearDownTestSuite()
    {
        TovendalApp& app = wxGetApp();
        CloseAllPlans();
        s_mainFrame->Destroy();
        wxTheApp->ProcessIdle();
        delete app.m_docManager;
        app.m_docManager = nullptr;
        s_mainFrame = nullptr;
    }

    void TearDown() override { CloseAllPlans(); }

    /// Closes every open plan without asking to save.
    static void CloseAllPlans()
    {
        myDocManager* manager = wxGetApp().m_docManager;
        if (!manager)
            return;
        std::vector<wxDocument*> docs;
        for (wxDocument* doc : manager->GetDocumentsVector())
            docs.push_back(doc);
        for (wxDocument* doc : docs) {
            if (TovendalProject* frame = FrameOf(doc))
                frame->TransferDataFromWindow();
            doc->Modify(false);
            manager->CloseDocument(doc, true);
        }
        wxTheApp->ProcessIdle();
    }

    /// A new, untitled plan with its view and plan window.
    static PlanDocument* NewPlan()
    {
        wxDocument* doc = wxGetApp().m_docManager->CreateDocument("", wxDOC_NEW);
        return dynamic_cast<PlanDocument*>(doc);
    }

    /// The view of a plan.
    static TextEditView* ViewOf(wxDocument* doc)
    {
        return doc ? dynamic_cast<TextEditView*>(doc->GetFirstView()) : nullptr;
    }

    /// The plan window of a plan.
    static TovendalProject* FrameOf(wxDocument* doc)
    {
        TextEditView* view = ViewOf(doc);
        return view ? view->m_frame : nullptr;
    }

    /// The plan windows that exist at the moment.
    static int CountPlanWindows()
    {
        int count = 0;
        for (wxWindow* child : s_mainFrame->GetClientWindow()->GetChildren())
            if (dynamic_cast<TovendalProject*>(child))
                ++count;
        for (wxWindow* child : s_mainFrame->GetChildren())
            if (dynamic_cast<TovendalProject*>(child))
                ++count;
        return count;
    }

    /// Text of status field 1 of the main frame.
    static wxString StatusText() { return s_mainFrame->GetStatusBar()->GetStatusText(1); }

    static inline wxDocMDIParentFrame* s_mainFrame = nullptr;
};

} // namespace planwindowtest

#endif // TOVENDAL_TESTS_PLANWINDOWFIXTURE_H
