#ifndef TOVENDAL_APP_MAINFRAME_H
#define TOVENDAL_APP_MAINFRAME_H

#include <wx/dnd.h>
#include <wx/docmdi.h>

class wxMenu;
class wxTopLevelWindow;
class DropTarget;

/// Makes a frame open where the program has put it (its position now) also under a window
/// manager that places new windows by its own rules.
void KeepPositionWhenShown(wxTopLevelWindow* frame);

/// Window ids of the main frame.
enum
{
    ID_MAIN_FRAME = 10000,
    ID_TOOLBAR = 10002,
    ID_STATUSBAR = 10003,
    ID_CHECK_UPDATES = 10037
};

/// The main frame: menus, tool bar, status bar and the plan windows.
class TovendalMain : public wxDocMDIParentFrame
{
    wxDECLARE_CLASS(TovendalMain);

public:
    TovendalMain(wxDocManager* manager, wxFrame* parent, wxWindowID id, const wxString& title,
                 const wxPoint& pos, const wxSize& size, long style);
    ~TovendalMain() override;

    /// Creates the frame, its controls and its icon, centred on the screen.
    bool Create(wxDocManager* manager, wxFrame* parent, wxWindowID id, const wxString& title,
                const wxPoint& pos, const wxSize& size, long style);
    /// Builds the menus, tool bar, status bar, file-history menu and drop target.
    void CreateControls();
    /// Grows the frame, within the screen, so that every tool shows and a plan window of the
    /// given size (pixels) fits its tab.
    void FitPlanWindow(const wxSize& planWindowSize);
    /// The size (pixels) of the last plan window made under the same desktop settings, program
    /// version, language and day and month names, kept from one start to the next; the size 0 x 0
    /// when none is known. The frame is sized by it at start, without making a plan window.
    static wxSize RememberedPlanWindowSize();
    /// Keeps the size (pixels) of a new, empty plan window for the next start.
    static void RememberPlanWindowSize(const wxSize& planWindowSize);

    /// The compiled-in image of the given name, or the null bitmap.
    static wxBitmap GetBitmapResource(const wxString& name);
    /// The compiled-in icon of the given name, or the null icon.
    static wxIcon GetIconResource(const wxString& name);

    /// Whether the frame's close has begun and was not refused: the program is ending.
    bool IsClosing() const;

    /// Lets the document manager close every plan before the frame goes.
    void OnCloseWindow(wxCloseEvent& event);
    /// Deletes a plan file chosen by the user.
    void OnRemove(wxCommandEvent& event);
    /// Asks the maker's web site for a newer version.
    void OnCheckUpdates(wxCommandEvent& event);
    /// Leaves the tool bar as it is.
    void OnToolbarUpdate(wxUpdateUIEvent& event);
    /// Edits the day and month names.
    void OnPreferences(wxCommandEvent& event);
    /// Shows the About box.
    void OnAbout(wxCommandEvent& event);

    wxMenu* m_fileMenu;
    DropTarget* m_dropTarget;

private:
    /// Deletes the plan file at path once the user agrees, unless a plan window shows it.
    void RemovePlanFile(const wxString& path);

    bool m_closing;

    wxDECLARE_EVENT_TABLE();
};

/// Opens every file dropped on the main frame as a plan.
class DropTarget : public wxFileDropTarget
{
public:
    bool OnDropFiles(wxCoord x, wxCoord y, const wxArrayString& filenames) override;
};

#endif // TOVENDAL_APP_MAINFRAME_H
