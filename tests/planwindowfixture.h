#ifndef TOVENDAL_TESTS_PLANWINDOWFIXTURE_H
#define TOVENDAL_TESTS_PLANWINDOWFIXTURE_H

// A document manager, the plan template and an MDI main frame, as the
// application's start-up makes them, so that tests open real plan windows.

#include "app/app.h"
#include "document/plandocument.h"
#include "planwindow/planwindow.h"
#include "tests/testsupport.h"
#include "view/docmanager.h"
#include "view/planview.h"

#include <wx/docmdi.h>
#include <wx/file.h>
#include <wx/listctrl.h>
#include <wx/modalhook.h>
#include <wx/msgdlg.h>
#include <wx/printdlg.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace planwindowtest {

/// Answers any dialog that no test expected with Cancel and records a failure.
class UnexpectedDialogHook : public wxModalDialogHook
{
public:
    /// Set while a test answers GTK's print dialog itself.
    static inline bool s_printDialogAnswered = false;

private:
    int Enter(wxDialog* dialog) override
    {
        if (s_printDialogAnswered && dialog->IsKindOf(wxCLASSINFO(wxPrintDialogBase)))
            return wxID_NONE;
        ADD_FAILURE() << "unexpected dialog: " << dialog->GetTitle();
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
        static UnexpectedDialogHook hook;
        hook.Register();
        TovendalApp& app = wxGetApp();
        app.m_monthNames = wxSplit("January,February,March,April,May,June,July,August,September,"
                                   "October,November,December", ',');
        app.m_dayNames = wxSplit("Mo,Tu,We,Th,Fr,Sa,Su", ',');
        app.m_docManager = new myDocManager;
        new wxDocTemplate(app.m_docManager, "Tovendal", "*.tovendal", "", "tovendal", "Plan Doc",
                          TEXT_VIEW_NAME, CLASSINFO(PlanDocument), CLASSINFO(TextEditView));
        s_mainFrame = new wxDocMDIParentFrame(app.m_docManager, nullptr, wxID_ANY, "Tovendal",
                                              wxDefaultPosition, wxSize(400, 500));
        s_mainFrame->CreateStatusBar(2);
        s_mainFrame->Show(true);
        app.SetTopWindow(s_mainFrame);
    }

    static void TearDownTestSuite()
    {
        CloseAllPlans();
        s_mainFrame->Destroy();
        wxTheApp->ProcessIdle();
        delete wxGetApp().m_docManager;
        wxGetApp().m_docManager = nullptr;
    }

    void TearDown() override { CloseAllPlans(); }

    /// Closes every open plan without asking to save.
    static void CloseAllPlans()
    {
        myDocManager* manager = wxGetApp().m_docManager;
        // A copy of the list: closing takes the documents out of the manager's.
        for (wxDocument* doc : manager->GetDocumentsVector()) {
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
        return dynamic_cast<PlanDocument*>(wxGetApp().m_docManager->CreateDocument("", wxDOC_NEW));
    }

    /// Opens a plan file as File > Open does, without the file dialog.
    static PlanDocument* OpenPlan(const wxString& path)
    {
        return dynamic_cast<PlanDocument*>(wxGetApp().m_docManager->CreateDocument(path, wxDOC_SILENT));
    }

    /// Writes a plan file whose events are stored in the order 2015-03-01, 2015-01-10, 2015-02-05,
    /// with an end year longer than the four digits that can be typed.
    static wxString WriteSamplePlan()
    {
        const wxString path = MakeTempDir() + "/Family.tovendal";
        wxFile(path, wxFile::write).Write(
            "<tovendal title=\"Family\" year=\"2015\" yearend=\"20160\" incUKbankhols=\"false\" "
            "daysacross=\"true\" startmonth=\"3\" firstdayofweek=\"6\"><dates>"
            "<event date=\"2015-03-01\" textcolour=\"No Such Colour\">March</event>"
            "<event date=\"2015-01-10\" todate=\"2015-01-12\" colour=\"YELLOW\" "
            "textcolour=\"BLUE\" annual=\"yes\">January</event>"
            "<event date=\"2015-02-05\" colour=\"#123456\">February</event>"
            "</dates><comments><![CDATA[Remember the cake]]></comments></tovendal>");
        return path;
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

    /// The plan windows that exist at the moment (GTK keeps them in the client window).
    static int CountPlanWindows()
    {
        int count = 0;
        for (wxWindow* child : s_mainFrame->GetClientWindow()->GetChildren())
            count += dynamic_cast<TovendalProject*>(child) ? 1 : 0;
        return count;
    }

    /// Every row of a plan's events list, top to bottom, as "key|month|day|event|ending|annual".
    static std::vector<std::string> RowsOf(wxDocument* doc)
    {
        const wxListCtrl* list = FrameOf(doc)->m_eventsList;
        std::vector<std::string> rows;
        for (long row = 0; row < list->GetItemCount(); ++row) {
            wxString text = wxString::Format("%ld", long(list->GetItemData(row)));
            for (int column = 0; column < 5; ++column)
                text += "|" + list->GetItemText(row, column);
            rows.push_back(text.ToStdString());
        }
        return rows;
    }

    /// Text of status field 1 of the main frame.
    static wxString StatusText() { return s_mainFrame->GetStatusBar()->GetStatusText(1); }

    static inline wxDocMDIParentFrame* s_mainFrame = nullptr;
};

} // namespace planwindowtest

#endif // TOVENDAL_TESTS_PLANWINDOWFIXTURE_H
