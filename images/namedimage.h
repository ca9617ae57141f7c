#ifndef TOVENDAL_IMAGES_NAMEDIMAGE_H
#define TOVENDAL_IMAGES_NAMEDIMAGE_H

#include <wx/bitmap.h>
#include <wx/string.h>

#include <cstddef>

/// One compiled-in XPM image and the file-like name a window looks it up by.
struct NamedImage
{
    const char* name;
    const char* const* xpm;
};

/// The image of exactly that name in a window's table, or the null bitmap.
template <std::size_t N>
wxBitmap FindNamedImage(const NamedImage (&table)[N], const wxString& name)
{
    for (const NamedImage& image : table) {
        if (name == image.name)
            return wxBitmap(image.xpm);
    }
    return wxNullBitmap;
}

#endif // TOVENDAL_IMAGES_NAMEDIMAGE_H
