#include "app/about.h"
#include "app/mainframe.h"

// Placeholder until the About box lands.
void TovendalMain::OnAbout(wxCommandEvent&) {}
