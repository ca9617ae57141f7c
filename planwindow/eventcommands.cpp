#include "planwindow/eventcommands.h"
#include "app/app.h"
#include "app/menutable.h"
#include "document/plandocument.h"
#include "document/planevent.h"
#include "planwindow/eventdialog.h"
#include "planwindow/planwindow.h"
#include "images/namedimage.h"

#include <wx/datectrl.h>
#include <wx/listctrl.h>
#include <wx/menu.h>
#include <wx/msgdlg.h>
#include <wx/toolbar.h>

namespace {

const NamedImage EVENTS_MENU_IMAGES[] = {
    {"stock_data-new-table-16.xpm", stock_data_new_table_16_xpm},
    {"stock_data-edit-table-16.xpm", stock_data_edit_table_16_xpm},
    {"stock_data-delete-table-16.xpm", stock_data_delete_table_16_xpm},
    {"stock_delete-16.png", stock_delete_16_png_xpm},
};

const MenuTableItem EVENTS_MENU[] = {
    {wxID_ADD, wxTRANSLATE("Add Event..."), wxTRANSLATE("Create New Event..."),
     "stock_data-new-table-16.xpm"},
    {ID_EDIT_EVENT, wxTRANSLATE("Edit Event..."), wxTRANSLATE("Edit Existing Event..."),
     "stock_data-edit-table-16.xpm"},
    {wxID_DELETE, wxTRANSLATE("Delete Event"), wxTRANSLATE("Remove Selected Event."),
     "stock_data-delete-table-16.xpm"},
    MENU_SEPARATOR,
    {wxID_REPLACE_ALL, wxTRANSLATE("Remove All Events..."),
     wxTRANSLATE("Remove All Events from the list."), "stock_delete-16.png"},
};

/// Columns of the events list.
enum { COLUMN_MONTH, COLUMN_DAY, COLUMN_EVENT, COLUMN_ENDING, COLUMN_ANNUAL };

wxString MonthText(const wxDateTime& date)
{
    return wxString::Format("%04d/%02d", date.GetYear(), int(date.GetMonth()) + 1);
}

wxString DayText(const wxDateTime& date)
{
    return wxString::Format("%02d", int(date.GetDay()));
}

wxString EndingText(const wxDateTime& date)
{
    return date.IsValid() ? date.Format("%Y/%m/%d") : wxString();
}

wxString AnnualText(bool annual)
{
    return annual ? wxString("Yes") : wxString();
}

/// The row colour for a colour name from the editor: only a colour that has a
/// name in the colour database colours a row.
wxColour RowColourFromName(const wxString& name)
{
    if (name.empty())
        return wxNullColour;
    // The database first: on GTK the text-to-colour conversion reads names as
    // CSS colours ("MAROON" as #800000), which are not the database's colours.
    wxColour colour = wxTheColourDatabase->Find(name);
    if (!colour.IsOk())
        colour = wxColour(name);
    if (!colour.IsOk())
        return wxNullColour;
    const wxString named = wxTheColourDatabase->FindName(colour);
    return named.empty() ? wxNullColour : wxTheColourDatabase->Find(named);
}

/// Gives a row its colours; an invalid colour stands for the list's own.
void SetRowColours(wxListCtrl* list, long row, const wxColour& background, const wxColour& text)
{
    // The list merges new row colours into the old ones and cannot forget a
    // colour, so the list's own colours are what take an old one away.
    list->SetItemBackgroundColour(row, background.IsOk() ? background : list->GetBackgroundColour());
    list->SetItemTextColour(row, text.IsOk() ? text : list->GetForegroundColour());
}

/// The colour database's name of a row colour; empty for no colour or one without a name.
wxString NameOfRowColour(const wxColour& colour)
{
    return colour.IsOk() ? wxTheColourDatabase->FindName(colour) : wxString();
}

/// The start date written in a row's Month ("yyyy/mm") and Day ("dd") texts, or
/// the invalid date when they do not hold one.
wxDateTime DateFromRowTexts(const wxString& monthText, const wxString& dayText)
{
    long year = 0, month = 0, day = 0;
    if (!monthText.BeforeFirst('/').ToLong(&year) || !monthText.AfterFirst('/').ToLong(&month) ||
        !dayText.ToLong(&day))
        return wxInvalidDateTime;
    if (month < 1 || month > 12 || day < 1 || year < 1)
        return wxInvalidDateTime;
    const wxDateTime::Month m = wxDateTime::Month(month - 1);
    if (day > wxDateTime::GetNumberOfDays(m, int(year)))
        return wxInvalidDateTime;
    return wxDateTime(wxDateTime::wxDateTime_t(day), m, int(year));
}

/// The plan of a plan window.
PlanDocument* PlanOf(const TovendalProject& frame)
{
    return dynamic_cast<PlanDocument*>(frame.GetDocument());
}

/// The record of a row. Found through the map's find, never through
/// operator[], which would plant an empty entry for a stale key.
PlanEvent* RecordOfRow(const TovendalProject& frame, long row)
{
    PlanDocument* doc = PlanOf(frame);
    if (!doc || row < 0)
        return nullptr;
    PlanEventMap::iterator it = doc->m_events.find(long(frame.m_eventsList->GetItemData(row)));
    return it == doc->m_events.end() ? nullptr : it->second;
}

/// The selected row, or -1 after asking the user to select one.
long SelectedRowOrMessage(const TovendalProject& frame)
{
    if (!PlanOf(frame) || !frame.m_eventsList || frame.m_eventsList->GetSelectedItemCount() < 1) {
        SetMainStatusText("Please select an Event.");
        return -1;
    }
    return frame.m_eventsList->GetNextItem(-1, wxLIST_NEXT_ALL, wxLIST_STATE_SELECTED);
}

/// Column widths as after the list is filled: each fits its header and its texts, and the
/// window grows to show them all.
void SizeEventColumns(TovendalProject& frame)
{
    for (int column : {COLUMN_MONTH, COLUMN_DAY, COLUMN_EVENT, COLUMN_ENDING, COLUMN_ANNUAL})
        frame.m_eventsList->SetColumnWidth(column, wxLIST_AUTOSIZE_USEHEADER);
    frame.FitEventsList();
}

/// Puts a new record into the plan under the next key and ties row to it.
void StoreNewEvent(TovendalProject& frame, PlanEvent* record, long row)
{
    PlanDocument* doc = PlanOf(frame);
    const long key = doc->m_nextEventId++;
    doc->m_events[key] = record;
    doc->Modify(true);
    frame.m_eventsList->SetItemData(row, key);
    SizeEventColumns(frame);
}

/// Fills record from an accepted editor: dates, description, colour names and flags.
void RecordFromEditor(PlanEvent& record, diaryEvents& editor)
{
    const wxDateTime to = editor.m_toDatePicker->GetValue();
    record.m_date = editor.m_fromDatePicker->GetValue();
    record.m_text = editor.GetDescription();
    record.m_colour = editor.GetBackgroundColourName();
    record.m_textColour = editor.GetTextColourName();
    record.m_annual = editor.m_annual;
    // Without a To date the record loses its end date and its first-day-only flag.
    record.m_hasToDate = to.IsValid();
    record.m_toDate = record.m_hasToDate ? to : wxInvalidDateTime;
    record.m_firstDayOnly = record.m_hasToDate && editor.m_firstDayOnly;
}

/// Writes an accepted editor's values into a row of the events list.
void RowFromEditor(wxListCtrl* list, long row, diaryEvents& editor)
{
    const wxDateTime from = editor.m_fromDatePicker->GetValue();
    list->SetItem(row, COLUMN_MONTH, MonthText(from));
    list->SetItem(row, COLUMN_DAY, DayText(from));
    list->SetItem(row, COLUMN_EVENT, editor.GetDescription());
    // The list keeps a row's colours with the row, not with one of its columns.
    SetRowColours(list, row, RowColourFromName(editor.GetBackgroundColourName()),
                  RowColourFromName(editor.GetTextColourName()));
    list->SetItem(row, COLUMN_ENDING, EndingText(editor.m_toDatePicker->GetValue()));
    list->SetItem(row, COLUMN_ANNUAL, AnnualText(editor.m_annual));
    list->RefreshItem(row);
}

/// Takes the selected event out of the plan: its record leaves the map and is handed
/// to the caller (null for a row without one), the plan is marked modified and the
/// row deleted. False, after asking for a selection, when no row is selected.
bool TakeSelectedEvent(TovendalProject& frame, PlanEvent*& record)
{
    const long row = SelectedRowOrMessage(frame);
    if (row < 0)
        return false;
    PlanDocument* doc = PlanOf(frame);
    record = RecordOfRow(frame, row);
    if (record)
        doc->m_events.erase(long(frame.m_eventsList->GetItemData(row)));
    doc->Modify(true);
    frame.m_eventsList->DeleteItem(row);
    return true;
}

/// Edits a row and its record in the event editor.
void EditEventRow(TovendalProject& frame, long row)
{
    wxListCtrl* list = frame.m_eventsList;
    PlanEvent* record = RecordOfRow(frame, row);
    if (!record)
        return;

    diaryEvents editor;
    editor.m_backgroundColourName = NameOfRowColour(list->GetItemBackgroundColour(row));
    editor.m_textColourName = NameOfRowColour(list->GetItemTextColour(row));
    editor.Create(&frame, ID_EVENT_DIALOG, _("Event"), wxDefaultPosition, wxDefaultSize,
                  wxSIMPLE_BORDER);
    editor.m_annual = record->m_annual;
    editor.m_toDatePicker->SetValue(record->m_hasToDate ? record->m_toDate : wxDefaultDateTime);
    editor.m_firstDayOnly = record->IsFirstDayOnly();
    editor.m_description = list->GetItemText(row, COLUMN_EVENT);

    // The start date comes back from the row's texts, as the user sees it.
    wxDateTime start = DateFromRowTexts(list->GetItemText(row, COLUMN_MONTH),
                                        list->GetItemText(row, COLUMN_DAY));
    if (!start.IsValid())
        start = record->m_date;
    if (start.IsValid()) {
        editor.m_fromDatePicker->SetValue(start);
        editor.m_toDatePicker->SetRange(start, wxDefaultDateTime);
    }

    if (editor.ShowModal() != wxID_OK)
        return;

    RowFromEditor(list, row, editor);
    RecordFromEditor(*record, editor);
    SizeEventColumns(frame);
    PlanOf(frame)->Modify(true);
}

} // namespace

void TovendalProject::OnNewEvent(wxCommandEvent&)
{
    if (!PlanOf(*this) || !m_eventsList)
        return;
    diaryEvents editor(this, ID_EVENT_DIALOG, _("Event"), wxDefaultPosition, wxDefaultSize,
                       wxSIMPLE_BORDER);
    if (editor.ShowModal() != wxID_OK)
        return;

    const long row = m_eventsList->InsertItem(m_eventsList->GetItemCount(), wxString());
    RowFromEditor(m_eventsList, row, editor);
    PlanEvent* record = new PlanEvent;
    RecordFromEditor(*record, editor);
    StoreNewEvent(*this, record, row);
}

void TovendalProject::OnEditEvent(wxCommandEvent&)
{
    const long row = SelectedRowOrMessage(*this);
    if (row >= 0)
        EditEventRow(*this, row);
}

void TovendalProject::OnEventActivated(wxListEvent&)
{
    if (PlanOf(*this) && m_eventsList && m_eventsList->GetSelectedItemCount() > 0)
        EditEventRow(*this, m_eventsList->GetNextItem(-1, wxLIST_NEXT_ALL, wxLIST_STATE_SELECTED));
}

void TovendalProject::OnDeleteEvent(wxCommandEvent&)
{
    PlanEvent* record = nullptr;
    if (TakeSelectedEvent(*this, record))
        delete record;
}

void TovendalProject::OnCutEvent(wxCommandEvent&)
{
    PlanEvent* record = nullptr;
    if (TakeSelectedEvent(*this, record) && record) {
        // The record itself becomes the held event; no copy is made.
        TovendalApp& app = wxGetApp();
        delete app.m_eventClipboard;
        app.m_eventClipboard = record;
    }
}

void TovendalProject::OnCopyEvent(wxCommandEvent&)
{
    const long row = SelectedRowOrMessage(*this);
    if (row < 0)
        return;
    if (PlanEvent* record = RecordOfRow(*this, row)) {
        TovendalApp& app = wxGetApp();
        PlanEvent* copy = new PlanEvent(*record);
        delete app.m_eventClipboard;
        app.m_eventClipboard = copy;
    }
}

void TovendalProject::OnPasteEvent(wxCommandEvent&)
{
    // Nothing held: nothing to paste (the tool and menu item are disabled then).
    const PlanEvent* held = wxGetApp().m_eventClipboard;
    if (!held || !PlanOf(*this) || !m_eventsList)
        return;
    PlanEvent* record = new PlanEvent(*held);
    const long row = m_eventsList->InsertItem(m_eventsList->GetItemCount(), MonthText(record->m_date));
    m_eventsList->SetItem(row, COLUMN_DAY, DayText(record->m_date));
    m_eventsList->SetItem(row, COLUMN_EVENT, record->m_text);
    if (record->m_hasToDate)
        m_eventsList->SetItem(row, COLUMN_ENDING, EndingText(record->m_toDate));
    if (record->m_annual)
        m_eventsList->SetItem(row, COLUMN_ANNUAL, AnnualText(true));
    const wxColour text = wxTheColourDatabase->Find(record->m_textColour);
    if (text.IsOk())
        m_eventsList->SetItemTextColour(row, text);
    m_eventsList->SetItemBackgroundColour(row, wxTheColourDatabase->Find(record->m_colour));
    StoreNewEvent(*this, record, row);
}

void TovendalProject::OnRemoveAllEvents(wxCommandEvent&)
{
    PlanDocument* doc = PlanOf(*this);
    if (!doc || !m_eventsList)
        return;
    if (wxMessageBox("Remove All Events?", "Confirm", wxYES_NO | wxCANCEL, this) != wxYES)
        return;
    m_eventsList->DeleteAllItems();
    for (PlanEventMap::iterator it = doc->m_events.begin(); it != doc->m_events.end(); ++it)
        delete it->second;
    doc->m_events.clear();
    doc->Modify(true);
}

void TovendalProject::OnEventsUpdateUI(wxUpdateUIEvent& event)
{
    if (m_eventsList && m_eventsToolBar) {
        const bool selected = m_eventsList->GetSelectedItemCount() > 0;
        const bool hasRows = m_eventsList->GetItemCount() > 0;
        const bool held = wxGetApp().m_eventClipboard != nullptr;

        m_eventsToolBar->EnableTool(ID_EDIT_EVENT, selected);
        m_eventsToolBar->EnableTool(wxID_DELETE, selected);
        m_eventsToolBar->EnableTool(wxID_REPLACE_ALL, hasRows);
        m_eventsToolBar->EnableTool(wxID_CUT, selected);
        m_eventsToolBar->EnableTool(wxID_COPY, selected);
        m_eventsToolBar->EnableTool(wxID_PASTE, held);

        if (wxMenuBar* bar = GetMenuBar()) {
            const struct
            {
                int id;
                bool enable;
            } items[] = { { wxID_CUT, selected }, { wxID_COPY, selected }, { wxID_PASTE, held } };
            for (const auto& item : items) {
                if (bar->FindItem(item.id))
                    bar->Enable(item.id, item.enable);
            }
        }
    }
    event.Skip();
}

void TovendalProject::OnContextMenu(wxContextMenuEvent& event)
{
    if (m_eventsMenu && dynamic_cast<wxListCtrl*>(event.GetEventObject()))
        PopupMenu(m_eventsMenu);
    else
        event.Skip();
}

void TovendalProject::OnClearStatus(wxCloseEvent& event)
{
    SetMainStatusText(wxEmptyString);
    event.Skip();
}

void TovendalProject::OnClearStatus(wxListEvent& event)
{
    SetMainStatusText(wxEmptyString);
    event.Skip();
}

wxMenu* CreateEventsMenu()
{
    return MenuFromTable(EVENTS_MENU, GetEventsMenuBitmap);
}

wxBitmap GetEventsMenuBitmap(const wxString& name)
{
    return FindNamedImage(EVENTS_MENU_IMAGES, name);
}
