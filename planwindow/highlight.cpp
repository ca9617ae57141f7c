#include "planwindow/highlight.h"
#include "images/namedimage.h"

#include <wx/bmpbuttn.h>
#include <wx/button.h>
#include <wx/gdicmn.h>
#include <wx/sizer.h>

namespace {

/// One swatch of the picker.
struct Swatch
{
    int id;
    const char* toolTip;
    const char* normalImage;
    const char* selectedImage;
    const char* focusImage;
    unsigned char red, green, blue;
    const char* focusName;
};

// In the order of the two grid rows; the ids 10009 and 10010 have no swatch.
const Swatch s_swatches[] = {
    { ID_HIGHLIGHT_BLACK, "Black", "bg_black_default.png", "bg_black_select.png",
      "bg_black_hilight.png", 0, 0, 0, "black" },
    { ID_HIGHLIGHT_DARK_GREY, "Dark Grey", "bg_dkgrey_default.png", "bg_dkgrey_select.png",
      "bg_dkgrey_hilight.png", 153, 153, 153, "dark grey" },
    { ID_HIGHLIGHT_MAROON, "Maroon", "bg_maroon_default.png", "bg_maroon_select.png",
      "bg_maroon_hilight.png", 153, 0, 0, "maroon" },
    { ID_HIGHLIGHT_OLIVE, "Olive", "bg_olive_default.png", "bg_olive_select.png",
      "bg_olive_hilight.png", 153, 153, 0, "olive" },
    { ID_HIGHLIGHT_GREEN, "Green", "bg_green_default.png", "bg_grean_select.png",
      "bg_green_hilight.png", 0, 153, 0, "green" },
    { ID_HIGHLIGHT_TEAL, "Teal", "bg_teal_default.png", "bg_teal_select.png",
      "bg_teal_hilight.png", 0, 153, 153, "teal" },
    { ID_HIGHLIGHT_NAVY, "Navy", "bg_navy_default.png", "bg_navy_select.png",
      "bg_navy_hilight.png", 0, 0, 153, "navy" },
    { ID_HIGHLIGHT_PURPLE, "Purple", "bg_purple_default.png", "bg_purple_select.png",
      "bg_purple_hilight.png", 153, 0, 153, "purple" },
    { ID_HIGHLIGHT_WHITE, "White", "bg_white_default.png", "bg_white_select.png",
      "bg_white_hilight.png", 255, 255, 255, "white" },
    { ID_HIGHLIGHT_LIGHT_GREY, "Light Grey", "bg_ltgrey_default.png", "bg_ltgrey_select.png",
      "bg_ltgrey_hilight.png", 204, 204, 204, "light grey" },
    { ID_HIGHLIGHT_RED, "Red", "bg_red_default.png", "bg_red_select.png",
      "bg_red_hilight.png", 255, 0, 0, "red" },
    { ID_HIGHLIGHT_YELLOW, "Yellow", "bg_yellow_default.png", "bg_yellow_select.png",
      "bg_yellow_hilight.png", 255, 255, 0, "yellow" },
    { ID_HIGHLIGHT_LIME, "Lime", "bg_lime_default.png", "bg_lime_select.png",
      "bg_lime_hilight.png", 0, 255, 0, "lime" },
    { ID_HIGHLIGHT_AQUA, "Aqua", "bg_aqua_default.png", "bg_aqua_select.png",
      "bg_aqua_hilight.png", 0, 255, 255, "aqua" },
    { ID_HIGHLIGHT_BLUE, "Blue", "bg_blue_default.png", "bg_blue_select.png",
      "bg_blue_hilight.png", 0, 0, 255, "blue" },
    { ID_HIGHLIGHT_FUCHSIA, "Fuchsia", "bg_fuchsia_default.png", "bg_fuchsia_select.png",
      "bg_fuchsia_hilight.png", 255, 0, 255, "fuchsia" },
};

const Swatch* FindSwatch(int id)
{
    for (const Swatch& swatch : s_swatches) {
        if (swatch.id == id)
            return &swatch;
    }
    return nullptr;
}

const NamedImage s_images[] = {
    { "bb_nofill_default.png", bb_nofill_default_png_xpm },
    { "bb_nofill_select.png", bb_nofill_select_png_xpm },
    { "bb_nofill_hilight.png", bb_nofill_hilight_png_xpm },
    { "bg_black_default.png", bg_black_default_png_xpm },
    { "bg_black_select.png", bg_black_select_png_xpm },
    { "bg_black_hilight.png", bg_black_hilight_png_xpm },
    { "bg_dkgrey_default.png", bg_dkgrey_default_png_xpm },
    { "bg_dkgrey_select.png", bg_dkgrey_select_png_xpm },
    { "bg_dkgrey_hilight.png", bg_dkgrey_hilight_png_xpm },
    { "bg_maroon_default.png", bg_maroon_default_png_xpm },
    { "bg_maroon_select.png", bg_maroon_select_png_xpm },
    { "bg_maroon_hilight.png", bg_maroon_hilight_png_xpm },
    { "bg_olive_default.png", bg_olive_default_png_xpm },
    { "bg_olive_select.png", bg_olive_select_png_xpm },
    { "bg_olive_hilight.png", bg_olive_hilight_png_xpm },
    { "bg_green_default.png", bg_green_default_png_xpm },
    { "bg_grean_select.png", bg_grean_select_png_xpm },
    { "bg_green_hilight.png", bg_green_hilight_png_xpm },
    { "bg_teal_default.png", bg_teal_default_png_xpm },
    { "bg_teal_select.png", bg_teal_select_png_xpm },
    { "bg_teal_hilight.png", bg_teal_hilight_png_xpm },
    { "bg_navy_default.png", bg_navy_default_png_xpm },
    { "bg_navy_select.png", bg_navy_select_png_xpm },
    { "bg_navy_hilight.png", bg_navy_hilight_png_xpm },
    { "bg_purple_default.png", bg_purple_default_png_xpm },
    { "bg_purple_select.png", bg_purple_select_png_xpm },
    { "bg_purple_hilight.png", bg_purple_hilight_png_xpm },
    { "bg_white_default.png", bg_white_default_png_xpm },
    { "bg_white_select.png", bg_white_select_png_xpm },
    { "bg_white_hilight.png", bg_white_hilight_png_xpm },
    { "bg_ltgrey_default.png", bg_ltgrey_default_png_xpm },
    { "bg_ltgrey_select.png", bg_ltgrey_select_png_xpm },
    { "bg_ltgrey_hilight.png", bg_ltgrey_hilight_png_xpm },
    { "bg_red_default.png", bg_red_default_png_xpm },
    { "bg_red_select.png", bg_red_select_png_xpm },
    { "bg_red_hilight.png", bg_red_hilight_png_xpm },
    { "bg_yellow_default.png", bg_yellow_default_png_xpm },
    { "bg_yellow_select.png", bg_yellow_select_png_xpm },
    { "bg_yellow_hilight.png", bg_yellow_hilight_png_xpm },
    { "bg_lime_default.png", bg_lime_default_png_xpm },
    { "bg_lime_select.png", bg_lime_select_png_xpm },
    { "bg_lime_hilight.png", bg_lime_hilight_png_xpm },
    { "bg_aqua_default.png", bg_aqua_default_png_xpm },
    { "bg_aqua_select.png", bg_aqua_select_png_xpm },
    { "bg_aqua_hilight.png", bg_aqua_hilight_png_xpm },
    { "bg_blue_default.png", bg_blue_default_png_xpm },
    { "bg_blue_select.png", bg_blue_select_png_xpm },
    { "bg_blue_hilight.png", bg_blue_hilight_png_xpm },
    { "bg_fuchsia_default.png", bg_fuchsia_default_png_xpm },
    { "bg_fuchsia_select.png", bg_fuchsia_select_png_xpm },
    { "bg_fuchsia_hilight.png", bg_fuchsia_hilight_png_xpm },
};

} // namespace

wxString HighlightColourName(const wxColour& colour)
{
    const wxString name = wxTheColourDatabase->FindName(colour);
    if (!name.empty())
        return name;
    return wxString::Format("#%02.2x%02.2x%02.2x", colour.Red(), colour.Green(), colour.Blue());
}

wxIMPLEMENT_DYNAMIC_CLASS(winHighlight, wxDialog);

wxBEGIN_EVENT_TABLE(winHighlight, wxDialog)
    EVT_COMMAND_RANGE(ID_HIGHLIGHT_BLACK, ID_HIGHLIGHT_FUCHSIA, wxEVT_BUTTON,
                      winHighlight::OnColourButtonClick)
    EVT_BUTTON(wxID_OK, winHighlight::OnNoHighlightClick)
wxEND_EVENT_TABLE()

winHighlight::winHighlight() {}

winHighlight::~winHighlight() {}

bool winHighlight::Create(wxWindow* parent, wxWindowID id, const wxString& caption,
                          const wxPoint& pos, const wxSize& size, long style)
{
    SetExtraStyle(wxWS_EX_BLOCK_EVENTS);
    wxDialog::Create(parent, id, caption, pos, size, style, "dialog");
    CreateControls();
    // The picker takes the size of its swatches whatever the caller asked for;
    // it stays where the caller put it.
    if (GetSizer())
        GetSizer()->SetSizeHints(this);
    // GTK centres a dialog on its parent when it first shows it, unless the
    // position was set after the window was made; the toolkit only passes a
    // position on when it changes, hence the step aside and back.
    if (pos != wxDefaultPosition) {
        Move(pos.x + 1, pos.y);
        Move(pos);
    }
    return true;
}

void winHighlight::CreateControls()
{
    wxBoxSizer* column = new wxBoxSizer(wxVERTICAL);
    SetSizer(column);

    wxBitmapButton* noHighlight = new wxBitmapButton(
        this, wxID_OK, GetBitmapResource("bb_nofill_default.png"), wxDefaultPosition,
        wxDefaultSize, wxNO_BORDER);
    noHighlight->SetBitmapSelected(GetBitmapResource("bb_nofill_select.png"));
    noHighlight->SetBitmapFocus(GetBitmapResource("bb_nofill_hilight.png"));
    noHighlight->SetToolTip(_("No Highlight"));
    column->Add(noHighlight, 0, wxALIGN_CENTER_HORIZONTAL | wxALL, 0);

    wxGridSizer* grid = new wxGridSizer(2, 8, 0, 0);
    column->Add(grid, 0, wxALIGN_CENTER_HORIZONTAL | wxALL, 0);

    for (const Swatch& swatch : s_swatches) {
        long style = wxNO_BORDER;
        if (swatch.id == ID_HIGHLIGHT_BLACK)
            style |= wxWANTS_CHARS;
        wxBitmapButton* button = new wxBitmapButton(
            this, swatch.id, GetBitmapResource(swatch.normalImage), wxDefaultPosition,
            wxDefaultSize, style);
        button->SetBitmapSelected(GetBitmapResource(swatch.selectedImage));
        button->SetBitmapFocus(GetBitmapResource(swatch.focusImage));
        button->SetToolTip(wxGetTranslation(swatch.toolTip));
        grid->Add(button, 0, wxALIGN_CENTER_VERTICAL | wxALIGN_CENTER_HORIZONTAL, 0);
    }

    // Takes no room; it gives the picker its cancel action (Escape).
    wxButton* cancel = new wxButton(this, wxID_CANCEL, _("&Cancel"), wxDefaultPosition,
                                    wxSize(0, 0), 0);
    column->Add(cancel, 0, wxALIGN_CENTER_HORIZONTAL | wxALL, 0);

    // Colours are compared rather than names, so any name of a swatch's colour
    // (such as "MAGENTA" for Fuchsia) focuses that swatch.
    const wxColour current = wxTheColourDatabase->Find(m_colourName);
    if (!current.IsOk())
        return;
    for (const Swatch& swatch : s_swatches) {
        if (wxTheColourDatabase->Find(swatch.focusName) == current) {
            if (wxWindow* button = FindWindow(swatch.id))
                button->SetFocus();
            break;
        }
    }
}

wxBitmap winHighlight::GetBitmapResource(const wxString& name)
{
    return FindNamedImage(s_images, name);
}

void winHighlight::OnColourButtonClick(wxCommandEvent& event)
{
    m_colourName.clear();
    const Swatch* swatch = FindSwatch(event.GetId());
    if (!swatch)
        return;
    m_colourName = HighlightColourName(wxColour(swatch->red, swatch->green, swatch->blue));
    // The close request ends the modal run; the return code set after it is
    // what ShowModal gives back.
    Close();
    SetReturnCode(wxID_OK);
}

void winHighlight::OnNoHighlightClick(wxCommandEvent& event)
{
    m_colourName.clear();
    SetReturnCode(wxID_OK);
    event.Skip();
}
