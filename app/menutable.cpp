#include "app/menutable.h"

#include <wx/intl.h>
#include <wx/menu.h>

wxMenu* MenuFromTable(const MenuTableItem* items, std::size_t count, MenuImageLookUp lookUp)
{
    wxMenu* menu = new wxMenu;
    for (const MenuTableItem* entry = items; entry != items + count; ++entry) {
        if (entry->kind == wxITEM_SEPARATOR) {
            menu->AppendSeparator();
            continue;
        }
        // An empty text is not looked up: the catalogue's header sits under the empty key.
        const wxString help = *entry->help ? wxGetTranslation(entry->help) : wxString();
        wxMenuItem* item = new wxMenuItem(menu, entry->id, wxGetTranslation(entry->label), help,
                                          entry->kind);
        if (*entry->image)
            item->SetBitmap(lookUp(entry->image));
        menu->Append(item);
    }
    return menu;
}
