#include "view/textwrapper.h"

#include <wx/dc.h>

namespace tovendal
{

void wxTextWrapper::Wrap(wxDC* dc, const wxString& text, int widthMax)
{
    const size_t length = text.length();
    wxString line;
    size_t lineStart = 0;
    bool blankSeen = false;
    size_t lastBlank = 0;

    for (size_t pos = 0; pos <= length; ++pos) {
        if (m_eol) {
            m_eol = false;
            OnNewLine();
            line.clear();
            blankSeen = false;
            lineStart = pos;
        }

        if (pos == length || text[pos] == '\n') {
            OnOutputLine(line);
            m_eol = true;
            if (IsComplete())
                return;
            continue;
        }

        const wxUniChar ch = text[pos];
        if (ch == ' ') {
            blankSeen = true;
            lastBlank = pos;
        }
        line += ch;

        // Only a line that can be broken is measured, so a first word wider than the
        // limit stays whole on its own line.
        if (widthMax >= 0 && blankSeen && dc->GetTextExtent(line).x > widthMax) {
            OnOutputLine(text.substr(lineStart, lastBlank - lineStart));
            m_eol = true;
            if (IsComplete())
                return;
            pos = lastBlank; // the loop steps past the blank
        }
    }
}

} // namespace tovendal

myTextWrapper::myTextWrapper(wxDC* dc, int x, int y, int width, int height)
    : m_dc(dc), m_x(x), m_y(y), m_width(width), m_height(height), m_curX(x), m_curY(y),
      m_lineHeight(dc->GetCharHeight())
{
}

void myTextWrapper::OnOutputLine(const wxString& line)
{
    if (!line.empty())
        m_dc->DrawText(line, m_curX, m_curY);
    m_curY += m_lineHeight;
}

bool myTextWrapper::IsComplete() const
{
    return m_curY >= m_y + m_height;
}
