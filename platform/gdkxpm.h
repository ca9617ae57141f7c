#ifndef TOVENDAL_PLATFORM_GDKXPM_H
#define TOVENDAL_PLATFORM_GDKXPM_H

#include <wx/bitmap.h>

/// A compiled-in XPM image read by GDK's own XPM reader, which reads a large picture of many
/// colours several times faster than the toolkit's; read by the toolkit's when GDK's fails.
wxBitmap BitmapFromXpmByGdk(const char* const* xpm);

#endif // TOVENDAL_PLATFORM_GDKXPM_H
