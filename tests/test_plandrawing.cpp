#include "view/planview.h"
#include "app/app.h"
#include "document/plandocument.h"

#include <wx/dcmemory.h>
#include <wx/frame.h>
#include <wx/image.h>
#include <wx/stopwatch.h>

#include <gtest/gtest.h>

#include <memory>
#include <vector>

namespace {

/// A main frame that records each status text shown, as "field text", instead of showing it.
class RecordingFrame : public wxFrame
{
public:
    RecordingFrame() : wxFrame(nullptr, wxID_ANY, "main") { CreateStatusBar(2); }
    void SetStatusText(const wxString& text, int n) override { texts.push_back(wxString::Format("%d %s", n, text)); }
    std::vector<wxString> texts;
};

enum Colour : int { WHITE = 0xFFFFFF, BLACK = 0x000000, EMPTY_GREY = 0xC0C0C0, SHADING = 0xE0E0E0 };

/// A 2015 plan with UK bank holidays, drawn onto white bitmaps in logical units = pixels: three
/// colours on 10 March, one on 10 April, white and green on 10 May, a long text on 17 December.
class PlanDrawingTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        wxGetApp().m_dayNames = wxSplit("Mo,Tu,We,Th,Fr,Sa,Su", ',');
        m_doc->m_year = "2015";
        m_view->SetDocument(m_doc); // the document goes with the view
        for (const char* colour : {"RED", "BLUE", "GREEN"})
            AddEvent(3, 10, "", colour);
        AddEvent(4, 10, "one", "BLUE");
        AddEvent(5, 10, "", "WHITE");
        AddEvent(5, 10, "", "GREEN");
        AddEvent(12, 17, wxString('W', 10000), "");
    }

    void AddEvent(int month, int day, const wxString& text, const wxString& colour)
    {
        PlanEvent* event = new PlanEvent;
        event->m_text = text;
        event->m_colour = colour;
        event->m_date = wxDateTime(day, wxDateTime::Month(month - 1), 2015);
        m_doc->m_events[m_doc->m_nextEventId++] = event;
    }

    /// Draws a page onto a white bitmap of 600 by 850 pixels, or 850 by 600 when landscape.
    wxImage Draw(bool landscape, int page = 1)
    {
        wxBitmap bitmap(landscape ? 850 : 600, landscape ? 600 : 850, 24);
        wxMemoryDC dc(bitmap);
        dc.SetBackground(*wxWHITE_BRUSH);
        dc.Clear();
        m_view->DrawPlan(&dc, page);
        dc.SelectObject(wxNullBitmap);
        return bitmap.ConvertToImage();
    }

    /// The pixel at (x, y) as 0xRRGGBB.
    static int At(const wxImage& i, int x, int y) { return i.GetRed(x, y) << 16 | i.GetGreen(x, y) << 8 | i.GetBlue(x, y); }

    /// True when a pixel within r is dark.
    static bool HasInk(const wxImage& image, const wxRect& r)
    {
        for (int x = r.GetLeft(); x <= r.GetRight(); ++x)
            for (int y = r.GetTop(); y <= r.GetBottom(); ++y)
                if (image.GetRed(x, y) < 128)
                    return true;
        return false;
    }

    PlanDocument* m_doc = new PlanDocument;
    std::unique_ptr<myViewBase> m_view = std::make_unique<myViewBase>();
};

} // namespace

TEST_F(PlanDrawingTest, MonthsAcrossPageFrameCellsBandsCutTextCommentsAndStatus)
{
    while (m_doc->m_comments.length() < 100000)
        m_doc->m_comments += "Lorem ipsum dolor sit amet, consectetur adipiscing elit. ";
    RecordingFrame* frame = new RecordingFrame;
    wxWindow* savedTop = wxTheApp->GetTopWindow();
    wxTheApp->SetTopWindow(frame);
    const wxImage page = Draw(false);
    wxTheApp->SetTopWindow(savedTop);
    EXPECT_EQ(std::vector<wxString>({"1 Printing...", "1 "}), frame->texts);
    frame->Destroy();

    for (int x : {30, 52, 92, 132, 532, 554})
        EXPECT_EQ(BLACK, At(page, x, 300)) << "vertical line at " << x;
    for (int y : {18, 474, 30 + 12 * 7 - 2})
        EXPECT_EQ(BLACK, At(page, 300, y)) << "horizontal line at " << y;
    // February 2015 runs from Sunday (row 6) to Saturday 28th (row 33); rows are 12 units.
    for (int row : {5, 34})
        EXPECT_EQ(EMPTY_GREY, At(page, 112, 37 + 12 * row)) << row;

    // Vertical bands centred in cells 41 units wide (red, green and blue as 0xRRGGBB).
    struct Probe { int month; int dx; int colour; };
    const Probe probes[] = {{3, 3, 0xFF0000},  {3, 37, 0xFF0000}, {3, 10, 0x0000FF},
                            {3, 30, 0x0000FF}, {3, 20, 0x00FF00}, {4, 38, 0x0000FF},
                            {5, 5, WHITE},     {5, 25, 0x00FF00}, {5, 35, WHITE}};
    for (const Probe& p : probes) {
        const int y = 30 + 12 * (DayOfWeek(1, p.month, 2015) + 9) + 11;
        EXPECT_EQ(p.colour, At(page, 52 + 40 * (p.month - 1) + p.dx, y)) << p.month << " " << p.dx;
    }

    // The long text stops at its cell's right line, short of the day name column.
    const int top = 30 + 12 * (DayOfWeek(1, 12, 2015) + 16) + 1;
    EXPECT_TRUE(HasInk(page, wxRect(531, top, 1, 11)));
    EXPECT_FALSE(HasInk(page, wxRect(548, top, 5, 11)));

    // The comments in the left half below the grid; the footer's web host 317 below it.
    EXPECT_FALSE(HasInk(page, wxRect(30, 476, 525, 9)));
    EXPECT_TRUE(HasInk(page, wxRect(30, 486, 200, 300)));
    EXPECT_FALSE(HasInk(page, wxRect(307, 486, 292, 300)));
    EXPECT_TRUE(HasInk(page, wxRect(474, 474 + 317, 80, 6)));
    EXPECT_FALSE(HasInk(page, wxRect(555, 474 + 317, 44, 10)));
}

TEST_F(PlanDrawingTest, DaysAcrossPageFrameWeekendsLabelledDaysBandsAndNoComments)
{
    m_doc->m_comments = "Not on landscape pages";
    m_doc->m_daysAcross = true;
    AddEvent(1, 7, "Meeting", "");
    const wxImage page = Draw(true);
    for (int x : {30, 38, 51, 64, 519, 527})
        EXPECT_EQ(BLACK, At(page, x, 300)) << "vertical line at " << x;
    for (int y : {18, 30, 66, 462})
        EXPECT_EQ(BLACK, At(page, 300, y)) << "horizontal line at " << y;

    // January 2015, Monday first: Thursday 1st (a bank holiday) in column 3, the weekends
    // in columns 5-6 and 33 (Saturday 31st), the event on Wednesday 7th in column 9.
    const int expected[] = {EMPTY_GREY, EMPTY_GREY, EMPTY_GREY, SHADING, WHITE, SHADING,
                            SHADING, WHITE, WHITE, SHADING, WHITE};
    for (int c = 0; c < 11; ++c)
        EXPECT_EQ(expected[c], At(page, 45 + 13 * c, 60)) << "column " << c;
    EXPECT_EQ(SHADING, At(page, 45 + 13 * 33, 60));
    EXPECT_EQ(EMPTY_GREY, At(page, 45 + 13 * 34, 60));

    // Horizontal bands on 10 March, centred in the cell's height: green, blue, red outward.
    const int x = 38 + 13 * (DayOfWeek(1, 3, 2015) + 9) + 12;
    for (int dy : {20, 28, 34})
        EXPECT_EQ(dy == 20 ? 0x00FF00 : dy == 28 ? 0x0000FF : 0xFF0000, At(page, x, 102 + dy)) << dy;

    EXPECT_TRUE(HasInk(page, wxRect(474, 462, 80, 6))); // the footer right under the grid
    EXPECT_FALSE(HasInk(page, wxRect(30, 474, 400, 100)));
}

TEST_F(PlanDrawingTest, DamagedPlanValuesAndThousandsOfEventsStillDrawAPageInTime)
{
    for (int i = 0; i < 3000; ++i)
        AddEvent(6, 15, "event", i % 2 ? "RED" : "BLUE");
    struct Case { const char* year; int page; int startMonth; int firstDay; };
    const Case cases[] = {{"0", 1, 0, 0},          {"9999", 1, 11, 6},    {"99999999999", 1, 0, 0},
                          {"2015", 1000000, 0, 0}, {"2015", 1, 1000, -1000}, {"2015", 1, -1, 7},
                          {"-5", 1, 2147483647, 2147483647}};
    for (const Case& c : cases) {
        m_doc->m_year = c.year;
        m_doc->m_startMonth = c.startMonth;
        m_doc->m_firstDayOfWeek = c.firstDay;
        m_doc->m_daysAcross = !m_doc->m_daysAcross;
        wxStopWatch watch;
        EXPECT_EQ(BLACK, At(Draw(false, c.page), 30, 300)) << c.year;
        EXPECT_LT(watch.Time(), 5000) << c.year;
    }
}
