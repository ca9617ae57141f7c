#include "platform/notebooktabs.h"

#include <wx/notebook.h>

#include <gtk/gtk.h>

int NotebookTabsWidth(wxNotebook* notebook)
{
    GtkNotebook* native = GTK_NOTEBOOK(notebook->GetHandle());
    if (!native)
        return 0;
    // Without scroll arrows the notebook's own minimum holds the whole row of tabs.
    const gboolean scrollable = gtk_notebook_get_scrollable(native);
    gtk_notebook_set_scrollable(native, FALSE);
    int minimum = 0;
    int natural = 0;
    gtk_widget_get_preferred_width(GTK_WIDGET(native), &minimum, &natural);
    gtk_notebook_set_scrollable(native, scrollable);
    return minimum;
}
