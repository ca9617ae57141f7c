#include "app/ipc.h"

// Placeholder until the hand-over lands.
wxString HandOverAddress(const wxString& service) { return service; }

MyServer::MyServer() : m_connection(nullptr) {}
MyServer::~MyServer() {}
wxConnectionBase* MyServer::OnAcceptConnection(const wxString&) { return nullptr; }

MyClient::MyClient() : m_connection(nullptr) {}
MyClient::~MyClient() {}
bool MyClient::Connect(const wxString&, const wxString&, const wxString&) { return false; }
void MyClient::Disconnect() {}
wxConnectionBase* MyClient::OnMakeConnection() { return new MyConnection; }

bool MyConnection::OnExecute(const wxString&, const void*, size_t, wxIPCFormat) { return true; }
bool MyConnection::OnDisconnect() { return true; }
