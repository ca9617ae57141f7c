#ifndef TOVENDAL_TESTS_TESTSUPPORT_H
#define TOVENDAL_TESTS_TESTSUPPORT_H

#include <wx/string.h>

/// A fresh, empty temporary folder for one test, removed with its contents when the process ends.
wxString MakeTempDir();

/// The HOME folder the test process runs in (an empty temporary folder).
wxString TestHome();

/// Lets pending events run for about the given time (milliseconds).
void RunEventsFor(int milliseconds);

/// Runs the program's start-up (TovendalApp::OnInit) in this test process; false when it declined.
bool StartTovendal();

/// Closes every plan without asking, closes the main frame and runs the program's shut-down.
void StopTovendal();

#endif // TOVENDAL_TESTS_TESTSUPPORT_H
