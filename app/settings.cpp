#include "app/settings.h"
#include "app/mainframe.h"

// Placeholder until the Preferences dialog lands.
void TovendalMain::OnPreferences(wxCommandEvent&) {}
