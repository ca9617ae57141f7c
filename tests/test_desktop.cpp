// The windows as a user sees them, each test on a private display with openbox and without a
// window manager: what lies above what, the sizes the windows open at, what they show whole.
#include "app/app.h"
#include "app/mainframe.h"
#include "app/settings.h"
#include "planwindow/planwindow.h"
#include "tests/privatedisplay.h"
#include "tests/testsupport.h"
#include "view/docmanager.h"
#include "view/planview.h"

#include <wx/listctrl.h>
#include <wx/notebook.h>
#include <wx/printdlg.h>
#include <wx/splash.h>
#include <wx/textctrl.h>
#include <wx/timer.h>
#include <wx/toolbar.h>

#include <gdk/gdkx.h>
#include <gtk/gtk.h>

#include <gtest/gtest.h>

#include <X11/Xlib.h>
// Xlib's macro would hide the test library's generator of that name.
#undef Bool

#include <algorithm>
#include <functional>
#include <string>
#include <vector>

namespace {

Display* XDisplay()
{
    return GDK_DISPLAY_XDISPLAY(gdk_display_get_default());
}

// The X window of a top-level window, or of a GTK window.
Window XWindowOf(GtkWidget* widget)
{
    GdkWindow* window = gtk_widget_get_window(widget);
    return window ? GDK_WINDOW_XID(window) : 0;
}

// Place in the stacking order, bottom first, of the root's child that holds the window (the
// window manager's frame around it, or the window itself without one); -1 when none.
int StackPlace(Window window)
{
    Window root = 0, parent = 0, *children = nullptr;
    unsigned count = 0;
    // The ancestor right below the root.
    for (Window current = window; current;) {
        if (!XQueryTree(XDisplay(), current, &root, &parent, &children, &count))
            return -1;
        XFree(children);
        if (parent == root) {
            window = current;
            break;
        }
        current = parent;
    }
    if (!XQueryTree(XDisplay(), root, &root, &parent, &children, &count))
        return -1;
    int place = -1;
    for (unsigned i = 0; i < count; ++i)
        if (children[i] == window)
            place = static_cast<int>(i);
    XFree(children);
    return place;
}

// The size of the window's own area on the screen, in pixels, as the X server has it.
wxSize XSize(wxWindow* window)
{
    XWindowAttributes attributes;
    if (!XGetWindowAttributes(XDisplay(), XWindowOf(window->GetHandle()), &attributes))
        return wxSize();
    return wxSize(attributes.width, attributes.height);
}

// True when the window is on the screen, as the X server has it.
bool Viewable(wxWindow* window)
{
    XWindowAttributes attributes;
    return XGetWindowAttributes(XDisplay(), XWindowOf(window->GetHandle()), &attributes) &&
           attributes.map_state == IsViewable;
}

// Runs events until the condition holds or about five seconds have passed; answers the
// condition. Window managers and a busy machine take their time.
bool Eventually(const std::function<bool()>& condition)
{
    for (int waited = 0; waited < 5000 && !condition(); waited += 50)
        RunEventsFor(50);
    return condition();
}

// The dialog GTK shows at the moment (message box, print, page setup, file chooser), or none.
GtkWidget* ShownDialog()
{
    GtkWidget* found = nullptr;
    GList* windows = gtk_window_list_toplevels();
    for (GList* item = windows; item; item = item->next) {
        GtkWidget* widget = GTK_WIDGET(item->data);
        if (GTK_IS_DIALOG(widget) && gtk_widget_get_mapped(widget))
            found = widget;
    }
    g_list_free(windows);
    return found;
}

// Tabs whose labels do not show whole: hidden behind the scroll arrows or cut short.
std::string HiddenTabs(GtkNotebook* notebook)
{
    std::string hidden;
    for (int page = 0; page < gtk_notebook_get_n_pages(notebook); ++page) {
        GtkWidget* label = gtk_notebook_get_tab_label(notebook, gtk_notebook_get_nth_page(notebook, page));
        int minimum = 0, natural = 0;
        gtk_widget_get_preferred_width(label, &minimum, &natural);
        GtkAllocation allocation;
        gtk_widget_get_allocation(label, &allocation);
        if (!gtk_widget_get_mapped(label) || !gtk_widget_get_child_visible(label) ||
            allocation.width < natural)
            hidden += "tab " + std::to_string(page + 1) + " ";
    }
    return hidden;
}

// The program started in this process on the private display, with one new plan open.
class Desktop : public ::testing::TestWithParam<bool>
{
protected:
    // In the test process: runs the test on a private display and answers false. There: starts
    // the program and answers true.
    bool Start()
    {
        if (!desktoptest::RunOnPrivateDisplay(GetParam()))
            return false;
        EXPECT_TRUE(StartTovendal());
        // The splash stays on top for seconds; the tests look at the windows below it.
        for (wxWindow* window : wxTopLevelWindows)
            if (dynamic_cast<wxSplashScreen*>(window))
                window->Destroy();
        m_frame = wxStaticCast(wxGetApp().GetTopWindow(), TovendalMain);
        m_plan = wxGetApp().m_docManager->CreateDocument(wxEmptyString, wxDOC_NEW);
        m_planWindow = dynamic_cast<TextEditView*>(m_plan->GetFirstView())->m_frame;
        EXPECT_TRUE(Eventually([&] { return Viewable(m_frame); }));
        RunEventsFor(500);
        return true;
    }

    void TearDown() override
    {
        if (m_frame)
            StopTovendal();
    }

    // Runs a command of the main frame; while it waits on a dialog, calls the check with the
    // dialog, then answers the dialog with Cancel. False when no dialog came within 15 s.
    bool AnswerDialogOf(int command, const std::function<void(GtkWidget*)>& check)
    {
        wxTimer timer;
        int mappedTicks = 0;
        bool answered = false;
        timer.Bind(wxEVT_TIMER, [&](wxTimerEvent&) {
            GtkWidget* dialog = ShownDialog();
            // The window manager restacks a new window soon after it maps.
            if (!dialog || ++mappedTicks < 5)
                return;
            check(dialog);
            answered = true;
            timer.Stop();
            gtk_dialog_response(GTK_DIALOG(dialog), GTK_RESPONSE_CANCEL);
        });
        timer.Start(100);
        wxTimer giveUp;
        giveUp.Bind(wxEVT_TIMER, [&](wxTimerEvent&) {
            if (GtkWidget* dialog = ShownDialog())
                gtk_dialog_response(GTK_DIALOG(dialog), GTK_RESPONSE_CANCEL);
        });
        giveUp.StartOnce(15000);
        wxCommandEvent event(wxEVT_MENU, command);
        m_frame->ProcessWindowEvent(event);
        timer.Stop();
        giveUp.Stop();
        RunEventsFor(200);
        return answered;
    }

    TovendalMain* m_frame = nullptr;
    wxDocument* m_plan = nullptr;
    TovendalProject* m_planWindow = nullptr;
};

std::string DisplayName(const ::testing::TestParamInfo<bool>& info)
{
    return info.param ? "Openbox" : "NoWindowManager";
}

} // namespace

INSTANTIATE_TEST_SUITE_P(PrivateDisplay, Desktop, ::testing::Bool(), DisplayName);

TEST_P(Desktop, BusyNoticeNeverCoversTheDialogTheUserMustAnswer)
{
    if (!Start())
        return;
    const struct {
        const char* name;
        int command;
        const char* firstYear;
        const char* lastYear;
    } cases[] = {
        {"page setup", wxID_PRINT_SETUP, "2015", "2015"},
        {"print dialog", wxID_PRINT, "2015", "2015"},
        {"message: last year before the first, then print preview", wxID_PREVIEW, "2016", "2015"},
    };
    for (const auto& c : cases) {
        m_planWindow->m_yearFromText->ChangeValue(c.firstYear);
        m_planWindow->m_yearToText->ChangeValue(c.lastYear);
        const bool answered = AnswerDialogOf(c.command, [&](GtkWidget* dialog) {
            const int dialogPlace = StackPlace(XWindowOf(dialog));
            ASSERT_GE(dialogPlace, 0) << c.name;
            for (wxWindow* window : wxTopLevelWindows) {
                if (window->IsShown() && window->HasFlag(wxSTAY_ON_TOP)) {
                    EXPECT_LT(StackPlace(XWindowOf(window->GetHandle())), dialogPlace)
                        << c.name << ": a stay-on-top window above it";
                }
            }
        });
        EXPECT_TRUE(answered) << c.name << ": no dialog";
    }
}

TEST_P(Desktop, EveryPreviewOpensAtItsDesignedSize)
{
    if (!Start())
        return;
    for (int preview = 1; preview <= 3; ++preview) {
        wxCommandEvent event(wxEVT_MENU, wxID_PREVIEW);
        m_frame->ProcessWindowEvent(event);
        wxPreviewFrame* frame = nullptr;
        for (wxWindow* window : wxTopLevelWindows)
            if (wxPreviewFrame* found = dynamic_cast<wxPreviewFrame*>(window))
                frame = found;
        ASSERT_NE(nullptr, frame) << preview;
        EXPECT_TRUE(Eventually([&] { return Viewable(frame); })) << preview;
        RunEventsFor(500);
        // 600 x 650 with the window manager's frame; the tool bar widens it.
        const wxSize size = XSize(frame);
        EXPECT_GE(size.x, 600) << "preview " << preview;
        EXPECT_GE(size.y, 600) << "preview " << preview;
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
        EXPECT_TRUE(Eventually([&] {
            return gtk_widget_get_mapped(item) && gtk_widget_get_child_visible(item);
        })) << "tool " << i << " behind the overflow arrow";
    }
    // A tool that does not fit shows its label in the overflow menu.
    for (wxToolBar* toolBar : {m_frame->GetToolBar(), m_planWindow->m_eventsToolBar})
        for (size_t i = 0; i < toolBar->GetToolsCount(); ++i) {
            const wxToolBarToolBase* tool = toolBar->GetToolByPos(i);
            EXPECT_TRUE(tool->IsSeparator() || !tool->GetLabel().empty()) << tool->GetShortHelp();
        }

    wxNotebook* notebook = wxStaticCast(wxWindow::FindWindowById(ID_PLAN_NOTEBOOK, m_planWindow), wxNotebook);
    notebook->SetSelection(1);
    for (GtkNotebook* tabs : {GTK_NOTEBOOK(m_frame->GetClientWindow()->GetHandle()),
                              GTK_NOTEBOOK(notebook->GetHandle())}) {
        Eventually([&] { return HiddenTabs(tabs).empty(); });
        EXPECT_EQ("", HiddenTabs(tabs));
    }

    // Every column without scrolling: the list's rows area holds them all.
    wxListCtrl* list = m_planWindow->m_eventsList;
    int columns = 0;
    for (int i = 0; i < list->GetColumnCount(); ++i)
        columns += list->GetColumnWidth(i);
    wxWindow* rows = *std::max_element(list->GetChildren().begin(), list->GetChildren().end(),
                                       [](wxWindow* a, wxWindow* b) { return a->GetSize().y < b->GetSize().y; });
    EXPECT_LE(columns, rows->GetClientSize().x);

    const wxSize listBefore = list->GetSize();
    const wxSize commentsBefore = m_planWindow->m_commentsText->GetSize();
    m_frame->SetSize(m_frame->GetSize() + wxSize(200, 150));
    Eventually([&] { return list->GetSize().y > listBefore.y; });
    RunEventsFor(200);
    EXPECT_GE(list->GetSize().x, listBefore.x + 150);
    EXPECT_GE(list->GetSize().y, listBefore.y + 100);
    EXPECT_GE(m_planWindow->m_commentsText->GetSize().x, commentsBefore.x + 150);
    EXPECT_GE(m_planWindow->m_commentsText->GetSize().y, commentsBefore.y + 100);
}

TEST_P(Desktop, PreferencesShowItsCaptionBothTabsAndThreeLetterDayNames)
{
    if (!Start())
        return;
    appSettings* dialog = new appSettings;
    dialog->Create(m_frame, ID_SETTINGS_DIALOG, "Program Options", wxDefaultPosition,
                   wxDefaultSize, wxCAPTION | wxSYSTEM_MENU | wxCLOSE_BOX);
    dialog->Show();
    GtkNotebook* tabs = GTK_NOTEBOOK(dialog->GetBookCtrl()->GetHandle());
    Eventually([&] { return Viewable(dialog) && HiddenTabs(tabs).empty(); });
    EXPECT_EQ("", HiddenTabs(tabs));

    for (int id : {ID_MONDAY_TEXT, ID_WEDNESDAY_TEXT, ID_SUNDAY_TEXT}) {
        wxTextCtrl* box = wxStaticCast(dialog->FindWindow(id), wxTextCtrl);
        box->ChangeValue("WWW");
        RunEventsFor(50);
        GdkRectangle area;
        gtk_entry_get_text_area(GTK_ENTRY(box->GetHandle()), &area);
        int width = 0;
        pango_layout_get_pixel_size(gtk_entry_get_layout(GTK_ENTRY(box->GetHandle())), &width, nullptr);
        EXPECT_LE(width, area.width) << "day box " << id;
    }

    // The caption in the window manager's bold title font, beside its icon and buttons.
    wxFont bold = dialog->GetFont();
    bold.MakeBold();
    int caption = 0;
    dialog->GetTextExtent("Program Options", &caption, nullptr, nullptr, nullptr, &bold);
    EXPECT_GE(XSize(dialog).x, caption + 100);
    dialog->Destroy();
}
