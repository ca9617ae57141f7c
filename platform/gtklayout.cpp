#include "platform/gtklayout.h"

#include <wx/window.h>

#include <gtk/gtk.h>

#include <string>

void AllocatePendingSizes(wxWindow* window)
{
    GtkWidget* widget = window ? window->GetHandle() : nullptr;
    GtkWidget* top = widget ? gtk_widget_get_toplevel(widget) : nullptr;
    // A window not yet on the screen gets its sizes when it is mapped.
    if (top && GTK_IS_WINDOW(top) && gtk_widget_get_mapped(top))
        gtk_container_check_resize(GTK_CONTAINER(top));
}

std::string WidgetSizeSettings()
{
    gchar* theme = nullptr;
    gchar* font = nullptr;
    gint dpi = 0;
    g_object_get(gtk_settings_get_default(), "gtk-theme-name", &theme, "gtk-font-name", &font,
                 "gtk-xft-dpi", &dpi, nullptr);
    std::string settings = std::string(theme ? theme : "") + "|" + (font ? font : "") + "|" +
                           std::to_string(dpi) + "|" + std::to_string(gtk_get_major_version()) +
                           "." + std::to_string(gtk_get_minor_version()) + "." +
                           std::to_string(gtk_get_micro_version()) + "|" + wxString(wxVERSION_STRING).ToStdString();
    GdkScreen* screen = gdk_screen_get_default();
    if (screen)
        settings += "|" + std::to_string(gdk_screen_get_resolution(screen));
    g_free(theme);
    g_free(font);
    return settings;
}
