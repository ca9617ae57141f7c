#include "view/planview.h"
#include "app/app.h"
#include "document/plandocument.h"
#include "planwindow/planwindow.h"
#include "view/docmanager.h"
#include "view/printout.h"

#include <wx/colour.h>
#include <wx/dcclient.h>
#include <wx/gdicmn.h>
#include <wx/listctrl.h>
#include <wx/menu.h>

#include <algorithm>
#include <map>
#include <set>
#include <unordered_map>
#include <vector>

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

/// The events list's texts of dates, each made once per distinct time: plans
/// repeat their days, and every text asks the C library for the local time.
class DateTexts
{
public:
    /// Column 0's "yyyy/mm" of a start date.
    const wxString& Month(const wxDateTime& date) { return Start(date).month; }
    /// Column 1's "dd" of a start date.
    const wxString& Day(const wxDateTime& date) { return Start(date).day; }

    /// Column 3's "yyyy/mm/dd" of an end date.
    const wxString& Ending(const wxDateTime& date)
    {
        wxString& text = m_endings[date.GetValue().GetValue()];
        if (text.empty())
            text = date.Format("%Y/%m/%d");
        return text;
    }

private:
    struct StartTexts
    {
        wxString month;
        wxString day;
    };

    const StartTexts& Start(const wxDateTime& date)
    {
        StartTexts& texts = m_starts[date.GetValue().GetValue()];
        if (texts.month.empty()) {
            const wxDateTime::Tm tm = date.GetTm();
            texts.month = wxString::Format("%04d/%02d", tm.year, tm.mon + 1);
            texts.day = wxString::Format("%02d", tm.mday);
        }
        return texts;
    }

    std::unordered_map<wxLongLong_t, StartTexts> m_starts;
    std::unordered_map<wxLongLong_t, wxString> m_endings;
};

/// The colour database's colours of names, each looked up once.
class RowColours
{
public:
    /// The colour the database holds for name, or an invalid colour.
    const wxColour& Find(const wxString& name)
    {
        std::map<wxString, wxColour>::iterator found = m_colours.find(name);
        if (found == m_colours.end())
            found = m_colours.emplace(name, wxTheColourDatabase->Find(name)).first;
        return found->second;
    }

private:
    std::map<wxString, wxColour> m_colours;
};

/// The distinct texts of the list's columns.
typedef std::set<wxString> ColumnTexts[5];

/// Sizes the columns to fit their headers and every row, as the toolkit's
/// automatic sizing with the header does, each distinct text measured once with
/// one device context: the toolkit measures a row per context, and for a long
/// list only as many rows as it can in a moment. The description column, whose
/// texts are mostly distinct, keeps the toolkit's own sizing.
void SizeEventColumns(wxListCtrl* list, const ColumnTexts& texts)
{
    // The toolkit's margins in pixels: beside the contents, and around a header's text.
    const int contentMargin = 10;
    const int headerMargin = contentMargin + 2 * 6;
    wxWindow* rows = list->GetTargetWindow();
    wxClientDC dc(rows);
    dc.SetFont(rows->GetFont());
    for (int column : {0, 1, 3, 4}) {
        wxListItem header;
        header.SetMask(wxLIST_MASK_TEXT);
        list->GetColumn(column, header);
        int widest = std::max(contentMargin, dc.GetTextExtent(header.GetText()).x + headerMargin);
        for (const wxString& text : texts[column]) {
            if (!text.empty())
                widest = std::max(widest, dc.GetTextExtent(text).x);
        }
        list->SetColumnWidth(column, widest + contentMargin);
    }
    list->SetColumnWidth(2, wxLIST_AUTOSIZE_USEHEADER);
}

/// One event of the list being filled.
struct EventRow
{
    long key;
    const PlanEvent* event;
};

} // namespace

void myViewBase::FillEventList(PlanDocument* doc, TovendalProject* frame)
{
    if (!doc || !frame || !frame->m_eventsList)
        return;
    wxListCtrl* list = frame->m_eventsList;

    // Hidden while filling so that a long plan is drawn once, not row by row.
    list->Show(false);
    list->DeleteAllItems();

    std::vector<EventRow> rows;
    rows.reserve(doc->m_events.size());
    for (PlanEventMap::const_iterator it = doc->m_events.begin(); it != doc->m_events.end(); ++it) {
        if (it->second)
            rows.push_back({it->first, it->second});
    }
    // The rows go in already in the order that sorting the list with
    // CompareEventDates gives: that sort is std::sort over the rows in map order
    // asking only whether CompareEventDates is below 0, so the same sort over the
    // same sequence with the same answers leaves the same order, events of one
    // day included, without two map look-ups per comparison.
    std::sort(rows.begin(), rows.end(), [](const EventRow& a, const EventRow& b) {
        const wxDateTime& first = a.event->m_date;
        const wxDateTime& second = b.event->m_date;
        return first.IsValid() && (!second.IsValid() || first.IsEarlierThan(second));
    });

    // Every text the list is given is measured with a new device context of its
    // own, so each row is made with as few calls as its texts allow: the first
    // column, the key and the colours in one.
    DateTexts dates;
    RowColours colours;
    ColumnTexts texts;
    for (size_t i = 0; i < rows.size(); ++i) {
        const PlanEvent& event = *rows[i].event;
        const bool dated = event.m_date.IsValid();
        wxListItem item;
        item.SetId(long(i));
        item.SetText(dated ? dates.Month(event.m_date) : wxString());
        item.SetData(rows[i].key);
        const wxColour& text = colours.Find(event.m_textColour);
        if (text.IsOk())
            item.SetTextColour(text);
        // Set in every case: a name the database does not hold gives the list's own colour.
        item.SetBackgroundColour(colours.Find(event.m_colour));
        const long row = list->InsertItem(item);
        texts[0].insert(item.GetText());

        if (dated) {
            list->SetItem(row, 1, dates.Day(event.m_date));
            texts[1].insert(dates.Day(event.m_date));
        }
        list->SetItem(row, 2, event.m_text);
        if (event.m_hasToDate && event.m_toDate.IsValid()) {
            list->SetItem(row, 3, dates.Ending(event.m_toDate));
            texts[3].insert(dates.Ending(event.m_toDate));
        }
        if (event.m_annual) {
            list->SetItem(row, 4, "Yes");
            texts[4].insert("Yes");
        }
    }
    SizeEventColumns(list, texts);

    list->Show(true);
    frame->FitEventsList();
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
    SetViewName(TEXT_VIEW_NAME);
    m_frame = wxGetApp().CreateChildFrame(doc, this);
    if (!m_frame)
        return false;
    m_frame->Show(true);
    Activate(true);
    return true;
}
