#ifndef TOVENDAL_DOCUMENT_PLANFILE_H
#define TOVENDAL_DOCUMENT_PLANFILE_H

#include <wx/datetime.h>
#include <wx/list.h>

#include <cstddef>

class TiXmlDocument;

/// The save's sort record: an event's key and its start date.
class DateSortItem
{
public:
    long m_id;
    wxDateTime m_date;
};

WX_DECLARE_LIST(DateSortItem, MyDateSortList);

/// Orders two sort records by start date: -1 earlier, 0 the same local day, else 1.
int CompareDateSortItems(const DateSortItem** a, const DateSortItem** b);

/// Parses the size bytes of a plan file at text, which are followed by a zero byte and may be
/// changed in place; false when they are not a plan file TinyXML can read safely and whole.
bool ParsePlanXml(TiXmlDocument& xml, char* text, std::size_t size);

#endif // TOVENDAL_DOCUMENT_PLANFILE_H
