#include "tests/planwindowfixture.h"
#include "tests/testsupport.h"

#include <wx/checkbox.h>
#include <wx/choice.h>
#include <wx/file.h>
#include <wx/filehistory.h>
#include <wx/listctrl.h>
#include <wx/menu.h>
#include <wx/statbmp.h>
#include <wx/testing.h>
#include <wx/textctrl.h>
#include <wx/toolbar.h>

#include <algorithm>
#include <dlfcn.h>

using planwindowtest::PlanWindowFixture;

namespace {

/// Sends one typed character to a text control as the keyboard would; true when it was refused.
bool TypingIsRefused(wxTextCtrl* text, wxChar character)
{
    wxKeyEvent event(wxEVT_CHAR);
    event.m_keyCode = character;
    event.m_uniChar = character;
    event.SetEventObject(text);
    event.SetId(text->GetId());
    return text->GetEventHandler()->ProcessEvent(event);
}

} // namespace

class PlanWindowTest : public PlanWindowFixture
{
};

TEST_F(PlanWindowTest, ControlsAreBlankUntilTheDocumentIsShown)
{
    PlanDocument* doc = new PlanDocument;
    TovendalProject* frame = new TovendalProject(doc, nullptr, s_mainFrame, ID_PROJECT_FRAME,
                                                 "Label: untitled", wxDefaultPosition,
                                                 wxSize(400, 300), wxCAPTION | wxCLOSE_BOX);

    EXPECT_EQ("", frame->m_yearFromText->GetValue());
    EXPECT_EQ("", frame->m_yearToText->GetValue());
    EXPECT_EQ("", frame->m_titleText->GetValue());
    EXPECT_EQ(wxNOT_FOUND, frame->m_startMonthChoice->GetSelection());
    EXPECT_EQ(wxNOT_FOUND, frame->m_firstDayChoice->GetSelection());
    EXPECT_FALSE(frame->m_bankHolidaysCheck->GetValue());
    EXPECT_FALSE(frame->m_daysAcrossCheck->GetValue());

    doc->m_startMonth = 3;
    doc->m_firstDayOfWeek = 6;
    doc->m_daysAcross = true;
    doc->m_comments = "line one\nline two";
    frame->InitDialog();

    const wxString year = wxString::Format("%d", wxDateTime::Now().GetYear());
    EXPECT_EQ(year, frame->m_yearFromText->GetValue());
    EXPECT_EQ(year, frame->m_yearToText->GetValue());
    EXPECT_EQ("Tovendal", frame->m_titleText->GetValue());
    EXPECT_EQ("April", frame->m_startMonthChoice->GetStringSelection());
    EXPECT_EQ("Su", frame->m_firstDayChoice->GetStringSelection());
    EXPECT_TRUE(frame->m_bankHolidaysCheck->GetValue());
    EXPECT_TRUE(frame->m_daysAcrossCheck->GetValue());
    EXPECT_EQ("line one\nline two", frame->m_commentsText->GetValue());

    frame->Destroy();
    delete doc;
}

TEST_F(PlanWindowTest, WindowValuesReachTheDocumentThroughTheValidators)
{
    PlanDocument* doc = NewPlan();
    TovendalProject* frame = FrameOf(doc);
    frame->m_yearFromText->ChangeValue("2015");
    frame->m_yearToText->ChangeValue("2017");
    frame->m_titleText->ChangeValue("Office");
    frame->m_startMonthChoice->SetSelection(8);
    frame->m_firstDayChoice->SetSelection(2);
    frame->m_bankHolidaysCheck->SetValue(false);
    frame->m_daysAcrossCheck->SetValue(true);
    frame->m_commentsText->ChangeValue("  indented\nsecond line");

    ASSERT_TRUE(frame->Validate());
    ASSERT_TRUE(frame->TransferDataFromWindow());

    EXPECT_EQ("2015", doc->m_year);
    EXPECT_EQ("2017", doc->m_yearEnd);
    EXPECT_EQ("Office", doc->m_title);
    EXPECT_EQ(8, doc->m_startMonth);
    EXPECT_EQ(2, doc->m_firstDayOfWeek);
    EXPECT_FALSE(doc->m_incUKbankhols);
    EXPECT_TRUE(doc->m_daysAcross);
    EXPECT_EQ("  indented\nsecond line", doc->m_comments);
}

TEST_F(PlanWindowTest, ChoicesHoldTheNamesTheApplicationHadWhenTheWindowWasMade)
{
    TovendalApp& app = wxGetApp();
    const wxArrayString months = app.m_monthNames;
    app.m_monthNames[0] = "Januar";
    PlanDocument* doc = NewPlan();
    TovendalProject* frame = FrameOf(doc);
    app.m_monthNames = months;

    ASSERT_EQ(12u, frame->m_startMonthChoice->GetCount());
    ASSERT_EQ(7u, frame->m_firstDayChoice->GetCount());
    EXPECT_EQ("Januar", frame->m_startMonthChoice->GetString(0));
    EXPECT_EQ("December", frame->m_startMonthChoice->GetString(11));
    EXPECT_EQ("Mo", frame->m_firstDayChoice->GetString(0));
    EXPECT_EQ("Su", frame->m_firstDayChoice->GetString(6));
}

TEST_F(PlanWindowTest, CheckBoxesStandRightOfTheirLabels)
{
    PlanDocument* doc = NewPlan();
    TovendalProject* frame = FrameOf(doc);
    EXPECT_EQ("UK Bank Holidays  ", frame->m_bankHolidaysCheck->GetLabel());
    EXPECT_EQ("Print Days Across  ", frame->m_daysAcrossCheck->GetLabel());
    EXPECT_TRUE(frame->m_bankHolidaysCheck->HasFlag(wxALIGN_RIGHT));
    EXPECT_TRUE(frame->m_daysAcrossCheck->HasFlag(wxALIGN_RIGHT));
}

TEST_F(PlanWindowTest, YearFieldsStopTypingAtFourCharacters)
{
    PlanDocument* doc = NewPlan();
    TovendalProject* frame = FrameOf(doc);
    for (wxTextCtrl* year : {frame->m_yearFromText, frame->m_yearToText}) {
        year->ChangeValue("201");
        year->SetInsertionPointEnd();
        EXPECT_FALSE(TypingIsRefused(year, '5'));
        EXPECT_TRUE(TypingIsRefused(year, 'x')) << "not a number";

        year->ChangeValue("2015");
        year->SetInsertionPointEnd();
        EXPECT_TRUE(TypingIsRefused(year, '6')) << "fifth character";
        EXPECT_FALSE(TypingIsRefused(year, WXK_BACK));

        year->SelectAll();
        EXPECT_FALSE(TypingIsRefused(year, '1')) << "typing over a selection";
    }
}

TEST_F(PlanWindowTest, LongerStoredYearIsShownAndKeptInFull)
{
    PlanDocument* doc = NewPlan();
    TovendalProject* frame = FrameOf(doc);
    doc->m_year = "20155";
    doc->m_yearEnd = "120000";
    frame->TransferDataToWindow();

    EXPECT_EQ("20155", frame->m_yearFromText->GetValue());
    EXPECT_EQ("120000", frame->m_yearToText->GetValue());
    ASSERT_TRUE(frame->TransferDataFromWindow());
    EXPECT_EQ("20155", doc->m_year);
    EXPECT_EQ("120000", doc->m_yearEnd);
}

TEST_F(PlanWindowTest, EventsListStartsWithFiveHeaderSizedColumns)
{
    PlanDocument* doc = NewPlan();
    wxListCtrl* list = FrameOf(doc)->m_eventsList;
    ASSERT_EQ(5, list->GetColumnCount());
    const char* titles[] = {"Month", "Day", "Event", "Ending", "Annual"};
    for (int column = 0; column < 5; ++column) {
        wxListItem item;
        item.SetMask(wxLIST_MASK_TEXT | wxLIST_MASK_FORMAT);
        list->GetColumn(column, item);
        EXPECT_EQ(titles[column], item.GetText());
        EXPECT_EQ(column == 1 ? wxLIST_FORMAT_RIGHT : wxLIST_FORMAT_LEFT, item.GetAlign())
            << column;
        EXPECT_GT(list->GetColumnWidth(column), 0) << column;
    }
    EXPECT_TRUE(list->HasFlag(wxLC_SINGLE_SEL));
    EXPECT_EQ(0, list->GetItemCount());
}


TEST_F(PlanWindowTest, ListContextMenuIsConnectedToTheFrame)
{
    PlanDocument* doc = NewPlan();
    TovendalProject* frame = FrameOf(doc);
    // Disconnecting succeeds only for a connection that exists.
    EXPECT_TRUE(frame->m_eventsList->Disconnect(
        ID_EVENTS_LIST, wxEVT_CONTEXT_MENU,
        wxContextMenuEventHandler(TovendalProject::OnContextMenu), nullptr, frame));
    EXPECT_NE(nullptr, frame->m_eventsMenu);
}

TEST_F(PlanWindowTest, MenusCarryTheCommandsInOrder)
{
    PlanDocument* doc = NewPlan();
    wxMenuBar* bar = FrameOf(doc)->GetMenuBar();
    ASSERT_NE(nullptr, bar);
    ASSERT_EQ(4u, bar->GetMenuCount());
    EXPECT_EQ(FrameOf(doc)->m_fileMenu, bar->GetMenu(0));

    struct MenuCase
    {
        const char* title;
        std::vector<int> ids;
    };
    const MenuCase menus[] = {
        {"&File", {wxID_NEW, wxID_OPEN, wxID_SAVE, wxID_SAVEAS, wxID_CLOSE, wxID_CLOSE_ALL,
                   wxID_REMOVE, wxID_PRINT, wxID_PREVIEW, wxID_PRINT_SETUP, wxID_SEPARATOR,
                   wxID_EXIT}},
        {"&Edit", {wxID_CUT, wxID_COPY, wxID_PASTE}},
        {"Options", {wxID_PREFERENCES}},
        {"&Help", {wxID_ABOUT, wxID_SEPARATOR, 10037}},
    };
    for (size_t m = 0; m < 4; ++m) {
        EXPECT_EQ(menus[m].title, bar->GetMenuLabel(m));
        std::vector<int> ids;
        for (wxMenuItem* item : bar->GetMenu(m)->GetMenuItems())
            ids.push_back(item->GetId());
        // The recent files may follow the File menu's own items.
        ids.resize(std::min(ids.size(), menus[m].ids.size()));
        EXPECT_EQ(menus[m].ids, ids) << menus[m].title;
    }
    wxMenuItem* save = bar->FindItem(wxID_SAVE);
    ASSERT_NE(nullptr, save);
    wxAcceleratorEntry* accel = save->GetAccel();
    ASSERT_NE(nullptr, accel);
    EXPECT_EQ('S', accel->GetKeyCode());
    EXPECT_EQ(wxACCEL_CTRL, accel->GetFlags());
    delete accel;
}

TEST_F(PlanWindowTest, FileMenuListsAndFollowsTheRecentFiles)
{
    myDocManager* manager = wxGetApp().m_docManager;
    const wxString dir = MakeTempDir();
    manager->AddFileToHistory(dir + "/first.tovendal");
    PlanDocument* doc = NewPlan();
    wxMenu* fileMenu = FrameOf(doc)->m_fileMenu;

    EXPECT_NE(nullptr, fileMenu->FindItem(manager->GetFileHistory()->GetBaseId()));
    EXPECT_EQ(nullptr, fileMenu->FindItem(manager->GetFileHistory()->GetBaseId() + 1));
    manager->AddFileToHistory(dir + "/second.tovendal");
    EXPECT_NE(nullptr, fileMenu->FindItem(manager->GetFileHistory()->GetBaseId() + 1));

    while (manager->GetHistoryFilesCount() > 0)
        manager->GetFileHistory()->RemoveFileFromHistory(0);
}

TEST_F(PlanWindowTest, WindowWithoutADocumentIsUnboundAndLeavesNoMenuInTheHistory)
{
    myDocManager* manager = wxGetApp().m_docManager;
    const size_t menusBefore = manager->GetFileHistory()->GetMenus().GetCount();
    TovendalProject* frame = new TovendalProject(nullptr, nullptr, s_mainFrame, ID_PROJECT_FRAME,
                                                 "Label: untitled", wxDefaultPosition,
                                                 wxSize(400, 300), wxCAPTION);
    EXPECT_EQ(menusBefore + 1, manager->GetFileHistory()->GetMenus().GetCount());
    EXPECT_EQ(nullptr, frame->m_titleText->GetValidator());

    frame->Destroy();

    EXPECT_EQ(menusBefore, manager->GetFileHistory()->GetMenus().GetCount());
    manager->AddFileToHistory(MakeTempDir() + "/after.tovendal");
    manager->GetFileHistory()->RemoveFileFromHistory(0);
}

TEST(PlanWindowImages, NamesGiveTheirCompiledInImages)
{
    struct ImageCase
    {
        const char* name;
        int width;
        int height;
    };
    const ImageCase cases[] = {
        {"new.xpm", 16, 15},          {"fileopen.xpm", 16, 15},
        {"filesave.xpm", 16, 15},     {"filesaveas.xpm", 16, 15},
        {"delete.xpm", 16, 15},       {"print.xpm", 16, 15},
        {"preview.xpm", 16, 15},      {"print_options_16.xpm", 16, 16},
        {"quit.xpm", 16, 15},         {"cut.xpm", 16, 15},
        {"copy.xpm", 16, 15},         {"paste.xpm", 16, 15},
        {"program_settings.xpm", 16, 16}, {"help.xpm", 16, 15},
        {"SplashVertReduced.png", 120, 230},
        {"stock_data-new-table-16.xpm", 16, 16},
        {"stock_data-edit-table-16.xpm", 16, 16},
        {"stock_data-delete-table-16.xpm", 16, 16},
        {"stock_delete-16.png", 16, 16},
    };
    for (const ImageCase& c : cases) {
        const wxBitmap bitmap = TovendalProject::GetBitmapResource(c.name);
        ASSERT_TRUE(bitmap.IsOk()) << c.name;
        EXPECT_EQ(wxSize(c.width, c.height), bitmap.GetSize()) << c.name;
    }

    for (const char* name : {"NEW.xpm", "splashvertreduced.png", "new", "TOVENDAL.ICO", ""})
        EXPECT_FALSE(TovendalProject::GetBitmapResource(name).IsOk()) << name;

    const wxIcon icon = TovendalProject::GetIconResource("TOVENDAL.ICO");
    ASSERT_TRUE(icon.IsOk());
    EXPECT_EQ(wxSize(32, 32), icon.GetSize());
    EXPECT_FALSE(TovendalProject::GetIconResource("tovendal.ico").IsOk());
    EXPECT_FALSE(TovendalProject::GetIconResource("new.xpm").IsOk());
}

TEST_F(PlanWindowTest, ToolsAndPictureShowTheirImages)
{
    PlanDocument* doc = NewPlan();
    wxToolBar* tools = FrameOf(doc)->m_eventsToolBar;
    const int ids[] = {wxID_ADD, ID_EDIT_EVENT, wxID_DELETE, wxID_REPLACE_ALL, wxID_CUT,
                       wxID_COPY, wxID_PASTE};
    ASSERT_EQ(9u, tools->GetToolsCount()) << "seven tools and two separators";
    for (int id : ids) {
        const wxToolBarToolBase* tool = tools->FindById(id);
        ASSERT_NE(nullptr, tool) << id;
        EXPECT_TRUE(tool->GetNormalBitmap().IsOk()) << id;
        EXPECT_FALSE(tool->GetShortHelp().empty()) << id;
    }
    EXPECT_EQ("Remove All Events", tools->FindById(wxID_REPLACE_ALL)->GetShortHelp());

    wxWindow* panel = FrameOf(doc)->FindWindow(ID_PLAN_PANEL);
    ASSERT_NE(nullptr, panel);
    wxStaticBitmap* picture = dynamic_cast<wxStaticBitmap*>(panel->GetChildren().GetFirst()->GetData());
    ASSERT_NE(nullptr, picture);
    EXPECT_EQ(wxSize(120, 230), picture->GetBitmap().GetSize());
}

// With the program's document: plans read from their files, change tracking
// against the window and the event commands reached through the window's table.

namespace {

/// Writes a plan file with events in the order 2015-03-01, 2015-01-10, 2015-02-05.
wxString WriteSamplePlan()
{
    const wxString path = MakeTempDir() + "/Family.tovendal";
    wxFile file(path, wxFile::write);
    file.Write(
        "<?xml version=\"1.0\" encoding=\"UTF-8\" standalone=\"yes\" ?>\n"
        "<tovendal title=\"Family\" year=\"2015\" yearend=\"2016\" incUKbankhols=\"false\" "
        "daysacross=\"true\" startmonth=\"3\" firstdayofweek=\"6\" noofyears=\"2\">\n"
        "    <dates>\n"
        "        <event date=\"2015-03-01\" colour=\"\">March</event>\n"
        "        <event date=\"2015-01-10\" todate=\"2015-01-12\" colour=\"YELLOW\" "
        "textcolour=\"BLUE\" annual=\"yes\">January</event>\n"
        "        <event date=\"2015-02-05\" colour=\"#123456\">February</event>\n"
        "    </dates>\n"
        "    <comments><![CDATA[Remember the cake]]></comments>\n"
        "</tovendal>\n");
    return path;
}

/// Puts one character into a text control the way the toolkit's own editing does,
/// so that the control counts as edited by the user. The real keyboard is not
/// used: the display is shared with other test programs.
bool TypeInto(wxTextCtrl* text, char character)
{
    using InsertText = void (*)(void* editable, const char* text, int length, int* position);
    static const InsertText insert =
        reinterpret_cast<InsertText>(dlsym(RTLD_DEFAULT, "gtk_editable_insert_text"));
    if (!insert || !text->GetHandle())
        return false;
    int position = static_cast<int>(text->GetLastPosition());
    const char typed[] = {character, '\0'};
    insert(text->GetHandle(), typed, 1, &position);
    return true;
}

} // namespace

TEST_F(PlanWindowTest, OpenedPlanShowsItsValuesAndEventsInDateOrder)
{
    s_mainFrame->SetStatusText("stale", 1);
    PlanDocument* doc = dynamic_cast<PlanDocument*>(
        wxGetApp().m_docManager->CreateDocument(WriteSamplePlan(), wxDOC_SILENT));
    ASSERT_NE(nullptr, doc);
    TovendalProject* frame = FrameOf(doc);
    ASSERT_NE(nullptr, frame);

    EXPECT_EQ("Family", frame->m_titleText->GetValue());
    EXPECT_EQ("2015", frame->m_yearFromText->GetValue());
    EXPECT_EQ("2016", frame->m_yearToText->GetValue());
    EXPECT_EQ(3, frame->m_startMonthChoice->GetSelection());
    EXPECT_EQ(6, frame->m_firstDayChoice->GetSelection());
    EXPECT_FALSE(frame->m_bankHolidaysCheck->GetValue());
    EXPECT_TRUE(frame->m_daysAcrossCheck->GetValue());
    EXPECT_EQ("Remember the cake", frame->m_commentsText->GetValue());

    wxListCtrl* list = frame->m_eventsList;
    ASSERT_EQ(3, list->GetItemCount());
    const long keys[] = {1, 2, 0};
    const std::vector<std::vector<wxString>> rows = {
        {"2015/01", "10", "January", "2015/01/12", "Yes"},
        {"2015/02", "05", "February", "", ""},
        {"2015/03", "01", "March", "", ""},
    };
    for (long row = 0; row < 3; ++row) {
        EXPECT_EQ(keys[row], static_cast<long>(list->GetItemData(row))) << row;
        std::vector<wxString> texts;
        for (int column = 0; column < 5; ++column)
            texts.push_back(list->GetItemText(row, column));
        EXPECT_EQ(rows[row], texts) << row;
    }
    EXPECT_EQ(*wxBLUE, list->GetItemTextColour(0));
    EXPECT_EQ(*wxYELLOW, list->GetItemBackgroundColour(0));
    EXPECT_FALSE(list->GetItemBackgroundColour(1).IsOk());

    EXPECT_EQ("", StatusText());
    EXPECT_FALSE(doc->IsModified());
}

TEST_F(PlanWindowTest, ChangeTrackingFollowsTheWindowsControls)
{
    PlanDocument* doc = dynamic_cast<PlanDocument*>(
        wxGetApp().m_docManager->CreateDocument(WriteSamplePlan(), wxDOC_SILENT));
    ASSERT_NE(nullptr, doc);
    TovendalProject* frame = FrameOf(doc);
    ASSERT_FALSE(doc->IsModified());

    // A choice or box changed and changed back counts as unchanged.
    frame->m_startMonthChoice->SetSelection(7);
    EXPECT_TRUE(doc->IsModified());
    frame->m_startMonthChoice->SetSelection(3);
    EXPECT_FALSE(doc->IsModified());
    frame->m_firstDayChoice->SetSelection(0);
    EXPECT_TRUE(doc->IsModified());
    frame->m_firstDayChoice->SetSelection(6);
    EXPECT_FALSE(doc->IsModified());
    for (wxCheckBox* box : {frame->m_bankHolidaysCheck, frame->m_daysAcrossCheck}) {
        box->SetValue(!box->GetValue());
        EXPECT_TRUE(doc->IsModified()) << box->GetLabel();
        box->SetValue(!box->GetValue());
        EXPECT_FALSE(doc->IsModified()) << box->GetLabel();
    }

    // Typing stays a change until the plan is saved or read again.
    ASSERT_TRUE(TypeInto(frame->m_titleText, 's'));
    EXPECT_EQ("Familys", frame->m_titleText->GetValue());
    EXPECT_TRUE(doc->IsModified());
}

TEST_F(PlanWindowTest, AnsweringNoClosesAChangedPlanAfterOnePrompt)
{
    PlanDocument* doc = dynamic_cast<PlanDocument*>(
        wxGetApp().m_docManager->CreateDocument(WriteSamplePlan(), wxDOC_SILENT));
    ASSERT_NE(nullptr, doc);
    FrameOf(doc)->m_startMonthChoice->SetSelection(7);

    bool closed = false;
    wxTEST_DIALOG(closed = wxGetApp().m_docManager->CloseDocument(doc),
                  wxExpectModal<wxMessageDialog>(wxID_NO));
    wxTheApp->ProcessIdle();

    EXPECT_TRUE(closed);
    EXPECT_EQ(0, CountPlanWindows());
    EXPECT_TRUE(wxGetApp().m_docManager->GetDocumentsVector().empty());
}

TEST_F(PlanWindowTest, CancelledPromptKeepsTheTypedChanges)
{
    const wxString path = WriteSamplePlan();
    PlanDocument* doc = dynamic_cast<PlanDocument*>(
        wxGetApp().m_docManager->CreateDocument(path, wxDOC_SILENT));
    ASSERT_NE(nullptr, doc);
    TovendalProject* frame = FrameOf(doc);
    ASSERT_TRUE(TypeInto(frame->m_titleText, 'x'));

    bool closed = true;
    wxTEST_DIALOG(closed = frame->Close(), wxExpectModal<wxMessageDialog>(wxID_CANCEL));
    wxTheApp->ProcessIdle();

    EXPECT_FALSE(closed);
    EXPECT_EQ(frame, FrameOf(doc));
    EXPECT_EQ("Familyx", frame->m_titleText->GetValue());
    EXPECT_TRUE(doc->IsModified());
    EXPECT_EQ(3, frame->m_eventsList->GetItemCount());
    EXPECT_EQ(path, doc->GetFilename());
}

TEST_F(PlanWindowTest, UnreadableFileLeavesNoPlanWindow)
{
    const wxString path = MakeTempDir() + "/broken.tovendal";
    wxFile(path, wxFile::write).Write("<tovendal title=\"x\"><dates>");

    wxDocument* doc = nullptr;
    wxTEST_DIALOG(doc = wxGetApp().m_docManager->CreateDocument(path, wxDOC_SILENT),
                  wxExpectModal<wxMessageDialog>(wxID_OK));
    wxTheApp->ProcessIdle();

    EXPECT_EQ(nullptr, doc);
    EXPECT_EQ(0, CountPlanWindows());
    EXPECT_TRUE(wxGetApp().m_docManager->GetDocumentsVector().empty());
    EXPECT_EQ("Load failed.", StatusText());
}

TEST_F(PlanWindowTest, SaveFromThePlansFileMenuWritesTheWindowsValues)
{
    const wxString path = WriteSamplePlan();
    PlanDocument* doc = dynamic_cast<PlanDocument*>(
        wxGetApp().m_docManager->CreateDocument(path, wxDOC_SILENT));
    ASSERT_NE(nullptr, doc);
    TovendalProject* frame = FrameOf(doc);
    ASSERT_TRUE(TypeInto(frame->m_titleText, 'x'));
    frame->m_daysAcrossCheck->SetValue(false);

    frame->m_fileMenu->SendEvent(wxID_SAVE);

    EXPECT_FALSE(doc->IsModified());
    EXPECT_FALSE(frame->m_titleText->IsModified());
    wxString saved;
    ASSERT_TRUE(wxFile(path).ReadAll(&saved));
    EXPECT_NE(wxNOT_FOUND, saved.Find("title=\"Familyx\""));
    EXPECT_NE(wxNOT_FOUND, saved.Find("daysacross=\"false\""));
}

TEST(PlanWindowInProgram, OpenAndCloseAPlanUnderTheProgramsOwnStartUp)
{
    // Leave the fixture's state behind: this test runs the program's start-up.
    ASSERT_EQ(nullptr, wxGetApp().m_docManager);
    ASSERT_TRUE(StartTovendal());
    myDocManager* manager = wxGetApp().m_docManager;
    ASSERT_NE(nullptr, manager);
    const size_t menusBefore = manager->GetFileHistory()->GetMenus().GetCount();

    const wxString path = WriteSamplePlan();
    wxDocument* doc = manager->CreateDocument(path, wxDOC_SILENT);
    ASSERT_NE(nullptr, doc);
    TovendalProject* frame = dynamic_cast<TextEditView*>(doc->GetFirstView())->m_frame;
    ASSERT_NE(nullptr, frame);
    EXPECT_EQ(wxGetApp().GetTopWindow(), frame->GetMDIParent());
    EXPECT_EQ(3, frame->m_eventsList->GetItemCount());
    EXPECT_EQ(1u, frame->m_eventsList->GetItemData(0));
    EXPECT_EQ("Family", frame->m_titleText->GetValue());
    EXPECT_EQ(menusBefore + 1, manager->GetFileHistory()->GetMenus().GetCount());
    // The opened file is listed at the end of the plan's own File menu.
    EXPECT_NE(nullptr, frame->m_fileMenu->FindItem(manager->GetFileHistory()->GetBaseId()));

    frame->m_fileMenu->SendEvent(wxID_CLOSE);
    wxTheApp->ProcessIdle();

    EXPECT_TRUE(manager->GetDocumentsVector().empty());
    EXPECT_EQ(menusBefore, manager->GetFileHistory()->GetMenus().GetCount());
    manager->AddFileToHistory(MakeTempDir() + "/later.tovendal");
    StopTovendal();
}
TEST_F(PlanWindowTest, ClosingAPlanWindowClearsTheStatusLine)
{
    PlanDocument* doc = NewPlan();
    s_mainFrame->SetStatusText("Please select an Event.", 1);

    EXPECT_TRUE(FrameOf(doc)->Close());
    wxTheApp->ProcessIdle();

    EXPECT_EQ("", StatusText());
    EXPECT_EQ(0, CountPlanWindows());
}

TEST_F(PlanWindowTest, EventCommandsReachTheirHandlersThroughTheWindow)
{
    PlanDocument* doc = dynamic_cast<PlanDocument*>(
        wxGetApp().m_docManager->CreateDocument(WriteSamplePlan(), wxDOC_SILENT));
    ASSERT_NE(nullptr, doc);
    TovendalProject* frame = FrameOf(doc);
    s_mainFrame->SetStatusText("", 1);

    // Delete with no row selected asks for a row.
    wxCommandEvent remove(wxEVT_MENU, wxID_DELETE);
    remove.SetEventObject(frame);
    frame->GetEventHandler()->ProcessEvent(remove);
    EXPECT_EQ("Please select an Event.", StatusText());
    EXPECT_EQ(3, frame->m_eventsList->GetItemCount());

    // Selecting a row clears the message again.
    frame->m_eventsList->SetItemState(1, wxLIST_STATE_SELECTED, wxLIST_STATE_SELECTED);
    EXPECT_EQ("", StatusText());

    // Copy and delete now work on the selected row.
    wxCommandEvent copy(wxEVT_MENU, wxID_COPY);
    copy.SetEventObject(frame);
    frame->GetEventHandler()->ProcessEvent(copy);
    ASSERT_NE(nullptr, wxGetApp().m_eventClipboard);
    EXPECT_EQ("February", wxGetApp().m_eventClipboard->m_text);
    frame->GetEventHandler()->ProcessEvent(remove);
    EXPECT_EQ(2, frame->m_eventsList->GetItemCount());
    EXPECT_EQ(2u, doc->m_events.size());
    EXPECT_TRUE(doc->IsModified());

    delete wxGetApp().m_eventClipboard;
    wxGetApp().m_eventClipboard = nullptr;
}
