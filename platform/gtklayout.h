#ifndef TOVENDAL_PLATFORM_GTKLAYOUT_H
#define TOVENDAL_PLATFORM_GTKLAYOUT_H

#include <string>

class wxWindow;

/// Gives the widgets of the window's top-level window the sizes GTK has queued for them, as its
/// next frame would. A window drawn before that (a status text is drawn at once) draws a new
/// notebook tab that has no size yet, and GTK warns of it.
void AllocatePendingSizes(wxWindow* window);

/// The desktop settings that decide how large GTK makes widgets (theme, font, resolution, the
/// toolkit's version), as one line of text.
std::string WidgetSizeSettings();

#endif // TOVENDAL_PLATFORM_GTKLAYOUT_H
