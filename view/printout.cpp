#include "view/printout.h"
#include "document/plandocument.h"
#include "planwindow/planwindow.h"
#include "view/planview.h"

#include <wx/datetime.h>
#include <wx/dc.h>
#include <wx/gtk/print.h>
#include <wx/print.h>

#include <gtk/gtk.h>

wxIMPLEMENT_DYNAMIC_CLASS(MyPrintOut, wxDocPrintout);

namespace {

const double MM_PER_INCH = 25.4;
const double POINTS_PER_INCH = 72.0;

/// Widths of the unprintable margins around the printable area, in millimetres, on each side of
/// the paper as the page lies (turned for landscape).
struct PaperMargins
{
    double left = 0;
    double top = 0;
    double right = 0;
    double bottom = 0;
};

/// A GTK page setup's margins on the page as it lies: the setup keeps them for the portrait sheet.
PaperMargins MarginsOnPage(GtkPageSetup* setup)
{
    const double l = gtk_page_setup_get_left_margin(setup, GTK_UNIT_MM);
    const double t = gtk_page_setup_get_top_margin(setup, GTK_UNIT_MM);
    const double r = gtk_page_setup_get_right_margin(setup, GTK_UNIT_MM);
    const double b = gtk_page_setup_get_bottom_margin(setup, GTK_UNIT_MM);
    switch (gtk_page_setup_get_orientation(setup)) {
    case GTK_PAGE_ORIENTATION_LANDSCAPE:
        return {b, l, t, r};
    case GTK_PAGE_ORIENTATION_REVERSE_PORTRAIT:
        return {r, b, l, t};
    case GTK_PAGE_ORIENTATION_REVERSE_LANDSCAPE:
        return {t, r, b, l};
    default:
        return {l, t, r, b};
    }
}

/// Reads the print data of GTK's printer device context, which the toolkit keeps protected.
struct PrinterDCData : wxGtkPrinterDCImpl
{
    static wxPrintData& Of(wxGtkPrinterDCImpl& impl) { return (impl.*&PrinterDCData::GetPrintData)(); }
};

/// GTK's page setup of the page being printed on dc; null for any device context but GTK's printer's.
GtkPageSetup* PrinterPageSetup(wxDC* dc)
{
    wxGtkPrinterDCImpl* impl = dynamic_cast<wxGtkPrinterDCImpl*>(dc->GetImpl());
    wxGtkPrintNativeData* native =
        impl ? dynamic_cast<wxGtkPrintNativeData*>(PrinterDCData::Of(*impl).GetNativeData()) : nullptr;
    GtkPrintContext* context = native ? native->GetPrintContext() : nullptr;
    return context ? gtk_print_context_get_page_setup(context) : nullptr;
}

/// The page setup that GTK's print job starts from for the paper and orientation of printData:
/// the paper's default margins. The caller releases it.
GtkPageSetup* PageSetupFor(const wxPrintData& printData)
{
    // Settings of its own, so that those shared with the printer stay as they are.
    wxPrintData paper;
    paper.SetPaperId(printData.GetPaperId());
    paper.SetPaperSize(printData.GetPaperSize());
    paper.SetOrientation(printData.GetOrientation());
    paper.SetOrientationReversed(printData.IsOrientationReversed());
    paper.ConvertToNative();
    wxGtkPrintNativeData* native = dynamic_cast<wxGtkPrintNativeData*>(paper.GetNativeData());
    if (!native)
        return nullptr;
    GtkPrintSettings* settings = native->GetPrintConfig();
    GtkPageSetup* setup = gtk_page_setup_new();
    gtk_page_setup_set_orientation(setup, gtk_print_settings_get_orientation(settings));
    if (GtkPaperSize* size = gtk_print_settings_get_paper_size(settings)) {
        gtk_page_setup_set_paper_size_and_default_margins(setup, size);
        gtk_paper_size_free(size);
    }
    return setup;
}

} // namespace

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
    if (doc->m_yearEnd.empty()) {
        doc->m_yearEnd = doc->m_year;
        filledIn = true;
    }
    m_pageCount = CountPages();

    if (filledIn) {
        if (m_view->m_frame)
            m_view->m_frame->TransferDataToWindow();
        doc->Modify(true);
    }
}

int MyPrintOut::CountPages() const
{
    const PlanDocument* doc = m_view ? dynamic_cast<const PlanDocument*>(m_view->GetDocument()) : nullptr;
    if (!doc)
        return m_pageCount;
    const int first = doc->m_year.empty() ? wxDateTime::Now().GetYear() : ReadPlanYear(doc->m_year);
    const int last = doc->m_yearEnd.empty() ? first : ReadPlanYear(doc->m_yearEnd);
    return last - first + 1;
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
    // Made with a view whose plan has since been closed: nothing is left to print.
    if (!m_view && GetView())
        return false;

    // Scale and origin come from the one printable area, in the device context's units (device
    // pixels per printer pixel differ from 1 in the preview, which draws at its zoom).
    const wxRect2DDouble area = PrintableArea();
    wxSize pagePixels;
    GetPageSizePixels(&pagePixels.x, &pagePixels.y);
    wxSize ppi;
    GetPPIPrinter(&ppi.x, &ppi.y);
    const wxSize deviceSize = dc->GetSize();
    if (pagePixels.x <= 0 || pagePixels.y <= 0 || ppi.x <= 0 || ppi.y <= 0)
        return true;
    const double deviceX = double(deviceSize.x) / pagePixels.x;
    const double deviceY = double(deviceSize.y) / pagePixels.y;
    // The printable area's size in millimetres.
    const double w = area.m_width * MM_PER_INCH / ppi.x;
    const double h = area.m_height * MM_PER_INCH / ppi.y;

    // 203 mm worth of points across the width; 172 mm down when the area is too short.
    const float sx = w / 203.0;
    float sy = sx;
    if (h < sx * 172.0f)
        sy = h / 172.0;

    // One logical unit is sx by sy points on paper, whatever the device context's own mapping of
    // points (a printer context maps them through the screen's resolution).
    dc->SetMapMode(wxMM_POINTS);
    double logicalX = 1.0;
    double logicalY = 1.0;
    dc->GetLogicalScale(&logicalX, &logicalY);
    dc->SetUserScale(sx * ppi.x / POINTS_PER_INCH * deviceX / logicalX,
                     sy * ppi.y / POINTS_PER_INCH * deviceY / logicalY);
    dc->SetDeviceOrigin(wxRound(area.m_x * deviceX), wxRound(area.m_y * deviceY));

    if (m_view)
        m_view->DrawPlan(dc, page);
    return true;
}

wxRect2DDouble MyPrintOut::PrintableArea()
{
    wxSize pagePixels;
    GetPageSizePixels(&pagePixels.x, &pagePixels.y);
    const wxRect2DDouble page(0, 0, pagePixels.x, pagePixels.y);
    wxDC* dc = GetDC();
    if (!dc)
        return page;

    // GTK reports the printable area through the margins of its page setup; the toolkit's device
    // context ignores them and calls the whole paper the page. The preview, which has no printer
    // context, takes the margins that GTK's print job starts from for its paper.
    PaperMargins margins;
    // Where the device origin lies on the paper (mm): GTK's printer context has it at the
    // printable area's corner, and the toolkit moves it back by the portrait sheet's left and top
    // margins, which reaches the paper's corner only when the page is not turned.
    double originX = 0;
    double originY = 0;
    // The toolkit hands the printout its platform's preview, which is a preview base but not the
    // wxPrintPreview that GetPreview names.
    wxPrintPreviewBase* preview = IsPreview() ? reinterpret_cast<wxPrintPreviewBase*>(GetPreview()) : nullptr;
    if (GtkPageSetup* setup = PrinterPageSetup(dc)) {
        margins = MarginsOnPage(setup);
        originX = margins.left - gtk_page_setup_get_left_margin(setup, GTK_UNIT_MM);
        originY = margins.top - gtk_page_setup_get_top_margin(setup, GTK_UNIT_MM);
    } else if (GtkPageSetup* paperSetup =
                   preview ? PageSetupFor(preview->GetPrintDialogData().GetPrintData()) : nullptr) {
        margins = MarginsOnPage(paperSetup);
        g_object_unref(paperSetup);
    } else {
        return page;
    }

    wxSize ppi;
    GetPPIPrinter(&ppi.x, &ppi.y);
    const double perMMX = ppi.x / MM_PER_INCH;
    const double perMMY = ppi.y / MM_PER_INCH;
    const wxRect paper = GetPaperRectPixels();
    const wxRect2DDouble area(paper.x + (margins.left - originX) * perMMX,
                              paper.y + (margins.top - originY) * perMMY,
                              paper.width - (margins.left + margins.right) * perMMX,
                              paper.height - (margins.top + margins.bottom) * perMMY);
    return area.m_width > 0 && area.m_height > 0 ? area : page;
}
