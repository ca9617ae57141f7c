#ifndef TOVENDAL_TESTS_EVENTTESTSUPPORT_H
#define TOVENDAL_TESTS_EVENTTESTSUPPORT_H

// Helpers of the event editing tests: the colour database as start-up leaves
// it, and answers for the editor and the picker that act on their controls.
#include "planwindow/eventdialog.h"
#include "planwindow/highlight.h"
#include "tests/testsupport.h"

#include <wx/button.h>
#include <wx/testing.h>

#include <gtest/gtest.h>

#include <functional>

/// Adds the eleven colours of the program's start-up, which the tests do not run.
inline void AddNamedColours()
{
    static const struct { const char* name; unsigned char r, g, b; } colours[] = {
        { "Maroon", 153, 0, 0 },   { "Green", 0, 153, 0 },      { "Olive", 153, 153, 0 },
        { "Navy", 0, 0, 153 },     { "Purple", 153, 0, 153 },   { "Fuchsia", 255, 0, 255 },
        { "Teal", 0, 153, 153 },   { "Lime", 0, 255, 0 },       { "Light Grey", 204, 204, 204 },
        { "Dark Grey", 153, 153, 153 }, { "Aqua", 0, 255, 255 } };
    for (const auto& c : colours)
        wxTheColourDatabase->AddColour(c.name, wxColour(c.r, c.g, c.b));
}

/// Makes toolkit assertions (an unmet dialog expectation among them) fail the test.
inline void FailOnToolkitAsserts()
{
    wxSetAssertHandler([](const wxString& file, int line, const wxString&, const wxString& cond,
                          const wxString& msg) {
        ADD_FAILURE_AT(file.utf8_str(), line) << cond.utf8_str() << ": " << msg.utf8_str();
    });
}

/// Clicks the button with the given id inside window, as the user would.
inline bool ClickButton(wxWindow* window, int id)
{
    wxButton* button = dynamic_cast<wxButton*>(window->FindWindow(id));
    if (!button)
        return false;
    wxCommandEvent click(wxEVT_BUTTON, id);
    click.SetEventObject(button);
    button->GetEventHandler()->ProcessEvent(click);
    return true;
}

/// Answers the colour picker with a click on a swatch or "No Highlight" (wxID_OK), or
/// with Escape (wxID_CANCEL); check sees the picker first.
class PickerAnswer : public wxExpectModalBase<winHighlight, PickerAnswer>
{
public:
    explicit PickerAnswer(int buttonId, std::function<void(winHighlight*)> check = nullptr)
        : m_buttonId(buttonId), m_check(check) {}

protected:
    int OnInvoked(winHighlight* picker) const override
    {
        if (m_check)
            m_check(picker);
        if (m_buttonId != wxID_CANCEL) {
            picker->SetReturnCode(0);
            EXPECT_TRUE(ClickButton(picker, m_buttonId));
            return picker->GetReturnCode();
        }
        bool cancelled = false;
        picker->Bind(wxEVT_BUTTON, [&cancelled](wxCommandEvent& e) { cancelled = true; e.Skip(); },
                     wxID_CANCEL);
        wxKeyEvent escape(wxEVT_CHAR_HOOK);
        escape.m_keyCode = WXK_ESCAPE;
        picker->ProcessWindowEvent(escape);
        EXPECT_TRUE(cancelled) << "Escape did not reach the cancel button";
        return wxID_CANCEL;
    }

private:
    int m_buttonId;
    std::function<void(winHighlight*)> m_check;
};

/// Answers the event editor: shows it (the validators fill its controls), lets fill act
/// as the user, then presses Accept for wxID_OK or returns the other result.
class EditorAnswer : public wxExpectModalBase<diaryEvents, EditorAnswer>
{
public:
    explicit EditorAnswer(std::function<void(diaryEvents*)> fill, int result = wxID_OK)
        : m_fill(fill), m_result(result) {}

protected:
    int OnInvoked(diaryEvents* editor) const override
    {
        editor->Show();
        RunEventsFor(50);
        if (m_fill)
            m_fill(editor);
        editor->UpdateWindowUI(wxUPDATE_UI_RECURSE);
        if (m_result == wxID_OK) {
            EXPECT_TRUE(ClickButton(editor, wxID_OK));
        }
        editor->Hide();
        return m_result;
    }

private:
    std::function<void(diaryEvents*)> m_fill;
    int m_result;
};

#endif // TOVENDAL_TESTS_EVENTTESTSUPPORT_H
