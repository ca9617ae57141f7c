#ifndef TOVENDAL_DOCUMENT_PLANEVENT_H
#define TOVENDAL_DOCUMENT_PLANEVENT_H

#include <wx/datetime.h>
#include <wx/hashmap.h>
#include <wx/string.h>

/// One dated event of a plan.
class PlanEvent
{
public:
    PlanEvent();
    /// Copies a record; the end date and first-day-only flag only where the source has an end date.
    PlanEvent(const PlanEvent& other);
    ~PlanEvent();

    /// The background colour name.
    wxString GetColour() const;
    /// The text colour name.
    wxString GetTextColour() const;
    /// True when the description shows on the first day of a multi-day event only.
    bool IsFirstDayOnly() const;

    wxString m_text;
    wxString m_colour;
    wxString m_textColour;
    wxDateTime m_date;
    wxDateTime m_toDate;
    bool m_annual;
    bool m_hasToDate;
    bool m_firstDayOnly;

private:
    PlanEvent& operator=(const PlanEvent&) = delete;
};

WX_DECLARE_HASH_MAP(long, PlanEvent*, wxIntegerHash, wxIntegerEqual, PlanEventMap);

#endif // TOVENDAL_DOCUMENT_PLANEVENT_H
