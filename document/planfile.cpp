#include "document/planfile.h"
#include "document/plandocument.h"

#include <wx/listimpl.cpp>
WX_DEFINE_LIST(MyDateSortList);

// Placeholder until the file format lands.
int CompareDateSortItems(const DateSortItem** a, const DateSortItem** b)
{
    if ((*a)->m_date.IsEarlierThan((*b)->m_date))
        return -1;
    return (*a)->m_date.IsSameDate((*b)->m_date) ? 0 : 1;
}

bool PlanDocument::OnSaveDocument(const wxString&) { return false; }
bool PlanDocument::OnOpenDocument(const wxString&) { return false; }
