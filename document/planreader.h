#ifndef TOVENDAL_DOCUMENT_PLANREADER_H
#define TOVENDAL_DOCUMENT_PLANREADER_H

#include <cstddef>
#include <string>

class TiXmlDocument;

/// Reads the plan file at path into xml; false when it is not a regular file, is larger than a
/// plan may be, or is not a file TinyXML can read safely and whole.
bool LoadPlanXml(TiXmlDocument& xml, const std::string& path);

/// Parses the size bytes of a plan file at text, which are followed by a zero byte and may be
/// changed in place; false when they are not a plan file TinyXML can read safely and whole.
bool ParsePlanXml(TiXmlDocument& xml, char* text, std::size_t size);

#endif // TOVENDAL_DOCUMENT_PLANREADER_H
