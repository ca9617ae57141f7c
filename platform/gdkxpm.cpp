#include "platform/gdkxpm.h"

#include <wx/image.h>

#include <gdk-pixbuf/gdk-pixbuf.h>

wxBitmap BitmapFromXpmByGdk(const char* const* xpm)
{
    if (GdkPixbuf* pixbuf = gdk_pixbuf_new_from_xpm_data(const_cast<const char**>(xpm)))
        return wxBitmap(pixbuf); // the bitmap takes the picture's reference
    return wxBitmap(wxImage(xpm));
}
