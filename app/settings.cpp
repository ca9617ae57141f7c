#include "app/settings.h"
#include "app/app.h"
#include "app/limitedtext.h"
#include "app/mainframe.h"
#include "platform/notebooktabs.h"

#include <wx/bookctrl.h>
#include <wx/config.h>
#include <wx/notebook.h>
#include <wx/panel.h>
#include <wx/sizer.h>
#include <wx/stattext.h>
#include <wx/textctrl.h>
#include <wx/valtext.h>

#include <algorithm>

namespace {

struct NameRow
{
    const char* label;
    int id;
};

const NameRow kDayRows[7] = {
    { "Monday:", ID_MONDAY_TEXT },       { "Tuesday:", ID_TUESDAY_TEXT },
    { "Wednesday:", ID_WEDNESDAY_TEXT }, { "Thursday:", ID_THURSDAY_TEXT },
    { "Friday:", ID_FRIDAY_TEXT },       { "Saturday:", ID_SATURDAY_TEXT },
    { "Sunday:", ID_SUNDAY_TEXT },
};

const NameRow kMonthRows[12] = {
    { "January:", ID_JANUARY_TEXT },     { "February:", ID_FEBRUARY_TEXT },
    { "March:", ID_MARCH_TEXT },         { "April:", ID_APRIL_TEXT },
    { "May:", ID_MAY_TEXT },             { "June:", ID_JUNE_TEXT },
    { "July:", ID_JULY_TEXT },           { "August:", ID_AUGUST_TEXT },
    { "September:", ID_SEPTEMBER_TEXT }, { "October:", ID_OCTOBER_TEXT },
    { "November:", ID_NOVEMBER_TEXT },   { "December:", ID_DECEMBER_TEXT },
};

const size_t kDayNameLength = 3;
const size_t kMonthNameLength = 10;
const int kDayBoxWidth = 40; // pixels, widened to three letters where the font needs it
// Room beside the caption for the window manager's icon and buttons, in pixels.
const int kCaptionMargin = 120;

// Builds one page of label and text-box rows on the dialog's notebook.
wxTextCtrl** AddNamesPage(wxBookCtrlBase* book, int panelId, const wxString& title,
                          const NameRow* rows, size_t count, const wxSize& boxSize,
                          wxTextCtrl** boxes)
{
    wxPanel* panel = new wxPanel(book, panelId, wxDefaultPosition, wxDefaultSize,
                                 wxNO_BORDER | wxTAB_TRAVERSAL);
    panel->SetExtraStyle(wxWS_EX_VALIDATE_RECURSIVELY);
    wxFlexGridSizer* grid = new wxFlexGridSizer(0, 2, 2, 2);
    panel->SetSizer(grid);
    for (size_t i = 0; i < count; ++i) {
        wxStaticText* label = new wxStaticText(panel, wxID_STATIC, wxGetTranslation(rows[i].label),
                                               wxDefaultPosition, wxDefaultSize, 0);
        grid->Add(label, 0, wxALIGN_LEFT | wxALIGN_CENTER_VERTICAL | wxALL, 0);
        boxes[i] = new wxTextCtrl(panel, rows[i].id, wxEmptyString, wxDefaultPosition, boxSize, 0);
        grid->Add(boxes[i], 0, wxALIGN_CENTER_HORIZONTAL | wxALIGN_CENTER_VERTICAL | wxALL, 0);
    }
    book->AddPage(panel, title, false);
    return boxes;
}

} // namespace

wxIMPLEMENT_DYNAMIC_CLASS(appSettings, wxPropertySheetDialog);

wxBEGIN_EVENT_TABLE(appSettings, wxPropertySheetDialog)
wxEND_EVENT_TABLE()

appSettings::appSettings() {}

appSettings::~appSettings() {}

bool appSettings::Create(wxWindow* parent, wxWindowID id, const wxString& caption,
                         const wxPoint& pos, const wxSize& size, long style)
{
    SetExtraStyle(wxWS_EX_VALIDATE_RECURSIVELY | wxWS_EX_BLOCK_EVENTS);
    SetSheetStyle(wxPROPSHEET_DEFAULT);
    wxPropertySheetDialog::Create(parent, id, caption, pos, size, style, "dialog");
    CreateButtons(wxOK | wxCANCEL);
    CreateControls();
    LayoutDialog(wxBOTH);
    Centre(wxBOTH);
    return true;
}

void appSettings::CreateControls()
{
    wxTextCtrl* dayBoxes[7];
    wxTextCtrl* monthBoxes[12];
    AddNamesPage(GetBookCtrl(), ID_DAY_NAMES_PANEL, _("Day Names"), kDayRows, 7,
                 wxSize(kDayBoxWidth, -1), dayBoxes);
    AddNamesPage(GetBookCtrl(), ID_MONTH_NAMES_PANEL, _("Month Names"), kMonthRows, 12,
                 wxDefaultSize, monthBoxes);

    for (wxTextCtrl* box : dayBoxes) {
        // Three of the widest letters and the cursor (pixels).
        const wxSize fit = box->GetSizeFromTextSize(box->GetTextExtent("WWW").x + 4);
        if (fit.x > box->GetMinSize().x)
            box->SetMinSize(wxSize(fit.x, -1));
    }
    // Both tab labels whole, and the caption whole in the window manager's bold title font.
    wxBookCtrlBase* book = GetBookCtrl();
    wxNotebook* notebook = dynamic_cast<wxNotebook*>(book);
    int width = notebook ? NotebookTabsWidth(notebook) : 0; // pixels
    wxFont bold = GetFont();
    bold.MakeBold();
    int captionWidth = 0;
    GetTextExtent(GetTitle(), &captionWidth, nullptr, nullptr, nullptr, &bold);
    width = std::max(width, captionWidth + kCaptionMargin);
    if (width > book->GetMinSize().x)
        book->SetMinSize(wxSize(width, -1));

    for (int i = 0; i < 7; ++i)
        dayBoxes[i]->SetValidator(
            LimitedTextValidator(wxFILTER_NONE, &m_dayNames[i], kDayNameLength));
    for (int i = 0; i < 12; ++i)
        monthBoxes[i]->SetValidator(
            LimitedTextValidator(wxFILTER_NONE, &m_monthNames[i], kMonthNameLength));
}

namespace {

// Whether the configuration file keeps name as an entry of the current group and reads it
// back unchanged: not empty, not starting with its "!" mark, no "/" (a path to another group),
// no control character (a line break splits the file's line) and no white space at the end
// (trimmed when the file is read).
bool IsStorableEntryName(const wxString& name)
{
    if (name.empty() || name[0] == '!' || name.Contains("/") || wxIsspace(name.Last()))
        return false;
    for (wxUniChar c : name) {
        if (c < 0x20 || c == 0x7f)
            return false;
    }
    return true;
}

// Replaces a names group of the store with one entry per name, valued by its position. A name
// the store cannot hold is left out: the group is then short, and the next start uses the
// default names for the list.
void WriteNamesGroup(wxConfigBase* config, const wxString& group, const wxArrayString& names)
{
    config->DeleteGroup(group);
    config->SetPath(group);
    for (size_t i = 0; i < names.size(); ++i) {
        if (IsStorableEntryName(names[i]))
            config->Write(names[i], static_cast<long>(i));
    }
}

} // namespace

void TovendalMain::OnPreferences(wxCommandEvent&)
{
    TovendalApp& app = wxGetApp();
    appSettings* dialog = new appSettings;
    for (int i = 0; i < 7; ++i)
        dialog->m_dayNames[i] = app.m_dayNames[i];
    for (int i = 0; i < 12; ++i)
        dialog->m_monthNames[i] = app.m_monthNames[i];
    dialog->Create(this, ID_SETTINGS_DIALOG, _("Program Options"), wxDefaultPosition,
                   wxDefaultSize, wxCAPTION | wxSYSTEM_MENU | wxCLOSE_BOX);

    if (dialog->ShowModal() == wxID_OK) {
        for (int i = 0; i < 7; ++i)
            app.m_dayNames[i] = dialog->m_dayNames[i];
        WriteNamesGroup(app.m_config, "/DayNames", app.m_dayNames);
        for (int i = 0; i < 12; ++i)
            app.m_monthNames[i] = dialog->m_monthNames[i];
        WriteNamesGroup(app.m_config, "/MonthNames", app.m_monthNames);
        // Written now, so the names survive a program that does not end cleanly.
        app.m_config->Flush();
    }
    dialog->Destroy();
}
