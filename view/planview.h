#ifndef TOVENDAL_VIEW_PLANVIEW_H
#define TOVENDAL_VIEW_PLANVIEW_H

#include "view/calendargrid.h"

#include <wx/docview.h>
#include <wx/font.h>

class wxDC;
class PlanDocument;
class TovendalProject;

/// Number of day cells in the calendar grid: 24 month rows of 38 columns.
enum { GRID_ROWS = 24, GRID_COLUMNS = 38, GRID_CELLS = GRID_ROWS * GRID_COLUMNS };

/// The view of a plan: ties the document to its plan window and owns the calendar grid.
class myViewBase : public wxView
{
public:
    myViewBase();
    ~myViewBase() override;

    /// Draws the first plan year on dc.
    void OnDraw(wxDC* dc) override;
    /// Closes the document (asking to save) and the plan window.
    bool OnClose(bool deleteWindow = true) override;
    /// A printout of the plan after validating and transferring the plan window; null when either fails.
    wxPrintout* OnCreatePrintout() override;
    /// Notes that the document has been closed, so that closing the view does not ask again.
    void OnClosingDocument() override;

    /// Resets every cell: no text, no colours, black text.
    void ClearGrid();
    /// Writes the day numbers of year into rows 0-11 and of year + 1 into rows 12-23.
    void AddDayNumbers(int year, int firstDayOfWeek);
    /// Writes the UK bank holidays of year and year + 1 into the grid.
    void AddBankHolidays(int year, int firstDayOfWeek);
    /// Writes the plan's events into the grid of the page that starts in startMonth of year.
    void AddEvents(PlanDocument* doc, int year, int startMonth, int firstDayOfWeek);
    /// Draws one page (one plan year, 1-based) of the plan on dc.
    void DrawPlan(wxDC* dc, int page);
    /// An Arial font whose character height on dc, in logical units, is that of a font of size
    /// points measured in points, so that on the printout's mapping a point is one logical unit.
    /// Device contexts scale text differently (a memory DC draws a point size at the screen's
    /// resolution whatever its mapping), so the size is fitted to dc.
    static wxFont PageFont(wxDC* dc, double size, wxFontWeight weight);
    /// Fills the plan window's events list from the document, sorted by start date.
    void FillEventList(PlanDocument* doc, TovendalProject* frame);

    TovendalProject* m_frame;
    wxString m_cellText[GRID_CELLS];
    CellColourArray m_cellColours[GRID_CELLS];
    wxColour m_cellTextColour[GRID_CELLS];

private:
    bool m_documentClosed;
};

/// The one view class of the document template.
class TextEditView : public myViewBase
{
    wxDECLARE_DYNAMIC_CLASS(TextEditView);

public:
    TextEditView();
    ~TextEditView() override;

    /// Names the view and asks the application for its plan window.
    bool OnCreate(wxDocument* doc, long flags) override;

private:
    wxDECLARE_EVENT_TABLE();
};

/// The events list's sort: compares the start dates of the events keyed item1 and item2.
int wxCALLBACK CompareEventDates(wxIntPtr item1, wxIntPtr item2, wxIntPtr sortData);

#endif // TOVENDAL_VIEW_PLANVIEW_H
