#include "view/printout.h"
#include "app/app.h"
#include "document/plandocument.h"
#include "view/docmanager.h"
#include "view/planview.h"
#include "tests/testsupport.h"

#include <wx/bitmap.h>
#include <wx/dcmemory.h>
#include <wx/frame.h>
#include <wx/image.h>
#include <wx/print.h>
#include <wx/stopwatch.h>
#include <wx/msgdlg.h>
#include <wx/testing.h>

#include <gtest/gtest.h>

#include <memory>

namespace {

/// A view whose printout needs no plan window; validation can be made to fail.
class PrintableView : public myViewBase
{
public:
    bool valid = true;
    int printoutsMade = 0;

    wxPrintout* OnCreatePrintout() override
    {
        if (!valid)
            return nullptr;
        ++printoutsMade;
        return new MyPrintOut(this, GetDocument()->GetUserReadableName());
    }
};

class PrintoutTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        TovendalApp& app = wxGetApp();
        app.m_dayNames.clear();
        for (const char* name : {"Mo", "Tu", "We", "Th", "Fr", "Sa", "Su"})
            app.m_dayNames.Add(name);
        app.m_monthNames.clear();
        for (int m = 0; m < 12; ++m)
            app.m_monthNames.Add(wxDateTime::GetEnglishMonthName(wxDateTime::Month(m)));

        m_doc = new PlanDocument;
        m_doc->m_year = "2015";
        m_doc->m_yearEnd = "2017";
        m_doc->m_incUKbankhols = false;
        m_view = new PrintableView;
        m_view->SetDocument(m_doc);
    }

    void TearDown() override
    {
        m_doc->Modify(false);
        delete m_view;
    }

    PlanDocument* m_doc = nullptr;
    PrintableView* m_view = nullptr;
};

struct YearCase
{
    const char* first;
    const char* last;
    int pages;
    bool filledIn;
};

} // namespace

TEST_F(PrintoutTest, CountsOnePagePerYearAndFillsEmptyYears)
{
    const wxString thisYear = wxString::Format("%d", wxDateTime::Now().GetYear());
    const YearCase cases[] = {
        {"2015", "2017", 3, false},
        {"2015", "2015", 1, false},
        {"2015", "", 1, true},
        {"", "", 1, true},
        {"2017", "2015", -1, false},
        {"2015", "2014", 0, false},
        {"1", "99999999999", 1000000, false},
    };
    for (const YearCase& c : cases) {
        m_doc->m_year = c.first;
        m_doc->m_yearEnd = c.last;
        m_doc->Modify(false);
        MyPrintOut printout(m_view, "Plan");
        EXPECT_EQ(1, printout.m_pageCount);
        printout.OnPreparePrinting();
        EXPECT_EQ(c.pages, printout.m_pageCount) << c.first << "-" << c.last;
        EXPECT_EQ(c.filledIn, m_doc->IsModified()) << c.first << "-" << c.last;
        if (*c.first == '\0') {
            EXPECT_EQ(thisYear, m_doc->m_year);
        }
        if (*c.last == '\0') {
            EXPECT_EQ(m_doc->m_year, m_doc->m_yearEnd);
        }

        int minPage, maxPage, fromPage, toPage;
        printout.GetPageInfo(&minPage, &maxPage, &fromPage, &toPage);
        EXPECT_EQ(1, minPage);
        EXPECT_EQ(c.pages, maxPage);
        EXPECT_EQ(1, fromPage);
        EXPECT_EQ(c.pages, toPage);
        EXPECT_FALSE(printout.HasPage(0));
        EXPECT_EQ(c.pages >= 1, printout.HasPage(1));
        EXPECT_EQ(c.pages >= 3, printout.HasPage(3));
        EXPECT_FALSE(printout.HasPage(c.pages + 1));
    }
}

TEST_F(PrintoutTest, ScalesTheFrameToThePaper)
{
    struct Case { int width, height; };
    for (const Case& c : {Case{1240, 1754}, Case{1754, 1240}}) {
        wxBitmap bitmap(c.width, c.height, 24);
        wxMemoryDC dc(bitmap);
        const wxSize mm = dc.GetSizeMM();
        const float sx = mm.x / 203.0f;
        const float sy = mm.y < sx * 172.0f ? mm.y / 172.0f : sx;

        MyPrintOut printout(m_view, "Plan");
        printout.SetDC(&dc);
        printout.OnPreparePrinting();
        // The same device context for two pages: the second page is scaled like the first.
        for (int page : {1, 2}) {
            ASSERT_TRUE(printout.OnPrintPage(page));
            double userX, userY;
            dc.GetUserScale(&userX, &userY);
            EXPECT_FLOAT_EQ(sx, userX) << c.width << " page " << page;
            EXPECT_FLOAT_EQ(sy, userY) << c.width << " page " << page;
            EXPECT_EQ(wxMM_POINTS, dc.GetMapMode());
        }
        // 203 mm worth of points span the width; 172 mm fit in the height.
        EXPECT_NEAR(c.width, dc.LogicalToDeviceXRel(wxRound(203 / 25.4 * 72)), c.width / 100);
        EXPECT_LE(dc.LogicalToDeviceYRel(wxRound(172 / 25.4 * 72)), c.height + c.height / 100);
        double userX, userY;
        dc.GetUserScale(&userX, &userY);
        EXPECT_EQ(c.width > c.height, userY < userX);
        printout.SetDC(nullptr);
    }
}

TEST_F(PrintoutTest, RunsAThreeYearPlanThroughTheWholePrintingSequence)
{
    // A4 at 150 dpi, as the framework drives a printer: one device context for the document,
    // each page on a fresh white bitmap.
    for (bool landscape : {false, true}) {
        const int w = landscape ? 1754 : 1240;
        const int h = landscape ? 1240 : 1754;
        wxMemoryDC dc;
        wxBitmap bitmap(w, h, 24);
        dc.SelectObject(bitmap);
        MyPrintOut printout(m_view, "Plan");
        printout.SetDC(&dc);
        printout.SetPPIScreen(96, 96);
        printout.SetPPIPrinter(150, 150);
        printout.SetPageSizePixels(w, h);
        printout.SetPageSizeMM(landscape ? 297 : 210, landscape ? 210 : 297);
        printout.SetPaperRectPixels(wxRect(0, 0, w, h));
        printout.OnPreparePrinting();
        int minPage, maxPage, fromPage, toPage;
        printout.GetPageInfo(&minPage, &maxPage, &fromPage, &toPage);
        ASSERT_EQ(3, maxPage);
        printout.OnBeginPrinting();
        ASSERT_TRUE(printout.OnBeginDocument(fromPage, toPage));

        // January 1st falls on Thursday 2015, Friday 2016, Sunday 2017 (rows 3, 4, 6).
        const int firstRow[] = {3, 4, 6};
        for (int page = fromPage; page <= toPage && printout.HasPage(page); ++page) {
            dc.SelectObject(bitmap);
            dc.SetBackground(*wxWHITE_BRUSH);
            dc.Clear();
            ASSERT_TRUE(printout.OnPrintPage(page));
            const wxPoint frameTopLeft(dc.LogicalToDeviceX(30), dc.LogicalToDeviceY(18));
            const wxPoint frameBottomRight(dc.LogicalToDeviceX(554), dc.LogicalToDeviceY(474));
            auto cellCentre = [&](int row) {
                return wxPoint(dc.LogicalToDeviceX(72), dc.LogicalToDeviceY(30 + 12 * row + 7));
            };
            const wxPoint before = cellCentre(firstRow[page - 1] - 1);
            const wxPoint first = cellCentre(firstRow[page - 1]);
            const wxPoint firstRight(dc.LogicalToDeviceX(88), first.y);
            dc.SelectObject(wxNullBitmap);

            const wxImage image = bitmap.ConvertToImage();
            EXPECT_LT(image.GetRed(frameTopLeft.x, frameTopLeft.y + 50), 100) << page;
            EXPECT_LT(image.GetRed(frameBottomRight.x, frameBottomRight.y - 50), 100) << page;
            EXPECT_LT(frameBottomRight.x, w);
            EXPECT_LT(frameBottomRight.y, h);
            EXPECT_EQ(192, image.GetRed(before.x, before.y)) << "page " << page;
            EXPECT_EQ(255, image.GetRed(firstRight.x, firstRight.y)) << "page " << page;
        }
        dc.SelectObject(bitmap);
        printout.OnEndDocument();
        printout.OnEndPrinting();
        printout.SetDC(nullptr);
    }
}

namespace {

/// A document manager with one current plan view and a main frame as the top window.
class PrintCommandTest : public PrintoutTest
{
protected:
    void SetUp() override
    {
        PrintoutTest::SetUp();
        m_main = new wxFrame(nullptr, wxID_ANY, "Tovendal");
        m_main->CreateStatusBar(2);
        m_main->Show();
        m_savedTop = wxTheApp->GetTopWindow();
        wxTheApp->SetTopWindow(m_main);
        m_manager.reset(new myDocManager);
        m_manager->ActivateView(m_view, true);
    }

    void TearDown() override
    {
        ClosePreviews();
        m_manager->ActivateView(m_view, false);
        PrintoutTest::TearDown();
        m_manager.reset();
        wxTheApp->SetTopWindow(m_savedTop);
        m_main->Destroy();
        RunPending();
    }

    void Send(int id)
    {
        wxCommandEvent event(wxEVT_MENU, id);
        m_manager->ProcessEvent(event);
    }

    static wxPreviewFrame* FindPreview()
    {
        for (wxWindow* window : wxTopLevelWindows)
            if (wxPreviewFrame* frame = dynamic_cast<wxPreviewFrame*>(window))
                if (!frame->IsBeingDeleted())
                    return frame;
        return nullptr;
    }

    static void ClosePreviews()
    {
        while (wxPreviewFrame* frame = FindPreview()) {
            frame->Destroy();
            RunPending();
        }
    }

    /// Lets the preview paint its first page, which is when it counts the pages.
    static wxPrintPreviewBase* ShownPreview(wxPreviewFrame* frame)
    {
        wxPrintPreviewBase* preview = frame->GetControlBar()->GetPrintPreview();
        wxStopWatch watch;
        while (preview->GetMaxPage() <= 1 && watch.Time() < 5000)
            RunEventsFor(20);
        return preview;
    }

    static void RunPending()
    {
        for (int i = 0; i < 5; ++i)
            wxTheApp->Yield(true);
        wxTheApp->ProcessIdle();
    }

    std::unique_ptr<myDocManager> m_manager;
    wxFrame* m_main = nullptr;
    wxWindow* m_savedTop = nullptr;
};

} // namespace

TEST_F(PrintCommandTest, PreviewOpensAFrameWithOnePagePerYear)
{
    Send(wxID_PREVIEW);
    wxPreviewFrame* frame = FindPreview();
    ASSERT_NE(nullptr, frame);
    EXPECT_EQ("Print Preview", frame->GetTitle());
    EXPECT_EQ(m_main, frame->GetParent());
    wxPrintPreviewBase* preview = ShownPreview(frame);
    EXPECT_EQ(1, preview->GetMinPage());
    EXPECT_EQ(3, preview->GetMaxPage());
    EXPECT_NE(nullptr, preview->GetPrintoutForPrinting());
    // One printout to show, one to print from the preview.
    EXPECT_EQ(2, m_view->printoutsMade);
}

TEST_F(PrintCommandTest, PreviewOfThousandsOfYearsOpensAtOnce)
{
    m_doc->m_year = "1";
    m_doc->m_yearEnd = "9999";
    wxStopWatch watch;
    Send(wxID_PREVIEW);
    wxPreviewFrame* frame = FindPreview();
    ASSERT_NE(nullptr, frame);
    EXPECT_EQ(9999, ShownPreview(frame)->GetMaxPage());
    EXPECT_LT(watch.Time(), 10000);
}

TEST_F(PrintCommandTest, NothingHappensWithoutAPrintout)
{
    m_view->valid = false;
    Send(wxID_PREVIEW);
    EXPECT_EQ(nullptr, FindPreview());
    Send(wxID_PRINT);

    m_manager->ActivateView(m_view, false);
    m_view->valid = true;
    ASSERT_EQ(nullptr, m_manager->GetCurrentView());
    Send(wxID_PREVIEW);
    Send(wxID_PRINT);
    EXPECT_EQ(nullptr, FindPreview());
    EXPECT_EQ(0, m_view->printoutsMade);
}

TEST_F(PrintCommandTest, AReversedYearRangeIsReportedInsteadOfPrinted)
{
    m_doc->m_year = "2017";
    m_doc->m_yearEnd = "2015";
    for (int id : {wxID_PREVIEW, wxID_PRINT}) {
        wxTEST_DIALOG(Send(id),
                      wxExpectModal<wxMessageDialog>(wxID_OK).Describe("no pages message"));
        EXPECT_EQ(nullptr, FindPreview());
    }
}
