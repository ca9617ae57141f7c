// Every picture compiled into the program: each decodes at the size, palette
// and key width the windows rely on, and the files on disk match the table.
#include "images/new.xpm"
#include "images/fileopen.xpm"
#include "images/filesave.xpm"
#include "images/filesaveas.xpm"
#include "images/delete.xpm"
#include "images/print.xpm"
#include "images/preview.xpm"
#include "images/print_options_16.xpm"
#include "images/quit.xpm"
#include "images/program_settings.xpm"
#include "images/help.xpm"
#include "images/stock_close_16_png.xpm"
#include "images/cut.xpm"
#include "images/copy.xpm"
#include "images/paste.xpm"
#include "images/stock_data_new_table_16.xpm"
#include "images/stock_data_edit_table_16.xpm"
#include "images/stock_data_delete_table_16.xpm"
#include "images/stock_delete_16_png.xpm"
#include "images/stock_text_color_foreground_16_png.xpm"
#include "images/stock_text_color_background_16_png.xpm"
#include "images/stock_calc_accept_16_png.xpm"
#include "images/stock_calc_cancel_16_png.xpm"
#include "images/TOVENDAL_ICO.xpm"
#include "images/Splash_png.xpm"
#include "images/SplashVertReduced_png.xpm"
#include "images/bg_black_default_png.xpm"
#include "images/bg_black_select_png.xpm"
#include "images/bg_black_hilight_png.xpm"
#include "images/bg_dkgrey_default_png.xpm"
#include "images/bg_dkgrey_select_png.xpm"
#include "images/bg_dkgrey_hilight_png.xpm"
#include "images/bg_maroon_default_png.xpm"
#include "images/bg_maroon_select_png.xpm"
#include "images/bg_maroon_hilight_png.xpm"
#include "images/bg_olive_default_png.xpm"
#include "images/bg_olive_select_png.xpm"
#include "images/bg_olive_hilight_png.xpm"
#include "images/bg_green_default_png.xpm"
#include "images/bg_grean_select_png.xpm"
#include "images/bg_green_hilight_png.xpm"
#include "images/bg_teal_default_png.xpm"
#include "images/bg_teal_select_png.xpm"
#include "images/bg_teal_hilight_png.xpm"
#include "images/bg_navy_default_png.xpm"
#include "images/bg_navy_select_png.xpm"
#include "images/bg_navy_hilight_png.xpm"
#include "images/bg_purple_default_png.xpm"
#include "images/bg_purple_select_png.xpm"
#include "images/bg_purple_hilight_png.xpm"
#include "images/bg_white_default_png.xpm"
#include "images/bg_white_select_png.xpm"
#include "images/bg_white_hilight_png.xpm"
#include "images/bg_ltgrey_default_png.xpm"
#include "images/bg_ltgrey_select_png.xpm"
#include "images/bg_ltgrey_hilight_png.xpm"
#include "images/bg_red_default_png.xpm"
#include "images/bg_red_select_png.xpm"
#include "images/bg_red_hilight_png.xpm"
#include "images/bg_yellow_default_png.xpm"
#include "images/bg_yellow_select_png.xpm"
#include "images/bg_yellow_hilight_png.xpm"
#include "images/bg_lime_default_png.xpm"
#include "images/bg_lime_select_png.xpm"
#include "images/bg_lime_hilight_png.xpm"
#include "images/bg_aqua_default_png.xpm"
#include "images/bg_aqua_select_png.xpm"
#include "images/bg_aqua_hilight_png.xpm"
#include "images/bg_blue_default_png.xpm"
#include "images/bg_blue_select_png.xpm"
#include "images/bg_blue_hilight_png.xpm"
#include "images/bg_fuchsia_default_png.xpm"
#include "images/bg_fuchsia_select_png.xpm"
#include "images/bg_fuchsia_hilight_png.xpm"
#include "images/bb_nofill_default_png.xpm"
#include "images/bb_nofill_select_png.xpm"
#include "images/bb_nofill_hilight_png.xpm"
#include <wx/dir.h>
#include <wx/image.h>

#include <gtest/gtest.h>

#include <cstdio>
#include <set>
#include <string>

namespace {

struct ImageCase
{
    const char* name;       // the name the windows look the image up by
    const char* file;       // its file under images/
    const char* const* xpm; // the compiled-in data
    int width;
    int height;
    int colours;            // palette size the program's tables fix (0: not fixed)
    int charsPerPixel;      // key width the program's tables fix (0: not fixed)
};

const ImageCase kImages[] = {
    { "new.xpm", "new.xpm", new_xpm, 16, 15, 29, 1 },
    { "fileopen.xpm", "fileopen.xpm", fileopen_xpm, 16, 15, 36, 1 },
    { "filesave.xpm", "filesave.xpm", filesave_xpm, 16, 15, 21, 1 },
    { "filesaveas.xpm", "filesaveas.xpm", filesaveas_xpm, 16, 15, 23, 1 },
    { "delete.xpm", "delete.xpm", delete_xpm, 16, 15, 21, 1 },
    { "print.xpm", "print.xpm", print_xpm, 16, 15, 39, 1 },
    { "preview.xpm", "preview.xpm", preview_xpm, 16, 15, 30, 1 },
    { "print_options_16.xpm", "print_options_16.xpm", print_options_16_xpm, 16, 16, 101, 2 },
    { "quit.xpm", "quit.xpm", quit_xpm, 16, 15, 69, 1 },
    { "program_settings.xpm", "program_settings.xpm", program_settings_xpm, 16, 16, 68, 1 },
    { "help.xpm", "help.xpm", help_xpm, 16, 15, 50, 1 },
    { "stock_close-16.png", "stock_close_16_png.xpm", stock_close_16_png_xpm, 16, 16, 2, 1 },
    { "cut.xpm", "cut.xpm", cut_xpm, 16, 15, 0, 0 },
    { "copy.xpm", "copy.xpm", copy_xpm, 16, 15, 0, 0 },
    { "paste.xpm", "paste.xpm", paste_xpm, 16, 15, 0, 0 },
    { "stock_data-new-table-16.xpm", "stock_data_new_table_16.xpm", stock_data_new_table_16_xpm, 16, 16, 0, 0 },
    { "stock_data-edit-table-16.xpm", "stock_data_edit_table_16.xpm", stock_data_edit_table_16_xpm, 16, 16, 0, 0 },
    { "stock_data-delete-table-16.xpm", "stock_data_delete_table_16.xpm", stock_data_delete_table_16_xpm, 16, 16, 0, 0 },
    { "stock_delete-16.png", "stock_delete_16_png.xpm", stock_delete_16_png_xpm, 16, 16, 0, 0 },
    { "stock_text_color_foreground-16.png", "stock_text_color_foreground_16_png.xpm", stock_text_color_foreground_16_png_xpm, 16, 16, 0, 0 },
    { "stock_text_color_background-16.png", "stock_text_color_background_16_png.xpm", stock_text_color_background_16_png_xpm, 16, 16, 0, 0 },
    { "stock_calc-accept-16.png", "stock_calc_accept_16_png.xpm", stock_calc_accept_16_png_xpm, 16, 16, 0, 0 },
    { "stock_calc-cancel-16.png", "stock_calc_cancel_16_png.xpm", stock_calc_cancel_16_png_xpm, 16, 16, 0, 0 },
    { "TOVENDAL.ICO", "TOVENDAL_ICO.xpm", TOVENDAL_ICO_xpm, 32, 32, 6, 1 },
    { "Splash.png", "Splash_png.xpm", Splash_png_xpm, 452, 191, 3721, 2 },
    { "SplashVertReduced.png", "SplashVertReduced_png.xpm", SplashVertReduced_png_xpm, 120, 230, 0, 0 },
    { "bg_black_default.png", "bg_black_default_png.xpm", bg_black_default_png_xpm, 19, 19, 0, 0 },
    { "bg_black_select.png", "bg_black_select_png.xpm", bg_black_select_png_xpm, 19, 19, 0, 0 },
    { "bg_black_hilight.png", "bg_black_hilight_png.xpm", bg_black_hilight_png_xpm, 19, 19, 0, 0 },
    { "bg_dkgrey_default.png", "bg_dkgrey_default_png.xpm", bg_dkgrey_default_png_xpm, 19, 19, 0, 0 },
    { "bg_dkgrey_select.png", "bg_dkgrey_select_png.xpm", bg_dkgrey_select_png_xpm, 19, 19, 0, 0 },
    { "bg_dkgrey_hilight.png", "bg_dkgrey_hilight_png.xpm", bg_dkgrey_hilight_png_xpm, 19, 19, 0, 0 },
    { "bg_maroon_default.png", "bg_maroon_default_png.xpm", bg_maroon_default_png_xpm, 19, 19, 0, 0 },
    { "bg_maroon_select.png", "bg_maroon_select_png.xpm", bg_maroon_select_png_xpm, 19, 19, 0, 0 },
    { "bg_maroon_hilight.png", "bg_maroon_hilight_png.xpm", bg_maroon_hilight_png_xpm, 19, 19, 0, 0 },
    { "bg_olive_default.png", "bg_olive_default_png.xpm", bg_olive_default_png_xpm, 19, 19, 0, 0 },
    { "bg_olive_select.png", "bg_olive_select_png.xpm", bg_olive_select_png_xpm, 19, 19, 0, 0 },
    { "bg_olive_hilight.png", "bg_olive_hilight_png.xpm", bg_olive_hilight_png_xpm, 19, 19, 0, 0 },
    { "bg_green_default.png", "bg_green_default_png.xpm", bg_green_default_png_xpm, 19, 19, 0, 0 },
    { "bg_grean_select.png", "bg_grean_select_png.xpm", bg_grean_select_png_xpm, 19, 19, 0, 0 },
    { "bg_green_hilight.png", "bg_green_hilight_png.xpm", bg_green_hilight_png_xpm, 19, 19, 0, 0 },
    { "bg_teal_default.png", "bg_teal_default_png.xpm", bg_teal_default_png_xpm, 19, 19, 0, 0 },
    { "bg_teal_select.png", "bg_teal_select_png.xpm", bg_teal_select_png_xpm, 19, 19, 0, 0 },
    { "bg_teal_hilight.png", "bg_teal_hilight_png.xpm", bg_teal_hilight_png_xpm, 19, 19, 0, 0 },
    { "bg_navy_default.png", "bg_navy_default_png.xpm", bg_navy_default_png_xpm, 19, 19, 0, 0 },
    { "bg_navy_select.png", "bg_navy_select_png.xpm", bg_navy_select_png_xpm, 19, 19, 0, 0 },
    { "bg_navy_hilight.png", "bg_navy_hilight_png.xpm", bg_navy_hilight_png_xpm, 19, 19, 0, 0 },
    { "bg_purple_default.png", "bg_purple_default_png.xpm", bg_purple_default_png_xpm, 19, 19, 0, 0 },
    { "bg_purple_select.png", "bg_purple_select_png.xpm", bg_purple_select_png_xpm, 19, 19, 0, 0 },
    { "bg_purple_hilight.png", "bg_purple_hilight_png.xpm", bg_purple_hilight_png_xpm, 19, 19, 0, 0 },
    { "bg_white_default.png", "bg_white_default_png.xpm", bg_white_default_png_xpm, 19, 19, 0, 0 },
    { "bg_white_select.png", "bg_white_select_png.xpm", bg_white_select_png_xpm, 19, 19, 0, 0 },
    { "bg_white_hilight.png", "bg_white_hilight_png.xpm", bg_white_hilight_png_xpm, 19, 19, 0, 0 },
    { "bg_ltgrey_default.png", "bg_ltgrey_default_png.xpm", bg_ltgrey_default_png_xpm, 19, 19, 0, 0 },
    { "bg_ltgrey_select.png", "bg_ltgrey_select_png.xpm", bg_ltgrey_select_png_xpm, 19, 19, 0, 0 },
    { "bg_ltgrey_hilight.png", "bg_ltgrey_hilight_png.xpm", bg_ltgrey_hilight_png_xpm, 19, 19, 0, 0 },
    { "bg_red_default.png", "bg_red_default_png.xpm", bg_red_default_png_xpm, 19, 19, 0, 0 },
    { "bg_red_select.png", "bg_red_select_png.xpm", bg_red_select_png_xpm, 19, 19, 0, 0 },
    { "bg_red_hilight.png", "bg_red_hilight_png.xpm", bg_red_hilight_png_xpm, 19, 19, 0, 0 },
    { "bg_yellow_default.png", "bg_yellow_default_png.xpm", bg_yellow_default_png_xpm, 19, 19, 0, 0 },
    { "bg_yellow_select.png", "bg_yellow_select_png.xpm", bg_yellow_select_png_xpm, 19, 19, 0, 0 },
    { "bg_yellow_hilight.png", "bg_yellow_hilight_png.xpm", bg_yellow_hilight_png_xpm, 19, 19, 0, 0 },
    { "bg_lime_default.png", "bg_lime_default_png.xpm", bg_lime_default_png_xpm, 19, 19, 0, 0 },
    { "bg_lime_select.png", "bg_lime_select_png.xpm", bg_lime_select_png_xpm, 19, 19, 0, 0 },
    { "bg_lime_hilight.png", "bg_lime_hilight_png.xpm", bg_lime_hilight_png_xpm, 19, 19, 0, 0 },
    { "bg_aqua_default.png", "bg_aqua_default_png.xpm", bg_aqua_default_png_xpm, 19, 19, 0, 0 },
    { "bg_aqua_select.png", "bg_aqua_select_png.xpm", bg_aqua_select_png_xpm, 19, 19, 0, 0 },
    { "bg_aqua_hilight.png", "bg_aqua_hilight_png.xpm", bg_aqua_hilight_png_xpm, 19, 19, 0, 0 },
    { "bg_blue_default.png", "bg_blue_default_png.xpm", bg_blue_default_png_xpm, 19, 19, 0, 0 },
    { "bg_blue_select.png", "bg_blue_select_png.xpm", bg_blue_select_png_xpm, 19, 19, 0, 0 },
    { "bg_blue_hilight.png", "bg_blue_hilight_png.xpm", bg_blue_hilight_png_xpm, 19, 19, 0, 0 },
    { "bg_fuchsia_default.png", "bg_fuchsia_default_png.xpm", bg_fuchsia_default_png_xpm, 19, 19, 0, 0 },
    { "bg_fuchsia_select.png", "bg_fuchsia_select_png.xpm", bg_fuchsia_select_png_xpm, 19, 19, 0, 0 },
    { "bg_fuchsia_hilight.png", "bg_fuchsia_hilight_png.xpm", bg_fuchsia_hilight_png_xpm, 19, 19, 0, 0 },
    { "bb_nofill_default.png", "bb_nofill_default_png.xpm", bb_nofill_default_png_xpm, 152, 19, 0, 0 },
    { "bb_nofill_select.png", "bb_nofill_select_png.xpm", bb_nofill_select_png_xpm, 152, 19, 0, 0 },
    { "bb_nofill_hilight.png", "bb_nofill_hilight_png.xpm", bb_nofill_hilight_png_xpm, 152, 19, 0, 0 },};

/// The palette size and key width declared in the XPM header line.
void ReadHeader(const char* const* xpm, int& colours, int& cpp)
{
    int w = 0, h = 0;
    colours = cpp = 0;
    std::sscanf(xpm[0], "%d %d %d %d", &w, &h, &colours, &cpp);
}

wxImage Decode(const char* const* xpm)
{
    return wxImage(xpm);
}

bool HasColour(const wxImage& img, unsigned char r, unsigned char g, unsigned char b)
{
    for (int y = 0; y < img.GetHeight(); ++y)
        for (int x = 0; x < img.GetWidth(); ++x)
            if (img.GetRed(x, y) == r && img.GetGreen(x, y) == g && img.GetBlue(x, y) == b
                && !(img.HasMask() && r == img.GetMaskRed() && g == img.GetMaskGreen()
                     && b == img.GetMaskBlue()))
                return true;
    return false;
}

void EnsureXpmHandler()
{
    if (!wxImage::FindHandler(wxBITMAP_TYPE_XPM))
        wxImage::AddHandler(new wxXPMHandler);
}

} // namespace

TEST(Images, EveryCompiledImageDecodesAtItsSizeWithEveryColourUsed)
{
    for (const ImageCase& c : kImages) {
        SCOPED_TRACE(c.name);
        const wxImage img = Decode(c.xpm);
        ASSERT_TRUE(img.IsOk());
        EXPECT_EQ(c.width, img.GetWidth());
        EXPECT_EQ(c.height, img.GetHeight());
        int colours = 0, cpp = 0;
        ReadHeader(c.xpm, colours, cpp);
        if (c.colours) {
            EXPECT_EQ(c.colours, colours);
        }
        if (c.charsPerPixel) {
            EXPECT_EQ(c.charsPerPixel, cpp);
        }
        // Transparent pixels take the mask colour, which then counts as one colour.
        EXPECT_EQ(static_cast<unsigned long>(colours), img.CountColours()) << "unused or repeated palette entries";
    }
}

TEST(Images, EveryFileLoadsThroughTheXpmHandlerAndIsInTheTable)
{
    EnsureXpmHandler();
    const wxString dir = wxString(TOVENDAL_SOURCE_DIR) + "/images";
    std::set<std::string> listed;
    for (const ImageCase& c : kImages) {
        SCOPED_TRACE(c.name);
        listed.insert(c.file);
        wxImage img;
        ASSERT_TRUE(img.LoadFile(dir + "/" + c.file, wxBITMAP_TYPE_XPM));
        EXPECT_EQ(c.width, img.GetWidth());
        EXPECT_EQ(c.height, img.GetHeight());
    }
    EXPECT_EQ(77u, listed.size());

    wxArrayString files;
    wxDir::GetAllFiles(dir, &files, "*.xpm", wxDIR_FILES);
    for (const wxString& f : files)
        EXPECT_EQ(1u, listed.count(f.AfterLast('/').ToStdString())) << f << " is not tested";
    EXPECT_EQ(listed.size(), files.size());
}

TEST(Images, SplashAndVerticalPictureShowLightTextOnTheirMiddleBand)
{
    // The name is drawn in light letters across the middle of a darker picture.
    struct Band
    {
        const char* const* xpm;
        int x0, y0, x1, y1;
    };
    const Band bands[] = {
        { Splash_png_xpm, 20, 40, 300, 130 },
        { SplashVertReduced_png_xpm, 0, 0, 120, 230 },
    };
    for (const Band& band : bands) {
        const wxImage img = Decode(band.xpm);
        int light = 0, dark = 0;
        for (int y = band.y0; y < band.y1; ++y)
            for (int x = band.x0; x < band.x1; ++x) {
                const int lum = (img.GetRed(x, y) * 3 + img.GetGreen(x, y) * 6 + img.GetBlue(x, y)) / 10;
                if (lum > 220)
                    ++light;
                else if (lum < 140)
                    ++dark;
            }
        const int area = (band.x1 - band.x0) * (band.y1 - band.y0);
        EXPECT_GT(light, area / 40);
        EXPECT_GT(dark, area / 3);
    }
}

TEST(Images, IconUsesOnlyItsSixColours)
{
    const wxImage img = Decode(TOVENDAL_ICO_xpm);
    ASSERT_TRUE(img.HasMask());
    const unsigned char allowed[][3] = {
        { 0, 0, 0 }, { 255, 255, 255 }, { 128, 128, 128 }, { 0, 128, 0 }, { 0, 255, 255 } };
    for (const auto& c : allowed)
        EXPECT_TRUE(HasColour(img, c[0], c[1], c[2])) << int(c[0]) << "," << int(c[1]) << "," << int(c[2]);
}

TEST(Images, CloseCrossIsBlackOnTransparent)
{
    const wxImage img = Decode(stock_close_16_png_xpm);
    ASSERT_TRUE(img.HasMask());
    EXPECT_TRUE(HasColour(img, 0, 0, 0));
    // The middle of the cross is ink, a corner is see-through.
    EXPECT_FALSE(img.IsTransparent(8, 8));
    EXPECT_TRUE(img.IsTransparent(0, 0));
}

TEST(Images, SwatchesShowTheirColourInEachState)
{
    struct Swatch
    {
        const char* const* normal;
        const char* const* selected;
        const char* const* focus;
        unsigned char r, g, b;
    };
    const Swatch swatches[] = {
        { bg_black_default_png_xpm, bg_black_select_png_xpm, bg_black_hilight_png_xpm, 0, 0, 0 },
        { bg_dkgrey_default_png_xpm, bg_dkgrey_select_png_xpm, bg_dkgrey_hilight_png_xpm, 153, 153, 153 },
        { bg_maroon_default_png_xpm, bg_maroon_select_png_xpm, bg_maroon_hilight_png_xpm, 153, 0, 0 },
        { bg_olive_default_png_xpm, bg_olive_select_png_xpm, bg_olive_hilight_png_xpm, 153, 153, 0 },
        { bg_green_default_png_xpm, bg_grean_select_png_xpm, bg_green_hilight_png_xpm, 0, 153, 0 },
        { bg_teal_default_png_xpm, bg_teal_select_png_xpm, bg_teal_hilight_png_xpm, 0, 153, 153 },
        { bg_navy_default_png_xpm, bg_navy_select_png_xpm, bg_navy_hilight_png_xpm, 0, 0, 153 },
        { bg_purple_default_png_xpm, bg_purple_select_png_xpm, bg_purple_hilight_png_xpm, 153, 0, 153 },
        { bg_white_default_png_xpm, bg_white_select_png_xpm, bg_white_hilight_png_xpm, 255, 255, 255 },
        { bg_ltgrey_default_png_xpm, bg_ltgrey_select_png_xpm, bg_ltgrey_hilight_png_xpm, 204, 204, 204 },
        { bg_red_default_png_xpm, bg_red_select_png_xpm, bg_red_hilight_png_xpm, 255, 0, 0 },
        { bg_yellow_default_png_xpm, bg_yellow_select_png_xpm, bg_yellow_hilight_png_xpm, 255, 255, 0 },
        { bg_lime_default_png_xpm, bg_lime_select_png_xpm, bg_lime_hilight_png_xpm, 0, 255, 0 },
        { bg_aqua_default_png_xpm, bg_aqua_select_png_xpm, bg_aqua_hilight_png_xpm, 0, 255, 255 },
        { bg_blue_default_png_xpm, bg_blue_select_png_xpm, bg_blue_hilight_png_xpm, 0, 0, 255 },
        { bg_fuchsia_default_png_xpm, bg_fuchsia_select_png_xpm, bg_fuchsia_hilight_png_xpm, 255, 0, 255 },
    };
    for (const Swatch& s : swatches) {
        SCOPED_TRACE(testing::Message() << int(s.r) << "," << int(s.g) << "," << int(s.b));
        const wxImage normal = Decode(s.normal);
        const wxImage selected = Decode(s.selected);
        const wxImage focus = Decode(s.focus);
        for (const wxImage* img : { &normal, &selected, &focus }) {
            EXPECT_EQ(s.r, img->GetRed(9, 9));
            EXPECT_EQ(s.g, img->GetGreen(9, 9));
            EXPECT_EQ(s.b, img->GetBlue(9, 9));
            EXPECT_TRUE(HasColour(*img, 0x66, 0x66, 0x66));
        }
        EXPECT_TRUE(HasColour(normal, 255, 255, 255));
        EXPECT_TRUE(HasColour(selected, 0xFF, 0xCC, 0x66));
        EXPECT_TRUE(HasColour(selected, 0x33, 0x33, 0x66));
        EXPECT_TRUE(HasColour(focus, 0xFF, 0xFF, 0xCC));
        EXPECT_FALSE(HasColour(normal, 0xFF, 0xCC, 0x66));
        EXPECT_FALSE(HasColour(normal, 0xFF, 0xFF, 0xCC));
    }
}
