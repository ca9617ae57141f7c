#include "planwindow/eventdialog.h"
#include "planwindow/highlight.h"
#include "images/namedimage.h"

#include <wx/bmpbuttn.h>
#include <wx/checkbox.h>
#include <wx/datectrl.h>
#include <wx/dateevt.h>
#include <wx/dcclient.h>
#include <wx/settings.h>
#include <wx/sizer.h>
#include <wx/stattext.h>
#include <wx/textctrl.h>
#include <wx/valgen.h>
#include <wx/valtext.h>

namespace {

const NamedImage EVENT_EDITOR_IMAGES[] = {
    {"stock_text_color_foreground-16.png", stock_text_color_foreground_16_png_xpm},
    {"stock_text_color_background-16.png", stock_text_color_background_16_png_xpm},
    {"stock_calc-accept-16.png", stock_calc_accept_16_png_xpm},
    {"stock_calc-cancel-16.png", stock_calc_cancel_16_png_xpm},
};

} // namespace

wxIMPLEMENT_DYNAMIC_CLASS(diaryEvents, wxDialog);

wxBEGIN_EVENT_TABLE(diaryEvents, wxDialog)
    EVT_LEFT_DOWN(                              diaryEvents::OnLeftDown)
    EVT_MOTION(                                 diaryEvents::OnMouseMotion)
    EVT_BUTTON(ID_EVENT_TEXT_COLOUR,            diaryEvents::OnTextColourClick)
    EVT_BUTTON(ID_EVENT_BG_COLOUR,              diaryEvents::OnBackgroundColourClick)
    EVT_DATE_CHANGED(ID_EVENT_FROM_DATE,        diaryEvents::OnFromDateChanged)
    EVT_UPDATE_UI(ID_EVENT_TO_DATE,             diaryEvents::OnToDateUpdateUI)
    EVT_PAINT(                                  diaryEvents::OnPaint)
wxEND_EVENT_TABLE()

diaryEvents::diaryEvents()
{
    Init();
}

diaryEvents::diaryEvents(wxWindow* parent, wxWindowID id, const wxString& caption,
                         const wxPoint& pos, const wxSize& size, long style)
{
    Init();
    Create(parent, id, caption, pos, size, style);
}

diaryEvents::~diaryEvents() {}

void diaryEvents::Init()
{
    m_descriptionText = nullptr;
    m_textColourButton = nullptr;
    m_backgroundColourButton = nullptr;
    m_fromDatePicker = nullptr;
    m_toDatePicker = nullptr;
    m_firstDayOnlyCheck = nullptr;
    m_annual = false;
    m_firstDayOnly = false;
    m_dragStartMouse = wxPoint(0, 0);
    m_dragStartPos = wxPoint(0, 0);
}

bool diaryEvents::Create(wxWindow* parent, wxWindowID id, const wxString& caption,
                         const wxPoint& pos, const wxSize& size, long style)
{
    SetExtraStyle(wxWS_EX_BLOCK_EVENTS);
    wxDialog::Create(parent, id, caption, pos, size, style, "dialog");
    CreateControls();
    if (GetSizer())
        GetSizer()->SetSizeHints(this);
    Centre(wxBOTH);
    return true;
}

namespace {

/// Gives a control its context help and then its tool tip.
void SetHelp(wxWindow* window, const wxString& help, const wxString& tip)
{
    window->SetHelpText(help);
    window->SetToolTip(tip);
}

} // namespace

void diaryEvents::CreateControls()
{
    wxBoxSizer* column = new wxBoxSizer(wxVERTICAL);
    SetSizer(column);
    const int itemFlags = wxALIGN_CENTER_VERTICAL | wxALL;

    wxBoxSizer* descriptionRow = new wxBoxSizer(wxHORIZONTAL);
    column->Add(descriptionRow, 0, wxALL, 5);
    descriptionRow->Add(new wxStaticText(this, wxID_STATIC, _("Event:")), 0, itemFlags, 5);
    m_descriptionText = new wxTextCtrl(this, ID_EVENT_TEXT, wxEmptyString, wxDefaultPosition,
                                       wxDefaultSize, 0);
    SetHelp(m_descriptionText, _("Short description of event"), _("Event description"));
    descriptionRow->Add(m_descriptionText, 0, itemFlags, 5);
    m_textColourButton = new wxBitmapButton(
        this, ID_EVENT_TEXT_COLOUR, GetBitmapResource("stock_text_color_foreground-16.png"),
        wxDefaultPosition, wxDefaultSize, wxBU_AUTODRAW);
    SetHelp(m_textColourButton, _("Text foregrond colour"), _("Text foregrond colour"));
    descriptionRow->Add(m_textColourButton, 0, itemFlags, 5);
    m_backgroundColourButton = new wxBitmapButton(
        this, ID_EVENT_BG_COLOUR, GetBitmapResource("stock_text_color_background-16.png"),
        wxDefaultPosition, wxDefaultSize, wxBU_AUTODRAW);
    SetHelp(m_backgroundColourButton, _("Text Background Colour"), _("Text Background Colour"));
    descriptionRow->Add(m_backgroundColourButton, 0, itemFlags, 5);

    wxBoxSizer* fromRow = new wxBoxSizer(wxHORIZONTAL);
    column->Add(fromRow, 0, wxALL, 5);
    fromRow->Add(new wxStaticText(this, wxID_STATIC, _("From:")), 0, itemFlags, 5);
    m_fromDatePicker = new wxDatePickerCtrl(this, ID_EVENT_FROM_DATE, wxDefaultDateTime,
                                            wxDefaultPosition, wxDefaultSize,
                                            wxDP_DROPDOWN | wxDP_SHOWCENTURY);
    SetHelp(m_fromDatePicker, _("Date of Event"), _("Event Date"));
    fromRow->Add(m_fromDatePicker, 0, itemFlags, 5);
    wxCheckBox* annualCheck = new wxCheckBox(this, ID_EVENT_ANNUAL, _("Annual"),
                                             wxDefaultPosition, wxDefaultSize, 0);
    annualCheck->SetValue(false);
    SetHelp(annualCheck, _("Indicate annual event"), _("Indicate annual event"));
    fromRow->Add(annualCheck, 0, itemFlags, 5);

    wxBoxSizer* toRow = new wxBoxSizer(wxHORIZONTAL);
    column->Add(toRow, 0, wxALL, 5);
    toRow->Add(new wxStaticText(this, wxID_STATIC, _("To:")), 0, itemFlags, 5);
    toRow->Add(2, 5, 0, itemFlags, 5);
    m_toDatePicker = new wxDatePickerCtrl(this, ID_EVENT_TO_DATE, wxDefaultDateTime,
                                          wxDefaultPosition, wxDefaultSize,
                                          wxDP_DROPDOWN | wxDP_SHOWCENTURY | wxDP_ALLOWNONE);
    // The picker may come up showing today's date; a new event has no end date.
    m_toDatePicker->SetValue(wxDefaultDateTime);
    SetHelp(m_toDatePicker, _("Optionally, repeat untill this date"), _("End Date"));
    toRow->Add(m_toDatePicker, 0, itemFlags, 5);
    m_firstDayOnlyCheck = new wxCheckBox(this, ID_EVENT_FIRST_DAY_ONLY, _("1st Day Only"),
                                         wxDefaultPosition, wxDefaultSize, 0);
    m_firstDayOnlyCheck->SetValue(false);
    m_firstDayOnlyCheck->Enable(false);
    SetHelp(m_firstDayOnlyCheck, _("Show Event Description on first day only"),
            _("Show Event Description on first day only"));
    toRow->Add(m_firstDayOnlyCheck, 0, itemFlags, 5);

    wxBoxSizer* buttonRow = new wxBoxSizer(wxHORIZONTAL);
    column->Add(buttonRow, 0, wxALIGN_RIGHT | wxALL, 5);
    wxBitmapButton* accept = new wxBitmapButton(this, wxID_OK,
                                                GetBitmapResource("stock_calc-accept-16.png"),
                                                wxDefaultPosition, wxDefaultSize, wxBU_AUTODRAW);
    SetHelp(accept, _("Accept Event"), _("Accept Event"));
    buttonRow->Add(accept, 0, itemFlags, 5);
    wxBitmapButton* cancel = new wxBitmapButton(this, wxID_CANCEL,
                                                GetBitmapResource("stock_calc-cancel-16.png"),
                                                wxDefaultPosition, wxDefaultSize, wxBU_AUTODRAW);
    SetHelp(cancel, _("Cancel Changes"), _("Cancel"));
    buttonRow->Add(cancel, 0, itemFlags, 5);

    m_descriptionText->SetValidator(wxTextValidator(wxFILTER_NONE, &m_description));
    annualCheck->SetValidator(wxGenericValidator(&m_annual));
    m_firstDayOnlyCheck->SetValidator(wxGenericValidator(&m_firstDayOnly));

    if (m_backgroundColourName.empty())
        m_backgroundColourName = "white";
    const wxColour background = wxTheColourDatabase->Find(m_backgroundColourName);
    m_descriptionText->SetBackgroundColour(background.IsOk() ? background : wxNullColour);

    if (m_textColourName.empty())
        m_textColourName = "black";
    const wxColour text = wxTheColourDatabase->Find(m_textColourName);
    m_descriptionText->SetForegroundColour(text.IsOk() ? text : *wxBLACK);

    m_descriptionText->Refresh(true);
}

wxBitmap diaryEvents::GetBitmapResource(const wxString& name)
{
    return FindNamedImage(EVENT_EDITOR_IMAGES, name);
}

wxString diaryEvents::GetDescription() const { return m_description; }
wxString diaryEvents::GetBackgroundColourName() const { return m_backgroundColourName; }
wxString diaryEvents::GetTextColourName() const { return m_textColourName; }

void diaryEvents::OnLeftDown(wxMouseEvent& event)
{
    m_dragStartMouse = ClientToScreen(event.GetPosition());
    m_dragStartPos = GetPosition();
    event.Skip();
}

void diaryEvents::OnMouseMotion(wxMouseEvent& event)
{
    if (!event.Dragging()) {
        event.Skip();
        return;
    }
    const wxPoint mouse = ClientToScreen(event.GetPosition());
    Move(m_dragStartPos + (mouse - m_dragStartMouse));
}

void diaryEvents::OnTextColourClick(wxCommandEvent&)
{
    PickColour(m_textColourButton, m_textColourName, false);
}

void diaryEvents::OnBackgroundColourClick(wxCommandEvent&)
{
    PickColour(m_backgroundColourButton, m_backgroundColourName, true);
}

void diaryEvents::PickColour(wxBitmapButton* button, wxString& name, bool background)
{
    // Directly below the button, left edges aligned (screen pixels).
    wxPoint below = ClientToScreen(button->GetPosition());
    below.y += button->GetSize().y;

    const wxColour shown = background ? m_descriptionText->GetBackgroundColour()
                                      : m_descriptionText->GetForegroundColour();
    winHighlight picker;
    picker.m_colourName = wxTheColourDatabase->FindName(shown);
    picker.Create(this, ID_HIGHLIGHT_DIALOG, wxEmptyString, below, wxSize(400, 300),
                  wxRAISED_BORDER);
    if (picker.ShowModal() != wxID_OK)
        return;

    name = picker.m_colourName;
    wxColour colour = wxNullColour;
    if (!name.empty()) {
        const wxColour found = wxTheColourDatabase->Find(name);
        if (found.IsOk())
            colour = found;
    }
    if (background)
        m_descriptionText->SetBackgroundColour(colour);
    else
        m_descriptionText->SetForegroundColour(colour);
    m_descriptionText->Refresh(true);
}

void diaryEvents::OnFromDateChanged(wxDateEvent& event)
{
    m_toDatePicker->SetRange(event.GetDate(), wxDefaultDateTime);
    event.Skip();
}

void diaryEvents::OnToDateUpdateUI(wxUpdateUIEvent& event)
{
    m_firstDayOnlyCheck->Enable(m_toDatePicker->GetValue().IsValid());
    event.Skip();
}

void diaryEvents::OnPaint(wxPaintEvent&)
{
    wxPaintDC dc(this);
    if (!HasFlag(wxBORDER_SIMPLE))
        return;
    // GTK gives a window without a caption no edge at all, so the editor would melt into the
    // plan window behind it: draw the one-pixel line the style stands for, inside the client
    // area, whose outer 5 pixels hold no control.
    dc.SetPen(wxPen(wxSystemSettings::GetColour(wxSYS_COLOUR_WINDOWTEXT)));
    dc.SetBrush(*wxTRANSPARENT_BRUSH);
    dc.DrawRectangle(wxPoint(0, 0), GetClientSize());
}
