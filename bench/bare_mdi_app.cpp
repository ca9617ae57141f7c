// The anchor of the start-up benchmark: the toolkit's own MDI document/view program with nothing
// of Tovendal's, a document manager and template, a main frame with a File menu, recent files
// and a status bar, shown as the program shows its own.
#include <wx/app.h>
#include <wx/docmdi.h>
#include <wx/docview.h>
#include <wx/menu.h>

/// The bare document of the anchor program.
class BareDocument : public wxDocument
{
    wxDECLARE_DYNAMIC_CLASS(BareDocument);
};
wxIMPLEMENT_DYNAMIC_CLASS(BareDocument, wxDocument);

/// The bare view of the anchor program.
class BareView : public wxView
{
public:
    void OnDraw(wxDC*) override {}

private:
    wxDECLARE_DYNAMIC_CLASS(BareView);
};
wxIMPLEMENT_DYNAMIC_CLASS(BareView, wxView);

/// The anchor program: its main frame is titled "Bare".
class BareApp : public wxApp
{
public:
    bool OnInit() override
    {
        m_manager = new wxDocManager;
        new wxDocTemplate(m_manager, "Bare", "*.bare", "", "bare", "Bare Doc", "Bare View",
                          CLASSINFO(BareDocument), CLASSINFO(BareView));
        wxDocMDIParentFrame* frame = new wxDocMDIParentFrame(
            m_manager, nullptr, wxID_ANY, "Bare", wxDefaultPosition, wxSize(400, 500));
        wxMenu* file = new wxMenu;
        file->Append(wxID_NEW);
        file->Append(wxID_OPEN);
        file->Append(wxID_CLOSE);
        file->AppendSeparator();
        file->Append(wxID_EXIT);
        wxMenuBar* bar = new wxMenuBar;
        bar->Append(file, "&File");
        frame->SetMenuBar(bar);
        m_manager->FileHistoryUseMenu(file);
        frame->CreateStatusBar(2);
        frame->Show(true);
        SetTopWindow(frame);
        return true;
    }

    int OnExit() override
    {
        delete m_manager;
        return wxApp::OnExit();
    }

private:
    wxDocManager* m_manager = nullptr;
};

wxIMPLEMENT_APP(BareApp);
