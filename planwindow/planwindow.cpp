#include "planwindow/planwindow.h"
#include "app/app.h"
#include "app/limitedtext.h"
#include "app/mainframe.h"
#include "app/menutable.h"
#include "document/plandocument.h"
#include "planwindow/eventcommands.h"
#include "view/docmanager.h"
#include "images/namedimage.h"
#include "platform/notebooktabs.h"

#include <wx/bitmap.h>
#include <wx/checkbox.h>
#include <wx/choice.h>
#include <wx/icon.h>
#include <wx/listctrl.h>
#include <wx/menu.h>
#include <wx/notebook.h>
#include <wx/panel.h>
#include <wx/sizer.h>
#include <wx/statbmp.h>
#include <wx/statbox.h>
#include <wx/settings.h>
#include <wx/stattext.h>
#include <wx/textctrl.h>
#include <wx/toolbar.h>
#include <wx/valgen.h>
#include <wx/valtext.h>

namespace {

/// Binds a choice to a stored index. An index the choice has no item for (read from a
/// file) shows no selection and is kept until the user chooses an item.
class StoredIndexValidator : public wxValidator
{
public:
    explicit StoredIndexValidator(int* index) : m_index(index) {}
    StoredIndexValidator(const StoredIndexValidator& other) : wxValidator(other), m_index(other.m_index) {}

    wxObject* Clone() const override { return new StoredIndexValidator(*this); }
    bool Validate(wxWindow*) override { return true; }

    bool TransferToWindow() override
    {
        wxChoice* choice = wxDynamicCast(GetWindow(), wxChoice);
        if (!choice || !m_index)
            return false;
        const bool shown = *m_index >= 0 && *m_index < int(choice->GetCount());
        choice->SetSelection(shown ? *m_index : wxNOT_FOUND);
        return true;
    }

    bool TransferFromWindow() override
    {
        wxChoice* choice = wxDynamicCast(GetWindow(), wxChoice);
        if (!choice || !m_index)
            return false;
        if (choice->GetSelection() != wxNOT_FOUND)
            *m_index = choice->GetSelection();
        return true;
    }

private:
    int* m_index;
};

/// Most characters a year field takes.
const int YEAR_MAX_LENGTH = 4;

const NamedImage PLAN_WINDOW_IMAGES[] = {
    {"new.xpm", new_xpm},
    {"fileopen.xpm", fileopen_xpm},
    {"filesave.xpm", filesave_xpm},
    {"filesaveas.xpm", filesaveas_xpm},
    {"delete.xpm", delete_xpm},
    {"print.xpm", print_xpm},
    {"preview.xpm", preview_xpm},
    {"print_options_16.xpm", print_options_16_xpm},
    {"quit.xpm", quit_xpm},
    {"cut.xpm", cut_xpm},
    {"copy.xpm", copy_xpm},
    {"paste.xpm", paste_xpm},
    {"program_settings.xpm", program_settings_xpm},
    {"help.xpm", help_xpm},
    {"SplashVertReduced.png", SplashVertReduced_png_xpm},
    {"stock_data-new-table-16.xpm", stock_data_new_table_16_xpm},
    {"stock_data-edit-table-16.xpm", stock_data_edit_table_16_xpm},
    {"stock_data-delete-table-16.xpm", stock_data_delete_table_16_xpm},
    {"stock_delete-16.png", stock_delete_16_png_xpm},
};

const MenuTableItem FILE_MENU[] = {
    {wxID_NEW, wxTRANSLATE("&New"), wxTRANSLATE("New Plan"), "new.xpm"},
    {wxID_OPEN, wxTRANSLATE("&Open..."), wxTRANSLATE("Open existing Plan"), "fileopen.xpm"},
    {wxID_SAVE, wxTRANSLATE("&Save\tCtrl+S"), wxTRANSLATE("Save Plan"), "filesave.xpm"},
    {wxID_SAVEAS, wxTRANSLATE("Save &As..."), wxTRANSLATE("Save Plan with new name"),
     "filesaveas.xpm"},
    {wxID_CLOSE, wxTRANSLATE("&Close"), wxTRANSLATE("Close Plan"), ""},
    {wxID_CLOSE_ALL, wxTRANSLATE("Close All"), wxTRANSLATE("Close all open Plans"), ""},
    {wxID_REMOVE, wxTRANSLATE("&Remove..."), wxTRANSLATE("Delete existing Plan"), "delete.xpm"},
    {wxID_PRINT, wxTRANSLATE("&Print..."), wxTRANSLATE("Print Plan"), "print.xpm"},
    {wxID_PREVIEW, wxTRANSLATE("Print Preview..."), wxTRANSLATE("Print Preview"), "preview.xpm"},
    {wxID_PRINT_SETUP, wxTRANSLATE("Page Setup..."), wxTRANSLATE("Page Setup"),
     "print_options_16.xpm"},
    MENU_SEPARATOR,
    {wxID_EXIT, wxTRANSLATE("E&xit..."), wxTRANSLATE("Leave Program"), "quit.xpm"},
};

const MenuTableItem EDIT_MENU[] = {
    {wxID_CUT, wxTRANSLATE("Cut\tCtrl+X"), wxTRANSLATE("Remove Date to the Clipboard"), "cut.xpm"},
    {wxID_COPY, wxTRANSLATE("Copy\tCtrl+C"), wxTRANSLATE("Copy Selected Date to the Clipboard"),
     "copy.xpm"},
    {wxID_PASTE, wxTRANSLATE("Paste\tCtrl+V"), wxTRANSLATE("Paste date from the Clipboard"),
     "paste.xpm"},
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

/// Adds a tool of the events tool bar.
void AddEventsTool(wxToolBar* toolBar, int id, const wxString& image, const wxString& shortHelp,
                   const wxString& longHelp)
{
    // The label is not drawn on the tool; it names the tool in the tool bar's overflow menu.
    toolBar->AddTool(id, shortHelp, TovendalProject::GetBitmapResource(image), wxNullBitmap,
                     wxITEM_NORMAL, shortHelp, longHelp);
}

} // namespace

wxIMPLEMENT_CLASS(TovendalProject, wxDocMDIChildFrame);

// OnClearStatus also runs for the close through a binding made in Create: the
// toolkit's own close handling is bound to the frame and would otherwise
// finish the close before this table is searched.
wxBEGIN_EVENT_TABLE(TovendalProject, wxDocMDIChildFrame)
    EVT_CLOSE(                                TovendalProject::OnClearStatus)
    EVT_CONTEXT_MENU(                         TovendalProject::OnContextMenu)
    EVT_UPDATE_UI(ID_EVENTS_TOOLBAR,          TovendalProject::OnEventsUpdateUI)
    EVT_MENU(wxID_ADD,                        TovendalProject::OnNewEvent)
    EVT_MENU(ID_EDIT_EVENT,                   TovendalProject::OnEditEvent)
    EVT_MENU(wxID_DELETE,                     TovendalProject::OnDeleteEvent)
    EVT_MENU(wxID_REPLACE_ALL,                TovendalProject::OnRemoveAllEvents)
    EVT_MENU(wxID_CUT,                        TovendalProject::OnCutEvent)
    EVT_MENU(wxID_COPY,                       TovendalProject::OnCopyEvent)
    EVT_MENU(wxID_PASTE,                      TovendalProject::OnPasteEvent)
    EVT_LIST_ITEM_SELECTED(ID_EVENTS_LIST,    TovendalProject::OnClearStatus)
    EVT_LIST_ITEM_DESELECTED(ID_EVENTS_LIST,  TovendalProject::OnClearStatus)
    EVT_LIST_ITEM_ACTIVATED(ID_EVENTS_LIST,   TovendalProject::OnEventActivated)
    EVT_IDLE(                                 TovendalProject::OnIdleUpdateMarker)
wxEND_EVENT_TABLE()

TovendalProject::TovendalProject(wxDocument* doc, wxView* view, wxMDIParentFrame* parent,
                                 wxWindowID id, const wxString& title, const wxPoint& pos,
                                 const wxSize& size, long style)
    : m_fileMenu(nullptr), m_yearFromText(nullptr), m_yearToText(nullptr), m_titleText(nullptr),
      m_startMonthChoice(nullptr), m_firstDayChoice(nullptr), m_bankHolidaysCheck(nullptr),
      m_daysAcrossCheck(nullptr), m_eventsToolBar(nullptr), m_eventsList(nullptr),
      m_commentsText(nullptr), m_eventsMenu(nullptr)
{
    Create(doc, view, parent, id, title, pos, size, style);
}

TovendalProject::~TovendalProject()
{
    // The view's close normally takes the File menu out of the history; a
    // window destroyed any other way must not leave the history holding it.
    wxDocManager* manager = wxDocManager::GetDocumentManager();
    if (manager && m_fileMenu)
        manager->FileHistoryRemoveMenu(m_fileMenu);
    delete m_eventsMenu;
}

bool TovendalProject::Create(wxDocument* doc, wxView* view, wxMDIParentFrame* parent, wxWindowID id,
                             const wxString& title, const wxPoint& pos, const wxSize& size, long style)
{
    SetExtraStyle(wxWS_EX_VALIDATE_RECURSIVELY);
    if (!wxDocMDIChildFrame::Create(doc, view, parent, id, title, pos, size, style, "frame"))
        return false;
    // GTK makes this window a page of the main frame's notebook; a page that takes the focus
    // itself is where Tab stops, and the controls inside it are never reached.
    SetCanFocus(false);
    Bind(wxEVT_CLOSE_WINDOW,
         static_cast<void (TovendalProject::*)(wxCloseEvent&)>(&TovendalProject::OnClearStatus),
         this);

    CreateControls();
    SetIcon(GetIconResource("TOVENDAL.ICO"));
    if (wxSizer* sizer = GetSizer()) {
        sizer->SetSizeHints(this);
        // Never laid out smaller than the controls need, not even in a tab the user made smaller
        // (the rest is cut off): GTK warns of every widget given less than its minimum and draws
        // it wrong. Laid out now, so that GTK's first allocation finds every control at its size.
        sizer->FitInside(this);
        Layout();
    }
    return true;
}

void TovendalProject::CreateControls()
{
    // Menus.
    wxMenuBar* menuBar = new wxMenuBar;

    m_fileMenu = MenuFromTable(FILE_MENU, GetBitmapResource);
    menuBar->Append(m_fileMenu, _("&File"));
    menuBar->Append(MenuFromTable(EDIT_MENU, GetBitmapResource), _("&Edit"));
    menuBar->Append(MenuFromTable(OPTIONS_MENU, GetBitmapResource), _("Options"));
    menuBar->Append(MenuFromTable(HELP_MENU, GetBitmapResource), _("&Help"));

    SetMenuBar(menuBar);

    // Frame layout: the main panel holds the picture and the right column.
    wxBoxSizer* frameSizer = new wxBoxSizer(wxHORIZONTAL);
    SetSizer(frameSizer);

    wxPanel* mainPanel = new wxPanel;
    mainPanel->SetExtraStyle(wxWS_EX_VALIDATE_RECURSIVELY);
    mainPanel->Create(this, ID_PLAN_PANEL, wxDefaultPosition, wxDefaultSize,
                      wxNO_BORDER | wxTAB_TRAVERSAL, "panel");
    // The content grows with the tab, which has the main frame's size.
    frameSizer->Add(mainPanel, 1, wxGROW | wxALL, 0);
    wxBoxSizer* panelSizer = new wxBoxSizer(wxHORIZONTAL);
    mainPanel->SetSizer(panelSizer);

    wxStaticBitmap* picture =
        new wxStaticBitmap(mainPanel, wxID_STATIC, GetBitmapResource("SplashVertReduced.png"),
                           wxDefaultPosition, wxSize(120, 230), 0, "staticBitmap");
    panelSizer->Add(picture, 0, wxALIGN_CENTER_VERTICAL | wxALL, 0);

    wxBoxSizer* rightColumn = new wxBoxSizer(wxVERTICAL);
    panelSizer->Add(rightColumn, 1, wxGROW | wxALL, 2);

    // Year range.
    wxStaticBox* yearBox = new wxStaticBox(mainPanel, wxID_ANY, wxEmptyString, wxDefaultPosition,
                                           wxDefaultSize, 0, "groupBox");
    wxStaticBoxSizer* yearSizer = new wxStaticBoxSizer(yearBox, wxHORIZONTAL);
    rightColumn->Add(yearSizer, 0, wxGROW | wxALL, 2);

    yearSizer->Add(new wxStaticText(mainPanel, wxID_STATIC, _("Year:"), wxDefaultPosition,
                                    wxDefaultSize, 0, "staticText"),
                   0, wxALIGN_CENTER_VERTICAL | wxALL, 5);
    m_yearFromText = new wxTextCtrl(mainPanel, ID_YEAR_FROM, wxEmptyString, wxDefaultPosition,
                                    wxSize(40, -1), 0, wxDefaultValidator, "text");
    m_yearFromText->SetToolTip(_("Plan Year"));
    m_yearFromText->SetHelpText(_("Plan Year"));
    yearSizer->Add(m_yearFromText, 0, wxALIGN_CENTER_VERTICAL | wxALL, 5);

    yearSizer->Add(new wxStaticText(mainPanel, wxID_STATIC, _("to"), wxDefaultPosition,
                                    wxDefaultSize, 0, "staticText"),
                   0, wxALIGN_CENTER_VERTICAL | wxALL, 5);
    m_yearToText = new wxTextCtrl(mainPanel, ID_YEAR_TO, wxEmptyString, wxDefaultPosition,
                                  wxSize(40, -1), 0, wxDefaultValidator, "text");
    m_yearToText->SetToolTip(_("Plan Ending Year"));
    m_yearToText->SetHelpText(_("Plan Ending Year to print Plans for multiple years."));
    yearSizer->Add(m_yearToText, 0, wxALIGN_CENTER_VERTICAL | wxALL, 5);

    for (wxTextCtrl* year : {m_yearFromText, m_yearToText}) {
        // 40 pixels hide part of a four-digit year behind this toolkit's entry padding.
        const int fit = year->GetSizeFromTextSize(year->GetTextExtent("0000").x).x;
        if (fit > year->GetSize().x)
            year->SetMinSize(wxSize(fit, -1));
    }

    // Notebook.
    wxBoxSizer* notebookHolder = new wxBoxSizer(wxVERTICAL);
    rightColumn->Add(notebookHolder, 1, wxGROW | wxALL, 2);
    wxNotebook* notebook = new wxNotebook(mainPanel, ID_PLAN_NOTEBOOK, wxDefaultPosition,
                                          wxDefaultSize, 0, "notebook");

    // Options page.
    wxPanel* optionsPage = new wxPanel(notebook, ID_OPTIONS_PANEL, wxDefaultPosition,
                                       wxDefaultSize, wxTAB_TRAVERSAL, "panel");
    wxBoxSizer* optionsSizer = new wxBoxSizer(wxVERTICAL);
    optionsPage->SetSizer(optionsSizer);

    wxBoxSizer* titleRow = new wxBoxSizer(wxHORIZONTAL);
    optionsSizer->Add(titleRow, 0, wxGROW | wxALL, 0);
    titleRow->Add(new wxStaticText(optionsPage, wxID_STATIC, _("Title:"), wxDefaultPosition,
                                   wxDefaultSize, 0, "staticText"),
                  0, wxALIGN_CENTER_VERTICAL | wxALL, 5);
    m_titleText = new wxTextCtrl(optionsPage, ID_PLAN_TITLE, wxEmptyString, wxDefaultPosition,
                                 wxDefaultSize, 0, wxDefaultValidator, "text");
    m_titleText->SetToolTip(_("Plan Title"));
    m_titleText->SetHelpText(_("Plan Title"));
    titleRow->Add(m_titleText, 1, wxALIGN_CENTER_VERTICAL | wxALL, 5);

    wxBoxSizer* monthRow = new wxBoxSizer(wxHORIZONTAL);
    optionsSizer->Add(monthRow, 0, wxALL, 0);
    monthRow->Add(new wxStaticText(optionsPage, wxID_STATIC, _("Start Month:"), wxDefaultPosition,
                                   wxDefaultSize, 0, "staticText"),
                  0, wxALIGN_CENTER_VERTICAL | wxALL, 5);
    m_startMonthChoice = new wxChoice(optionsPage, ID_START_MONTH, wxDefaultPosition,
                                      wxDefaultSize, wxArrayString(), 0, wxDefaultValidator,
                                      "choice");
    m_startMonthChoice->SetToolTip(_("Start month of Plan"));
    m_startMonthChoice->SetHelpText(_("Start month of Plan"));
    monthRow->Add(m_startMonthChoice, 0, wxALIGN_CENTER_VERTICAL | wxALL, 5);

    wxBoxSizer* dayRow = new wxBoxSizer(wxHORIZONTAL);
    optionsSizer->Add(dayRow, 0, wxALL, 0);
    dayRow->Add(new wxStaticText(optionsPage, wxID_STATIC, _("1st Day of week:"),
                                 wxDefaultPosition, wxDefaultSize, 0, "staticText"),
                0, wxALIGN_CENTER_VERTICAL | wxALL, 5);
    m_firstDayChoice = new wxChoice(optionsPage, ID_FIRST_DAY, wxDefaultPosition, wxDefaultSize,
                                    wxArrayString(), 0, wxDefaultValidator, "choice");
    m_firstDayChoice->SetToolTip(_("Day to appear first after week separator."));
    m_firstDayChoice->SetHelpText(_("Day to appear first after week separator."));
    dayRow->Add(m_firstDayChoice, 0, wxALIGN_CENTER_VERTICAL | wxALL, 5);

    m_bankHolidaysCheck = new wxCheckBox(optionsPage, ID_BANK_HOLIDAYS, _("UK Bank Holidays  "),
                                         wxDefaultPosition, wxDefaultSize, wxALIGN_RIGHT,
                                         wxDefaultValidator, "check");
    m_bankHolidaysCheck->SetValue(false);
    m_bankHolidaysCheck->SetToolTip(_("Include UK Bank Holiday information"));
    m_bankHolidaysCheck->SetHelpText(_("Include UK Bank Holiday information"));
    optionsSizer->Add(m_bankHolidaysCheck, 0, wxALL, 5);

    m_daysAcrossCheck = new wxCheckBox(optionsPage, ID_DAYS_ACROSS, _("Print Days Across  "),
                                       wxDefaultPosition, wxDefaultSize, wxALIGN_RIGHT,
                                       wxDefaultValidator, "check");
    m_daysAcrossCheck->SetValue(false);
    m_daysAcrossCheck->SetToolTip(
        _("Print Day Names across the page, default is Months across page."));
    m_daysAcrossCheck->SetHelpText(
        _("Print Day Names across the page, default is Months across page."));
    optionsSizer->Add(m_daysAcrossCheck, 0, wxALL, 5);

    optionsSizer->Add(5, 5, 0, wxALIGN_CENTER_HORIZONTAL | wxALL, 5);
    notebook->AddPage(optionsPage, _("Options"), false);

    // Events page.
    wxPanel* eventsPage = new wxPanel(notebook, ID_EVENTS_PANEL, wxDefaultPosition, wxDefaultSize,
                                      wxTAB_TRAVERSAL, "panel");
    wxBoxSizer* eventsSizer = new wxBoxSizer(wxVERTICAL);
    eventsPage->SetSizer(eventsSizer);

    m_eventsToolBar = new wxToolBar(eventsPage, ID_EVENTS_TOOLBAR, wxDefaultPosition,
                                    wxDefaultSize, wxTB_FLAT | wxTB_NODIVIDER | wxTB_HORIZONTAL,
                                    "toolbar");
    AddEventsTool(m_eventsToolBar, wxID_ADD, "stock_data-new-table-16.xpm", _("New Event"),
                  _("Create New Event..."));
    AddEventsTool(m_eventsToolBar, ID_EDIT_EVENT, "stock_data-edit-table-16.xpm",
                  _("Edit Event"), _("Edit Existing Event..."));
    AddEventsTool(m_eventsToolBar, wxID_DELETE, "stock_data-delete-table-16.xpm",
                  _("Delete Event"), _("Remove Selected Event."));
    m_eventsToolBar->AddSeparator();
    AddEventsTool(m_eventsToolBar, wxID_REPLACE_ALL, "stock_delete-16.png",
                  _("Remove All Events"), _("Remove All Events from the list."));
    m_eventsToolBar->AddSeparator();
    AddEventsTool(m_eventsToolBar, wxID_CUT, "cut.xpm", _("Remove Event to Clipboard"),
                  _("Remove Event to Clipboard (Can be pasted into another Plan.)"));
    AddEventsTool(m_eventsToolBar, wxID_COPY, "copy.xpm", _("Copy Event to Clipboard"),
                  _("Copy Eventto Clipboard (Can be pasted into another Plan.)"));
    AddEventsTool(m_eventsToolBar, wxID_PASTE, "paste.xpm", _("Paste Event from Clipboard"),
                  _("Paste Event from Clipboard (Can be pasted into another Plan.)"));
    m_eventsToolBar->Realize();
    eventsSizer->Add(m_eventsToolBar, 0, wxALIGN_CENTER_HORIZONTAL | wxALL, 5);

    m_eventsList = new wxListCtrl(eventsPage, ID_EVENTS_LIST, wxDefaultPosition, wxSize(100, -1),
                                  wxLC_REPORT | wxLC_SINGLE_SEL | wxLC_VRULES, wxDefaultValidator,
                                  "listCtrl");
    m_eventsList->SetToolTip(_("Existing Events in this Plan."));
    m_eventsList->SetHelpText(_("Existing Events in this Plan."));
    eventsSizer->Add(m_eventsList, 3, wxGROW | wxALL, 0);
    notebook->AddPage(eventsPage, _("Events"), false);

    // Comments page.
    wxPanel* commentsPage = new wxPanel(notebook, ID_COMMENTS_PANEL, wxDefaultPosition,
                                        wxDefaultSize, wxSUNKEN_BORDER | wxTAB_TRAVERSAL, "panel");
    wxBoxSizer* commentsSizer = new wxBoxSizer(wxVERTICAL);
    commentsPage->SetSizer(commentsSizer);
    m_commentsText = new wxTextCtrl(commentsPage, ID_COMMENTS_TEXT, wxEmptyString,
                                    wxDefaultPosition, wxDefaultSize, wxTE_MULTILINE,
                                    wxDefaultValidator, "text");
    commentsSizer->Add(m_commentsText, 1, wxGROW | wxALL, 5);
    notebook->AddPage(commentsPage, _("Comments"), false);

    notebookHolder->Add(notebook, 1, wxGROW, 0);
    const int tabsWidth = NotebookTabsWidth(notebook); // pixels
    if (tabsWidth > notebook->GetBestSize().x)
        notebook->SetMinSize(wxSize(tabsWidth, -1));

    // A right click on the list reaches the frame before travelling up.
    m_eventsList->Connect(ID_EVENTS_LIST, wxEVT_CONTEXT_MENU,
                          wxContextMenuEventHandler(TovendalProject::OnContextMenu), nullptr, this);

    // Choices: index n is month n and day n, as the document counts them.
    const TovendalApp& app = wxGetApp();
    for (size_t i = 0; i < 12; ++i)
        m_startMonthChoice->Append(i < app.m_monthNames.size() ? app.m_monthNames[i] : wxString());
    for (size_t i = 0; i < 7; ++i)
        m_firstDayChoice->Append(i < app.m_dayNames.size() ? app.m_dayNames[i] : wxString());

    // Validators bind the controls to the plan.
    if (PlanDocument* doc = dynamic_cast<PlanDocument*>(GetDocument())) {
        m_yearFromText->SetValidator(
            LimitedTextValidator(wxFILTER_NUMERIC, &doc->m_year, YEAR_MAX_LENGTH));
        m_yearToText->SetValidator(
            LimitedTextValidator(wxFILTER_NUMERIC, &doc->m_yearEnd, YEAR_MAX_LENGTH));
        m_titleText->SetValidator(wxTextValidator(wxFILTER_NONE, &doc->m_title));
        m_startMonthChoice->SetValidator(StoredIndexValidator(&doc->m_startMonth));
        m_firstDayChoice->SetValidator(StoredIndexValidator(&doc->m_firstDayOfWeek));
        m_bankHolidaysCheck->SetValidator(wxGenericValidator(&doc->m_incUKbankhols));
        m_daysAcrossCheck->SetValidator(wxGenericValidator(&doc->m_daysAcross));
        m_commentsText->SetValidator(wxTextValidator(wxFILTER_NONE, &doc->m_comments));
    }

    // List columns, sized to their headers while the list is empty.
    m_eventsList->InsertColumn(0, "Month", wxLIST_FORMAT_LEFT);
    m_eventsList->InsertColumn(1, "Day", wxLIST_FORMAT_RIGHT);
    m_eventsList->InsertColumn(2, "Event", wxLIST_FORMAT_LEFT);
    m_eventsList->InsertColumn(3, "Ending", wxLIST_FORMAT_LEFT);
    m_eventsList->InsertColumn(4, "Annual", wxLIST_FORMAT_LEFT);
    for (int column = 0; column < 5; ++column)
        m_eventsList->SetColumnWidth(column, wxLIST_AUTOSIZE_USEHEADER);
    WidenEventsList();

    m_eventsMenu = CreateEventsMenu();

    // The recent files follow at the end of this window's File menu.
    if (wxDocManager* manager = wxGetApp().m_docManager) {
        manager->FileHistoryUseMenu(m_fileMenu);
        manager->FileHistoryAddFilesToMenu(m_fileMenu);
    }
}

bool TovendalProject::WidenEventsList()
{
    int columnsWidth = 0; // pixels
    for (int column = 0; column < m_eventsList->GetColumnCount(); ++column)
        columnsWidth += m_eventsList->GetColumnWidth(column);
    // Wide enough for every column beside a vertical scroll bar, so that none hides behind
    // horizontal scrolling.
    const int listWidth = columnsWidth + wxSystemSettings::GetMetric(wxSYS_VSCROLL_X, m_eventsList) +
                          m_eventsList->GetWindowBorderSize().x + 4;
    if (listWidth <= m_eventsList->GetMinSize().x)
        return false;
    m_eventsList->SetMinSize(wxSize(listWidth, -1));
    m_eventsList->InvalidateBestSize();
    return true;
}

void TovendalProject::FitEventsList()
{
    if (!m_eventsList || !WidenEventsList())
        return;
    if (wxSizer* sizer = GetSizer()) {
        sizer->FitInside(this);
        Layout();
    }
    if (TovendalMain* main = dynamic_cast<TovendalMain*>(GetMDIParent()))
        main->FitPlanWindow(GetBestSize());
}

wxBitmap TovendalProject::GetBitmapResource(const wxString& name)
{
    return FindNamedImage(PLAN_WINDOW_IMAGES, name);
}

wxIcon TovendalProject::GetIconResource(const wxString& name)
{
    return FindNamedIcon(PROGRAM_ICONS, name);
}

void TovendalProject::OnIdleUpdateMarker(wxIdleEvent& event)
{
    event.Skip();
    // The toolkit puts the marker on the tab only when the document's own flag changes, but
    // edits of the title, years, options and comments count as unsaved without it. Checked when
    // idle, as the Save command's state is, so that the marker and Save always agree.
    wxDocument* doc = GetDocument();
    wxView* view = GetView();
    if (!doc || !view)
        return;
    const wxString label = doc->GetUserReadableName() + (doc->IsModified() ? "*" : "");
    if (GetTitle() != label)
        view->OnChangeFilename();
}

void TovendalProject::DoGiveHelp(const wxString& text, bool show)
{
    // This window's menus are shown in the main frame, whose status bar is the only one.
    if (wxMDIParentFrame* mainFrame = GetMDIParent())
        mainFrame->DoGiveHelp(text, show);
}
