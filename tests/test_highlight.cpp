#include "planwindow/highlight.h"
#include "tests/eventtestsupport.h"
#include "tests/testsupport.h"

#include <wx/frame.h>

#include <gtest/gtest.h>

#include <set>
#include <string>

namespace {

class HighlightTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        FailOnToolkitAsserts();
        AddNamedColours();
        m_frame = new wxFrame(nullptr, wxID_ANY, "plan");
        m_frame->Show();
    }

    void TearDown() override
    {
        AddNamedColours();
        m_frame->Destroy();
    }

    /// Runs a picker opened with entryName, answered by answer; gives ShowModal's result.
    int RunPicker(winHighlight& picker, const wxString& entryName, const PickerAnswer& answer)
    {
        picker.m_colourName = entryName;
        picker.Create(m_frame, ID_HIGHLIGHT_DIALOG, wxEmptyString, wxPoint(50, 60),
                      wxSize(400, 300), wxRAISED_BORDER);
        int result = 0;
        wxTEST_DIALOG(result = picker.ShowModal(), answer);
        return result;
    }

    wxFrame* m_frame = nullptr;
};

struct SwatchCase
{
    int id;
    unsigned char red, green, blue;
    std::set<std::string> names;
};

const SwatchCase s_swatchCases[] = {
    { ID_HIGHLIGHT_BLACK, 0, 0, 0, { "BLACK" } },
    { ID_HIGHLIGHT_DARK_GREY, 153, 153, 153, { "DARK GREY" } },
    { ID_HIGHLIGHT_MAROON, 153, 0, 0, { "MAROON" } },
    { ID_HIGHLIGHT_OLIVE, 153, 153, 0, { "OLIVE" } },
    { ID_HIGHLIGHT_GREEN, 0, 153, 0, { "GREEN" } },
    { ID_HIGHLIGHT_TEAL, 0, 153, 153, { "TEAL" } },
    { ID_HIGHLIGHT_NAVY, 0, 0, 153, { "NAVY" } },
    { ID_HIGHLIGHT_PURPLE, 153, 0, 153, { "PURPLE" } },
    { ID_HIGHLIGHT_WHITE, 255, 255, 255, { "WHITE" } },
    { ID_HIGHLIGHT_LIGHT_GREY, 204, 204, 204, { "LIGHT GREY" } },
    { ID_HIGHLIGHT_RED, 255, 0, 0, { "RED" } },
    { ID_HIGHLIGHT_YELLOW, 255, 255, 0, { "YELLOW" } },
    { ID_HIGHLIGHT_LIME, 0, 255, 0, { "LIME" } },
    { ID_HIGHLIGHT_AQUA, 0, 255, 255, { "AQUA", "CYAN" } },
    { ID_HIGHLIGHT_BLUE, 0, 0, 255, { "BLUE" } },
    { ID_HIGHLIGHT_FUCHSIA, 255, 0, 255, { "FUCHSIA", "MAGENTA", "LIGHT MAGENTA" } },
};

} // namespace

TEST_F(HighlightTest, EverySwatchAnswersItsDatabaseName)
{
    for (const SwatchCase& swatch : s_swatchCases) {
        SCOPED_TRACE(swatch.id);
        winHighlight picker;
        EXPECT_EQ(wxID_OK, RunPicker(picker, "white", PickerAnswer(swatch.id)));
        const std::string name = picker.m_colourName.ToStdString();
        EXPECT_TRUE(swatch.names.count(name)) << name;
        EXPECT_EQ(wxColour(swatch.red, swatch.green, swatch.blue),
                  wxTheColourDatabase->Find(picker.m_colourName));
    }
}

TEST_F(HighlightTest, SwatchWithoutDatabaseNameAnswersHexForm)
{
    wxTheColourDatabase->AddColour("Maroon", wxColour(1, 2, 3));
    winHighlight picker;
    EXPECT_EQ(wxID_OK, RunPicker(picker, "", PickerAnswer(ID_HIGHLIGHT_MAROON)));
    EXPECT_EQ("#990000", picker.m_colourName);
    EXPECT_EQ("#ccff00", HighlightColourName(wxColour(204, 255, 0)));
}

TEST_F(HighlightTest, NoHighlightAnswersOkWithEmptyName)
{
    winHighlight picker;
    EXPECT_EQ(wxID_OK, RunPicker(picker, "RED", PickerAnswer(wxID_OK)));
    EXPECT_TRUE(picker.m_colourName.empty());
}

TEST_F(HighlightTest, EscapeCancelsAndKeepsTheName)
{
    winHighlight picker;
    EXPECT_EQ(wxID_CANCEL, RunPicker(picker, "NAVY", PickerAnswer(wxID_CANCEL)));
    EXPECT_EQ("NAVY", picker.m_colourName);
}

TEST_F(HighlightTest, EntryNameFocusesTheSwatchOfItsColour)
{
    const struct
    {
        const char* entry;
        int focused;
    } cases[] = {
        { "MAROON", ID_HIGHLIGHT_MAROON },
        { "maroon", ID_HIGHLIGHT_MAROON },
        { "MAGENTA", ID_HIGHLIGHT_FUCHSIA },
        { "CYAN", ID_HIGHLIGHT_AQUA },
        { "GREEN", ID_HIGHLIGHT_GREEN },
        { "#990000", wxID_NONE },
        { "", wxID_NONE },
        { "no such colour", wxID_NONE },
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.entry);
        winHighlight picker;
        picker.m_colourName = c.entry;
        picker.Create(m_frame, ID_HIGHLIGHT_DIALOG, wxEmptyString, wxPoint(50, 60),
                      wxSize(400, 300), wxRAISED_BORDER);
        wxWindow* focus = wxWindow::FindFocus();
        const bool inPicker = focus && focus->GetParent() == &picker;
        EXPECT_EQ(c.focused, inPicker ? focus->GetId() : wxID_NONE);
    }
}

TEST_F(HighlightTest, FitsItsSwatchesAndOpensWhereItWasPut)
{
    winHighlight picker;
    picker.Create(m_frame, ID_HIGHLIGHT_DIALOG, wxEmptyString, wxPoint(50, 60), wxSize(400, 300),
                  wxRAISED_BORDER);
    const wxSize size = picker.GetSize();
    EXPECT_EQ(picker.GetSizer()->GetMinSize(), picker.GetClientSize());
    EXPECT_GE(size.x, 152);
    EXPECT_LT(size.x, 400);
    EXPECT_GE(size.y, 3 * 19);
    EXPECT_LT(size.y, 300);

    // Shown for real: the toolkit must not move it onto the middle of the plan window.
    picker.Show();
    RunEventsFor(200);
    EXPECT_EQ(wxPoint(50, 60), picker.GetPosition());
    picker.Hide();
}

TEST(HighlightImages, LookedUpByExactNameAtTheirSizes)
{
    static const char* colours[] = { "black", "dkgrey", "maroon", "olive", "green", "teal",
                                     "navy", "purple", "white", "ltgrey", "red", "yellow",
                                     "lime", "aqua", "blue", "fuchsia" };
    int found = 0;
    for (const char* colour : colours) {
        for (const char* state : { "default", "select", "hilight" }) {
            wxString name = wxString::Format("bg_%s_%s.png", colour, state);
            if (name == "bg_green_select.png")
                name = "bg_grean_select.png";
            const wxBitmap bitmap = winHighlight::GetBitmapResource(name);
            ASSERT_TRUE(bitmap.IsOk()) << name;
            EXPECT_EQ(wxSize(19, 19), bitmap.GetSize()) << name;
            ++found;
        }
    }
    for (const char* state : { "default", "select", "hilight" }) {
        const wxBitmap bitmap =
            winHighlight::GetBitmapResource(wxString::Format("bb_nofill_%s.png", state));
        ASSERT_TRUE(bitmap.IsOk()) << state;
        EXPECT_EQ(wxSize(152, 19), bitmap.GetSize());
        ++found;
    }
    EXPECT_EQ(51, found);
    for (const char* missing : { "bg_green_select.png", "BG_RED_DEFAULT.PNG", "bg_red_default",
                                 "", "bg_red_default.png " })
        EXPECT_FALSE(winHighlight::GetBitmapResource(missing).IsOk()) << missing;
}
