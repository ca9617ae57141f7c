#include "planwindow/highlight.h"
#include "tests/eventtestsupport.h"

#include <wx/frame.h>

#include <gtest/gtest.h>

#include <set>
#include <string>

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

    /// Makes a picker entered with name, as the event editor makes it.
    void CreatePicker(winHighlight& picker, const wxString& name)
    {
        picker.m_colourName = name;
        picker.Create(m_frame, ID_HIGHLIGHT_DIALOG, wxEmptyString, wxPoint(50, 60),
                      wxSize(400, 300), wxRAISED_BORDER);
    }

    /// Runs a picker entered with name and answered by answer; ShowModal's result.
    int RunPicker(winHighlight& picker, const wxString& name, const PickerAnswer& answer)
    {
        CreatePicker(picker, name);
        int result = 0;
        wxTEST_DIALOG(result = picker.ShowModal(), answer);
        return result;
    }

    wxFrame* m_frame = nullptr;
};

TEST_F(HighlightTest, EverySwatchAnswersADatabaseNameOfItsColour)
{
    const struct { int id; unsigned char r, g, b; std::set<std::string> names; } swatches[] = {
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
    for (const auto& swatch : swatches) {
        SCOPED_TRACE(swatch.id);
        winHighlight picker;
        EXPECT_EQ(wxID_OK, RunPicker(picker, "white", PickerAnswer(swatch.id)));
        EXPECT_TRUE(swatch.names.count(picker.m_colourName.ToStdString())) << picker.m_colourName;
        EXPECT_EQ(wxColour(swatch.r, swatch.g, swatch.b),
                  wxTheColourDatabase->Find(picker.m_colourName));
    }
}

TEST_F(HighlightTest, NoHighlightEscapeAndColoursWithoutAName)
{
    winHighlight none;
    EXPECT_EQ(wxID_OK, RunPicker(none, "RED", PickerAnswer(wxID_OK)));
    EXPECT_EQ("", none.m_colourName);

    winHighlight escaped;
    EXPECT_EQ(wxID_CANCEL, RunPicker(escaped, "NAVY", PickerAnswer(wxID_CANCEL)));
    EXPECT_EQ("NAVY", escaped.m_colourName);

    // A swatch whose colour the database does not name answers "#rrggbb".
    wxTheColourDatabase->AddColour("Maroon", wxColour(1, 2, 3));
    winHighlight unnamed;
    EXPECT_EQ(wxID_OK, RunPicker(unnamed, "", PickerAnswer(ID_HIGHLIGHT_MAROON)));
    EXPECT_EQ("#990000", unnamed.m_colourName);
}

TEST_F(HighlightTest, EntryNameFocusesTheSwatchOfItsColour)
{
    const struct { const char* entry; int focused; } cases[] = {
        { "MAROON", ID_HIGHLIGHT_MAROON }, { "maroon", ID_HIGHLIGHT_MAROON },
        { "MAGENTA", ID_HIGHLIGHT_FUCHSIA }, { "GREEN", ID_HIGHLIGHT_GREEN },
        { "#990000", wxID_NONE }, { "", wxID_NONE }, { "no such colour", wxID_NONE },
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.entry);
        winHighlight picker;
        CreatePicker(picker, c.entry);
        wxWindow* focus = wxWindow::FindFocus();
        EXPECT_EQ(c.focused, focus && focus->GetParent() == &picker ? focus->GetId() : wxID_NONE);
    }
}

TEST_F(HighlightTest, FitsItsSwatchesAndOpensWhereItWasPut)
{
    winHighlight picker;
    CreatePicker(picker, "");
    EXPECT_EQ(picker.GetSizer()->GetMinSize(), picker.GetClientSize());
    EXPECT_LT(picker.GetSize().x, 400);
    // Shown for real: GTK would centre it on the plan window.
    picker.Show();
    RunEventsFor(200);
    EXPECT_EQ(wxPoint(50, 60), picker.GetPosition());
    picker.Hide();
}

TEST(HighlightImages, AllFiftyOneByExactName)
{
    int found = 0;
    for (const char* colour : { "black", "dkgrey", "maroon", "olive", "green", "teal", "navy",
                                "purple", "white", "ltgrey", "red", "yellow", "lime", "aqua",
                                "blue", "fuchsia", "nofill" })
        for (const char* state : { "default", "select", "hilight" }) {
            wxString name = wxString::Format("%s_%s_%s.png", colour == std::string("nofill")
                                             ? "bb" : "bg", colour, state);
            name.Replace("bg_green_select", "bg_grean_select");
            found += winHighlight::GetBitmapResource(name).IsOk();
        }
    EXPECT_EQ(51, found);
    EXPECT_EQ(wxSize(152, 19), winHighlight::GetBitmapResource("bb_nofill_select.png").GetSize());
    EXPECT_FALSE(winHighlight::GetBitmapResource("bg_green_select.png").IsOk());
    EXPECT_FALSE(winHighlight::GetBitmapResource("BG_RED_DEFAULT.PNG").IsOk());
}
