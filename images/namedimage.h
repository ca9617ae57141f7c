#ifndef TOVENDAL_IMAGES_NAMEDIMAGE_H
#define TOVENDAL_IMAGES_NAMEDIMAGE_H

#include <wx/bitmap.h>
#include <wx/image.h>
#include <wx/string.h>

#include <cstddef>

/// One compiled-in XPM image and the file-like name a window looks it up by.
struct NamedImage
{
    const char* name;
    const char* const* xpm;
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

/// The image of exactly that name in a window's table, or the null bitmap.
template <std::size_t N>
wxBitmap FindNamedImage(const NamedImage (&table)[N], const wxString& name)
{
    for (const NamedImage& image : table) {
        if (name == image.name)
            return BitmapFromXpm(image.xpm);
    }
    return wxNullBitmap;
}

#endif // TOVENDAL_IMAGES_NAMEDIMAGE_H
