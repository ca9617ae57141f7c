#include "view/planview.h"
#include "app/app.h"
#include "document/plandocument.h"
#include "view/printout.h"

#include <wx/bitmap.h>
#include <wx/dcmemory.h>
#include <wx/frame.h>
#include <wx/image.h>
#include <wx/stopwatch.h>

#include <gtest/gtest.h>

#include <memory>
#include <vector>

namespace {

/// A main frame that remembers every text shown in status field 1.
class RecordingFrame : public wxFrame
{
public:
    RecordingFrame() : wxFrame(nullptr, wxID_ANY, "main") { CreateStatusBar(2); }
    void SetStatusText(const wxString& text, int number = 0) override
    {
        if (number == 1)
            texts.push_back(text);
        wxFrame::SetStatusText(text, number);
    }
    std::vector<wxString> texts;
};

struct Pixel
{
    int r, g, b;
    bool operator==(const Pixel& o) const { return r == o.r && g == o.g && b == o.b; }
};

std::ostream& operator<<(std::ostream& os, const Pixel& p)
{
    return os << "(" << p.r << "," << p.g << "," << p.b << ")";
}

const Pixel WHITE{255, 255, 255};
const Pixel BLACK{0, 0, 0};
const Pixel EMPTY_GREY{192, 192, 192};
const Pixel SHADING{224, 224, 224};

/// A plan and its view, drawn onto white bitmaps in logical units = pixels.
class PlanDrawingTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        TovendalApp& app = wxGetApp();
        m_savedDays = app.m_dayNames;
        m_savedMonths = app.m_monthNames;
        app.m_dayNames.clear();
        for (const char* name : {"Mo", "Tu", "We", "Th", "Fr", "Sa", "Su"})
            app.m_dayNames.Add(name);
        app.m_monthNames.clear();
        for (int m = 0; m < 12; ++m)
            app.m_monthNames.Add(wxDateTime::GetEnglishMonthName(wxDateTime::Month(m)));

        m_doc = new PlanDocument;
        m_doc->m_year = "2015";
        m_doc->m_yearEnd = "2015";
        m_doc->m_title = "Plan";
        m_doc->m_startMonth = 0;
        m_doc->m_firstDayOfWeek = 0;
        m_doc->m_incUKbankhols = false;
        m_doc->m_daysAcross = false;
        m_view = new myViewBase;
        m_view->SetDocument(m_doc);
    }

    void TearDown() override
    {
        m_doc->Modify(false);
        delete m_view; // the document goes with its last view
        wxGetApp().m_dayNames = m_savedDays;
        wxGetApp().m_monthNames = m_savedMonths;
    }

    /// Adds an event on one day of 2015 with the given background colour name.
    void AddEvent(int month, int day, const wxString& text, const wxString& colour,
                  const wxString& textColour = wxString())
    {
        PlanEvent* event = new PlanEvent;
        event->m_text = text;
        event->m_colour = colour;
        event->m_textColour = textColour;
        event->m_date = wxDateTime(day, wxDateTime::Month(month - 1), 2015);
        m_doc->m_events[m_doc->m_nextEventId++] = event;
    }

    /// Draws page 1 onto a white bitmap of the given size and returns the result.
    wxImage Draw(int width, int height, int page = 1)
    {
        wxBitmap bitmap(width, height, 24);
        {
            wxMemoryDC dc(bitmap);
            dc.SetBackground(*wxWHITE_BRUSH);
            dc.Clear();
            m_view->DrawPlan(&dc, page);
        }
        return bitmap.ConvertToImage();
    }

    wxImage DrawPortrait() { return Draw(600, 850); }
    wxImage DrawLandscape() { return Draw(850, 600); }

    static Pixel At(const wxImage& image, int x, int y)
    {
        return {image.GetRed(x, y), image.GetGreen(x, y), image.GetBlue(x, y)};
    }

    /// True when any pixel of the rectangle is dark.
    static bool HasInk(const wxImage& image, const wxRect& r)
    {
        for (int y = r.GetTop(); y <= r.GetBottom(); ++y)
            for (int x = r.GetLeft(); x <= r.GetRight(); ++x)
                if (image.GetRed(x, y) < 128 && image.GetGreen(x, y) < 128 && image.GetBlue(x, y) < 128)
                    return true;
        return false;
    }

    /// The rightmost dark pixel within the rows of r, or -1.
    static int RightmostInk(const wxImage& image, const wxRect& r)
    {
        for (int x = r.GetRight(); x >= r.GetLeft(); --x)
            for (int y = r.GetTop(); y <= r.GetBottom(); ++y)
                if (image.GetRed(x, y) < 128)
                    return x;
        return -1;
    }

    /// The body font's external leading, the offset the cells start below their lines.
    int Leading()
    {
        wxBitmap bitmap(10, 10);
        wxMemoryDC dc(bitmap);
        dc.SetFont(PageFont(&dc, 7, wxFONTWEIGHT_NORMAL));
        wxCoord w, h, descent, leading = 0;
        dc.GetTextExtent("j", &w, &h, &descent, &leading);
        return leading;
    }

    PlanDocument* m_doc = nullptr;
    myViewBase* m_view = nullptr;
    wxArrayString m_savedDays;
    wxArrayString m_savedMonths;
};

} // namespace

TEST(PageFont, OnePointIsOneLogicalUnitOnEveryMapping)
{
    wxBitmap bitmap(100, 100);
    wxMemoryDC dc(bitmap);
    for (wxMappingMode mode : {wxMM_TEXT, wxMM_POINTS}) {
        for (double scale : {1.0, 0.5, 3.0}) {
            dc.SetMapMode(mode);
            dc.SetUserScale(scale, scale);
            dc.SetFont(PageFont(&dc, 7, wxFONTWEIGHT_NORMAL));
            EXPECT_GE(dc.GetCharHeight(), 7) << mode << " " << scale;
            EXPECT_LE(dc.GetCharHeight(), 9) << mode << " " << scale;
            dc.SetFont(PageFont(&dc, 11, wxFONTWEIGHT_BOLD));
            EXPECT_GE(dc.GetCharHeight(), 12);
            EXPECT_LE(dc.GetCharHeight(), 14);
        }
    }
}

TEST_F(PlanDrawingTest, MonthsAcrossFrameLinesAndEmptyCells)
{
    const wxImage page = DrawPortrait();
    // Outer frame, label column and month columns.
    for (int x : {30, 52, 92, 132, 532, 554})
        EXPECT_EQ(BLACK, At(page, x, 300)) << "vertical line at " << x;
    for (int y : {18, 474})
        EXPECT_EQ(BLACK, At(page, 300, y)) << "horizontal line at " << y;
    // Week separators two units above the rows 7, 14, ...: rows start at 30 + 12r.
    EXPECT_EQ(BLACK, At(page, 300, 30 + 12 * 7 - 2));
    EXPECT_EQ(WHITE, At(page, 300, 30 + 12 * 6 - 2));

    // January 2015 starts on a Thursday: Monday to Wednesday rows are empty (light grey),
    // and so are the days after 28 February in row 3 + 28.
    const int L = Leading();
    const int janX = 52 + 20;
    for (int r : {0, 1, 2})
        EXPECT_EQ(EMPTY_GREY, At(page, janX, 30 + 12 * r + L + 6)) << "row " << r;
    EXPECT_EQ(WHITE, At(page, janX + 18, 30 + 12 * 3 + L + 6)); // 1 January, right of its number
    const int febX = 92 + 20; // February 2015 starts on a Sunday: row 6 is day 1
    EXPECT_EQ(EMPTY_GREY, At(page, febX, 30 + 12 * 5 + L + 6));
    EXPECT_EQ(EMPTY_GREY, At(page, febX, 30 + 12 * 34 + L + 6)); // 29 February
    EXPECT_EQ(WHITE, At(page, febX + 18, 30 + 12 * 33 + L + 6)); // 28 February
}

TEST_F(PlanDrawingTest, DaysAcrossFrameWeekendsAndEmptyCells)
{
    m_doc->m_daysAcross = true;
    const wxImage page = DrawLandscape();
    for (int x : {30, 38, 51, 64, 519, 527})
        EXPECT_EQ(BLACK, At(page, x, 300)) << "vertical line at " << x;
    for (int y : {18, 30, 66, 462})
        EXPECT_EQ(BLACK, At(page, 300, y)) << "horizontal line at " << y;

    // January 2015: columns 0-2 (Mo-We) empty, 1 January in column 3, Saturday 3 January
    // in column 5 and Sunday in column 6 shaded; Monday 5 January white.
    const int y = 30 + 30; // low in the January row, below the day numbers
    auto column = [](int c) { return 38 + 13 * c + 7; };
    EXPECT_EQ(EMPTY_GREY, At(page, column(0), y));
    EXPECT_EQ(EMPTY_GREY, At(page, column(2), y));
    EXPECT_EQ(WHITE, At(page, column(3), y));
    EXPECT_EQ(SHADING, At(page, column(5), y));
    EXPECT_EQ(SHADING, At(page, column(6), y));
    EXPECT_EQ(WHITE, At(page, column(7), y));
    // After Saturday 31 January (column 33) the row is empty again.
    EXPECT_EQ(WHITE, At(page, column(32), y));
    EXPECT_EQ(SHADING, At(page, column(33), y));
    EXPECT_EQ(EMPTY_GREY, At(page, column(34), y));
}

TEST_F(PlanDrawingTest, DaysAcrossShadesLabelledDays)
{
    m_doc->m_daysAcross = true;
    m_doc->m_incUKbankhols = true;
    AddEvent(1, 7, "Meeting", "");
    const wxImage page = DrawLandscape();
    auto column = [](int c) { return 38 + 13 * c + 7; };
    const int y = 30 + 30;
    EXPECT_EQ(SHADING, At(page, column(3), y)); // New Year's Day, a Thursday
    EXPECT_EQ(SHADING, At(page, column(9), y)); // the event on Wednesday 7 January
    EXPECT_EQ(WHITE, At(page, column(8), y));
}

TEST_F(PlanDrawingTest, BandsStackFromTheFirstColourOutward)
{
    const wxColour red = wxTheColourDatabase->Find("RED");
    const wxColour blue = wxTheColourDatabase->Find("BLUE");
    const wxColour green = wxTheColourDatabase->Find("GREEN");
    const Pixel RED{red.Red(), red.Green(), red.Blue()};
    const Pixel BLUE{blue.Red(), blue.Green(), blue.Blue()};
    const Pixel GREEN{green.Red(), green.Green(), green.Blue()};
    AddEvent(3, 10, "", "RED");
    AddEvent(3, 10, "", "BLUE");
    AddEvent(3, 10, "", "GREEN");
    AddEvent(4, 10, "one", "BLUE");
    AddEvent(5, 10, "", "WHITE");
    AddEvent(5, 10, "", "GREEN");
    AddEvent(6, 10, "", "no such colour");

    // Months across: vertical bands in a cell 41 units wide; the 10th is row 9 + offset.
    const wxImage page = DrawPortrait();
    const int L = Leading();
    auto rowOf = [](int month) { return DayOfWeek(1, month, 2015) + 10 - 1; };
    auto x0 = [](int month) { return 52 + 40 * (month - 1); };
    const int y = 30 + 12 * rowOf(3) + L + (13 - L) - 2;
    // Three colours: widths 39, 26 and 13 (stripe 13), centred, the first outermost.
    EXPECT_EQ(RED, At(page, x0(3) + 3, y));
    EXPECT_EQ(RED, At(page, x0(3) + 37, y));
    EXPECT_EQ(BLUE, At(page, x0(3) + 10, y));
    EXPECT_EQ(BLUE, At(page, x0(3) + 30, y));
    EXPECT_EQ(GREEN, At(page, x0(3) + 20, y));
    // One colour fills the whole cell (between its lines).
    const int y4 = 30 + 12 * rowOf(4) + L + (13 - L) - 2;
    EXPECT_EQ(BLUE, At(page, x0(4) + 38, y4));
    // White first colour skipped: only the narrower band (20 wide, x + 10 to 30).
    const int y5 = 30 + 12 * rowOf(5) + L + (13 - L) - 2;
    EXPECT_EQ(WHITE, At(page, x0(5) + 5, y5));
    EXPECT_EQ(GREEN, At(page, x0(5) + 25, y5));
    EXPECT_EQ(WHITE, At(page, x0(5) + 35, y5));
    // A colour name that does not resolve paints nothing.
    const int y6 = 30 + 12 * rowOf(6) + L + (13 - L) - 2;
    EXPECT_EQ(WHITE, At(page, x0(6) + 30, y6));

    // Days across: horizontal bands, full width; the top and bottom stripes are the first colour.
    m_doc->m_daysAcross = true;
    const wxImage across = DrawLandscape();
    const int c = DayOfWeek(1, 3, 2015) + 9;
    const int x = 38 + 13 * c + 12;
    const int top = 30 + 36 * 2 + L;
    const int height = 37 - L;
    const int stripe = height / 3;
    const int band0 = top + (height - 3 * stripe) / 2;
    EXPECT_EQ(RED, At(across, x, band0 + 1));
    EXPECT_EQ(BLUE, At(across, x, band0 + stripe / 2 + 2));
    EXPECT_EQ(GREEN, At(across, x, top + height / 2 + 2));
    EXPECT_EQ(RED, At(across, x, band0 + 3 * stripe - 2));
}

TEST_F(PlanDrawingTest, LongEventTextIsCutAtTheCellEdge)
{
    // No day names, so the column right of December holds nothing but what leaks out.
    wxGetApp().m_dayNames = wxArrayString(7, std::vector<wxString>(7).data());
    AddEvent(12, 17, wxString('W', 10000), "");
    const wxImage page = DrawPortrait();
    const int L = Leading();
    const int r = DayOfWeek(1, 12, 2015) + 16;
    const wxRect rowBand(wxPoint(493, 30 + 12 * r + L + 1), wxPoint(553, 42 + 12 * r - 1));
    EXPECT_EQ(531, RightmostInk(page, wxRect(wxPoint(493, rowBand.y), wxPoint(531, rowBand.GetBottom()))));
    EXPECT_FALSE(HasInk(page, wxRect(wxPoint(533, rowBand.y), wxPoint(553, rowBand.GetBottom()))));
}

TEST_F(PlanDrawingTest, TitleShowsBothYearsUnlessTheplanStartsInJanuary)
{
    wxBitmap probe(10, 10);
    wxMemoryDC dc(probe);
    dc.SetFont(PageFont(&dc, 11, wxFONTWEIGHT_BOLD));
    const wxRect titleRow(wxPoint(30, 6), wxPoint(599, 15));

    struct Case { int startMonth; const char* title; };
    const Case cases[] = {{0, "2015 Plan"}, {4, "2015 - 2016 Plan"}, {12, "2015 Plan"}, {-3, "2015 Plan"}};
    for (const Case& c : cases) {
        m_doc->m_startMonth = c.startMonth;
        const wxImage page = DrawPortrait();
        const int expectedRight = 30 + dc.GetTextExtent(c.title).x;
        EXPECT_NEAR(expectedRight, RightmostInk(page, titleRow), 3) << c.title;
    }
}

TEST_F(PlanDrawingTest, MonthsAcrossStartsAtTheStartMonth)
{
    // May start: the first column is May 2015 (starts on a Friday, row 4), the last
    // April 2016 (starts on a Friday too); January 2016 (a Friday) is column 8.
    m_doc->m_startMonth = 4;
    const wxImage page = DrawPortrait();
    const int L = Leading();
    auto cellY = [&](int r) { return 30 + 12 * r + L + 6; };
    EXPECT_EQ(EMPTY_GREY, At(page, 52 + 20, cellY(3)));
    EXPECT_EQ(WHITE, At(page, 52 + 30, cellY(4)));
    EXPECT_EQ(EMPTY_GREY, At(page, 52 + 40 * 8 + 20, cellY(3)));
    EXPECT_EQ(WHITE, At(page, 52 + 40 * 8 + 30, cellY(4)));
}

TEST_F(PlanDrawingTest, CommentsOnlyOnPortraitPagesWithTheFooterBelowThem)
{
    m_doc->m_comments = "Remember the milk\nand the bread";
    const int L = Leading();
    (void)L;
    const wxImage portrait = DrawPortrait();
    EXPECT_TRUE(HasInk(portrait, wxRect(30, 474 + 12, 100, 8)));
    EXPECT_TRUE(HasInk(portrait, wxRect(30, 474 + 317, 60, 6))); // footer line
    EXPECT_FALSE(HasInk(portrait, wxRect(30, 476, 500, 9)));     // nothing right under the grid
    EXPECT_TRUE(HasInk(portrait, wxRect(554 - 80, 474 + 317, 80, 6))); // the web host, right-aligned
    EXPECT_FALSE(HasInk(portrait, wxRect(555, 474 + 317, 44, 10)));

    const wxImage landscape = DrawLandscape();
    EXPECT_TRUE(HasInk(landscape, wxRect(554 - 80, 474, 80, 6)));
    EXPECT_FALSE(HasInk(landscape, wxRect(30, 474 + 12, 400, 100)));

    m_doc->m_comments.clear();
    const wxImage bare = DrawPortrait();
    EXPECT_TRUE(HasInk(bare, wxRect(554 - 80, 475, 80, 5)));
    EXPECT_FALSE(HasInk(bare, wxRect(0, 490, 600, 350)));
}

TEST_F(PlanDrawingTest, CommentsStayInsideTheirClip)
{
    wxString comments;
    while (comments.length() < 100000)
        comments += "Lorem ipsum dolor sit amet, consectetur adipiscing elit. ";
    m_doc->m_comments = comments;
    wxStopWatch watch;
    const wxImage page = DrawPortrait();
    EXPECT_LT(watch.Time(), 5000);
    const int clipRight = 30 + 554 / 2 - 1;
    EXPECT_TRUE(HasInk(page, wxRect(30, 486, 200, 300)));
    EXPECT_FALSE(HasInk(page, wxRect(clipRight + 1, 486, 599 - clipRight - 1, 300)));
    EXPECT_FALSE(HasInk(page, wxRect(0, 486 + 306, 600, 791 - 486 - 306)));
}

TEST_F(PlanDrawingTest, StatusFieldShowsPrintingWhileDrawing)
{
    RecordingFrame* frame = new RecordingFrame;
    wxWindow* savedTop = wxTheApp->GetTopWindow();
    wxTheApp->SetTopWindow(frame);
    DrawPortrait();
    wxTheApp->SetTopWindow(savedTop);
    EXPECT_EQ(std::vector<wxString>({"Printing...", ""}), frame->texts);
    EXPECT_EQ("", frame->GetStatusBar()->GetStatusText(1));
    frame->Destroy();
}

TEST_F(PlanDrawingTest, DamagedPlanValuesStillDrawAPage)
{
    struct Case { const char* year; int page; int startMonth; int firstDay; };
    const Case cases[] = {
        {"0", 1, 0, 0}, {"9999", 1, 11, 6}, {"99999999999", 1, 0, 0}, {"-5", 1, 0, 0},
        {"2015", 1000000, 0, 0}, {"2015", 1, 1000, -1000}, {"abc", 1, 2147483647, 2147483647},
    };
    for (bool across : {false, true}) {
        m_doc->m_daysAcross = across;
        for (const Case& c : cases) {
            m_doc->m_year = c.year;
            m_doc->m_startMonth = c.startMonth;
            m_doc->m_firstDayOfWeek = c.firstDay;
            const wxImage page = Draw(600, 850, c.page);
            EXPECT_EQ(BLACK, At(page, 30, 300)) << c.year;
        }
    }
}

TEST_F(PlanDrawingTest, ThousandsOfEventsOnOneDay)
{
    for (int i = 0; i < 3000; ++i)
        AddEvent(6, 15, wxString::Format("event %d", i), i % 2 ? "RED" : "BLUE");
    for (bool across : {false, true}) {
        m_doc->m_daysAcross = across;
        wxStopWatch watch;
        const wxImage page = DrawPortrait();
        EXPECT_LT(watch.Time(), 5000);
        EXPECT_EQ(BLACK, At(page, 30, 300));
    }
}
