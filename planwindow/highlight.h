#ifndef TOVENDAL_PLANWINDOW_HIGHLIGHT_H
#define TOVENDAL_PLANWINDOW_HIGHLIGHT_H

#include <wx/bitmap.h>
#include <wx/colour.h>
#include <wx/dialog.h>
#include <wx/string.h>

/// Window ids of the highlight colour picker and its sixteen swatches.
enum
{
    ID_HIGHLIGHT_BLACK = 10000,
    ID_HIGHLIGHT_DARK_GREY = 10001,
    ID_HIGHLIGHT_MAROON = 10002,
    ID_HIGHLIGHT_OLIVE = 10003,
    ID_HIGHLIGHT_GREEN = 10004,
    ID_HIGHLIGHT_TEAL = 10005,
    ID_HIGHLIGHT_NAVY = 10006,
    ID_HIGHLIGHT_PURPLE = 10007,
    ID_HIGHLIGHT_WHITE = 10008,
    ID_HIGHLIGHT_DIALOG = 10009,
    ID_HIGHLIGHT_LIGHT_GREY = 10011,
    ID_HIGHLIGHT_RED = 10012,
    ID_HIGHLIGHT_YELLOW = 10013,
    ID_HIGHLIGHT_LIME = 10014,
    ID_HIGHLIGHT_AQUA = 10015,
    ID_HIGHLIGHT_BLUE = 10016,
    ID_HIGHLIGHT_FUCHSIA = 10017
};

/// The colour-database name of a colour, or "#rrggbb" when the database has none for it.
wxString HighlightColourName(const wxColour& colour);

/// Pop-up in which the user picks one of sixteen highlight colours, or none.
class winHighlight : public wxDialog
{
    wxDECLARE_DYNAMIC_CLASS(winHighlight);

public:
    /// Makes the picker object; the window comes with Create.
    winHighlight();
    ~winHighlight() override;

    /// Creates the window, sized to its swatches; the swatch of m_colourName takes the focus.
    bool Create(wxWindow* parent, wxWindowID id, const wxString& caption, const wxPoint& pos,
                const wxSize& size, long style);
    /// Builds the "No Highlight" banner, the swatch grid and the hidden cancel button.
    void CreateControls();

    /// The compiled-in image of the given name, or the null bitmap.
    static wxBitmap GetBitmapResource(const wxString& name);

    /// A swatch was clicked: its colour's name becomes the answer.
    void OnColourButtonClick(wxCommandEvent& event);
    /// "No Highlight" was clicked: the answer is the empty name.
    void OnNoHighlightClick(wxCommandEvent& event);

    wxString m_colourName;

private:
    wxDECLARE_EVENT_TABLE();
};

#endif // TOVENDAL_PLANWINDOW_HIGHLIGHT_H
