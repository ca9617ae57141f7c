// Every picture compiled into the program decodes at its size when the windows look it up by
// name, and text really renders (missing fonts draw boxes that still look like ink).
#include "app/about.h"
#include "app/mainframe.h"
#include "planwindow/eventcommands.h"
#include "planwindow/eventdialog.h"
#include "planwindow/highlight.h"
#include "planwindow/planwindow.h"

#include <wx/dcmemory.h>

#include <gtest/gtest.h>

#include <set>
#include <vector>

namespace {

/// One window's image lookup and names it finds, all of one size (pixels).
struct ImageGroup
{
    wxBitmap (*lookUp)(const wxString&);
    int width, height;
    wxString names;
};

std::vector<ImageGroup> ImageGroups()
{
    // The highlight swatches: sixteen colours in three states, one name spelt as the window looks it up.
    wxString swatches;
    for (const wxString& colour : wxSplit("black dkgrey maroon olive green teal navy purple white ltgrey red yellow lime aqua blue fuchsia", ' '))
        for (const char* state : { "_default.png", "_select.png", "_hilight.png" })
            swatches += " bg_" + colour + state;
    swatches.Replace("bg_green_select", "bg_grean_select");
    return {
        { TovendalProject::GetBitmapResource, 16, 15, "new.xpm fileopen.xpm filesave.xpm filesaveas.xpm delete.xpm print.xpm "
                                                      "preview.xpm quit.xpm cut.xpm copy.xpm paste.xpm help.xpm" },
        { TovendalProject::GetBitmapResource, 16, 16, "print_options_16.xpm program_settings.xpm stock_delete-16.png "
                                                      "stock_data-new-table-16.xpm stock_data-edit-table-16.xpm stock_data-delete-table-16.xpm" },
        { TovendalProject::GetBitmapResource, 120, 230, "SplashVertReduced.png" },
        { TovendalMain::GetBitmapResource, 16, 15, "new.xpm fileopen.xpm filesave.xpm filesaveas.xpm delete.xpm print.xpm "
                                                   "preview.xpm quit.xpm help.xpm" },
        { TovendalMain::GetBitmapResource, 16, 16, "print_options_16.xpm program_settings.xpm stock_close-16.png" },
        { About::GetBitmapResource, 452, 191, "Splash.png" },
        { About::GetBitmapResource, 32, 32, "TOVENDAL.ICO" },
        { diaryEvents::GetBitmapResource, 16, 16, "stock_text_color_foreground-16.png stock_text_color_background-16.png "
                                                  "stock_calc-accept-16.png stock_calc-cancel-16.png" },
        { GetEventsMenuBitmap, 16, 16, "stock_data-new-table-16.xpm stock_data-edit-table-16.xpm "
                                       "stock_data-delete-table-16.xpm stock_delete-16.png" },
        { winHighlight::GetBitmapResource, 152, 19, "bb_nofill_default.png bb_nofill_select.png bb_nofill_hilight.png" },
        { winHighlight::GetBitmapResource, 19, 19, swatches.Mid(1) },
    };
}

} // namespace

TEST(Images, EveryCompiledInPictureDecodesAtItsSize)
{
    const std::vector<ImageGroup> groups = ImageGroups();
    for (const auto& group : groups)
        for (const wxString& name : wxSplit(group.names, ' '))
            EXPECT_EQ(wxSize(group.width, group.height), group.lookUp(name).IsOk() ? group.lookUp(name).GetSize() : wxSize()) << name;
}

TEST(Images, EachWindowFindsOnlyTheNamesOfItsOwnTable)
{
    // Every name any window knows, and near misses of them.
    const std::vector<ImageGroup> groups = ImageGroups();
    wxArrayString all;
    for (const ImageGroup& group : groups)
        WX_APPEND_ARRAY(all, wxSplit(group.names, ' '));
    for (const wxString& name : wxArrayString(all))
        all.Add(name.Upper());
    all.Add("Splash");
    all.Add("");
    for (const ImageGroup& group : groups) {
        wxArrayString own;
        for (const ImageGroup& other : groups)
            if (other.lookUp == group.lookUp)
                WX_APPEND_ARRAY(own, wxSplit(other.names, ' '));
        for (const wxString& name : all)
            EXPECT_EQ(own.Index(name) != wxNOT_FOUND, group.lookUp(name).IsOk()) << name;
    }

    // Each window's icon is the program's, under that one name.
    for (wxIcon (*icon)(const wxString&) : { TovendalMain::GetIconResource, TovendalProject::GetIconResource, About::GetIconResource }) {
        EXPECT_EQ(wxSize(32, 32), icon("TOVENDAL.ICO").GetSize());
        for (const char* name : { "Tovendal.ico", "TOVENDAL", "new.xpm", "" })
            EXPECT_FALSE(icon(name).IsOk()) << name;
    }
}

TEST(Images, TheIconShowsItsFiveColoursOnATransparentGround)
{
    // The see-through pixels are an alpha channel, which the toolkit frees with the window.
    const wxImage icon = About::GetBitmapResource("TOVENDAL.ICO").ConvertToImage();
    ASSERT_TRUE(icon.HasAlpha());
    std::set<unsigned long> colours;
    int seeThrough = 0;
    for (int y = 0; y < icon.GetHeight(); ++y)
        for (int x = 0; x < icon.GetWidth(); ++x) {
            if (icon.GetAlpha(x, y) == wxALPHA_TRANSPARENT)
                ++seeThrough;
            else
                colours.insert((icon.GetRed(x, y) << 16) | (icon.GetGreen(x, y) << 8) | icon.GetBlue(x, y));
        }
    EXPECT_GT(seeThrough, 0);
    EXPECT_EQ((std::set<unsigned long>{ 0x000000ul, 0x008000ul, 0x00FFFFul, 0x808080ul, 0xFFFFFFul }), colours);
}

TEST(Images, TextRendersWithRealGlyphWidths)
{
    wxBitmap bitmap(200, 50);
    wxMemoryDC dc(bitmap);
    EXPECT_LT(dc.GetTextExtent("iiiiiiii").x, dc.GetTextExtent("WWWWWWWW").x);
}
