#include "view/printout.h"
#include "view/planview.h"

// Placeholder until the printout lands.
wxIMPLEMENT_DYNAMIC_CLASS(MyPrintOut, wxDocPrintout);

MyPrintOut::MyPrintOut(myViewBase* view, const wxString& title) : wxDocPrintout(view, title) {}
