#ifndef TOVENDAL_APP_LIMITEDTEXT_H
#define TOVENDAL_APP_LIMITEDTEXT_H

#include <wx/valtext.h>

/// A text validator that keeps what the user adds to a text box within a number of characters,
/// whether typed, pasted or dropped. The text box's own limit is not used: on GTK it cuts a
/// longer text the program puts in (a stored value), which is shown in full and kept until the
/// user edits it.
class LimitedTextValidator : public wxTextValidator
{
public:
    LimitedTextValidator(long style, wxString* value, size_t maxLength);
    LimitedTextValidator(const LimitedTextValidator& other);

    wxObject* Clone() const override { return new LimitedTextValidator(*this); }
    /// Shows the bound text in full, however long.
    bool TransferToWindow() override;

private:
    /// Refuses a typed character once the box is full.
    void OnChar(wxKeyEvent& event);
    /// Cuts back an edit that added more characters than fit.
    void OnText(wxCommandEvent& event);

    size_t m_maxLength;
    wxString m_shown; // the text before the edit that raises the next text event

    wxDECLARE_EVENT_TABLE();
};

#endif // TOVENDAL_APP_LIMITEDTEXT_H
