#ifndef TOVENDAL_APP_VERSIONINFO_H
#define TOVENDAL_APP_VERSIONINFO_H

#include <wx/object.h>
#include <wx/string.h>

/// Reads text items out of the version block of an executable file.
class VVersionInfo : public wxObject
{
    wxDECLARE_DYNAMIC_CLASS(VVersionInfo);

public:
    VVersionInfo();
    ~VVersionInfo() override;

    /// Loads the version block of the given file; true when it and its first translation were read.
    bool Load(wxString fileName);
    /// Loads the version block of the running program's own executable.
    bool LoadExecutable();
    /// The text of one string item of the loaded block, or the empty text.
    wxString QueryValue(wxString item);

    /// The "ProductVersion" item.
    wxString GetProductVersion();
    /// The "LegalCopyright" item.
    wxString GetLegalCopyright();
    /// The "InternalName" item.
    wxString GetInternalName();

    wxString m_queryPrefix;
    void* m_pVerInfoBlock;

private:
    VVersionInfo(const VVersionInfo&) = delete;
    VVersionInfo& operator=(const VVersionInfo&) = delete;
};

#endif // TOVENDAL_APP_VERSIONINFO_H
