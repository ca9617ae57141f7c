#ifndef TOVENDAL_PLANWINDOW_PLANWINDOW_H
#define TOVENDAL_PLANWINDOW_PLANWINDOW_H

#include <wx/docmdi.h>

class wxCheckBox;
class wxChoice;
class wxListCtrl;
class wxListEvent;
class wxMenu;
class wxTextCtrl;
class wxToolBar;

/// Window ids of the plan window and its controls.
enum
{
    ID_EVENTS_TOOLBAR = 10001,
    ID_EVENTS_LIST = 10002,
    ID_EDIT_EVENT = 10003,
    ID_PLAN_PANEL = 10004,
    ID_YEAR_FROM = 10010,
    ID_YEAR_TO = 10011,
    ID_PLAN_TITLE = 10012,
    ID_START_MONTH = 10013,
    ID_FIRST_DAY = 10014,
    ID_BANK_HOLIDAYS = 10015,
    ID_DAYS_ACROSS = 10016,
    ID_COMMENTS_PANEL = 10024,
    ID_COMMENTS_TEXT = 10025,
    ID_PROJECT_FRAME = 10031,
    ID_PLAN_NOTEBOOK = 10033,
    ID_OPTIONS_PANEL = 10034,
    ID_EVENTS_PANEL = 10035
};

/// The plan window: year range, options, events and comments of one plan.
class TovendalProject : public wxDocMDIChildFrame
{
    wxDECLARE_CLASS(TovendalProject);

public:
    TovendalProject(wxDocument* doc, wxView* view, wxMDIParentFrame* parent, wxWindowID id,
                    const wxString& title, const wxPoint& pos, const wxSize& size, long style);
    ~TovendalProject() override;

    /// Creates the frame and its controls.
    bool Create(wxDocument* doc, wxView* view, wxMDIParentFrame* parent, wxWindowID id,
                const wxString& title, const wxPoint& pos, const wxSize& size, long style);
    /// Builds the menus and the control tree.
    void CreateControls();

    /// Widens the events list so that every column shows whole beside its scroll bar, and the
    /// main frame with it, within the screen; called after the columns are sized.
    void FitEventsList();

    /// The compiled-in image of the given name, or the null bitmap.
    static wxBitmap GetBitmapResource(const wxString& name);
    /// The compiled-in icon of the given name, or the null icon.
    static wxIcon GetIconResource(const wxString& name);

    void OnClearStatus(wxCloseEvent& event);
    void OnClearStatus(wxListEvent& event);
    void OnEventsUpdateUI(wxUpdateUIEvent& event);
    void OnContextMenu(wxContextMenuEvent& event);
    void OnNewEvent(wxCommandEvent& event);
    void OnEditEvent(wxCommandEvent& event);
    void OnDeleteEvent(wxCommandEvent& event);
    void OnRemoveAllEvents(wxCommandEvent& event);
    void OnCutEvent(wxCommandEvent& event);
    void OnCopyEvent(wxCommandEvent& event);
    void OnPasteEvent(wxCommandEvent& event);
    void OnEventActivated(wxListEvent& event);
    /// Shows or clears the unsaved marker on the tab as the plan's modified state changes.
    void OnIdleUpdateMarker(wxIdleEvent& event);
    /// Shows the help of a highlighted menu item in the main frame's status bar.
    void DoGiveHelp(const wxString& text, bool show) override;

    wxMenu* m_fileMenu;
    wxTextCtrl* m_yearFromText;
    wxTextCtrl* m_yearToText;
    wxTextCtrl* m_titleText;
    wxChoice* m_startMonthChoice;
    wxChoice* m_firstDayChoice;
    wxCheckBox* m_bankHolidaysCheck;
    wxCheckBox* m_daysAcrossCheck;
    wxToolBar* m_eventsToolBar;
    wxListCtrl* m_eventsList;
    wxTextCtrl* m_commentsText;
    wxMenu* m_eventsMenu;

private:
    /// Raises the events list's smallest width to its columns' (pixels); true when it grew.
    bool WidenEventsList();

    wxDECLARE_EVENT_TABLE();
};

#endif // TOVENDAL_PLANWINDOW_PLANWINDOW_H
