#ifndef TOVENDAL_TESTS_TESTSUPPORT_H
#define TOVENDAL_TESTS_TESTSUPPORT_H

#include <wx/string.h>

/// A fresh, empty temporary folder for one test, removed with its contents when the process ends.
wxString MakeTempDir();

/// The HOME folder the test process runs in (an empty temporary folder).
wxString TestHome();

/// Lets pending events run for about the given time (milliseconds).
void RunEventsFor(int milliseconds);

#endif // TOVENDAL_TESTS_TESTSUPPORT_H
