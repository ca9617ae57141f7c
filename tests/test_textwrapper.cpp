#include "view/textwrapper.h"

#include <wx/bitmap.h>
#include <wx/dcmemory.h>
#include <wx/font.h>

#include <gtest/gtest.h>

#include <vector>

namespace {

/// Collects the lines a wrap hands out.
class LineRecorder : public tovendal::wxTextWrapper
{
public:
    std::vector<wxString> lines;
    int newLines = 0;

protected:
    void OnOutputLine(const wxString& line) override { lines.push_back(line); }
    void OnNewLine() override { ++newLines; }
};

class TextWrapperTest : public ::testing::Test
{
protected:
    TextWrapperTest() : m_bitmap(400, 200), m_dc(m_bitmap)
    {
        m_dc.SetFont(wxFont(wxFontInfo(10).FaceName("Arial").Family(wxFONTFAMILY_SWISS)));
    }

    std::vector<wxString> Wrap(const wxString& text, int widthMax)
    {
        LineRecorder recorder;
        recorder.Wrap(&m_dc, text, widthMax);
        return recorder.lines;
    }

    int Width(const wxString& text) { return m_dc.GetTextExtent(text).x; }

    wxBitmap m_bitmap;
    wxMemoryDC m_dc;
};

using Lines = std::vector<wxString>;

} // namespace

TEST_F(TextWrapperTest, LineFeedsWithoutALimit)
{
    struct Case { const char* text; Lines expected; };
    const Case cases[] = {
        {"", {""}},
        {"one line", {"one line"}},
        {"ends in a feed\n", {"ends in a feed", ""}},
        {"first\n\nthird", {"first", "", "third"}},
        {"\n", {"", ""}},
        {"  indented\nkeeps  its blanks ", {"  indented", "keeps  its blanks "}},
        {"carriage\r\nreturn", {"carriage\r", "return"}},
    };
    for (const Case& c : cases)
        EXPECT_EQ(c.expected, Wrap(c.text, -1)) << c.text;
}

TEST_F(TextWrapperTest, BreaksAtTheLastBlankBeforeTheLimit)
{
    EXPECT_EQ(Lines({"alpha", "beta"}), Wrap("alpha beta", Width("alpha beta") - 1));
    EXPECT_EQ(Lines({"alpha beta"}), Wrap("alpha beta", Width("alpha beta")));
    EXPECT_EQ(Lines({"one two", "three"}), Wrap("one two three", Width("one two th")));
    // Every line stays within the limit when it can be broken.
    const wxString text = "the quick brown fox jumps over the lazy dog and runs far away";
    const int limit = Width("the quick brown");
    const Lines lines = Wrap(text, limit);
    ASSERT_GT(lines.size(), 2u);
    wxString joined;
    for (const wxString& line : lines) {
        EXPECT_LE(Width(line), limit) << line;
        joined += (joined.empty() ? "" : " ") + line;
    }
    EXPECT_EQ(text, joined);
}

TEST_F(TextWrapperTest, NeverSplitsAWord)
{
    EXPECT_EQ(Lines({"extraordinarily"}), Wrap("extraordinarily", 5));
    EXPECT_EQ(Lines({"extraordinarily", "long", "words"}), Wrap("extraordinarily long words", 5));
    EXPECT_EQ(Lines({"a", "b", "", "c"}), Wrap("a b\n\nc", 0));
}

TEST_F(TextWrapperTest, StartsEachLineWithANewLineCall)
{
    LineRecorder recorder;
    recorder.Wrap(&m_dc, "alpha beta\ngamma", Width("alpha beta") - 1);
    EXPECT_EQ(Lines({"alpha", "beta", "gamma"}), recorder.lines);
    EXPECT_EQ(2, recorder.newLines);
}

TEST_F(TextWrapperTest, DrawsLinesOneCharacterHeightApart)
{
    m_dc.SetBackground(*wxWHITE_BRUSH);
    m_dc.Clear();
    myTextWrapper wrapper(&m_dc, 10, 20, 300, 150);
    const int lineHeight = m_dc.GetCharHeight();
    EXPECT_EQ(lineHeight, wrapper.m_lineHeight);
    wrapper.Wrap(&m_dc, "MMM\n\nMMM", -1);
    EXPECT_EQ(20 + 3 * lineHeight, wrapper.m_curY);

    // Ink in the first and third line bands, none in the empty second one.
    m_dc.SelectObject(wxNullBitmap);
    const wxImage image = m_bitmap.ConvertToImage();
    auto inkInBand = [&](int top) {
        for (int y = top; y < top + lineHeight; ++y)
            for (int x = 10; x < 60; ++x)
                if (image.GetRed(x, y) < 128)
                    return true;
        return false;
    };
    EXPECT_TRUE(inkInBand(20));
    EXPECT_FALSE(inkInBand(20 + lineHeight));
    EXPECT_TRUE(inkInBand(20 + 2 * lineHeight));
    m_dc.SelectObject(m_bitmap);
}

TEST_F(TextWrapperTest, StopsOnceTheRectangleIsFull)
{
    myTextWrapper wrapper(&m_dc, 0, 10, 100, 2 * m_dc.GetCharHeight());
    wrapper.Wrap(&m_dc, "one\ntwo\nthree\nfour\nfive", -1);
    EXPECT_EQ(10 + 2 * m_dc.GetCharHeight(), wrapper.m_curY);
}
