#ifndef TOVENDAL_VIEW_TEXTWRAPPER_H
#define TOVENDAL_VIEW_TEXTWRAPPER_H

#include <wx/string.h>

class wxDC;

namespace tovendal
{

/// Cuts a text into lines no wider than a limit on a device context and hands each line on.
class wxTextWrapper
{
public:
    wxTextWrapper() : m_eol(false) {}
    virtual ~wxTextWrapper() {}

    /// Breaks text at blanks into lines of at most widthMax logical units (no limit when
    /// widthMax is negative) measured on dc, and hands each line to OnOutputLine.
    void Wrap(wxDC* dc, const wxString& text, int widthMax);

protected:
    /// Receives one line, without its line-feed and without the blank it was broken at.
    virtual void OnOutputLine(const wxString& line) = 0;
    /// Called before a new line starts.
    virtual void OnNewLine() {}
    /// True when no further line can be used, so that the rest of the text is left unread.
    virtual bool IsComplete() const { return false; }

    bool m_eol;
};

} // namespace tovendal

/// Draws wrapped lines one below the other from the top-left corner of a rectangle.
class myTextWrapper : public tovendal::wxTextWrapper
{
public:
    /// Lines start at (x, y) and are spaced by dc's character height in its current font.
    myTextWrapper(wxDC* dc, int x, int y, int width, int height);

    wxDC* m_dc;
    int m_x;
    int m_y;
    int m_width;
    int m_height;
    int m_curX;
    int m_curY;
    int m_lineHeight;

protected:
    void OnOutputLine(const wxString& line) override;
    /// Lines that would start below the rectangle fall outside the caller's clip.
    bool IsComplete() const override;
};

#endif // TOVENDAL_VIEW_TEXTWRAPPER_H
