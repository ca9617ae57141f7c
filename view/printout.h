#ifndef TOVENDAL_VIEW_PRINTOUT_H
#define TOVENDAL_VIEW_PRINTOUT_H

#include "view/planview.h"

#include <wx/docview.h>
#include <wx/geometry.h>
#include <wx/weakref.h>

/// Prints a plan, one page per plan year.
class MyPrintOut : public wxDocPrintout
{
    wxDECLARE_DYNAMIC_CLASS(MyPrintOut);

public:
    MyPrintOut(myViewBase* view = nullptr, const wxString& title = "Printout");

    /// Fills in empty years and counts one page per year from the first to the last.
    void OnPreparePrinting() override;
    /// The pages that OnPreparePrinting will count, without filling in the plan's years.
    int CountPages() const;
    /// True for pages 1 to the page count.
    bool HasPage(int page) override;
    /// Scales the page to the paper and draws the plan year of that page; false, which stops the
    /// printing, once the plan is gone.
    bool OnPrintPage(int page) override;
    /// Every page is offered and selected.
    void GetPageInfo(int* minPage, int* maxPage, int* fromPage, int* toPage) override;
    /// The part of the paper the print system can print on, in printer pixels from the device
    /// context's origin: the paper inside the margins that the print system reports for it, or
    /// the page where it reports none.
    wxRect2DDouble PrintableArea();

    /// Null once the view is gone (its plan was closed).
    wxWeakRef<myViewBase> m_view;
    int m_pageCount;
};

#endif // TOVENDAL_VIEW_PRINTOUT_H
