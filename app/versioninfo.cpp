#include "app/versioninfo.h"

#include <wx/stdpaths.h>

wxIMPLEMENT_DYNAMIC_CLASS(VVersionInfo, wxObject);

// Placeholder until the version block reader lands: loads nothing.
VVersionInfo::VVersionInfo() : m_pVerInfoBlock(nullptr) {}
VVersionInfo::~VVersionInfo() {}
bool VVersionInfo::Load(wxString) { return false; }
bool VVersionInfo::LoadExecutable() { return Load(wxStandardPaths::Get().GetExecutablePath()); }
wxString VVersionInfo::QueryValue(wxString) { return wxString(); }
wxString VVersionInfo::GetProductVersion() { return QueryValue("ProductVersion"); }
wxString VVersionInfo::GetLegalCopyright() { return QueryValue("LegalCopyright"); }
wxString VVersionInfo::GetInternalName() { return QueryValue("InternalName"); }
