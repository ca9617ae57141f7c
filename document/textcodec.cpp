#include "document/textcodec.h"

#include <tinyxml.h>

#include <cstring>
#include <vector>

namespace {

/// Collects the wide characters of one text before it becomes a wxString: a text of a
/// plan is short, so most need no allocation but the string's own.
class WideText
{
public:
    explicit WideText(std::size_t capacity)
        : m_chars(capacity <= LOCAL ? m_local : (m_heap.resize(capacity), m_heap.data()))
    {
    }
    WideText(const WideText&) = delete;
    WideText& operator=(const WideText&) = delete;

    void Add(wchar_t c) { m_chars[m_length++] = c; }
    wxString Get() const { return wxString(m_chars, m_length); }

private:
    static const std::size_t LOCAL = 256;
    wchar_t m_local[LOCAL];
    std::vector<wchar_t> m_heap;
    wchar_t* m_chars;
    std::size_t m_length = 0;
};

} // namespace

/// The text in UTF-8, encoded here: large plans write thousands of texts, and the
/// toolkit's conversion drops a whole text for one character it cannot encode.
std::string ToUtf8(const wxString& text)
{
    std::string utf8;
    utf8.reserve(text.length() + 8);
    for (wxString::const_iterator it = text.begin(); it != text.end(); ++it) {
        const wxUint32 c = (*it).GetValue();
        if (c < 0x80) {
            utf8 += char(c);
        } else if (c < 0x800) {
            utf8 += char(0xC0 | (c >> 6));
            utf8 += char(0x80 | (c & 0x3F));
        } else if (c < 0x10000 && (c < 0xD800 || c > 0xDFFF)) {
            utf8 += char(0xE0 | (c >> 12));
            utf8 += char(0x80 | ((c >> 6) & 0x3F));
            utf8 += char(0x80 | (c & 0x3F));
        } else if (c >= 0x10000 && c <= 0x10FFFF) {
            utf8 += char(0xF0 | (c >> 18));
            utf8 += char(0x80 | ((c >> 12) & 0x3F));
            utf8 += char(0x80 | ((c >> 6) & 0x3F));
            utf8 += char(0x80 | (c & 0x3F));
        } else {
            // A lone surrogate or a value beyond Unicode has no UTF-8 form: the
            // replacement character stands in for it, so the rest of the text is kept.
            utf8 += "\xEF\xBF\xBD";
        }
    }
    return utf8;
}

/// Attribute values other than texts are plain ASCII: anything above 127 becomes "_".
std::string ToAscii(const wxString& text)
{
    std::string ascii;
    ascii.reserve(text.length());
    for (wxString::const_iterator it = text.begin(); it != text.end(); ++it) {
        const wxUniChar c = *it;
        ascii += c.GetValue() < 128 ? static_cast<char>(c.GetValue()) : '_';
    }
    return ascii;
}

/// The bytes one character each (each byte its own code, 0 to 255), as the
/// ISO 8859-1 conversion gives them.
wxString FromBytes(const char* text)
{
    const std::size_t length = std::strlen(text);
    if (length == 0)
        return wxString();
    WideText wide(length);
    for (std::size_t i = 0; i < length; ++i)
        wide.Add(wchar_t(static_cast<unsigned char>(text[i])));
    return wide.Get();
}

/// Reads an attribute one byte a character; empty when absent.
wxString AttributeBytes(const TiXmlElement* element, const char* name)
{
    const char* value = element->Attribute(name);
    return value ? FromBytes(value) : wxString();
}

/// Decodes UTF-8 as RFC 3629 defines it (no overlong forms, no surrogates, nothing
/// above U+10FFFF); the empty text when the bytes are not valid UTF-8.
wxString FromStrictUtf8(const char* text)
{
    const std::size_t length = std::strlen(text);
    if (length == 0)
        return wxString();
    WideText wide(length);
    const unsigned char* p = reinterpret_cast<const unsigned char*>(text);
    while (*p) {
        const unsigned c = *p;
        if (c < 0x80) {
            wide.Add(wchar_t(c));
            ++p;
            continue;
        }
        int follow;
        unsigned low = 0x80, high = 0xBF; // range of the first continuation byte
        wxUint32 code;
        if (c >= 0xC2 && c <= 0xDF) {
            follow = 1;
            code = c & 0x1F;
        } else if (c >= 0xE0 && c <= 0xEF) {
            follow = 2;
            low = c == 0xE0 ? 0xA0 : 0x80;
            high = c == 0xED ? 0x9F : 0xBF;
            code = c & 0x0F;
        } else if (c >= 0xF0 && c <= 0xF4) {
            follow = 3;
            low = c == 0xF0 ? 0x90 : 0x80;
            high = c == 0xF4 ? 0x8F : 0xBF;
            code = c & 0x07;
        } else
            return wxString();
        ++p;
        for (int i = 0; i < follow; ++i, ++p) {
            if (*p < (i ? 0x80 : low) || *p > (i ? 0xBF : high))
                return wxString();
            code = (code << 6) | (*p & 0x3F);
        }
        wide.Add(wchar_t(code));
    }
    return wide.Get();
}

/// Reads an attribute as UTF-8 text; empty when absent or not valid UTF-8.
wxString AttributeText(const TiXmlElement* element, const char* name)
{
    const char* value = element->Attribute(name);
    return value ? FromStrictUtf8(value) : wxString();
}

/// The UTF-8 text of an element's first child when that child is text (CDATA or not).
wxString ElementText(const TiXmlElement* element)
{
    const TiXmlNode* child = element->FirstChild();
    const TiXmlText* text = child ? child->ToText() : nullptr;
    return text ? FromStrictUtf8(text->Value()) : wxString();
}

bool AttributeIsTrue(const TiXmlElement* element, const char* name)
{
    const char* value = element->Attribute(name);
    return value && (std::strcmp(value, "true") == 0 || std::strcmp(value, "yes") == 0);
}

bool AttributeIsYes(const TiXmlElement* element, const char* name)
{
    const char* value = element->Attribute(name);
    return value && std::strcmp(value, "yes") == 0;
}
