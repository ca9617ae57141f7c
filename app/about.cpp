#include "app/about.h"
#include "app/app.h"
#include "app/mainframe.h"
#include "images/namedimage.h"

#include <wx/bitmap.h>
#include <wx/button.h>
#include <wx/icon.h>
#include <wx/sizer.h>
#include <wx/statbmp.h>
#include <wx/stattext.h>

namespace {

const NamedImage ABOUT_IMAGES[] = {
    {"Splash.png", Splash_png_xpm},
    {"TOVENDAL.ICO", TOVENDAL_ICO_xpm},
};

} // namespace

wxIMPLEMENT_DYNAMIC_CLASS(About, wxDialog);

wxBEGIN_EVENT_TABLE(About, wxDialog)
wxEND_EVENT_TABLE()

About::About() : m_authorText(nullptr), m_versionText(nullptr), m_copyrightText(nullptr) {}

About::About(wxWindow* parent, wxWindowID id, const wxString& caption, const wxPoint& pos,
             const wxSize& size, long style)
    : m_authorText(nullptr), m_versionText(nullptr), m_copyrightText(nullptr)
{
    Create(parent, id, caption, pos, size, style);
}

bool About::Create(wxWindow* parent, wxWindowID id, const wxString& caption, const wxPoint& pos,
                   const wxSize& size, long style)
{
    SetExtraStyle(wxWS_EX_BLOCK_EVENTS);
    wxDialog::Create(parent, id, caption, pos, size, style, "dialog");
    CreateControls();
    SetIcon(GetIconResource("TOVENDAL.ICO"));
    if (GetSizer())
        GetSizer()->SetSizeHints(this);
    Centre(wxBOTH);
    return true;
}

void About::CreateControls()
{
    wxBoxSizer* topSizer = new wxBoxSizer(wxVERTICAL);
    SetSizer(topSizer);

    wxStaticBitmap* splash = new wxStaticBitmap(this, wxID_STATIC, GetBitmapResource("Splash.png"),
                                                wxDefaultPosition, wxSize(452, 191), 0);
    topSizer->Add(splash, 0, wxALIGN_CENTER_HORIZONTAL | wxALL | wxSHAPED, 0);

    wxBoxSizer* row = new wxBoxSizer(wxHORIZONTAL);
    topSizer->Add(row, 0, wxEXPAND | wxALL, 5);

    wxStaticBitmap* icon = new wxStaticBitmap(this, wxID_STATIC, GetBitmapResource("TOVENDAL.ICO"),
                                              wxDefaultPosition, wxSize(32, 32), wxBORDER_STATIC);
    row->Add(icon, 0, wxALIGN_CENTER_VERTICAL | wxALL, 8);

    wxBoxSizer* textColumn = new wxBoxSizer(wxVERTICAL);
    row->Add(textColumn, 10, wxALL, 5);

    m_authorText = new wxStaticText(this, wxID_STATIC, _("Written by Halvorix"),
                                    wxDefaultPosition, wxDefaultSize, 0);
    textColumn->Add(m_authorText, 0, wxEXPAND | wxALL, 0);
    m_versionText = new wxStaticText(this, wxID_STATIC, _("Version: 4.0.0"),
                                     wxDefaultPosition, wxDefaultSize, 0);
    textColumn->Add(m_versionText, 0, wxEXPAND | wxALL, 0);
    m_copyrightText = new wxStaticText(this, wxID_STATIC, _("Copyright Halvorix"),
                                       wxDefaultPosition, wxDefaultSize, 0);
    textColumn->Add(m_copyrightText, 0, wxEXPAND | wxALL, 0);

    wxBoxSizer* buttonColumn = new wxBoxSizer(wxVERTICAL);
    row->Add(buttonColumn, 0, wxEXPAND | wxALL, 5);
    wxButton* ok = new wxButton(this, wxID_OK, _("&OK"), wxDefaultPosition, wxDefaultSize, 0);
    buttonColumn->Add(ok, 0, wxALIGN_RIGHT | wxALL, 5);

    VVersionInfo& version = wxGetApp().m_versionInfo;
    m_versionText->SetLabel("Version: " + version.GetProductVersion());
    m_copyrightText->SetLabel(version.GetLegalCopyright());
}

wxBitmap About::GetBitmapResource(const wxString& name)
{
    return FindNamedImage(ABOUT_IMAGES, name);
}

wxIcon About::GetIconResource(const wxString& name)
{
    return FindNamedIcon(PROGRAM_ICONS, name);
}

void TovendalMain::OnAbout(wxCommandEvent&)
{
    About* about = new About(this, ID_ABOUT_DIALOG, _("About"), wxDefaultPosition,
                             wxSize(400, 300), wxCAPTION | wxSYSTEM_MENU | wxCLOSE_BOX);
    about->ShowModal();
    about->Destroy();
}
