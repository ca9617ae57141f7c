#ifndef TOVENDAL_VIEW_PRINTOUT_H
#define TOVENDAL_VIEW_PRINTOUT_H

#include <wx/docview.h>

class myViewBase;

/// Prints a plan, one page per plan year.
class MyPrintOut : public wxDocPrintout
{
    wxDECLARE_DYNAMIC_CLASS(MyPrintOut);

public:
    MyPrintOut(myViewBase* view = nullptr, const wxString& title = "Printout");
};

#endif // TOVENDAL_VIEW_PRINTOUT_H
