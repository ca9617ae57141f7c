#ifndef TOVENDAL_PLANWINDOW_EVENTDIALOG_H
#define TOVENDAL_PLANWINDOW_EVENTDIALOG_H

#include <wx/bitmap.h>
#include <wx/dialog.h>
#include <wx/gdicmn.h>
#include <wx/string.h>

class wxBitmapButton;
class wxCheckBox;
class wxDateEvent;
class wxDatePickerCtrl;
class wxTextCtrl;

/// Window ids of the event editor and its controls.
enum
{
    ID_EVENT_DIALOG = 10023,
    ID_EVENT_BG_COLOUR = 10026,
    ID_EVENT_FROM_DATE = 10027,
    ID_EVENT_TEXT = 10028,
    ID_EVENT_TEXT_COLOUR = 10029,
    ID_EVENT_TO_DATE = 10030,
    ID_EVENT_ANNUAL = 10032,
    ID_EVENT_FIRST_DAY_ONLY = 10036
};

/// The event editor: description, From and To dates, flags and the two colour names of one event.
class diaryEvents : public wxDialog
{
    wxDECLARE_DYNAMIC_CLASS(diaryEvents);

public:
    /// Makes the editor object; the caller sets the colour names, then calls Create.
    diaryEvents();
    /// Makes the editor and its window with empty members (a new event).
    diaryEvents(wxWindow* parent, wxWindowID id, const wxString& caption, const wxPoint& pos,
                const wxSize& size, long style);
    ~diaryEvents() override;

    /// Creates the window, sized to its controls and centred on its parent.
    bool Create(wxWindow* parent, wxWindowID id, const wxString& caption, const wxPoint& pos,
                const wxSize& size, long style);
    /// Builds the controls, binds the validators and shows the colour names on the description.
    void CreateControls();

    /// The compiled-in button image of the given name, or the null bitmap.
    static wxBitmap GetBitmapResource(const wxString& name);

    /// The description as accepted.
    wxString GetDescription() const;
    /// The background colour name ("white" unless another was given or picked; empty for none).
    wxString GetBackgroundColourName() const;
    /// The text colour name ("black" unless another was given or picked; empty for none).
    wxString GetTextColourName() const;

    /// Remembers where a drag of the dialog starts.
    void OnLeftDown(wxMouseEvent& event);
    /// Moves the dialog with the mouse while a button is held.
    void OnMouseMotion(wxMouseEvent& event);
    /// Opens the colour picker for the text colour.
    void OnTextColourClick(wxCommandEvent& event);
    /// Opens the colour picker for the background colour.
    void OnBackgroundColourClick(wxCommandEvent& event);
    /// Keeps the To date from going before the From date.
    void OnFromDateChanged(wxDateEvent& event);
    /// Enables "1st Day Only" only while the To picker holds a date.
    void OnToDateUpdateUI(wxUpdateUIEvent& event);
    /// Draws the thin edge of a dialog made with a simple border.
    void OnPaint(wxPaintEvent& event);

    wxTextCtrl* m_descriptionText;
    wxBitmapButton* m_textColourButton;
    wxBitmapButton* m_backgroundColourButton;
    wxDatePickerCtrl* m_fromDatePicker;
    wxDatePickerCtrl* m_toDatePicker;
    wxCheckBox* m_firstDayOnlyCheck;
    wxString m_description;
    wxString m_backgroundColourName;
    bool m_annual;
    wxString m_textColourName;
    bool m_firstDayOnly;
    wxPoint m_dragStartMouse;
    wxPoint m_dragStartPos;

private:
    void Init();
    /// Runs the colour picker below button and applies its answer to name and the description.
    void PickColour(wxBitmapButton* button, wxString& name, bool background);

    wxDECLARE_EVENT_TABLE();
};

#endif // TOVENDAL_PLANWINDOW_EVENTDIALOG_H
