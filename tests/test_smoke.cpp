#include "app/app.h"
#include "document/plandocument.h"

#include <wx/bitmap.h>
#include <wx/dcmemory.h>

#include <gtest/gtest.h>

TEST(Toolkit, MemoryDcDrawsRealText)
{
    wxBitmap bitmap(200, 50);
    wxMemoryDC dc(bitmap);
    EXPECT_LT(dc.GetTextExtent("iiiiiiii").x, dc.GetTextExtent("WWWWWWWW").x);
}

TEST(Toolkit, ApplicationObjectIsTheProgramsOwn)
{
    EXPECT_EQ(&wxGetApp(), wxTheApp);
    EXPECT_EQ(nullptr, wxGetApp().m_eventClipboard);
}
