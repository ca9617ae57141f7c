// The version block read from executable files, and the About box showing it.
#include "app/about.h"
#include "app/versioninfo.h"
#include "platform/versionblock.h"
#include "tests/testsupport.h"

#include <gtest/gtest.h>

#include <fstream>
#include <string>
#include <vector>

namespace {

const wxString kCopyright = wxString::FromUTF8("Copyright \xc2\xa9 Halvorix. All rights reserved.");

void Put16(std::string& bytes, std::size_t at, std::size_t value)
{
    bytes[at] = char(value & 0xff);
    bytes[at + 1] = char(value >> 8 & 0xff);
}

/// One node of a version block: lengths, type, UTF-16LE key, value and children, 4-byte aligned.
std::string BlockNode(const char* key, unsigned type, unsigned valueLength, const std::string& value,
                      const std::string& children = "")
{
    std::string node(6, '\0');
    for (const char* c = key; *c; ++c)
        node += std::string{*c, '\0'};
    node.append(2, '\0');
    const auto align = [&node] { node.resize((node.size() + 3) & ~std::size_t(3), '\0'); };
    align();
    node += value;
    align();
    node += children;
    Put16(node, 0, node.size());
    Put16(node, 2, valueLength);
    Put16(node, 4, type);
    return node;
}

/// Loads the bytes as a file: "loaded" or "kept" (a block held though the load failed) with the
/// product version, or "" when no block is held.
std::string ProductVersionOf(const std::string& bytes)
{
    const wxString file = MakeTempDir() + "/embedded";
    std::ofstream(file.fn_str(), std::ios::binary) << bytes;
    VVersionInfo info;
    const bool loaded = info.Load(file);
    return !info.m_pVerInfoBlock ? (loaded ? "loaded" : "") : (loaded ? "loaded " : "kept ") + info.GetProductVersion().ToStdString();
}

} // namespace

TEST(VersionInfo, ReadsTheProgramsOwnBlockAssertsOnEmptyNamesAndFilesWithoutABlockDropIt)
{
    static std::vector<wxString> asserts;
    const wxAssertHandler_t previous = wxSetAssertHandler(
        [](const wxString&, int, const wxString&, const wxString&, const wxString& message) { asserts.push_back(message); });
    VVersionInfo info;
    EXPECT_FALSE(info.Load(""));
    EXPECT_EQ("", info.GetProductVersion());
    EXPECT_TRUE(info.Load(TOVENDAL_EXECUTABLE));
    EXPECT_EQ("", info.QueryValue(""));
    wxSetAssertHandler(previous);
    EXPECT_EQ((std::vector<wxString>{"pszFileName.Len()", "m_pVerInfoBlock", "pszItem.Len()"}), asserts);

    EXPECT_EQ("\\StringFileInfo\\080904e4\\", info.m_queryPrefix);
    EXPECT_EQ("4.1.7", info.GetProductVersion());
    EXPECT_EQ("Tovendal", info.GetInternalName());
    EXPECT_EQ(kCopyright, info.GetLegalCopyright());
    EXPECT_EQ("4.1.7", info.QueryValue("productversion")); // keys ignore letter case
    EXPECT_EQ("", info.QueryValue("CompanyName"));
    for (const wxString& file : {wxString("/bin/ls"), wxString("/nonexistent/tovendal"), MakeTempDir()}) {
        ASSERT_TRUE(info.Load(TOVENDAL_EXECUTABLE));
        EXPECT_FALSE(info.Load(file)) << file;
        EXPECT_EQ(nullptr, info.m_pVerInfoBlock) << file;
    }
}

TEST(VersionInfo, IntactBlocksAreFoundAnywhereInAFileAndDamagedOnesRefused)
{
    std::size_t size = 0;
    const unsigned char* data = ProgramVersionBlock(&size);
    const std::string good(data, data + size);
    // A node's UTF-16 key follows its 6-byte header: lengths of node and value, type.
    const std::size_t strings = good.find(std::string("S\0t\0r\0i\0n\0g\0F\0i\0l\0e\0", 20)) - 6;
    const std::size_t item = good.find(std::string("P\0r\0o\0d\0u\0c\0t\0V\0", 16)) - 6;
    const std::pair<std::size_t, std::size_t> damages[] = {
        {0, size},       // none
        {0, 0xfff0},     // root longer than the file
        {2, 40},         // fixed information of the wrong size
        {40, 0},         // bad signature
        {strings, size}, // child running past its parent
        {strings, 0},    // child of length zero
        {item + 2, 200}, // text value past its node
        {item + 4, 0},   // binary item among the texts
        {item + 4, 7},   // unknown node type
    };
    for (const auto& damage : damages) {
        std::string block = good;
        Put16(block, damage.first, damage.second);
        EXPECT_EQ(block == good ? "loaded 4.1.7" : "", ProductVersionOf("\x7f" "ELF, unaligned." + block + "end"))
            << "16 bits at " << damage.first;
    }
}

TEST(VersionInfo, StringTableKeyIsCheckedAsTheLookupFindsItWhateverItsLetterCase)
{
    std::string fixed(kFixedFileInfoSize, '\0');
    fixed.replace(0, 4, "\xbd\x04\xef\xfe", 4);
    const std::string translation =
        BlockNode("VarFileInfo", 1, 0, "", BlockNode("Translation", 0, 4, "\x09\x08\xe4\x04"));
    // A binary item of 40 bytes, which read as 40 characters would run past the block's end.
    for (const char* key : {"StringFileInfo", "stringfileinfo", "STRINGFILEINFO"}) {
        const std::string block = BlockNode("VS_VERSION_INFO", 0, kFixedFileInfoSize, fixed,
            translation + BlockNode(key, 1, 0, "",
                                    BlockNode("080904e4", 1, 0, "",
                                              BlockNode("ProductVersion", 0, 40, std::string(40, 'x')))));
        EXPECT_EQ("", ProductVersionOf(block)) << key;
    }
}

TEST(AboutBox, ShowsTheVersionBlocksTextsAndOnlyImagesNamedExactly)
{
    About about(nullptr, ID_ABOUT_DIALOG, "About", wxDefaultPosition, wxSize(400, 300),
                wxCAPTION | wxSYSTEM_MENU | wxCLOSE_BOX);
    EXPECT_EQ("Version: 4.1.7", about.m_versionText->GetLabel());
    EXPECT_EQ(kCopyright, about.m_copyrightText->GetLabel());
    EXPECT_GE(about.GetClientSize().x, 452); // sized by its sizer around the picture
    EXPECT_EQ(wxSize(32, 32), About::GetIconResource("TOVENDAL.ICO").GetSize());
    for (const char* name : {"splash.png", "Tovendal.ico", "new.xpm", ""}) {
        EXPECT_FALSE(About::GetBitmapResource(name).IsOk()) << name;
        EXPECT_FALSE(About::GetIconResource(name).IsOk()) << name;
    }
}
