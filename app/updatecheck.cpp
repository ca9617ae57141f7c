#include "app/updatecheck.h"
#include "app/mainframe.h"

// Placeholder until the update check lands.
void TovendalMain::OnCheckUpdates(wxCommandEvent&) {}
