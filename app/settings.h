#ifndef TOVENDAL_APP_SETTINGS_H
#define TOVENDAL_APP_SETTINGS_H

#include <wx/propdlg.h>

/// Window ids of the Preferences dialog; they are local to it.
enum
{
    ID_WEDNESDAY_TEXT = 10000,
    ID_THURSDAY_TEXT = 10001,
    ID_FRIDAY_TEXT = 10002,
    ID_SATURDAY_TEXT = 10003,
    ID_SUNDAY_TEXT = 10004,
    ID_JANUARY_TEXT = 10006,
    ID_FEBRUARY_TEXT = 10007,
    ID_MARCH_TEXT = 10008,
    ID_APRIL_TEXT = 10009,
    ID_SETTINGS_DIALOG = 10010,
    ID_DAY_NAMES_PANEL = 10011,
    ID_TUESDAY_TEXT = 10012,
    ID_MONTH_NAMES_PANEL = 10013,
    ID_MAY_TEXT = 10014,
    ID_JUNE_TEXT = 10015,
    ID_JULY_TEXT = 10016,
    ID_AUGUST_TEXT = 10017,
    ID_SEPTEMBER_TEXT = 10018,
    ID_OCTOBER_TEXT = 10019,
    ID_NOVEMBER_TEXT = 10020,
    ID_DECEMBER_TEXT = 10021,
    ID_MONDAY_TEXT = 10022
};

/// The Preferences dialog: the day and month names used on screen and on paper.
class appSettings : public wxPropertySheetDialog
{
    wxDECLARE_DYNAMIC_CLASS(appSettings);

public:
    appSettings();
    ~appSettings() override;

    /// Creates the dialog with its OK and Cancel buttons and both pages.
    bool Create(wxWindow* parent, wxWindowID id, const wxString& caption,
                const wxPoint& pos = wxDefaultPosition, const wxSize& size = wxDefaultSize,
                long style = wxCAPTION | wxSYSTEM_MENU | wxCLOSE_BOX);
    /// Builds the "Day Names" and "Month Names" pages.
    void CreateControls();

    /// The day name of Monday.
    wxString GetMondayName() const { return m_dayNames[0]; }
    void SetMondayName(const wxString& value) { m_dayNames[0] = value; }
    /// The day name of Tuesday.
    wxString GetTuesdayName() const { return m_dayNames[1]; }
    void SetTuesdayName(const wxString& value) { m_dayNames[1] = value; }
    /// The day name of Wednesday.
    wxString GetWednesdayName() const { return m_dayNames[2]; }
    void SetWednesdayName(const wxString& value) { m_dayNames[2] = value; }
    /// The day name of Thursday.
    wxString GetThursdayName() const { return m_dayNames[3]; }
    void SetThursdayName(const wxString& value) { m_dayNames[3] = value; }
    /// The day name of Friday.
    wxString GetFridayName() const { return m_dayNames[4]; }
    void SetFridayName(const wxString& value) { m_dayNames[4] = value; }
    /// The day name of Saturday.
    wxString GetSaturdayName() const { return m_dayNames[5]; }
    void SetSaturdayName(const wxString& value) { m_dayNames[5] = value; }
    /// The day name of Sunday.
    wxString GetSundayName() const { return m_dayNames[6]; }
    void SetSundayName(const wxString& value) { m_dayNames[6] = value; }

    /// The month name of January.
    wxString GetJanuaryName() const { return m_monthNames[0]; }
    void SetJanuaryName(const wxString& value) { m_monthNames[0] = value; }
    /// The month name of February.
    wxString GetFebruaryName() const { return m_monthNames[1]; }
    void SetFebruaryName(const wxString& value) { m_monthNames[1] = value; }
    /// The month name of March.
    wxString GetMarchName() const { return m_monthNames[2]; }
    void SetMarchName(const wxString& value) { m_monthNames[2] = value; }
    /// The month name of April.
    wxString GetAprilName() const { return m_monthNames[3]; }
    void SetAprilName(const wxString& value) { m_monthNames[3] = value; }
    /// The month name of May.
    wxString GetMayName() const { return m_monthNames[4]; }
    void SetMayName(const wxString& value) { m_monthNames[4] = value; }
    /// The month name of June.
    wxString GetJuneName() const { return m_monthNames[5]; }
    void SetJuneName(const wxString& value) { m_monthNames[5] = value; }
    /// The month name of July.
    wxString GetJulyName() const { return m_monthNames[6]; }
    void SetJulyName(const wxString& value) { m_monthNames[6] = value; }
    /// The month name of August.
    wxString GetAugustName() const { return m_monthNames[7]; }
    void SetAugustName(const wxString& value) { m_monthNames[7] = value; }
    /// The month name of September.
    wxString GetSeptemberName() const { return m_monthNames[8]; }
    void SetSeptemberName(const wxString& value) { m_monthNames[8] = value; }
    /// The month name of October.
    wxString GetOctoberName() const { return m_monthNames[9]; }
    void SetOctoberName(const wxString& value) { m_monthNames[9] = value; }
    /// The month name of November.
    wxString GetNovemberName() const { return m_monthNames[10]; }
    void SetNovemberName(const wxString& value) { m_monthNames[10] = value; }
    /// The month name of December.
    wxString GetDecemberName() const { return m_monthNames[11]; }
    void SetDecemberName(const wxString& value) { m_monthNames[11] = value; }

    wxString m_dayNames[7];
    wxString m_monthNames[12];

private:
    wxDECLARE_EVENT_TABLE();
};

#endif // TOVENDAL_APP_SETTINGS_H
