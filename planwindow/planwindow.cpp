#include "planwindow/planwindow.h"

// Placeholder until the plan window lands.
wxIMPLEMENT_CLASS(TovendalProject, wxDocMDIChildFrame);

wxBEGIN_EVENT_TABLE(TovendalProject, wxDocMDIChildFrame)
wxEND_EVENT_TABLE()

TovendalProject::TovendalProject(wxDocument* doc, wxView* view, wxMDIParentFrame* parent,
                                 wxWindowID id, const wxString& title, const wxPoint& pos,
                                 const wxSize& size, long style)
    : m_fileMenu(nullptr), m_yearFromText(nullptr), m_yearToText(nullptr), m_titleText(nullptr),
      m_startMonthChoice(nullptr), m_firstDayChoice(nullptr), m_bankHolidaysCheck(nullptr),
      m_daysAcrossCheck(nullptr), m_eventsToolBar(nullptr), m_eventsList(nullptr),
      m_commentsText(nullptr), m_eventsMenu(nullptr)
{
    Create(doc, view, parent, id, title, pos, size, style);
}

TovendalProject::~TovendalProject() {}

bool TovendalProject::Create(wxDocument* doc, wxView* view, wxMDIParentFrame* parent, wxWindowID id,
                             const wxString& title, const wxPoint& pos, const wxSize& size, long style)
{
    wxDocMDIChildFrame::Create(doc, view, parent, id, title, pos, size, style, "frame");
    CreateControls();
    return true;
}

void TovendalProject::CreateControls() {}
wxBitmap TovendalProject::GetBitmapResource(const wxString&) { return wxNullBitmap; }
wxIcon TovendalProject::GetIconResource(const wxString&) { return wxNullIcon; }
