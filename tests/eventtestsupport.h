#ifndef TOVENDAL_TESTS_EVENTTESTSUPPORT_H
#define TOVENDAL_TESTS_EVENTTESTSUPPORT_H

// Helpers of the event editing tests: the colour database as start-up leaves
// it, and answers for the event editor and the colour picker that act on the
// dialog's own controls before they return.
#include "planwindow/eventdialog.h"
#include "planwindow/highlight.h"
#include "tests/testsupport.h"

#include <wx/button.h>
#include <wx/colour.h>
#include <wx/gdicmn.h>
#include <wx/testing.h>

#include <gtest/gtest.h>

#include <functional>

/// Adds the eleven colours that the program's start-up adds to the colour database
/// (the test programs do not run that start-up).
inline void AddNamedColours()
{
    static const struct
    {
        const char* name;
        unsigned char red, green, blue;
    } colours[] = {
        { "Maroon", 153, 0, 0 },       { "Green", 0, 153, 0 },     { "Olive", 153, 153, 0 },
        { "Navy", 0, 0, 153 },         { "Purple", 153, 0, 153 },  { "Fuchsia", 255, 0, 255 },
        { "Teal", 0, 153, 153 },       { "Lime", 0, 255, 0 },      { "Light Grey", 204, 204, 204 },
        { "Dark Grey", 153, 153, 153 }, { "Aqua", 0, 255, 255 },
    };
    for (const auto& colour : colours)
        wxTheColourDatabase->AddColour(colour.name, wxColour(colour.red, colour.green, colour.blue));
}

/// Turns toolkit assertions (among them an unmet dialog expectation) into test failures
/// instead of a dialog that nobody answers.
inline void FailOnToolkitAsserts()
{
    wxSetAssertHandler([](const wxString& file, int line, const wxString&, const wxString& cond,
                          const wxString& msg) {
        ADD_FAILURE_AT(file.utf8_str(), line) << cond.utf8_str() << ": " << msg.utf8_str();
    });
}

/// Sends a click of the button with the given id inside window, as a user's click does.
inline bool ClickButton(wxWindow* window, int id)
{
    wxButton* button = wxDynamicCast(window->FindWindow(id), wxButton);
    if (!button)
        return false;
    wxCommandEvent click(wxEVT_BUTTON, id);
    click.SetEventObject(button);
    button->GetEventHandler()->ProcessEvent(click);
    return true;
}

/// Answers the colour picker by clicking one of its buttons (a swatch or "No Highlight");
/// wxID_CANCEL presses Escape instead. The picker's return code is its answer.
class PickerAnswer : public wxExpectModalBase<winHighlight, PickerAnswer>
{
public:
    explicit PickerAnswer(int buttonId, std::function<void(winHighlight*)> check = nullptr)
        : m_buttonId(buttonId), m_check(check)
    {
    }

protected:
    int OnInvoked(winHighlight* picker) const override
    {
        if (m_check)
            m_check(picker);
        if (m_buttonId == wxID_CANCEL) {
            wxKeyEvent escape(wxEVT_CHAR_HOOK);
            escape.m_keyCode = WXK_ESCAPE;
            escape.SetEventObject(picker);
            bool cancelled = false;
            picker->Bind(wxEVT_BUTTON, [&cancelled](wxCommandEvent& event) {
                cancelled = true;
                event.Skip();
            }, wxID_CANCEL);
            picker->ProcessWindowEvent(escape);
            EXPECT_TRUE(cancelled) << "Escape did not reach the cancel button";
            return wxID_CANCEL;
        }
        picker->SetReturnCode(0);
        EXPECT_TRUE(ClickButton(picker, m_buttonId)) << "no button " << m_buttonId;
        return picker->GetReturnCode();
    }

private:
    int m_buttonId;
    std::function<void(winHighlight*)> m_check;
};

/// Answers the event editor: the dialog is shown (its validators fill the controls), fill
/// sets the controls as a user would, then Accept is pressed or the given result returned.
class EditorAnswer : public wxExpectModalBase<diaryEvents, EditorAnswer>
{
public:
    explicit EditorAnswer(std::function<void(diaryEvents*)> fill, int result = wxID_OK)
        : m_fill(fill), m_result(result)
    {
    }

protected:
    int OnInvoked(diaryEvents* editor) const override
    {
        // Shown as ShowModal shows it (which starts the validators), so that
        // screen positions inside it are real.
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
