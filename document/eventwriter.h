#ifndef TOVENDAL_DOCUMENT_EVENTWRITER_H
#define TOVENDAL_DOCUMENT_EVENTWRITER_H

#include "document/planevent.h"

#include <string>

class TiXmlDocument;
class TiXmlElement;

/// A new `dates` element holding an `event` element for each of the events, in start-date
/// order, as TinyXML's file printing (SaveFile, Print) writes it; the caller owns it.
TiXmlElement* NewEventListElement(const PlanEventMap& events);

/// Prints the XML document as the file will hold it into bytes; 0, else the errno.
int RenderXml(const TiXmlDocument& xml, std::string& bytes);

#endif // TOVENDAL_DOCUMENT_EVENTWRITER_H
