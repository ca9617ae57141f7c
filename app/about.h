#ifndef TOVENDAL_APP_ABOUT_H
#define TOVENDAL_APP_ABOUT_H

#include <wx/dialog.h>

class wxStaticText;

/// Window id of the About box.
enum { ID_ABOUT_DIALOG = 10076 };

/// The About box: splash picture, icon, author, version and copyright.
class About : public wxDialog
{
    wxDECLARE_DYNAMIC_CLASS(About);

public:
    About();
    About(wxWindow* parent, wxWindowID id, const wxString& caption, const wxPoint& pos,
          const wxSize& size, long style);

    /// Creates the dialog and its controls, sized by its sizer and centred.
    bool Create(wxWindow* parent, wxWindowID id, const wxString& caption, const wxPoint& pos,
                const wxSize& size, long style);
    /// Builds the controls and fills the version and copyright lines.
    void CreateControls();

    /// The compiled-in image of the given name, or the null bitmap.
    static wxBitmap GetBitmapResource(const wxString& name);
    /// The compiled-in icon of the given name, or the null icon.
    static wxIcon GetIconResource(const wxString& name);

    wxStaticText* m_authorText;
    wxStaticText* m_versionText;
    wxStaticText* m_copyrightText;

private:
    wxDECLARE_EVENT_TABLE();
};

#endif // TOVENDAL_APP_ABOUT_H
