#ifndef TOVENDAL_APP_ABOUT_H
#define TOVENDAL_APP_ABOUT_H

// Placeholder until the About box lands.

#endif // TOVENDAL_APP_ABOUT_H
