#include "view/planview.h"

// Placeholder until the page drawing lands.
void myViewBase::DrawPlan(wxDC*, int) {}
