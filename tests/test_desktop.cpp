// The windows as a user sees them, each test on a private display with openbox and without a
// window manager: what lies above what, the sizes the windows open at, what they show whole.
#include "app/app.h"
#include "app/mainframe.h"
#include "app/settings.h"
#include "planwindow/eventdialog.h"
#include "planwindow/planwindow.h"
#include "tests/privatedisplay.h"
#include "tests/testsupport.h"
#include "view/docmanager.h"
#include "view/planview.h"

#include <wx/checkbox.h>
#include <wx/choice.h>
#include <wx/file.h>
#include <wx/listctrl.h>
#include <wx/menu.h>
#include <wx/notebook.h>
#include <wx/printdlg.h>
#include <wx/splash.h>
#include <wx/textctrl.h>
#include <wx/timer.h>
#include <wx/toolbar.h>
#include <wx/uiaction.h>
#include <wx/weakref.h>

#include <gdk/gdkx.h>
#include <gtk/gtk.h>

#include <gtest/gtest.h>

#include <X11/Xlib.h>
// Xlib's macro would hide the test library's generator of that name.
#undef Bool

#include <algorithm>
#include <cstdio>
#include <fcntl.h>
#include <functional>
#include <memory>
#include <string>
#include <utility>
#include <vector>
#include <unistd.h>

namespace {

Display* XDisplay() { return GDK_DISPLAY_XDISPLAY(gdk_display_get_default()); }

Window XWindowOf(GtkWidget* widget) { return GDK_WINDOW_XID(gtk_widget_get_window(widget)); }

// Place in the stacking order, bottom first, of the root's child that holds the widget's window
// (the window manager's frame around it, or the window itself without one); -1 when none.
int StackPlace(GtkWidget* widget)
{
    Window window = XWindowOf(widget), root = 0, parent = 0, *children = nullptr;
    unsigned count = 0;
    for (Window current = window; XQueryTree(XDisplay(), current, &root, &parent, &children, &count);
         current = parent) {
        if (current == root) {
            const long place = std::find(children, children + count, window) - children;
            XFree(children);
            return place < count ? static_cast<int>(place) : -1;
        }
        XFree(children);
        window = current;
    }
    return -1;
}

// The window as the X server has it: the size of its own area in pixels, whether it is viewable.
XWindowAttributes Attributes(wxWindow* window)
{
    XWindowAttributes attributes = {};
    XGetWindowAttributes(XDisplay(), XWindowOf(window->GetHandle()), &attributes);
    return attributes;
}

// Runs events until the condition holds or about five seconds have passed; answers the
// condition. Window managers and a busy machine take their time.
bool Eventually(const std::function<bool()>& condition)
{
    for (int waited = 0; waited < 5000 && !condition(); waited += 50)
        RunEventsFor(50);
    return condition();
}

// The centre of the window's own area on the screen, as the X server has it (pixels).
wxPoint CentreOnScreen(wxWindow* window)
{
    Window child = 0;
    int x = 0, y = 0;
    XTranslateCoordinates(XDisplay(), XWindowOf(window->GetHandle()), DefaultRootWindow(XDisplay()), 0, 0, &x, &y, &child);
    return wxPoint(x + Attributes(window).width / 2, y + Attributes(window).height / 2);
}

bool Viewable(wxWindow* window) { return Eventually([&] { return Attributes(window).map_state == IsViewable; }); }

// The dialog GTK shows at the moment (message box, print, page setup, file chooser), or none.
GtkWidget* ShownDialog()
{
    GtkWidget* found = nullptr;
    GList* windows = gtk_window_list_toplevels();
    for (GList* item = windows; item; item = item->next)
        if (GTK_IS_DIALOG(item->data) && gtk_widget_get_mapped(GTK_WIDGET(item->data)))
            found = GTK_WIDGET(item->data);
    g_list_free(windows);
    return found;
}

// Tabs whose labels do not show whole once the layout settles: behind the scroll arrows or cut.
std::string HiddenTabs(wxWindow* book)
{
    GtkNotebook* notebook = GTK_NOTEBOOK(book->GetHandle());
    std::string hidden;
    Eventually([&] {
        hidden.clear();
        for (int page = 0; page < gtk_notebook_get_n_pages(notebook); ++page) {
            GtkWidget* label = gtk_notebook_get_tab_label(notebook, gtk_notebook_get_nth_page(notebook, page));
            int natural = 0;
            gtk_widget_get_preferred_width(label, nullptr, &natural);
            if (!gtk_widget_get_mapped(label) || !gtk_widget_get_child_visible(label) ||
                gtk_widget_get_allocated_width(label) < natural)
                hidden += "tab " + std::to_string(page + 1) + " ";
        }
        return hidden.empty();
    });
    return hidden;
}

// The middle of a widget on the screen, in pixels.
wxPoint ScreenCentre(GtkWidget* widget)
{
    GtkAllocation area;
    gtk_widget_get_allocation(widget, &area);
    int x = 0, y = 0;
    gdk_window_get_origin(gtk_widget_get_window(widget), &x, &y);
    if (!gtk_widget_get_has_window(widget)) {
        x += area.x;
        y += area.y;
    }
    return wxPoint(x + area.width / 2, y + area.height / 2);
}

// Which of the named windows holds the keyboard focus of the frame's GTK window: the innermost
// one whose widget is or contains the focused widget (a choice focuses a button inside it).
std::string FocusAmong(wxWindow* frame, const std::vector<std::pair<std::string, wxWindow*>>& windows)
{
    for (GtkWidget* widget = gtk_window_get_focus(GTK_WINDOW(frame->GetHandle())); widget;
         widget = gtk_widget_get_parent(widget))
        for (const auto& window : windows)
            if (window.second->GetHandle() == widget)
                return window.first;
    return "nothing named";
}

// Sends this process's standard error to a file until Finish, which answers what was written
// and passes it on to the standard error the process had.
class StderrRecorder
{
public:
    StderrRecorder() : m_path(MakeTempDir() + "/stderr.txt")
    {
        std::fflush(stderr);
        m_saved = dup(STDERR_FILENO);
        const int file = open(m_path.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
        dup2(file, STDERR_FILENO);
        close(file);
    }
    ~StderrRecorder() { Finish(); }

    std::string Finish()
    {
        if (m_saved < 0)
            return m_text;
        std::fflush(stderr);
        dup2(m_saved, STDERR_FILENO);
        close(m_saved);
        m_saved = -1;
        FILE* file = std::fopen(m_path.c_str(), "r");
        for (int c; file && (c = std::fgetc(file)) != EOF;)
            m_text += static_cast<char>(c);
        if (file)
            std::fclose(file);
        std::fputs(m_text.c_str(), stderr);
        return m_text;
    }

private:
    std::string m_path, m_text;
    int m_saved = -1;
};

// A plan of 2025 whose events have no end date, one with a long description.
wxString WriteFamilyPlan()
{
    const wxString path = MakeTempDir() + "/Family.tovendal";
    wxFile(path, wxFile::write).Write(
        "<tovendal title=\"Family\" year=\"2025\" yearend=\"2025\"><dates>"
        "<event date=\"2025-03-01\">Grandmother's ninetieth birthday party at the lake house</event>"
        "<event date=\"2025-01-10\" colour=\"YELLOW\" annual=\"yes\">Ski trip</event>"
        "<event date=\"2025-06-21\">Midsummer</event>"
        "</dates></tovendal>");
    return path;
}

// The window that shows the rows of a list, below its header.
wxWindow* RowsArea(wxListCtrl* list)
{
    return *std::max_element(list->GetChildren().begin(), list->GetChildren().end(),
                             [](wxWindow* a, wxWindow* b) { return a->GetSize().y < b->GetSize().y; });
}

// The columns of a list that do not show whole: a header or a row's text cut (the toolkit draws
// a header's text 6 pixels from either side, a row's 4), or the column beyond the rows' area.
std::string CutColumns(wxListCtrl* list)
{
    std::string cut;
    int right = 0;
    for (int column = 0; column < list->GetColumnCount(); ++column) {
        wxListItem header;
        header.SetMask(wxLIST_MASK_TEXT);
        list->GetColumn(column, header);
        const std::string name = header.GetText().ToStdString();
        const int width = list->GetColumnWidth(column);
        if (width < list->GetTextExtent(header.GetText()).x + 12)
            cut += name + " header; ";
        for (long row = 0; row < list->GetItemCount(); ++row) {
            if (width < list->GetTextExtent(list->GetItemText(row, column)).x + 8) {
                cut += name + " row " + std::to_string(row) + "; ";
                break;
            }
        }
        right += width;
        if (right > RowsArea(list)->GetClientSize().x)
            cut += name + " beyond the list; ";
    }
    return cut;
}

// Answers the event editor as a user does: shown, a description typed, OK pressed.
struct AddEvent : wxExpectModalBase<diaryEvents, AddEvent>
{
    explicit AddEvent(const wxString& description) : m_description(description) {}
    int OnInvoked(diaryEvents* editor) const override
    {
        editor->Show();
        RunEventsFor(200);
        editor->m_descriptionText->ChangeValue(m_description);
        wxCommandEvent ok(wxEVT_BUTTON, wxID_OK);
        editor->FindWindow(wxID_OK)->GetEventHandler()->ProcessEvent(ok);
        editor->Hide();
        return wxID_OK;
    }
    wxString m_description;
};

// The program started in this process on the private display, with one new plan open.
class Desktop : public ::testing::TestWithParam<bool>
{
protected:
    // In the test process: runs the test on a private display and answers false. There: starts
    // the program, its standard error recorded when asked, and answers true.
    bool Start(bool recordStderr = false)
    {
        if (!desktoptest::RunOnPrivateDisplay(GetParam()))
            return false;
        if (recordStderr)
            m_stderr = std::make_unique<StderrRecorder>();
        EXPECT_TRUE(StartTovendal());
        // The splash stays on top for seconds; the tests look at the windows below it.
        for (wxWindow* window : wxTopLevelWindows)
            if (dynamic_cast<wxSplashScreen*>(window))
                window->Destroy();
        m_frame = wxStaticCast(wxGetApp().GetTopWindow(), TovendalMain);
        wxDocument* plan = wxGetApp().m_docManager->CreateDocument(wxEmptyString, wxDOC_NEW);
        m_planWindow = dynamic_cast<TextEditView*>(plan->GetFirstView())->m_frame;
        EXPECT_TRUE(Viewable(m_frame));
        RunEventsFor(500);
        return true;
    }

    void TearDown() override { if (m_frame) StopTovendal(); }

    TovendalMain* m_frame = nullptr;
    TovendalProject* m_planWindow = nullptr;
    std::unique_ptr<StderrRecorder> m_stderr;
};

} // namespace

INSTANTIATE_TEST_SUITE_P(PrivateDisplay, Desktop, ::testing::Bool(),
                         [](const auto& info) { return info.param ? "Openbox" : "NoWindowManager"; });

TEST_P(Desktop, BusyNoticeNeverCoversTheDialogTheUserMustAnswer)
{
    if (!Start())
        return;
    const struct { const char *name; int command; const char *firstYear, *lastYear; } cases[] = {
        {"page setup", wxID_PRINT_SETUP, "2015", "2015"},
        {"print dialog", wxID_PRINT, "2015", "2015"},
        {"message: last year before the first, then print preview", wxID_PREVIEW, "2016", "2015"},
    };
    for (const auto& c : cases) {
        m_planWindow->m_yearFromText->ChangeValue(c.firstYear);
        m_planWindow->m_yearToText->ChangeValue(c.lastYear);
        // While the command waits on a dialog: every stay-on-top window below the first one, and
        // every dialog answered with Cancel.
        bool answered = false;
        int mappedTicks = 0;
        wxTimer timer;
        timer.Bind(wxEVT_TIMER, [&](wxTimerEvent&) {
            GtkWidget* dialog = ShownDialog();
            // The window manager restacks a new window soon after it maps.
            if (!dialog || ++mappedTicks < 5)
                return;
            for (wxWindow* window : wxTopLevelWindows)
                if (!answered && window->IsShown() && window->HasFlag(wxSTAY_ON_TOP)) {
                    EXPECT_LT(StackPlace(window->GetHandle()), StackPlace(dialog)) << c.name << ": covered";
                }
            answered = true;
            mappedTicks = 0;
            gtk_dialog_response(GTK_DIALOG(dialog), GTK_RESPONSE_CANCEL);
        });
        timer.Start(100);
        wxCommandEvent event(wxEVT_MENU, c.command);
        m_frame->ProcessWindowEvent(event);
        timer.Stop();
        RunEventsFor(200);
        EXPECT_TRUE(answered) << c.name << ": no dialog";
    }
}

TEST_P(Desktop, EveryPreviewOpensAtItsDesignedSizeCentredOnTheMainFrame)
{
    if (!Start())
        return;
    // The main frame in the middle of the screen, where the program centres it.
    const wxPoint main = CentreOnScreen(m_frame);
    EXPECT_TRUE(wxRect(1280 / 3, 1024 / 3, 1280 / 3, 1024 / 3).Contains(main)) << main.x << "," << main.y;
    for (int preview = 1; preview <= 3; ++preview) {
        wxCommandEvent event(wxEVT_MENU, wxID_PREVIEW);
        m_frame->ProcessWindowEvent(event);
        wxPreviewFrame* frame = nullptr;
        for (wxWindow* window : wxTopLevelWindows)
            frame = dynamic_cast<wxPreviewFrame*>(window) ? static_cast<wxPreviewFrame*>(window) : frame;
        ASSERT_NE(nullptr, frame) << preview;
        EXPECT_TRUE(Viewable(frame)) << preview;
        RunEventsFor(500);
        // 600 x 650 with the window manager's frame; the tool bar widens it.
        EXPECT_GE(Attributes(frame).width, 600) << "preview " << preview;
        EXPECT_GE(Attributes(frame).height, 600) << "preview " << preview;
        // Centred on the main frame, not where the window manager would put a new window.
        const wxPoint centre = CentreOnScreen(frame);
        EXPECT_NEAR(main.x, centre.x, 25) << "preview " << preview;
        EXPECT_NEAR(main.y, centre.y, 25) << "preview " << preview;
        frame->Close(true);
        RunEventsFor(300);
    }
}

TEST_P(Desktop, MainFrameShowsEveryToolAndAWholePlanWindowThatGrowsWithIt)
{
    if (!Start())
        return;
    // The toolkit's tool bar is a GTK tool bar inside an event box.
    GtkWidget* box = m_frame->GetToolBar()->GetHandle();
    GtkToolbar* tools = GTK_TOOLBAR(GTK_IS_BIN(box) ? gtk_bin_get_child(GTK_BIN(box)) : box);
    ASSERT_EQ(13, gtk_toolbar_get_n_items(tools));
    for (int i = 0; i < gtk_toolbar_get_n_items(tools); ++i) {
        GtkWidget* item = GTK_WIDGET(gtk_toolbar_get_nth_item(tools, i));
        EXPECT_TRUE(Eventually([&] { return gtk_widget_get_mapped(item) && gtk_widget_get_child_visible(item); }))
            << "tool " << i << " behind the overflow arrow";
    }
    // A tool that does not fit shows its label in the overflow menu.
    for (wxToolBar* toolBar : {m_frame->GetToolBar(), m_planWindow->m_eventsToolBar})
        for (size_t i = 0; i < toolBar->GetToolsCount(); ++i) {
            const wxToolBarToolBase* tool = toolBar->GetToolByPos(i);
            EXPECT_TRUE(tool->IsSeparator() || !tool->GetLabel().empty()) << tool->GetShortHelp();
        }

    wxWindow* notebook = wxWindow::FindWindowById(ID_PLAN_NOTEBOOK, m_planWindow);
    wxStaticCast(notebook, wxNotebook)->SetSelection(1);
    for (wxWindow* tabs : {static_cast<wxWindow*>(m_frame->GetClientWindow()), notebook})
        EXPECT_EQ("", HiddenTabs(tabs));

    // Every column without scrolling: the list's rows area holds them all.
    wxListCtrl* list = m_planWindow->m_eventsList;
    EXPECT_EQ("", CutColumns(list));

    wxWindow* comments = m_planWindow->m_commentsText;
    const wxSize listBefore = list->GetSize(), commentsBefore = comments->GetSize();
    m_frame->SetSize(m_frame->GetSize() + wxSize(200, 150));
    Eventually([&] { return list->GetSize().y > listBefore.y; });
    RunEventsFor(200);
    EXPECT_GE(list->GetSize().x, listBefore.x + 150);
    EXPECT_GE(list->GetSize().y, listBefore.y + 100);
    EXPECT_GE(comments->GetSize().x, commentsBefore.x + 150);
    EXPECT_GE(comments->GetSize().y, commentsBefore.y + 100);
}

TEST_P(Desktop, PreferencesShowItsCaptionBothTabsAndThreeLetterDayNames)
{
    if (!Start())
        return;
    appSettings* dialog = new appSettings;
    dialog->Create(m_frame, ID_SETTINGS_DIALOG, "Program Options", wxDefaultPosition,
                   wxDefaultSize, wxCAPTION | wxSYSTEM_MENU | wxCLOSE_BOX);
    dialog->Show();
    EXPECT_TRUE(Viewable(dialog));
    EXPECT_EQ("", HiddenTabs(dialog->GetBookCtrl()));

    for (int id : {ID_MONDAY_TEXT, ID_WEDNESDAY_TEXT, ID_SUNDAY_TEXT}) {
        GtkEntry* box = GTK_ENTRY(dialog->FindWindow(id)->GetHandle());
        wxStaticCast(dialog->FindWindow(id), wxTextCtrl)->ChangeValue("WWW");
        RunEventsFor(50);
        GdkRectangle area;
        gtk_entry_get_text_area(box, &area);
        int width = 0;
        pango_layout_get_pixel_size(gtk_entry_get_layout(box), &width, nullptr);
        EXPECT_LE(width, area.width) << "day box " << id;
    }

    // The caption in the window manager's bold title font, beside its icon and buttons.
    wxFont bold = dialog->GetFont().Bold();
    int caption = 0;
    dialog->GetTextExtent("Program Options", &caption, nullptr, nullptr, nullptr, &bold);
    EXPECT_GE(Attributes(dialog).width, caption + 100);
    dialog->Destroy();
}

TEST_P(Desktop, CtrlWOrTheCloseBoxPressedAsPreviewOrPrintStartsWaitsForTheCommand)
{
    if (!Start())
        return;
    // Ctrl+W typed on the main frame, still unread when the preview command starts.
    wxUIActionSimulator user;
    m_frame->Raise();
    user.MouseMove(m_frame->GetScreenRect().GetTopLeft() + wxPoint(60, 80));
    RunEventsFor(300);
    wxWeakRef<wxDocument> plan(wxGetApp().m_docManager->GetCurrentDocument());
    user.Char('w', wxMOD_CONTROL);
    wxCommandEvent preview(wxEVT_MENU, wxID_PREVIEW);
    m_frame->ProcessWindowEvent(preview);
    wxWindow* previewFrame = nullptr;
    for (wxWindow* window : wxTopLevelWindows)
        previewFrame = dynamic_cast<wxPreviewFrame*>(window) ? window : previewFrame;
    EXPECT_NE(nullptr, previewFrame);
    EXPECT_TRUE(plan);
    // The close runs once the command is over, and takes the preview with the plan.
    EXPECT_TRUE(Eventually([&] { return !plan; }));
    EXPECT_TRUE(Eventually([&] { return m_frame->IsEnabled(); }));
    for (wxWindow* window : wxTopLevelWindows)
        EXPECT_TRUE(!dynamic_cast<wxPreviewFrame*>(window) || window->IsBeingDeleted());

    // The main frame's close box clicked as the print command starts: the print dialog comes,
    // and the program closes after it.
    plan = wxGetApp().m_docManager->CreateDocument(wxEmptyString, wxDOC_NEW);
    RunEventsFor(300);
    const wxWeakRef<wxWindow> frame(m_frame);
    bool dialogShown = false;
    wxTimer timer;
    timer.Bind(wxEVT_TIMER, [&](wxTimerEvent&) {
        if (GtkWidget* dialog = ShownDialog()) {
            dialogShown = plan && frame;
            gtk_dialog_response(GTK_DIALOG(dialog), GTK_RESPONSE_CANCEL);
        }
    });
    timer.Start(200);
    gtk_window_close(GTK_WINDOW(m_frame->GetHandle()));
    wxCommandEvent print(wxEVT_MENU, wxID_PRINT);
    m_frame->ProcessWindowEvent(print);
    timer.Stop();
    EXPECT_TRUE(dialogShown);
    EXPECT_TRUE(Eventually([&] { return !frame && !plan; }));
    m_frame = frame ? m_frame : nullptr;
    if (!m_frame)
        wxGetApp().OnExit();
}

TEST_P(Desktop, TabGoesThroughThePlanWindowsControlsInTheirOrder)
{
    if (!Start())
        return;
    TovendalProject* plan = m_planWindow;
    const std::vector<std::pair<std::string, wxWindow*>> controls = {
        {"first year", plan->m_yearFromText}, {"last year", plan->m_yearToText},
        {"page tabs", wxWindow::FindWindowById(ID_PLAN_NOTEBOOK, plan)}, {"title", plan->m_titleText},
        {"start month", plan->m_startMonthChoice}, {"first day", plan->m_firstDayChoice},
        {"bank holidays", plan->m_bankHolidaysCheck}, {"days across", plan->m_daysAcrossCheck}};
    std::vector<std::pair<std::string, wxWindow*>> named = controls;
    named.emplace_back("plan window", plan);
    named.emplace_back("plan's tab", m_frame->GetClientWindow());
    const auto focus = [&] { return FocusAmong(m_frame, named); };

    wxUIActionSimulator user;
    for (size_t start : {size_t(0), size_t(3)}) { // clicked into the first year, into the title
        user.MouseMove(ScreenCentre(controls[start].second->GetHandle()));
        user.MouseClick();
        EXPECT_TRUE(Eventually([&] { return focus() == controls[start].first; })) << focus();
        // Forward to the last control, then back to the first; a step gone astray ends the walk.
        std::vector<size_t> steps;
        for (size_t i = start + 1; i < controls.size(); ++i)
            steps.push_back(i);
        for (size_t i = controls.size() - 1; i-- > 0;)
            steps.push_back(i);
        std::string expected, seen;
        for (size_t step = 0; step < steps.size() && seen == expected; ++step) {
            const std::string& wanted = controls[steps[step]].first;
            user.Char(WXK_TAB, step + start + 1 < controls.size() ? wxMOD_NONE : wxMOD_SHIFT);
            Eventually([&] { return focus() == wanted; });
            expected += wanted + ", ";
            seen += focus() + ", ";
        }
        EXPECT_EQ(expected, seen) << "from the " << controls[start].first;
    }
    // What is typed after a Tab lands in the field Tab went to.
    user.Char(WXK_TAB);
    user.Char(WXK_TAB);
    user.Char(WXK_TAB);
    EXPECT_TRUE(Eventually([&] { return focus() == "title"; })) << focus();
    user.Text("xq");
    EXPECT_TRUE(Eventually([&] { return plan->m_titleText->GetValue().Contains("xq"); }))
        << plan->m_titleText->GetValue();
}

TEST_P(Desktop, MenuHelpShowsInTheStatusBarWhileAPlanIsOpen)
{
    if (!Start())
        return;
    // The plan window's menus, shown in the main frame.
    wxMenuBar* menus = m_planWindow->GetMenuBar();
    const struct { int menu, item; const char* help; } cases[] = {
        {0, wxID_OPEN, "Open existing Plan"},
        {2, wxID_PREFERENCES, "Change Program Preferences"},
        {3, ID_CHECK_UPDATES, "Ceck the web for new version ofthis program."}};
    wxUIActionSimulator user;
    for (const auto& c : cases) {
        m_frame->SetStatusText("", 0);
        user.MouseMove(ScreenCentre(menus->GetMenu(c.menu)->m_owner));
        user.MouseClick();
        GtkWidget* item = menus->FindItem(c.item)->GetMenuItem();
        ASSERT_TRUE(Eventually([&] { return gtk_widget_get_mapped(item); })) << c.help;
        // Onto the item, and a little within it.
        user.MouseMove(ScreenCentre(item) - wxPoint(0, 2));
        user.MouseMove(ScreenCentre(item));
        EXPECT_TRUE(Eventually([&] { return m_frame->GetStatusBar()->GetStatusText(0) == c.help; }))
            << c.help << ": field 0 reads '" << m_frame->GetStatusBar()->GetStatusText(0) << "'";
        user.Char(WXK_ESCAPE);
        EXPECT_TRUE(Eventually([&] { return !gtk_widget_get_mapped(item); })) << c.help;
    }
}

TEST_P(Desktop, EventEditorShowsAnEdgeAgainstThePlanWindowBehindIt)
{
    if (!Start())
        return;
    // Made as New Event makes it.
    diaryEvents* editor = new diaryEvents(m_planWindow, ID_EVENT_DIALOG, "Event", wxDefaultPosition,
                                          wxDefaultSize, wxSIMPLE_BORDER);
    editor->Show();
    ASSERT_TRUE(Viewable(editor));
    // The sides whose outermost pixels look like the dialog's own ground, as the screen shows them.
    const auto sidesWithoutEdge = [editor] {
        // Where the X server has the window: a window manager may move it without the toolkit
        // learning of it at once.
        wxRect area(wxPoint(), wxSize(Attributes(editor).width, Attributes(editor).height));
        gdk_window_get_origin(gtk_widget_get_window(editor->GetHandle()), &area.x, &area.y);
        GdkPixbuf* shot = gdk_pixbuf_get_from_window(gdk_get_default_root_window(), area.x, area.y,
                                                     area.width, area.height);
        if (!shot)
            return std::string("no picture of the screen");
        const auto pixel = [shot](int x, int y) {
            const guchar* p = gdk_pixbuf_get_pixels(shot) + y * gdk_pixbuf_get_rowstride(shot) +
                              x * gdk_pixbuf_get_n_channels(shot);
            return wxColour(p[0], p[1], p[2]);
        };
        const wxColour ground = pixel(3, area.height / 2);
        const struct { const char* side; int x, y; } edges[] = {
            {"left", 0, area.height / 2}, {"right", area.width - 1, area.height / 2},
            {"top", area.width / 2, 0}, {"bottom", area.width / 2, area.height - 1}};
        std::string missing;
        for (const auto& edge : edges) {
            const wxColour c = pixel(edge.x, edge.y);
            if (std::abs(c.Red() - ground.Red()) + std::abs(c.Green() - ground.Green()) +
                    std::abs(c.Blue() - ground.Blue()) < 150)
                missing += std::string(edge.side) + " " + c.GetAsString().ToStdString() + " on " +
                           ground.GetAsString().ToStdString() + "; ";
        }
        g_object_unref(shot);
        return missing;
    };
    EXPECT_TRUE(Eventually([&] { return sidesWithoutEdge().empty(); })) << sidesWithoutEdge();
    editor->Destroy();
}

TEST_P(Desktop, OrdinaryUseWritesNoGtkWarnings)
{
    if (!Start(true))
        return;
    const wxString path = WriteFamilyPlan();
    myDocManager* manager = wxGetApp().m_docManager;
    const auto planWindows = [&] {
        std::vector<TovendalProject*> windows;
        for (wxDocument* doc : manager->GetDocumentsVector())
            windows.push_back(dynamic_cast<TextEditView*>(doc->GetFirstView())->m_frame);
        return windows;
    };
    const auto useEveryPage = [&] {
        for (TovendalProject* window : planWindows()) {
            window->Activate();
            RunEventsFor(100);
            for (int page : {1, 2, 0, 1}) {
                wxStaticCast(wxWindow::FindWindowById(ID_PLAN_NOTEBOOK, window), wxNotebook)->SetSelection(page);
                RunEventsFor(50);
            }
        }
    };

    wxDocument* family = manager->CreateDocument(path, wxDOC_SILENT);
    ASSERT_NE(nullptr, family);
    RunEventsFor(300);
    useEveryPage();

    // Larger, smaller than a plan window, then as it opened.
    const wxSize opened = m_frame->GetSize();
    for (const wxSize& size : {opened + wxSize(300, 200), wxSize(300, 250), opened}) {
        m_frame->SetSize(size);
        RunEventsFor(300);
        useEveryPage();
    }

    // New events through the editor and by copy and paste.
    TovendalProject* window = planWindows().back();
    window->Activate();
    const auto command = [&](int id) {
        wxCommandEvent event(wxEVT_MENU, id);
        window->ProcessWindowEvent(event);
        RunEventsFor(100);
    };
    wxTEST_DIALOG(command(wxID_ADD), AddEvent("Dentist"));
    window->m_eventsList->SetItemState(0, wxLIST_STATE_SELECTED, wxLIST_STATE_SELECTED);
    for (int id : {wxID_COPY, wxID_PASTE, wxID_PASTE})
        command(id);
    EXPECT_EQ(6, window->m_eventsList->GetItemCount());

    // Plan windows closed and opened again.
    for (wxDocument* doc : manager->GetDocumentsVector()) {
        doc->Modify(false);
        manager->CloseDocument(doc, true);
        RunEventsFor(200);
    }
    ASSERT_NE(nullptr, manager->CreateDocument(path, wxDOC_SILENT));
    ASSERT_NE(nullptr, manager->CreateDocument(wxEmptyString, wxDOC_NEW));
    RunEventsFor(300);
    useEveryPage();

    const std::string written = m_stderr->Finish();
    EXPECT_EQ(std::string::npos, written.find("Gtk-CRITICAL")) << written;
    EXPECT_EQ(std::string::npos, written.find("Gtk-WARNING")) << written;
}

TEST_P(Desktop, EventColumnsShowWholeAtTheSizeTheWindowOpensWithAndAfterEventsAreAdded)
{
    if (!Start())
        return;
    wxDocument* plan = wxGetApp().m_docManager->CreateDocument(WriteFamilyPlan(), wxDOC_SILENT);
    ASSERT_NE(nullptr, plan);
    TovendalProject* window = dynamic_cast<TextEditView*>(plan->GetFirstView())->m_frame;
    wxStaticCast(wxWindow::FindWindowById(ID_PLAN_NOTEBOOK, window), wxNotebook)->SetSelection(1);
    wxListCtrl* list = window->m_eventsList;
    Eventually([&] { return CutColumns(list).empty(); });
    EXPECT_EQ("", CutColumns(list)) << "opened";

    // Events without an end date: a copy of the first row pasted, and one typed in the editor.
    const auto command = [&](int id) {
        wxCommandEvent event(wxEVT_MENU, id);
        window->ProcessWindowEvent(event);
    };
    list->SetItemState(0, wxLIST_STATE_SELECTED, wxLIST_STATE_SELECTED);
    command(wxID_COPY);
    command(wxID_PASTE);
    Eventually([&] { return CutColumns(list).empty(); });
    EXPECT_EQ("", CutColumns(list)) << "pasted";
    wxTEST_DIALOG(command(wxID_ADD),
                  AddEvent("A very long description of a new event typed into the editor"));
    Eventually([&] { return CutColumns(list).empty(); });
    EXPECT_EQ("", CutColumns(list)) << "added";
    EXPECT_EQ(5, list->GetItemCount());
}
