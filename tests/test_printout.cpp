#include "view/printout.h"
#include "tests/planwindowfixture.h"
#include "tests/testsupport.h"

#include <wx/dcmemory.h>
#include <wx/image.h>
#include <wx/print.h>
#include <wx/stopwatch.h>
#include <wx/testing.h>

namespace {

/// Real plan windows in the program's main frame.
class PrintoutTest : public planwindowtest::PlanWindowFixture
{
protected:
    /// A new plan whose window and document hold the years first to last.
    static PlanDocument* PlanOf(const char* first, const char* last)
    {
        PlanDocument* doc = NewPlan();
        FrameOf(doc)->m_yearFromText->ChangeValue(first);
        FrameOf(doc)->m_yearToText->ChangeValue(last);
        FrameOf(doc)->TransferDataFromWindow();
        return doc;
    }

    static wxPreviewFrame* FindPreview()
    {
        for (wxWindow* window : wxTopLevelWindows)
            if (wxPreviewFrame* frame = dynamic_cast<wxPreviewFrame*>(window))
                return frame;
        return nullptr;
    }
};

} // namespace

TEST_F(PrintoutTest, CountsOnePagePerYearAndFillsEmptyYearsIntoThePlanWindow)
{
    const wxString thisYear = wxString::Format("%d", wxDateTime::Now().GetYear());
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
        EXPECT_EQ(*c.shownLast ? wxString(c.shownLast) : thisYear, FrameOf(doc)->m_yearToText->GetValue());
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
            EXPECT_EQ(wxMM_POINTS, dc.GetMapMode());
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
    frame->Destroy();
    wxTheApp->ProcessIdle();
}

TEST_F(PrintoutTest, AReversedYearRangeIsReportedInsteadOfPrinted)
{
    TovendalProject* window = FrameOf(PlanOf("2018", "2017"));
    for (int id : {wxID_PREVIEW, wxID_PRINT}) {
        wxTEST_DIALOG(window->m_fileMenu->SendEvent(id),
                      wxExpectModal<wxMessageDialog>(wxID_OK).Describe("no pages"));
        EXPECT_EQ(nullptr, FindPreview());
    }
}
