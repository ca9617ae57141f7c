// The main frame: menus, tools, recent files, drop, close and commands with no plan.
#include "app/about.h"
#include "app/app.h"
#include "app/mainframe.h"
#include "planwindow/planwindow.h"
#include "tests/testsupport.h"
#include "view/docmanager.h"

#include <wx/file.h>
#include <wx/filename.h>
#include <wx/menu.h>
#include <wx/msgdlg.h>
#include <wx/testing.h>
#include <wx/timer.h>
#include <wx/toolbar.h>

#include <gtk/gtk.h>

#include <gtest/gtest.h>

#include <string>

namespace {

// The menus as the user reads them, a line each: title, then items with their help texts.
std::string Menus(wxMenuBar* bar)
{
    wxString text;
    for (size_t i = 0; i < bar->GetMenuCount(); ++i) {
        text += bar->GetMenuLabel(i) + ":";
        for (const wxMenuItem* item : bar->GetMenu(i)->GetMenuItems())
            text += item->IsSeparator() ? wxString(" -;")
                                        : " " + item->GetItemLabel() + " (" + item->GetHelp() +
                                              (item->IsEnabled() ? ");" : ") disabled;");
        text += "\n";
    }
    return text.ToStdString();
}

/// Answers a message box and notes its text and whether No is its default. It can first delete
/// a file, as another program might while the question is open.
struct AnswerMessage : wxExpectModalBase<wxMessageDialog, AnswerMessage>
{
    AnswerMessage(int answer, wxString* seen, const wxString& lose = "")
        : m_answer(answer), m_seen(seen), m_lose(lose) {}
    int OnInvoked(wxMessageDialog* dialog) const override
    {
        *m_seen += dialog->GetMessage() +
                   (dialog->GetMessageDialogStyle() & wxNO_DEFAULT ? " [No]\n" : "\n");
        if (!m_lose.empty())
            wxRemoveFile(m_lose);
        return m_answer;
    }
    int m_answer;
    wxString* m_seen;
    wxString m_lose;
};

// Every test starts the program with two recent files stored.
class MainFrame : public ::testing::Test
{
protected:
    void SetUp() override
    {
        wxFile(wxFileName(TestHome(), ".Tovendal").GetFullPath(), wxFile::write)
            .Write("[history]\nfile1=/plans/b.tovendal\nfile2=/plans/a.tovendal\n");
        ASSERT_TRUE(StartTovendal());
        m_frame = wxStaticCast(wxGetApp().GetTopWindow(), TovendalMain);
    }

    void TearDown() override { StopTovendal(); }

    TovendalMain* m_frame = nullptr;
};

} // namespace

TEST_F(MainFrame, ShowsItsMenusToolTipsAndRecentFilesAfterASeparator)
{
    EXPECT_EQ("&File: &New (New Plan); &Open... (open existing Plan); &Save\tCtrl+S (Save changes);"
              " Save &As... (Save Plan with new name); &Close (Close Plan) disabled;"
              " Close All (Close all open plans); &Remove... (Delete existing plan);"
              " &Print... (Print Plan); Print Preview... (Print Preview); Page Setup... (Page Setup);"
              " -; E&xit... (Leave program); -; &1 /plans/b.tovendal (); &2 /plans/a.tovendal ();\n"
              "Options: Preferences... (Change Program Preferences);\n"
              "&Help: About... (Show about dialog); -;"
              " Check for &updates (Ceck the web for new version ofthis program.);\n",
              Menus(m_frame->GetMenuBar()));

    wxString tips;
    wxToolBar* tools = m_frame->GetToolBar();
    for (size_t i = 0; i < tools->GetToolsCount(); ++i) {
        const wxToolBarToolBase* tool = tools->GetToolByPos(i);
        EXPECT_TRUE(tool->IsSeparator() || tool->GetNormalBitmap().IsOk()) << i;
        tips += tool->IsSeparator() ? wxString("- ") : tool->GetShortHelp() + "; ";
    }
    EXPECT_EQ("New Plan; Open existing Plan; Close Plan; Save Plan; Save Plan with new name; "
              "Print Plan; Print Preview; Page Setup; - Preferences; - About; Leave Program; ",
              tips.ToStdString());
    // The status bar shows a tool's long help; only this one differs from its tip.
    EXPECT_EQ("Set day and month name preferences",
              tools->FindById(wxID_PREFERENCES)->GetLongHelp());
}

TEST_F(MainFrame, DroppedFilesOpenInTheirOrder)
{
    const wxString dir = MakeTempDir();
    wxArrayString names;
    for (const char* name : {"c", "a", "b"}) {
        names.Add(wxFileName(dir, wxString(name) + ".tovendal").GetFullPath());
        wxFile(names.Last(), wxFile::write).Write("<tovendal year=\"2015\" yearend=\"2015\" />");
    }
    EXPECT_TRUE(m_frame->m_dropTarget->OnDropFiles(0, 0, names));
    const wxDocVector docs = wxGetApp().m_docManager->GetDocumentsVector();
    ASSERT_EQ(3u, docs.size());
    for (size_t i = 0; i < docs.size(); ++i)
        EXPECT_EQ(names[i], docs[i]->GetFilename());
}

TEST_F(MainFrame, ClosingWithAModifiedPlanAndCancelKeepsEverythingOpen)
{
    wxDocument* doc = wxGetApp().m_docManager->CreateDocument(wxEmptyString, wxDOC_NEW);
    ASSERT_NE(nullptr, doc);
    doc->Modify(true);
    bool closed = true;
    wxTEST_DIALOG(closed = m_frame->Close(),
                  wxExpectModal<wxMessageDialog>(wxID_CANCEL).Describe("save prompt"));
    wxGetApp().ProcessIdle();
    EXPECT_FALSE(closed);
    EXPECT_EQ(m_frame, wxGetApp().GetTopWindow());
    ASSERT_EQ(1u, wxGetApp().m_docManager->GetDocumentsVector().size());
    EXPECT_TRUE(doc->IsModified());
}

TEST_F(MainFrame, CommandsWithNoPlanOpenDoNothing)
{
    for (int id : {wxID_SAVE, wxID_SAVEAS, wxID_CLOSE, wxID_CLOSE_ALL, wxID_PRINT, wxID_PREVIEW}) {
        wxCommandEvent event(wxEVT_MENU, id);
        m_frame->ProcessWindowEvent(event);
    }
    RunEventsFor(50);
    EXPECT_TRUE(wxGetApp().m_docManager->GetDocumentsVector().empty());
    EXPECT_EQ(m_frame, wxGetApp().GetTopWindow());
}

TEST_F(MainFrame, RemoveAsksFirstKeepsAnOpenPlanAndSaysWhyADeletionFailed)
{
    const wxString dir = MakeTempDir();
    const wxString open = wxFileName(dir, "open.tovendal").GetFullPath();
    wxFile(open, wxFile::write).Write("<tovendal year=\"2015\" yearend=\"2015\" />");
    ASSERT_NE(nullptr, wxGetApp().m_docManager->CreateDocument(open, wxDOC_SILENT));

    const char* question = "Delete the plan file %s? This cannot be undone. [No]\n";
    const char* failed = "The plan file %s could not be deleted: No such file or directory\n";
    const struct { const char* name; int answer; bool lostMeanwhile, keptAfter; wxString said; }
        cases[] = {{"no.tovendal", wxID_NO, false, true, question},
                   {"yes.tovendal", wxID_YES, false, false, question},
                   {"open.tovendal", wxID_OK, false, true,
                    "The plan file %s is open in the program and was not deleted.\n"},
                   {"gone.tovendal", wxID_YES, true, false, question + wxString(failed)}};
    for (const auto& c : cases) {
        const wxString path = wxFileName(dir, c.name).GetFullPath();
        if (path != open)
            wxFile(path, wxFile::write).Write("plan");
        wxString said;
        wxCommandEvent remove(wxEVT_MENU, wxID_REMOVE);
        wxTEST_DIALOG(m_frame->ProcessWindowEvent(remove), ChooseFile(path),
                      AnswerMessage(c.answer, &said, c.lostMeanwhile ? path : ""),
                      AnswerMessage(wxID_OK, &said).Optional());
        EXPECT_EQ(wxString::Format(c.said, path, path).ToStdString(), said.ToStdString()) << c.name;
        EXPECT_EQ(c.keptAfter, wxFileExists(path)) << c.name;
    }
    EXPECT_EQ(1u, wxGetApp().m_docManager->GetDocumentsVector().size());
}

TEST_F(MainFrame, AboutBoxGivesItsPicturesBackWhenClosed)
{
    // Help > About, shown and drawn, then closed with its OK button.
    const auto showAbout = [this] {
        int shownTicks = 0;
        wxTimer timer;
        timer.Bind(wxEVT_TIMER, [&](wxTimerEvent&) {
            for (wxWindow* window : wxTopLevelWindows)
                if (About* about = dynamic_cast<About*>(window); about && about->IsShown() && ++shownTicks == 3) {
                    wxCommandEvent ok(wxEVT_BUTTON, wxID_OK);
                    ok.SetEventObject(about->FindWindow(wxID_OK));
                    about->ProcessWindowEvent(ok);
                }
        });
        timer.Start(30);
        wxCommandEvent about(wxEVT_MENU, wxID_ABOUT);
        m_frame->ProcessWindowEvent(about);
        timer.Stop();
        wxTheApp->ProcessIdle();
    };
    const double kept = HeapBytesKeptPerRound(showAbout);
    // A box keeping its icon picture and window icon kept 8 KB.
    EXPECT_LT(kept, 2000) << "bytes kept per About box";
    for (wxWindow* window : wxTopLevelWindows)
        EXPECT_FALSE(dynamic_cast<About*>(window)) << "About box left open";
}

TEST_F(MainFrame, StartsAtTheKeptPlanWindowSizeWithoutMakingAPlanWindow)
{
    // A plan window made the old way, never shown, in a frame of its own: the size to fit.
    wxMDIParentFrame* holder = new wxMDIParentFrame(nullptr, wxID_ANY, wxEmptyString);
    TovendalProject* probe = new TovendalProject(nullptr, nullptr, holder, ID_PROJECT_FRAME, "",
                                                 wxDefaultPosition, wxSize(400, 300),
                                                 wxCAPTION | wxSYSTEM_MENU | wxCLOSE_BOX);
    const wxSize probed = probe->GetBestSize();
    delete probe;
    holder->Destroy();

    // A plan window of this run keeps its size for the next start.
    ASSERT_NE(nullptr, wxGetApp().m_docManager->CreateDocument(wxEmptyString, wxDOC_NEW));
    StopTovendal();

    // Every plan window is a page of a GTK notebook, and has one of its own.
    static int pages = 0;
    const gulong hook = g_signal_add_emission_hook(
        g_signal_lookup("page-added", GTK_TYPE_NOTEBOOK), 0,
        [](GSignalInvocationHint*, guint, const GValue*, gpointer) -> gboolean {
            ++pages;
            return TRUE;
        },
        nullptr, nullptr);
    ASSERT_TRUE(StartTovendal());
    g_signal_remove_emission_hook(g_signal_lookup("page-added", GTK_TYPE_NOTEBOOK), hook);
    m_frame = wxStaticCast(wxGetApp().GetTopWindow(), TovendalMain);
    EXPECT_EQ(0, pages) << "notebook pages made at start-up";
    EXPECT_EQ(probed, TovendalMain::RememberedPlanWindowSize());
    const wxSize opened = m_frame->GetSize();
    m_frame->FitPlanWindow(probed);
    EXPECT_EQ(opened, m_frame->GetSize()) << "too small for the plan window";
}
