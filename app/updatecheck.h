#ifndef TOVENDAL_APP_UPDATECHECK_H
#define TOVENDAL_APP_UPDATECHECK_H

// Placeholder until the update check lands.

#endif // TOVENDAL_APP_UPDATECHECK_H
