#include "view/textwrapper.h"

#include <wx/dcmemory.h>

#include <gtest/gtest.h>

#include <vector>

namespace {

using Lines = std::vector<wxString>;

/// Collects the lines a wrap hands out.
struct LineRecorder : tovendal::wxTextWrapper
{
    void OnOutputLine(const wxString& line) override { lines.push_back(line); }
    Lines lines;
};

} // namespace

TEST(TextWrapper, BreaksAtTheLastFittingBlankAndAtLineFeedsButNeverInsideAWord)
{
    wxBitmap bitmap(10, 10);
    wxMemoryDC dc(bitmap);
    dc.SetFont(wxFont(wxFontInfo(10).FaceName("Arial")));
    const int both = dc.GetTextExtent("alpha beta").x;
    struct Case { const char* text; int limit; Lines expected; };
    const Case cases[] = {
        {"", -1, {""}}, {"ends in a feed\n", -1, {"ends in a feed", ""}}, {"first\n\nthird", -1, {"first", "", "third"}},
        {"extraordinarily long words", 5, {"extraordinarily", "long", "words"}},
        {"no wrapping at all without a limit", -1, {"no wrapping at all without a limit"}},
        {"alpha beta", both - 1, {"alpha", "beta"}}, {"alpha beta", both, {"alpha beta"}},
        {"one two three", both, {"one two", "three"}},
    };
    for (const Case& c : cases) {
        LineRecorder recorder;
        recorder.Wrap(&dc, c.text, c.limit);
        EXPECT_EQ(c.expected, recorder.lines) << c.text << " within " << c.limit;
    }

    // Drawn lines stand one character height apart and stop once the rectangle is full.
    myTextWrapper wrapper(&dc, 10, 20, 100, 3 * dc.GetCharHeight());
    wrapper.Wrap(&dc, "one\n\nthree\nnot drawn\nnor this", -1);
    EXPECT_EQ(20 + 3 * dc.GetCharHeight(), wrapper.m_curY);
}
