#ifndef TOVENDAL_APP_MENUTABLE_H
#define TOVENDAL_APP_MENUTABLE_H

#include <wx/bitmap.h>
#include <wx/defs.h>
#include <wx/string.h>

#include <cstddef>

class wxMenu;

/// One item of a menu table. The label carries the accelerator after a tab ("&Save\tCtrl+S");
/// label and help text are looked up in the translation catalogue when the menu is built, so
/// tables mark them with wxTRANSLATE. The image is a name for the window's image lookup, empty
/// for an item without one.
struct MenuTableItem
{
    int id;
    const char* label;
    const char* help;
    const char* image;
    wxItemKind kind = wxITEM_NORMAL;
};

/// The separator line of a menu table.
inline constexpr MenuTableItem MENU_SEPARATOR = {wxID_SEPARATOR, "", "", "", wxITEM_SEPARATOR};

/// A window's image lookup by name: the named image, or the null bitmap.
using MenuImageLookUp = wxBitmap (*)(const wxString& name);

/// A new menu (no title, style 0) holding a table's items in order, each with the image that
/// lookUp gives for its name.
wxMenu* MenuFromTable(const MenuTableItem* items, std::size_t count, MenuImageLookUp lookUp);

/// A new menu holding every item of a table (see above).
template <std::size_t N>
wxMenu* MenuFromTable(const MenuTableItem (&items)[N], MenuImageLookUp lookUp)
{
    return MenuFromTable(items, N, lookUp);
}

#endif // TOVENDAL_APP_MENUTABLE_H
