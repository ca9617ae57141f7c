#include "view/docmanager.h"

wxIMPLEMENT_DYNAMIC_CLASS(myDocManager, wxDocManager);

wxBEGIN_EVENT_TABLE(myDocManager, wxDocManager)
    EVT_MENU(wxID_PRINT,       myDocManager::OnPrint)
    EVT_MENU(wxID_PREVIEW,     myDocManager::OnPreview)
    EVT_MENU(wxID_PRINT_SETUP, myDocManager::OnPrintSetup)
wxEND_EVENT_TABLE()

myDocManager::myDocManager(long flags, bool initialize) : wxDocManager(flags, initialize) {}

// Placeholders until printing lands.
void myDocManager::OnPrint(wxCommandEvent&) {}
void myDocManager::OnPreview(wxCommandEvent&) {}
void myDocManager::OnPrintSetup(wxCommandEvent&) {}
