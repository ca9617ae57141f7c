#include "app/mainframe.h"
#include "app/app.h"
#include "view/docmanager.h"
#include "images/namedimage.h"

#include <wx/display.h>
#include <wx/filedlg.h>
#include <wx/filefn.h>
#include <wx/filename.h>
#include <wx/log.h>
#include <wx/menu.h>
#include <wx/msgdlg.h>
#include <wx/statusbr.h>
#include <wx/stdpaths.h>
#include <wx/toolbar.h>

#include "images/TOVENDAL_ICO.xpm"
#include "images/delete.xpm"
#include "images/fileopen.xpm"
#include "images/filesave.xpm"
#include "images/filesaveas.xpm"
#include "images/help.xpm"
#include "images/new.xpm"
#include "images/preview.xpm"
#include "images/print.xpm"
#include "images/print_options_16.xpm"
#include "images/program_settings.xpm"
#include "images/quit.xpm"
#include "images/stock_close_16_png.xpm"

#include <cerrno>
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

/// A menu entry: id, label, help text and image name (none when empty).
struct MenuEntry
{
    wxWindowID id;
    const char* label;
    const char* help;
    const char* image;
};

void AppendEntry(wxMenu* menu, const MenuEntry& entry)
{
    // An empty text is not looked up: the catalogue's header sits under the empty key.
    const wxString help = *entry.help ? wxGetTranslation(entry.help) : wxString();
    wxMenuItem* item = new wxMenuItem(menu, entry.id, wxGetTranslation(entry.label), help,
                                      wxITEM_NORMAL);
    if (*entry.image)
        item->SetBitmap(TovendalMain::GetBitmapResource(entry.image));
    menu->Append(item);
}

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
    return true;
}

void TovendalMain::CreateControls()
{
    // The labels are marked for translation here and looked up when the menus are built.
    static const MenuEntry fileEntries[] = {
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
    };

    wxMenuBar* menuBar = new wxMenuBar;
    m_fileMenu = new wxMenu;
    for (const MenuEntry& entry : fileEntries) {
        AppendEntry(m_fileMenu, entry);
        // The document manager enables Close while a plan is current.
        if (entry.id == wxID_CLOSE)
            m_fileMenu->Enable(wxID_CLOSE, false);
    }
    m_fileMenu->AppendSeparator();
    AppendEntry(m_fileMenu, {wxID_EXIT, wxTRANSLATE("E&xit..."), wxTRANSLATE("Leave program"),
                             "quit.xpm"});
    menuBar->Append(m_fileMenu, _("&File"));

    wxMenu* optionsMenu = new wxMenu;
    AppendEntry(optionsMenu, {wxID_PREFERENCES, wxTRANSLATE("Preferences..."),
                              wxTRANSLATE("Change Program Preferences"), "program_settings.xpm"});
    menuBar->Append(optionsMenu, _("Options"));

    wxMenu* helpMenu = new wxMenu;
    AppendEntry(helpMenu, {wxID_ABOUT, wxTRANSLATE("About..."), "", "help.xpm"});
    helpMenu->AppendSeparator();
    AppendEntry(helpMenu, {ID_CHECK_UPDATES, wxTRANSLATE("Check for &updates"),
                           wxTRANSLATE("Ceck the web for new version ofthis program."), ""});
    menuBar->Append(helpMenu, _("&Help"));
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
    // frame, which GTK measures only once a tab is shown, and for the window manager's borders,
    // known only once the frame is shown (pixels).
    const int tabStrip = 3 * GetCharHeight();
    const int margin = 16;
    wxSize size = ClientToWindowSize(planWindowSize + wxSize(margin, tabStrip + margin));
    if (wxToolBar* tools = GetToolBar())
        size.IncTo(wxSize(ClientToWindowSize(tools->GetBestSize()).x + margin, 0));
    size.IncTo(GetSize());
    size.DecTo(wxDisplay(this).GetClientArea().GetSize());
    if (size != GetSize())
        SetSize(size);
}

wxBitmap TovendalMain::GetBitmapResource(const wxString& name)
{
    return FindNamedImage(g_images, name);
}

wxIcon TovendalMain::GetIconResource(const wxString& name)
{
    if (name == "TOVENDAL.ICO")
        return wxIcon(TOVENDAL_ICO_xpm);
    return wxNullIcon;
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
