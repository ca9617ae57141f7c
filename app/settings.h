#ifndef TOVENDAL_APP_SETTINGS_H
#define TOVENDAL_APP_SETTINGS_H

// Placeholder until the Preferences dialog lands.

#endif // TOVENDAL_APP_SETTINGS_H
