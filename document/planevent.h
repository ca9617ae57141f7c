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

WX_DECLARE_HASH_MAP(long, PlanEvent*, wxIntegerHash, wxIntegerEqual, PlanEventHashMap);

/// The events of a plan by key: the toolkit's hash map, started at 193 buckets.
///
/// The order in which it visits its records shows in the events list, in the
/// grid and in the saved file, so it must stay the toolkit map's: a key lives in
/// bucket key mod buckets, new entries go to the head of their chain, the table
/// grows to the next prime (193, 389, 769, ...) once entries reach 0.85 of the
/// buckets, re-linking bucket by bucket, and erasing never shrinks it.
class PlanEventMap : public PlanEventHashMap
{
public:
    /// An empty map of 193 buckets (the toolkit picks the first prime above its size hint).
    PlanEventMap() : PlanEventHashMap(INITIAL_SIZE_HINT) {}

    /// The number of buckets of the table.
    size_type GetBucketCount() const { return m_tableBuckets; }

private:
    // 193 itself would give 389 buckets: the hint must lie below the prime.
    enum { INITIAL_SIZE_HINT = 100 };
};

#endif // TOVENDAL_DOCUMENT_PLANEVENT_H
