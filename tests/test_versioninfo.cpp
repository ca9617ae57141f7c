#include "app/app.h"
#include "app/versioninfo.h"
#include "platform/versionblock.h"
#include "tests/testsupport.h"

#include <wx/debug.h>

#include <gtest/gtest.h>

#include <cstring>
#include <fstream>
#include <string>
#include <vector>

namespace {

using Bytes = std::vector<unsigned char>;

/// Collects the messages of the toolkit's assertions while it lives.
class AssertCatcher
{
public:
    AssertCatcher() { s_messages.clear(); m_previous = wxSetAssertHandler(&AssertCatcher::Handle); }
    ~AssertCatcher() { wxSetAssertHandler(m_previous); }
    static std::vector<wxString> s_messages;

private:
    static void Handle(const wxString&, int, const wxString&, const wxString&, const wxString& msg)
    {
        s_messages.push_back(msg);
    }
    wxAssertHandler_t m_previous;
};
std::vector<wxString> AssertCatcher::s_messages;

Bytes ProgramBlock()
{
    std::size_t size = 0;
    const unsigned char* data = ProgramVersionBlock(&size);
    return Bytes(data, data + size);
}

std::string Utf16(const std::string& ascii)
{
    std::string out;
    for (char c : ascii) {
        out += c;
        out += '\0';
    }
    return out;
}

/// Offset of the node whose key is `key` (UTF-16 with its terminator).
std::size_t NodeOffset(const Bytes& block, const std::string& key)
{
    const std::string needle = Utf16(key) + std::string(2, '\0');
    const std::string haystack(block.begin(), block.end());
    const std::size_t at = haystack.find(needle);
    EXPECT_NE(std::string::npos, at) << key;
    return at - 6;
}

void Put16(Bytes& block, std::size_t at, unsigned value)
{
    block[at] = value & 0xff;
    block[at + 1] = value >> 8;
}

void ReplaceText(Bytes& block, const std::string& from, const std::string& to)
{
    ASSERT_EQ(from.size(), to.size());
    std::string all(block.begin(), block.end());
    const std::size_t at = all.find(Utf16(from));
    ASSERT_NE(std::string::npos, at) << from;
    const std::string replacement = Utf16(to);
    std::memcpy(block.data() + at, replacement.data(), replacement.size());
}

/// Writes the block between other bytes, at an unaligned offset, into a new file.
wxString WriteEmbedded(const Bytes& block, const wxString& name = "embedded.bin")
{
    const wxString path = MakeTempDir() + "/" + name;
    std::ofstream out(path.fn_str(), std::ios::binary);
    out << "\x7f" "ELF some leading bytes.";
    out.write(reinterpret_cast<const char*>(block.data()), block.size());
    out << "some trailing bytes";
    return path;
}

} // namespace

TEST(VersionInfo, ReadsTheProgramsOwnBlockFromTheBuiltProgram)
{
    VVersionInfo info;
    ASSERT_TRUE(info.Load(TOVENDAL_EXECUTABLE));
    EXPECT_EQ("\\StringFileInfo\\080904e4\\", info.m_queryPrefix);
    EXPECT_EQ("4.1.7", info.GetProductVersion());
    EXPECT_EQ("Tovendal", info.GetInternalName());
    EXPECT_EQ(wxString::FromUTF8("Copyright \xc2\xa9 Halvorix. All rights reserved."),
              info.GetLegalCopyright());
    EXPECT_EQ("4.1.7", info.QueryValue("productversion")); // keys ignore letter case
    EXPECT_EQ("", info.QueryValue("CompanyName"));

    const void* fixed = nullptr;
    unsigned int length = 0;
    ASSERT_TRUE(QueryVersionBlock(info.m_pVerInfoBlock, L"\\", &fixed, &length));
    ASSERT_EQ(kFixedFileInfoSize, length);
    unsigned int words[13];
    std::memcpy(words, fixed, sizeof words);
    EXPECT_EQ(0xFEEF04BDu, words[0]);
    EXPECT_EQ((4u << 16) | 1u, words[2]); // file version 4.1.7.0
    EXPECT_EQ(7u << 16, words[3]);
    EXPECT_EQ((4u << 16) | 1u, words[4]); // product version 4.1.7.0
    EXPECT_EQ(7u << 16, words[5]);
}

TEST(VersionInfo, ApplicationObjectLoadedItsOwnExecutable)
{
    EXPECT_EQ("4.1.7", wxGetApp().m_versionInfo.GetProductVersion());
    VVersionInfo info;
    EXPECT_TRUE(info.LoadExecutable());
    EXPECT_EQ("Tovendal", info.GetInternalName());
}

TEST(VersionInfo, FilesWithoutABlockLoadNothing)
{
    const wxString empty = MakeTempDir() + "/empty.bin";
    std::ofstream(empty.fn_str()).close();
    const wxString keyOnly = MakeTempDir() + "/keyonly.bin";
    std::ofstream(keyOnly.fn_str(), std::ios::binary)
        << std::string(6, '\x40') + Utf16("VS_VERSION_INFO") + std::string(64, '\0');

    for (const wxString& file : {wxString("/bin/ls"), wxString("/nonexistent/tovendal.exe"),
                                 MakeTempDir(), empty, keyOnly}) {
        SCOPED_TRACE(file);
        VVersionInfo info;
        EXPECT_FALSE(info.Load(file));
        EXPECT_EQ(nullptr, info.m_pVerInfoBlock);
        EXPECT_EQ("", info.m_queryPrefix);
        AssertCatcher asserts;
        EXPECT_EQ("", info.GetProductVersion());
        EXPECT_EQ(std::vector<wxString>{"m_pVerInfoBlock"}, AssertCatcher::s_messages);
    }
}

TEST(VersionInfo, EmptyNamesAssertAndGiveNothing)
{
    VVersionInfo info;
    AssertCatcher asserts;
    EXPECT_FALSE(info.Load(""));
    EXPECT_EQ(std::vector<wxString>{"pszFileName.Len()"}, AssertCatcher::s_messages);

    ASSERT_TRUE(info.Load(TOVENDAL_EXECUTABLE));
    AssertCatcher::s_messages.clear();
    EXPECT_EQ("", info.QueryValue(""));
    EXPECT_EQ(std::vector<wxString>{"pszItem.Len()"}, AssertCatcher::s_messages);
}

TEST(VersionInfo, FindsAnIntactBlockAnywhereInAFile)
{
    VVersionInfo info;
    ASSERT_TRUE(info.Load(WriteEmbedded(ProgramBlock())));
    EXPECT_EQ("4.1.7", info.GetProductVersion());
}

TEST(VersionInfo, DamagedBlocksAreRefused)
{
    const Bytes good = ProgramBlock();
    const std::size_t strings = NodeOffset(good, "StringFileInfo");
    const std::size_t item = NodeOffset(good, "ProductVersion");

    struct Damage
    {
        const char* name;
        void (*apply)(Bytes&, std::size_t strings, std::size_t item);
    };
    const Damage damages[] = {
        {"truncated", [](Bytes& b, std::size_t, std::size_t) { b.resize(b.size() - 10); }},
        {"root longer than the file",
         [](Bytes& b, std::size_t, std::size_t) { Put16(b, 0, 0xfff0); }},
        {"bad signature", [](Bytes& b, std::size_t, std::size_t) { b[40] ^= 0x55; }},
        {"fixed information of the wrong size",
         [](Bytes& b, std::size_t, std::size_t) { Put16(b, 2, 40); }},
        {"child running past its parent",
         [](Bytes& b, std::size_t s, std::size_t) { Put16(b, s, b.size()); }},
        {"child of length zero", [](Bytes& b, std::size_t s, std::size_t) { Put16(b, s, 0); }},
        {"text value past its node",
         [](Bytes& b, std::size_t, std::size_t i) { Put16(b, i + 2, 200); }},
        {"binary item among the texts",
         [](Bytes& b, std::size_t, std::size_t i) { Put16(b, i + 4, 0); }},
        {"unknown node type", [](Bytes& b, std::size_t, std::size_t i) { Put16(b, i + 4, 7); }},
    };
    for (const Damage& damage : damages) {
        SCOPED_TRACE(damage.name);
        Bytes block = good;
        damage.apply(block, strings, item);
        VVersionInfo info;
        EXPECT_FALSE(info.Load(WriteEmbedded(block)));
        EXPECT_EQ(nullptr, info.m_pVerInfoBlock);
    }
}

TEST(VersionInfo, ALaterLoadReplacesTheBlockAndPrefix)
{
    Bytes other = ProgramBlock();
    ReplaceText(other, "080904e4", "040904b0");
    ReplaceText(other, "4.1.7", "9.8.6");
    const std::size_t translation = NodeOffset(other, "Translation");
    const std::size_t value = translation + 6 + Utf16("Translation").size() + 2 + 2; // aligned
    Put16(other, value, 0x0409);
    Put16(other, value + 2, 0x04B0);

    VVersionInfo info;
    ASSERT_TRUE(info.Load(TOVENDAL_EXECUTABLE));
    ASSERT_TRUE(info.Load(WriteEmbedded(other)));
    EXPECT_EQ("\\StringFileInfo\\040904b0\\", info.m_queryPrefix);
    EXPECT_EQ("9.8.6", info.GetProductVersion());

    // A failed load drops the block but keeps the prefix.
    EXPECT_FALSE(info.Load("/bin/ls"));
    EXPECT_EQ(nullptr, info.m_pVerInfoBlock);
    EXPECT_EQ("\\StringFileInfo\\040904b0\\", info.m_queryPrefix);
}

TEST(VersionInfo, QueriesOfMissingPathsFail)
{
    const Bytes block = ProgramBlock();
    const void* value = nullptr;
    unsigned int length = 0;
    EXPECT_FALSE(QueryVersionBlock(block.data(), L"\\StringFileInfo\\040904b0\\ProductVersion",
                                   &value, &length));
    EXPECT_FALSE(QueryVersionBlock(block.data(), L"\\VarFileInfo\\Translation\\More", &value,
                                   &length));
    ASSERT_TRUE(QueryVersionBlock(block.data(), L"VarFileInfo\\\\translation\\", &value, &length));
    EXPECT_EQ(4u, length);
}
