#include "app/limitedtext.h"

#include <wx/textentry.h>
#include <wx/utils.h>

#include <algorithm>

wxBEGIN_EVENT_TABLE(LimitedTextValidator, wxTextValidator)
    EVT_CHAR(LimitedTextValidator::OnChar)
    EVT_TEXT(wxID_ANY, LimitedTextValidator::OnText)
wxEND_EVENT_TABLE()

LimitedTextValidator::LimitedTextValidator(long style, wxString* value, size_t maxLength)
    : wxTextValidator(style, value), m_maxLength(maxLength)
{
}

LimitedTextValidator::LimitedTextValidator(const LimitedTextValidator& other)
    : wxTextValidator(other), m_maxLength(other.m_maxLength), m_shown(other.m_shown)
{
}

bool LimitedTextValidator::TransferToWindow()
{
    // Known before the text event that putting it in raises, so that it is not cut.
    if (m_stringValue)
        m_shown = *m_stringValue;
    return wxTextValidator::TransferToWindow();
}

void LimitedTextValidator::OnChar(wxKeyEvent& event)
{
    wxTextEntry* text = GetTextEntry();
    const int key = event.GetUnicodeKey();
    if (text && key != WXK_NONE && key >= WXK_SPACE && key != WXK_DELETE &&
        !event.HasAnyModifiers()) {
        long from = 0;
        long to = 0;
        text->GetSelection(&from, &to);
        if (static_cast<size_t>(text->GetLastPosition() - (to - from)) >= m_maxLength) {
            wxBell();
            return;
        }
    }
    event.Skip();
}

void LimitedTextValidator::OnText(wxCommandEvent& event)
{
    event.Skip();
    wxTextEntry* text = GetTextEntry();
    if (!text)
        return;
    wxString now = text->GetValue();
    if (now.length() > m_maxLength && now.length() > m_shown.length()) {
        // The toolkit reports one insertion at a time: the text was A + C and is now A + B + C.
        // Of B only as many characters are kept as fit beside A and C.
        size_t prefix = 0;
        while (prefix < m_shown.length() && m_shown[prefix] == now[prefix])
            ++prefix;
        size_t suffix = 0;
        while (suffix < m_shown.length() - prefix &&
               m_shown[m_shown.length() - 1 - suffix] == now[now.length() - 1 - suffix])
            ++suffix;
        const size_t kept = prefix + suffix;
        const size_t added =
            std::min(now.length() - kept, kept < m_maxLength ? m_maxLength - kept : 0);
        now = now.Left(prefix) + now.Mid(prefix, added) + now.Right(suffix);
        text->ChangeValue(now);
        text->SetInsertionPoint(static_cast<long>(prefix + added));
        wxBell();
    }
    m_shown = now;
}
