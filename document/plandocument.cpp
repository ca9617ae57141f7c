#include "document/plandocument.h"

// Placeholder until the document lands.
wxIMPLEMENT_DYNAMIC_CLASS(PlanDocument, wxDocument);

PlanDocument::PlanDocument()
    : m_savedStartMonth(0), m_savedFirstDayOfWeek(0), m_savedIncUKbankhols(true),
      m_savedDaysAcross(false), m_startMonth(0), m_firstDayOfWeek(0), m_noOfYears(1),
      m_incUKbankhols(true), m_daysAcross(false), m_title("Tovendal"),
      m_year(wxString::Format("%d", wxDateTime::Now().GetYear())), m_yearEnd(m_year),
      m_events(193), m_nextEventId(0)
{
}

PlanDocument::~PlanDocument()
{
    for (PlanEventMap::iterator it = m_events.begin(); it != m_events.end(); ++it)
        delete it->second;
}

bool PlanDocument::IsModified() const { return wxDocument::IsModified(); }
void PlanDocument::Modify(bool mod) { wxDocument::Modify(mod); }
bool PlanDocument::ControlsDiffer(wxWindow*) const { return false; }
void PlanDocument::SetTextControlsModified(wxWindow*, bool) {}
