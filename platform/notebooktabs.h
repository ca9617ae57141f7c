#ifndef TOVENDAL_PLATFORM_NOTEBOOKTABS_H
#define TOVENDAL_PLATFORM_NOTEBOOKTABS_H

class wxNotebook;

/// Width in pixels that the notebook needs to show every tab label whole. GTK hides the tabs
/// that do not fit behind scroll arrows, and its notebooks ask the layout only for the widest tab.
int NotebookTabsWidth(wxNotebook* notebook);

#endif // TOVENDAL_PLATFORM_NOTEBOOKTABS_H
