#include "view/planview.h"
#include "app/app.h"
#include "app/updatecheck.h"
#include "document/plandocument.h"
#include "view/textwrapper.h"

#include <wx/dc.h>
#include <wx/dcmemory.h>

namespace {

/// Day columns of the days-across layout and day rows of the months-across layout.
const int DAY_SLOTS = 37;

/// The name at index, or the empty text when the list is shorter.
wxString NameAt(const wxArrayString& names, int index)
{
    return index >= 0 && index < static_cast<int>(names.GetCount()) ? names[index] : wxString();
}

/// Points of character height per point of font size, as the screen measures fonts.
double ReferenceHeightPerPoint()
{
    static const double ratio = [] {
        wxBitmap bitmap(1, 1);
        wxMemoryDC dc(bitmap);
        dc.SetFont(wxFont(wxFontInfo(70).FaceName("Arial").Family(wxFONTFAMILY_SWISS)));
        return dc.GetCharHeight() * 72.0 / dc.GetPPI().y / 70.0;
    }();
    return ratio;
}

} // namespace

wxFont myViewBase::PageFont(wxDC* dc, double size, wxFontWeight weight)
{
    wxFont font(wxFontInfo(size * 10).FaceName("Arial").Family(wxFONTFAMILY_SWISS).Weight(weight));
    const wxFont saved = dc->GetFont();
    dc->SetFont(font);
    const int height = dc->GetCharHeight(); // measured ten times larger for precision
    dc->SetFont(saved.IsOk() ? saved : *wxNORMAL_FONT);
    font.SetFractionalPointSize(height > 0 ? size * size * 10 * ReferenceHeightPerPoint() / height
                                           : size);
    return font;
}

namespace {

/// The page's texts, laid out and drawn at the device's own size. Through the page's scale a
/// font of a few points is laid out with each letter placed on a whole logical unit, which pulls
/// the letters of small text apart (the 5-point footer most, on paper and in the preview). So for
/// each text the device context is switched to one unit per device unit across the height (the
/// width keeps the page's ratio of the two scales) with a font enlarged to match: the text lands
/// at the same place and in the same size, its letters placed to the device's own resolution.
class PageText
{
public:
    /// Fonts of size points (logical units of the page), made for dc in its current mapping.
    PageText(wxDC* dc, double bodySize, double titleSize, double footerSize) : m_dc(dc)
    {
        m_mapMode = dc->GetMapMode();
        dc->GetUserScale(&m_userX, &m_userY);
        double logicalX = 1.0;
        double logicalY = 1.0;
        dc->GetLogicalScale(&logicalX, &logicalY);
        m_deviceX = m_userX * logicalX;
        m_deviceY = m_userY * logicalY;
        if (!(m_deviceX > 0) || !(m_deviceY > 0))
            m_deviceX = m_deviceY = 1.0;
        m_origin = dc->GetLogicalOrigin();

        Enter();
        m_body = myViewBase::PageFont(dc, bodySize * m_deviceY, wxFONTWEIGHT_NORMAL);
        m_title = myViewBase::PageFont(dc, titleSize * m_deviceY, wxFONTWEIGHT_BOLD);
        m_footer = myViewBase::PageFont(dc, footerSize * m_deviceY, wxFONTWEIGHT_NORMAL);
        Leave();
    }

    void UseBody() { m_font = &m_body; }
    void UseTitle() { m_font = &m_title; }
    void UseFooter() { m_font = &m_footer; }

    /// Draws text with its top-left corner at (x, y), logical units of the page.
    void Draw(const wxString& text, int x, int y)
    {
        Enter();
        m_dc->DrawText(text, X(x), Y(y));
        Leave();
    }

    /// Draws text centred in r (logical units of the page), the halves truncated toward zero.
    void DrawCentred(const wxString& text, const wxRect& r)
    {
        Enter();
        const wxSize extent = m_dc->GetTextExtent(text);
        m_dc->DrawText(text, X(r.x) + (Width(r.width) - extent.x) / 2, Y(r.y) + (Height(r.height) - extent.y) / 2);
        Leave();
    }

    /// Draws text with its top-right corner at (right, y), logical units of the page.
    void DrawRightAligned(const wxString& text, int right, int y)
    {
        Enter();
        m_dc->DrawText(text, X(right) - m_dc->GetTextExtent(text).x, Y(y));
        Leave();
    }

    /// Word-wraps text into lines no wider than width from (x, y), logical units of the page.
    void Wrap(const wxString& text, int x, int y, int width, int height)
    {
        Enter();
        myTextWrapper wrapper(m_dc, X(x), Y(y), Width(width), Height(height));
        wrapper.Wrap(m_dc, text, Width(width));
        Leave();
    }

private:
    /// Switches the device context to the text's mapping, with the chosen font.
    void Enter()
    {
        m_dc->SetMapMode(wxMM_TEXT);
        m_dc->SetUserScale(m_deviceX / m_deviceY, 1.0);
        if (m_font && m_selected != m_font) {
            m_dc->SetFont(*m_font);
            m_selected = m_font;
        }
    }

    /// Back to the page's mapping.
    void Leave()
    {
        m_dc->SetMapMode(m_mapMode);
        m_dc->SetUserScale(m_userX, m_userY);
    }

    // Page units to the text's: the same device position and length.
    int X(int x) const { return wxRound((x - m_origin.x) * m_deviceY) + m_origin.x; }
    int Y(int y) const { return wxRound((y - m_origin.y) * m_deviceY) + m_origin.y; }
    int Width(int w) const { return wxRound(w * m_deviceY); }
    int Height(int h) const { return wxRound(h * m_deviceY); }

    wxDC* m_dc;
    wxMappingMode m_mapMode;
    double m_userX = 1.0;
    double m_userY = 1.0;
    double m_deviceX = 1.0;
    double m_deviceY = 1.0;
    wxPoint m_origin;
    wxFont m_body;
    wxFont m_title;
    wxFont m_footer;
    const wxFont* m_font = nullptr;
    const wxFont* m_selected = nullptr;
};

/// The cell painting shared by both layouts.
class CellPainter
{
public:
    CellPainter(wxDC* dc, PageText& text, const wxPen& linePen)
        : m_dc(dc), m_text(text), m_linePen(linePen), m_shadingBrush(wxColour(224, 224, 224))
    {
    }

    /// Fills r with brush and no outline, then restores the line pen.
    void Fill(const wxRect& r, const wxBrush& brush)
    {
        m_dc->SetPen(*wxTRANSPARENT_PEN);
        m_dc->SetBrush(brush);
        m_dc->DrawRectangle(r);
        m_dc->SetBrush(wxNullBrush);
        m_dc->SetPen(m_linePen);
    }

    void FillEmpty(const wxRect& r) { Fill(r, *wxLIGHT_GREY_BRUSH); }
    void Shade(const wxRect& r) { Fill(r, m_shadingBrush); }

    /// One band per colour, the first outermost; horizontal bands stack in height
    /// (days across), vertical ones in width (months across). Invalid and white colours
    /// leave their band out but still take their stripe.
    void Bands(const wxRect& r, const CellColourArray& colours, bool vertical)
    {
        const int n = static_cast<int>(colours.GetCount());
        if (n == 0)
            return;
        const int stripe = (vertical ? r.width : r.height) / n;
        for (int i = 0; i < n; ++i) {
            const wxColour& colour = colours[i];
            if (!colour.IsOk() || IsOpaqueWhite(colour))
                continue;
            const int size = stripe * (n - i);
            if (size <= 0)
                continue;
            wxRect band = r;
            if (vertical) {
                band.width = size;
                band.x = r.x + (r.width - size) / 2;
            } else {
                band.height = size;
                band.y = r.y + (r.height - size) / 2;
            }
            Fill(band, wxBrush(colour));
        }
    }

    /// Draws text at (x, y) in the cell's text colour unless that is black or unset.
    void Text(const wxString& text, int x, int y, const wxColour& colour)
    {
        if (colour.IsOk() && (colour.Red() || colour.Green() || colour.Blue())) {
            m_dc->SetTextForeground(colour);
            m_text.Draw(text, x, y);
            m_dc->SetTextForeground(*wxBLACK);
        } else {
            m_text.Draw(text, x, y);
        }
    }

private:
    static bool IsOpaqueWhite(const wxColour& c)
    {
        return c.Red() == 255 && c.Green() == 255 && c.Blue() == 255 && c.Alpha() == 255;
    }

    wxDC* m_dc;
    PageText& m_text;
    const wxPen& m_linePen;
    wxBrush m_shadingBrush;
};

} // namespace

void myViewBase::DrawPlan(wxDC* dc, int page)
{
    PlanDocument* doc = dynamic_cast<PlanDocument*>(GetDocument());
    if (!dc || !doc)
        return;
    TovendalApp& app = wxGetApp();

    // Sizes are points: on the printout's mapping one point is one logical unit.
    const wxFont bodyFont = PageFont(dc, 7, wxFONTWEIGHT_NORMAL);
    const wxFont footerFont = PageFont(dc, 5, wxFONTWEIGHT_NORMAL);
    PageText pageText(dc, 7, 11, 5);
    const wxPen linePen(*wxBLACK, 1, wxPENSTYLE_SOLID);

    // The printing framework starts and ends the page around OnPrintPage; a second StartPage on
    // GTK's printer context would move and scale the page again.
    SetMainStatusText("Printing...");

    dc->SetFont(bodyFont);
    wxCoord unusedW = 0;
    wxCoord unusedH = 0;
    wxCoord unusedDescent = 0;
    wxCoord L = 0;
    dc->GetTextExtent("j", &unusedW, &unusedH, &unusedDescent, &L);
    dc->SetPen(linePen);

    const wxSize deviceSize = dc->GetSize();
    const bool portrait = deviceSize.x <= deviceSize.y;
    dc->SetBackgroundMode(wxBRUSHSTYLE_TRANSPARENT);

    // Page years are held to the range the calendar arithmetic can take.
    const long long pageYear = static_cast<long long>(ReadPlanYear(doc->m_year)) + page - 1;
    const int Y = static_cast<int>(wxMax(-10000000LL, wxMin(10000000LL, pageYear)));
    const int S = doc->m_startMonth >= 0 && doc->m_startMonth <= 11 ? doc->m_startMonth + 1 : 1;
    const int F = doc->m_firstDayOfWeek >= 0 && doc->m_firstDayOfWeek <= 6 ? doc->m_firstDayOfWeek : 0;

    ClearGrid();
    // Years the calendar grid cannot hold draw as empty cells.
    if (Y >= GRID_FIRST_YEAR && Y <= GRID_LAST_YEAR) {
        AddDayNumbers(Y, F);
        if (doc->m_incUKbankhols)
            AddBankHolidays(Y, F);
        if (!doc->m_events.empty())
            AddEvents(doc, Y, S, F);
    }

    const wxString title = S == 1 ? wxString::Format("%4d %s", Y, doc->m_title)
                                  : wxString::Format("%4d - %4d %s", Y, Y + 1, doc->m_title);
    pageText.UseTitle();
    pageText.Draw(title, 30, 6);
    pageText.UseBody();

    CellPainter painter(dc, pageText, linePen);
    int bottom = 0;
    int right = 0;

    if (doc->m_daysAcross) {
        for (int c = 0; c < DAY_SLOTS; ++c)
            pageText.DrawCentred(NameAt(app.m_dayNames, (F + c) % 7),
                        wxRect(wxPoint(38 + 13 * c, 18 + L), wxPoint(51 + 13 * c, 30)));

        for (int r = 0; r < 12; ++r) {
            const int row = S - 1 + r;
            const wxString month = NameAt(app.m_monthNames, row % 12).Left(3);
            const int T = 30 + 36 * r;
            const int B = 66 + 36 * r;

            // The month's first letters stand one above the other, 6 units apart.
            wxRect left(wxPoint(31, 24 + 36 * r + L), wxPoint(38, 60 + 36 * r));
            wxRect rightLabel(wxPoint(520, 24 + 36 * r + L), wxPoint(527, 60 + 36 * r));
            for (size_t k = 0; k < month.length(); ++k) {
                pageText.DrawCentred(wxString(month[k]), left);
                left.y += 6;
            }

            for (int c = 0; c < DAY_SLOTS; ++c) {
                const int cell = row * GRID_COLUMNS + c;
                const wxRect R(wxPoint(38 + 13 * c, T + L), wxPoint(51 + 13 * c, B));
                const wxString& text = m_cellText[cell];
                if (text.empty()) {
                    painter.FillEmpty(R);
                    continue;
                }
                const int weekday = (F + c) % 7;
                if (weekday >= 5 || text.length() > 2)
                    painter.Shade(R);
                painter.Bands(R, m_cellColours[cell], false);
                painter.Text(text.Left(2), R.x, R.y, m_cellTextColour[cell]);
            }

            for (size_t k = 0; k < month.length(); ++k) {
                pageText.DrawCentred(wxString(month[k]), rightLabel);
                rightLabel.y += 6;
            }
            dc->DrawLine(30, T, 527, T);
        }

        dc->DrawLine(30, 18, 527, 18);
        dc->DrawLine(30, 462, 527, 462);
        dc->DrawLine(30, 18, 30, 462);
        dc->DrawLine(527, 18, 527, 462);
        dc->DrawLine(38, 18, 38, 462);
        for (int x = 51; x <= 519; x += 13)
            dc->DrawLine(x, 18, x, 462);
        bottom = 462;
        right = 527;
    } else {
        for (int i = 0; i < 12; ++i)
            pageText.DrawCentred(NameAt(app.m_monthNames, (S - 1 + i) % 12),
                        wxRect(wxPoint(52 + 40 * i, 18 + L), wxPoint(92 + 40 * i, 30)));

        for (int r = 0; r < DAY_SLOTS; ++r) {
            const int T = 30 + 12 * r;
            const int B = 42 + 12 * r;
            const wxString dayName = NameAt(app.m_dayNames, (F + r) % 7);
            pageText.Draw(dayName, 32, T + L);

            for (int i = 0; i < 12; ++i) {
                const int cell = (S - 1 + i) * GRID_COLUMNS + r;
                const wxRect R(wxPoint(52 + 40 * i, T + L), wxPoint(92 + 40 * i, B));
                const wxString& text = m_cellText[cell];
                if (text.empty()) {
                    painter.FillEmpty(R);
                    continue;
                }
                const CellColourArray& colours = m_cellColours[cell];
                painter.Bands(R, colours, true);
                // A long event text is cut at the cell's edge; a bare day number always fits.
                const wxString shown = colours.GetCount() > 1 ? text.Left(2) : text;
                const bool clip = shown.length() > 2;
                if (clip)
                    dc->SetClippingRegion(R);
                painter.Text(shown, R.x, R.y, m_cellTextColour[cell]);
                if (clip)
                    dc->DestroyClippingRegion();
            }

            pageText.Draw(dayName, 533, T + L);
            if (r > 1 && r % 7 == 0)
                dc->DrawLine(30, T - 2, 554, T - 2);
            dc->DrawLine(30, T, 554, T);
        }

        dc->DrawLine(30, 18, 554, 18);
        dc->DrawLine(30, 474, 554, 474);
        dc->DrawLine(30, 18, 30, 474);
        dc->DrawLine(554, 18, 554, 474);
        dc->DrawLine(52, 18, 52, 474);
        for (int x = 92; x <= 532; x += 40)
            dc->DrawLine(x, 18, x, 474);
        bottom = 474;
        right = 554;
    }

    int footerY = bottom;
    if (portrait && !doc->m_comments.empty()) {
        dc->SetClippingRegion(30, bottom + 12, right / 2, 306);
        pageText.Wrap(doc->m_comments, 30, bottom + 12, right / 2, 306);
        dc->DestroyClippingRegion();
        footerY = bottom + 317;
    }

    pageText.UseFooter();
    pageText.Draw(wxString::Format("%s [%s]", app.m_versionInfo.GetLegalCopyright(),
                                   app.m_versionInfo.GetProductVersion()),
                  30, footerY);
    pageText.DrawRightAligned(MAKER_WEB_HOST, right, footerY);
    dc->SetFont(footerFont);

    SetMainStatusText(wxEmptyString);
}
