#include "view/planview.h"
#include "document/plandocument.h"

// Placeholder until event placement lands.
void myViewBase::AddEvents(PlanDocument*, int, int, int) {}
