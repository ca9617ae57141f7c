// The three menus as the user meets them: the main frame's bar, the plan window's bar and the
// events pop-up menu, each item with its label, accelerator, help text, kind and image.
#include "app/mainframe.h"
#include "planwindow/eventcommands.h"
#include "tests/planwindowfixture.h"

#include <wx/menu.h>

#include <memory>

namespace {

/// A fingerprint of an image's pixels, alpha and mask, so that a menu that shows another picture
/// of the same size is told apart.
unsigned long Fingerprint(const wxBitmap& bitmap)
{
    const wxImage image = bitmap.ConvertToImage();
    unsigned long hash = 2166136261ul;
    const auto add = [&hash](unsigned char byte) { hash = ((hash ^ byte) * 16777619ul) & 0xFFFFFFFFul; };
    const int pixels = image.GetWidth() * image.GetHeight();
    for (int i = 0; i < 3 * pixels; ++i)
        add(image.GetData()[i]);
    for (int i = 0; image.HasAlpha() && i < pixels; ++i)
        add(image.GetAlpha()[i]);
    for (int i = 0; image.HasMask() && i < pixels; ++i)
        add(image.IsTransparent(i % image.GetWidth(), i / image.GetWidth()) ? 1 : 0);
    return hash;
}

/// A menu's items a line each: label with accelerator, help text, kind, whether enabled and the
/// image's size; then one fingerprint of all its images in order.
std::string Describe(const wxMenu* menu)
{
    wxString text;
    unsigned long images = 0;
    for (const wxMenuItem* item : menu->GetMenuItems()) {
        if (item->IsSeparator()) {
            text += "-\n";
            continue;
        }
        const wxBitmap bitmap = item->GetBitmap();
        text += wxString::Format("%s|%s|%d%s", item->GetItemLabel(), item->GetHelp(),
                                 int(item->GetKind()), item->IsEnabled() ? "" : "|disabled");
        if (bitmap.IsOk()) {
            text += wxString::Format("|%dx%d", bitmap.GetWidth(), bitmap.GetHeight());
            images = images * 31 + Fingerprint(bitmap);
        }
        text += "\n";
    }
    return (text + wxString::Format("images %08lx", images & 0xFFFFFFFFul)).ToStdString();
}

std::string Describe(const wxMenuBar* bar)
{
    std::string text;
    for (size_t i = 0; i < bar->GetMenuCount(); ++i)
        text += "[" + bar->GetMenuLabel(i).ToStdString() + "]\n" + Describe(bar->GetMenu(i)) + "\n";
    return text;
}

using MenusTest = planwindowtest::PlanWindowFixture;

} // namespace

TEST_F(MenusTest, EachMenuKeepsItsItemsLabelsHelpTextsAndImagesInOrder)
{
    // A main frame on the fixture's document manager, which holds no recent files.
    TovendalMain* mainFrame = new TovendalMain(wxGetApp().m_docManager, nullptr, ID_MAIN_FRAME,
                                               "Tovendal", wxDefaultPosition, wxSize(600, 400),
                                               wxDEFAULT_FRAME_STYLE);
    const std::string mainMenus = Describe(mainFrame->GetMenuBar());
    wxGetApp().m_docManager->FileHistoryRemoveMenu(mainFrame->m_fileMenu);
    mainFrame->Destroy();
    wxTheApp->ProcessIdle();
    EXPECT_EQ("[&File]\n"
              "&New|New Plan|0|16x15\n"
              "&Open...|open existing Plan|0|16x15\n"
              "&Save\tCtrl+S|Save changes|0|16x15\n"
              "Save &As...|Save Plan with new name|0|16x15\n"
              "&Close|Close Plan|0|disabled\n"
              "Close All|Close all open plans|0\n"
              "&Remove...|Delete existing plan|0|16x15\n"
              "&Print...|Print Plan|0|16x15\n"
              "Print Preview...|Print Preview|0|16x15\n"
              "Page Setup...|Page Setup|0|16x16\n"
              "-\n"
              "E&xit...|Leave program|0|16x15\n"
              "images 6c3fed18\n"
              "[Options]\n"
              "Preferences...|Change Program Preferences|0|16x16\n"
              "images ba4a44f5\n"
              "[&Help]\n"
              "About...|Show about dialog|0|16x15\n"
              "-\n"
              "Check for &updates|Ceck the web for new version ofthis program.|0\n"
              "images b51cf328\n",
              mainMenus);

    TovendalProject* planWindow = FrameOf(NewPlan());
    ASSERT_NE(nullptr, planWindow);
    EXPECT_EQ("[&File]\n"
              "&New|New Plan|0|16x15\n"
              "&Open...|Open existing Plan|0|16x15\n"
              "&Save\tCtrl+S|Save Plan|0|16x15\n"
              "Save &As...|Save Plan with new name|0|16x15\n"
              "&Close|Close Plan|0\n"
              "Close All|Close all open Plans|0\n"
              "&Remove...|Delete existing Plan|0|16x15\n"
              "&Print...|Print Plan|0|16x15\n"
              "Print Preview...|Print Preview|0|16x15\n"
              "Page Setup...|Page Setup|0|16x16\n"
              "-\n"
              "E&xit...|Leave Program|0|16x15\n"
              "images 6c3fed18\n"
              "[&Edit]\n"
              "Cut\tCtrl+X|Remove Date to the Clipboard|0|disabled|16x15\n"
              "Copy\tCtrl+C|Copy Selected Date to the Clipboard|0|disabled|16x15\n"
              "Paste\tCtrl+V|Paste date from the Clipboard|0|disabled|16x15\n"
              "images ffa3ac58\n"
              "[Options]\n"
              "Preferences...|Change Program Preferences|0|16x16\n"
              "images ba4a44f5\n"
              "[&Help]\n"
              "About...|Show about dialog|0|16x15\n"
              "-\n"
              "Check for &updates|Ceck the web for new version ofthis program.|0\n"
              "images b51cf328\n",
              Describe(planWindow->GetMenuBar()));

    const std::unique_ptr<wxMenu> eventsMenu(CreateEventsMenu());
    EXPECT_EQ("Add Event...|Create New Event...|0|16x16\n"
              "Edit Event...|Edit Existing Event...|0|16x16\n"
              "Delete Event|Remove Selected Event.|0|16x16\n"
              "-\n"
              "Remove All Events...|Remove All Events from the list.|0|16x16\n"
              "images f57381b7",
              Describe(eventsMenu.get()));
}
