#include "view/printout.h"
#include "app/updatecheck.h"
#include "tests/planwindowfixture.h"

#include <wx/dcmemory.h>
#include <wx/gtk/print.h>
#include <wx/image.h>
#include <wx/print.h>
#include <wx/stopwatch.h>

#include <gtk/gtkunixprint.h>

#include <array>
#include <cstdlib>
#include <cstring>
#include <vector>

namespace {

/// Where a page image's frame lines lie (left, top, right, bottom; millimetres from the paper's
/// top-left corner): its outermost columns and rows that are dark along at least 40% of the image.
/// Dark pixels outside the area (mm, widened by 0.2 mm) are counted into inkOutside.
std::array<double, 4> FindFrame(const wxImage& image, double paperWidthMM, double paperHeightMM,
                                const wxRect2DDouble& area, int* inkOutside)
{
    const int w = image.GetWidth(), h = image.GetHeight();
    const double mmX = paperWidthMM / w, mmY = paperHeightMM / h, slack = 0.2;
    std::vector<int> columns(w), rows(h);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            if (image.GetData()[(y * w + x) * 3] < 128) {
                ++columns[x];
                ++rows[y];
                const double atX = (x + 0.5) * mmX, atY = (y + 0.5) * mmY;
                *inkOutside += !(atX > area.m_x - slack && atX < area.GetRight() + slack &&
                                 atY > area.m_y - slack && atY < area.GetBottom() + slack);
            }
    // Centre (mm) of the first run of counts >= least, searched from the start or the end.
    const auto outerRun = [](const std::vector<int>& counts, int least, bool fromEnd, double mm) {
        const int n = static_cast<int>(counts.size()), step = fromEnd ? -1 : 1;
        int i = fromEnd ? n - 1 : 0;
        while (i >= 0 && i < n && counts[i] < least)
            i += step;
        int j = i;
        while (j + step >= 0 && j + step < n && counts[j + step] >= least)
            j += step;
        return (i + j + 1) / 2.0 * mm;
    };
    return {outerRun(columns, h * 2 / 5, false, mmX), outerRun(rows, w * 2 / 5, false, mmY),
            outerRun(columns, h * 2 / 5, true, mmX), outerRun(rows, w * 2 / 5, true, mmY)};
}

/// Sends a print command to a plan window, the shared printer settings set to the paper and to
/// "Print to File" writing a PDF to path, and answers GTK's print dialog with response.
/// False when the dialog never offered "Print to File".
bool PrintToFile(wxWindow* window, int response, wxPaperSize paper, bool landscape, const wxString& path)
{
    TovendalApp& app = wxGetApp();
    if (!app.m_printData)
        app.m_printData = new wxPrintData;
    app.m_printData->SetPaperId(paper);
    app.m_printData->SetOrientation(landscape ? wxLANDSCAPE : wxPORTRAIT);
    app.m_printData->SetPrinterName("Print to File");
    GtkPrintSettings* settings =
        static_cast<wxGtkPrintNativeData*>(app.m_printData->GetNativeData())->GetPrintConfig();
    gtk_print_settings_set(settings, GTK_PRINT_SETTINGS_OUTPUT_URI, ("file://" + path).utf8_str());
    gtk_print_settings_set(settings, GTK_PRINT_SETTINGS_OUTPUT_FILE_FORMAT, "pdf");

    // Polls for the dialog, answering once it has "Print to File" selected; without the file
    // printer after a while the dialog is cancelled, so that the test ends.
    struct Answer { int response; bool answered; wxStopWatch watch; } answer{response, false, {}};
    const guint source = g_timeout_add(50, [](gpointer data) -> gboolean {
        Answer* answer = static_cast<Answer*>(data);
        GList* windows = gtk_window_list_toplevels();
        for (GList* w = windows; w && !answer->answered; w = w->next) {
            if (!GTK_IS_PRINT_UNIX_DIALOG(w->data) || !gtk_widget_get_visible(GTK_WIDGET(w->data)))
                continue;
            GtkPrinter* printer = gtk_print_unix_dialog_get_selected_printer(GTK_PRINT_UNIX_DIALOG(w->data));
            answer->answered = printer && std::strcmp(gtk_printer_get_name(printer), "Print to File") == 0;
            if (answer->answered || answer->watch.Time() > 20000)
                gtk_dialog_response(GTK_DIALOG(w->data), answer->answered ? answer->response : GTK_RESPONSE_CANCEL);
        }
        g_list_free(windows);
        return answer->answered ? G_SOURCE_REMOVE : G_SOURCE_CONTINUE;
    }, &answer);
    planwindowtest::UnexpectedDialogHook::s_printDialogAnswered = true;
    wxCommandEvent print(wxEVT_MENU, wxID_PRINT);
    window->GetEventHandler()->ProcessEvent(print);
    planwindowtest::UnexpectedDialogHook::s_printDialogAnswered = false;
    if (!answer.answered)
        g_source_remove(source);
    return answer.answered;
}

/// The first page of a PDF file rendered at 300 dpi.
wxImage RenderPdf(const wxString& path)
{
    if (!wxImage::FindHandler(wxBITMAP_TYPE_PNG))
        wxImage::AddHandler(new wxPNGHandler);
    const wxString png = path.BeforeLast('.');
    const wxString command = "pdftoppm -r 300 -png -singlefile -f 1 -l 1 '" + path + "' '" + png + "'";
    return std::system(command.utf8_str()) == 0 ? wxImage(png + ".png", wxBITMAP_TYPE_PNG) : wxImage();
}

/// The toolkit's GTK preview, with the page rendered as the preview frame shows it.
class PreviewProbe : public wxGtkPrintPreview
{
public:
    using wxGtkPrintPreview::wxGtkPrintPreview;

    /// The rendered page at a zoom (percent), and whether it covers the whole paper.
    wxImage Render(int page, int zoom, bool* wholePaper)
    {
        wxBitmap bitmap(wxRound(zoom / 100.0 * m_pageWidth * m_previewScaleX),
                        wxRound(zoom / 100.0 * m_pageHeight * m_previewScaleY), 24);
        *wholePaper = m_previewPrintout->GetPaperRectPixels() == wxRect(0, 0, m_pageWidth, m_pageHeight);
        return RenderPageIntoBitmap(bitmap, page) ? bitmap.ConvertToImage() : wxImage();
    }
};

/// Real plan windows in the program's main frame.
using PrintoutTest = planwindowtest::PlanWindowFixture;

/// A new plan whose window and document hold the years first to last.
PlanDocument* PlanOf(const char* first, const char* last)
{
    PlanDocument* doc = PrintoutTest::NewPlan();
    TovendalProject* frame = PrintoutTest::FrameOf(doc);
    frame->m_yearFromText->ChangeValue(first);
    frame->m_yearToText->ChangeValue(last);
    frame->TransferDataFromWindow();
    return doc;
}

wxPreviewFrame* FindPreview()
{
    for (wxWindow* window : wxTopLevelWindows)
        if (wxPreviewFrame* frame = dynamic_cast<wxPreviewFrame*>(window))
            return frame;
    return nullptr;
}

const wxString ThisYear = wxString::Format("%d", wxDateTime::Now().GetYear());

} // namespace

TEST_F(PrintoutTest, CountsOnePagePerYearAndFillsEmptyYearsIntoThePlanWindow)
{
    struct Case { const char* first; const char* last; int pages; const char* shownLast; };
    const Case cases[] = {{"2015", "2017", 3, "2017"}, {"2015", "2015", 1, "2015"},
                          {"2015", "", 1, "2015"},     {"", "", 1, ""},
                          {"2017", "2015", -1, "2015"}, {"1", "99999999999", 1000000, "99999999999"}};
    for (const Case& c : cases) {
        PlanDocument* doc = PlanOf(c.first, c.last);
        MyPrintOut printout(ViewOf(doc), "Plan");
        printout.OnPreparePrinting();
        int minPage, maxPage, fromPage, toPage;
        printout.GetPageInfo(&minPage, &maxPage, &fromPage, &toPage);
        EXPECT_EQ(c.pages, maxPage) << c.first << "-" << c.last;
        EXPECT_EQ(c.pages >= 1, printout.HasPage(1)) << c.first << "-" << c.last;
        EXPECT_FALSE(printout.HasPage(c.pages + 1)) << c.first << "-" << c.last;
        // Empty years are filled in (the first with this year, the last with the first), shown and
        // mark the plan changed.
        EXPECT_EQ(!*c.last, doc->IsModified()) << c.first << "-" << c.last;
        EXPECT_EQ(*c.shownLast ? wxString(c.shownLast) : ThisYear, FrameOf(doc)->m_yearToText->GetValue());
        CloseAllPlans();
    }
}

TEST_F(PrintoutTest, PrintsAThreeYearPlanPageByPageOntoA4ScaledToThePaper)
{
    PlanDocument* doc = PlanOf("2015", "2017");
    doc->m_incUKbankhols = false;
    const int firstRow[] = {3, 4, 6}; // 1 January is a Thursday, a Friday, a Sunday
    for (bool landscape : {false, true}) {
        // A4 at 150 dpi and one device context for the document, as the framework prints.
        const wxSize size = landscape ? wxSize(1754, 1240) : wxSize(1240, 1754);
        wxBitmap bitmap(size, 24);
        wxMemoryDC dc(bitmap);
        MyPrintOut printout(ViewOf(doc), "Plan");
        printout.SetDC(&dc);
        printout.SetPPIScreen(96, 96);
        printout.SetPPIPrinter(150, 150);
        printout.SetPageSizePixels(size.x, size.y);
        printout.SetPageSizeMM(landscape ? 297 : 210, landscape ? 210 : 297);
        printout.SetPaperRectPixels(wxRect(size));
        printout.OnPreparePrinting();
        printout.OnBeginPrinting();
        ASSERT_TRUE(printout.OnBeginDocument(1, 3));
        for (int page = 1; page <= 3; ++page) {
            dc.SetBackground(*wxWHITE_BRUSH);
            dc.Clear();
            ASSERT_TRUE(printout.OnPrintPage(page));
            // 203 mm of points across the width; 172 mm down when the page is too short.
            EXPECT_NEAR(size.x, dc.LogicalToDeviceXRel(575), size.x / 100) << page;
            EXPECT_NEAR(landscape ? size.y : size.x * 488 / 575, dc.LogicalToDeviceYRel(488), size.y / 100);
            // The frame's left side and the empty cell before the year's 1 January.
            const wxPoint frameSide(dc.LogicalToDeviceX(30), dc.LogicalToDeviceY(300));
            const wxPoint beforeDay1(dc.LogicalToDeviceX(72), dc.LogicalToDeviceY(25 + 12 * firstRow[page - 1]));
            dc.SelectObject(wxNullBitmap);
            const wxImage image = bitmap.ConvertToImage();
            dc.SelectObject(bitmap);
            EXPECT_LT(image.GetRed(frameSide.x, frameSide.y), 100) << page;
            EXPECT_EQ(192, image.GetRed(beforeDay1.x, beforeDay1.y)) << page;
        }
        printout.OnEndDocument();
        printout.OnEndPrinting();
    }
}

TEST_F(PrintoutTest, PreviewFromTheFileMenuShowsOnePagePerYearAtOnceEvenForThousandsOfYears)
{
    wxStopWatch watch;
    FrameOf(PlanOf("1", "9999"))->m_fileMenu->SendEvent(wxID_PREVIEW);
    wxPreviewFrame* frame = FindPreview();
    ASSERT_NE(nullptr, frame);
    EXPECT_EQ("Print Preview", frame->GetTitle());
    EXPECT_EQ(s_mainFrame, frame->GetParent());
    // The preview counts its pages when it paints the first one.
    wxPrintPreviewBase* preview = frame->GetControlBar()->GetPrintPreview();
    while (preview->GetMaxPage() <= 1 && watch.Time() < 10000)
        RunEventsFor(20);
    EXPECT_EQ(9999, preview->GetMaxPage());
    EXPECT_LT(watch.Time(), 10000);
    frame->Close(true); // as its close box does: the windows it disabled come back
    wxTheApp->ProcessIdle();
}

TEST_F(PrintoutTest, AReversedYearRangeIsReportedInsteadOfPrintedAndLeavesThePlanAsItWas)
{
    // The second plan has no pages once its empty first year becomes this year.
    for (const char* first : {"2018", ""}) {
        PlanDocument* doc = PlanOf(first, "1999");
        for (int id : {wxID_PREVIEW, wxID_PRINT}) {
            wxTEST_DIALOG(FrameOf(doc)->m_fileMenu->SendEvent(id), wxExpectModal<wxMessageDialog>(wxID_OK).Describe("no pages"));
            EXPECT_EQ(nullptr, FindPreview());
            EXPECT_EQ(wxString(first), doc->m_year);
            EXPECT_EQ(wxString(first), FrameOf(doc)->m_yearFromText->GetValue());
            EXPECT_FALSE(doc->IsModified()) << first;
        }
        CloseAllPlans();
    }
}

TEST_F(PrintoutTest, PrintedPageFillsThePrintableAreaWhereThePreviewShowsItOnceThePrintIsConfirmed)
{
    // GTK's margins for A4 and Letter: a quarter inch, 0.56 inch at the foot of the portrait sheet.
    const double side = 6.35, foot = 14.224, pointsPerMM = 72 / 25.4;
    struct Case { const char* name; wxPaperSize paper; bool landscape; bool daysAcross; double w, h; };
    const Case cases[] = {{"A4 portrait", wxPAPER_A4, false, true, 210, 297},
                          {"A4 landscape", wxPAPER_A4, true, false, 297, 210},
                          {"Letter portrait", wxPAPER_LETTER, false, false, 215.9, 279.4},
                          {"Letter landscape", wxPAPER_LETTER, true, true, 279.4, 215.9}};
    for (const Case& c : cases) {
        PlanDocument* doc = PlanOf("", "");
        doc->m_daysAcross = c.daysAcross;
        FrameOf(doc)->TransferDataToWindow();
        doc->Modify(false);
        const wxString pdf = MakeTempDir() + "/plan.pdf";
        // A cancelled print leaves the empty years and the changed flag as they were; a confirmed
        // one fills them in.
        for (int response : {GTK_RESPONSE_CANCEL, GTK_RESPONSE_OK}) {
            const wxString year = response == GTK_RESPONSE_OK ? ThisYear : "";
            ASSERT_TRUE(PrintToFile(FrameOf(doc), response, c.paper, c.landscape, pdf)) << c.name;
            EXPECT_EQ(year, doc->m_year) << c.name;
            EXPECT_EQ(year, FrameOf(doc)->m_yearToText->GetValue()) << c.name;
            EXPECT_EQ(!year.empty(), doc->IsModified()) << c.name;
        }

        const wxImage printed = RenderPdf(pdf);
        ASSERT_TRUE(printed.IsOk()) << c.name;
        EXPECT_NEAR(c.w, printed.GetWidth() * 25.4 / 300, 0.2) << c.name;
        EXPECT_NEAR(c.h, printed.GetHeight() * 25.4 / 300, 0.2) << c.name;
        // The printable area, and the drawing's units in it: 203 mm of points across its width,
        // 172 mm down when it is too short for that.
        const wxRect2DDouble area(c.landscape ? foot : side, side, c.w - side - (c.landscape ? foot : side),
                                  c.h - side - (c.landscape ? side : foot));
        const double unitX = area.m_width / (203 * pointsPerMM);
        const double unitY = area.m_height < 172 * area.m_width / 203 ? area.m_height / (172 * pointsPerMM) : unitX;
        const std::array<double, 4> designed = {area.m_x + 30 * unitX, area.m_y + 18 * unitY,
                                                area.m_x + (c.daysAcross ? 527 : 554) * unitX,
                                                area.m_y + (c.daysAcross ? 462 : 474) * unitY};
        int inkOutside = 0, previewInk = 0;
        const std::array<double, 4> paper = FindFrame(printed, c.w, c.h, area, &inkOutside);
        EXPECT_EQ(0, inkOutside) << c.name;

        // The preview of the same paper puts the frame at the same place.
        wxPrintDialogData dialogData(*wxGetApp().m_printData);
        PreviewProbe preview(ViewOf(doc)->OnCreatePrintout(), nullptr, &dialogData);
        bool wholePaper = false;
        const wxImage previewed = preview.Render(1, 300, &wholePaper);
        ASSERT_TRUE(previewed.IsOk() && wholePaper) << c.name;
        const std::array<double, 4> shown = FindFrame(previewed, c.w, c.h, area, &previewInk);
        for (int edge = 0; edge < 4; ++edge) {
            EXPECT_NEAR(designed[edge], paper[edge], 0.3) << c.name << ": printed edge " << edge;
            EXPECT_NEAR(paper[edge], shown[edge], 0.5) << c.name << ": previewed edge " << edge;
        }
        CloseAllPlans();
    }
}

TEST_F(PrintoutTest, ACloseAskedForAsPrintOrPreviewStartsWaitsForTheCommandAndTakesThePreviewWithIt)
{
    // The close is queued before the command, as a key pressed right after the tool's click is.
    enum Close { FileClose, CloseAll, PlanWindowCloseBox };
    const struct { const char* name; int command; Close close; } cases[] = {
        {"preview, then Close", wxID_PREVIEW, FileClose},
        {"preview, then Close All", wxID_PREVIEW, CloseAll},
        {"preview, then the plan window's close", wxID_PREVIEW, PlanWindowCloseBox},
        {"print, then Close", wxID_PRINT, FileClose},
        {"print, then the plan window's close", wxID_PRINT, PlanWindowCloseBox},
    };
    const wxString pdf = MakeTempDir() + "/plan.pdf";
    for (const auto& c : cases) {
        PlanDocument* doc = PlanOf("2015", "2016");
        doc->Modify(false);
        const wxWeakRef<wxDocument> plan(doc);
        TovendalProject* window = FrameOf(doc);
        if (c.close == PlanWindowCloseBox) {
            wxCloseEvent* close = new wxCloseEvent(wxEVT_CLOSE_WINDOW, window->GetId());
            close->SetEventObject(window);
            close->SetCanVeto(true);
            wxQueueEvent(window, close);
        } else {
            wxQueueEvent(s_mainFrame, new wxCommandEvent(wxEVT_MENU, c.close == CloseAll ? wxID_CLOSE_ALL : wxID_CLOSE));
        }
        if (c.command == wxID_PREVIEW) {
            window->m_fileMenu->SendEvent(wxID_PREVIEW);
            EXPECT_NE(nullptr, FindPreview()) << c.name;
        } else {
            EXPECT_TRUE(PrintToFile(window, GTK_RESPONSE_CANCEL, wxPAPER_A4, false, pdf)) << c.name;
        }
        EXPECT_TRUE(plan) << c.name << ": closed under the command";
        RunEventsFor(300);
        EXPECT_FALSE(plan) << c.name << ": the close was lost";
        EXPECT_EQ(nullptr, FindPreview()) << c.name << ": the preview outlived its plan";
        EXPECT_TRUE(s_mainFrame->IsEnabled()) << c.name;
        CloseAllPlans();
    }
}

TEST_F(PrintoutTest, ClosingAPlanClosesItsPreviewAndAPrintoutOfAClosedPlanPrintsNothing)
{
    PlanDocument* doc = PlanOf("2015", "2016");
    doc->Modify(false);
    MyPrintOut* orphan = static_cast<MyPrintOut*>(ViewOf(doc)->OnCreatePrintout());
    FrameOf(doc)->m_fileMenu->SendEvent(wxID_PREVIEW);
    ASSERT_NE(nullptr, FindPreview());
    // The preview disables the other windows while it is open.
    EXPECT_FALSE(s_mainFrame->IsEnabled());
    wxGetApp().m_docManager->CloseDocument(doc, true);
    RunEventsFor(200);
    EXPECT_EQ(nullptr, FindPreview());
    EXPECT_TRUE(s_mainFrame->IsEnabled());

    wxBitmap bitmap(100, 100);
    wxMemoryDC dc(bitmap);
    orphan->SetDC(&dc);
    EXPECT_EQ(nullptr, static_cast<myViewBase*>(orphan->m_view));
    EXPECT_FALSE(orphan->OnPrintPage(1));
    delete orphan;
}

/// Where the gaps between words lie in a line of text within a band of rows of a page image:
/// the centres (mm from the text's first inked column) of the blank column runs at least half
/// as wide as the widest, scanned from the left up to column right.
std::vector<double> WordGaps(const wxImage& image, int top, int bottom, int right, double pixelsPerMM)
{
    std::vector<std::pair<int, int>> runs; // first column, width
    int first = -1, blank = 0;
    for (int x = 0; x < right; ++x) {
        bool ink = false;
        for (int y = top; y <= bottom && !ink; ++y)
            ink = image.GetRed(x, y) < 160;
        if (ink && first >= 0 && blank > 0)
            runs.push_back({x - blank - first, blank});
        first = ink && first < 0 ? x : first;
        blank = ink ? 0 : blank + 1;
    }
    int widest = 0;
    for (const auto& run : runs)
        widest = std::max(widest, run.second);
    std::vector<double> gaps;
    for (const auto& run : runs)
        if (2 * run.second >= widest)
            gaps.push_back((run.first + run.second / 2.0) / pixelsPerMM);
    return gaps;
}

TEST_F(PrintoutTest, PrintedTextKeepsTheLettersOfItsWordsTogetherOnPaperAndInThePreview)
{
    wxGetApp().m_versionInfo.LoadExecutable();
    const wxString footer = wxGetApp().m_versionInfo.GetLegalCopyright();
    ASSERT_EQ(wxString::FromUTF8("Copyright © Halvorix. All rights reserved."), footer);
    PlanDocument* doc = PlanOf("2015", "2015");
    doc->m_incUKbankhols = true;
    const wxString pdf = MakeTempDir() + "/plan.pdf";
    ASSERT_TRUE(PrintToFile(FrameOf(doc), GTK_RESPONSE_OK, wxPAPER_A4, false, pdf));
    wxArrayString lines;
    ASSERT_EQ(0, wxExecute("pdftotext -layout '" + pdf + "' -", lines, wxEXEC_SYNC | wxEXEC_NODISABLE));
    const wxString text = wxJoin(lines, '\n');
    for (const wxString& words : {footer + " [4.1.7]", wxString(MAKER_WEB_HOST), wxString("2015 Tovendal"),
                                  wxString("September"), wxString("25 Christ"), wxString("3 G.Frid")})
        EXPECT_TRUE(text.Contains(words)) << words << " not in:\n" << text;

    // The footer's words at the same places on paper and in the preview (mm from its start).
    const wxImage printed = RenderPdf(pdf);
    wxPrintDialogData dialogData(*wxGetApp().m_printData);
    PreviewProbe preview(ViewOf(doc)->OnCreatePrintout(), nullptr, &dialogData);
    bool wholePaper = false;
    const wxImage previewed = preview.Render(1, 300, &wholePaper);
    ASSERT_TRUE(printed.IsOk() && previewed.IsOk() && wholePaper);
    std::vector<double> gaps[2];
    for (int i = 0; i < 2; ++i) {
        const wxImage& image = i == 0 ? printed : previewed;
        const double perMM = image.GetWidth() / 210.0;
        int ink = 0;
        const double bottom = FindFrame(image, 210, 297, wxRect2DDouble(0, 0, 210, 297), &ink)[3];
        gaps[i] = WordGaps(image, wxRound((bottom + 0.3) * perMM), wxRound((bottom + 2.5) * perMM),
                           image.GetWidth() / 2, perMM);
        EXPECT_EQ(footer.Freq(' ') + 1, static_cast<int>(gaps[i].size())) << (i == 0 ? "printed" : "previewed");
    }
    // The preview places each letter on its own pixels, the printer on its dots: 2% of the line.
    for (size_t gap = 0; gap < std::min(gaps[0].size(), gaps[1].size()); ++gap)
        EXPECT_NEAR(gaps[0][gap], gaps[1][gap], 0.6) << "gap " << gap;
}
