// Fuzz target for the version block reader: the input is a file to read the version
// block from; every text item the program asks for is then read from it.
#include "app/versioninfo.h"
#include "platform/versionblock.h"

#include <wx/init.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <string>

namespace {

std::string g_path;

void AbortOnAssert(const wxString& file, int line, const wxString&, const wxString& cond,
                   const wxString&)
{
    std::fprintf(stderr, "toolkit assertion %s at %s:%d\n", (const char*)cond.utf8_str(),
                 (const char*)file.utf8_str(), line);
    std::abort();
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***)
{
    char pattern[] = "/tmp/tovendal-fuzz-XXXXXX";
    if (!mkdtemp(pattern))
        std::abort();
    g_path = std::string(pattern) + "/program";
    wxInitialize();
    wxSetAssertHandler(AbortOnAssert);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const unsigned char* data, size_t size)
{
    std::ofstream(g_path, std::ios::binary | std::ios::trunc)
        .write(reinterpret_cast<const char*>(data), size);
    VVersionInfo info;
    if (!info.Load(g_path))
        return 0;
    for (const char* item : {"ProductVersion", "LegalCopyright", "InternalName", "productversion"})
        info.QueryValue(item);
    // The same queries by path, and the fixed information at the root.
    const void* value = nullptr;
    unsigned int length = 0;
    for (const wchar_t* path : {L"\\", L"\\StringFileInfo", L"\\VarFileInfo\\Translation"})
        QueryVersionBlock(info.m_pVerInfoBlock, path, &value, &length);
    return 0;
}
