#ifndef TOVENDAL_DOCUMENT_TEXTCODEC_H
#define TOVENDAL_DOCUMENT_TEXTCODEC_H

#include <wx/string.h>

#include <string>

class TiXmlElement;

/// The text in UTF-8; a character with no UTF-8 form becomes U+FFFD, so the rest is kept.
std::string ToUtf8(const wxString& text);

/// The text as plain ASCII: anything above 127 becomes "_".
std::string ToAscii(const wxString& text);

/// The bytes one character each (each byte its own code, 0 to 255), as ISO 8859-1 gives them.
wxString FromBytes(const char* text);

/// Decodes UTF-8 as RFC 3629 defines it; the empty text when the bytes are not valid UTF-8.
wxString FromStrictUtf8(const char* text);

/// Reads an attribute one byte a character; empty when absent.
wxString AttributeBytes(const TiXmlElement* element, const char* name);

/// Reads an attribute as UTF-8 text; empty when absent or not valid UTF-8.
wxString AttributeText(const TiXmlElement* element, const char* name);

/// The UTF-8 text of an element's first child when that child is text (CDATA or not).
wxString ElementText(const TiXmlElement* element);

/// Whether the attribute is "true" or "yes".
bool AttributeIsTrue(const TiXmlElement* element, const char* name);

/// Whether the attribute is "yes".
bool AttributeIsYes(const TiXmlElement* element, const char* name);

#endif // TOVENDAL_DOCUMENT_TEXTCODEC_H
