#include "document/planevent.h"

PlanEvent::PlanEvent()
    : m_annual(false), m_hasToDate(false), m_firstDayOnly(false)
{
}

PlanEvent::PlanEvent(const PlanEvent& other)
    : m_text(other.m_text),
      m_colour(other.m_colour),
      m_textColour(other.m_textColour),
      m_date(other.m_date),
      m_toDate(other.m_hasToDate ? other.m_toDate : wxInvalidDateTime),
      m_annual(other.m_annual),
      m_hasToDate(m_toDate.IsValid()),
      m_firstDayOnly(other.IsFirstDayOnly())
{
}

PlanEvent::~PlanEvent() {}

wxString PlanEvent::GetColour() const { return m_colour; }
wxString PlanEvent::GetTextColour() const { return m_textColour; }
bool PlanEvent::IsFirstDayOnly() const { return m_firstDayOnly && m_hasToDate; }
