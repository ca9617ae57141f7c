#include "platform/versionblock.h"

#include <wx/string.h>

#include <array>
#include <cstdint>
#include <cstring>
#include <cwchar>
#include <string>
#include <fcntl.h>
#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

// ---------------------------------------------------------------------------
// The program's own version block, built while compiling.

constexpr std::size_t kBuildCapacity = 1024;

struct BlockImage
{
    unsigned char bytes[kBuildCapacity] {};
    std::size_t size = 0;
};

constexpr std::size_t TextLength(const char16_t* text)
{
    std::size_t n = 0;
    while (text[n])
        ++n;
    return n;
}

class BlockBuilder
{
public:
    constexpr void Put16(unsigned value)
    {
        m_image.bytes[m_image.size++] = static_cast<unsigned char>(value & 0xff);
        m_image.bytes[m_image.size++] = static_cast<unsigned char>((value >> 8) & 0xff);
    }

    constexpr void Put32(std::uint32_t value)
    {
        Put16(value & 0xffff);
        Put16(value >> 16);
    }

    constexpr void PutText(const char16_t* text)
    {
        for (std::size_t i = 0; text[i]; ++i)
            Put16(text[i]);
        Put16(0);
    }

    constexpr void Align()
    {
        while (m_image.size % 4)
            m_image.bytes[m_image.size++] = 0;
    }

    /// Starts a node; its length is filled in by Close.
    constexpr std::size_t Open(const char16_t* key, unsigned valueLength, unsigned type)
    {
        Align();
        const std::size_t start = m_image.size;
        Put16(0);
        Put16(valueLength);
        Put16(type);
        PutText(key);
        Align();
        return start;
    }

    constexpr void Close(std::size_t start)
    {
        const std::size_t length = m_image.size - start;
        m_image.bytes[start] = static_cast<unsigned char>(length & 0xff);
        m_image.bytes[start + 1] = static_cast<unsigned char>(length >> 8);
    }

    constexpr void String(const char16_t* key, const char16_t* value)
    {
        const std::size_t start = Open(key, static_cast<unsigned>(TextLength(value) + 1), 1);
        PutText(value);
        Close(start);
    }

    constexpr BlockImage Image() const { return m_image; }

private:
    BlockImage m_image;
};

constexpr std::uint32_t kVersionMS = (4u << 16) | 1u; // 4.1
constexpr std::uint32_t kVersionLS = (7u << 16) | 0u; // .7.0

constexpr BlockImage BuildProgramBlock()
{
    BlockBuilder b;
    const std::size_t root = b.Open(u"VS_VERSION_INFO", kFixedFileInfoSize, 0);
    b.Put32(0xFEEF04BDu); // signature of the fixed file information
    b.Put32(0x00010000u); // its layout version 1.0
    b.Put32(kVersionMS);  // file version
    b.Put32(kVersionLS);
    b.Put32(kVersionMS);  // product version
    b.Put32(kVersionLS);
    b.Put32(0x3Fu);       // mask of the meaningful flags
    b.Put32(0);           // flags: a release build
    b.Put32(0);           // operating system: not stated
    b.Put32(1);           // file type: application
    b.Put32(0);           // subtype
    b.Put32(0);           // date, high and low half
    b.Put32(0);

    const std::size_t strings = b.Open(u"StringFileInfo", 0, 1);
    const std::size_t table = b.Open(u"080904e4", 0, 1);
    b.String(u"InternalName", u"Tovendal");
    b.String(u"LegalCopyright", u"Copyright \u00a9 Halvorix. All rights reserved.");
    b.String(u"ProductVersion", u"4.1.7");
    b.Close(table);
    b.Close(strings);

    const std::size_t vars = b.Open(u"VarFileInfo", 0, 1);
    const std::size_t translation = b.Open(u"Translation", 4, 0);
    b.Put16(0x0809); // English (United Kingdom)
    b.Put16(0x04E4); // code page 1252
    b.Close(translation);
    b.Close(vars);

    b.Close(root);
    return b.Image();
}

constexpr std::size_t kProgramBlockSize = BuildProgramBlock().size;

template <std::size_t N>
constexpr std::array<unsigned char, N> Trimmed(const BlockImage& image)
{
    std::array<unsigned char, N> out {};
    for (std::size_t i = 0; i < N; ++i)
        out[i] = image.bytes[i];
    return out;
}

// Kept in the data section of every program that links the reader, where the
// reader finds it again in the file on disk.
__attribute__((used)) const std::array<unsigned char, kProgramBlockSize> g_programVersionBlock =
    Trimmed<kProgramBlockSize>(BuildProgramBlock());

// ---------------------------------------------------------------------------
// Reading blocks.

const int kMaxDepth = 8;

unsigned Read16(const unsigned char* p)
{
    return p[0] | (p[1] << 8);
}

std::uint32_t Read32(const unsigned char* p)
{
    return Read16(p) | (static_cast<std::uint32_t>(Read16(p + 2)) << 16);
}

std::size_t Align4(std::size_t offset)
{
    return (offset + 3) & ~static_cast<std::size_t>(3);
}

/// One node of a block; offsets count from the block's start.
struct Node
{
    std::size_t start;
    std::size_t end;
    unsigned valueLength;
    unsigned type;
    std::size_t keyOffset;
    std::size_t keyChars;
    std::size_t valueOffset;
    std::size_t valueBytes;
    std::size_t childrenOffset;
};

/// Reads the header of the node at offset `at` of a block that holds `limit`
/// bytes; false when it does not fit or is malformed.
bool ReadNode(const unsigned char* block, std::size_t at, std::size_t limit, Node* node)
{
    if (at % 4 || at > limit || limit - at < 6)
        return false;
    const std::size_t length = Read16(block + at);
    if (length < 6 || length > limit - at)
        return false;
    node->start = at;
    node->end = at + length;
    node->valueLength = Read16(block + at + 2);
    node->type = Read16(block + at + 4);
    if (node->type > 1)
        return false;

    node->keyOffset = at + 6;
    std::size_t p = node->keyOffset;
    while (true) {
        if (p + 2 > node->end)
            return false;
        if (Read16(block + p) == 0)
            break;
        p += 2;
    }
    node->keyChars = (p - node->keyOffset) / 2;

    node->valueBytes = node->type == 1 ? node->valueLength * 2u : node->valueLength;
    node->valueOffset = Align4(p + 2);
    if (node->valueBytes == 0) {
        if (node->valueOffset > node->end)
            node->valueOffset = node->end;
    } else if (node->valueOffset > node->end || node->valueBytes > node->end - node->valueOffset) {
        return false;
    }
    node->childrenOffset = Align4(node->valueOffset + node->valueBytes);
    return true;
}

/// Steps to the next child of parent after the one ending at `after`; false
/// when there is none.
bool NextChild(const unsigned char* block, const Node& parent, std::size_t at, Node* child)
{
    // Fewer than 4 bytes left are the parent's closing padding.
    if (at >= parent.end || parent.end - at < 4)
        return false;
    return ReadNode(block, at, parent.end, child);
}

bool KeyIs(const unsigned char* block, const Node& node, const std::u16string& key)
{
    if (node.keyChars != key.size())
        return false;
    for (std::size_t i = 0; i < key.size(); ++i)
        if (Read16(block + node.keyOffset + 2 * i) != key[i])
            return false;
    return true;
}

std::u16string Utf16(const char* ascii)
{
    return std::u16string(ascii, ascii + std::strlen(ascii));
}

char16_t FoldCase(unsigned c)
{
    return static_cast<char16_t>(c >= 'A' && c <= 'Z' ? c + ('a' - 'A') : c);
}

/// Keys compare as the lookup compares them: without regard to letter case.
bool KeyMatches(const unsigned char* block, const Node& node, const wchar_t* key, std::size_t chars)
{
    if (node.keyChars != chars)
        return false;
    for (std::size_t i = 0; i < chars; ++i)
        if (FoldCase(Read16(block + node.keyOffset + 2 * i)) != FoldCase(static_cast<unsigned>(key[i])))
            return false;
    return true;
}

/// Checks the node's children, recursively. Everything below "StringFileInfo"
/// must be text, since its items are read as texts of valueLength characters;
/// the key is matched as the lookup matches it, so no spelling escapes the check.
bool NodeIsWellFormed(const unsigned char* block, const Node& node, int depth, bool textOnly)
{
    if (depth > kMaxDepth || (textOnly && node.type != 1))
        return false;
    static const wchar_t stringFileInfo[] = L"StringFileInfo";
    textOnly = textOnly ||
        (depth == 1 && KeyMatches(block, node, stringFileInfo, std::wcslen(stringFileInfo)));
    std::size_t at = node.childrenOffset;
    while (at < node.end && node.end - at >= 4) {
        Node child;
        if (!ReadNode(block, at, node.end, &child) ||
            !NodeIsWellFormed(block, child, depth + 1, textOnly))
            return false;
        at = Align4(child.end);
    }
    return true;
}

const std::u16string& RootKey()
{
    // Made at run time from a narrow literal, so the UTF-16 form the search
    // looks for is not stored in the reader's own code.
    static const std::u16string key = Utf16("VS_VERSION_INFO");
    return key;
}

/// The length of the well-formed block starting at `data`, or 0.
std::size_t BlockLengthAt(const unsigned char* data, std::size_t available)
{
    Node root;
    if (!ReadNode(data, 0, available, &root) || root.type != 0 || !KeyIs(data, root, RootKey()) ||
        root.valueLength != kFixedFileInfoSize ||
        Read32(data + root.valueOffset) != 0xFEEF04BDu || !NodeIsWellFormed(data, root, 0, false))
        return 0;
    return root.end;
}

/// A regular file mapped read-only into memory.
class MappedFile
{
public:
    explicit MappedFile(const wchar_t* fileName) : m_data(nullptr), m_size(0)
    {
        if (!fileName || !*fileName)
            return;
        const int fd = open(wxString(fileName).fn_str(), O_RDONLY | O_CLOEXEC);
        if (fd < 0)
            return;
        struct stat info;
        if (fstat(fd, &info) == 0 && S_ISREG(info.st_mode) && info.st_size > 0) {
            void* data = mmap(nullptr, info.st_size, PROT_READ, MAP_PRIVATE, fd, 0);
            if (data != MAP_FAILED) {
                m_data = static_cast<const unsigned char*>(data);
                m_size = info.st_size;
            }
        }
        close(fd);
    }

    ~MappedFile()
    {
        if (m_data)
            munmap(const_cast<unsigned char*>(m_data), m_size);
    }

    MappedFile(const MappedFile&) = delete;
    MappedFile& operator=(const MappedFile&) = delete;

    /// The first well-formed version block in the file, or null.
    const unsigned char* FindBlock(std::size_t* length) const
    {
        if (!m_data)
            return nullptr;
        std::string needle;
        for (char16_t c : RootKey()) {
            needle += static_cast<char>(c & 0xff);
            needle += static_cast<char>(c >> 8);
        }
        needle.append(2, '\0');

        // The key sits 6 bytes into its block, after the node's three lengths.
        const unsigned char* from = m_data;
        const unsigned char* const end = m_data + m_size;
        while (from < end) {
            const void* hit = memmem(from, end - from, needle.data(), needle.size());
            if (!hit)
                break;
            const unsigned char* key = static_cast<const unsigned char*>(hit);
            if (key - m_data >= 6) {
                const unsigned char* start = key - 6;
                *length = BlockLengthAt(start, end - start);
                if (*length)
                    return start;
            }
            from = key + 1;
        }
        return nullptr;
    }

private:
    const unsigned char* m_data;
    std::size_t m_size;
};

} // namespace

unsigned long GetVersionBlockSize(const wchar_t* fileName, unsigned long* handle)
{
    if (handle)
        *handle = 0;
    MappedFile file(fileName);
    std::size_t length = 0;
    return file.FindBlock(&length) ? length : 0;
}

bool GetVersionBlock(const wchar_t* fileName, unsigned long, unsigned long size, void* data)
{
    if (!data)
        return false;
    MappedFile file(fileName);
    std::size_t length = 0;
    const unsigned char* block = file.FindBlock(&length);
    // A short buffer would leave a block whose lengths point past its end.
    if (!block || size < length)
        return false;
    std::memcpy(data, block, length);
    return true;
}

bool QueryVersionBlock(const void* block, const wchar_t* subBlock, const void** value,
                       unsigned int* length)
{
    if (!block || !subBlock || !value || !length)
        return false;
    const unsigned char* bytes = static_cast<const unsigned char*>(block);
    Node node;
    if (!ReadNode(bytes, 0, Read16(bytes), &node))
        return false;

    const wchar_t* p = subBlock;
    while (*p) {
        if (*p == L'\\') {
            ++p;
            continue;
        }
        std::size_t chars = 0;
        while (p[chars] && p[chars] != L'\\')
            ++chars;
        Node child;
        std::size_t at = node.childrenOffset;
        bool found = false;
        while (NextChild(bytes, node, at, &child)) {
            if (KeyMatches(bytes, child, p, chars)) {
                found = true;
                break;
            }
            at = Align4(child.end);
        }
        if (!found)
            return false;
        node = child;
        p += chars;
    }

    *value = bytes + node.valueOffset;
    *length = node.valueLength;
    return true;
}

const unsigned char* ProgramVersionBlock(std::size_t* size)
{
    if (size)
        *size = g_programVersionBlock.size();
    return g_programVersionBlock.data();
}
