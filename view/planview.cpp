#include "view/planview.h"
#include "app/app.h"
#include "document/plandocument.h"
#include "planwindow/planwindow.h"

// Placeholder until the views land.
myViewBase::myViewBase() : m_frame(nullptr) {}
myViewBase::~myViewBase() {}
void myViewBase::OnDraw(wxDC* dc) { DrawPlan(dc, 1); }
bool myViewBase::OnClose(bool) { return GetDocument() ? GetDocument()->Close() : true; }
wxPrintout* myViewBase::OnCreatePrintout() { return nullptr; }
void myViewBase::FillEventList(PlanDocument*, TovendalProject*) {}

wxIMPLEMENT_DYNAMIC_CLASS(TextEditView, wxView);
wxBEGIN_EVENT_TABLE(TextEditView, myViewBase)
wxEND_EVENT_TABLE()

TextEditView::TextEditView() {}
TextEditView::~TextEditView() {}
bool TextEditView::OnCreate(wxDocument*, long) { SetViewName("Text View"); return true; }

int wxCALLBACK CompareEventDates(wxIntPtr, wxIntPtr, wxIntPtr) { return 0; }
