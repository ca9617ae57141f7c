#include "document/textcodec.h"

#include <tinyxml.h>

#include <algorithm>
#include <cstring>

namespace {

/// Whether the character has a UTF-8 form: no surrogate, nothing above U+10FFFF.
bool IsEncodable(wxUniChar c)
{
    const wxUint32 code = c.GetValue();
    return code <= 0x10FFFF && (code < 0xD800 || code > 0xDFFF);
}

} // namespace

std::string ToUtf8(const wxString& text)
{
    // The toolkit's conversion gives nothing at all for a text with one character it cannot
    // encode: U+FFFD stands in for each such character first.
    if (std::find_if_not(text.begin(), text.end(), IsEncodable) != text.end()) {
        wxString encodable(text);
        std::replace_if(encodable.begin(), encodable.end(), [](wxUniChar c) { return !IsEncodable(c); },
                        wxUniChar(0xFFFD));
        return ToUtf8(encodable);
    }
    const std::size_t length = wxConvUTF8.FromWChar(nullptr, 0, text.wc_str(), text.length());
    std::string utf8(length == wxCONV_FAILED ? 0 : length, '\0');
    if (!utf8.empty())
        wxConvUTF8.FromWChar(&utf8[0], length, text.wc_str(), text.length());
    return utf8;
}

std::string ToAscii(const wxString& text)
{
    const wxScopedCharBuffer ascii = text.ToAscii('_');
    return std::string(ascii.data(), ascii.length());
}

wxString FromBytes(const char* text)
{
    return wxString(text, wxConvISO8859_1);
}

wxString FromStrictUtf8(const char* text)
{
    // The toolkit's decoder also takes surrogates, code points above U+10FFFF and overlong
    // forms of three and four bytes: a text with any of them is refused as a whole here, the
    // last found as bytes that the decoded text does not encode back to.
    const wxString decoded = wxString::FromUTF8(text);
    if (std::find_if_not(decoded.begin(), decoded.end(), IsEncodable) != decoded.end())
        return wxString();
    return std::strcmp(decoded.utf8_str().data(), text) == 0 ? decoded : wxString();
}

wxString AttributeBytes(const TiXmlElement* element, const char* name)
{
    const char* value = element->Attribute(name);
    return value ? FromBytes(value) : wxString();
}

wxString AttributeText(const TiXmlElement* element, const char* name)
{
    const char* value = element->Attribute(name);
    return value ? FromStrictUtf8(value) : wxString();
}

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
