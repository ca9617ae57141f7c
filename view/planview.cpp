#include "view/planview.h"
#include "app/app.h"
#include "document/plandocument.h"
#include "planwindow/planwindow.h"
#include "view/docmanager.h"
#include "view/printout.h"

#include <wx/colour.h>
#include <wx/gdicmn.h>
#include <wx/listctrl.h>
#include <wx/menu.h>

myViewBase::myViewBase() : m_frame(nullptr), m_documentClosed(false) {}

myViewBase::~myViewBase() {}

void myViewBase::OnDraw(wxDC* dc)
{
    DrawPlan(dc, 1);
}

void myViewBase::OnClosingDocument()
{
    m_documentClosed = true;
}

bool myViewBase::OnClose(bool deleteWindow)
{
    // When the document manager closes a plan it closes the document first and
    // then the views; asking again here would repeat the save prompt the user
    // has just answered.
    wxDocument* doc = GetDocument();
    if (doc && !m_documentClosed && !doc->Close())
        return false;

    Activate(false);

    if (m_frame) {
        // Take the File menu out of the history before the menu goes away.
        wxMenuBar* menuBar = m_frame->GetMenuBar();
        wxDocManager* manager = wxGetApp().m_docManager;
        if (!manager && doc)
            manager = doc->GetDocumentManager();
        if (menuBar && menuBar->GetMenuCount() > 0 && manager)
            manager->FileHistoryRemoveMenu(menuBar->GetMenu(0));

        if (deleteWindow) {
            // The close may come from the plan window's own File menu.
            m_frame->Destroy();
            m_frame = nullptr;
        }
    }
    return true;
}

wxPrintout* myViewBase::OnCreatePrintout()
{
    if (!m_frame || !GetDocument())
        return nullptr;
    if (!m_frame->Validate())
        return nullptr;
    if (!m_frame->TransferDataFromWindow())
        return nullptr;
    return new MyPrintOut(this, GetDocument()->GetUserReadableName());
}

namespace {

/// The events list's row texts and colours for one event, in the list's column order.
void SetEventRow(wxListCtrl* list, long row, const PlanEvent& event)
{
    if (event.m_date.IsValid()) {
        list->SetItem(row, 1, wxString::Format("%02d", event.m_date.GetDay()));
    }
    list->SetItem(row, 2, event.m_text);
    if (event.m_hasToDate && event.m_toDate.IsValid())
        list->SetItem(row, 3, event.m_toDate.Format("%Y/%m/%d"));
    if (event.m_annual)
        list->SetItem(row, 4, "Yes");

    const wxColour text = wxTheColourDatabase->Find(event.m_textColour);
    if (text.IsOk())
        list->SetItemTextColour(row, text);
    list->SetItemBackgroundColour(row, wxTheColourDatabase->Find(event.m_colour));
}

} // namespace

void myViewBase::FillEventList(PlanDocument* doc, TovendalProject* frame)
{
    if (!doc || !frame || !frame->m_eventsList)
        return;
    wxListCtrl* list = frame->m_eventsList;

    // Hidden while filling so that a long plan is drawn once, not row by row.
    list->Show(false);
    list->DeleteAllItems();

    long row = 0;
    for (PlanEventMap::iterator it = doc->m_events.begin(); it != doc->m_events.end(); ++it) {
        const PlanEvent* event = it->second;
        if (!event)
            continue;
        wxString month;
        if (event->m_date.IsValid())
            month = wxString::Format("%04d/%02d", event->m_date.GetYear(),
                                     event->m_date.GetMonth() + 1);
        const long index = list->InsertItem(row, month);
        list->SetItemData(index, it->first);
        SetEventRow(list, index, *event);
        ++row;
    }

    list->SortItems(CompareEventDates, reinterpret_cast<wxIntPtr>(frame));

    list->SetColumnWidth(0, wxLIST_AUTOSIZE_USEHEADER);
    list->SetColumnWidth(1, wxLIST_AUTOSIZE_USEHEADER);
    list->SetColumnWidth(2, wxLIST_AUTOSIZE);
    list->SetColumnWidth(3, wxLIST_AUTOSIZE);
    list->SetColumnWidth(4, wxLIST_AUTOSIZE_USEHEADER);

    list->Show(true);
}

int wxCALLBACK CompareEventDates(wxIntPtr item1, wxIntPtr item2, wxIntPtr sortData)
{
    TovendalProject* frame = reinterpret_cast<TovendalProject*>(sortData);
    PlanDocument* doc = frame ? dynamic_cast<PlanDocument*>(frame->GetDocument()) : nullptr;
    if (!doc)
        return 0;

    // Look the keys up without inserting; a row without its event, or an event
    // without a date, sorts after the dated ones.
    PlanEventMap::const_iterator first = doc->m_events.find(static_cast<long>(item1));
    PlanEventMap::const_iterator second = doc->m_events.find(static_cast<long>(item2));
    const bool firstDated = first != doc->m_events.end() && first->second &&
                            first->second->m_date.IsValid();
    const bool secondDated = second != doc->m_events.end() && second->second &&
                             second->second->m_date.IsValid();
    if (!firstDated || !secondDated)
        return firstDated == secondDated ? 0 : (firstDated ? -1 : 1);

    const wxDateTime& a = first->second->m_date;
    const wxDateTime& b = second->second->m_date;
    if (a.IsEarlierThan(b))
        return -1;
    return a.IsSameDate(b) ? 0 : 1;
}

wxIMPLEMENT_DYNAMIC_CLASS(TextEditView, wxView);

wxBEGIN_EVENT_TABLE(TextEditView, wxView)
wxEND_EVENT_TABLE()

TextEditView::TextEditView() {}

TextEditView::~TextEditView() {}

bool TextEditView::OnCreate(wxDocument* doc, long)
{
    SetViewName("Text View");
    m_frame = wxGetApp().CreateChildFrame(doc, this);
    if (!m_frame)
        return false;
    m_frame->Show(true);
    Activate(true);
    return true;
}
