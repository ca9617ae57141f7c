#include "app/mainframe.h"
#include "app/app.h"
#include "app/menutable.h"
#include "view/docmanager.h"
#include "images/namedimage.h"
#include "platform/gtklayout.h"

#include <wx/display.h>
#include <wx/file.h>
#include <wx/filedlg.h>
#include <wx/filefn.h>
#include <wx/filename.h>
#include <wx/intl.h>
#include <wx/log.h>
#include <wx/menu.h>
#include <wx/msgdlg.h>
#include <wx/statusbr.h>
#include <wx/stdpaths.h>
#include <wx/textfile.h>
#include <wx/toolbar.h>

#include <gtk/gtk.h>

#include <algorithm>
#include <cerrno>
#include <clocale>
#include <unistd.h>

wxIMPLEMENT_CLASS(TovendalMain, wxDocMDIParentFrame);

wxBEGIN_EVENT_TABLE(TovendalMain, wxDocMDIParentFrame)
    EVT_MENU(     wxID_REMOVE,             TovendalMain::OnRemove)
    EVT_MENU(     ID_CHECK_UPDATES,        TovendalMain::OnCheckUpdates)
    EVT_UPDATE_UI(ID_TOOLBAR,              TovendalMain::OnToolbarUpdate)
    EVT_MENU(     wxID_PREFERENCES,        TovendalMain::OnPreferences)
    EVT_MENU(     wxID_ABOUT,              TovendalMain::OnAbout)
wxEND_EVENT_TABLE()

namespace {

const NamedImage g_images[] = {
    {"new.xpm", new_xpm},
    {"fileopen.xpm", fileopen_xpm},
    {"filesave.xpm", filesave_xpm},
    {"filesaveas.xpm", filesaveas_xpm},
    {"delete.xpm", delete_xpm},
    {"print.xpm", print_xpm},
    {"preview.xpm", preview_xpm},
    {"print_options_16.xpm", print_options_16_xpm},
    {"quit.xpm", quit_xpm},
    {"program_settings.xpm", program_settings_xpm},
    {"help.xpm", help_xpm},
    {"stock_close-16.png", stock_close_16_png_xpm},
};

const MenuTableItem FILE_MENU[] = {
    {wxID_NEW, wxTRANSLATE("&New"), wxTRANSLATE("New Plan"), "new.xpm"},
    {wxID_OPEN, wxTRANSLATE("&Open..."), wxTRANSLATE("open existing Plan"), "fileopen.xpm"},
    {wxID_SAVE, wxTRANSLATE("&Save\tCtrl+S"), wxTRANSLATE("Save changes"), "filesave.xpm"},
    {wxID_SAVEAS, wxTRANSLATE("Save &As..."), wxTRANSLATE("Save Plan with new name"),
     "filesaveas.xpm"},
    {wxID_CLOSE, wxTRANSLATE("&Close"), wxTRANSLATE("Close Plan"), ""},
    {wxID_CLOSE_ALL, wxTRANSLATE("Close All"), wxTRANSLATE("Close all open plans"), ""},
    {wxID_REMOVE, wxTRANSLATE("&Remove..."), wxTRANSLATE("Delete existing plan"), "delete.xpm"},
    {wxID_PRINT, wxTRANSLATE("&Print..."), wxTRANSLATE("Print Plan"), "print.xpm"},
    {wxID_PREVIEW, wxTRANSLATE("Print Preview..."), wxTRANSLATE("Print Preview"), "preview.xpm"},
    {wxID_PRINT_SETUP, wxTRANSLATE("Page Setup..."), wxTRANSLATE("Page Setup"),
     "print_options_16.xpm"},
    MENU_SEPARATOR,
    {wxID_EXIT, wxTRANSLATE("E&xit..."), wxTRANSLATE("Leave program"), "quit.xpm"},
};

const MenuTableItem OPTIONS_MENU[] = {
    {wxID_PREFERENCES, wxTRANSLATE("Preferences..."), wxTRANSLATE("Change Program Preferences"),
     "program_settings.xpm"},
};

const MenuTableItem HELP_MENU[] = {
    {wxID_ABOUT, wxTRANSLATE("About..."), "", "help.xpm"},
    MENU_SEPARATOR,
    {ID_CHECK_UPDATES, wxTRANSLATE("Check for &updates"),
     wxTRANSLATE("Ceck the web for new version ofthis program."), ""},
};

/// The file that keeps the plan window's size between starts: a cache, made again when lost.
wxString PlanWindowSizeFile()
{
    return wxStandardPaths::Get().GetUserDir(wxStandardPaths::Dir_Cache) + "/Tovendal/planwindow";
}

/// What a plan window's size depends on besides the program's code, as one line.
wxString PlanWindowSizeKey()
{
    const TovendalApp& app = wxGetApp();
    // The program's own build stands for the layout of its windows.
    const wxDateTime built =
        wxFileName(wxStandardPaths::Get().GetExecutablePath()).GetModificationTime();
    return wxString::FromUTF8(WidgetSizeSettings()) + "|" +
           (built.IsValid() ? built.Format("%Y%m%d%H%M%S") : wxString()) + "|" +
           std::setlocale(LC_ALL, nullptr) + "|" +
           (wxGetLocale() ? wxGetLocale()->GetCanonicalName() : wxString()) + "|" +
           wxJoin(app.m_monthNames, ',') + "|" + wxJoin(app.m_dayNames, ',');
}

/// The size read from or last written to the file, while the key it was kept under holds.
wxSize g_rememberedSize;
wxString g_rememberedKey;

} // namespace

TovendalMain::TovendalMain(wxDocManager* manager, wxFrame* parent, wxWindowID id,
                           const wxString& title, const wxPoint& pos, const wxSize& size, long style)
    : m_fileMenu(nullptr), m_dropTarget(nullptr), m_closing(false)
{
    Create(manager, parent, id, title, pos, size, style);
}

TovendalMain::~TovendalMain() {}

bool TovendalMain::Create(wxDocManager* manager, wxFrame* parent, wxWindowID id,
                          const wxString& title, const wxPoint& pos, const wxSize& size, long style)
{
    wxDocMDIParentFrame::Create(manager, parent, id, title, pos, size, style, "frame");
    // The base binds its own close handler, and bound handlers run before the event table and
    // the last bound first: bound after it, this one sees the close begin and end.
    Bind(wxEVT_CLOSE_WINDOW, &TovendalMain::OnCloseWindow, this);
    CreateControls();
    SetIcon(GetIconResource("TOVENDAL.ICO"));
    Centre(wxBOTH);
    KeepPositionWhenShown(this);
    return true;
}

void TovendalMain::CreateControls()
{
    wxMenuBar* menuBar = new wxMenuBar;
    m_fileMenu = MenuFromTable(FILE_MENU, GetBitmapResource);
    // The document manager enables Close while a plan is current.
    m_fileMenu->Enable(wxID_CLOSE, false);
    menuBar->Append(m_fileMenu, _("&File"));
    menuBar->Append(MenuFromTable(OPTIONS_MENU, GetBitmapResource), _("Options"));
    menuBar->Append(MenuFromTable(HELP_MENU, GetBitmapResource), _("&Help"));
    SetMenuBar(menuBar);

    // A tool: id, image name, tool tip and status-bar text; id 0 for a separator.
    struct ToolEntry
    {
        wxWindowID id;
        const char* image;
        const char* shortHelp;
        const char* longHelp;
    };
    static const ToolEntry tools[] = {
        {wxID_NEW, "new.xpm", wxTRANSLATE("New Plan"), wxTRANSLATE("New Plan")},
        {wxID_OPEN, "fileopen.xpm", wxTRANSLATE("Open existing Plan"),
         wxTRANSLATE("Open existing Plan")},
        {wxID_CLOSE, "stock_close-16.png", wxTRANSLATE("Close Plan"), wxTRANSLATE("Close Plan")},
        {wxID_SAVE, "filesave.xpm", wxTRANSLATE("Save Plan"), wxTRANSLATE("Save Plan")},
        {wxID_SAVEAS, "filesaveas.xpm", wxTRANSLATE("Save Plan with new name"),
         wxTRANSLATE("Save Plan with new name")},
        {wxID_PRINT, "print.xpm", wxTRANSLATE("Print Plan"), wxTRANSLATE("Print Plan")},
        {wxID_PREVIEW, "preview.xpm", wxTRANSLATE("Print Preview"), wxTRANSLATE("Print Preview")},
        {wxID_PRINT_SETUP, "print_options_16.xpm", wxTRANSLATE("Page Setup"),
         wxTRANSLATE("Page Setup")},
        {0, "", "", ""},
        {wxID_PREFERENCES, "program_settings.xpm", wxTRANSLATE("Preferences"),
         wxTRANSLATE("Set day and month name preferences")},
        {0, "", "", ""},
        {wxID_ABOUT, "help.xpm", wxTRANSLATE("About"), wxTRANSLATE("About")},
        {wxID_EXIT, "quit.xpm", wxTRANSLATE("Leave Program"), wxTRANSLATE("Leave Program")},
    };
    wxToolBar* toolBar = CreateToolBar(wxTB_FLAT | wxTB_HORIZONTAL, ID_TOOLBAR, "toolbar");
    for (const ToolEntry& tool : tools) {
        if (tool.id == 0)
            toolBar->AddSeparator();
        else
            // The label is not drawn on the tool; it names the tool in the overflow menu.
            toolBar->AddTool(tool.id, wxGetTranslation(tool.shortHelp),
                             GetBitmapResource(tool.image), wxNullBitmap,
                             wxITEM_NORMAL, wxGetTranslation(tool.shortHelp),
                             wxGetTranslation(tool.longHelp));
    }
    toolBar->Realize();
    SetToolBar(toolBar);

    wxStatusBar* statusBar = new wxStatusBar(this, ID_STATUSBAR, wxST_SIZEGRIP | wxNO_BORDER,
                                             "statusBar");
    statusBar->SetFieldsCount(2);
    SetStatusBar(statusBar);

    wxDocManager* manager = GetDocumentManager();
    manager->FileHistoryUseMenu(m_fileMenu);
    manager->FileHistoryAddFilesToMenu(m_fileMenu);

    m_dropTarget = new DropTarget;
    SetDropTarget(m_dropTarget);
}

void TovendalMain::FitPlanWindow(const wxSize& planWindowSize)
{
    // A plan window is a tab of the client area: room for the tab strip and the notebook's
    // frame, which GTK measures only once a tab is shown (pixels).
    const int tabStrip = 3 * GetCharHeight();
    const int margin = 16;
    wxSize client = planWindowSize + wxSize(margin, tabStrip + margin);
    if (wxToolBar* tools = GetToolBar())
        client.IncTo(wxSize(tools->GetBestSize().x + margin, 0));
    client.IncTo(GetClientSize());
    client.DecTo(WindowToClientSize(wxDisplay(this).GetClientArea().GetSize()));
    // The client size, not the frame's: the toolkit then shows a new frame at once instead of
    // waiting for the window manager's borders, a wait in which GTK lays the frame out at two
    // pixels wide and warns of every widget in it.
    if (client == GetClientSize())
        return;
    SetClientSize(client);
    // A frame that grew past the screen's edge moves back onto it.
    const wxRect area = wxDisplay(this).GetClientArea();
    const wxSize size = GetSize();
    wxPoint position = GetPosition();
    position.x = std::max(area.x, std::min(position.x, area.GetRight() + 1 - size.x));
    position.y = std::max(area.y, std::min(position.y, area.GetBottom() + 1 - size.y));
    if (position != GetPosition())
        Move(position);
}

wxSize TovendalMain::RememberedPlanWindowSize()
{
    const wxString key = PlanWindowSizeKey();
    if (key == g_rememberedKey)
        return g_rememberedSize;
    g_rememberedKey = key;
    g_rememberedSize = wxSize(0, 0);
    wxTextFile file(PlanWindowSizeFile());
    long width = 0, height = 0;
    if (wxFileExists(file.GetName()) && file.Open() && file.GetLineCount() == 2 &&
        file[0] == key && file[1].BeforeFirst(' ').ToLong(&width) &&
        file[1].AfterFirst(' ').ToLong(&height) && width > 0 && height > 0 &&
        width < 100000 && height < 100000)
        g_rememberedSize = wxSize(int(width), int(height));
    return g_rememberedSize;
}

void TovendalMain::RememberPlanWindowSize(const wxSize& planWindowSize)
{
    if (planWindowSize == RememberedPlanWindowSize())
        return;
    g_rememberedSize = planWindowSize;
    const wxString path = PlanWindowSizeFile();
    wxLogNull quiet; // a cache that cannot be written costs only the next start's size
    if (!wxFileName::Mkdir(wxFileName(path).GetPath(), 0700, wxPATH_MKDIR_FULL))
        return;
    // Written whole under another name and renamed: a start that reads it meanwhile finds no
    // half line.
    wxTempFile file(path);
    if (file.IsOpened() &&
        file.Write(g_rememberedKey + "\n" +
                   wxString::Format("%d %d\n", planWindowSize.x, planWindowSize.y)))
        file.Commit();
}

wxBitmap TovendalMain::GetBitmapResource(const wxString& name)
{
    return FindNamedImage(g_images, name);
}

namespace {

extern "C" gboolean MoveToWantedPosition(GtkWidget* widget, GdkEvent*, gpointer data)
{
    const wxPoint position = *static_cast<wxPoint*>(data);
    // The window manager has placed the frame by now and honours a move asked for after that. GTK
    // would not ask again for the position it asked for before, so the window is moved directly.
    gdk_window_move(gtk_widget_get_window(widget), position.x, position.y);
    g_signal_handlers_disconnect_by_data(widget, data);
    return FALSE;
}

} // namespace

void KeepPositionWhenShown(wxTopLevelWindow* frame)
{
    // Taken now: once GTK has realised the frame, the toolkit reports where the window manager
    // put it.
    g_signal_connect_data(frame->GetHandle(), "map-event", G_CALLBACK(MoveToWantedPosition),
                          new wxPoint(frame->GetPosition()),
                          [](gpointer data, GClosure*) { delete static_cast<wxPoint*>(data); },
                          GConnectFlags(0));
}

wxIcon TovendalMain::GetIconResource(const wxString& name)
{
    return FindNamedIcon(PROGRAM_ICONS, name);
}

bool TovendalMain::IsClosing() const
{
    return m_closing;
}

void TovendalMain::OnCloseWindow(wxCloseEvent& event)
{
    // While the plans close (a question may run events meanwhile) the program takes no handed
    // plan: the toolkit's loop over the plans would miss it and leave it without its window.
    m_closing = true;
    if (!GetDocumentManager()->Clear(!event.CanVeto())) {
        m_closing = false;
        event.Veto();
        return;
    }
    // The base frame's handler finds no plan left; the frame is then destroyed.
    event.Skip();
}

void TovendalMain::OnRemove(wxCommandEvent& WXUNUSED(event))
{
    // The dialog starts in the folder that holds the documents folder.
    wxFileName documents(wxStandardPaths::Get().GetDocumentsDir());
    wxFileDialog dialog(this, "Delete Plan:", documents.GetPath(), wxEmptyString,
                        "Plan Files(*.tovendal)|*.tovendal|All (*.*)|*.*",
                        wxFD_OPEN | wxFD_FILE_MUST_EXIST, wxDefaultPosition, wxDefaultSize,
                        "filedlg");
    if (dialog.ShowModal() == wxID_OK)
        RemovePlanFile(dialog.GetPath());
}

void TovendalMain::RemovePlanFile(const wxString& path)
{
    // The chooser's button reads "Open" on this toolkit: nothing is deleted without a question,
    // and a plan shown in a window is kept, as saving it would write the file again.
    for (const wxDocument* doc : GetDocumentManager()->GetDocumentsVector()) {
        if (!doc->GetFilename().empty() && wxFileName(doc->GetFilename()).SameAs(path)) {
            wxMessageBox(wxString::Format(_("The plan file %s is open in the program and was not deleted."), path),
                         _("Delete Plan"), wxOK | wxICON_INFORMATION, this);
            return;
        }
    }
    if (wxMessageBox(wxString::Format(_("Delete the plan file %s? This cannot be undone."), path),
                     _("Delete Plan"), wxYES_NO | wxNO_DEFAULT | wxICON_QUESTION, this) != wxYES)
        return;
    if (unlink(path.fn_str()) != 0) {
        const wxString reason = wxSysErrorMsgStr(errno);
        wxMessageBox(wxString::Format(_("The plan file %s could not be deleted: %s"), path, reason),
                     _("Delete Plan"), wxOK | wxICON_ERROR, this);
    }
}

void TovendalMain::OnToolbarUpdate(wxUpdateUIEvent& WXUNUSED(event)) {}

bool DropTarget::OnDropFiles(wxCoord WXUNUSED(x), wxCoord WXUNUSED(y),
                             const wxArrayString& filenames)
{
    for (const wxString& name : filenames)
        wxGetApp().m_docManager->CreateDocument(name, wxDOC_SILENT);
    return true;
}
