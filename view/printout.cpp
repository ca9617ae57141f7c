#include "view/printout.h"
#include "document/plandocument.h"
#include "planwindow/planwindow.h"
#include "view/planview.h"

#include <wx/datetime.h>
#include <wx/dc.h>
#include <wx/dcprint.h>

#include <algorithm>

wxIMPLEMENT_DYNAMIC_CLASS(MyPrintOut, wxDocPrintout);

namespace {

const long long YEAR_LIMIT = 1000000;

} // namespace

int ReadPlanYear(const wxString& text)
{
    // As the C library reads a number: leading blanks, a sign, then digits.
    size_t pos = 0;
    while (pos < text.length() && (text[pos] == ' ' || text[pos] == '\t'))
        ++pos;
    bool negative = false;
    if (pos < text.length() && (text[pos] == '-' || text[pos] == '+'))
        negative = text[pos++] == '-';
    long long value = 0;
    for (; pos < text.length() && text[pos] >= '0' && text[pos] <= '9'; ++pos)
        value = std::min(value * 10 + (text[pos] - '0'), YEAR_LIMIT);
    return static_cast<int>(negative ? -value : value);
}

MyPrintOut::MyPrintOut(myViewBase* view, const wxString& title)
    : wxDocPrintout(view, title), m_view(view), m_pageCount(1)
{
}

void MyPrintOut::OnPreparePrinting()
{
    PlanDocument* doc = m_view ? dynamic_cast<PlanDocument*>(m_view->GetDocument()) : nullptr;
    if (!doc)
        return;

    bool filledIn = false;
    if (doc->m_year.empty()) {
        doc->m_year = wxString::Format("%d", wxDateTime::Now().GetYear());
        filledIn = true;
    }
    const int first = ReadPlanYear(doc->m_year);
    if (doc->m_yearEnd.empty()) {
        doc->m_yearEnd = doc->m_year;
        filledIn = true;
    }
    const int last = ReadPlanYear(doc->m_yearEnd);
    m_pageCount = last - first + 1;

    if (filledIn) {
        if (m_view->m_frame)
            m_view->m_frame->TransferDataToWindow();
        doc->Modify(true);
    }
}

bool MyPrintOut::HasPage(int page)
{
    return page >= 1 && page <= m_pageCount;
}

void MyPrintOut::GetPageInfo(int* minPage, int* maxPage, int* fromPage, int* toPage)
{
    *minPage = 1;
    *maxPage = m_pageCount;
    *fromPage = 1;
    *toPage = m_pageCount;
}

bool MyPrintOut::OnPrintPage(int page)
{
    wxDC* dc = GetDC();
    if (!dc)
        return true;

    // The size in millimetres is worked out through the current scale, which the previous
    // page left behind when the framework hands in the same device context again.
    dc->SetMapMode(wxMM_TEXT);
    dc->SetUserScale(1.0, 1.0);
    int w = 0;
    int h = 0;
    dc->GetSizeMM(&w, &h);

    // 203 mm worth of points across the width; 172 mm down when the page is too short.
    float sx = w / 203.0f;
    float sy = sx;
    if (h < sx * 172.0f)
        sy = h / 172.0f;
    dc->SetUserScale(sx, sy);
    dc->SetMapMode(wxMM_POINTS);
    if (dc->IsKindOf(wxCLASSINFO(wxPrinterDC))) {
        // Measured on pages printed to a file here: with the point mapping a printer page comes
        // out a fraction of its size, because the toolkit maps points through the screen's
        // resolution and its GTK printer context scales by 72 / dpi on a context that already
        // counts printer pixels. The scale is set directly so that one logical unit is sx
        // points on paper, as on the preview.
        const wxSize ppi = dc->GetPPI();
        dc->SetMapMode(wxMM_TEXT);
        dc->SetUserScale(sx * ppi.x * ppi.x / (72.0 * 72.0), sy * ppi.y * ppi.y / (72.0 * 72.0));
    }

    if (m_view)
        m_view->DrawPlan(dc, page);
    return true;
}
