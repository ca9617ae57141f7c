#include "app/ipc.h"

// Placeholder until the hand-over lands.
wxConnectionBase* MyServer::OnAcceptConnection(const wxString&) { return nullptr; }
wxConnectionBase* MyClient::OnMakeConnection() { return new MyConnection; }
