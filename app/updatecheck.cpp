#include "app/updatecheck.h"
#include "app/mainframe.h"
#include "app/versioninfo.h"
#include "view/printout.h"

#include <wx/button.h>
#include <wx/fileconf.h>
#include <wx/hyperlink.h>
#include <wx/log.h>
#include <wx/msgdlg.h>
#include <wx/protocol/http.h>
#include <wx/sizer.h>
#include <wx/stattext.h>
#include <wx/url.h>

#include <memory>

wxString VersionsListAddress()
{
    return wxString::Format("http://%s/versions.txt", MAKER_WEB_HOST);
}

wxString DownloadPageAddress()
{
    return wxString::Format("http://%s/ftppage.html", MAKER_WEB_HOST);
}

UpdateCheckInfo::UpdateCheckInfo() : m_checkFailed(false)
{
    VVersionInfo version;
    version.LoadExecutable();
    m_currentVersion = version.GetProductVersion();
    m_internalName = version.GetInternalName();
}

bool UpdateCheckInfo::IsUpdateAvailable(wxURL url, wxString entryName)
{
    m_checkFailed = false;
    if (url.GetError() != wxURL_NOERR) {
        m_checkFailed = true;
        return false;
    }

    // The toolkit would wait a minute for a server that accepts and never answers.
    if (wxHTTP* http = wxDynamicCast(&url.GetProtocol(), wxHTTP))
        http->SetTimeout(UPDATE_CHECK_TIMEOUT);

    std::unique_ptr<wxInputStream> stream;
    {
        wxLogNull noSocketMessages;
        stream.reset(url.GetInputStream());
    }
    // No stream means no answer, or an error status: a 404 page is no versions list.
    if (!stream) {
        m_checkFailed = true;
        return false;
    }

    // A list with odd lines still gives what it can; its faults are not the user's to read.
    wxLogNull noListMessages;
    wxFileConfig list(*stream, wxConvAuto());
    const wxString name = entryName.empty() ? m_internalName : entryName;
    m_listedVersion = name.empty() ? wxString() : list.Read("/" + name, wxString());
    return m_currentVersion != m_listedVersion;
}

wxIMPLEMENT_DYNAMIC_CLASS(Updateavailable, wxDialog);

wxBEGIN_EVENT_TABLE(Updateavailable, wxDialog)
    EVT_HYPERLINK(ID_UPDATE_HYPERLINK, Updateavailable::OnHyperlinkClicked)
wxEND_EVENT_TABLE()

Updateavailable::Updateavailable() {}

Updateavailable::Updateavailable(wxWindow* parent, wxWindowID id, const wxString& caption,
                                 const wxPoint& pos, const wxSize& size, long style)
{
    Create(parent, id, caption, pos, size, style);
}

Updateavailable::~Updateavailable() {}

bool Updateavailable::Create(wxWindow* parent, wxWindowID id, const wxString& caption,
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

void Updateavailable::CreateControls()
{
    wxBoxSizer* outer = new wxBoxSizer(wxVERTICAL);
    SetSizer(outer);
    wxBoxSizer* inner = new wxBoxSizer(wxVERTICAL);
    outer->Add(inner, 0, wxALIGN_CENTER_HORIZONTAL | wxALL, 5);

    wxStaticText* text = new wxStaticText(
        this, wxID_STATIC,
        _("An new version is available. Click the link to download the new setup program."),
        wxDefaultPosition, wxDefaultSize, 0, "staticText");
    text->Wrap(200);
    inner->Add(text, 0, wxALIGN_CENTER_HORIZONTAL | wxALL, 5);

    const wxString page = DownloadPageAddress();
    wxHyperlinkCtrl* link = new wxHyperlinkCtrl(this, ID_UPDATE_HYPERLINK, wxGetTranslation(page),
                                                page, wxDefaultPosition, wxDefaultSize,
                                                wxHL_DEFAULT_STYLE, "hyperlink");
    inner->Add(link, 0, wxALIGN_CENTER_HORIZONTAL | wxALL, 5);

    wxStdDialogButtonSizer* buttons = new wxStdDialogButtonSizer;
    inner->Add(buttons, 0, wxALIGN_CENTER_HORIZONTAL | wxALL, 5);
    wxButton* ok = new wxButton(this, wxID_OK, _("&OK"), wxDefaultPosition, wxDefaultSize, 0,
                                wxDefaultValidator, "button");
    buttons->AddButton(ok);
    buttons->Realize();
}

void Updateavailable::OnHyperlinkClicked(wxHyperlinkEvent& event)
{
    event.Skip();
}

void TovendalMain::OnCheckUpdates(wxCommandEvent&)
{
    UpdateCheckInfo check;
    wxURL url(VersionsListAddress());
    if (check.IsUpdateAvailable(url, "tovendal")) {
        Updateavailable* dialog = new Updateavailable(
            this, ID_UPDATE_DIALOG, _("Update available"), wxDefaultPosition, wxSize(400, 300),
            wxCAPTION | wxRESIZE_BORDER | wxSYSTEM_MENU | wxCLOSE_BOX | wxTAB_TRAVERSAL);
        dialog->ShowModal();
        dialog->Destroy();
    } else if (check.m_checkFailed) {
        wxMessageBox(wxString::Format(_("The check for updates could not be made: no versions "
                                        "list came from %s.\nPlease try again later."),
                                      VersionsListAddress()),
                     "Check for updates", wxOK | wxICON_WARNING | wxCENTRE);
    } else {
        wxMessageBox("You have the latest Version.", "Message", wxOK | wxCENTRE);
    }
}
