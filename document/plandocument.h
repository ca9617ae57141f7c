#ifndef TOVENDAL_DOCUMENT_PLANDOCUMENT_H
#define TOVENDAL_DOCUMENT_PLANDOCUMENT_H

#include "document/planevent.h"

#include <wx/docview.h>

class myViewBase;
class wxWindow;

/// The view name of a plan's own view, the one that carries its plan window.
inline constexpr const char TEXT_VIEW_NAME[] = "Text View";

/// The plan held in memory: options, title, year range, comments and keyed events.
class PlanDocument : public wxDocument
{
    wxDECLARE_DYNAMIC_CLASS(PlanDocument);

public:
    PlanDocument();
    ~PlanDocument() override;

    /// Writes the plan to its XML file; true when written.
    bool OnSaveDocument(const wxString& filename) override;
    /// Reads the plan from its XML file; false when it cannot be read.
    bool OnOpenDocument(const wxString& filename) override;
    /// Asks for a file name and saves there; the plan is then titled by the file's base name.
    bool SaveAs() override;

    /// The toolkit's flag, or an unsaved change in the plan window's controls.
    bool IsModified() const override;
    /// Sets the toolkit's flag, marks or clears the text controls and takes the snapshot.
    void Modify(bool mod) override;

    /// True when a control below window differs from the snapshot or holds unsaved typing.
    bool ControlsDiffer(wxWindow* window) const;
    /// Marks (or clears) every text control below window as modified.
    void SetTextControlsModified(wxWindow* window, bool mod);

    /// The first view named TEXT_VIEW_NAME, or null when the plan has none.
    myViewBase* GetTextView() const;
    /// The plan window of that view, or null without one.
    wxWindow* GetPlanWindow() const;

    int m_savedStartMonth;
    int m_savedFirstDayOfWeek;
    bool m_savedIncUKbankhols;
    bool m_savedDaysAcross;
    int m_startMonth;
    int m_firstDayOfWeek;
    int m_noOfYears;
    bool m_incUKbankhols;
    bool m_daysAcross;
    wxString m_title;
    wxString m_year;
    wxString m_yearEnd;
    wxString m_comments;
    PlanEventMap m_events;
    long m_nextEventId;

private:
    wxDECLARE_NO_COPY_CLASS(PlanDocument);
};

/// The largest year, either side of 0, that ReadPlanYear gives: sums and differences of plan
/// years and page numbers then stay far inside an int.
const int PLAN_YEAR_LIMIT = 1000000;

/// A year field of a plan as a whole number, read as the C library reads decimal text: its
/// leading digits after optional blanks and a sign, 0 without any; held within +-PLAN_YEAR_LIMIT.
int ReadPlanYear(const wxString& text);

#endif // TOVENDAL_DOCUMENT_PLANDOCUMENT_H
