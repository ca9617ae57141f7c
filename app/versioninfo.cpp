#include "app/versioninfo.h"
#include "platform/versionblock.h"

#include <wx/debug.h>
#include <wx/stdpaths.h>
#include <wx/strconv.h>

#include <cstdlib>

wxIMPLEMENT_DYNAMIC_CLASS(VVersionInfo, wxObject);

VVersionInfo::VVersionInfo() : m_pVerInfoBlock(nullptr) {}

VVersionInfo::~VVersionInfo()
{
    std::free(m_pVerInfoBlock);
}

bool VVersionInfo::Load(wxString fileName)
{
    wxASSERT_MSG(fileName.Len(), "pszFileName.Len()");
    if (fileName.empty())
        return false;

    std::free(m_pVerInfoBlock);
    m_pVerInfoBlock = nullptr;

    unsigned long handle = 0;
    const unsigned long size = GetVersionBlockSize(fileName.wc_str(), &handle);
    if (size == 0)
        return false;

    void* block = std::calloc(size, 1);
    if (!block)
        return false;
    if (!GetVersionBlock(fileName.wc_str(), handle, size, block)) {
        std::free(block);
        return false;
    }

    const void* table = nullptr;
    unsigned int tableBytes = 0;
    if (!QueryVersionBlock(block, L"\\VarFileInfo\\Translation", &table, &tableBytes) ||
        tableBytes < 4) {
        std::free(block);
        return false;
    }

    // Each entry: a 16-bit language id, then a 16-bit code page, little-endian.
    const unsigned char* entry = static_cast<const unsigned char*>(table);
    const unsigned long language = entry[0] | (entry[1] << 8);
    const unsigned long codePage = entry[2] | (entry[3] << 8);
    m_pVerInfoBlock = block;
    m_queryPrefix = wxString::Format("\\StringFileInfo\\%08lx\\", language * 65536 + codePage);
    return true;
}

bool VVersionInfo::LoadExecutable()
{
    return Load(wxStandardPaths::Get().GetExecutablePath());
}

wxString VVersionInfo::QueryValue(wxString item)
{
    wxASSERT_MSG(m_pVerInfoBlock, "m_pVerInfoBlock");
    wxASSERT_MSG(item.Len(), "pszItem.Len()");
    if (!m_pVerInfoBlock || item.empty())
        return wxString();

    const void* value = nullptr;
    unsigned int chars = 0;
    const wxString path = m_queryPrefix + item;
    if (!QueryVersionBlock(m_pVerInfoBlock, path.wc_str(), &value, &chars) || chars == 0)
        return wxString();

    // The text ends at its first zero character or after `chars` characters.
    const unsigned char* text = static_cast<const unsigned char*>(value);
    unsigned int used = 0;
    while (used < chars && (text[2 * used] || text[2 * used + 1]))
        ++used;
    return wxString(reinterpret_cast<const char*>(text), wxMBConvUTF16LE(), 2 * used);
}

wxString VVersionInfo::GetProductVersion() { return QueryValue("ProductVersion"); }
wxString VVersionInfo::GetLegalCopyright() { return QueryValue("LegalCopyright"); }
wxString VVersionInfo::GetInternalName() { return QueryValue("InternalName"); }
