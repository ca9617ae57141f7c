#ifndef TOVENDAL_TESTS_TESTSUPPORT_H
#define TOVENDAL_TESTS_TESTSUPPORT_H

#include <wx/filedlg.h>
#include <wx/string.h>
#include <wx/testing.h>

#include <functional>

class wxTextCtrl;

/// A fresh, empty temporary folder for one test, removed with its contents when the process ends.
wxString MakeTempDir();

/// The HOME folder the test process runs in (an empty temporary folder).
wxString TestHome();

/// Lets pending events run for about the given time (milliseconds).
void RunEventsFor(int milliseconds);

/// Heap bytes kept, on average, by one more round of what round does, once the toolkit's caches
/// have filled in a few rounds first.
double HeapBytesKeptPerRound(const std::function<void()>& round);

/// Runs the program's start-up (TovendalApp::OnInit) in this test process; false when it declined.
bool StartTovendal();

/// Closes every plan without asking, closes the main frame and runs the program's shut-down.
void StopTovendal();

/// Inserts text at a position of a text control through the toolkit's own editing, as typing,
/// pasting and dropping do, so that the control counts as edited by the user (the display's
/// keyboard and clipboard are shared with other tests). False unless it is a one-line box.
bool InsertText(wxTextCtrl* text, const wxString& inserted, long position);

/// Answers the file dialog with a path. GTK's chooser takes the path only once it has
/// loaded the folder, so events run until it reads back.
class ChooseFile : public wxExpectModalBase<wxFileDialog, ChooseFile>
{
public:
    explicit ChooseFile(const wxString& path) : m_path(path) {}
    int OnInvoked(wxFileDialog* dialog) const override
    {
        dialog->SetPath(m_path);
        for (int waited = 0; dialog->GetPath() != m_path && waited < 2000; waited += 20)
            RunEventsFor(20);
        return wxID_OK;
    }
    wxString m_path;
};

#endif // TOVENDAL_TESTS_TESTSUPPORT_H
