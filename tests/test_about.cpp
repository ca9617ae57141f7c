// The About box: its pictures, texts and size.
#include "app/about.h"
#include "app/app.h"

#include <wx/statbmp.h>
#include <wx/stattext.h>

#include <gtest/gtest.h>

TEST(AboutBox, ShowsTheVersionBlocksTextsNotTheCreationTexts)
{
    ASSERT_EQ("4.1.7", wxGetApp().m_versionInfo.GetProductVersion());
    About about(nullptr, ID_ABOUT_DIALOG, "About", wxDefaultPosition, wxSize(400, 300),
                wxCAPTION | wxSYSTEM_MENU | wxCLOSE_BOX);
    EXPECT_EQ("Version: 4.1.7", about.m_versionText->GetLabel());
    EXPECT_EQ(wxGetApp().m_versionInfo.GetLegalCopyright(), about.m_copyrightText->GetLabel());
    EXPECT_FALSE(about.m_copyrightText->GetLabel().empty());
    EXPECT_FALSE(about.m_authorText->GetLabel().empty());
    EXPECT_NE(nullptr, about.FindWindow(wxID_OK));

    // Sized by its sizer around the 452 x 191 picture, not the size asked for.
    EXPECT_GE(about.GetClientSize().x, 452);
    EXPECT_GT(about.GetClientSize().y, 191 + 32);
    EXPECT_TRUE(about.GetIcon().IsOk());
}

TEST(AboutBox, LooksImagesUpByExactName)
{
    const wxBitmap splash = About::GetBitmapResource("Splash.png");
    ASSERT_TRUE(splash.IsOk());
    EXPECT_EQ(wxSize(452, 191), splash.GetSize());
    const wxBitmap icon = About::GetBitmapResource("TOVENDAL.ICO");
    ASSERT_TRUE(icon.IsOk());
    EXPECT_EQ(wxSize(32, 32), icon.GetSize());
    EXPECT_TRUE(About::GetIconResource("TOVENDAL.ICO").IsOk());

    for (const char* name : { "splash.png", "Tovendal.ico", "new.xpm", "", "TOVENDAL.ICO " }) {
        EXPECT_FALSE(About::GetBitmapResource(name).IsOk()) << name;
        EXPECT_FALSE(About::GetIconResource(name).IsOk()) << name;
    }
    EXPECT_FALSE(About::GetIconResource("Splash.png").IsOk());
}
