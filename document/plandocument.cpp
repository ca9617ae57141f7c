#include "document/plandocument.h"
#include "planwindow/planwindow.h"
#include "view/planview.h"

#include <wx/checkbox.h>
#include <wx/choice.h>
#include <wx/filename.h>
#include <wx/textctrl.h>

#include <algorithm>

wxIMPLEMENT_DYNAMIC_CLASS(PlanDocument, wxDocument);

namespace {

/// Whether a choice shows another index than the saved one. A choice without a selection
/// agrees with an index it has no item for (read from a file), which the plan keeps.
bool ChoiceDiffers(const wxChoice* choice, int saved)
{
    const int selection = choice->GetSelection();
    if (selection == wxNOT_FOUND)
        return saved >= 0 && saved < int(choice->GetCount());
    return selection != saved;
}

} // namespace

PlanDocument::PlanDocument()
    : wxDocument(nullptr),
      m_savedStartMonth(0),
      m_savedFirstDayOfWeek(0),
      m_savedIncUKbankhols(true),
      m_savedDaysAcross(false),
      m_startMonth(0),
      m_firstDayOfWeek(0),
      m_noOfYears(1),
      m_incUKbankhols(true),
      m_daysAcross(false),
      m_title("Tovendal"),
      m_year(wxString::Format("%d", wxDateTime::Now().GetYear())),
      m_yearEnd(m_year),
      m_comments(wxEmptyString),
      m_nextEventId(0)
{
    Modify(false);
}

PlanDocument::~PlanDocument()
{
    for (PlanEventMap::iterator it = m_events.begin(); it != m_events.end(); ++it)
        delete it->second;
    m_events.clear();
}

int ReadPlanYear(const wxString& text)
{
    wxString::const_iterator it = text.begin();
    while (it != text.end() && (*it == ' ' || (*it >= '\t' && *it <= '\r')))
        ++it;
    bool negative = false;
    if (it != text.end() && (*it == '-' || *it == '+'))
        negative = *it++ == '-';
    int value = 0;
    for (; it != text.end() && *it >= '0' && *it <= '9'; ++it)
        value = std::min(value * 10 + int((*it).GetValue() - '0'), PLAN_YEAR_LIMIT);
    return negative ? -value : value;
}

myViewBase* PlanDocument::GetTextView() const
{
    for (wxList::compatibility_iterator node = GetViews().GetFirst(); node;
         node = node->GetNext()) {
        wxView* view = static_cast<wxView*>(node->GetData());
        if (view && view->GetViewName() == TEXT_VIEW_NAME)
            return dynamic_cast<myViewBase*>(view);
    }
    return nullptr;
}

wxWindow* PlanDocument::GetPlanWindow() const
{
    myViewBase* view = GetTextView();
    return view ? view->m_frame : nullptr;
}

bool PlanDocument::SaveAs()
{
    if (!wxDocument::SaveAs())
        return false;
    // The toolkit titles the plan with the full file name once the save is done; the plan
    // window and the print job show the base name, as after opening.
    SetTitle(wxFileName(GetFilename()).GetName());
    SetFilename(GetFilename(), true);
    return true;
}

bool PlanDocument::IsModified() const
{
    if (wxDocument::IsModified())
        return true;
    wxWindow* planWindow = GetPlanWindow();
    return planWindow && ControlsDiffer(planWindow);
}

void PlanDocument::Modify(bool mod)
{
    wxDocument::Modify(mod);

    // The first view decides: only a plan's own view carries a plan window.
    wxView* firstView = GetFirstView();
    if (firstView && firstView->GetViewName() == TEXT_VIEW_NAME) {
        myViewBase* view = dynamic_cast<myViewBase*>(firstView);
        if (view && view->m_frame)
            SetTextControlsModified(view->m_frame, mod);
    }

    m_savedStartMonth = m_startMonth;
    m_savedFirstDayOfWeek = m_firstDayOfWeek;
    m_savedIncUKbankhols = m_incUKbankhols;
    m_savedDaysAcross = m_daysAcross;
}

bool PlanDocument::ControlsDiffer(wxWindow* window) const
{
    if (!window)
        return false;
    const wxWindowList& children = window->GetChildren();
    for (wxWindowList::const_iterator it = children.begin(); it != children.end(); ++it) {
        wxWindow* child = *it;
        if (child->IsTopLevel())
            continue; // the window's dialogs (the event editor) are not its controls
        if (child->IsKindOf(wxCLASSINFO(wxTextCtrl))) {
            if (static_cast<wxTextCtrl*>(child)->IsModified())
                return true;
        } else if (child->IsKindOf(wxCLASSINFO(wxCheckBox))) {
            const bool value = static_cast<wxCheckBox*>(child)->GetValue();
            if (child->GetId() == ID_BANK_HOLIDAYS && value != m_savedIncUKbankhols)
                return true;
            if (child->GetId() == ID_DAYS_ACROSS && value != m_savedDaysAcross)
                return true;
        } else if (child->IsKindOf(wxCLASSINFO(wxChoice))) {
            const wxChoice* choice = static_cast<wxChoice*>(child);
            if (child->GetId() == ID_START_MONTH && ChoiceDiffers(choice, m_savedStartMonth))
                return true;
            if (child->GetId() == ID_FIRST_DAY && ChoiceDiffers(choice, m_savedFirstDayOfWeek))
                return true;
        } else if (ControlsDiffer(child)) {
            return true;
        }
    }
    return false;
}

void PlanDocument::SetTextControlsModified(wxWindow* window, bool mod)
{
    if (!window)
        return;
    const wxWindowList& children = window->GetChildren();
    for (wxWindowList::const_iterator it = children.begin(); it != children.end(); ++it) {
        wxWindow* child = *it;
        if (child->IsTopLevel())
            continue;
        if (child->IsKindOf(wxCLASSINFO(wxTextCtrl))) {
            wxTextCtrl* text = static_cast<wxTextCtrl*>(child);
            if (mod)
                text->MarkDirty();
            else
                text->DiscardEdits();
        } else {
            SetTextControlsModified(child, mod);
        }
    }
}
