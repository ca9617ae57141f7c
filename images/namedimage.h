#ifndef TOVENDAL_IMAGES_NAMEDIMAGE_H
#define TOVENDAL_IMAGES_NAMEDIMAGE_H

#include "images/images.h"

#include <wx/bitmap.h>
#include <wx/icon.h>
#include <wx/image.h>
#include <wx/string.h>

#include <cstddef>

/// One compiled-in XPM image and the file-like name a window looks it up by.
struct NamedImage
{
    const char* name;
    const char* const* xpm;
};

/// The icon every window of the program shows, under the name the windows look it up by.
inline const NamedImage PROGRAM_ICONS[] = {
    {"TOVENDAL.ICO", TOVENDAL_ICO_xpm},
};

/// A compiled-in XPM image as a bitmap whose see-through pixels are an alpha
/// channel rather than a mask. Menus, tools and buttons on this toolkit draw a
/// masked bitmap through a picture that its bitmap never frees, so every window
/// showing masked images would keep them after it closed.
inline wxBitmap BitmapFromXpm(const char* const* xpm)
{
    wxImage image(xpm);
    if (image.HasMask())
        image.InitAlpha();
    return wxBitmap(image);
}

/// The data of the image of exactly that name in a window's table, or null.
template <std::size_t N>
const char* const* FindNamedXpm(const NamedImage (&table)[N], const wxString& name)
{
    for (const NamedImage& image : table) {
        if (name == image.name)
            return image.xpm;
    }
    return nullptr;
}

/// The image of exactly that name in a window's table, or the null bitmap.
template <std::size_t N>
wxBitmap FindNamedImage(const NamedImage (&table)[N], const wxString& name)
{
    const char* const* xpm = FindNamedXpm(table, name);
    return xpm ? BitmapFromXpm(xpm) : wxNullBitmap;
}

/// The icon of exactly that name in a window's table, or the null icon. It is made from
/// the image with an alpha channel: a dialog's window icon from a masked image stays
/// behind when the dialog closes.
template <std::size_t N>
wxIcon FindNamedIcon(const NamedImage (&table)[N], const wxString& name)
{
    wxIcon icon;
    if (const char* const* xpm = FindNamedXpm(table, name))
        icon.CopyFromBitmap(BitmapFromXpm(xpm));
    return icon;
}

#endif // TOVENDAL_IMAGES_NAMEDIMAGE_H
