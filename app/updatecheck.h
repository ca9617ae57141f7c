#ifndef TOVENDAL_APP_UPDATECHECK_H
#define TOVENDAL_APP_UPDATECHECK_H

#include <wx/dialog.h>
#include <wx/string.h>

class wxHyperlinkEvent;
class wxURL;

/// Window ids of the update check.
enum
{
    ID_UPDATE_DIALOG = 10038,
    ID_UPDATE_HYPERLINK = 10039
};

/// The maker's web host, where the versions list and the download page are; the printed
/// footer names it.
inline constexpr const char MAKER_WEB_HOST[] = "www.halvorix.example.com";

/// Seconds a whole update check may take (name lookup, connection, request and list) before
/// it gives up.
const int UPDATE_CHECK_TIMEOUT = 3;

/// One check of the maker's versions list against the running program's version.
class UpdateCheckInfo
{
public:
    /// Reads the running program's product version and internal name.
    UpdateCheckInfo();

    /// Fetches the versions list and compares the entry with the running version. Only a
    /// "200" answer read in full within the time bound counts as a list; the windows take no
    /// input meanwhile. True when an update is to be offered; false when the versions are
    /// equal or when nothing could be learned (then m_checkFailed is set).
    bool IsUpdateAvailable(wxURL url, wxString entryName);

    wxString m_currentVersion;
    wxString m_listedVersion;
    wxString m_internalName;
    /// The list could not be fetched: no answer in time, another status than "200", a body cut
    /// short or too long, or a rejected address.
    bool m_checkFailed;
};

/// The address of the versions list: the maker's, unless another was set.
wxString VersionsListAddress();
/// Sets the versions list's address (tests use a local server); empty restores the maker's.
void SetVersionsListAddress(const wxString& address);
/// The address of the maker's download page.
wxString DownloadPageAddress();

/// Tells the user that a newer version can be downloaded.
class Updateavailable : public wxDialog
{
    wxDECLARE_DYNAMIC_CLASS(Updateavailable);

public:
    Updateavailable();
    Updateavailable(wxWindow* parent, wxWindowID id, const wxString& caption, const wxPoint& pos,
                    const wxSize& size, long style);
    ~Updateavailable() override;

    /// Creates the dialog, sized to its contents and centred.
    bool Create(wxWindow* parent, wxWindowID id, const wxString& caption, const wxPoint& pos,
                const wxSize& size, long style);
    /// Builds the text, the link to the download page and the OK button.
    void CreateControls();

    /// Lets the link open the download page in the browser.
    void OnHyperlinkClicked(wxHyperlinkEvent& event);

private:
    wxDECLARE_EVENT_TABLE();
};

#endif // TOVENDAL_APP_UPDATECHECK_H
