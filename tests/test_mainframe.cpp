// The main frame: menus, tools, recent files, remove, drop and close.
#include "app/app.h"
#include "app/mainframe.h"
#include "tests/testsupport.h"
#include "view/docmanager.h"

#include <wx/file.h>
#include <wx/filename.h>
#include <wx/menu.h>
#include <wx/msgdlg.h>
#include <wx/testing.h>
#include <wx/toolbar.h>

#include <gtest/gtest.h>

#include <vector>

namespace {

void WriteFile(const wxString& path, const wxString& text)
{
    wxFile file(path, wxFile::write);
    ASSERT_TRUE(file.IsOpened()) << path;
    file.Write(text);
}

wxString PlanText(const wxString& title)
{
    return "<?xml version=\"1.0\" encoding=\"UTF-8\" standalone=\"yes\" ?>\n"
           "<tovendal title=\"" + title + "\" year=\"2015\" yearend=\"2015\">\n"
           "    <dates />\n"
           "</tovendal>\n";
}

// Answers a file dialog with a path. The native chooser takes a chosen file only once it has
// read the folder, so events run (bounded) until the dialog reports the path.
class ChooseFile : public wxExpectModalBase<wxFileDialog>
{
public:
    explicit ChooseFile(const wxString& path, int id = wxID_OK) : m_path(path), m_id(id) {}

protected:
    int OnInvoked(wxFileDialog* dialog) const override
    {
        dialog->SetPath(m_path);
        for (int i = 0; i < 200 && dialog->GetPath() != m_path; ++i)
            RunEventsFor(10);
        return m_id;
    }

private:
    wxString m_path;
    int m_id;
};

// Sends a menu command to the frame as a click on the menu would.
void SendCommand(wxFrame* frame, int id)
{
    wxCommandEvent event(wxEVT_MENU, id);
    event.SetEventObject(frame);
    frame->ProcessWindowEvent(event);
}

class MainFrame : public ::testing::Test
{
protected:
    void Start()
    {
        ASSERT_TRUE(StartTovendal());
        m_frame = wxDynamicCast(wxGetApp().GetTopWindow(), TovendalMain);
        ASSERT_NE(nullptr, m_frame);
    }

    void TearDown() override { StopTovendal(); }

    wxDocManager* Manager() const { return wxGetApp().m_docManager; }

    TovendalMain* m_frame = nullptr;
};

struct MenuRow
{
    int id;
    const char* label;
    const char* help;
    bool image;
};

void ExpectMenu(wxMenu* menu, const std::vector<MenuRow>& rows)
{
    ASSERT_GE(menu->GetMenuItemCount(), rows.size());
    for (size_t i = 0; i < rows.size(); ++i) {
        const wxMenuItem* item = menu->FindItemByPosition(i);
        const MenuRow& row = rows[i];
        if (row.id == wxID_SEPARATOR) {
            EXPECT_TRUE(item->IsSeparator()) << "position " << i;
            continue;
        }
        EXPECT_EQ(row.id, item->GetId()) << row.label;
        EXPECT_EQ(row.label, item->GetItemLabel()) << row.label;
        EXPECT_EQ(wxITEM_NORMAL, item->GetKind()) << row.label;
        if (*row.help) {
            EXPECT_EQ(row.help, item->GetHelp()) << row.label;
        }
        EXPECT_EQ(row.image, item->GetBitmap().IsOk()) << row.label;
    }
}

} // namespace

TEST_F(MainFrame, MenusCarryTheirItemsAndCloseStartsDisabled)
{
    Start();
    wxMenuBar* bar = m_frame->GetMenuBar();
    ASSERT_EQ(3u, bar->GetMenuCount());
    EXPECT_EQ("&File", bar->GetMenuLabel(0));
    EXPECT_EQ("Options", bar->GetMenuLabel(1));
    EXPECT_EQ("&Help", bar->GetMenuLabel(2));
    EXPECT_EQ(m_frame->m_fileMenu, bar->GetMenu(0));

    ExpectMenu(bar->GetMenu(0), {
        {wxID_NEW, "&New", "New Plan", true},
        {wxID_OPEN, "&Open...", "open existing Plan", true},
        {wxID_SAVE, "&Save\tCtrl+S", "Save changes", true},
        {wxID_SAVEAS, "Save &As...", "Save Plan with new name", true},
        {wxID_CLOSE, "&Close", "Close Plan", false},
        {wxID_CLOSE_ALL, "Close All", "Close all open plans", false},
        {wxID_REMOVE, "&Remove...", "Delete existing plan", true},
        {wxID_PRINT, "&Print...", "Print Plan", true},
        {wxID_PREVIEW, "Print Preview...", "Print Preview", true},
        {wxID_PRINT_SETUP, "Page Setup...", "Page Setup", true},
        {wxID_SEPARATOR, "", "", false},
        {wxID_EXIT, "E&xit...", "Leave program", true},
    });
    // With no history stored, Exit is the last item.
    EXPECT_EQ(12u, bar->GetMenu(0)->GetMenuItemCount());
    ExpectMenu(bar->GetMenu(1), {
        {wxID_PREFERENCES, "Preferences...", "Change Program Preferences", true},
    });
    ExpectMenu(bar->GetMenu(2), {
        {wxID_ABOUT, "About...", "", true},
        {wxID_SEPARATOR, "", "", false},
        {ID_CHECK_UPDATES, "Check for &updates", "Ceck the web for new version ofthis program.",
         false},
    });

    EXPECT_FALSE(m_frame->m_fileMenu->IsEnabled(wxID_CLOSE));
    EXPECT_TRUE(m_frame->m_fileMenu->IsEnabled(wxID_CLOSE_ALL));
}

TEST_F(MainFrame, ToolsShowTheirTipsAndStatusTexts)
{
    Start();
    wxToolBar* tools = m_frame->GetToolBar();
    ASSERT_NE(nullptr, tools);
    EXPECT_EQ(ID_TOOLBAR, tools->GetId());

    struct ToolRow
    {
        int id;
        const char* tip;
        const char* status;
    };
    const ToolRow rows[] = {
        {wxID_NEW, "New Plan", "New Plan"},
        {wxID_OPEN, "Open existing Plan", "Open existing Plan"},
        {wxID_CLOSE, "Close Plan", "Close Plan"},
        {wxID_SAVE, "Save Plan", "Save Plan"},
        {wxID_SAVEAS, "Save Plan with new name", "Save Plan with new name"},
        {wxID_PRINT, "Print Plan", "Print Plan"},
        {wxID_PREVIEW, "Print Preview", "Print Preview"},
        {wxID_PRINT_SETUP, "Page Setup", "Page Setup"},
        {wxID_SEPARATOR, "", ""},
        {wxID_PREFERENCES, "Preferences", "Set day and month name preferences"},
        {wxID_SEPARATOR, "", ""},
        {wxID_ABOUT, "About", "About"},
        {wxID_EXIT, "Leave Program", "Leave Program"},
    };
    ASSERT_EQ(WXSIZEOF(rows), tools->GetToolsCount());
    for (size_t i = 0; i < WXSIZEOF(rows); ++i) {
        const wxToolBarToolBase* tool = tools->GetToolByPos(i);
        if (rows[i].id == wxID_SEPARATOR) {
            EXPECT_TRUE(tool->IsSeparator()) << "position " << i;
            continue;
        }
        EXPECT_EQ(rows[i].id, tool->GetId()) << rows[i].tip;
        EXPECT_EQ(rows[i].tip, tool->GetShortHelp());
        EXPECT_EQ(rows[i].status, tool->GetLongHelp());
        EXPECT_TRUE(tool->GetNormalBitmap().IsOk()) << rows[i].tip;
    }

    // Images are looked up by their exact names.
    EXPECT_EQ(wxSize(16, 16), TovendalMain::GetBitmapResource("stock_close-16.png").GetSize());
    EXPECT_FALSE(TovendalMain::GetBitmapResource("NEW.XPM").IsOk());
    EXPECT_EQ(32, TovendalMain::GetIconResource("TOVENDAL.ICO").GetWidth());
    EXPECT_FALSE(TovendalMain::GetIconResource("tovendal.ico").IsOk());

    wxStatusBar* status = m_frame->GetStatusBar();
    ASSERT_NE(nullptr, status);
    EXPECT_EQ(ID_STATUSBAR, status->GetId());
    EXPECT_EQ(2, status->GetFieldsCount());
}

TEST_F(MainFrame, RecentFilesFollowExitAfterASeparator)
{
    WriteFile(wxFileName(TestHome(), ".Tovendal").GetFullPath(),
              "[history]\nfile1=/plans/b.tovendal\nfile2=/plans/a.tovendal\n");
    Start();
    wxMenu* file = m_frame->m_fileMenu;
    ASSERT_EQ(15u, file->GetMenuItemCount());
    EXPECT_EQ(wxID_EXIT, file->FindItemByPosition(11)->GetId());
    EXPECT_TRUE(file->FindItemByPosition(12)->IsSeparator());
    EXPECT_EQ(wxID_FILE1, file->FindItemByPosition(13)->GetId());
    EXPECT_TRUE(file->FindItemByPosition(13)->GetItemLabelText().Contains("b.tovendal"));
    EXPECT_EQ(wxID_FILE2, file->FindItemByPosition(14)->GetId());
    EXPECT_TRUE(file->FindItemByPosition(14)->GetItemLabelText().Contains("a.tovendal"));
}

TEST_F(MainFrame, RemoveDeletesTheChosenFileOnlyOnOk)
{
    Start();
    const wxString path = wxFileName(MakeTempDir(), "old.tovendal").GetFullPath();
    WriteFile(path, PlanText("Old"));

    wxTEST_DIALOG(SendCommand(m_frame, wxID_REMOVE),
                  ChooseFile(path, wxID_CANCEL));
    EXPECT_TRUE(wxFileExists(path));

    wxTEST_DIALOG(SendCommand(m_frame, wxID_REMOVE), ChooseFile(path));
    EXPECT_FALSE(wxFileExists(path));
}

TEST_F(MainFrame, DroppedFilesOpenInTheirOrder)
{
    Start();
    const wxString dir = MakeTempDir();
    wxArrayString names;
    for (const char* name : {"c", "a", "b"}) {
        names.Add(wxFileName(dir, wxString(name) + ".tovendal").GetFullPath());
        WriteFile(names.Last(), PlanText(name));
    }
    EXPECT_TRUE(m_frame->m_dropTarget->OnDropFiles(0, 0, names));

    const wxDocVector docs = Manager()->GetDocumentsVector();
    ASSERT_EQ(3u, docs.size());
    for (size_t i = 0; i < docs.size(); ++i)
        EXPECT_EQ(names[i], docs[i]->GetFilename());
}

TEST_F(MainFrame, ClosingWithAModifiedPlanAndCancelKeepsEverythingOpen)
{
    Start();
    wxDocument* doc = Manager()->CreateDocument(wxEmptyString, wxDOC_NEW);
    ASSERT_NE(nullptr, doc);
    doc->Modify(true);

    bool closed = true;
    wxTEST_DIALOG(closed = m_frame->Close(),
                  wxExpectModal<wxMessageDialog>(wxID_CANCEL).Describe("save prompt"));
    wxGetApp().ProcessIdle();

    EXPECT_FALSE(closed);
    EXPECT_EQ(m_frame, wxGetApp().GetTopWindow());
    EXPECT_FALSE(m_frame->IsBeingDeleted());
    ASSERT_EQ(1u, Manager()->GetDocumentsVector().size());
    EXPECT_EQ(doc, Manager()->GetCurrentDocument());
    EXPECT_TRUE(doc->IsModified());
}

TEST_F(MainFrame, CommandsWithNoPlanOpenDoNothing)
{
    Start();
    for (int id : {wxID_SAVE, wxID_SAVEAS, wxID_CLOSE, wxID_CLOSE_ALL, wxID_PRINT, wxID_PREVIEW})
        SendCommand(m_frame, id);
    RunEventsFor(50);
    EXPECT_TRUE(Manager()->GetDocumentsVector().empty());
    EXPECT_EQ(m_frame, wxGetApp().GetTopWindow());
}
