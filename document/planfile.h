#ifndef TOVENDAL_DOCUMENT_PLANFILE_H
#define TOVENDAL_DOCUMENT_PLANFILE_H

#include <wx/datetime.h>
#include <wx/list.h>

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

#endif // TOVENDAL_DOCUMENT_PLANFILE_H
